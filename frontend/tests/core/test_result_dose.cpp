// Reading result files: header, token rules, the order of the grid, and the failures that
// must leave a clear message instead of a half-read result.

#include "result_dose.h"
#include "result_file_fixture.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace result_fixture;

namespace {

void expectFixtureGrid(const ResultDose& dose)
{
    int mismatches = 0;
    for (int component = 1; component <= 2; ++component)
        for (int y = 1; y <= 40; ++y)
            for (int z = 1; z <= 100; ++z)
                for (int x = 1; x <= 200; ++x)
                    mismatches += dose(component, x, y, z) != cellValue(component, x, y, z);
    EXPECT_EQ(mismatches, 0);
}

std::string messageOf(const std::string& fileName, bool headerOnly = false)
{
    try {
        if (headerOnly) {
            readResultHeader(fileName);
        } else {
            readResultFile(fileName);
        }
    } catch (const ResultFileError& error) {
        return error.what();
    }
    ADD_FAILURE() << "no error for " << fileName;
    return {};
}

} // namespace

TEST(ResultDoseRead, HeaderAndGridOfAnEngineLayoutFile)
{
    ScratchDirectory dir;
    const std::string file = dir.write("run.orv2", resultText());
    const ResultFile result = readResultFile(file);
    EXPECT_EQ(result.header.title, "sample 120kV                  "); // trailing blanks kept
    EXPECT_EQ(result.header.sourceAxisDistance, 60.0);
    EXPECT_EQ(result.header.beamSizeRotation, 40.0);
    EXPECT_EQ(result.header.beamSizeBodyAxis, 10.0);
    EXPECT_EQ(result.header.phantomA, 20.0);
    EXPECT_EQ(result.header.phantomB, 20.0);
    EXPECT_EQ(result.header.historyCount, 1e9);
    expectFixtureGrid(result.dose);
    // Run r = ((c - 1) 40 + (y - 1)) 100 + (z - 1) holds x = 1..200: spot-check both ends.
    EXPECT_EQ(result.dose(1, 1, 1, 1), cellValue(1, 1, 1, 1));
    EXPECT_EQ(result.dose(2, 200, 40, 100), cellValue(2, 200, 40, 100));
    // The total is not formed by the reader.
    EXPECT_EQ(result.dose(0, 5, 5, 5), 0.0);
}

TEST(ResultDoseRead, LineBreaksCarryNoMeaning)
{
    struct Case {
        const char* what;
        Layout layout;
    };
    const Case cases[] = {
        {"one run split over several lines", {7, "\r\n"}},
        {"runs of 200 with bare LF", {200, "\n"}},
        {"five runs packed on a line", {1000, "\r\n"}},
        {"everything on one line", {1600000, "\n"}},
    };
    ScratchDirectory dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ResultFile result = readResultFile(dir.write("run.orv2", resultText(c.layout)));
        EXPECT_EQ(result.header.phantomA, 20.0);
        expectFixtureGrid(result.dose);
    }
}

TEST(ResultDoseRead, TotalsAndIndexZero)
{
    ScratchDirectory dir;
    ResultFile result = readResultFile(dir.write("run.orv2", resultText()));
    result.dose.formTotals();
    for (int y : {1, 17, 40})
        for (int z : {1, 50, 100})
            for (int x : {1, 99, 200})
                EXPECT_EQ(result.dose(0, x, y, z),
                          cellValue(1, x, y, z) + cellValue(2, x, y, z));
    for (int component = 0; component <= 2; ++component) {
        EXPECT_EQ(result.dose(component, 0, 3, 3), 0.0);
        EXPECT_EQ(result.dose(component, 3, 0, 3), 0.0);
        EXPECT_EQ(result.dose(component, 3, 3, 0), 0.0);
    }
}

