#include "conditions_file.h"

#include "io_error.h"
#include "replace_file.h"

#include <cstdio>
#include <fstream>

namespace {

std::string formatted(const char* pattern, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

} // namespace

std::string conditionsText(const SetUpInputs& in, const SpectrumFileContent& spectrum)
{
    const std::string end = "\r\n";
    std::string t = in.spectrumFileName + end + in.resultName + ".orv2" + end;
    for (double value : {in.sadCm, in.beamSizeRotationCm, in.beamSizeBodyAxisCm, in.phantomACm,
                         in.phantomBCm})
        t += formatted("%05.1f", value) + end;
    t += formatted("%.3E", in.historyCount) + end;
    char count[16];
    std::snprintf(count, sizeof count, "%03d", spectrum.lastDirection);
    t += count + end;
    for (int i = 0; i <= spectrum.lastDirection; ++i)
        t += formatted("%05.1f", spectrum.distanceCm[i]) +
             formatted("  %07.4f", spectrum.pathMmAl[i] * 0.1) + end;
    for (int bin = 0; bin < binCount; ++bin)
        t += formatted("%06.1f", binEnergyKeV(bin)) + formatted("  %.3E", spectrum.fluence[0][bin]) +
             end;
    return t;
}

void writeConditionsFile(const std::string& fileName, const SetUpInputs& inputs,
                         const SpectrumFileContent& spectrum)
{
    replaceFile(fileName, conditionsText(inputs, spectrum));
}
