#pragma once
// The end of the run: normalisation of the tally and the result file.
//
// The result file: line 1 the spectrum name (A30), lines 2 to 6 the geometry (F5.1), line 7 the
// history count (E8.2), then 8000 lines of 200 E9.3 doses: component 1 then 2, within each iy
// 1..40, within that iz 1..100, each line ix 1..200. Lines end in CR LF.

#include <string>

struct EngineState;
struct DoseGrid;
struct RunConditions;

// Divides every cell by the cell volume, scales airKermaSum by 2.0 and then 4.0, and divides
// every cell by it: two separate single-precision divisions per cell.
void normaliseDoseGrid(DoseGrid& grid, float& airKermaSum);

// Writes the result file under a temporary name beside `fileName` and renames it when it is
// complete, so no reader ever finds a partial result under the final name. Throws IoError
// naming `fileName` when it cannot be created, written or renamed; nothing is left behind then.
void writeResultFile(const std::string& fileName, const RunConditions& conditions,
                     const DoseGrid& grid);

// The temporary name the result is written under: it does not end in ".orv2".
std::string temporaryResultName(const std::string& fileName);

// Appends one E9.3 field to `out`: the same text as appendE(out, value, 9, 3), faster.
void appendDoseField(std::string& out, float value);

// Normalises the dose grid by the cell volume and the air-kerma reference and writes the
// result file named in the run conditions. Throws IoError when it cannot be written.
void finishAndWriteResult(EngineState& state);
