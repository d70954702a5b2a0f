#pragma once
// Synthetic result files for the reader, window and read-out tests: a header and 1,600,000
// dose values, each cell's value a function of its indices, written as the engine writes them
// (E9.3 fields) but with a chosen number of values per line. No test framework needed.

#include <cstdio>
#include <string>
#include <vector>

namespace result_fixture {

// Exact in binary and in three decimal digits, so text and value agree without rounding.
inline int cellHash(int component, int x, int y, int z)
{
    return (component * 7 + x * 13 + y * 17 + z * 19) % 21;
}

inline double valueOfHash(int hash)
{
    static const double mantissas[7] = {0.125, 0.25, 0.375, 0.5, 0.625, 0.75, 0.875};
    return mantissas[hash % 7] * (hash % 3 == 0 ? 10 : 1);
}

inline double cellValue(int component, int x, int y, int z)
{
    return valueOfHash(cellHash(component, x, y, z));
}

// The E9.3 field of a value from cellValue: " .125E+00", " .125E+01".
inline std::string field(double value)
{
    int exponent = 0;
    while (value >= 1) {
        value /= 10;
        ++exponent;
    }
    char text[32];
    std::snprintf(text, sizeof text, " .%03dE+%02d", static_cast<int>(value * 1000 + 0.5),
                  exponent);
    return text;
}

// field(cellValue(...)) without formatting each of the 1,600,000 fields anew.
inline const std::string& cellField(int component, int x, int y, int z)
{
    static const auto fields = [] {
        std::vector<std::string> table;
        for (int hash = 0; hash < 21; ++hash) {
            table.push_back(field(valueOfHash(hash)));
        }
        return table;
    }();
    return fields[cellHash(component, x, y, z)];
}

struct Layout {
    int valuesPerLine = 200;
    std::string lineEnd = "\r\n";
};

inline std::string header(double a = 20, double b = 20)
{
    char text[256];
    std::snprintf(text, sizeof text,
                  "%-30s\r\n 60.0\r\n 40.0\r\n 10.0\r\n%5.1f\r\n%5.1f\r\n .10E+10\r\n",
                  "sample 120kV", a, b);
    return text;
}

// Header and grid; `valueCount` below 1,600,000 cuts the grid short.
inline std::string resultText(const Layout& layout = {}, const std::string& head = header(),
                              int valueCount = 1600000)
{
    std::string text = head;
    text.reserve(text.size() + 9 * valueCount + 2 * valueCount / layout.valuesPerLine + 16);
    int written = 0;
    for (int component = 1; component <= 2; ++component) {
        for (int y = 1; y <= 40; ++y) {
            for (int z = 1; z <= 100; ++z) {
                for (int x = 1; x <= 200; ++x) {
                    if (written == valueCount) {
                        return text;
                    }
                    text += cellField(component, x, y, z);
                    if (++written % layout.valuesPerLine == 0) {
                        text += layout.lineEnd;
                    }
                }
            }
        }
    }
    return text;
}

// Header and grid with each cell's value from value(component, x, y, z); the values must
// have at most three significant digits below 10 for the text to hold them exactly.
template <typename CellValue>
std::string resultTextOf(CellValue value, const std::string& head = header())
{
    std::string text = head;
    for (int component = 1; component <= 2; ++component) {
        for (int y = 1; y <= 40; ++y) {
            for (int z = 1; z <= 100; ++z) {
                for (int x = 1; x <= 200; ++x) {
                    text += field(value(component, x, y, z));
                }
                text += "\r\n";
            }
        }
    }
    return text;
}

} // namespace result_fixture
