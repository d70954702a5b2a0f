// The sample spectra read through the set-up window's own reader.

#include "sample_files.h"
#include "spectrum_data.h"
#include "spectrum_file.h"

#include <gtest/gtest.h>

namespace {

TEST(SampleFilesInTheFrontEnd, ReadAsTheGeneratorWroteThem)
{
    for (const SampleFile& sample : sampleFiles()) {
        SCOPED_TRACE(sample.name);
        const std::string path = dataPath("spectra/" + sample.name);
        SpectrumData data = readSpectrumFile(path);
        SpectrumFileContent items = readSpectrumFileContent(path);
        EXPECT_EQ(data.spectrumComment, items.comment);
        ASSERT_EQ(data.lastDirection, 20);
        for (int i = 0; i <= 20; ++i) {
            EXPECT_DOUBLE_EQ(data.directionDistance[i], items.distanceCm[i]);
            EXPECT_DOUBLE_EQ(data.filterPathLength[i], items.pathMmAl[i]);
            for (int bin = 0; bin < binCount; ++bin)
                ASSERT_DOUBLE_EQ(data.directionFluence[i][bin + 1], items.fluence[i][bin])
                    << "direction " << i << ", bin " << bin + 1;
        }
        EXPECT_DOUBLE_EQ(data.fluenceMax, items.fluence[0][binIndexOf(59.5)]);
    }
}

} // namespace
