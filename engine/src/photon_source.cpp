#include "photon_source.h"

#include "engine_state.h"
#include "run_sequence.h"

#include <ostream>

void runStages(EngineState& state, std::ostream& out)
{
    const RunConditions& c = state.conditions;
    for (int stage = 1; stage <= 9; ++stage) {
        for (int bin = 10; bin <= c.topEnergyBin; ++bin) {
            out << progressLine(stage, bin, c.topEnergyBin) << '\n';
            // Photon emission and transport come with the simulation.
        }
    }
    out.flush();
}
