#include "engine_state.h"
#include "interaction_data.h"
#include "io_error.h"
#include "run_sequence.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path sourceDirectory = ORVELL_SOURCE_DIR;
const fs::path fixtureDirectory = sourceDirectory / "engine/tests/fixtures/physics";
const fs::path dataDirectory = sourceDirectory / "data";

std::vector<std::string> readLines(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

void writeLines(const fs::path& path, const std::vector<std::string>& lines)
{
    std::ofstream out(path, std::ios::binary);
    for (const std::string& line : lines) out << line << "\n";
}

// The 300 records of an air or filter file, with a given text in every energy field.
std::vector<std::string> binRecords(const std::string& energyField, const std::string& values)
{
    return std::vector<std::string>(InteractionData::binCount, energyField + values);
}

std::string loadError(void (*load)(InteractionData&, const std::string&), const std::string& file)
{
    auto data = std::make_unique<InteractionData>();
    try {
        load(*data, file);
    } catch (const IoError& error) {
        return error.what();
    }
    return "no error";
}

// A scratch working directory, so that messages name the files as the engine opens them.
class InteractionDataTest : public ::testing::Test {
protected:
    fs::path previous = fs::current_path();
    fs::path directory =
        fs::temp_directory_path() / ("orvcalc_tables_" + std::to_string(::getpid()));
    std::unique_ptr<InteractionData> data = std::make_unique<InteractionData>();

    void SetUp() override
    {
        fs::create_directories(directory);
        fs::current_path(directory);
    }
    void TearDown() override
    {
        fs::current_path(previous);
        fs::remove_all(directory);
    }
};

TEST_F(InteractionDataTest, ReadsTheTissueFixtureAsItsLayoutsSay)
{
    loadSoftTissueTable(*data, (fixtureDirectory / "ICRUSoft.dat").string());
    EXPECT_EQ(data->tissueRowCount, 3);
    EXPECT_EQ(data->tissueHeaderValue, -7.5f);
    // 1.000E-03 MeV is stored as exactly 1 keV.
    EXPECT_EQ(data->energyKeV[1], 1.0f);
    EXPECT_EQ(data->energyKeV[2], 50.0f);
    EXPECT_EQ(data->energyKeV[3], 160.0f);
    EXPECT_EQ(data->coherent[1], 1.33f);
    EXPECT_EQ(data->incoherent[2], 0.179f);
    // The row with a comment after its last field.
    EXPECT_EQ(data->photoelectric[3], 0.543e-3f);
    EXPECT_EQ(data->momentumTransferGrid[1], 0.0f);
    EXPECT_EQ(data->momentumTransferGrid[11], 2.25f);
    EXPECT_EQ(data->coherentCumulative[11], 0.1f);
    EXPECT_EQ(data->momentumTransferGrid[45], 11.0f);
    // The maxima are copies of the 45th values, even where an earlier value is larger.
    EXPECT_EQ(data->incoherentFunction[44], 0.6f);
    EXPECT_EQ(data->incoherentFunctionMax, 0.55f);
    EXPECT_EQ(data->coherentCumulativeMax, 0.44f);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(data->logEnergyKeV[i], static_cast<float>(std::log(double(data->energyKeV[i]))));
        EXPECT_EQ(data->logCoherent[i], static_cast<float>(std::log(double(data->coherent[i]))));
        EXPECT_EQ(data->logIncoherent[i], static_cast<float>(std::log(double(data->incoherent[i]))));
        EXPECT_EQ(data->logPhotoelectric[i],
                  static_cast<float>(std::log(double(data->photoelectric[i]))));
    }
}

TEST_F(InteractionDataTest, TheHeaderValueChangesNothingElse)
{
    std::vector<std::string> lines = readLines(fixtureDirectory / "ICRUSoft.dat");
    lines[1] = "1.0E+30";
    writeLines("ICRUSoft.dat", lines);
    auto other = std::make_unique<InteractionData>();
    loadSoftTissueTable(*data, (fixtureDirectory / "ICRUSoft.dat").string());
    loadSoftTissueTable(*other, "ICRUSoft.dat");
    EXPECT_EQ(other->tissueHeaderValue, 1.0e30f);
    other->tissueHeaderValue = data->tissueHeaderValue;
    EXPECT_EQ(std::memcmp(data.get(), other.get(), sizeof(InteractionData)), 0);
}

