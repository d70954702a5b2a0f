// orvcalc: one cone-beam CT dose simulation per start, in the current directory.

#include "engine_state.h"
#include "run_sequence.h"

#include <iostream>

namespace {
EngineState state; // the whole run's state, in static storage
}

int main()
{
    Console console{std::cin, std::cout, std::cerr};
    return runEngine(state, console);
}
