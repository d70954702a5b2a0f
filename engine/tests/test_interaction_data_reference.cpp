// The committed physics tables against independent published figures, and the scattering
// functions against the coefficients they must reproduce in the transport's sampling.
//
// References (cm^2/g), J. H. Hubbell and S. M. Seltzer, "Tables of X-Ray Mass Attenuation
// Coefficients and Mass Energy-Absorption Coefficients", NIST Standard Reference Database
// 126 (NISTIR 5632, 1995/2004):
// - dry air (near sea level), mass energy-absorption coefficient mu_en/rho; below 150 keV
//   radiative losses are negligible, so it equals the mass energy-transfer coefficient;
// - aluminium (Z = 13), mass attenuation coefficient mu/rho including coherent scattering;
// - hydrogen, carbon, nitrogen and oxygen, mu/rho, combined by the mixture rule with the mass
//   fractions of ICRU four-component soft tissue (H 0.101172, C 0.111000, N 0.026000,
//   O 0.761828; NIST material composition data), since the tables list no such mixture.

#include "interaction_data.h"
#include "text_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace {

constexpr double electronRadius = 2.8179403262e-13;  // cm, CODATA 2018
constexpr double avogadro = 6.02214076e23;           // 1/mol
constexpr double planckTimesLight = 12.398419843;    // keV Angstrom
constexpr double electronRestEnergy = 510.99895;     // keV
constexpr double pi = 3.14159265358979323846;

std::unique_ptr<InteractionData> committedTables()
{
    fs::path previous = fs::current_path();
    fs::current_path(fs::path(ORVELL_SOURCE_DIR) / "data");
    auto data = std::make_unique<InteractionData>();
    loadInteractionData(*data);
    fs::current_path(previous);
    return data;
}

int binOf(double energyKeV) { return static_cast<int>(std::lround(energyKeV / 0.5)); }

double relativeDeviation(double value, double reference) { return value / reference - 1.0; }

// The tissue lookup of the transport: log-log between the rows that bracket E.
struct TissueCoefficients {
    double coherent, incoherent, photoelectric;
    double total() const { return coherent + incoherent + photoelectric; }
};

TissueCoefficients tissueAt(const InteractionData& d, double energyKeV)
{
    int k = 2;
    while (d.energyKeV[k] <= energyKeV) ++k;
    double f = (std::log(energyKeV) - d.logEnergyKeV[k - 1]) /
               (d.logEnergyKeV[k] - d.logEnergyKeV[k - 1]);
    auto interpolate = [&](const auto& logs) {
        return std::exp((logs[k] - logs[k - 1]) * f + logs[k - 1]);
    };
    return {interpolate(d.logCoherent), interpolate(d.logIncoherent),
            interpolate(d.logPhotoelectric)};
}

TEST(PhysicsReference, AirEnergyTransferMatchesNist)
{
    struct Point { double energyKeV, muEnOverRho; };
    const Point nist[] = {{10, 4.742},    {15, 1.334},    {20, 0.5389},  {30, 0.1537},
                          {40, 0.06833},  {50, 0.04098},  {60, 0.03041}, {80, 0.02407},
                          {100, 0.02325}, {150, 0.02496}};
    auto data = committedTables();
    for (const Point& p : nist)
        EXPECT_NEAR(relativeDeviation(data->airEnergyTransfer[binOf(p.energyKeV)], p.muEnOverRho),
                    0.0, 0.01)
            << p.energyKeV << " keV";
}

TEST(PhysicsReference, AluminiumAttenuationMatchesNist)
{
    constexpr double density = 2.699; // g/cm^3
    struct Point { double energyKeV, muOverRho; };
    // 1.5 keV lies just below the K edge (1.5596 keV), 2 keV above it.
    const Point nist[] = {{1, 1185},    {1.5, 402.2},  {2, 2263},    {3, 788.0},
                          {4, 360.5},   {5, 193.4},    {6, 115.3},   {8, 50.33},
                          {10, 26.23},  {15, 7.955},   {20, 3.441},  {30, 1.128},
                          {40, 0.5685}, {50, 0.3681},  {60, 0.2778}, {80, 0.2018},
                          {100, 0.1704}, {150, 0.1378}};
    auto data = committedTables();
    for (const Point& p : nist)
        EXPECT_NEAR(relativeDeviation(data->filterAttenuation[binOf(p.energyKeV)] / density,
                                      p.muOverRho),
                    0.0, 0.01)
            << p.energyKeV << " keV";
}

