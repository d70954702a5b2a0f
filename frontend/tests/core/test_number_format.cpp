#include "number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

struct PatternCase {
    double value;
    const char* pattern;
    const char* expected;
};

class FormatNumberTest : public testing::TestWithParam<PatternCase> {};

TEST_P(FormatNumberTest, WritesByPattern)
{
    const auto& c = GetParam();
    EXPECT_EQ(formatNumber(c.value, c.pattern), c.expected)
        << "value " << c.value << " pattern \"" << c.pattern << "\"";
}

INSTANTIATE_TEST_SUITE_P(Patterns, FormatNumberTest, testing::Values(
    // leading zeros, growth beyond the pattern, rounding
    PatternCase{60, "000.0", "060.0"},
    PatternCase{0, "000.0", "000.0"},
    PatternCase{1000, "000.0", "1000.0"},
    PatternCase{12.5, "000.0", "012.5"},
    PatternCase{12.25, "000.0", "012.3"},  // half away from zero
    PatternCase{0.05, "000.0", "000.1"},
    PatternCase{0.04999, "000.0", "000.0"},
    PatternCase{99.96, "000.0", "100.0"},   // carry into a new digit
    PatternCase{999.96, "000.0", "1000.0"},
    PatternCase{-5, "000.0", "-005.0"},
    PatternCase{-0.01, "000.0", "000.0"},   // no sign on a value that rounds to zero
    PatternCase{20, "000", "020"},
    PatternCase{25, "000", "025"},
    PatternCase{0.5, "0000.0", "0000.5"},
    PatternCase{150, "0000.0", "0150.0"},
    PatternCase{2.3456, "  00.0000", "  02.3456"},
    PatternCase{2.34565, "  00.0000", "  02.3457"},
    PatternCase{0, "  00.0000", "  00.0000"},
    PatternCase{12.34, "#0.0", "12.3"},
    PatternCase{0.34, "#0.0", "0.3"},
    PatternCase{5.25, "     #0.0", "     5.3"},
    PatternCase{123.4, "##0.0", "123.4"},
    PatternCase{0.4, "##0.0", "0.4"},
    PatternCase{1234.5, "##0.0", "1234.5"},
    PatternCase{0.5, "#.00", ".50"},
    PatternCase{2.5, "0", "3"},
    PatternCase{1.5, "0.0#", "1.5"},
    PatternCase{1.257, "0.0#", "1.26"},
    // exponent: one digit before the point, signed exponent of at least two digits
    PatternCase{1e9, "0.000E+00", "1.000E+09"},
    PatternCase{0, "0.000E+00", "0.000E+00"},
    PatternCase{123456789, "0.000E+00", "1.235E+08"},
    PatternCase{0.01234, "  0.000E+00", "  1.234E-02"},
    PatternCase{9.9996, "0.000E+00", "1.000E+01"},
    PatternCase{1.5e-120, "0.000E+00", "1.500E-120"},
    PatternCase{-2.5e3, "0.0E+00", "-2.5E+03"},
    PatternCase{0.0123, "0.0E+00", "1.2E-02"},
    PatternCase{12345, "0.0E-00", "1.2E04"},
    // other characters are written as they stand
    PatternCase{7, "x0y", "x7y"}));

TEST(FormatNumber, RefusesNonFiniteValues)
{
    EXPECT_THROW(formatNumber(std::numeric_limits<double>::infinity(), "000.0"),
                 std::invalid_argument);
    EXPECT_THROW(formatNumber(std::nan(""), "0.000E+00"), std::invalid_argument);
}

TEST(StrNumber, LeadsWithBlankUnlessNegative)
{
    EXPECT_EQ(strNumber(0), " 0");
    EXPECT_EQ(strNumber(5), " 5");
    EXPECT_EQ(strNumber(-5), "-5");
    EXPECT_EQ(strNumber(2.5), " 2.5");
    EXPECT_EQ(strNumber(-0.0), " 0");
    EXPECT_EQ(strNumber(0.1 + 0.2), " 0.3");
    EXPECT_EQ(strNumber(1e20), " 1E+20");
    EXPECT_EQ(strNumber(0) + " - " + strNumber(5), " 0 -  5");
}

struct TextCase {
    const char* text;
    double expected;
};

TEST(NumberFromText, TakesTheNumberAtTheStart)
{
    const TextCase cases[] = {
        {"60", 60},        {"60cm", 60},     {"abc", 0},      {"", 0},
        {"  12.5 ", 12.5}, {"-3", -3},       {"+4", 4},       {".5", 0.5},
        {"5.", 5},         {"1e3", 1000},    {"1.5E-2", 0.015}, {"1e", 1},
        {"2e+", 2},        {"9.9", 9.9},     {"-", 0},        {".", 0},
        {"1000000000", 1e9}, {"1,5", 1},     {"1e-400", 0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(numberFromText(c.text), c.expected) << "text \"" << c.text << "\"";
    EXPECT_TRUE(std::isinf(numberFromText("1e400")));
}

} // namespace
