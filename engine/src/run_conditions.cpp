#include "run_conditions.h"

#include "io_error.h"
#include "text_layout.h"

#include <cmath>

namespace {

float toFloat(double value) { return static_cast<float>(value); }

std::string trimmedRight(std::string_view text)
{
    std::size_t end = text.find_last_not_of(' ');
    return std::string(end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1));
}

} // namespace

RunConditions readRunConditions(const std::string& fileName)
{
    RunConditions c;
    TextInput in(fileName);

    c.spectrumName = FixedRecord(in, in.nextRecord("the spectrum file name")).text(30);
    // The whole record: a 30-character field would cut a long name's ".orv2" extension.
    c.resultFileName = trimmedRight(in.nextRecord("the result file name"));

    c.sourceAxisDistance = in.readFreeReal("the source-axis distance");
    c.beamSizeRotation = in.readFreeReal("the beam size in the rotation direction");
    c.beamSizeBodyAxis = in.readFreeReal("the beam size along the body axis");
    c.phantomFlatLength = in.readFreeReal("the phantom flat length");
    c.phantomThickness = in.readFreeReal("the phantom thickness");
    c.historyCount = in.readFreeReal("the history count");
    c.filterPointCount = in.readFreeInteger("the filter point count");
    if (c.filterPointCount < 0 || c.filterPointCount > RunConditions::maxFilterPointCount)
        throwReadError(fileName, in.lineNumber(),
                       "a filter point count from 0 to 25, found " +
                           std::to_string(c.filterPointCount));

    const int n = c.filterPointCount;
    for (int i = 1; i <= n + 1; ++i) {
        std::string what = "filter profile point " + std::to_string(i - 1);
        FixedRecord record(in, in.nextRecord(what));
        c.filterDistance[i] = record.real(5, 1, what + " distance (F5.1)");
        c.filterThickness[i] = record.real(9, 4, what + " thickness (F9.4)");
    }
    c.filterDistance[n + 2] = toFloat(static_cast<double>(c.filterDistance[n + 1]) + 5.0);
    c.filterThickness[n + 2] = c.filterThickness[n + 1];

    for (int i = 1; i <= RunConditions::binCount; ++i) {
        std::vector<float> pair =
            in.readFreeReals(2, "the energy and fluence of spectrum bin " + std::to_string(i));
        c.spectrumFluence[i] = pair[1];
    }
    return c;
}

void deriveQuantities(RunConditions& c, const std::string& fileName)
{
    c.phantomHalfFlatLength = toFloat(0.5 * c.phantomFlatLength);
    c.phantomRadius = toFloat(0.5 * c.phantomThickness);

    int k = RunConditions::binCount;
    while (k >= 1 && !(c.spectrumFluence[k] > 0.0f)) --k;
    if (k < 1)
        throw IoError("read error: " + fileName +
                      ": the spectrum is empty: no bin from 1 to 300 has a positive fluence");
    // One bin above the last positive one, but never beyond the 300 existing bins.
    c.topEnergyBin = std::min(k + 1, RunConditions::binCount);

    float sum = 0.0f;
    for (int i = 1; i <= RunConditions::binCount; ++i)
        sum = toFloat(static_cast<double>(sum) + c.spectrumFluence[i]);
    c.spectrumSum = sum;
    for (int i = 1; i <= RunConditions::binCount; ++i)
        c.spectrumFluence[i] = toFloat(static_cast<double>(c.spectrumFluence[i]) / sum);

    c.halfBeamSizeRotation = toFloat(0.5 * c.beamSizeRotation);
    c.halfBeamSizeBodyAxis = toFloat(0.5 * c.beamSizeBodyAxis);
    c.fullFanAngle = toFloat(
        2.0 * std::atan(static_cast<double>(c.halfBeamSizeRotation) / c.sourceAxisDistance));
    c.halfConeAngle =
        toFloat(std::atan(static_cast<double>(c.halfBeamSizeBodyAxis) / c.sourceAxisDistance));
    c.phantomHalfLength = 20.0f;
}
