#pragma once
// The end of the run: normalisation of the tally and the result file.

struct EngineState;

// Normalises the dose grid by the cell volume and the air-kerma reference and writes the
// result file named in the run conditions. Throws IoError when it cannot be written.
void finishAndWriteResult(EngineState& state);
