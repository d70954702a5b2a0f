#include "dose_colour.h"

#include <cmath>

int doseLevel(double doseFraction)
{
    const double percent = 100 * doseFraction;
    const double level = std::floor((100 - percent) * 255 / 100);
    if (!(level > 0)) {
        return 0; // also a NaN, which no reader lets through
    }
    return level > 255 ? 255 : static_cast<int>(level);
}

Rgb doseColour(double doseFraction)
{
    const auto level = static_cast<std::uint8_t>(doseLevel(doseFraction));
    return {255, level, level};
}
