#include "axial_plane.h"

#include "number_format.h"
#include "plain_number_text.h"

#include <cmath>

namespace {
constexpr float mapHalfLength = 200;
}

std::string planePointerText(float x, int axialPlane)
{
    if (x >= -mapHalfLength && x <= mapHalfLength) {
        return plainNumberText(x);
    }
    return std::to_string(axialPlane);
}

PlaneChoice choosePlane(float x)
{
    PlaneChoice choice;
    if (!(x >= -mapHalfLength && x <= mapHalfLength)) {
        return choice;
    }
    if (x == 0) {
        x = 1; // the central plane belongs to plane 1, and the marker stays visible off the axis
    }
    choice.chosen = true;
    choice.markerX = x;
    const int plane = static_cast<int>(std::floor(std::fabs(static_cast<double>(x)) / 5)) + 1;
    choice.plane = plane > 40 ? 40 : plane;
    choice.rangeText =
        std::to_string(5 * choice.plane - 5) + " - " + std::to_string(5 * choice.plane);
    return choice;
}

std::string firstPlaneRangeText()
{
    return strNumber(0) + " - " + strNumber(5);
}
