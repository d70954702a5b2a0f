#pragma once
// Per-bin coefficients from the physics data files, read with the engine's own field rules so
// that the generator, the engine's bowtie weight and the front end use identical numbers.

#include "energy_bins.h"

#include <string>

// Mus.dat, "(E10.3,4E13.5)": the third field, aluminium's linear attenuation coefficient per
// cm (coherent scattering included), for bins 1 to 300. Throws IoError naming the file and line
// for a short file, a field that is no number, or a coefficient that is not positive.
BinValues readAluminiumAttenuation(const std::string& fileName);

// AirMUtr.dat, "(E9.3,E12.4)": the second field, air's mass energy-transfer coefficient in
// cm^2/g, for bins 1 to 300. Same failures as above.
BinValues readAirEnergyTransfer(const std::string& fileName);
