#include "bowtie_profile.h"
#include "project_data.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Water path along the ray at distance d (cm, at the rotation centre) through a centred
// cylinder, in mm.
double waterChordMm(double diameterCm, double distanceCm, double sadCm)
{
    double radius = 5.0 * diameterCm;
    double pass = 10.0 * distanceCm * sadCm / std::hypot(sadCm, distanceCm);
    return pass >= radius ? 0.0 : 2.0 * std::sqrt(radius * radius - pass * pass);
}

TEST(BowtiePresets, EvenOutTheirWaterCylinderUpToTheCap)
{
    for (const WaterCompensator* bowtie : {&bodyBowtie(), &headBowtie()}) {
        SCOPED_TRACE(bowtie->name);
        const double sad = 60.0;
        const double central = waterToAluminium * 10.0 * bowtie->diameterCm;
        EXPECT_EQ(compensatorPathMmAl(*bowtie, 0.0, sad), 0.0);
        double previous = 0.0;
        bool capped = false;
        for (double d = 0.0; d <= 20.0; d += 0.25) {
            double path = compensatorPathMmAl(*bowtie, d, sad);
            EXPECT_GE(path, previous) << d;
            EXPECT_LE(path, bowtie->capMmAl) << d;
            double total = path + waterToAluminium * waterChordMm(bowtie->diameterCm, d, sad);
            if (path < bowtie->capMmAl) {
                EXPECT_NEAR(total, central, 1e-9) << d;
            }
            capped = capped || path == bowtie->capMmAl;
            previous = path;
        }
        EXPECT_TRUE(capped);
        // Outside the cylinder the filter stays at its cap.
        EXPECT_EQ(compensatorPathMmAl(*bowtie, 0.5 * bowtie->diameterCm + 1.0, sad), bowtie->capMmAl);
    }
    // Body compensation reaches further out than the head's.
    EXPECT_LT(compensatorPathMmAl(bodyBowtie(), 6.0, 60.0), compensatorPathMmAl(headBowtie(), 6.0, 60.0));
}

TEST(TabulatedBowtie, ReadsPointsAndInterpolates)
{
    ScratchFile file("bowtie.txt", "# distance_cm path_mm_Al\r\n0 0\r\n\r\n5, 2.5\r\n  10   10  \r\n");
    TabulatedBowtie bowtie = readTabulatedBowtie(file.path());
    ASSERT_EQ(bowtie.distanceCm.size(), 3u);
    struct Case {
        double distance, path;
    };
    for (Case c : {Case{0, 0}, Case{2.5, 1.25}, Case{5, 2.5}, Case{7.5, 6.25}, Case{10, 10}, Case{20, 10}})
        EXPECT_DOUBLE_EQ(tabulatedPathMmAl(bowtie, c.distance), c.path) << c.distance;

    ScratchFile offset("bowtie_offset.txt", "2 1\n4 3\n");
    EXPECT_DOUBLE_EQ(tabulatedPathMmAl(readTabulatedBowtie(offset.path()), 0.0), 1.0);
}

TEST(TabulatedBowtie, RejectsBadFilesNamingTheLine)
{
    struct Case {
        std::string name, text, line;
    };
    const Case cases[] = {
        {"text", "0 0\n5 thick\n", "line 2"},
        {"one_value", "0 0\n5\n", "line 2"},
        {"three_values", "0 0 1\n", "line 1"},
        {"descending", "0 0\n5 1\n5 2\n", "line 3"},
        {"negative", "# profile\n-1 0\n", "line 2"},
        {"empty", "# nothing here\n\n", "line 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFile file("bowtie_" + c.name, c.text);
        std::string message = errorOf([&] { readTabulatedBowtie(file.path()); });
        EXPECT_NE(message.find(file.path()), std::string::npos) << message;
        EXPECT_NE(message.find(c.line), std::string::npos) << message;
    }
    EXPECT_NE(errorOf([] { readTabulatedBowtie("/nonexistent/bowtie.txt"); }).find("open"),
              std::string::npos);
}

} // namespace
