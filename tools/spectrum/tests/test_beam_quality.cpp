#include "beam_quality.h"
#include "energy_bins.h"
#include "project_data.h"
#include "spectrum_generator.h"
#include "tasmip_model.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(BeamQuality, MonoenergeticBeamHalvesPerLn2OverMu)
{
    for (double energy : {20.0, 60.0, 120.0}) {
        SCOPED_TRACE(energy);
        BinValues fluence{};
        const int bin = binIndexOf(energy);
        fluence[bin] = 1000.0;
        const BinValues& mu = projectAluminium();
        HalfValueLayers hvl = halfValueLayers(fluence, mu, projectAirEnergyTransfer());
        EXPECT_NEAR(hvl.firstMm, 10.0 * std::log(2.0) / mu[bin], 1e-5);
        EXPECT_NEAR(hvl.secondMm, hvl.firstMm, 1e-5);
        EXPECT_DOUBLE_EQ(meanEnergyKeV(fluence), energy);
    }
}

TEST(BeamQuality, ProjectDataReproduceTheIndependentReferenceOnTheTablesOwnGrid)
{
    // Independent values for the 1-keV rows with their labels read as bin centres (aluminium
    // 2.699 g/cm^3 x total cross-section, air kerma with NIST-agreeing mu_en of dry air). This
    // checks Mus.dat, AirMUtr.dat, their units and the weighting, apart from the energy reading.
    struct Case {
        double kV, addedMm, meanKeV, firstMm, secondMm;
    };
    const Case cases[] = {
        {120, 2.5, 57.1, 5.46, 7.64},
        {80, 2.5, 46.1, 3.77, 5.10},
        {120, 0.0, 52.5, 3.49, 5.99},
        {80, 0.0, 41.8, 2.34, 3.70},
    };
    const BinValues& mu = projectAluminium();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kV);
        SCOPED_TRACE(c.addedMm);
        TasmipRows rows = evaluateTasmipRows(projectTasmipTable(), c.kV);
        BinValues fluence{};
        for (int row = 10; row < tasmipRowCount; ++row) {
            const int bin = binIndexOf(row);
            fluence[bin] = rows[row] * std::exp(-mu[bin] * 0.1 * c.addedMm);
        }
        HalfValueLayers hvl = halfValueLayers(fluence, mu, projectAirEnergyTransfer());
        EXPECT_NEAR(meanEnergyKeV(fluence), c.meanKeV, 0.1);
        EXPECT_NEAR(hvl.firstMm, c.firstMm, 0.03);
        EXPECT_NEAR(hvl.secondMm, c.secondMm, 0.03);
    }
}

TEST(BeamQuality, Generated120kVWith2point5MmAlHasTheExpectedQuality)
{
    SpectrumSettings settings;
    settings.kV = 120.0;
    settings.addedAluminiumMm = 2.5;
    settings.lastDirection = 0;
    SpectrumFileContent file =
        generateSpectrumFile(projectTasmipTable(), projectAluminium(), settings);
    const BinValues& fluence = file.fluence[0];
    HalfValueLayers hvl = halfValueLayers(fluence, projectAluminium(), projectAirEnergyTransfer());
    EXPECT_NEAR(meanEnergyKeV(fluence), 57.0, 1.0);
    EXPECT_NEAR(hvl.firstMm, 5.5, 0.2);
    EXPECT_GT(hvl.secondMm, hvl.firstMm); // a polyenergetic beam hardens
}

} // namespace
