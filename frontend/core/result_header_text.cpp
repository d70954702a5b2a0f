#include "result_header_text.h"

#include "number_format.h"

std::vector<std::string> resultHeaderLines(const ResultHeader& header)
{
    return {
        "    Spectrum data",
        header.title + "     ",
        "    SAD = " + formatNumber(header.sourceAxisDistance, "#0.0") + " cm",
        "    Field size at SAD",
        formatNumber(header.beamSizeRotation, "     #0.0") + " × "
            + formatNumber(header.beamSizeBodyAxis, "#0.0") + " cm",
        "    Phantom size",
        "      a = " + formatNumber(header.phantomA, "#0.0") + " cm ",
        "      b = " + formatNumber(header.phantomB, "#0.0") + " cm",
        "    History = " + formatNumber(header.historyCount, "0.0E+00"),
    };
}
