#pragma once
// The texts of the engine's three physics data files, in the record layouts its loader reads:
// ICRUSoft.dat  count, header value, rows "(E9.3,3E10.3)", 45 rows "(E10.3,2E12.5)"
// AirMUtr.dat   300 rows "(E9.3,E12.4)"
// Mus.dat       300 rows "(E10.3,4E13.5)"
// Energies are written in MeV; bin i of the 300-bin files is 0.5 i keV.

#include <string>

std::string softTissueFileText();
std::string airEnergyTransferFileText();
std::string filterAttenuationFileText();
