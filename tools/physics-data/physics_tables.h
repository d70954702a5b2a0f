#pragma once
// The physical quantities behind the engine's three data files, computed in double precision
// from xraylib. Energies in keV; coefficients in cm^2/g unless the name says per cm.

#include "xraylib_checked.h"

#include <vector>

// The soft-tissue material of the phantom and the air of the kerma reference.
Material softTissue();  // ICRU four-component soft tissue
Material dryAir();      // dry air near sea level
Material aluminium();   // the bowtie filter, 2.699 g/cm^3

struct InteractionCoefficients {
    double coherent = 0;
    double incoherent = 0;
    double photoelectric = 0;
    double total() const { return coherent + incoherent + photoelectric; }
};

// Mass coefficients of a material, summed over its elements by mass fraction.
InteractionCoefficients massCoefficients(const Material& material, double energyKeV);

// The tissue table's energies: 1 keV to above 150 keV, dense enough that log-log
// interpolation between rows stays within 0.5 % of xraylib from 5 to 150 keV.
std::vector<double> tissueEnergiesKeV();

// The momentum-transfer grid of the scattering functions: 45 points from 0 to 10 1/Angstrom,
// closer where the form factors change fastest.
std::vector<double> momentumTransferGrid();

// Squared molecular form factor and molecular incoherent scattering function: the atomic ones
// summed over the elements weighted by atoms per unit mass (mass fraction / atomic weight,
// i.e. in mol/g).
double molecularFormFactorSquared(const Material& material, double momentumTransfer);
double molecularIncoherentFunction(const Material& material, double momentumTransfer);

// Running integral of molecularFormFactorSquared(x) * 2x dx from 0 to each grid point.
std::vector<double> coherentCumulative(const Material& material, const std::vector<double>& grid);

// Mass energy-transfer coefficient: photoelectric absorption less the energy carried away by
// fluorescence, plus the electron's share (1 - E'/E) of incoherent scattering integrated over
// angle with the bound-electron cross section (Klein-Nishina times S(x, Z)).
double massEnergyTransfer(const Material& material, double energyKeV);
// The incoherent part alone, for one element.
double incoherentEnergyTransfer(int atomicNumber, double energyKeV);
