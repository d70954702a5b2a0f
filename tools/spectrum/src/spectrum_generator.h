#pragma once
// Builds the content of a spectrum file: the model spectrum with its added filtration, then
// one spectrum per bowtie direction, attenuated by that direction's extra aluminium path.

#include "energy_bins.h"
#include "spectrum_file.h"
#include "tasmip_model.h"

#include <functional>
#include <string>

struct SpectrumSettings {
    double kV = 120.0;
    double addedAluminiumMm = 2.5;  // the central filtration, on top of the model's own
    int lastDirection = 20;         // N
    double maxDistanceCm = 20.0;    // distance of direction N at the rotation centre
    double sadCm = 60.0;
    std::string bowtieDescription = "no bowtie";
    std::function<double(double distanceCm)> bowtiePathMmAl = [](double) { return 0.0; };
};

// Direction i lies at maxDistanceCm * i / N; its path is the added filtration plus the bowtie's,
// its spectrum the model's times exp(-mu_Al * path). Fluences below 1e-10 of the largest are
// written as 0, so no reader meets numbers beyond single precision.
SpectrumFileContent generateSpectrumFile(const TasmipTable& table, const BinValues& aluminiumPerCm,
                                         const SpectrumSettings& settings);
