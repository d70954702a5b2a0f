#pragma once
// What the read-outs of the results window show for a pointer position over an axial map or
// the profile graph. The window applies the outcome to its lines and boxes.

#include "result_dose.h"

#include <array>
#include <optional>
#include <string>

// The dose boxes: primary, scattered, total, each 100 * dose formatted "##0.0".
using DoseTexts = std::array<std::string, 3>;

// Cell index of a position in mm: |position| rounded to the nearest whole number, a half going
// to the even neighbour (so 0.5 belongs to the centre cell 0 and 2.5 to cell 2).
int cellIndex(float position);

DoseTexts doseTexts(const ResultDose& dose, int x, int plane, int z);

struct AxialReadout {
    // Inside the phantom's bounding rectangle +-5(a + b) by +-5b (corners included).
    bool inside = false;
    // Inside only: the horizontal lines go to y, the vertical ones to x.
    float lineX = 0;
    float lineY = 0;
    std::string xText; // Text5
    std::string zText; // Text7: Z counts upward, so it shows -y
    // Absent for a cell beyond the grid (a phantom larger than 40 cm by 20 cm): the dose
    // boxes then keep their text.
    std::optional<DoseTexts> doses;
};

AxialReadout readAxialPointer(const ResultDose& dose, int axialPlane, double phantomA,
                              double phantomB, float x, float y);

struct ProfileReadout {
    enum class Where {
        outside,    // beyond +-profileHalfWidth: only the vertical lines are hidden
        inside,     // lines move, boxes show the row next to the centre line
        beyondGrid, // inside a phantom wider than the grid, past lateral cell 200: no change
    };
    Where where = Where::outside;
    float lineX = 0;
    std::string xText; // distance from the centre, no sign
    DoseTexts doses;
};

ProfileReadout readProfilePointer(const ResultDose& dose, int axialPlane,
                                  double profileHalfWidth, float x);
