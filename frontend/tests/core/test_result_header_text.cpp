// The header lines printed for the chosen result file.

#include "result_header_text.h"

#include <gtest/gtest.h>

TEST(ResultHeaderText, LinesWithTheirPatterns)
{
    ResultHeader header;
    header.title = "120kV Al 2.5mm                ";
    header.sourceAxisDistance = 60;
    header.beamSizeRotation = 7.25;
    header.beamSizeBodyAxis = 10;
    header.phantomA = 20;
    header.phantomB = 10.5;
    header.historyCount = 1e9;
    const std::vector<std::string> expected = {
        "    Spectrum data",
        "120kV Al 2.5mm                     ",
        "    SAD = 60.0 cm",
        "    Field size at SAD",
        "     7.3 × 10.0 cm",
        "    Phantom size",
        "      a = 20.0 cm ",
        "      b = 10.5 cm",
        "    History = 1.0E+09",
    };
    EXPECT_EQ(resultHeaderLines(header), expected);
}
