#include "spectrum_data.h"
#include "spectrum_file_maker.h"

#include <gtest/gtest.h>

namespace {

using namespace spectrum_test;

void expectContent(const SpectrumData& data, int n)
{
    ASSERT_EQ(data.lastDirection, n);
    for (int i = 0; i <= n; ++i) {
        EXPECT_DOUBLE_EQ(data.directionDistance[i], distance(i)) << "direction " << i;
        EXPECT_DOUBLE_EQ(data.filterPathLength[i], filtration(i)) << "direction " << i;
        for (int e : {1, 2, 119, 120, 299, 300})
            EXPECT_DOUBLE_EQ(data.directionFluence[i][e], fluence(i, e)) << i << " bin " << e;
    }
    EXPECT_DOUBLE_EQ(data.fluenceMax, 1.0);
}

class SpectrumReaderTest : public testing::Test {
protected:
    TemporaryDirectory directory;
};

TEST_F(SpectrumReaderTest, ReadsEveryItemForTheSmallestAndLargestN)
{
    for (int n : {0, 1, 20, 25}) {
        const auto data = readSpectrumFile(directory.write("s.csv", spectrumText(n)));
        EXPECT_EQ(data.spectrumComment, "test spectrum, 120 kV");
        expectContent(data, n);
    }
}

TEST_F(SpectrumReaderTest, ItemsOnePerLineReadLikeOneRowPerLine)
{
    const auto rows = readSpectrumFile(directory.write("rows.csv", spectrumText(3)));
    const auto items =
        readSpectrumFile(directory.write("items.csv", spectrumText(3, Shape::ItemPerLine)));
    expectContent(items, 3);
    EXPECT_EQ(rows.directionFluence, items.directionFluence);
    EXPECT_EQ(rows.filterPathLength, items.filterPathLength);
}

TEST_F(SpectrumReaderTest, IgnoresWhatFollowsTheLastGroupAndTrailingCommas)
{
    std::string text = spectrumText(2) + "999,abc,1,2\r\nmore text\r\n";
    const auto data = readSpectrumFile(directory.write("extra.csv", text));
    expectContent(data, 2);

    // Rows ending in a comma, as spreadsheets write them, and LF-only line ends.
    std::string commas;
    std::istringstream lines(spectrumText(2));
    std::string line;
    std::getline(lines, line);
    commas = line + "\n";
    while (std::getline(lines, line))
        commas += line.substr(0, line.size() - 1) + ",\n";
    expectContent(readSpectrumFile(directory.write("commas.csv", commas)), 2);
}

TEST_F(SpectrumReaderTest, FluenceMaxComesFromDirectionZeroOnly)
{
    // Direction 1 of bin 7 far above direction 0's peak.
    const auto text = spectrumText(1, Shape::RowPerLine, "over", [](int i, int e) {
        return i == 1 && e == 7 ? 50.0 : fluence(i, e);
    });
    const auto data = readSpectrumFile(directory.write("over.csv", text));
    EXPECT_DOUBLE_EQ(data.directionFluence[1][7], 50);
    EXPECT_DOUBLE_EQ(data.fluenceMax, 1.0);
}

TEST_F(SpectrumReaderTest, CommentMayBeUtf8OrCp932)
{
    const std::string utf8 = "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88 120kV"; // テスト
    const std::string cp932 = "\x83\x65\x83\x58\x83\x67 120kV";             // テスト in CP932
    EXPECT_EQ(readSpectrumFile(directory.write("u.csv", spectrumText(0, Shape::RowPerLine, utf8)))
                  .spectrumComment,
              utf8);
    EXPECT_EQ(readSpectrumFile(directory.write("c.csv", spectrumText(0, Shape::RowPerLine, cp932)))
                  .spectrumComment,
              utf8);
    EXPECT_EQ(readSpectrumComment(directory.write("b.csv", "\xEF\xBB\xBFplain\r\nrest")), "plain");
    EXPECT_EQ(readSpectrumComment(directory.write("only.csv", "just a comment")), "just a comment");
    EXPECT_EQ(readSpectrumComment(directory.write("blank.csv", "\r\n")), "");
}

struct BadFile {
    const char* name;
    std::string content;
    std::vector<std::string> messageParts; // each must appear in the message
};

TEST_F(SpectrumReaderTest, RefusesBadFilesNamingFileAndPlace)
{
    std::string badFluence = spectrumText(1);
    badFluence.replace(badFluence.find("\r\n5,") + 2, 1, "x"); // energy item of bin 10
    std::string zeroFluence = "zero\r\n0\r\nd,0\r\nr,1\r\nf,10\r\n";
    for (int e = 1; e <= 300; ++e)
        zeroFluence += std::to_string(0.5 * e) + ",0\r\n";
    std::string lastGroupMissing = spectrumText(0);
    lastGroupMissing.resize(lastGroupMissing.rfind("150,"));

    const BadFile cases[] = {
        {"empty.csv", "", {"empty.csv", "empty"}},
        {"short.csv", "comment\r\n2\r\nd,1,2\r\n", {"short.csv", "ends at line 3", "direction 2"}},
        {"cut.csv", lastGroupMissing, {"cut.csv", "energy bin 300"}},
        {"text.csv", "c\r\nabc\r\n", {"text.csv", "line 2, item 1", "\"abc\""}},
        {"fluence.csv", badFluence, {"fluence.csv", "line 15, item 1", "energy in energy bin 10"}},
        {"big.csv", "c\r\n26\r\n", {"big.csv", "26", "0 to 25"}},
        {"negative.csv", "c\r\n-1\r\n", {"negative.csv", "-1"}},
        {"fraction.csv", "c\r\n2.5\r\n", {"fraction.csv", "2.5"}},
        {"zero.csv", zeroFluence, {"zero.csv", "zero in every energy bin"}},
    };
    for (const auto& c : cases) {
        const auto path = directory.write(c.name, c.content);
        try {
            readSpectrumFile(path);
            ADD_FAILURE() << c.name << " was accepted";
        } catch (const SpectrumFileError& error) {
            for (const auto& part : c.messageParts)
                EXPECT_NE(std::string(error.what()).find(part), std::string::npos)
                    << c.name << ": \"" << error.what() << "\" lacks \"" << part << "\"";
        }
    }
    EXPECT_THROW(readSpectrumFile((directory.path() / "missing.csv").string()), SpectrumFileError);
    EXPECT_THROW(readSpectrumComment((directory.path() / "missing.csv").string()),
                 SpectrumFileError);
    EXPECT_THROW(readSpectrumComment(directory.write("e.csv", "")), SpectrumFileError);
}

} // namespace
