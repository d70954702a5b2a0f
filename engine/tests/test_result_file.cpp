#include "dose_grid.h"
#include "fixtures/simulation/synthetic_tables.h"
#include "io_error.h"
#include "result_file.h"
#include "text_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

float floatFromBits(std::uint32_t bits)
{
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string fastField(float value)
{
    std::string out;
    appendDoseField(out, value);
    return out;
}

TEST(ResultFileFields, DoseFieldsInTheE93Layout)
{
    EXPECT_EQ(fastField(1.234f), " .123E+01");
    EXPECT_EQ(fastField(0.000456f), " .456E-03");
    EXPECT_EQ(fastField(0.00123f), " .123E-02");
    EXPECT_EQ(fastField(0.5f), " .500E+00");
    EXPECT_EQ(fastField(0.0f), " .000E+00");
    EXPECT_EQ(fastField(0.9996f), " .100E+01"); // rounds up into the next decade
    EXPECT_EQ(fastField(1.125f), " .112E+01");  // an exact half rounds to even
    EXPECT_EQ(fastField(1.375f), " .138E+01");
}

TEST(ResultFileFields, FastWriterMatchesTheGeneralOneBitForBit)
{
    // Every decade a float reaches, values next to the rounding halves, and a sweep of bit
    // patterns over the whole positive range.
    int compared = 0;
    for (int exponent = -45; exponent <= 38; ++exponent) {
        for (int mantissa = 1000; mantissa <= 9999; mantissa += 7) {
            const float centre = static_cast<float>(mantissa * 0.5e-3 * std::pow(10.0, exponent));
            float value = centre;
            for (int step = 0; step < 3; ++step) value = std::nextafter(value, 0.0f);
            for (int step = 0; step < 7; ++step, value = std::nextafter(value, INFINITY)) {
                if (!(value > 0.0f) || !std::isfinite(value)) continue;
                ASSERT_EQ(fastField(value), formatE(value, 9, 3)) << value;
                ++compared;
            }
        }
    }
    for (std::uint32_t bits = 1; bits < 0x7f800000u; bits += 4099) {
        const float value = floatFromBits(bits);
        ASSERT_EQ(fastField(value), formatE(value, 9, 3)) << value;
    }
    EXPECT_GT(compared, 700000);
}

TEST(ResultFileNormalisation, TwoSeparateDivisionsAndTheScaledReference)
{
    auto grid = std::make_unique<DoseGrid>();
    // Values for which one combined division by (0.005 * reference) rounds differently.
    int differing = 0;
    const float reference = 3.7f;
    for (int i = 0; i < 1000; ++i) {
        const float v = 1.0f + i * 0.001234f;
        grid->cells[i] = v;
        const float scaled = static_cast<float>(static_cast<float>(3.7 * 2.0) * 4.0);
        const float twoSteps = static_cast<float>(static_cast<float>(v / double(0.005f)) / scaled);
        const float oneStep = static_cast<float>(v / (double(0.005f) * scaled));
        differing += twoSteps != oneStep;
    }
    float kerma = reference;
    normaliseDoseGrid(*grid, kerma);
    EXPECT_EQ(kerma, static_cast<float>(static_cast<float>(3.7f * 2.0) * 4.0));
    for (int i = 0; i < 1000; ++i) {
        const float v = 1.0f + i * 0.001234f;
        ASSERT_EQ(grid->cells[i], static_cast<float>(static_cast<float>(v / double(0.005f)) / kerma));
    }
    EXPECT_GT(differing, 0); // the cases do tell the two ways apart
    EXPECT_EQ(grid->cells[5000], 0.0f);
}

class ResultFileWriting : public ::testing::Test {
protected:
    fs::path directory = fs::temp_directory_path() / ("orvcalc_result_" + std::to_string(::getpid()));
    RunConditions conditions = defaultConditions(1.0e9f);
    std::unique_ptr<DoseGrid> grid = std::make_unique<DoseGrid>();

    void SetUp() override { fs::create_directories(directory); }
    void TearDown() override { fs::remove_all(directory); }

    std::string path(const std::string& name) const { return (directory / name).string(); }
    static std::string contents(const std::string& file)
    {
        std::ifstream in(file, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static std::vector<std::string> crlfLines(const std::string& text)
    {
        std::vector<std::string> lines;
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = text.find("\r\n", start);
            if (end == std::string::npos) {
                lines.push_back(text.substr(start) + "<no line end>");
                break;
            }
            lines.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        return lines;
    }
};

TEST_F(ResultFileWriting, LayoutOfTheHeaderAndTheOrderOfTheDoseLines)
{
    conditions.spectrumName = "short.csv" + std::string(21, ' ');
    grid->at(1, 1, 1, 1) = 0.5f;
    grid->at(1, 200, 1, 1) = 1.234f;
    grid->at(1, 5, 3, 7) = 0.000456f;  // line 8 + 100 * 2 + 6
    grid->at(2, 1, 1, 1) = 0.00123f;   // line 4008
    grid->at(2, 17, 40, 100) = 2.5f;   // the last line
    writeResultFile(path("r.orv2"), conditions, *grid);

    const std::vector<std::string> lines = crlfLines(contents(path("r.orv2")));
    ASSERT_EQ(lines.size(), 8007u);
    EXPECT_EQ(lines[0], "short.csv" + std::string(21, ' '));
    EXPECT_EQ(lines[1], " 60.0");
    EXPECT_EQ(lines[2], " 40.0");
    EXPECT_EQ(lines[3], " 10.0");
    EXPECT_EQ(lines[4], " 20.0");
    EXPECT_EQ(lines[5], " 20.0");
    EXPECT_EQ(lines[6], " .10E+10");
    for (std::size_t i = 7; i < lines.size(); ++i) ASSERT_EQ(lines[i].size(), 1800u) << i + 1;
    auto field = [&](int lineNumber, int ix) { return lines[lineNumber - 1].substr((ix - 1) * 9, 9); };
    EXPECT_EQ(field(8, 1), " .500E+00");
    EXPECT_EQ(field(8, 2), " .000E+00");
    EXPECT_EQ(field(8, 200), " .123E+01");
    EXPECT_EQ(field(214, 5), " .456E-03");
    EXPECT_EQ(field(4008, 1), " .123E-02");
    EXPECT_EQ(field(8007, 17), " .250E+01");
    EXPECT_FALSE(fs::exists(temporaryResultName(path("r.orv2"))));
}

TEST_F(ResultFileWriting, ReplacesAnEarlierResultOnlyWhenComplete)
{
    EXPECT_FALSE(temporaryResultName("r.orv2").ends_with(".orv2"));
    std::ofstream(path("r.orv2")) << "an earlier result\n";
    grid->at(1, 1, 1, 1) = 0.5f;
    writeResultFile(path("r.orv2"), conditions, *grid);
    EXPECT_EQ(contents(path("r.orv2")).substr(0, 30), conditions.spectrumName);
    EXPECT_EQ(std::distance(fs::directory_iterator(directory), fs::directory_iterator()), 1);
}

TEST_F(ResultFileWriting, AFailedWriteNamesTheFileAndLeavesNothingBehind)
{
    // A name the file cannot take: a directory in the way, then a missing directory.
    fs::create_directories(directory / "taken.orv2" / "inside");
    try {
        writeResultFile(path("taken.orv2"), conditions, *grid);
        FAIL() << "no error";
    } catch (const IoError& error) {
        EXPECT_NE(std::string(error.what()).find("taken.orv2"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(fs::exists(temporaryResultName(path("taken.orv2"))));
    EXPECT_TRUE(fs::is_directory(directory / "taken.orv2" / "inside"));

    try {
        writeResultFile(path("missing/r.orv2"), conditions, *grid);
        FAIL() << "no error";
    } catch (const IoError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("open error: ", 0), 0u) << error.what();
        EXPECT_NE(std::string(error.what()).find("missing/r.orv2"), std::string::npos);
    }
}

} // namespace
