#include "bowtie_profile.h"
#include "project_data.h"
#include "spectrum_file.h"
#include "spectrum_generator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <filesystem>
#include <numbers>

namespace {

SpectrumFileContent generated(double kV, int lastDirection, const WaterCompensator* bowtie)
{
    SpectrumSettings s;
    s.kV = kV;
    s.lastDirection = lastDirection;
    if (bowtie) {
        s.bowtieDescription = bowtie->name + " bowtie";
        s.bowtiePathMmAl = [bowtie](double d) { return compensatorPathMmAl(*bowtie, d, 60.0); };
    }
    return generateSpectrumFile(projectTasmipTable(), projectAluminium(), s);
}

// The file holds distances and paths to 1e-4 and fluences to 7 significant digits.
void expectSameContent(const SpectrumFileContent& read, const SpectrumFileContent& made)
{
    EXPECT_EQ(read.comment, made.comment);
    ASSERT_EQ(read.lastDirection, made.lastDirection);
    ASSERT_EQ(read.fluence.size(), made.fluence.size());
    for (int i = 0; i <= made.lastDirection; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(read.distanceCm[i], made.distanceCm[i], 5e-5);
        EXPECT_NEAR(read.fanAngleDeg[i], made.fanAngleDeg[i], 5e-5);
        EXPECT_NEAR(read.pathMmAl[i], made.pathMmAl[i], 5e-5);
        for (int bin = 0; bin < binCount; ++bin)
            ASSERT_NEAR(read.fluence[i][bin], made.fluence[i][bin], 5e-7 * made.fluence[i][bin])
                << "bin " << bin + 1;
    }
}

TEST(SpectrumFile, RoundTripsFromOneToTwentySixDirections)
{
    for (int n : {0, 1, 20, 25}) {
        SCOPED_TRACE(n);
        SpectrumFileContent made = generated(100.0, n, &bodyBowtie());
        ScratchFile file("roundtrip.csv");
        writeSpectrumFileContent(file.path(), made);
        expectSameContent(readSpectrumFileContent(file.path()), made);
        EXPECT_FALSE(std::filesystem::exists(file.path() + ".tmp"));
    }
}

TEST(SpectrumFile, WritesItemsInTheSetUpWindowsOrder)
{
    SpectrumFileContent made = generated(120.0, 2, &headBowtie());
    ScratchFile file("order.csv");
    writeSpectrumFileContent(file.path(), made);
    std::string text = file.text();
    // Comment, N, three labelled rows of N + 1 numbers, 300 groups; CR LF line ends.
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    ASSERT_EQ(lines.size(), 305u);
    EXPECT_EQ(lines[0], made.comment);
    EXPECT_EQ(lines[1], "2");
    EXPECT_EQ(lines[2].rfind("\"Distance", 0), 0u);
    EXPECT_EQ(lines[2].substr(lines[2].find(',')), ",0.0000,10.0000,20.0000");
    EXPECT_EQ(lines[4].substr(lines[4].find(',')), ",2.5000,22.5000,22.5000");
    EXPECT_EQ(lines[5].substr(0, 4), "0.5,");
    EXPECT_EQ(lines[304].substr(0, 6), "150.0,");
    EXPECT_EQ(std::count(lines[150].begin(), lines[150].end(), ','), 3);
}

TEST(SpectrumFile, CommentSaysVoltageFiltrationAndBowtie)
{
    std::string comment = generated(80.0, 20, &bodyBowtie()).comment;
    for (const char* part : {"80 kV", "2.5 mm Al", "body bowtie", "N = 20", "SAD 60 cm"})
        EXPECT_NE(comment.find(part), std::string::npos) << part;
}

TEST(SpectrumFileReader, AcceptsAnyItemLayoutAndIgnoresTrailingItems)
{
    SpectrumFileContent made = generated(90.0, 3, &bodyBowtie());
    ScratchFile rows("rows.csv");
    writeSpectrumFileContent(rows.path(), made);
    std::string text = rows.text();
    // One item per line, blanks around items, LF only, an extra row after the last group.
    std::string onePerLine = text.substr(0, text.find("\r\n") + 2);
    for (char ch : text.substr(onePerLine.size())) {
        if (ch == '\r') continue;
        onePerLine += ch == ',' ? std::string("  \n ") : std::string(1, ch);
    }
    onePerLine += "\"extra\",1,2,3\n";
    ScratchFile items("items.csv", onePerLine);
    SpectrumFileContent read = readSpectrumFileContent(items.path());
    expectSameContent(read, made);
}

TEST(SpectrumFileReader, RejectsBrokenFilesNamingFileAndLine)
{
    SpectrumFileContent made = generated(90.0, 2, nullptr);
    ScratchFile good("good.csv");
    writeSpectrumFileContent(good.path(), made);
    const std::string text = good.text();
    auto lineStart = [&](int line) {
        std::size_t at = 0;
        for (int i = 1; i < line; ++i) at = text.find('\n', at) + 1;
        return at;
    };
    std::string badNumber = text;
    badNumber.replace(lineStart(100) + 6, 3, "abc");
    std::string bigN = text;
    bigN.replace(lineStart(2), 1, "26");
    struct Case {
        std::string name, text, expected;
    };
    const Case cases[] = {
        {"truncated", text.substr(0, lineStart(200)), "line 200"},
        {"number", badNumber, "line 100"},
        {"n", bigN, "0 to 25"},
        {"comment_only", "comment\r\n", "line"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFile file("broken_" + c.name + ".csv", c.text);
        std::string message = errorOf([&] { readSpectrumFileContent(file.path()); });
        EXPECT_NE(message.find(file.path()), std::string::npos) << message;
        EXPECT_NE(message.find(c.expected), std::string::npos) << message;
    }
}

TEST(SpectrumFileWriter, LeavesNothingBehindWhenItCannotWrite)
{
    SpectrumFileContent made = generated(90.0, 0, nullptr);
    std::string message = errorOf([&] { writeSpectrumFileContent("/nonexistent/dir/x.csv", made); });
    EXPECT_NE(message.find("/nonexistent/dir/x.csv"), std::string::npos) << message;
    EXPECT_FALSE(std::filesystem::exists("/nonexistent/dir/x.csv.tmp"));
}

TEST(DirectionSpectra, FollowTheirPathThroughTheEnginesAttenuation)
{
    // Direction i relative to direction 0 is exp(-mu * extra path), the engine's bowtie weight.
    SpectrumFileContent made = generated(120.0, 20, &bodyBowtie());
    const BinValues& mu = projectAluminium();
    for (int i : {5, 10, 20}) {
        double extraCm = 0.1 * (made.pathMmAl[i] - made.pathMmAl[0]);
        for (int bin : {binIndexOf(40.0), binIndexOf(59.5), binIndexOf(100.0)})
            EXPECT_NEAR(made.fluence[i][bin] / made.fluence[0][bin], std::exp(-mu[bin] * extraCm), 1e-12);
    }
    EXPECT_DOUBLE_EQ(made.fanAngleDeg[20], std::atan(20.0 / 60.0) * 180.0 / std::numbers::pi);
}

} // namespace
