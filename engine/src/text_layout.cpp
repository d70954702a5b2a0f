#include "text_layout.h"

#include "io_error.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Converts canonical decimal text ("-1.25e-3") to the nearest float.
bool toFloat(const std::string& text, float& value)
{
    const char* first = text.data();
    const char* last = first + text.size();
    auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        // Underflow to zero or overflow: take what strtof makes of it, as a formatted read does.
        value = std::strtof(text.c_str(), nullptr);
        return true;
    }
    return error == std::errc() && end == last;
}

// Splits number text into sign, mantissa digits around an optional point and an exponent.
// Accepts an exponent letter E, D or Q (either case), or a bare signed exponent ("1.5-3").
struct NumberParts {
    bool negative = false;
    std::string integerDigits;
    std::string fractionDigits;
    bool hasPoint = false;
    int exponent = 0;
};

bool splitNumber(std::string_view text, NumberParts& parts)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        parts.negative = text[i] == '-';
        ++i;
    }
    while (i < text.size() && isDigit(text[i])) parts.integerDigits += text[i++];
    if (i < text.size() && text[i] == '.') {
        parts.hasPoint = true;
        ++i;
        while (i < text.size() && isDigit(text[i])) parts.fractionDigits += text[i++];
    }
    if (parts.integerDigits.empty() && parts.fractionDigits.empty()) return false;
    if (i == text.size()) return true;

    char letter = text[i];
    if (std::strchr("EeDdQq", letter)) ++i;
    else if (letter != '+' && letter != '-') return false;
    bool negativeExponent = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negativeExponent = text[i] == '-';
        ++i;
    }
    if (i == text.size()) return false;
    int exponent = 0;
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i])) return false;
        if (exponent < 100000) exponent = exponent * 10 + (text[i] - '0');
    }
    parts.exponent = negativeExponent ? -exponent : exponent;
    return true;
}

std::string canonical(const NumberParts& parts)
{
    std::string text = parts.negative ? "-" : "";
    text += parts.integerDigits.empty() ? "0" : parts.integerDigits;
    text += '.';
    text += parts.fractionDigits.empty() ? "0" : parts.fractionDigits;
    text += 'e';
    text += std::to_string(parts.exponent);
    return text;
}

void appendPadded(std::string& out, const char* field, std::size_t length, int width)
{
    if (static_cast<int>(length) > width) {
        out.append(width, '*');
        return;
    }
    out.append(width - length, ' ');
    out.append(field, length);
}

} // namespace

bool parseFixedReal(std::string_view field, int decimals, float& value)
{
    std::string packed;
    for (char c : field)
        if (!isBlank(c)) packed += c;
    if (packed.empty()) {
        value = 0.0f;
        return true;
    }
    NumberParts parts;
    if (!splitNumber(packed, parts)) return false;
    if (!parts.hasPoint && decimals > 0) {
        // The last `decimals` digits are the fraction.
        std::string digits = parts.integerDigits;
        if (static_cast<int>(digits.size()) < decimals)
            digits.insert(0, decimals - digits.size(), '0');
        parts.integerDigits = digits.substr(0, digits.size() - decimals);
        parts.fractionDigits = digits.substr(digits.size() - decimals);
    }
    return toFloat(canonical(parts), value);
}

bool parseFreeReal(std::string_view token, float& value)
{
    NumberParts parts;
    if (!splitNumber(token, parts)) return false;
    return toFloat(canonical(parts), value);
}

bool parseFreeInteger(std::string_view token, std::int32_t& value)
{
    if (!token.empty() && token.front() == '+') token.remove_prefix(1);
    if (token.empty()) return false;
    auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    return error == std::errc() && end == token.data() + token.size();
}

TextInput::TextInput(std::string fileName)
    : fileName_(std::move(fileName)), stream_(fileName_, std::ios::binary)
{
    if (!stream_) throwOpenError(fileName_, std::strerror(errno));
}

std::string_view TextInput::nextRecord(const std::string& expected)
{
    if (!std::getline(stream_, record_))
        throwReadError(fileName_, lineNumber_ + 1, expected + ", found the end of the file");
    ++lineNumber_;
    if (!record_.empty() && record_.back() == '\r') record_.pop_back();
    return record_;
}

std::vector<float> TextInput::readFreeReals(int count, const std::string& expected)
{
    std::vector<float> values;
    while (static_cast<int>(values.size()) < count) {
        std::string_view record = nextRecord(expected);
        std::size_t i = 0;
        while (static_cast<int>(values.size()) < count && i < record.size()) {
            while (i < record.size() && (isBlank(record[i]) || record[i] == ',')) ++i;
            std::size_t start = i;
            while (i < record.size() && !isBlank(record[i]) && record[i] != ',') ++i;
            if (i == start) break;
            std::string_view token = record.substr(start, i - start);
            float value;
            if (!parseFreeReal(token, value))
                throwReadError(fileName_, lineNumber_,
                               expected + ", found '" + std::string(token) + "'");
            values.push_back(value);
        }
    }
    return values;
}

