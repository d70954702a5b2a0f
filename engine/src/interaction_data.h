#pragma once
// The physics tables of the transport: soft-tissue coefficients by energy, the coherent and
// incoherent scattering functions, the air energy-transfer coefficient and the filter
// attenuation by energy bin. Arrays keep the files' 1-based numbering: element 0 is unused.

#include <array>
#include <cstdint>
#include <string>

struct InteractionData {
    static constexpr int tissueCapacity = 35;
    static constexpr int scatteringRowCount = 45;
    static constexpr int binCount = 300;

    std::int32_t tissueRowCount = 0;
    float tissueHeaderValue = 0; // read, never used
    std::array<float, tissueCapacity + 1> energyKeV{};
    std::array<float, tissueCapacity + 1> coherent{};      // per cm
    std::array<float, tissueCapacity + 1> incoherent{};    // per cm
    std::array<float, tissueCapacity + 1> photoelectric{}; // per cm

    std::array<float, scatteringRowCount + 1> momentumTransferGrid{}; // sin(theta/2)/lambda, 1/Angstrom
    std::array<float, scatteringRowCount + 1> coherentCumulative{};
    std::array<float, scatteringRowCount + 1> incoherentFunction{};
    float coherentCumulativeMax = 0;
    float incoherentFunctionMax = 0;

    std::array<float, binCount + 1> airEnergyTransfer{}; // cm^2/g, bins 1..300
    std::array<float, binCount + 1> filterAttenuation{}; // per cm, bins 1..300

    // Natural logarithms of the four tissue columns, each the float that rounding
    // std::log(double(value)) gives, so the per-flight interpolation can use them unchanged.
    std::array<float, tissueCapacity + 1> logEnergyKeV{};
    std::array<float, tissueCapacity + 1> logCoherent{};
    std::array<float, tissueCapacity + 1> logIncoherent{};
    std::array<float, tissueCapacity + 1> logPhotoelectric{};
};

// Loads ICRUSoft.dat, AirMUtr.dat and Mus.dat from the current directory, in that order.
// Throws IoError naming the file and record on any failure.
void loadInteractionData(InteractionData& data);

// The three steps of loadInteractionData, each reading one file by the name given. Besides
// the read failures, each rejects tables the transport cannot work with: a tissue row count
// outside 2..35, tissue energies not strictly ascending or ending at or below 150 keV, a
// coefficient that is not a positive number, a momentum-transfer grid that is not strictly
// ascending from 0 or ends below 10, a cumulative that decreases, and scattering functions
// whose last values are not positive.
void loadSoftTissueTable(InteractionData& data, const std::string& fileName);
void loadAirEnergyTransfer(InteractionData& data, const std::string& fileName);
void loadFilterAttenuation(InteractionData& data, const std::string& fileName);

// Sets the logarithm columns from the tissue rows; the loader calls it, and so must anyone
// who fills the tissue rows by hand.
void computeTissueLogarithms(InteractionData& data);
