#include "run_sequence.h"

#include "engine_state.h"
#include "interaction_data.h"
#include "io_error.h"
#include "photon_source.h"
#include "result_file.h"
#include "text_layout.h"

#include <ctime>
#include <iostream>
#include <sys/time.h>

ClockTime readLocalClock()
{
    timeval now{};
    gettimeofday(&now, nullptr);
    std::tm local{};
    localtime_r(&now.tv_sec, &local);
    return {local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(now.tv_usec / 10000)};
}

std::string clockLine(const std::string& label, const ClockTime& time)
{
    return label + formatI(time.hour, 2) + ":" + formatI(time.minute, 2) + ":" +
           formatI(time.second, 2);
}

std::string progressLine(int stage, int energyBin, int topEnergyBin)
{
    return "(" + formatI(stage, 1) + "/9)   " + formatI(energyBin, 3) + "/" +
           formatI(topEnergyBin, 3);
}

void waitForEnter(std::istream& in)
{
    std::string ignored;
    std::getline(in, ignored);
    in.clear(); // end of input counts as Enter, at this wait and the next
}

int runEngine(EngineState& state, Console& console)
{
    std::ostream& out = console.out;
    try {
        state.random.seed();
        loadInteractionData(state.data);
        state.conditions = readRunConditions("joken.dat");
        deriveQuantities(state.conditions, "joken.dat");

        out << " \n <<< Monte Carlo Simulation >>>\n \n  ---  Push Enter key to start  ---"
            << std::endl;
        waitForEnter(console.in);

        const ClockTime start = console.clock();
        out << clockLine(" Start time =", start) << "\n \n";

        runStages(state, out);

        out << " \n" << clockLine(" Start time =", start) << "\n \n";
        const ClockTime finish = console.clock();
        out << clockLine(" Finish time =", finish) << std::endl;

        // Without a photon through the reference window there is no dose to normalise to.
        if (!(state.airKermaSum > 0.0f)) {
            console.err << "no result: no photon crossed the reference window at the rotation "
                           "centre, so the air kerma is zero; no result file was written"
                        << std::endl;
            return 1;
        }
        finishAndWriteResult(state);

        out << " \n  -- Simulation result were saved --\n  ---  Push Enter key to finish  ---\n \n"
            << std::flush;
        waitForEnter(console.in);
        out << "Stop - Program terminated." << std::endl;
        return 0;
    } catch (const IoError& error) {
        out << std::flush;
        console.err << error.what() << std::endl;
        return 1;
    }
}
