#include "pointer_readout.h"

#include "number_format.h"
#include "plain_number_text.h"

#include <cmath>

int cellIndex(float position)
{
    // nearbyint in the default rounding mode rounds a half to even.
    return static_cast<int>(std::nearbyint(std::fabs(static_cast<double>(position))));
}

DoseTexts doseTexts(const ResultDose& dose, int x, int plane, int z)
{
    DoseTexts texts;
    const int components[3] = {1, 2, 0};
    for (int i = 0; i < 3; ++i) {
        texts[i] = formatNumber(100 * dose(components[i], x, plane, z), "##0.0");
    }
    return texts;
}

AxialReadout readAxialPointer(const ResultDose& dose, int axialPlane, double phantomA,
                              double phantomB, float x, float y)
{
    AxialReadout readout;
    const double halfWidth = 5 * (phantomA + phantomB);
    const double halfHeight = 5 * phantomB;
    readout.inside = x >= -halfWidth && x <= halfWidth && y >= -halfHeight && y <= halfHeight;
    if (!readout.inside) {
        return readout;
    }
    readout.lineX = x;
    readout.lineY = y;
    readout.xText = plainNumberText(x);
    readout.zText = plainNumberText(-y);
    // The centre lines belong to the first cells.
    const int i = cellIndex(x == 0 ? 1.0f : x);
    const int k = cellIndex(y == 0 ? 1.0f : y);
    if (i <= ResultDose::lateralCells && k <= ResultDose::depthCells) {
        readout.doses = doseTexts(dose, i, axialPlane, k);
    }
    return readout;
}

ProfileReadout readProfilePointer(const ResultDose& dose, int axialPlane,
                                  double profileHalfWidth, float x)
{
    ProfileReadout readout;
    if (!(x >= -profileHalfWidth && x <= profileHalfWidth)) {
        return readout;
    }
    const int i = cellIndex(x == 0 ? 1.0f : x);
    if (i > ResultDose::lateralCells) {
        readout.where = ProfileReadout::Where::beyondGrid;
        return readout;
    }
    readout.where = ProfileReadout::Where::inside;
    readout.lineX = x;
    readout.xText = plainNumberText(std::fabs(x));
    readout.doses = doseTexts(dose, i, axialPlane, 1);
    return readout;
}
