#pragma once
// The 300 energy bins shared by spectrum files, joken.dat and the physics data files:
// bin b (1 to 300) is the photon energy 0.5 * b keV and spans 0.25 keV on either side.
// Arrays hold bin b at index b - 1.

#include <array>
#include <cmath>

constexpr int binCount = 300;
constexpr double binWidthKeV = 0.5;

using BinValues = std::array<double, binCount>;

constexpr double binEnergyKeV(int index) { return binWidthKeV * (index + 1); }

// Index of the bin whose span holds `energyKeV` (the nearest bin centre).
inline int binIndexOf(double energyKeV)
{
    return static_cast<int>(std::lround(energyKeV / binWidthKeV)) - 1;
}
