#pragma once
// The scan: nine tube positions, the energy bins of the spectrum, and the photons each emits.

#include <iosfwd>

struct EngineState;

// Runs the nine stages, printing one progress line at the start of every energy bin.
void runStages(EngineState& state, std::ostream& out);
