#include <unistd.h>
#include "io_error.h"
#include "joken_fixture.h"
#include "run_conditions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

namespace {

class RunConditionsTest : public ::testing::Test {
protected:
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("joken_test_" + std::to_string(::getpid()) + ".dat");
    JokenFixture fixture;

    void SetUp() override
    {
        for (int bin = 20; bin <= 240; ++bin) fixture.fluence[bin - 1] = 1.0e-2;
    }
    void TearDown() override { std::filesystem::remove(path); }

    RunConditions read(const std::string& text)
    {
        std::ofstream(path, std::ios::binary) << text;
        return readRunConditions(path.string());
    }
    std::string errorOf(const std::string& text)
    {
        try {
            RunConditions c = read(text);
            deriveQuantities(c, path.string());
        } catch (const IoError& e) {
            return e.what();
        }
        return "no error";
    }
};

TEST_F(RunConditionsTest, ReadsEveryRecordAndAppendsProfilePoint)
{
    fixture.geometry[0] = "60"; // typed by hand reads like "060.0"
    RunConditions c = read(fixture.text());
    EXPECT_EQ(c.spectrumName, "sample120.csv                 ");
    EXPECT_EQ(c.spectrumName.size(), 30u);
    EXPECT_EQ(c.resultFileName, "result.orv2");
    EXPECT_EQ(c.sourceAxisDistance, 60.0f);
    EXPECT_EQ(c.beamSizeRotation, 40.0f);
    EXPECT_EQ(c.beamSizeBodyAxis, 10.0f);
    EXPECT_EQ(c.historyCount, 1.0e4f);
    EXPECT_EQ(c.filterPointCount, 2);
    EXPECT_EQ(c.filterDistance[1], 0.0f);
    EXPECT_EQ(c.filterDistance[3], 10.0f);
    EXPECT_EQ(c.filterThickness[3], 0.5f);
    EXPECT_EQ(c.filterDistance[4], 15.0f);
    EXPECT_EQ(c.filterThickness[4], 0.5f);
    EXPECT_EQ(c.spectrumFluence[20], 0.01f);
    EXPECT_EQ(c.spectrumFluence[19], 0.0f);

    deriveQuantities(c, path.string());
    EXPECT_EQ(c.topEnergyBin, 241);
    EXPECT_EQ(c.phantomHalfFlatLength, 10.0f);
    EXPECT_EQ(c.phantomRadius, 10.0f);
    EXPECT_NEAR(c.fullFanAngle, 0.6435, 1e-4);
    EXPECT_NEAR(c.halfConeAngle, 0.0831, 1e-4);
    EXPECT_EQ(c.fullFanAngle, static_cast<float>(2.0 * std::atan(20.0 / 60.0)));
    EXPECT_EQ(c.phantomHalfLength, 20.0f);
    double sum = 0;
    for (int i = 1; i <= 300; ++i) sum += c.spectrumFluence[i];
    EXPECT_NEAR(sum, 1.0, 1e-5);
}

TEST_F(RunConditionsTest, LongResultNameKeepsItsExtension)
{
    fixture.resultName = "a_result_name_of_thirty_chars.orv2   ";
    fixture.spectrumName = "a_spectrum_file_name_longer_than_30.csv";
    RunConditions c = read(fixture.text());
    EXPECT_EQ(c.resultFileName, "a_result_name_of_thirty_chars.orv2");
    EXPECT_EQ(c.spectrumName, "a_spectrum_file_name_longer_th");
}

TEST_F(RunConditionsTest, ProfileEdgeCountsAndTopBin)
{
    fixture.pointCount = "000";
    fixture.profile = {"012.5  02.3456"};
    fixture.fluence[299] = 1.0; // bin 300 positive: the loop must stop at 300
    RunConditions c = read(fixture.text());
    EXPECT_EQ(c.filterDistance[1], 12.5f);
    EXPECT_EQ(c.filterThickness[1], 2.3456f);
    EXPECT_EQ(c.filterDistance[2], 17.5f);
    EXPECT_EQ(c.filterThickness[2], 2.3456f);
    deriveQuantities(c, path.string());
    EXPECT_EQ(c.topEnergyBin, 300);

    fixture.pointCount = "025";
    fixture.profile.clear();
    for (int i = 0; i <= 25; ++i) {
        char line[32];
        std::snprintf(line, sizeof line, "%05.1f  %07.4f", 0.5 * i, 0.01 * i);
        fixture.profile.push_back(line);
    }
    c = read(fixture.text());
    EXPECT_EQ(c.filterDistance[26], 12.5f);
    EXPECT_EQ(c.filterDistance[27], 17.5f);
    EXPECT_EQ(c.filterThickness[27], 0.25f);
}

TEST_F(RunConditionsTest, RejectsBadFilesWithFileAndLine)
{
    const std::string name = path.string();
    EXPECT_EQ(errorOf(fixture.text().substr(0, 200)).rfind("read error: " + name + ", line ", 0), 0u);

    JokenFixture tooMany = fixture;
    tooMany.pointCount = "026";
    EXPECT_EQ(errorOf(tooMany.text()),
              "read error: " + name + ", line 9: expected a filter point count from 0 to 25, found 26");
    tooMany.pointCount = "-1";
    EXPECT_EQ(errorOf(tooMany.text()),
              "read error: " + name + ", line 9: expected a filter point count from 0 to 25, found -1");

    JokenFixture badNumber = fixture;
    badNumber.geometry[2] = "ten";
    EXPECT_EQ(errorOf(badNumber.text()),
              "read error: " + name +
                  ", line 5: expected the beam size along the body axis, found 'ten'");

    JokenFixture badProfile = fixture;
    badProfile.profile[1] = "0x5.0  00.3000";
    EXPECT_EQ(errorOf(badProfile.text()),
              "read error: " + name +
                  ", line 11: expected filter profile point 1 distance (F5.1) in columns 1-5, "
                  "found '0x5.0'");

    JokenFixture empty = fixture;
    empty.fluence.assign(300, 0.0);
    EXPECT_EQ(errorOf(empty.text()),
              "read error: " + name +
                  ": the spectrum is empty: no bin from 1 to 300 has a positive fluence");
}

} // namespace
