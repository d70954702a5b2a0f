// spectrum-generator: writes a spectrum data file (and optionally engine conditions) from the
// TASMIP model, the project's aluminium attenuation data and a bowtie profile.

#include "beam_quality.h"
#include "bin_tables.h"
#include "bowtie_profile.h"
#include "conditions_file.h"
#include "generator_options.h"
#include "spectrum_file.h"
#include "spectrum_generator.h"
#include "tasmip_model.h"

#include <cstdio>
#include <filesystem>
#include <iostream>

namespace {

void chooseBowtie(const GeneratorOptions& o, SpectrumSettings& s)
{
    char text[128];
    if (!o.bowtieFile.empty()) {
        TabulatedBowtie bowtie = readTabulatedBowtie(o.bowtieFile);
        s.bowtieDescription =
            "bowtie from " + std::filesystem::path(o.bowtieFile).filename().string();
        s.bowtiePathMmAl = [bowtie](double d) { return tabulatedPathMmAl(bowtie, d); };
    } else if (o.bowtiePreset == "none") {
        s.bowtieDescription = "no bowtie";
    } else {
        const WaterCompensator& bowtie = o.bowtiePreset == "head" ? headBowtie() : bodyBowtie();
        std::snprintf(text, sizeof text, "%s bowtie (%g cm water, cap %g mm Al)",
                      bowtie.name.c_str(), bowtie.diameterCm, bowtie.capMmAl);
        s.bowtieDescription = text;
        const double sad = o.sadCm;
        s.bowtiePathMmAl = [&bowtie, sad](double d) { return compensatorPathMmAl(bowtie, d, sad); };
    }
}

int run(const GeneratorOptions& o)
{
    SpectrumSettings s;
    s.kV = o.kV;
    s.addedAluminiumMm = o.addedAluminiumMm;
    s.lastDirection = o.lastDirection;
    s.maxDistanceCm = o.maxDistanceCm;
    s.sadCm = o.sadCm;
    chooseBowtie(o, s);

    const TasmipTable table = readTasmipTable(o.coefficientsFile);
    const BinValues aluminium = readAluminiumAttenuation(o.attenuationFile);
    writeSpectrumFileContent(o.output, generateSpectrumFile(table, aluminium, s));

    // Everything below works from the file as written, as the set-up window does.
    const SpectrumFileContent written = readSpectrumFileContent(o.output);
    std::printf("%s: %s\n", o.output.c_str(), written.comment.c_str());
    std::printf("  direction 0: mean energy %.2f keV", meanEnergyKeV(written.fluence[0]));
    if (!o.airFile.empty()) {
        HalfValueLayers hvl =
            halfValueLayers(written.fluence[0], aluminium, readAirEnergyTransfer(o.airFile));
        std::printf(", half-value layers %.3f and %.3f mm Al", hvl.firstMm, hvl.secondMm);
    }
    std::printf("\n  paths %.3f to %.3f mm Al\n", written.pathMmAl.front(), written.pathMmAl.back());

    if (!o.conditionsFile.empty()) {
        SetUpInputs inputs;
        std::filesystem::path output(o.output);
        inputs.spectrumFileName = output.filename().string();
        inputs.resultName = o.resultName.empty() ? output.stem().string() : o.resultName;
        inputs.sadCm = o.sadCm;
        inputs.historyCount = o.historyCount;
        writeConditionsFile(o.conditionsFile, inputs, written);
        std::printf("%s: conditions for %s.orv2\n", o.conditionsFile.c_str(),
                    inputs.resultName.c_str());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        GeneratorOptions options =
            parseGeneratorOptions(std::vector<std::string>(argv + 1, argv + argc));
        if (options.help) {
            std::cout << generatorHelp();
            return 0;
        }
        return run(options);
    } catch (const UsageError& e) {
        std::cerr << "spectrum-generator: " << e.what() << " (see --help)\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "spectrum-generator: " << e.what() << '\n';
        return 1;
    }
}
