#pragma once
// Colour of a dose on the maps and the colour scale: white at 0 %, red at 100 % and above.

#include "surface.h"

// Level L = Int((100 - p) * 255 / 100) for p = 100 * dose, rounded down and kept in 0..255
// (a negative dose, which no run produces, is shown white rather than wrapping).
int doseLevel(double doseFraction);

// RGB(255, L, L).
Rgb doseColour(double doseFraction);
