#include "energy_bins.h"
#include "project_data.h"
#include "tasmip_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numeric>
#include <sstream>

namespace {

double total(const BinValues& bins) { return std::accumulate(bins.begin(), bins.end(), 0.0); }

// The bin holding the most photons between two energies (keV).
double peakEnergy(const BinValues& bins, double fromKeV, double toKeV)
{
    int best = binIndexOf(fromKeV);
    for (int i = best; i <= binIndexOf(toKeV); ++i)
        if (bins[i] > bins[best]) best = i;
    return binEnergyKeV(best);
}

TEST(TasmipSpectrum, KLinesFallInTheBinsOfTheirEnergies)
{
    // K-alpha1 59.32 keV lies in the bin of 59.5 keV (59.25 to 59.75), K-alpha2 57.98 in that
    // of 58.0, K-beta1 67.24 in that of 67.0 (66.75 to 67.25).
    for (double kV : {75.0, 80.0, 100.0, 120.0, 140.0}) {
        SCOPED_TRACE(kV);
        BinValues bins = tasmipSpectrum(projectTasmipTable(), kV);
        EXPECT_EQ(peakEnergy(bins, 55.0, 65.0), 59.5);
        EXPECT_EQ(peakEnergy(bins, 57.0, 59.0), 58.0);
        EXPECT_EQ(peakEnergy(bins, 65.5, 72.0), 67.0);
        // The lines stand clearly above the continuum beside them.
        EXPECT_GT(bins[binIndexOf(59.5)], 1.5 * bins[binIndexOf(60.0)]);
        EXPECT_GT(bins[binIndexOf(67.0)], 1.2 * bins[binIndexOf(66.5)]);
    }
}

TEST(TasmipSpectrum, KeepsEveryPhotonOfTheTableAndNoneAboveTheTubeVoltage)
{
    for (double kV : {30.0, 50.5, 69.0, 71.0, 80.0, 120.0, 140.0}) {
        SCOPED_TRACE(kV);
        TasmipRows rows = evaluateTasmipRows(projectTasmipTable(), kV);
        BinValues bins = tasmipSpectrum(projectTasmipTable(), kV);
        double rowSum = std::accumulate(rows.begin(), rows.end(), 0.0);
        EXPECT_NEAR(total(bins), rowSum, 1e-9 * rowSum);
        for (int i = 0; i < binCount; ++i)
            if (binEnergyKeV(i) > kV) {
                EXPECT_EQ(bins[i], 0.0) << binEnergyKeV(i) << " keV";
            }
        EXPECT_TRUE(std::all_of(bins.begin(), bins.end(), [](double f) { return f >= 0.0; }));
    }
}

TEST(TasmipSpectrum, LeavesTheContinuumAloneBelowTheKEdge)
{
    TasmipRows rows = evaluateTasmipRows(projectTasmipTable(), 65.0);
    TasmipRows before = rows;
    CharacteristicLines lines = separateCharacteristicLines(rows, 65.0);
    EXPECT_EQ(lines.kAlpha, 0.0);
    EXPECT_EQ(lines.kBeta, 0.0);
    EXPECT_EQ(rows, before);
}

TEST(TasmipSpectrum, LinesCarryAPlausibleShareOfThePhotons)
{
    // At 120 kV the K lines are a few per cent of an unfiltered tungsten spectrum, and K-beta
    // is about a quarter of K-alpha.
    TasmipRows rows = evaluateTasmipRows(projectTasmipTable(), 120.0);
    double all = std::accumulate(rows.begin(), rows.end(), 0.0);
    CharacteristicLines lines = separateCharacteristicLines(rows, 120.0);
    EXPECT_GT(lines.kAlpha / all, 0.02);
    EXPECT_LT(lines.kAlpha / all, 0.10);
    EXPECT_GT(lines.kBeta / lines.kAlpha, 0.15);
    EXPECT_LT(lines.kBeta / lines.kAlpha, 0.35);
}

std::string tableText(int lastRow)
{
    std::string text = "energy_keV,a0,a1,a2,a3\n";
    for (int row = 0; row <= lastRow; ++row)
        text += std::to_string(row) + ",1.0e+000,0,0,0\n";
    return text;
}

TEST(TasmipTableReader, ReadsTheProjectTableAndRejectsDamage)
{
    const TasmipTable& table = projectTasmipTable();
    EXPECT_EQ(table.coefficients[9], (std::array<double, 4>{0, 0, 0, 0}));
    EXPECT_NE(table.coefficients[50][0], 0.0);

    std::string good = tableText(140);
    EXPECT_EQ(errorOf([&] { ScratchFile f("good.csv", good); readTasmipTable(f.path()); }), "no error");

    struct Case {
        std::string name;
        std::string text;
        std::string line;
    };
    std::string badNumber = good;
    badNumber.replace(badNumber.find("\n51,1.0e+000") + 4, 7, "1.0x000");
    std::string wrongLabel = good;
    wrongLabel.replace(wrongLabel.find("\n60,") + 1, 2, "61");
    const Case cases[] = {
        {"header", "energy,a0,a1,a2,a3\n" + good.substr(good.find('\n') + 1), "line 1"},
        {"short", tableText(120), "line 123"},
        {"number", badNumber, "line 53"},
        {"label", wrongLabel, "line 62"},
        {"fields", good.substr(0, good.find("\n3,")) + "\n3,1,2,3\n", "line 5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFile file("table_" + c.name + ".csv", c.text);
        std::string message = errorOf([&] { readTasmipTable(file.path()); });
        EXPECT_NE(message.find(file.path()), std::string::npos) << message;
        EXPECT_NE(message.find(c.line), std::string::npos) << message;
    }
    EXPECT_NE(errorOf([] { readTasmipTable("/nonexistent/table.csv"); }).find("/nonexistent/table.csv"),
              std::string::npos);
}

} // namespace
