#include "number_format.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <stdexcept>

namespace {

struct Pattern {
    std::string prefix;
    std::string integerPlaces; // the "0" and "#" before the point
    bool hasPoint = false;
    std::string decimalPlaces; // the "0" and "#" after the point
    bool hasExponent = false;
    bool exponentAlwaysSigned = true; // "E+" writes "+", "E-" only "-"
    int exponentDigits = 0;
    std::string suffix;

    int minimumIntegerDigits() const
    {
        const auto firstZero = integerPlaces.find('0');
        return firstZero == std::string::npos ? 0
                                              : static_cast<int>(integerPlaces.size() - firstZero);
    }
    int decimals() const { return static_cast<int>(decimalPlaces.size()); }
    int minimumDecimals() const
    {
        const auto lastZero = decimalPlaces.rfind('0');
        return lastZero == std::string::npos ? 0 : static_cast<int>(lastZero + 1);
    }
};

bool isPlace(char c) { return c == '0' || c == '#'; }

Pattern parsePattern(std::string_view text)
{
    Pattern pattern;
    std::size_t i = 0;
    while (i < text.size() && !isPlace(text[i]) && text[i] != '.')
        pattern.prefix += text[i++];
    while (i < text.size() && isPlace(text[i]))
        pattern.integerPlaces += text[i++];
    if (i < text.size() && text[i] == '.') {
        pattern.hasPoint = true;
        ++i;
        while (i < text.size() && isPlace(text[i]))
            pattern.decimalPlaces += text[i++];
    }
    if (i + 1 < text.size() && (text[i] == 'E' || text[i] == 'e')
        && (text[i + 1] == '+' || text[i + 1] == '-')) {
        pattern.hasExponent = true;
        pattern.exponentAlwaysSigned = text[i + 1] == '+';
        i += 2;
        while (i < text.size() && isPlace(text[i])) {
            if (text[i] == '0')
                ++pattern.exponentDigits;
            ++i;
        }
    }
    pattern.suffix = std::string(text.substr(i));
    return pattern;
}

// The magnitude as 15 significant decimal digits d1 d2 ... with value = 0.d1d2... x 10^exponent.
struct Decimal {
    std::string digits;
    int exponent = 0;
};

Decimal decimalForm(double magnitude)
{
    if (magnitude == 0)
        return {std::string(15, '0'), 1};
    // to_chars, unlike printf, ignores the locale the toolkit may have set.
    char buffer[40];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                   std::chars_format::scientific, 14).ptr;
    std::string text(buffer, end);
    const auto e = text.find('e');
    Decimal result;
    result.digits = text.substr(0, 1) + text.substr(2, e - 2);
    result.exponent = std::stoi(text.substr(e + 1)) + 1;
    return result;
}

// Keeps the first `keep` digits, rounding half away from zero; returns true when the carry
// added a digit in front (the caller then adjusts its exponent).
bool roundDigits(std::string& digits, int keep)
{
    if (static_cast<int>(digits.size()) <= keep) {
        digits.append(keep - digits.size(), '0');
        return false;
    }
    const bool up = digits[keep] >= '5';
    digits.resize(keep);
    if (!up)
        return false;
    for (int i = keep - 1; i >= 0; --i) {
        if (digits[i] != '9') {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
    return true;
}

std::string trimDecimals(std::string fraction, int minimum)
{
    while (static_cast<int>(fraction.size()) > minimum && fraction.back() == '0')
        fraction.pop_back();
    return fraction;
}

bool allZero(const std::string& text) { return text.find_first_not_of('0') == std::string::npos; }

} // namespace

std::string formatNumber(double value, std::string_view patternText)
{
    if (!std::isfinite(value))
        throw std::invalid_argument("cannot write a non-finite number by a pattern");
    const Pattern pattern = parsePattern(patternText);
    Decimal decimal = decimalForm(std::fabs(value));
    const int decimals = pattern.decimals();

    std::string integerPart, fraction, exponentText;
    if (pattern.hasExponent) {
        const int mantissaIntegerDigits = std::max(1, pattern.minimumIntegerDigits());
        int exponent = 0;
        std::string digits = decimal.digits;
        if (!allZero(digits)) {
            if (roundDigits(digits, mantissaIntegerDigits + decimals)) {
                ++decimal.exponent;
                digits.pop_back();
            }
            exponent = decimal.exponent - mantissaIntegerDigits;
        } else {
            digits.assign(mantissaIntegerDigits + decimals, '0');
        }
        integerPart = digits.substr(0, mantissaIntegerDigits);
        fraction = digits.substr(mantissaIntegerDigits);
        std::string magnitude = std::to_string(std::abs(exponent));
        if (static_cast<int>(magnitude.size()) < pattern.exponentDigits)
            magnitude.insert(0, pattern.exponentDigits - magnitude.size(), '0');
        const char* sign = exponent < 0 ? "-" : (pattern.exponentAlwaysSigned ? "+" : "");
        exponentText = "E" + std::string(sign) + magnitude;
    } else {
        std::string digits = decimal.digits;
        int pointPosition = decimal.exponent;
        if (pointPosition < 0) {
            digits.insert(0, -pointPosition, '0');
            pointPosition = 0;
        }
        if (roundDigits(digits, pointPosition + decimals))
            ++pointPosition;
        integerPart = digits.substr(0, pointPosition);
        fraction = digits.substr(pointPosition);
        const auto firstNonZero = integerPart.find_first_not_of('0');
        integerPart = firstNonZero == std::string::npos ? "" : integerPart.substr(firstNonZero);
        const int minimum = pattern.minimumIntegerDigits();
        if (static_cast<int>(integerPart.size()) < minimum)
            integerPart.insert(0, minimum - integerPart.size(), '0');
    }
    const bool negative = value < 0 && !(allZero(integerPart) && allZero(fraction));
    fraction = trimDecimals(fraction, pattern.minimumDecimals());

    std::string result = pattern.prefix;
    if (negative)
        result += '-';
    result += integerPart;
    if (pattern.hasPoint)
        result += '.' + fraction;
    result += exponentText;
    result += pattern.suffix;
    return result;
}

std::string strNumber(double value)
{
    char buffer[40];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr;
    std::string text(buffer, end);
    const auto e = text.find('e');
    if (e != std::string::npos) {
        // "1e+20" -> "1E+20"
        text[e] = 'E';
    }
    if (text == "-0")
        text = "0";
    return text[0] == '-' ? text : " " + text;
}

double numberFromText(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t numberStart = i;
    std::size_t digitCount = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
        ++i, ++digitCount;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i, ++digitCount;
    }
    if (digitCount == 0)
        return 0;
    // An exponent counts only when digits follow it ("1e" is 1).
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
            while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])))
                ++j;
            i = j;
        }
    }
    const std::string_view number = text.substr(numberStart, i - numberStart);
    double magnitude = 0;
    if (std::from_chars(number.data(), number.data() + number.size(), magnitude).ec
        == std::errc::result_out_of_range) {
        // Beyond a double: tiny values read as 0, huge ones as infinite (refused when written).
        const auto mark = number.find_first_of("eE");
        const bool tiny = (mark != std::string_view::npos && number[mark + 1] == '-')
                          || number.substr(0, number.find('.')).find_first_not_of('0')
                                 == std::string_view::npos;
        magnitude = tiny ? 0 : HUGE_VAL;
    }
    return negative ? -magnitude : magnitude;
}
