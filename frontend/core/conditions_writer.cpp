#include "conditions_writer.h"

#include "number_format.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

std::optional<std::string> setupInputProblem(const SetupInputs& inputs)
{
    if (numberFromText(inputs.beamSizeBodyAxis) < 1)
        return "the beam size along the body axis is less than 1 cm";
    if (numberFromText(inputs.beamSizeRotation) < 10)
        return "the beam size in the rotation direction is less than 10 cm";
    return std::nullopt;
}

namespace {

std::string formatted(double value, const char* pattern, const char* what)
{
    try {
        return formatNumber(value, pattern);
    } catch (const std::invalid_argument&) {
        throw ConditionsError(std::string("the ") + what + " cannot be written as a number");
    }
}

} // namespace

std::vector<std::string> conditionsRecords(const SetupInputs& inputs, const SpectrumData& spectrum)
{
    const auto number = [](const std::string& text, const char* pattern, const char* what) {
        return formatted(numberFromText(text), pattern, what);
    };
    std::vector<std::string> records;
    records.push_back(inputs.spectrumFileName);
    records.push_back(inputs.resultName + ".orv2");
    records.push_back(number(inputs.sourceAxisDistance, "000.0", "focus to centre distance"));
    records.push_back(number(inputs.beamSizeRotation, "000.0", "beam size (rotation)"));
    records.push_back(number(inputs.beamSizeBodyAxis, "000.0", "beam size (body axis)"));
    records.push_back(number(inputs.phantomFlatLength, "000.0", "phantom dimension a"));
    records.push_back(number(inputs.phantomThickness, "000.0", "phantom dimension b"));
    records.push_back(number(inputs.historyCount, "0.000E+00", "number of histories"));
    const int n = spectrum.lastDirection;
    records.push_back(formatted(n, "000", "last direction"));
    for (int i = 0; i <= n; ++i)
        records.push_back(formatted(spectrum.directionDistance[i], "000.0", "direction distance")
                          + formatted(spectrum.filterPathLength[i] * 0.1, "  00.0000",
                                      "filtration"));
    for (int e = 1; e <= SpectrumData::binCount; ++e)
        records.push_back(formatted(0.5 * e, "0000.0", "energy")
                          + formatted(spectrum.directionFluence[0][e], "  0.000E+00", "fluence"));
    return records;
}

void writeConditionsFile(const std::string& path, const std::vector<std::string>& records)
{
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            throw ConditionsError(temporary + ": cannot be created (" + std::strerror(errno) + ")");
        for (const auto& record : records)
            out << record << "\r\n";
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            throw ConditionsError(temporary + ": cannot be written");
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw ConditionsError(path + ": cannot be replaced (" + error.message() + ")");
    }
}
