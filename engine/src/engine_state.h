#pragma once
// Everything a run holds, created once in static storage by main().

#include "dose_grid.h"
#include "interaction_data.h"
#include "run_conditions.h"
#include "uniform_random.h"

struct EngineState {
    RunConditions conditions;
    InteractionData data;
    UniformRandom random;
    DoseGrid dose;
    float airKermaSum = 0;
};
