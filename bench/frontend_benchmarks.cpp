// Benchmarks of the results window's work on a full 14.4 MB result file: reading it into
// ResultDose (with the totals) and drawing every map on the window's own picture surfaces.
// Run bin/frontend_benchmarks; they are not tests.

#include "../frontend/tests/core/result_file_text.h"

#include "dose_maps.h"
#include "picture_surface.h"
#include "profile_graph.h"
#include "result_dose.h"
#include "twips.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

const std::string& resultFile()
{
    static const std::string name = [] {
        const auto path = std::filesystem::temp_directory_path() / "orvell-benchmark.orv2";
        std::ofstream(path, std::ios::binary) << result_fixture::resultText();
        return path.string();
    }();
    return name;
}

void ReadResultFile(benchmark::State& state)
{
    for (auto _ : state) {
        ResultFile result = readResultFile(resultFile());
        result.dose.formTotals();
        benchmark::DoNotOptimize(result.dose(0, 1, 1, 1));
    }
    state.SetBytesProcessed(state.iterations()
                            * static_cast<std::int64_t>(std::filesystem::file_size(resultFile())));
}
BENCHMARK(ReadResultFile)->Unit(benchmark::kMillisecond);

// The axial maps, outlines, sagittal map and profile as "OK" draws them.
void DrawAllMaps(benchmark::State& state)
{
    ResultFile result = readResultFile(resultFile());
    result.dose.formTotals();
    PictureSurface primary, scattered, total, sagittal, profile;
    for (PictureSurface* map : {&primary, &scattered, &total}) {
        map->setGeometry(twipsRect(0, 0, 6135, 5415));
        map->setUserScale(-203, -178, 202, 179);
    }
    sagittal.setGeometry(twipsRect(0, 0, 6255, 5415));
    sagittal.setUserScale(-206, -178, 207, 179);
    profile.setGeometry(twipsRect(0, 0, 6135, 3855));
    profile.setUserScale(-203, 220, 202, -33);
    for (auto _ : state) {
        drawAxialMaps(primary, scattered, total, result.dose, 1);
        drawPhantomOutlines(primary, scattered, total, 20, 20);
        drawSagittalMap(sagittal, result.dose, 20);
        drawProfileGraph(profile, result.dose, 1, 20, 20);
    }
}
BENCHMARK(DrawAllMaps)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // The picture surfaces are widgets that are never shown: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove(resultFile().c_str());
    return 0;
}
