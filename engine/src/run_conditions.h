#pragma once
// The run parameters of joken.dat and the quantities the engine derives from them.
// Arrays keep the file's 1-based numbering: element 0 is unused.

#include <array>
#include <cstdint>
#include <string>

class TextInput;

struct RunConditions {
    static constexpr int maxFilterPointCount = 25;
    static constexpr int profileCapacity = maxFilterPointCount + 2; // read points + the appended one
    static constexpr int binCount = 300;

    std::string spectrumName;   // exactly 30 characters, blank-padded
    std::string resultFileName; // record 2 with trailing blanks removed
    float sourceAxisDistance = 0;
    float beamSizeRotation = 0;
    float beamSizeBodyAxis = 0;
    float phantomFlatLength = 0;
    float phantomThickness = 0;
    float historyCount = 0;
    std::int32_t filterPointCount = 0;
    std::array<float, profileCapacity + 1> filterDistance{};  // cm, points 1..N+2
    std::array<float, profileCapacity + 1> filterThickness{}; // cm Al, points 1..N+2
    std::array<float, binCount + 1> spectrumFluence{};        // bins 1..300, normalised on deriving

    // Derived (deriveQuantities).
    float phantomHalfFlatLength = 0;
    float phantomRadius = 0;
    std::int32_t topEnergyBin = 0;
    float spectrumSum = 0;
    float halfBeamSizeRotation = 0;
    float halfBeamSizeBodyAxis = 0;
    float fullFanAngle = 0;  // full opening angle, radians
    float halfConeAngle = 0; // half angle, radians
    float phantomHalfLength = 0;
};

// Reads joken.dat (or any file in its layout) in one pass, appending the extra profile point.
// Throws IoError naming the file and line on a missing file, a short file or a bad field.
RunConditions readRunConditions(const std::string& fileName);

// Derives the half sizes, topEnergyBin, the normalised spectrum and the beam angles, in that
// order. Throws IoError when the spectrum has no positive bin.
void deriveQuantities(RunConditions& conditions, const std::string& fileName);
