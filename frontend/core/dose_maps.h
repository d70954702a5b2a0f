#pragma once
// The results window's pictures of a loaded result, drawn on Surface in each picture's user
// units (1 unit = 1 mm = 1 pixel on the maps). Nothing here clears a surface except the
// colour scale: callers clear before a redraw.

#include "result_dose.h"
#include "surface.h"

// Colour scale (x 0..10, y -7..262 upward): 256 rows white to red and 11 ticks.
void drawColourScale(Surface& scale);

// The three axial maps of one plane: every cell (x, z) painted as the four mirrored pixels
// (x, -z), (-x, -z), (x, z), (-x, z); the centre lines are left to the fixed axes.
void drawAxialMaps(Surface& primary, Surface& scattered, Surface& total,
                   const ResultDose& dose, int plane);

// The racetrack outline of a phantom a by b cm on each axial map: straight edges at +-5b
// from -5a to 5a, half-circles of radius 5b centred at (+-5a, 0).
void drawPhantomOutlines(Surface& primary, Surface& scattered, Surface& total,
                         double phantomA, double phantomB);

// Total dose next to the centre line along the body axis, mirrored into four quadrants, and
// the phantom's outline in this view.
void drawSagittalMap(Surface& sagittal, const ResultDose& dose, double phantomB);
