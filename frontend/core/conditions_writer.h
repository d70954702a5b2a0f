#pragma once
// Turns the set-up window's inputs and the loaded spectrum into joken.dat, the conditions file
// the engine reads: 9 header records, N+1 filtration records and 300 spectrum records, each
// ended by CR LF.

#include "spectrum_data.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// The set-up window's inputs as typed; numbers are taken from the start of each text.
struct SetupInputs {
    std::string spectrumFileName; // name only, as listed (empty when nothing is selected)
    std::string resultName;       // without extension
    std::string sourceAxisDistance = "60";
    std::string beamSizeRotation = "40";
    std::string beamSizeBodyAxis = "10";
    std::string phantomFlatLength = "20";
    std::string phantomThickness = "20";
    std::string historyCount = "1000000000";
};

// The two checks made before anything is written, in their order: the body-axis size must be
// at least 1 cm, then the rotation-direction size at least 10 cm. Returns the first failure
// (for the message's detail text), or nothing when both pass.
std::optional<std::string> setupInputProblem(const SetupInputs& inputs);

class ConditionsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The records of joken.dat, without line ends. Throws ConditionsError when a value cannot be
// written by its pattern (an infinite number).
std::vector<std::string> conditionsRecords(const SetupInputs& inputs, const SpectrumData& spectrum);

// Writes the records, each ended by CR LF, under a temporary name beside `path` and renames
// the complete file to `path`, so no reader ever sees half a file. Throws ConditionsError
// naming the file and the reason; the file under `path` is then left as it was.
void writeConditionsFile(const std::string& path, const std::vector<std::string>& records);
