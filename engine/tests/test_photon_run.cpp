// Whole runs: the loop against a plain emit-then-transport loop, reproducibility of the result
// file, and a run in which no photon reaches the phantom.

#include "engine_state.h"
#include "fixtures/simulation/synthetic_tables.h"
#include "joken_fixture.h"
#include "photon_source.h"
#include "photon_transport.h"
#include "run_sequence.h"
#include "transport_tables.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::unique_ptr<EngineState> stateFor(const RunConditions& conditions)
{
    auto state = std::make_unique<EngineState>();
    state->random.seed();
    state->data = syntheticInteractionData();
    state->conditions = conditions;
    return state;
}

// Every photon emitted by emitPhoton and transported with each deposit added at once.
void plainLoop(EngineState& state)
{
    const RunConditions& c = state.conditions;
    auto tables = std::make_unique<TransportTables>();
    buildTransportTables(state.data, *tables);
    TransportContext context{*tables, state.random, state.dose, c.phantomHalfFlatLength,
                             c.phantomRadius, c.phantomHalfLength};
    for (int s = 1; s <= 9; ++s) {
        const ScanStage stage = makeStage(s, c.sourceAxisDistance);
        for (int bin = 10; bin <= c.topEnergyBin; ++bin) {
            const int count = photonsPerBin(c.spectrumFluence[bin], c.historyCount);
            for (int i = 0; i < count; ++i) {
                PhotonState photon;
                if (emitPhoton(stage, bin, c, state.data, state.random, state.airKermaSum, photon))
                    transportPhoton(photon, context);
            }
        }
    }
}

RunConditions bowtieConditions(float flatLength, float thickness, float beamRotation)
{
    RunConditions c = defaultConditions(1.0e5f);
    c.phantomFlatLength = flatLength;
    c.phantomThickness = thickness;
    c.beamSizeRotation = beamRotation;
    c.filterPointCount = 4;
    const float thicknessAt[] = {0, 0.25f, 0.4f, 0.9f, 1.8f, 2.6f, 2.6f};
    for (int k = 1; k <= 6; ++k) {
        c.filterDistance[k] = 5.0f * (k - 1);
        c.filterThickness[k] = thicknessAt[k];
    }
    for (int bin = 20; bin <= 240; ++bin) c.spectrumFluence[bin] = 1.0f + (bin % 17) * 0.1f;
    deriveQuantities(c, "test");
    return c;
}

TEST(PhotonRun, TheLoopGivesTheSameBitsAsEmittingAndTransportingPhotonByPhoton)
{
    // The default phantom (case B at every stage) and a wide flat one (case A at 85 degrees).
    for (const RunConditions& c : {bowtieConditions(20, 20, 40), bowtieConditions(30, 16, 48)}) {
        auto fast = stateFor(c);
        auto plain = stateFor(c);
        std::ostringstream progress;
        runStages(*fast, progress);
        plainLoop(*plain);
        EXPECT_GT(fast->airKermaSum, 0.0f);
        EXPECT_EQ(fast->airKermaSum, plain->airKermaSum);
        EXPECT_EQ(std::memcmp(fast->random.table, plain->random.table, sizeof fast->random.table), 0);
        EXPECT_TRUE(fast->dose.cells == plain->dose.cells);
        double primary = 0, scattered = 0;
        for (int i = 0; i < DoseGrid::cellCount / 2; ++i) primary += fast->dose.cells[i];
        for (int i = DoseGrid::cellCount / 2; i < DoseGrid::cellCount; ++i) scattered += fast->dose.cells[i];
        EXPECT_GT(primary, 0.0);
        EXPECT_GT(scattered, 0.0);
    }
}

// A scratch working directory holding the committed physics data files.
class EngineRun : public ::testing::Test {
protected:
    fs::path previous = fs::current_path();
    fs::path directory = fs::temp_directory_path() / ("orvcalc_photon_run_" + std::to_string(::getpid()));
    JokenFixture fixture;

    void SetUp() override
    {
        fs::create_directories(directory);
        for (const char* name : {"ICRUSoft.dat", "AirMUtr.dat", "Mus.dat"})
            fs::copy_file(fs::path(ORVELL_SOURCE_DIR) / "data" / name, directory / name,
                          fs::copy_options::overwrite_existing);
        fs::current_path(directory);
        fixture.geometry[5] = "1.000E+05";
        for (int bin = 20; bin <= 240; ++bin) fixture.fluence[bin - 1] = 1.0e-2;
    }
    void TearDown() override
    {
        fs::current_path(previous);
        fs::remove_all(directory);
    }
    int run(const JokenFixture& joken, std::string& err)
    {
        std::ofstream("joken.dat", std::ios::binary) << joken.text();
        auto state = std::make_unique<EngineState>();
        std::istringstream in;
        std::ostringstream out, errors;
        Console console{in, out, errors, [] { return ClockTime{12, 0, 0, 0}; }};
        const int status = runEngine(*state, console);
        err = errors.str();
        return status;
    }
    static std::string contents(const std::string& file)
    {
        std::ifstream in(file, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

TEST_F(EngineRun, TwoRunsOfTheSameInputsWriteIdenticalFiles)
{
    std::string err;
    ASSERT_EQ(run(fixture, err), 0) << err;
    const std::string first = contents("result.orv2");
    ASSERT_EQ(run(fixture, err), 0) << err;
    EXPECT_EQ(contents("result.orv2"), first);
    EXPECT_GT(first.size(), 8000u * 1800u);
    EXPECT_NE(first.find(".", 14 * 1800), std::string::npos);
}

TEST_F(EngineRun, NoPhotonThroughTheReferenceWindowMeansNoResultFile)
{
    JokenFixture nothing = fixture;
    nothing.geometry[3] = "000.0"; // a phantom of no size: every ray misses
    nothing.geometry[4] = "000.0";
    std::string err;
    EXPECT_EQ(run(nothing, err), 1);
    EXPECT_NE(err.find("no photon crossed the reference window"), std::string::npos) << err;
    EXPECT_FALSE(fs::exists("result.orv2"));
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 4); // inputs only
}

TEST(PhotonRun, EveryPhotonMissingLeavesAnAllZeroGrid)
{
    RunConditions c = bowtieConditions(0, 0, 40);
    auto state = stateFor(c);
    std::ostringstream progress;
    runStages(*state, progress);
    EXPECT_EQ(state->airKermaSum, 0.0f);
    for (float cell : state->dose.cells) ASSERT_EQ(cell, 0.0f);
}

} // namespace
