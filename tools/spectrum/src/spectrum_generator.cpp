#include "spectrum_generator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

std::string commentLine(const SpectrumSettings& s)
{
    char text[512];
    std::snprintf(text, sizeof text,
                  "Tungsten anode %g kV (TASMIP model), added filtration %g mm Al, %s, "
                  "SAD %g cm, N = %d; fluence in photons/mm² per mAs at 1 m per 0.5 keV bin",
                  s.kV, s.addedAluminiumMm, s.bowtieDescription.c_str(), s.sadCm, s.lastDirection);
    return text;
}

} // namespace

SpectrumFileContent generateSpectrumFile(const TasmipTable& table, const BinValues& aluminiumPerCm,
                                         const SpectrumSettings& s)
{
    const BinValues base = tasmipSpectrum(table, s.kV);
    SpectrumFileContent c;
    c.comment = commentLine(s);
    c.lastDirection = s.lastDirection;
    for (int i = 0; i <= s.lastDirection; ++i) {
        double distance = s.lastDirection == 0 ? 0.0 : s.maxDistanceCm * i / s.lastDirection;
        c.distanceCm.push_back(distance);
        c.fanAngleDeg.push_back(std::atan(distance / s.sadCm) * 180.0 / std::numbers::pi);
        c.pathMmAl.push_back(s.addedAluminiumMm + s.bowtiePathMmAl(distance));
    }

    const double largest = *std::max_element(base.begin(), base.end());
    for (int i = 0; i <= s.lastDirection; ++i) {
        BinValues direction{};
        for (int bin = 0; bin < binCount; ++bin) {
            double value = base[bin] * std::exp(-aluminiumPerCm[bin] * 0.1 * c.pathMmAl[i]);
            direction[bin] = value < 1e-10 * largest ? 0.0 : value;
        }
        c.fluence.push_back(direction);
    }
    return c;
}