TEST(PhysicsReference, SoftTissueAttenuationMatchesTheMixtureOfNistElements)
{
    struct Point { double energyKeV, hydrogen, carbon, nitrogen, oxygen; };
    const Point nist[] = {
        {10, 0.3854, 2.373, 3.879, 5.952},      {15, 0.3764, 0.8071, 1.236, 1.836},
        {20, 0.3695, 0.4420, 0.6178, 0.8651},   {30, 0.3570, 0.2562, 0.3066, 0.3779},
        {40, 0.3458, 0.2076, 0.2288, 0.2585},   {50, 0.3355, 0.1871, 0.1980, 0.2132},
        {60, 0.3260, 0.1753, 0.1817, 0.1907},   {80, 0.3091, 0.1610, 0.1639, 0.1678},
        {100, 0.2944, 0.1514, 0.1529, 0.1551},  {150, 0.2651, 0.1347, 0.1353, 0.1361}};
    auto data = committedTables();
    for (const Point& p : nist) {
        double mixture =
            0.101172 * p.hydrogen + 0.111 * p.carbon + 0.026 * p.nitrogen + 0.761828 * p.oxygen;
        // At unit density the coefficients per cm are mass coefficients.
        EXPECT_NEAR(relativeDeviation(tissueAt(*data, p.energyKeV).total(), mixture), 0.0, 0.01)
            << p.energyKeV << " keV";
    }
}

// The coherent coefficient that the cumulative implies at E, with the density the sampler
// uses (uniform in x between grid points): 2 pi r_e^2 N_A lambda^2 times the integral of
// (1 + cos^2 theta) dC up to x = 1/lambda.
double coherentFromCumulative(const InteractionData& d, double energyKeV)
{
    const double lambda = planckTimesLight / energyKeV;
    const double xMax = 1.0 / lambda;
    double integral = 0.0;
    for (int k = 2; k <= InteractionData::scatteringRowCount; ++k) {
        double x0 = d.momentumTransferGrid[k - 1], x1 = d.momentumTransferGrid[k];
        if (x0 >= xMax) break;
        double slope = (d.coherentCumulative[k] - d.coherentCumulative[k - 1]) / (x1 - x0);
        double end = std::min(x1, xMax);
        constexpr int steps = 50;
        for (int s = 0; s < steps; ++s) {
            double x = x0 + (end - x0) * (s + 0.5) / steps;
            double cosTheta = 1.0 - 2.0 * lambda * lambda * x * x;
            integral += (1.0 + cosTheta * cosTheta) * slope * (end - x0) / steps;
        }
    }
    return 2.0 * pi * electronRadius * electronRadius * avogadro * lambda * lambda * integral;
}

// The incoherent coefficient that S implies at E: Klein-Nishina times S(x), interpolated
// linearly as the sampler does and taken as its last value from x = 10 on.
double incoherentFromFunction(const InteractionData& d, double energyKeV)
{
    constexpr int steps = 2000;
    double integral = 0.0;
    for (int s = 0; s < steps; ++s) {
        double mu = -1.0 + 2.0 * (s + 0.5) / steps; // cos theta
        double ratio = 1.0 / (1.0 + energyKeV / electronRestEnergy * (1.0 - mu)); // E'/E
        double kleinNishina = 0.5 * electronRadius * electronRadius * ratio * ratio *
                              (ratio + 1.0 / ratio - (1.0 - mu * mu));
        double x = std::sqrt((1.0 - mu) / 2.0) * energyKeV / planckTimesLight;
        double function = d.incoherentFunctionMax;
        if (x < 10.0) {
            int k = 2;
            while (d.momentumTransferGrid[k] <= x) ++k;
            function = (d.incoherentFunction[k] - d.incoherentFunction[k - 1]) /
                           (d.momentumTransferGrid[k] - d.momentumTransferGrid[k - 1]) *
                           (x - d.momentumTransferGrid[k - 1]) +
                       d.incoherentFunction[k - 1];
        }
        integral += kleinNishina * function * 2.0 * pi * (2.0 / steps);
    }
    return integral * avogadro;
}

TEST(PhysicsReference, ScatteringFunctionsReproduceTheTissueCoefficients)
{
    auto data = committedTables();
    for (double energy : {10.0, 20.0, 40.0, 60.0, 80.0, 100.0, 140.0}) {
        TissueCoefficients table = tissueAt(*data, energy);
        EXPECT_NEAR(relativeDeviation(coherentFromCumulative(*data, energy), table.coherent), 0.0,
                    0.01)
            << energy << " keV";
        EXPECT_NEAR(relativeDeviation(incoherentFromFunction(*data, energy), table.incoherent), 0.0,
                    0.01)
            << energy << " keV";
    }
}

} // namespace
