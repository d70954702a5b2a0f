#pragma once
// joken.dat as the set-up window writes it when started with its default inputs (SAD 60 cm,
// beam 40 x 10 cm, phantom 20 x 20 cm) and a spectrum file: CR LF line ends, the window's
// number patterns, path lengths converted from mm to cm, only direction 0's spectrum.

#include "spectrum_file.h"

#include <string>

struct SetUpInputs {
    std::string spectrumFileName; // as listed, without directory
    std::string resultName;       // without ".orv2"
    double sadCm = 60.0;
    double beamSizeRotationCm = 40.0;
    double beamSizeBodyAxisCm = 10.0;
    double phantomACm = 20.0;
    double phantomBCm = 20.0;
    double historyCount = 1.0e9;
};

std::string conditionsText(const SetUpInputs& inputs, const SpectrumFileContent& spectrum);

// Writes conditionsText under a temporary name renamed into place. Throws IoError on failure.
void writeConditionsFile(const std::string& fileName, const SetUpInputs& inputs,
                         const SpectrumFileContent& spectrum);
