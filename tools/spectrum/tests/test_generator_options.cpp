#include <unistd.h>
#include "generator_options.h"
#include "project_data.h"
#include "spectrum_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

GeneratorOptions parse(std::vector<std::string> arguments) { return parseGeneratorOptions(arguments); }

TEST(GeneratorOptions, DefaultsAndValues)
{
    GeneratorOptions o = parse({"--output", "a.csv"});
    EXPECT_EQ(o.kV, 120.0);
    EXPECT_EQ(o.addedAluminiumMm, 2.5);
    EXPECT_EQ(o.bowtiePreset, "body");
    EXPECT_EQ(o.lastDirection, 20);
    EXPECT_EQ(o.maxDistanceCm, 20.0);
    EXPECT_EQ(o.sadCm, 60.0);

    o = parse({"--kv", "30", "--al", "0", "--bowtie", "head", "--points", "0", "--max-distance", "0",
               "--sad", "100", "--output", "b.csv", "--histories", "1e9"});
    EXPECT_EQ(o.kV, 30.0);
    EXPECT_EQ(o.bowtiePreset, "head");
    EXPECT_EQ(o.lastDirection, 0);
    EXPECT_EQ(o.historyCount, 1e9);
    EXPECT_TRUE(parse({"--help"}).help);
}

TEST(GeneratorOptions, RejectsWhatTheyCannotUseNamingTheOption)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string expected;
    };
    const Case cases[] = {
        {{"--kv", "29.9", "--output", "a.csv"}, "--kv: 29.9 is out of range"},
        {{"--kv", "140.1", "--output", "a.csv"}, "--kv: 140.1 is out of range"},
        {{"--kv", "120kV", "--output", "a.csv"}, "--kv: \"120kV\" is not a number"},
        {{"--al", "-1", "--output", "a.csv"}, "--al: -1 is out of range"},
        {{"--points", "26", "--output", "a.csv"}, "--points: 26 is out of range"},
        {{"--points", "2.5", "--output", "a.csv"}, "--points: \"2.5\" is not a whole number"},
        {{"--max-distance", "20.5", "--output", "a.csv"}, "--max-distance: 20.5 is out of range"},
        {{"--max-distance", "0", "--output", "a.csv"}, "--max-distance: must be above 0"},
        {{"--sad", "nan", "--output", "a.csv"}, "--sad: \"nan\" is not a number"},
        {{"--bowtie", "chest", "--output", "a.csv"}, "--bowtie: \"chest\" is no preset"},
        {{"--bowtie", "head", "--bowtie-file", "p.txt", "--output", "a.csv"}, "one or the other"},
        {{"--histories", "0", "--output", "a.csv"}, "--histories: 0 is out of range"},
        {{"--kv", "100"}, "--output: the spectrum file to write is required"},
        {{"--output", "a.txt"}, "--output: the name must end in .csv"},
        {{"--output"}, "--output: a value is missing"},
        {{"--colour", "red", "--output", "a.csv"}, "unknown option \"--colour\""},
        {{"stray"}, "unexpected argument \"stray\""},
    };
    for (const Case& c : cases) {
        std::string message = errorOf([&] { parse(c.arguments); });
        EXPECT_NE(message.find(c.expected), std::string::npos) << message;
    }
}

class GeneratorProgram : public ::testing::Test {
protected:
    std::filesystem::path directory =
        std::filesystem::temp_directory_path() /
        ("spectrum_tests_program_" + std::to_string(::getpid()));
    void SetUp() override { std::filesystem::create_directories(directory); }
    void TearDown() override { std::filesystem::remove_all(directory); }

    int run(const std::string& arguments)
    {
        std::string command = std::string(SPECTRUM_GENERATOR_PATH) + " --coefficients " +
                              dataPath("tasmip-coefficients.csv") + " --attenuation " +
                              dataPath("Mus.dat") + " " + arguments + " >> " +
                              (directory / "out.txt").string() + " 2>&1";
        return WEXITSTATUS(std::system(command.c_str()));
    }
};

TEST_F(GeneratorProgram, WritesTheSpectrumAndConditions)
{
    std::string output = (directory / "custom.csv").string();
    std::string bowtie = (directory / "profile.txt").string();
    std::ofstream(bowtie) << "0 0\n10 15\n";
    ASSERT_EQ(run("--kv 90 --points 4 --max-distance 10 --bowtie-file " + bowtie + " --output " +
                  output + " --conditions " + (directory / "joken.dat").string()),
              0);
    SpectrumFileContent read = readSpectrumFileContent(output);
    EXPECT_EQ(read.lastDirection, 4);
    EXPECT_NEAR(read.pathMmAl[2], 2.5 + 7.5, 1e-9);
    EXPECT_NE(read.comment.find("bowtie from profile.txt"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(directory / "joken.dat"));
}

TEST_F(GeneratorProgram, FailsWithAMessageAndWritesNothing)
{
    std::string output = (directory / "bad.csv").string();
    EXPECT_EQ(run("--kv 150 --output " + output), 2);
    EXPECT_EQ(run("--attenuation /nonexistent/Mus.dat --output " + output), 1);
    EXPECT_FALSE(std::filesystem::exists(output));
    std::ifstream in(directory / "out.txt");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("--kv: 150 is out of range"), std::string::npos) << text;
    EXPECT_NE(text.find("/nonexistent/Mus.dat"), std::string::npos) << text;
}

} // namespace
