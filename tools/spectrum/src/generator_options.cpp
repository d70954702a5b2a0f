#include "generator_options.h"

#include "spectrum_file.h"
#include "tasmip_model.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

double number(const std::string& option, const std::string& text)
{
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value))
        throw UsageError(option + ": \"" + text + "\" is not a number");
    return value;
}

void requireRange(const std::string& option, double value, double low, double high,
                  const std::string& range)
{
    if (value < low || value > high) {
        char text[64];
        std::snprintf(text, sizeof text, "%g", value);
        throw UsageError(option + ": " + text + " is out of range (" + range + ")");
    }
}

} // namespace

GeneratorOptions parseGeneratorOptions(const std::vector<std::string>& arguments)
{
    GeneratorOptions o;
    bool presetGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--help" || option == "-h") {
            o.help = true;
            return o;
        }
        if (option.rfind("--", 0) != 0) throw UsageError("unexpected argument \"" + option + "\"");
        if (i + 1 >= arguments.size()) throw UsageError(option + ": a value is missing");
        const std::string& value = arguments[++i];
        if (option == "--kv") {
            o.kV = number(option, value);
            requireRange(option, o.kV, tasmipMinimumKv, tasmipMaximumKv, "30 to 140 kV");
        } else if (option == "--al") {
            o.addedAluminiumMm = number(option, value);
            requireRange(option, o.addedAluminiumMm, 0.0, 50.0, "0 to 50 mm");
        } else if (option == "--bowtie") {
            if (value != "body" && value != "head" && value != "none")
                throw UsageError(option + ": \"" + value + "\" is no preset (body, head or none)");
            o.bowtiePreset = value;
            presetGiven = true;
        } else if (option == "--bowtie-file") {
            o.bowtieFile = value;
        } else if (option == "--points") {
            double n = number(option, value);
            if (n != std::floor(n))
                throw UsageError(option + ": \"" + value + "\" is not a whole number");
            requireRange(option, n, 0, maxLastDirection, "0 to 25");
            o.lastDirection = static_cast<int>(n);
        } else if (option == "--max-distance") {
            o.maxDistanceCm = number(option, value);
            requireRange(option, o.maxDistanceCm, 0.0, 20.0, "0 to 20 cm");
        } else if (option == "--sad") {
            o.sadCm = number(option, value);
            requireRange(option, o.sadCm, 10.0, 1000.0, "10 to 1000 cm");
        } else if (option == "--output") {
            o.output = value;
        } else if (option == "--coefficients") {
            o.coefficientsFile = value;
        } else if (option == "--attenuation") {
            o.attenuationFile = value;
        } else if (option == "--air") {
            o.airFile = value;
        } else if (option == "--conditions") {
            o.conditionsFile = value;
        } else if (option == "--result") {
            o.resultName = value;
        } else if (option == "--histories") {
            o.historyCount = number(option, value);
            requireRange(option, o.historyCount, 1.0, 1.0e12, "1 to 1e12");
        } else {
            throw UsageError("unknown option \"" + option + "\" (see --help)");
        }
    }
    if (presetGiven && !o.bowtieFile.empty())
        throw UsageError("--bowtie and --bowtie-file: give one or the other");
    if (o.output.empty()) throw UsageError("--output: the spectrum file to write is required");
    if (o.lastDirection > 0 && o.maxDistanceCm <= 0.0)
        throw UsageError("--max-distance: must be above 0 cm when N is above 0");
    if (o.output.size() < 4 || o.output.compare(o.output.size() - 4, 4, ".csv") != 0)
        throw UsageError("--output: the name must end in .csv, the only files the set-up window lists");
    return o;
}

std::string generatorHelp()
{
    return R"(Usage: spectrum-generator [options] --output FILE.csv

Writes a spectrum data file for the set-up window: the tungsten-anode spectrum of the TASMIP
model (Boone and Seibert 1997) with added aluminium filtration, and N + 1 bowtie directions,
each with its filtration path and its spectrum.

  --kv KV              tube voltage, 30 to 140 kV (default 120)
  --al MM              added aluminium filtration, 0 to 50 mm (default 2.5)
  --bowtie PRESET      body: compensates 32 cm of water, capped at 30 mm Al (default)
                       head: compensates 16 cm of water, capped at 20 mm Al
                       none: no bowtie
  --bowtie-file FILE   the bowtie's extra path from FILE instead of a preset: one point per
                       line, "distance_cm path_mm_Al"; '#' starts a comment line
  --points N           index of the last direction, 0 to 25 (default 20)
  --max-distance CM    distance of direction N from the centre at the rotation centre,
                       0 to 20 cm (default 20); directions are evenly spaced from 0
  --sad CM             focus to rotation-centre distance, 10 to 1000 cm (default 60)
  --output FILE.csv    the spectrum file to write (required)
  --coefficients FILE  TASMIP coefficients (default data/tasmip-coefficients.csv)
  --attenuation FILE   aluminium attenuation per energy bin, Mus.dat layout (default data/Mus.dat)
  --air FILE           air energy-transfer coefficients, AirMUtr.dat layout: when given, the
                       half-value layers of direction 0 are printed
  --conditions FILE    also write engine conditions (joken.dat layout) with the set-up window's
                       defaults: beam 40 x 10 cm, phantom 20 x 20 cm, this spectrum and SAD
  --result NAME        result name in the conditions (default: the output's name without .csv)
  --histories COUNT    history count in the conditions, 1 to 1e12 (default 1e6)
  --help               this text
)";
}
