// Speed of the simulation under the default conditions of the bundled 120 kV conditions file
// (SAD 60 cm, beam 40 x 10 cm, phantom 20 x 20 cm, body bowtie), with the committed physics
// tables, and of the result file writer.

#include "engine_state.h"
#include "interaction_data.h"
#include "photon_source.h"
#include "photon_transport.h"
#include "result_file.h"
#include "run_conditions.h"
#include "transport_tables.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

namespace {

const std::string dataDirectory = std::string(ORVELL_SOURCE_DIR) + "/data/";

std::unique_ptr<EngineState> defaultState(float historyCount)
{
    auto state = std::make_unique<EngineState>();
    state->random.seed();
    loadSoftTissueTable(state->data, dataDirectory + "ICRUSoft.dat");
    loadAirEnergyTransfer(state->data, dataDirectory + "AirMUtr.dat");
    loadFilterAttenuation(state->data, dataDirectory + "Mus.dat");
    state->conditions = readRunConditions(dataDirectory + "joken.dat");
    state->conditions.historyCount = historyCount;
    deriveQuantities(state->conditions, "joken.dat");
    return state;
}

// The whole loop: nine stages, all bins; one iteration runs `histories` photon histories.
void SimulateDefaultConditions(benchmark::State& bench)
{
    const float histories = static_cast<float>(bench.range(0));
    std::int64_t total = 0;
    for (auto _ : bench) {
        bench.PauseTiming();
        auto state = defaultState(histories);
        std::ostringstream progress;
        bench.ResumeTiming();
        runStages(*state, progress);
        benchmark::DoNotOptimize(state->airKermaSum);
        // The histories the loop actually emitted (each bin's share is truncated).
        bench.PauseTiming();
        for (int bin = 10; bin <= state->conditions.topEnergyBin; ++bin)
            total += 9 * photonsPerBin(state->conditions.spectrumFluence[bin], histories);
        bench.ResumeTiming();
    }
    // Rates over the process's CPU time: the machine is shared, so wall time says less.
    bench.counters["histories/s"] =
        benchmark::Counter(static_cast<double>(total), benchmark::Counter::kIsRate);
    bench.counters["time/history"] = benchmark::Counter(
        static_cast<double>(total), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(SimulateDefaultConditions)
    ->Arg(2000000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->DisplayAggregatesOnly(true);

// Emission alone (no transport), to separate the source's share of a history.
void EmitDefaultConditions(benchmark::State& bench)
{
    auto state = defaultState(1e9f);
    const ScanStage stage = makeStage(5, state->conditions.sourceAxisDistance);
    PhotonState photon;
    std::int64_t count = 0;
    for (auto _ : bench) {
        for (int i = 0; i < 1000; ++i) {
            benchmark::DoNotOptimize(emitPhoton(stage, 120, state->conditions, state->data,
                                                state->random, state->airKermaSum, photon));
        }
        count += 1000;
    }
    bench.counters["time/photon"] = benchmark::Counter(
        static_cast<double>(count), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(EmitDefaultConditions);

// Normalising and writing the 1.6 million dose fields.
void WriteResultFile(benchmark::State& bench)
{
    auto state = defaultState(1e9f);
    for (std::size_t i = 0; i < state->dose.cells.size(); ++i)
        state->dose.cells[i] = static_cast<float>((i % 9973) * 1.37e-4 + (i % 7) * 1e-7);
    const std::string name =
        (std::filesystem::temp_directory_path() / "orvcalc_bench_result.orv2").string();
    for (auto _ : bench) writeResultFile(name, state->conditions, state->dose);
    std::remove(name.c_str());
    bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations()) * 14416077);
}
BENCHMARK(WriteResultFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
