// The committed data files against the generator and against xraylib itself.

#include "data_files.h"
#include "interaction_data.h"
#include "physics_tables.h"
#include "text_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

const fs::path dataDirectory = fs::path(ORVELL_SOURCE_DIR) / "data";

std::string fileText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> fileLines(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The largest relative error that writing `value` with `digits` significant digits can make.
double roundingBound(double value, int digits)
{
    double unit = std::pow(10.0, std::floor(std::log10(std::fabs(value))) + 1 - digits);
    return 0.5 * unit / std::fabs(value) * 1.0001;
}

float field(std::string_view record, std::size_t start, std::size_t width)
{
    float value = 0;
    EXPECT_TRUE(parseFixedReal(record.substr(start, width), 3, value)) << record;
    return value;
}

TEST(PhysicsDataGenerator, RegeneratesTheCommittedFilesByteForByte)
{
    fs::path directory = fs::temp_directory_path() / ("physics_data_" + std::to_string(::getpid()));
    fs::create_directories(directory);
    std::string command = std::string(GENERATOR_PATH) + " " + directory.string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* name : {"ICRUSoft.dat", "AirMUtr.dat", "Mus.dat"}) {
        EXPECT_EQ(fileText(directory / name), fileText(dataDirectory / name)) << name;
        EXPECT_FALSE(fs::exists(directory / (std::string(name) + ".part"))) << name;
    }
    fs::remove_all(directory);
}

// The transport interpolates the tissue table log-log; with the rows as stored in the file
// (three digits) it must stay within 0.5 % of xraylib anywhere from 5 to 150 keV.
TEST(PhysicsDataGenerator, TissueInterpolationStaysWithinHalfAPercentOfXraylib)
{
    auto data = std::make_unique<InteractionData>();
    loadSoftTissueTable(*data, (dataDirectory / "ICRUSoft.dat").string());
    const Material tissue = softTissue();
    double worst[3] = {0, 0, 0};
    for (double energy = 5.0; energy <= 150.0; energy *= 1.001) {
        int k = 2;
        while (data->energyKeV[k] <= energy) ++k;
        double f = (std::log(energy) - data->logEnergyKeV[k - 1]) /
                   (data->logEnergyKeV[k] - data->logEnergyKeV[k - 1]);
        auto interpolate = [&](const auto& logs) {
            return std::exp((logs[k] - logs[k - 1]) * f + logs[k - 1]);
        };
        InteractionCoefficients exact = massCoefficients(tissue, energy);
        worst[0] = std::max(worst[0], std::fabs(interpolate(data->logCoherent) / exact.coherent - 1));
        worst[1] =
            std::max(worst[1], std::fabs(interpolate(data->logIncoherent) / exact.incoherent - 1));
        worst[2] = std::max(
            worst[2], std::fabs(interpolate(data->logPhotoelectric) / exact.photoelectric - 1));
    }
    EXPECT_LT(worst[0], 0.005) << "coherent";
    EXPECT_LT(worst[1], 0.005) << "incoherent";
    EXPECT_LT(worst[2], 0.005) << "photoelectric";
}

TEST(PhysicsDataGenerator, TissueColumnsAreXraylibsWithinTheirDigits)
{
    auto data = std::make_unique<InteractionData>();
    loadSoftTissueTable(*data, (dataDirectory / "ICRUSoft.dat").string());
    const Material tissue = softTissue();
    const std::vector<double> energies = tissueEnergiesKeV();
    ASSERT_EQ(data->tissueRowCount, static_cast<int>(energies.size()));
    for (int i = 1; i <= data->tissueRowCount; ++i) {
        EXPECT_FLOAT_EQ(data->energyKeV[i], static_cast<float>(energies[i - 1]));
        InteractionCoefficients c = massCoefficients(tissue, energies[i - 1]);
        EXPECT_NEAR(data->coherent[i] / c.coherent - 1, 0.0, roundingBound(c.coherent, 3)) << i;
        EXPECT_NEAR(data->incoherent[i] / c.incoherent - 1, 0.0, roundingBound(c.incoherent, 3)) << i;
        EXPECT_NEAR(data->photoelectric[i] / c.photoelectric - 1, 0.0,
                    roundingBound(c.photoelectric, 3))
            << i;
    }
    // S(x) tends to the electrons per unit mass, sum of w Z / A (mol/g).
    double electrons = 0;
    for (const MaterialElement& e : tissue.elements)
        electrons += e.massFraction * e.atomicNumber / atomicWeight(e.atomicNumber);
    EXPECT_NEAR(data->incoherentFunctionMax / electrons, 1.0, 0.001);
}

