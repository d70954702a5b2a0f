#pragma once
// The sample spectra shipped in data/spectra and the settings they were made with
// (tools/spectrum/make-samples.sh).

#include "bowtie_profile.h"
#include "project_data.h"
#include "spectrum_generator.h"

#include <cstdio>
#include <string>
#include <vector>

struct SampleFile {
    std::string name;
    double kV;
    const WaterCompensator* bowtie;
};

inline const std::vector<SampleFile>& sampleFiles()
{
    static const std::vector<SampleFile> samples = {
        {"tasmip-080kV-body.csv", 80, &bodyBowtie()},  {"tasmip-100kV-body.csv", 100, &bodyBowtie()},
        {"tasmip-120kV-body.csv", 120, &bodyBowtie()}, {"tasmip-140kV-body.csv", 140, &bodyBowtie()},
        {"tasmip-120kV-head.csv", 120, &headBowtie()},
    };
    return samples;
}

// What the generator makes for a sample, as make-samples.sh asks for it.
inline SpectrumFileContent regeneratedSample(const SampleFile& sample)
{
    SpectrumSettings s;
    s.kV = sample.kV;
    s.addedAluminiumMm = 2.5;
    s.lastDirection = 20;
    s.maxDistanceCm = 20.0;
    s.sadCm = 60.0;
    char description[128];
    std::snprintf(description, sizeof description, "%s bowtie (%g cm water, cap %g mm Al)",
                  sample.bowtie->name.c_str(), sample.bowtie->diameterCm, sample.bowtie->capMmAl);
    s.bowtieDescription = description;
    const WaterCompensator* bowtie = sample.bowtie;
    s.bowtiePathMmAl = [bowtie](double d) { return compensatorPathMmAl(*bowtie, d, 60.0); };
    return generateSpectrumFile(projectTasmipTable(), projectAluminium(), s);
}
