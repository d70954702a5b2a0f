#pragma once
// Numbers as the front end shows and writes them: the digit patterns of its text boxes and
// files, the blank-led plain form, and the number a user typed at the start of a text box.

#include <string>
#include <string_view>

// Writes value by pattern: "0" a digit always written (leading zeros included), "#" a digit
// written only when needed, "." the decimal point, "E+00" / "E-00" a signed exponent of at
// least as many digits as zeros with the mantissa's digits before the point as the pattern
// has; any other character is written as it stands. Decimals are rounded half away from zero
// on the value's 15-significant-digit decimal form; the integer part grows when the value
// needs more digits. Examples: (60, "000.0") "060.0"; (0, "0.000E+00") "0.000E+00";
// (2.3456, "  00.0000") "  02.3456". Throws std::invalid_argument for infinities and NaN.
std::string formatNumber(double value, std::string_view pattern);

// Plain shortest text (up to 15 significant digits) with a leading blank when the value is not
// negative, the minus sign otherwise: 0 " 0", 5 " 5", -2.5 "-2.5", 1e20 " 1E+20".
std::string strNumber(double value);

// The number at the start of text: optional blanks, sign, digits, "." and an exponent; 0 when
// the text does not start with a number ("60cm" 60, "abc" 0, " 1.5e2x" 150).
double numberFromText(std::string_view text);
