#include "conditions_file.h"
#include "project_data.h"
#include "run_conditions.h"
#include "sample_files.h"
#include "spectrum_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

namespace {

SetUpInputs demoInputs()
{
    SetUpInputs inputs;
    inputs.spectrumFileName = "tasmip-120kV-body.csv";
    inputs.resultName = "demo120";
    inputs.historyCount = 1.0e6;
    return inputs;
}

TEST(DemoConditions, AreTheSetUpWindowsDefaultsWithThe120kVBodySample)
{
    SpectrumFileContent sample = readSpectrumFileContent(dataPath("spectra/tasmip-120kV-body.csv"));
    std::string expected = conditionsText(demoInputs(), sample);
    // The bundled file is what the generator writes today.
    std::ifstream in(dataPath("joken.dat"), std::ios::binary);
    std::string bundled((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bundled, expected);

    // 9 header records, 21 profile records of 14 characters, 300 spectrum records of 17, CR LF.
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < bundled.size();) {
        std::size_t end = bundled.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        lines.push_back(bundled.substr(start, end - start));
        start = end + 2;
    }
    ASSERT_EQ(lines.size(), 330u);
    const std::vector<std::string> header = {"tasmip-120kV-body.csv", "demo120.orv2", "060.0", "040.0",
                                             "010.0", "020.0", "020.0", "1.000E+06", "020"};
    for (std::size_t i = 0; i < header.size(); ++i) EXPECT_EQ(lines[i], header[i]);
    EXPECT_EQ(lines[9], "000.0  00.2500");
    EXPECT_EQ(lines[29], "020.0  03.2500");
    for (int i = 9; i < 30; ++i) EXPECT_EQ(lines[i].size(), 14u) << i;
    for (int i = 30; i < 330; ++i) EXPECT_EQ(lines[i].size(), 17u) << i;
    EXPECT_EQ(lines[30], "0000.5  0.000E+00");
    EXPECT_EQ(lines[329].substr(0, 6), "0150.0");
}

TEST(DemoConditions, ReadWithTheEnginesReader)
{
    RunConditions c = readRunConditions(dataPath("joken.dat"));
    SpectrumFileContent sample = readSpectrumFileContent(dataPath("spectra/tasmip-120kV-body.csv"));
    EXPECT_EQ(c.spectrumName, "tasmip-120kV-body.csv         ");
    EXPECT_EQ(c.resultFileName, "demo120.orv2");
    EXPECT_EQ(c.sourceAxisDistance, 60.0f);
    EXPECT_EQ(c.beamSizeRotation, 40.0f);
    EXPECT_EQ(c.beamSizeBodyAxis, 10.0f);
    EXPECT_EQ(c.phantomFlatLength, 20.0f);
    EXPECT_EQ(c.phantomThickness, 20.0f);
    EXPECT_EQ(c.historyCount, 1.0e6f);
    ASSERT_EQ(c.filterPointCount, 20);
    for (int i = 0; i <= 20; ++i) {
        EXPECT_NEAR(c.filterDistance[i + 1], sample.distanceCm[i], 0.05);
        EXPECT_NEAR(c.filterThickness[i + 1], 0.1 * sample.pathMmAl[i], 5.1e-5);
    }
    EXPECT_EQ(c.filterDistance[22], c.filterDistance[21] + 5.0f);
    for (int bin = 0; bin < binCount; ++bin)
        EXPECT_NEAR(c.spectrumFluence[bin + 1], sample.fluence[0][bin], 5e-4 * sample.fluence[0][bin]);

    deriveQuantities(c, dataPath("joken.dat"));
    EXPECT_EQ(c.topEnergyBin, 241); // one bin above 120 keV
    EXPECT_NEAR(c.fullFanAngle, 2.0 * std::atan(20.0 / 60.0), 1e-6);
}

TEST(ConditionsFile, WritesLargeValuesWithMoreDigitsAndNothingHalfWritten)
{
    SpectrumFileContent sample = regeneratedSample(sampleFiles()[0]);
    SetUpInputs inputs = demoInputs();
    inputs.sadCm = 1000.0;
    inputs.historyCount = 123456789.0;
    std::string text = conditionsText(inputs, sample);
    EXPECT_NE(text.find("\r\n1000.0\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n1.235E+08\r\n"), std::string::npos);

    std::string message =
        errorOf([&] { writeConditionsFile("/nonexistent/dir/joken.dat", inputs, sample); });
    EXPECT_NE(message.find("/nonexistent/dir/joken.dat"), std::string::npos) << message;
}

} // namespace
