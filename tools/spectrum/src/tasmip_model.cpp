#include "tasmip_model.h"

#include "io_error.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <string_view>
#include <vector>

namespace {

std::vector<std::string_view> splitCommas(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        std::size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma - start));
        if (comma == std::string_view::npos) return fields;
        start = comma + 1;
    }
}

bool parseNumber(std::string_view text, double& value)
{
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.empty()) return false;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// A continuum bump: the rows it spans and the rows just outside it that anchor the continuum.
struct LineBump {
    int firstRow;
    int lastRow;
};
// Located on the table itself: outside these rows the row-to-row steps are those of the
// continuum (the bumps include the table's 2-keV sampling on each side of the lines).
constexpr LineBump kAlphaBump{57, 63};
constexpr LineBump kBetaBump{67, 71};

double removeBump(TasmipRows& rows, const LineBump& bump)
{
    const int below = bump.firstRow - 1;
    const int above = bump.lastRow + 1;
    double removed = 0;
    for (int row = bump.firstRow; row <= bump.lastRow; ++row) {
        double t = static_cast<double>(row - below) / (above - below);
        double continuum = rows[below] + t * (rows[above] - rows[below]);
        if (rows[row] > continuum) {
            removed += rows[row] - continuum;
            rows[row] = continuum;
        }
    }
    return removed;
}

} // namespace

TasmipTable readTasmipTable(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throwOpenError(fileName, "cannot open the TASMIP coefficient table");

    TasmipTable table;
    std::string line;
    int lineNumber = 0;
    auto nextLine = [&](const std::string& expected) {
        if (!std::getline(in, line)) throwReadError(fileName, lineNumber + 1, expected);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
    };

    nextLine("the header \"energy_keV,a0,a1,a2,a3\"");
    if (line != "energy_keV,a0,a1,a2,a3")
        throwReadError(fileName, lineNumber, "the header \"energy_keV,a0,a1,a2,a3\"");
    for (int row = 0; row < tasmipRowCount; ++row) {
        std::string expected = "the row for " + std::to_string(row) + " keV: energy and a0 to a3";
        nextLine(expected);
        std::vector<std::string_view> fields = splitCommas(line);
        double energy = 0;
        if (fields.size() != 5 || !parseNumber(fields[0], energy) || energy != row)
            throwReadError(fileName, lineNumber, expected);
        for (int k = 0; k < 4; ++k)
            if (!parseNumber(fields[k + 1], table.coefficients[row][k]))
                throwReadError(fileName, lineNumber, expected);
    }
    return table;
}

TasmipRows evaluateTasmipRows(const TasmipTable& table, double kV)
{
    TasmipRows rows{};
    for (int row = 10; row < tasmipRowCount && row <= kV; ++row) {
        const auto& a = table.coefficients[row];
        double value = a[0] + kV * (a[1] + kV * (a[2] + kV * a[3]));
        rows[row] = std::max(value, 0.0);
    }
    return rows;
}

CharacteristicLines separateCharacteristicLines(TasmipRows& rows, double kV)
{
    // Both bumps and their upper anchor rows must lie inside the spectrum. Just above the
    // K edge (69.5 keV) the lines are too weak to matter and are left as the table has them.
    if (kV < kBetaBump.lastRow + 1) return {};
    CharacteristicLines lines;
    lines.kAlpha = removeBump(rows, kAlphaBump);
    lines.kBeta = removeBump(rows, kBetaBump);
    return lines;
}

BinValues tasmipSpectrum(const TasmipTable& table, double kV)
{
    TasmipRows rows = evaluateTasmipRows(table, kV);
    CharacteristicLines lines = separateCharacteristicLines(rows, kV);

    // Row E spans E - 1 to E keV. The bin centred on E - 0.5 lies wholly inside it; the bins
    // centred on E - 1 and E each take a quarter keV of it.
    BinValues bins{};
    // Rows below 10 keV are always zero.
    for (int row = 10; row < tasmipRowCount; ++row) {
        const double perHalfKeV = 0.5 * rows[row];
        bins[binIndexOf(row - 0.5)] += perHalfKeV;
        bins[binIndexOf(row - 1.0)] += 0.5 * perHalfKeV;
        bins[binIndexOf(row)] += 0.5 * perHalfKeV;
    }

    const double alpha1Share = 1.0 / (1.0 + kAlpha2RelativeIntensity);
    bins[binIndexOf(kAlpha1EnergyKeV)] += lines.kAlpha * alpha1Share;
    bins[binIndexOf(kAlpha2EnergyKeV)] += lines.kAlpha * (1.0 - alpha1Share);
    bins[binIndexOf(kBeta1EnergyKeV)] += lines.kBeta;
    return bins;
}
