#include <unistd.h>
#include "io_error.h"
#include "text_layout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

struct FixedCase {
    const char* field;
    int decimals;
    float expected;
};

TEST(TextLayout, FixedRealReadsByDescriptorRules)
{
    const FixedCase cases[] = {
        {"012.5", 1, 12.5f},        // written point used as written
        {"  02.3456", 4, 2.3456f},  // leading blanks ignored
        {"  123", 1, 12.3f},        // no point: last digit is the fraction
        {"  23456", 4, 2.3456f},    // last four digits
        {"1 2 5", 1, 12.5f},        // blanks inside ignored
        {"     ", 1, 0.0f},         // all blank reads 0
        {"1.000E-03", 3, 0.001f},   // exponent form
        {" .123E-02", 3, 0.00123f}, // no zero before the point
        {"1.5D+01", 3, 15.0f},      // D exponent
        {"-1.25", 2, -1.25f},
        {"1234E-01", 3, 0.1234f},   // implied decimals with an exponent
        {"5", 3, 0.005f},           // fewer digits than the implied decimals
    };
    for (const FixedCase& c : cases) {
        float value = -99.0f;
        ASSERT_TRUE(parseFixedReal(c.field, c.decimals, value)) << c.field;
        EXPECT_EQ(value, c.expected) << c.field;
    }
    for (const char* bad : {"1.2.3", "abc", "1.0E", "--1", "1x"}) {
        float value;
        EXPECT_FALSE(parseFixedReal(bad, 3, value)) << bad;
    }
}

TEST(TextLayout, FreeTokensTakeAnyNumericForm)
{
    float value;
    for (auto [token, expected] : {std::pair{"060.0", 60.0f}, {"60", 60.0f}, {"1.000E+09", 1e9f},
                                   {"+2.5", 2.5f}, {".5", 0.5f}, {"1e-3", 0.001f}}) {
        ASSERT_TRUE(parseFreeReal(token, value)) << token;
        EXPECT_EQ(value, expected) << token;
    }
    EXPECT_FALSE(parseFreeReal("abc", value));
    EXPECT_FALSE(parseFreeReal("nan", value));
    std::int32_t count;
    ASSERT_TRUE(parseFreeInteger("025", count));
    EXPECT_EQ(count, 25);
    EXPECT_FALSE(parseFreeInteger("2.5", count));
}

TEST(TextLayout, WritesFieldsRightAlignedWithoutLeadingZero)
{
    EXPECT_EQ(formatE(0.00123f, 9, 3), " .123E-02");
    EXPECT_EQ(formatE(0.5f, 9, 3), " .500E+00");
    EXPECT_EQ(formatE(0.0f, 9, 3), " .000E+00");
    EXPECT_EQ(formatE(1.234f, 9, 3), " .123E+01");
    EXPECT_EQ(formatE(0.000456f, 9, 3), " .456E-03");
    EXPECT_EQ(formatE(0.9996f, 9, 3), " .100E+01"); // rounding carries into the exponent
    EXPECT_EQ(formatE(-0.00123f, 9, 3), "-.123E-02");
    EXPECT_EQ(formatE(1e9f, 8, 2), " .10E+10");
    EXPECT_EQ(formatE(1.0e-30f, 9, 3), " .100E-29");
    EXPECT_EQ(formatE(1.0e-38f, 9, 3), " .100E-37");
    EXPECT_EQ(formatE(1.0f, 6, 3), "******");
    EXPECT_EQ(formatF(60.0f, 5, 1), " 60.0");
    EXPECT_EQ(formatF(100.0f, 5, 1), "100.0");
    EXPECT_EQ(formatF(0.5f, 5, 1), "   .5");
    EXPECT_EQ(formatF(-0.25f, 6, 2), "  -.25");
    EXPECT_EQ(formatF(1000.0f, 5, 1), "*****");
    EXPECT_EQ(formatI(5, 2), " 5");
    EXPECT_EQ(formatI(123, 2), "**");
    EXPECT_EQ(formatA("abc", 5), "  abc");
    EXPECT_EQ(formatA("abcdef", 3), "abc");
}

class TextInputTest : public ::testing::Test {
protected:
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("text_input_test_" + std::to_string(::getpid()) + ".dat");
    void write(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    void TearDown() override { std::filesystem::remove(path); }
};

TEST_F(TextInputTest, RecordsAndFreeReadsFollowLineRules)
{
    write("  12, 7 rest ignored\r\n3\n4 5\n012.5  02.3456 comment\nshort\n");
    TextInput in(path.string());
    EXPECT_EQ(in.readFreeReals(2, "two"), (std::vector<float>{12.0f, 7.0f}));
    // A read of two values continues on the next record when one holds too few.
    EXPECT_EQ(in.readFreeReals(2, "two"), (std::vector<float>{3.0f, 4.0f}));
    EXPECT_EQ(in.lineNumber(), 3);
    FixedRecord record(in, in.nextRecord("profile"));
    EXPECT_EQ(record.real(5, 1, "d"), 12.5f);
    EXPECT_EQ(record.real(9, 4, "t"), 2.3456f);
    FixedRecord shortRecord(in, in.nextRecord("text"));
    EXPECT_EQ(shortRecord.text(8), "short   ");
    EXPECT_EQ(shortRecord.real(5, 1, "beyond the end"), 0.0f);
}

TEST_F(TextInputTest, FailuresNameOperationFileLineAndExpectation)
{
    write("1\n 12x4\n");
    TextInput in(path.string());
    in.readFreeReal("a count");
    try {
        FixedRecord record(in, in.nextRecord("a value"));
        record.real(5, 1, "the distance");
        FAIL();
    } catch (const IoError& e) {
        EXPECT_EQ(std::string(e.what()), "read error: " + path.string() +
                                             ", line 2: expected the distance in columns 1-5, "
                                             "found ' 12x4'");
    }
    try {
        in.readFreeReal("the thickness");
        FAIL();
    } catch (const IoError& e) {
        EXPECT_EQ(std::string(e.what()), "read error: " + path.string() +
                                             ", line 3: expected the thickness, found the end "
                                             "of the file");
    }
    EXPECT_THROW(TextInput("/nonexistent/file.dat"), IoError);
}

} // namespace
