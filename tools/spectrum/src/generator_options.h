#pragma once
// The generator's command line.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

struct GeneratorOptions {
    double kV = 120.0;
    double addedAluminiumMm = 2.5;
    std::string bowtiePreset = "body"; // body, head or none; ignored with bowtieFile
    std::string bowtieFile;
    int lastDirection = 20;
    double maxDistanceCm = 20.0;
    double sadCm = 60.0;
    std::string output;
    std::string coefficientsFile = "data/tasmip-coefficients.csv";
    std::string attenuationFile = "data/Mus.dat";
    std::string airFile;        // when set, the half-value layers are printed
    std::string conditionsFile; // when set, joken.dat-style conditions are written too
    std::string resultName;     // default: the output's name without ".csv"
    double historyCount = 1.0e6;
    bool help = false;
};

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws UsageError with a message naming the option for an unknown option, a missing or
// malformed value, or a value out of range.
GeneratorOptions parseGeneratorOptions(const std::vector<std::string>& arguments);

std::string generatorHelp();
