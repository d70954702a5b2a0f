#pragma once
// The spectrum data file made by the spectrum program, and the front end's copy of it.
//
// Layout after the free comment line: items separated by commas or line ends, in this order:
// N; a label; N+1 distances (cm at the rotation centre); a label; N+1 values not used; a label;
// N+1 filtration path lengths (mm Al); then 300 groups of an energy (discarded) and the
// fluences of directions 0..N in that bin. Whatever follows the last group is ignored.

#include <array>
#include <stdexcept>
#include <string>

struct SpectrumData {
    static constexpr int maxLastDirection = 25;
    static constexpr int directionCapacity = maxLastDirection + 1;
    static constexpr int binCount = 300; // bin e is the energy 0.5 e keV

    std::string spectrumComment; // the first line, as UTF-8
    int lastDirection = 0;       // N: directions 0..N
    std::array<double, directionCapacity> directionDistance{};
    std::array<double, directionCapacity> filterPathLength{};
    // directionFluence[i][e], e = 1..300 (element 0 unused)
    std::array<std::array<double, binCount + 1>, directionCapacity> directionFluence{};
    double fluenceMax = 0; // largest fluence of direction 0: the scale of every curve
};

// A spectrum file that cannot be used; the message names the file and, where it can, the
// line and item.
class SpectrumFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the whole file into a new value. Throws SpectrumFileError when the file cannot be
// opened, ends early, holds a non-numeric item where a number belongs, gives N outside 0..25,
// or has a direction-0 fluence that is zero in every bin.
SpectrumData readSpectrumFile(const std::string& path);

// The first line only (for showing the comment when a file is chosen). Throws
// SpectrumFileError when the file cannot be opened or is empty.
std::string readSpectrumComment(const std::string& path);
