#include "physics_tables.h"

#include <xraylib.h>

#include <algorithm>

#include <cmath>
#include <numbers>

Material softTissue() { return nistMaterial(NIST_COMPOUND_TISSUE_SOFT_ICRU_FOUR_COMPONENT); }
Material dryAir() { return nistMaterial(NIST_COMPOUND_AIR_DRY_NEAR_SEA_LEVEL); }
Material aluminium() { return elementMaterial(13, 2.699); }

InteractionCoefficients massCoefficients(const Material& material, double energyKeV)
{
    InteractionCoefficients sum;
    for (const MaterialElement& element : material.elements) {
        sum.coherent += element.massFraction * coherentCrossSection(element.atomicNumber, energyKeV);
        sum.incoherent +=
            element.massFraction * incoherentCrossSection(element.atomicNumber, energyKeV);
        sum.photoelectric +=
            element.massFraction * photoelectricCrossSection(element.atomicNumber, energyKeV);
    }
    return sum;
}

std::vector<double> tissueEnergiesKeV()
{
    // Few rows below the 5 keV cut-off, where no photon is followed; each value has three
    // significant digits in MeV, so the file holds it exactly.
    return {1.0,   2.0,   3.0,   4.0,   5.0,   5.6,   6.3,   7.1,   8.0,   9.0,   10.0,  11.2,
            12.6,  14.1,  15.8,  17.8,  20.0,  22.4,  25.1,  28.2,  31.6,  35.5,  40.0,  45.0,
            50.0,  56.0,  63.0,  71.0,  80.0,  90.0,  100.0, 112.0, 126.0, 141.0, 160.0};
}

std::vector<double> momentumTransferGrid()
{
    // x = 10 (e^4t - 1)/(e^4 - 1) on 45 equal steps of t: steps of about 0.02 near 0, where
    // the form factors fall and S rises, widening to 0.9 near 10, where both have levelled.
    // Rounded to the three significant digits the file holds. With this grid, linear
    // interpolation of S and of the cumulative stays within 0.2 % of their last values.
    const double scale = 10.0 / std::expm1(4.0);
    std::vector<double> grid;
    for (int i = 0; i < 45; ++i) {
        double x = scale * std::expm1(4.0 * i / 44.0);
        if (x > 0) {
            double unit = std::pow(10.0, std::floor(std::log10(x)) - 2);
            x = std::round(x / unit) * unit;
        }
        grid.push_back(x);
    }
    return grid;
}

double molecularFormFactorSquared(const Material& material, double momentumTransfer)
{
    double sum = 0.0;
    for (const MaterialElement& element : material.elements) {
        int z = element.atomicNumber;
        double f = momentumTransfer > 0 ? atomicFormFactor(z, momentumTransfer) : z;
        sum += element.massFraction / atomicWeight(z) * f * f;
    }
    return sum;
}

double molecularIncoherentFunction(const Material& material, double momentumTransfer)
{
    double sum = 0.0;
    for (const MaterialElement& element : material.elements) {
        int z = element.atomicNumber;
        double s = momentumTransfer > 0 ? incoherentScatteringFunction(z, momentumTransfer) : 0.0;
        sum += element.massFraction / atomicWeight(z) * s;
    }
    return sum;
}

std::vector<double> coherentCumulative(const Material& material, const std::vector<double>& grid)
{
    // Simpson's rule on each grid interval, split finely enough for the steep start.
    constexpr int steps = 64;
    auto integrand = [&](double x) { return molecularFormFactorSquared(material, x) * 2.0 * x; };
    std::vector<double> cumulative{0.0};
    for (std::size_t i = 1; i < grid.size(); ++i) {
        double a = grid[i - 1];
        double h = (grid[i] - a) / steps;
        double sum = integrand(a) + integrand(grid[i]);
        for (int k = 1; k < steps; ++k) sum += integrand(a + k * h) * (k % 2 ? 4.0 : 2.0);
        cumulative.push_back(cumulative.back() + sum * h / 3.0);
    }
    return cumulative;
}

double incoherentEnergyTransfer(int atomicNumber, double energyKeV)
{
    // Integrate over mu = cos(theta), dOmega = 2 pi dmu, by Simpson's rule.
    constexpr int steps = 1000;
    constexpr double electronRestEnergy = 510.99895;  // keV
    auto integrand = [&](double mu) {
        double theta = std::acos(std::clamp(mu, -1.0, 1.0));
        double momentumTransfer = std::sin(theta / 2.0) * energyKeV / KEV2ANGST;
        double scatteredShare = 1.0 / (1.0 + energyKeV / electronRestEnergy * (1.0 - mu));
        return kleinNishinaDifferentialCrossSection(energyKeV, theta) *
               incoherentScatteringFunction(atomicNumber, momentumTransfer) *
               (1.0 - scatteredShare);
    };
    double h = 2.0 / steps;
    double sum = integrand(-1.0) + integrand(1.0);
    for (int k = 1; k < steps; ++k) sum += integrand(-1.0 + k * h) * (k % 2 ? 4.0 : 2.0);
    double barnPerAtom = 2.0 * std::numbers::pi * sum * h / 3.0;
    return barnPerAtom * avogadroPerBarn() / atomicWeight(atomicNumber);
}

double massEnergyTransfer(const Material& material, double energyKeV)
{
    double sum = 0.0;
    for (const MaterialElement& element : material.elements) {
        int z = element.atomicNumber;
        double photoelectric = photoelectricCrossSection(z, energyKeV) -
                               fluorescenceEscapeCrossSection(z, energyKeV);
        sum += element.massFraction * (photoelectric + incoherentEnergyTransfer(z, energyKeV));
    }
    return sum;
}
