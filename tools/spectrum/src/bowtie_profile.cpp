#include "bowtie_profile.h"

#include "io_error.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

const WaterCompensator& bodyBowtie()
{
    static const WaterCompensator bowtie{"body", 32.0, 30.0};
    return bowtie;
}

const WaterCompensator& headBowtie()
{
    static const WaterCompensator bowtie{"head", 16.0, 20.0};
    return bowtie;
}

double compensatorPathMmAl(const WaterCompensator& bowtie, double distanceCm, double sadCm)
{
    const double radiusMm = 5.0 * bowtie.diameterCm;
    const double passMm = 10.0 * distanceCm * sadCm / std::sqrt(sadCm * sadCm + distanceCm * distanceCm);
    if (passMm >= radiusMm) return bowtie.capMmAl;
    const double chordMm = 2.0 * std::sqrt(radiusMm * radiusMm - passMm * passMm);
    return std::min(waterToAluminium * (2.0 * radiusMm - chordMm), bowtie.capMmAl);
}

TabulatedBowtie readTabulatedBowtie(const std::string& fileName)
{
    std::ifstream in(fileName);
    if (!in) throwOpenError(fileName, "cannot open the bowtie profile");
    TabulatedBowtie bowtie;
    std::string line;
    int lineNumber = 0;
    const std::string expected = "a point \"distance_cm path_mm_Al\"";
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::replace(line.begin(), line.end(), ',', ' ');
        std::istringstream fields(line);
        std::string first, second, extra;
        fields >> first;
        if (first.empty() || first[0] == '#') continue;
        fields >> second >> extra;
        char* end = nullptr;
        double distance = std::strtod(first.c_str(), &end);
        bool good = *end == '\0';
        double path = std::strtod(second.c_str(), &end);
        good = good && !second.empty() && *end == '\0' && extra.empty();
        if (!good || !std::isfinite(distance) || !std::isfinite(path))
            throwReadError(fileName, lineNumber, expected);
        if (distance < 0 || path < 0)
            throwReadError(fileName, lineNumber, expected + " with values of 0 or more");
        if (!bowtie.distanceCm.empty() && distance <= bowtie.distanceCm.back())
            throwReadError(fileName, lineNumber, "a distance above the previous point's");
        bowtie.distanceCm.push_back(distance);
        bowtie.pathMmAl.push_back(path);
    }
    if (bowtie.distanceCm.empty()) throwReadError(fileName, lineNumber + 1, expected);
    return bowtie;
}

double tabulatedPathMmAl(const TabulatedBowtie& bowtie, double distanceCm)
{
    const auto& d = bowtie.distanceCm;
    const auto& p = bowtie.pathMmAl;
    if (distanceCm <= d.front()) return p.front();
    for (std::size_t i = 1; i < d.size(); ++i)
        if (distanceCm <= d[i])
            return p[i - 1] + (distanceCm - d[i - 1]) / (d[i] - d[i - 1]) * (p[i] - p[i - 1]);
    return p.back();
}
