#pragma once
// The tungsten-anode spectrum model of Boone and Seibert (Med. Phys. 24(11):1661, 1997):
// per 1-keV row, photons/mm^2 per mAs at 1 m = a0 + a1 kV + a2 kV^2 + a3 kV^3.
//
// Energy reading: row E holds the photons from E - 1 to E keV (its label is the upper edge of
// the bin). Read as bin centres, the labels put the spectra's end point (the continuum
// extrapolated to zero) about 0.7 keV above the tube voltage and the centroid of the K-alpha
// bump 0.6 keV above the lines' (58.83 keV); read as upper edges, both come within 0.2 keV,
// and the rows that hold the lines are those that peak: K-alpha2 (57.98 keV) in row 58,
// K-alpha1 (59.32) in row 60, K-beta1 (67.24) in row 68. Shifting the rows a whole keV down
// overshoots by about 0.3 keV.
//
// The table smears each K line over several rows (it was built from spectra sampled every
// 2 keV). The lines' fluence above the local continuum is moved back to the 0.5-keV bins that
// hold the line energies, so the peaks appear where the physics puts them.

#include "energy_bins.h"

#include <array>
#include <string>

constexpr int tasmipRowCount = 141; // rows 0 to 140 keV
constexpr double tasmipMinimumKv = 30.0;
constexpr double tasmipMaximumKv = 140.0;

struct TasmipTable {
    std::array<std::array<double, 4>, tasmipRowCount> coefficients{}; // a0..a3 per row
};

// Reads the coefficient table (header "energy_keV,a0,a1,a2,a3", rows 0 to 140 in order).
// Throws IoError naming the file and line for anything else.
TasmipTable readTasmipTable(const std::string& fileName);

using TasmipRows = std::array<double, tasmipRowCount>;

// The model's rows at tube voltage kV: negative values and rows labelled above kV are zero.
TasmipRows evaluateTasmipRows(const TasmipTable& table, double kV);

// The fluence of each K-line group, in photons/mm^2 per mAs at 1 m.
struct CharacteristicLines {
    double kAlpha = 0;
    double kBeta = 0;
};

// Removes the K-line bumps from `rows`, leaving the continuum interpolated linearly between
// the rows just outside each bump, and returns what was removed. The sum of rows plus lines
// is unchanged. Below the voltage at which both bumps lie inside the spectrum it does nothing.
CharacteristicLines separateCharacteristicLines(TasmipRows& rows, double kV);

// Physical line energies (keV) and the share of each K-alpha line in its group.
constexpr double kAlpha2EnergyKeV = 57.98;
constexpr double kAlpha1EnergyKeV = 59.32;
constexpr double kBeta1EnergyKeV = 67.24;
constexpr double kAlpha2RelativeIntensity = 0.58; // to K-alpha1 = 1

// The base spectrum on the 300 bins: the continuum rows spread evenly over their 1-keV span
// (each 0.5-keV bin takes what falls within it) plus the K lines in the bins of their energies.
// K-beta3 (66.95 keV) shares K-beta1's bin; the weaker K-beta2 is counted with them.
BinValues tasmipSpectrum(const TasmipTable& table, double kV);
