#pragma once
// Builds joken.dat text in the front end's layout for the engine tests.

#include <cstdio>
#include <string>
#include <vector>

struct JokenFixture {
    std::string spectrumName = "sample120.csv";
    std::string resultName = "result.orv2";
    std::string geometry[6] = {"060.0", "040.0", "010.0", "020.0", "020.0", "1.000E+04"};
    std::string pointCount = "002";
    std::vector<std::string> profile = {"000.0  00.2500", "005.0  00.3000", "010.0  00.5000"};
    std::vector<double> fluence = std::vector<double>(300, 0.0); // bins 1..300 at [0..299]

    std::string text() const
    {
        std::string t = spectrumName + "\r\n" + resultName + "\r\n";
        for (const std::string& g : geometry) t += g + "\r\n";
        t += pointCount + "\r\n";
        for (const std::string& p : profile) t += p + "\r\n";
        for (int bin = 1; bin <= 300; ++bin) {
            char line[64];
            std::snprintf(line, sizeof line, "%06.1f  %9.3E\r\n", 0.5 * bin, fluence[bin - 1]);
            t += line;
        }
        return t;
    }
};
