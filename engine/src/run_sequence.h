#pragma once
// The engine's fixed sequence of phases, from seeding to the final wait, and its console text.

#include <functional>
#include <iosfwd>
#include <string>

struct EngineState;

struct ClockTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int hundredths = 0; // read, never shown
};

ClockTime readLocalClock();

struct Console {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    std::function<ClockTime()> clock = readLocalClock;
};

// Runs one whole simulation in the current directory; returns the exit status (0 after a
// complete run, 1 after a failed file operation, with the message on console.err).
int runEngine(EngineState& state, Console& console);

// " Start time =14: 5: 9": label, then hour, minute and second in blank-filled I2 fields.
std::string clockLine(const std::string& label, const ClockTime& time);

// "(1/9)    10/281": stage, energy bin and top bin of the loop.
std::string progressLine(int stage, int energyBin, int topEnergyBin);

// Waits for one input line; end of input counts as Enter.
void waitForEnter(std::istream& in);
