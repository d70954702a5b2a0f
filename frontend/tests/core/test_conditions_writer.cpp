#include "conditions_writer.h"
#include "run_conditions.h"
#include "spectrum_file_maker.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "number_format.h"

namespace {

using namespace spectrum_test;

SpectrumData spectrumOf(int n)
{
    SpectrumData data;
    data.lastDirection = n;
    for (int i = 0; i <= n; ++i) {
        data.directionDistance[i] = distance(i);
        data.filterPathLength[i] = filtration(i);
        for (int e = 1; e <= 300; ++e)
            data.directionFluence[i][e] = fluence(i, e);
    }
    data.fluenceMax = 1;
    return data;
}

SetupInputs defaults()
{
    SetupInputs inputs;
    inputs.spectrumFileName = "spec01.csv";
    inputs.resultName = "spec01";
    return inputs;
}

TEST(SetupValidation, ChecksBodyAxisThenRotationSizes)
{
    struct Case {
        const char* rotation;
        const char* bodyAxis;
        bool accepted;
        const char* problemWord;
    };
    const Case cases[] = {
        {"10", "1", true, ""},          {"40", "10", true, ""},
        {"9.9", "1", false, "rotation"}, {"9.99", "10", false, "rotation"},
        {"10", "0.5", false, "body axis"}, {"10", "0.9", false, "body axis"},
        {"9.9", "0.5", false, "body axis"}, // both wrong: the first check's problem only
        {"abc", "1", false, "rotation"}, {"10", "abc", false, "body axis"},
        {"10cm", "1cm", true, ""},
    };
    for (const auto& c : cases) {
        SetupInputs inputs = defaults();
        inputs.beamSizeRotation = c.rotation;
        inputs.beamSizeBodyAxis = c.bodyAxis;
        inputs.sourceAxisDistance = "abc"; // never checked
        const auto problem = setupInputProblem(inputs);
        EXPECT_EQ(!problem.has_value(), c.accepted) << c.rotation << " / " << c.bodyAxis;
        if (problem) {
            EXPECT_NE(problem->find(c.problemWord), std::string::npos) << *problem;
        }
    }
}

TEST(ConditionsRecords, DefaultsWithTwentyDirections)
{
    const auto records = conditionsRecords(defaults(), spectrumOf(20));
    ASSERT_EQ(records.size(), 330u);
    const std::vector<std::string> header(records.begin(), records.begin() + 9);
    EXPECT_EQ(header, (std::vector<std::string>{"spec01.csv", "spec01.orv2", "060.0", "040.0",
                                                "010.0", "020.0", "020.0", "1.000E+09", "020"}));
    EXPECT_EQ(records[9], "000.0  01.0000");   // 10 mm Al at 0 cm
    EXPECT_EQ(records[29], "010.0  05.0000");  // direction 20: 10 cm, 50 mm Al
    EXPECT_EQ(records[30], "0000.5  1.000E-03");
    EXPECT_EQ(records[30 + 119], "0060.0  1.000E+00");
    EXPECT_EQ(records[329], "0150.0  0.000E+00");
    for (int i = 9; i < 30; ++i)
        EXPECT_EQ(records[i].size(), 14u);
    for (int i = 30; i < 330; ++i)
        EXPECT_EQ(records[i].size(), 17u);
}

TEST(ConditionsRecords, WritesTypedTextsByTheirPatterns)
{
    SetupInputs inputs = defaults();
    inputs.sourceAxisDistance = "60cm";
    inputs.historyCount = "";
    inputs.resultName = "";
    inputs.spectrumFileName = "";
    inputs.phantomFlatLength = "1000";
    inputs.phantomThickness = "25.55";
    SpectrumData spectrum = spectrumOf(0);
    spectrum.directionDistance[0] = 12.5;
    spectrum.filterPathLength[0] = 23.456;
    const auto records = conditionsRecords(inputs, spectrum);
    ASSERT_EQ(records.size(), 310u);
    EXPECT_EQ(records[0], "");
    EXPECT_EQ(records[1], ".orv2");
    EXPECT_EQ(records[2], "060.0");
    EXPECT_EQ(records[5], "1000.0");
    EXPECT_EQ(records[6], "025.6");
    EXPECT_EQ(records[7], "0.000E+00");
    EXPECT_EQ(records[8], "000");
    EXPECT_EQ(records[9], "012.5  02.3456");

    inputs.historyCount = "1e400";
    EXPECT_THROW(conditionsRecords(inputs, spectrum), ConditionsError);
}

class ConditionsFileTest : public testing::Test {
protected:
    TemporaryDirectory directory;
    std::string path() const { return (directory.path() / "joken.dat").string(); }
};

TEST_F(ConditionsFileTest, EndsEveryRecordWithCrLfAndLeavesNoTemporaryFile)
{
    writeConditionsFile(path(), {"a", "", "060.0"});
    std::ifstream in(path(), std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(content, "a\r\n\r\n060.0\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(ConditionsFileTest, EngineReadsBackWhatWasWritten)
{
    SetupInputs inputs = defaults();
    inputs.beamSizeBodyAxis = "2.5";
    inputs.historyCount = "123456789";
    const SpectrumData spectrum = spectrumOf(25);
    writeConditionsFile(path(), conditionsRecords(inputs, spectrum));

    const RunConditions read = readRunConditions(path());
    EXPECT_EQ(read.spectrumName, "spec01.csv" + std::string(20, ' '));
    EXPECT_EQ(read.resultFileName, "spec01.orv2");
    EXPECT_FLOAT_EQ(read.sourceAxisDistance, 60);
    EXPECT_FLOAT_EQ(read.beamSizeRotation, 40);
    EXPECT_FLOAT_EQ(read.beamSizeBodyAxis, 2.5);
    EXPECT_FLOAT_EQ(read.phantomFlatLength, 20);
    EXPECT_FLOAT_EQ(read.phantomThickness, 20);
    EXPECT_FLOAT_EQ(read.historyCount, 1.235e8f);
    ASSERT_EQ(read.filterPointCount, 25);
    for (int i = 0; i <= 25; ++i) {
        EXPECT_FLOAT_EQ(read.filterDistance[i + 1], static_cast<float>(distance(i)));
        EXPECT_FLOAT_EQ(read.filterThickness[i + 1], static_cast<float>(filtration(i) * 0.1));
    }
    for (int e = 1; e <= 300; ++e)
        EXPECT_FLOAT_EQ(read.spectrumFluence[e], std::stof(formatNumber(fluence(0, e), "0.000E+00")))
            << "bin " << e;
}

TEST_F(ConditionsFileTest, FailureLeavesTheEarlierFileAsItWas)
{
    writeConditionsFile(path(), {"first"});
    // A directory where the temporary file should go cannot be created as a file.
    std::filesystem::create_directory(path() + ".tmp");
    EXPECT_THROW(writeConditionsFile(path(), {"second"}), ConditionsError);
    std::ifstream in(path(), std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(content, "first\r\n");
    EXPECT_THROW(writeConditionsFile((directory.path() / "no" / "joken.dat").string(), {"x"}),
                 ConditionsError);
}

} // namespace
