#include "engine_state.h"
#include "joken_fixture.h"
#include "run_sequence.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

// A scratch working directory holding the physics data files and a joken.dat.
class RunSequenceTest : public ::testing::Test {
protected:
    fs::path previous = fs::current_path();
    fs::path directory = fs::temp_directory_path() / ("orvcalc_run_" + std::to_string(::getpid()));
    JokenFixture fixture;

    void SetUp() override
    {
        fs::create_directories(directory);
        for (const char* name : {"ICRUSoft.dat", "AirMUtr.dat", "Mus.dat"}) {
            fs::path source = fs::path(ORVELL_SOURCE_DIR) / "data" / name;
            if (fs::exists(source))
                fs::copy_file(source, directory / name, fs::copy_options::overwrite_existing);
        }
        fs::current_path(directory);
        fixture.geometry[5] = "1.000E+05"; // enough photons through the reference window
        for (int bin = 20; bin <= 280; ++bin) fixture.fluence[bin - 1] = 1.0e-2;
    }
    void TearDown() override
    {
        fs::current_path(previous);
        fs::remove_all(directory);
    }
    void writeJoken(const std::string& text) { std::ofstream("joken.dat", std::ios::binary) << text; }

    int run(const std::string& input, std::string& out, std::string& err)
    {
        auto state = std::make_unique<EngineState>();
        std::istringstream in(input);
        std::ostringstream outStream, errStream;
        int tick = 0;
        Console console{in, outStream, errStream, [&tick] {
                            // 9:05:07 at the start, 14:05:09 at the finish.
                            return tick++ == 0 ? ClockTime{9, 5, 7, 42} : ClockTime{14, 5, 9, 0};
                        }};
        int status = runEngine(*state, console);
        out = outStream.str();
        err = errStream.str();
        return status;
    }
};

TEST_F(RunSequenceTest, PrintsTheTranscriptLineForLine)
{
    writeJoken(fixture.text());
    std::string out, err;
    ASSERT_EQ(run("typed text is ignored\n\n", out, err), 0) << err;
    std::vector<std::string> lines = linesOf(out);

    const int bins = 281 - 10 + 1;
    ASSERT_EQ(lines.size(), 6u + 9u * bins + 9u);
    EXPECT_EQ(lines[0], " ");
    EXPECT_EQ(lines[1], " <<< Monte Carlo Simulation >>>");
    EXPECT_EQ(lines[2], " ");
    EXPECT_EQ(lines[3], "  ---  Push Enter key to start  ---");
    EXPECT_EQ(lines[4], " Start time = 9: 5: 7");
    EXPECT_EQ(lines[5], " ");
    EXPECT_EQ(lines[6], "(1/9)    10/281");
    EXPECT_EQ(lines[6 + bins - 1], "(1/9)   281/281");
    EXPECT_EQ(lines[6 + 9 * bins - 1], "(9/9)   281/281");
    std::vector<std::string> closing(lines.end() - 9, lines.end());
    EXPECT_EQ(closing, (std::vector<std::string>{
                           " ", " Start time = 9: 5: 7", " ", " Finish time =14: 5: 9", " ",
                           "  -- Simulation result were saved --",
                           "  ---  Push Enter key to finish  ---", " ",
                           "Stop - Program terminated."}));
}

TEST_F(RunSequenceTest, FailsBeforeTheBannerWithOneLine)
{
    std::string out, err;
    EXPECT_EQ(run("", out, err), 1); // no joken.dat
    EXPECT_EQ(out.find("Monte Carlo"), std::string::npos);
    EXPECT_EQ(err.rfind("open error: joken.dat: ", 0), 0u) << err;
    EXPECT_EQ(linesOf(err).size(), 1u);

    JokenFixture empty = fixture;
    empty.fluence.assign(300, 0.0);
    writeJoken(empty.text());
    EXPECT_EQ(run("", out, err), 1);
    EXPECT_EQ(out.find("Monte Carlo"), std::string::npos);
    EXPECT_NE(err.find("joken.dat: the spectrum is empty"), std::string::npos) << err;
}

TEST_F(RunSequenceTest, EngineRunsToItsEndWithInputClosed)
{
    writeJoken(fixture.text());
    const std::string command = std::string("'") + ORVCALC_PATH + "' < /dev/null > transcript.txt";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream transcript("transcript.txt");
    std::stringstream text;
    text << transcript.rdbuf();
    std::vector<std::string> lines = linesOf(text.str());
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "Stop - Program terminated.");
}

TEST(RunSequenceFormat, ClockAndProgressLines)
{
    EXPECT_EQ(clockLine(" Start time =", {14, 5, 9, 0}), " Start time =14: 5: 9");
    EXPECT_EQ(clockLine(" Finish time =", {0, 0, 0, 0}), " Finish time = 0: 0: 0");
    EXPECT_EQ(progressLine(1, 10, 281), "(1/9)    10/281");
    EXPECT_EQ(progressLine(9, 150, 150), "(9/9)   150/150");
}

} // namespace