TEST(ResultDoseRead, NumberFormsAndSeparators)
{
    // Free-format tokens: with or without a zero before the point, exponents, commas and tabs
    // as separators, and anything after the last value ignored.
    std::string text = "title\n.60E+02, 40.0\t10\n+20 0.10E+02\n0.10E+10\n";
    text += ".123E+01 0.5 -.5E-01 ";
    for (int i = 3; i < 1600000; ++i) {
        text += i % 2 ? "0," : " .1E-01";
        text += i % 200 == 0 ? "\n" : " ";
    }
    text += "garbage after the grid\n";
    ScratchDirectory dir;
    const ResultFile result = readResultFile(dir.write("forms.orv2", text));
    EXPECT_EQ(result.header.sourceAxisDistance, 60.0);
    EXPECT_EQ(result.header.beamSizeBodyAxis, 10.0);
    EXPECT_EQ(result.header.phantomA, 20.0);
    EXPECT_EQ(result.header.phantomB, 10.0);
    EXPECT_EQ(result.header.historyCount, 1e9);
    EXPECT_EQ(result.dose(1, 1, 1, 1), 1.23);
    EXPECT_EQ(result.dose(1, 2, 1, 1), 0.5);
    EXPECT_EQ(result.dose(1, 3, 1, 1), -0.05);
    EXPECT_EQ(result.dose(1, 4, 1, 1), 0.0);
    EXPECT_EQ(result.dose(1, 5, 1, 1), 0.01);
    EXPECT_EQ(result.dose(2, 200, 40, 100), 0.0);
}

TEST(ResultDoseRead, HeaderAloneIgnoresTheGrid)
{
    ScratchDirectory dir;
    // A complete header but a grid cut short, as while the engine is still writing.
    const std::string file = dir.write("partial.orv2", resultText({}, header(12.5, 7.5), 5000));
    const ResultHeader head = readResultHeader(file);
    EXPECT_EQ(head.title, "sample 120kV                  ");
    EXPECT_EQ(head.phantomA, 12.5);
    EXPECT_EQ(head.phantomB, 7.5);
    EXPECT_EQ(head.historyCount, 1e9);
}

TEST(ResultDoseRead, RunsLongerThanTheReadBuffer)
{
    // The file is streamed through a buffer of a few hundred kilobytes: a title longer than
    // that, and numbers astride the buffer's edge, must read whole.
    const std::string title(300000, 't');
    for (int padding : {262144 - 300007 % 262144, 70000, 1}) {
        SCOPED_TRACE(padding);
        std::string text = title + "\n60" + std::string(padding, ' ') + "123.25 1 2 3 4\n";
        ScratchDirectory dir;
        const ResultHeader head = readResultHeader(dir.write("long.orv2", text));
        EXPECT_EQ(head.title, title);
        EXPECT_EQ(head.sourceAxisDistance, 60.0);
        EXPECT_EQ(head.beamSizeRotation, 123.25);
        EXPECT_EQ(head.historyCount, 4.0);
    }
}

TEST(ResultDoseRead, FailuresNameTheFileAndWhatIsWrong)
{
    struct Case {
        const char* what;
        std::optional<std::string> contents; // none: the file does not exist
        bool headerOnly;
        std::vector<std::string> expected; // parts of the message
    };
    // A token that is no number at component 2, y 1, z 4, x 37 (line 8 + 4003).
    std::string badToken = resultText({}, header(), 4000 * 200 + 3 * 200 + 36);
    badToken += " .1x3E+00" + resultText({}, "", 1000);
    const Case cases[] = {
        {"missing file", std::nullopt, false, {"開けません"}},
        {"missing file, header", std::nullopt, true, {"開けません"}},
        {"empty file", "", true, {"空"}},
        {"header short", "title\r\n 60.0\r\n 40.0\r\n", true,
         {"ヘッダーが途中で終わっています", "体軸方向の線束の大きさ"}},
        {"header token", "title\r\n 60.0\r\n 4O.0\r\n", true,
         {"回転方向の線束の大きさ", "\"4O.0\"", "3 行目"}},
        {"grid short", resultText({}, header(), 1599963), false,
         {"途中で終わっています", "成分 2, y = 40, z = 100, x = 164"}},
        {"grid token", badToken, false,
         {"\".1x3E+00\"", "成分 2, y = 1, z = 4, x = 37", "4011 行目"}},
        {"no nan", header() + " nan", false, {"\"nan\"", "成分 1, y = 1, z = 1, x = 1"}},
        {"no overflow", header() + " 1E+999", false, {"\"1E+999\""}},
    };
    ScratchDirectory dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string file = c.contents ? dir.write("bad.orv2", *c.contents)
                                            : dir.write("placeholder", "") + ".missing";
        const std::string message = messageOf(file, c.headerOnly);
        EXPECT_NE(message.find(file), std::string::npos) << message;
        for (const std::string& part : c.expected) {
            EXPECT_NE(message.find(part), std::string::npos) << message << "\nlacks " << part;
        }
    }
}
