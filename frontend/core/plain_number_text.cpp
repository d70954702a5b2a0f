#include "plain_number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

// Trailing zeros of a fraction and a bare point carry nothing.
void trimFraction(std::string& text)
{
    const auto point = text.find('.');
    if (point == std::string::npos) {
        return;
    }
    auto last = text.find_last_not_of('0');
    if (last == point) {
        --last;
    }
    text.erase(last + 1);
}

int significantDigits(const std::string& text)
{
    const auto first = text.find_first_of("123456789");
    if (first == std::string::npos) {
        return 0;
    }
    const auto last = text.find_last_of("123456789");
    int count = 0;
    for (auto i = first; i <= last; ++i) {
        count += text[i] >= '0' && text[i] <= '9';
    }
    return count;
}

} // namespace

std::string plainNumberText(float value)
{
    if (value == 0 || !std::isfinite(value)) {
        return value == 0 ? "0" : "";
    }
    const double magnitude = std::fabs(value);
    char buffer[64];
    if (magnitude >= 1e7 || magnitude < 1e-5) {
        // Beyond seven integer digits, or very small: exponent form "1.5E+07".
        std::snprintf(buffer, sizeof buffer, "%.6E", static_cast<double>(value));
        std::string text(buffer);
        const auto e = text.find('E');
        std::string mantissa = text.substr(0, e);
        trimFraction(mantissa);
        return mantissa + text.substr(e);
    }
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::fixed);
    std::string text(buffer, error == std::errc() ? end : buffer);
    if (significantDigits(text) > 7) {
        // The shortest round trip needs more digits than seven: round to seven.
        const int decimals = 6 - static_cast<int>(std::floor(std::log10(magnitude)));
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals, static_cast<double>(value));
        text = buffer;
        trimFraction(text);
    }
    return text;
}
