#pragma once
// The lines the results window prints for the header of the chosen result file.

#include "result_dose.h"

#include <string>
#include <vector>

// Nine lines: the spectrum title, SAD, field size and phantom size in cm and the history
// count, with the window's fixed indentation.
std::vector<std::string> resultHeaderLines(const ResultHeader& header);