// Each case changes one record of the valid fixture (or cuts the file after it) and names
// the message the loader must give.
struct TissueFileCase {
    const char* name;
    int line;                // 1-based record to change
    const char* replacement; // nullptr: the file ends before this record
    const char* message;
};

class BrokenTissueFile : public InteractionDataTest,
                         public ::testing::WithParamInterface<TissueFileCase> {};

TEST_P(BrokenTissueFile, IsRejectedNamingFileAndRecord)
{
    const TissueFileCase& c = GetParam();
    std::vector<std::string> lines = readLines(fixtureDirectory / "ICRUSoft.dat");
    if (c.replacement == nullptr) lines.resize(c.line - 1);
    else lines[c.line - 1] = c.replacement;
    writeLines("ICRUSoft.dat", lines);
    EXPECT_EQ(loadError(loadSoftTissueTable, "ICRUSoft.dat"), c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenTissueFile,
    ::testing::Values(
        TissueFileCase{"Empty", 1, nullptr,
                       "read error: ICRUSoft.dat, line 1: expected the number of tissue rows, "
                       "found the end of the file"},
        TissueFileCase{"EndsInTheTissueRows", 5, nullptr,
                       "read error: ICRUSoft.dat, line 5: expected tissue row 3 of 3 "
                       "(E9.3,3E10.3), found the end of the file"},
        TissueFileCase{"EndsInTheScatteringRows", 50, nullptr,
                       "read error: ICRUSoft.dat, line 50: expected scattering-function row 45 "
                       "of 45 (E10.3,2E12.5), found the end of the file"},
        TissueFileCase{"CountNotANumber", 1, "three",
                       "read error: ICRUSoft.dat, line 1: expected the number of tissue rows, "
                       "found 'three'"},
        TissueFileCase{"FieldNotANumber", 4, " .500E-01  .186E-O1  .179E+00  .250E-01",
                       "read error: ICRUSoft.dat, line 4: expected tissue row 2 of 3 coherent "
                       "coefficient (E10.3) in columns 10-19, found '  .186E-O1'"},
        TissueFileCase{"ScatteringFieldNotANumber", 40, "  .850E+01  .34000E+00  .42500E+0x",
                       "read error: ICRUSoft.dat, line 40: expected scattering-function row 35 "
                       "of 45 incoherent function (E12.5) in columns 23-34, found '  .42500E+0x'"},
        TissueFileCase{"MoreRowsThanTheTableHolds", 1, "36",
                       "read error: ICRUSoft.dat, line 1: expected a number of tissue rows from "
                       "2 to 35, found 36"},
        TissueFileCase{"FewerThanTwoRows", 1, "1",
                       "read error: ICRUSoft.dat, line 1: expected a number of tissue rows from "
                       "2 to 35, found 1"},
        TissueFileCase{"EnergiesNotAscending", 4, " .100E-02  .186E-01  .179E+00  .250E-01",
                       "read error: ICRUSoft.dat, line 4: expected tissue row 2 of 3 energy above "
                       "the previous 1 keV, found 1 keV"},
        TissueFileCase{"ZeroCoefficient", 4, " .500E-01  .186E-01  .000E+00  .250E-01",
                       "read error: ICRUSoft.dat, line 4: expected tissue row 2 of 3 incoherent "
                       "coefficient as a positive number, found 0"},
        TissueFileCase{"NegativeCoefficient", 3, "1.000E-03  .133E+01  .133E-01 -.383E+04",
                       "read error: ICRUSoft.dat, line 3: expected tissue row 1 of 3 "
                       "photoelectric coefficient as a positive number, found -3830"},
        TissueFileCase{"BlankCoefficientReadsAsZero", 3, "1.000E-03            .133E-01  .383E+04",
                       "read error: ICRUSoft.dat, line 3: expected tissue row 1 of 3 coherent "
                       "coefficient as a positive number, found 0"},
        TissueFileCase{"LastEnergyNotAbove150keV", 5, " .150E+00  .206E-02  .143E+00  .543E-03",
                       "read error: ICRUSoft.dat, line 5: expected a last tissue energy above "
                       "150 keV, found 150 keV"},
        TissueFileCase{"GridNotAscending", 20, "  .293E+01  .14000E+00  .17500E+00",
                       "read error: ICRUSoft.dat, line 20: expected scattering-function row 15 "
                       "of 45 momentum transfer above the previous 2.93, found 2.93"},
        TissueFileCase{"GridEndsBelow10", 50, "  .999E+01  .44000E+00  .55000E+00",
                       "read error: ICRUSoft.dat, line 50: expected a last momentum transfer of "
                       "at least 10, found 9.99"},
        TissueFileCase{"CumulativeDecreases", 30, "  .540E+01  .22000E+00  .30000E+00",
                       "read error: ICRUSoft.dat, line 30: expected scattering-function row 25 "
                       "of 45 coherent cumulative not below the previous 0.23, found 0.22"},
        TissueFileCase{"NoCoherentScattering", 50, "  .110E+02  .00000E+00  .55000E+00",
                       "read error: ICRUSoft.dat, line 50: expected scattering-function row 45 "
                       "of 45 coherent cumulative not below the previous 0.43, found 0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InteractionDataTest, MissingFilesFailTheirOpen)
{
    EXPECT_EQ(loadError(loadSoftTissueTable, "ICRUSoft.dat"),
              "open error: ICRUSoft.dat: No such file or directory");
    EXPECT_EQ(loadError(loadAirEnergyTransfer, "AirMUtr.dat"),
              "open error: AirMUtr.dat: No such file or directory");
    EXPECT_EQ(loadError(loadFilterAttenuation, "Mus.dat"),
              "open error: Mus.dat: No such file or directory");
}

TEST_F(InteractionDataTest, BinFilesIgnoreTheirEnergyColumn)
{
    // Record i belongs to bin i whatever its energy field says; the field must still be a number.
    writeLines("AirMUtr.dat", binRecords("  123E-01", "   .5389E+00"));
    writeLines("Mus.dat", binRecords("        -9", "   .34419E+01   .92896E+01   .20458E+00   .13709E+00"));
    loadAirEnergyTransfer(*data, "AirMUtr.dat");
    loadFilterAttenuation(*data, "Mus.dat");
    EXPECT_EQ(data->airEnergyTransfer[1], 0.5389f);
    EXPECT_EQ(data->airEnergyTransfer[300], 0.5389f);
    EXPECT_EQ(data->filterAttenuation[1], 9.2896f);
    EXPECT_EQ(data->filterAttenuation[300], 9.2896f);
}

struct BinFileCase {
    const char* name;
    bool air;                // AirMUtr.dat, else Mus.dat
    int line;                // record to change
    const char* replacement; // nullptr: the file ends before this record
    const char* message;
};

class BrokenBinFile : public InteractionDataTest,
                      public ::testing::WithParamInterface<BinFileCase> {};

TEST_P(BrokenBinFile, IsRejectedNamingFileAndRecord)
{
    const BinFileCase& c = GetParam();
    std::vector<std::string> lines =
        c.air ? binRecords(" .200E-01", "   .5389E+00")
              : binRecords("  .200E-01", "   .34419E+01   .92896E+01   .20458E+00   .13709E+00");
    if (c.replacement == nullptr) lines.resize(c.line - 1);
    else lines[c.line - 1] = c.replacement;
    const char* file = c.air ? "AirMUtr.dat" : "Mus.dat";
    writeLines(file, lines);
    EXPECT_EQ(loadError(c.air ? loadAirEnergyTransfer : loadFilterAttenuation, file), c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenBinFile,
    ::testing::Values(
        BinFileCase{"AirShort", true, 300, nullptr,
                    "read error: AirMUtr.dat, line 300: expected air record 300 of 300 "
                    "(E9.3,E12.4), found the end of the file"},
        BinFileCase{"AirFieldNotANumber", true, 7, " .350E-02   none",
                    "read error: AirMUtr.dat, line 7: expected air record 7 of 300 "
                    "energy-transfer coefficient (E12.4) in columns 10-21, found '   none'"},
        BinFileCase{"AirEnergyNotANumber", true, 2, " 1 keV      .5389E+00",
                    "read error: AirMUtr.dat, line 2: expected air record 2 of 300 energy (E9.3) "
                    "in columns 1-9, found ' 1 keV   '"},
        BinFileCase{"AirCoefficientZero", true, 40, " .200E-01",
                    "read error: AirMUtr.dat, line 40: expected air record 40 of 300 "
                    "energy-transfer coefficient as a positive number, found 0"},
        BinFileCase{"FilterEmpty", false, 1, nullptr,
                    "read error: Mus.dat, line 1: expected filter record 1 of 300 "
                    "(E10.3,4E13.5), found the end of the file"},
        BinFileCase{"FilterFieldNotANumber", false, 12,
                    "  .600E-02   .34419E+01   .9289GE+01   .20458E+00   .13709E+00",
                    "read error: Mus.dat, line 12: expected filter record 12 of 300 attenuation "
                    "coefficient (E13.5) in columns 24-36, found '   .9289GE+01'"},
        BinFileCase{"FilterDiscardedFieldNotANumber", false, 3,
                    "  .150E-02   .34419E+01   .92896E+01   .20458E+00   .1370-E+00",
                    "read error: Mus.dat, line 3: expected filter record 3 of 300 fifth field "
                    "(E13.5) in columns 50-62, found '   .1370-E+00'"},
        BinFileCase{"FilterCoefficientNegative", false, 299,
                    "  .150E+00   .34419E+01  -.92896E+01   .20458E+00   .13709E+00",
                    "read error: Mus.dat, line 299: expected filter record 299 of 300 "
                    "attenuation coefficient as a positive number, found -9.2896"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommittedTables, LoadWithTheValuesTheTransportNeeds)
{
    fs::path previous = fs::current_path();
    fs::current_path(dataDirectory);
    auto data = std::make_unique<InteractionData>();
    loadInteractionData(*data);
    fs::current_path(previous);

    EXPECT_EQ(data->tissueRowCount, 35);
    EXPECT_EQ(data->tissueHeaderValue, 1.0f); // the density the coefficients are given for
    EXPECT_EQ(data->energyKeV[1], 1.0f);      // written .100E-02 (MeV)
    EXPECT_GT(data->energyKeV[35], 150.0f);
    EXPECT_EQ(data->momentumTransferGrid[1], 0.0f);
    EXPECT_GE(data->momentumTransferGrid[45], 10.0f);
    EXPECT_EQ(data->coherentCumulativeMax, data->coherentCumulative[45]);
    EXPECT_EQ(data->incoherentFunctionMax, data->incoherentFunction[45]);
    for (int i = 1; i <= 35; ++i) {
        EXPECT_EQ(data->logEnergyKeV[i], static_cast<float>(std::log(double(data->energyKeV[i]))));
        EXPECT_EQ(data->logPhotoelectric[i],
                  static_cast<float>(std::log(double(data->photoelectric[i]))));
    }
    // Bin 40 is 20 keV, bin 300 is 150 keV.
    EXPECT_EQ(data->airEnergyTransfer[40], 0.5392f);
    EXPECT_EQ(data->airEnergyTransfer[300], 0.02496f);
    EXPECT_EQ(data->filterAttenuation[40], 9.2896f);
}

// A broken table stops the run before the banner with one line and status 1.
TEST_F(InteractionDataTest, ABrokenTableStopsTheRunBeforeTheBanner)
{
    for (const char* name : {"ICRUSoft.dat", "AirMUtr.dat", "Mus.dat"})
        fs::copy_file(dataDirectory / name, directory / name);
    std::vector<std::string> lines = readLines("Mus.dat");
    lines.resize(150);
    writeLines("Mus.dat", lines);

    auto state = std::make_unique<EngineState>();
    std::istringstream in("\n\n");
    std::ostringstream out, err;
    Console console{in, out, err};
    EXPECT_EQ(runEngine(*state, console), 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "read error: Mus.dat, line 151: expected filter record 151 of 300 "
                         "(E10.3,4E13.5), found the end of the file\n");
}

} // namespace
