#include "result_file.h"

#include "engine_state.h"
#include "io_error.h"
#include "stored_float.h"
#include "text_layout.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace {

constexpr float cellVolume = 0.005f; // cm^3: 0.1 x 0.5 x 0.1
constexpr const char* lineEnd = "\r\n";

// 10^k for the decimal exponents a float can have, as the nearest doubles.
double powerOfTen(int k) { return std::pow(10.0, k); }

} // namespace

void normaliseDoseGrid(DoseGrid& grid, float& airKermaSum)
{
    for (float& cell : grid.cells) cell = stored(static_cast<double>(cell) / cellVolume);
    airKermaSum = stored(static_cast<double>(airKermaSum) * 2.0);
    airKermaSum = stored(static_cast<double>(airKermaSum) * 4.0);
    for (float& cell : grid.cells) cell = stored(static_cast<double>(cell) / airKermaSum);
}

void appendDoseField(std::string& out, float value)
{
    if (value == 0.0f && !std::signbit(value)) {
        out.append(" .000E+00");
        return;
    }
    if (!(value > 0.0f) || !std::isfinite(value)) {
        appendE(out, value, 9, 3); // never a dose; the general writer handles it
        return;
    }
    // Three significant digits: value = 0.ddd * 10^exponent. The scaled mantissa in double is
    // within a few units in the last place of the exact one, so its rounding is certain unless
    // it lies next to a half; those rare values go to the exact general writer.
    const double v = value;
    int exponent = static_cast<int>(std::floor(std::log10(v))) + 1;
    double scaled = v * powerOfTen(3 - exponent);
    if (scaled >= 1000.0) {
        ++exponent;
        scaled = v * powerOfTen(3 - exponent);
    } else if (scaled < 100.0) {
        --exponent;
        scaled = v * powerOfTen(3 - exponent);
    }
    const double fraction = scaled - std::floor(scaled);
    if (std::fabs(fraction - 0.5) < 1e-9 || scaled < 100.0 || scaled >= 1000.0) {
        appendE(out, value, 9, 3);
        return;
    }
    int digits = static_cast<int>(std::floor(scaled)) + (fraction > 0.5 ? 1 : 0);
    if (digits == 1000) {
        digits = 100;
        ++exponent;
    }
    if (exponent > 99 || exponent < -99) {
        appendE(out, value, 9, 3);
        return;
    }
    const int magnitude = exponent < 0 ? -exponent : exponent;
    char field[9] = {' ',
                     '.',
                     static_cast<char>('0' + digits / 100),
                     static_cast<char>('0' + digits / 10 % 10),
                     static_cast<char>('0' + digits % 10),
                     'E',
                     exponent < 0 ? '-' : '+',
                     static_cast<char>('0' + magnitude / 10),
                     static_cast<char>('0' + magnitude % 10)};
    out.append(field, sizeof field);
}

std::string temporaryResultName(const std::string& fileName) { return fileName + ".writing"; }

void writeResultFile(const std::string& fileName, const RunConditions& c, const DoseGrid& grid)
{
    const std::string temporary = temporaryResultName(fileName);
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    if (!file) throwOpenError(fileName, std::strerror(errno));

    std::string line;
    line.reserve(DoseGrid::lateralCount * 9 + 2);
    line = formatA(c.spectrumName, 30) + lineEnd;
    for (float value : {c.sourceAxisDistance, c.beamSizeRotation, c.beamSizeBodyAxis,
                        c.phantomFlatLength, c.phantomThickness})
        line += formatF(value, 5, 1) + lineEnd;
    line += formatE(c.historyCount, 8, 2) + lineEnd;
    file.write(line.data(), static_cast<std::streamsize>(line.size()));

    // The grid is stored in the order of the lines, ix fastest.
    const float* cell = grid.cells.data();
    const int lineCount = DoseGrid::componentCount * DoseGrid::bodyAxisCount * DoseGrid::thicknessCount;
    for (int i = 0; i < lineCount; ++i) {
        line.clear();
        for (int ix = 0; ix < DoseGrid::lateralCount; ++ix) appendDoseField(line, *cell++);
        line += lineEnd;
        file.write(line.data(), static_cast<std::streamsize>(line.size()));
    }
    file.close();
    if (!file) {
        const int error = errno;
        std::remove(temporary.c_str());
        throwWriteError(fileName, error != 0 ? std::strerror(error) : "the file could not be written");
    }
    if (std::rename(temporary.c_str(), fileName.c_str()) != 0) {
        const int error = errno;
        std::remove(temporary.c_str());
        throwWriteError(fileName, std::strerror(error));
    }
}

void finishAndWriteResult(EngineState& state)
{
    normaliseDoseGrid(state.dose, state.airKermaSum);
    writeResultFile(state.conditions.resultFileName, state.conditions, state.dose);
}