// Mus.dat: energy (MeV), mu/rho, mu = mu/rho times 2.699 (the column the engine reads), then
// the coherent and incoherent mass coefficients. AirMUtr.dat: energy (MeV), mu_tr/rho.
TEST(PhysicsDataGenerator, BinFileColumnsMeanWhatTheirDocumentationSays)
{
    const Material filter = aluminium();
    const Material air = dryAir();
    std::vector<std::string> filterLines = fileLines(dataDirectory / "Mus.dat");
    std::vector<std::string> airLines = fileLines(dataDirectory / "AirMUtr.dat");
    ASSERT_EQ(filterLines.size(), 300u);
    ASSERT_EQ(airLines.size(), 300u);
    for (int bin = 1; bin <= 300; bin += 7) {
        double energy = 0.5 * bin;
        const std::string& f = filterLines[bin - 1];
        InteractionCoefficients c = massCoefficients(filter, energy);
        EXPECT_FLOAT_EQ(field(f, 0, 10), static_cast<float>(energy / 1000.0)) << bin;
        EXPECT_NEAR(field(f, 10, 13) / c.total() - 1, 0.0, roundingBound(c.total(), 5)) << bin;
        double linear = c.total() * 2.699;
        EXPECT_NEAR(field(f, 23, 13) / linear - 1, 0.0, roundingBound(linear, 5)) << bin;
        EXPECT_NEAR(field(f, 36, 13) / c.coherent - 1, 0.0, roundingBound(c.coherent, 5)) << bin;
        EXPECT_NEAR(field(f, 49, 13) / c.incoherent - 1, 0.0, roundingBound(c.incoherent, 5)) << bin;

        const std::string& a = airLines[bin - 1];
        double transfer = massEnergyTransfer(air, energy);
        EXPECT_FLOAT_EQ(field(a, 0, 9), static_cast<float>(energy / 1000.0)) << bin;
        EXPECT_NEAR(field(a, 9, 12) / transfer - 1, 0.0, roundingBound(transfer, 4)) << bin;
    }
}

// For a free electron (S = 1 everywhere) the energy-transfer integral is the Klein-Nishina
// energy-transfer cross section; bound electrons (S < 1 at small x) transfer less.
TEST(PhysicsDataGenerator, IncoherentEnergyTransferIsBelowTheFreeElectronValue)
{
    for (double energy : {20.0, 60.0, 150.0}) {
        // Klein-Nishina energy-transfer cross section per free electron, in closed form
        // (R. D. Evans, The Atomic Nucleus, 1955, ch. 23).
        double k = energy / 510.99895;
        double re2 = 2.8179403262e-13 * 2.8179403262e-13;
        double a = 1 + 2 * k;
        double perElectron =
            2 * M_PI * re2 *
            (2 * (1 + k) * (1 + k) / (k * k * a) - (1 + 3 * k) / (a * a) -
             (1 + k) * (2 * k * k - 2 * k - 1) / (k * k * a * a) - 4 * k * k / (3 * a * a * a) -
             ((1 + k) / (k * k * k) - 1 / (2 * k) + 1 / (2 * k * k * k)) * std::log(a));
        // Oxygen: 8 electrons per atom, 15.999 g/mol.
        double freeElectrons = perElectron * 8 * 6.02214076e23 / 15.999;
        double bound = incoherentEnergyTransfer(8, energy);
        EXPECT_LT(bound, freeElectrons) << energy;
        EXPECT_GT(bound, 0.9 * freeElectrons) << energy;
    }
}

} // namespace