float TextInput::readFreeReal(const std::string& expected)
{
    return readFreeReals(1, expected).front();
}

std::int32_t TextInput::readFreeInteger(const std::string& expected)
{
    for (;;) {
        std::string_view record = nextRecord(expected);
        std::size_t i = 0;
        while (i < record.size() && (isBlank(record[i]) || record[i] == ',')) ++i;
        if (i == record.size()) continue;
        std::size_t start = i;
        while (i < record.size() && !isBlank(record[i]) && record[i] != ',') ++i;
        std::string_view token = record.substr(start, i - start);
        std::int32_t value;
        if (!parseFreeInteger(token, value))
            throwReadError(fileName_, lineNumber_,
                           expected + ", found '" + std::string(token) + "'");
        return value;
    }
}

FixedRecord::FixedRecord(const TextInput& input, std::string_view record)
    : input_(input), record_(record)
{
}

std::string_view FixedRecord::take(int width)
{
    std::size_t start = std::min(column_, record_.size());
    column_ += width;
    return record_.substr(start, std::min<std::size_t>(width, record_.size() - start));
}

void FixedRecord::fail(const std::string& what, int width) const
{
    std::size_t first = column_ - width + 1;
    std::string field(record_.substr(std::min(first - 1, record_.size()), width));
    throwReadError(input_.fileName(), input_.lineNumber(),
                   what + " in columns " + std::to_string(first) + "-" +
                       std::to_string(column_) + ", found '" + field + "'");
}

std::string FixedRecord::text(int width)
{
    std::string field(take(width));
    field.resize(width, ' ');
    return field;
}

float FixedRecord::real(int width, int decimals, const std::string& what)
{
    float value;
    if (!parseFixedReal(take(width), decimals, value)) fail(what, width);
    return value;
}

std::int32_t FixedRecord::integer(int width, const std::string& what)
{
    std::string packed;
    for (char c : take(width))
        if (!isBlank(c)) packed += c;
    std::int32_t value = 0;
    if (!packed.empty() && !parseFreeInteger(packed, value)) fail(what, width);
    return value;
}

std::string formatA(std::string_view text, int width)
{
    if (static_cast<int>(text.size()) >= width) return std::string(text.substr(0, width));
    return std::string(width - text.size(), ' ') + std::string(text);
}

std::string formatF(float value, int width, int decimals)
{
    char buffer[64];
    int length = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, static_cast<double>(value));
    std::string field(buffer, length);
    if (!std::isfinite(value)) {
        std::string out;
        appendPadded(out, field.data(), field.size(), width);
        return out;
    }
    if (decimals == 0) field += '.';
    // No zero before the decimal point.
    if (field.starts_with("0.")) field.erase(0, 1);
    else if (field.starts_with("-0.")) field.erase(1, 1);
    std::string out;
    appendPadded(out, field.data(), field.size(), width);
    return out;
}

void appendE(std::string& out, float value, int width, int decimals)
{
    char field[48];
    std::size_t length = 0;
    if (!std::isfinite(value)) {
        const char* word = std::isnan(value) ? "NaN" : (value < 0 ? "-Infinity" : "Infinity");
        appendPadded(out, word, std::strlen(word), width);
        return;
    }
    if (std::signbit(value) && value != 0.0f) field[length++] = '-';
    field[length++] = '.';
    int exponent = 0;
    if (value == 0.0f) {
        for (int i = 0; i < decimals; ++i) field[length++] = '0';
    } else {
        // d significant digits, correctly rounded: "1.23e-03" becomes ".123" and -2.
        char digits[48];
        std::snprintf(digits, sizeof digits, "%.*e", decimals - 1,
                      std::fabs(static_cast<double>(value)));
        field[length++] = digits[0];
        const char* p = digits + 1;
        if (*p == '.') ++p;
        for (int i = 1; i < decimals; ++i) field[length++] = *p++;
        exponent = std::atoi(p + 1) + 1;
    }
    // A float's decimal exponent never needs more than two digits.
    int magnitude = exponent < 0 ? -exponent : exponent;
    field[length++] = 'E';
    field[length++] = exponent < 0 ? '-' : '+';
    field[length++] = static_cast<char>('0' + magnitude / 10);
    field[length++] = static_cast<char>('0' + magnitude % 10);
    appendPadded(out, field, length, width);
}

std::string formatE(float value, int width, int decimals)
{
    std::string out;
    appendE(out, value, width, decimals);
    return out;
}

std::string formatI(std::int32_t value, int width)
{
    std::string digits = std::to_string(value);
    std::string out;
    appendPadded(out, digits.data(), digits.size(), width);
    return out;
}
