#pragma once
// The spectrum data file the set-up window reads: a comment line, then comma- or line-separated
// items in a fixed order: N; a label and N + 1 distances at the rotation centre (cm); a label
// and N + 1 fan angles (degrees); a label and N + 1 filtration path lengths (mm Al); then 300
// groups of an energy (keV) and the N + 1 directions' fluences in that bin.

#include "energy_bins.h"

#include <string>
#include <vector>

constexpr int maxLastDirection = 25;

struct SpectrumFileContent {
    std::string comment;
    int lastDirection = 0; // N: directions 0 to N
    std::vector<double> distanceCm;
    std::vector<double> fanAngleDeg;
    std::vector<double> pathMmAl;
    std::vector<BinValues> fluence; // [direction]
};

// Writes the file with CR LF line ends, under a temporary name renamed into place, so an
// existing file is replaced only by a complete one. Throws IoError on failure.
void writeSpectrumFileContent(const std::string& fileName, const SpectrumFileContent& content);

// Reads a file in the same item order (text items may be quoted; blanks around items are
// ignored; anything after the last group is ignored). Throws IoError naming the file and line
// for a missing file, a missing or non-numeric item, or N outside 0 to 25.
SpectrumFileContent readSpectrumFileContent(const std::string& fileName);
