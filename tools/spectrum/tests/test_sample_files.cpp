#include "sample_files.h"
#include "spectrum_file.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(SampleFiles, ReadBackAsTheGeneratorMakesThem)
{
    for (const SampleFile& sample : sampleFiles()) {
        SCOPED_TRACE(sample.name);
        SpectrumFileContent read = readSpectrumFileContent(dataPath("spectra/" + sample.name));
        SpectrumFileContent made = regeneratedSample(sample);
        EXPECT_EQ(read.comment, made.comment);
        ASSERT_EQ(read.lastDirection, 20);
        for (int i = 0; i <= 20; ++i) {
            EXPECT_NEAR(read.distanceCm[i], i * 1.0, 5e-5);
            EXPECT_NEAR(read.fanAngleDeg[i], made.fanAngleDeg[i], 5e-5);
            EXPECT_NEAR(read.pathMmAl[i], made.pathMmAl[i], 5e-5);
            for (int bin = 0; bin < binCount; ++bin)
                ASSERT_NEAR(read.fluence[i][bin], made.fluence[i][bin], 5e-7 * made.fluence[i][bin])
                    << "direction " << i << ", bin " << bin + 1;
        }
        // Direction 0 carries the spectrum to the engine: it must have photons up to the
        // tube voltage and none above.
        const BinValues& central = read.fluence[0];
        EXPECT_GT(central[binIndexOf(sample.kV - 1.0)], 0.0);
        EXPECT_EQ(central[binIndexOf(sample.kV + 0.5)], 0.0);
        EXPECT_EQ(*std::max_element(central.begin(), central.end()), central[binIndexOf(59.5)]);
    }
}

TEST(SampleFiles, BowtiePathsRiseFromTheCentralFiltrationToTheCap)
{
    for (const SampleFile& sample : sampleFiles()) {
        SCOPED_TRACE(sample.name);
        SpectrumFileContent read = readSpectrumFileContent(dataPath("spectra/" + sample.name));
        EXPECT_NEAR(read.pathMmAl[0], 2.5, 1e-9);
        EXPECT_NEAR(read.pathMmAl[20], 2.5 + sample.bowtie->capMmAl, 1e-9);
        EXPECT_TRUE(std::is_sorted(read.pathMmAl.begin(), read.pathMmAl.end()));
    }
}

} // namespace
