#pragma once
// The set-up window's two graphs, drawn on surfaces in their own logical coordinates:
// the spectra on x 0..6000, y 0..2500 (y down), the filtration on x -1.8..20.2, y 82..-8 (y up).

#include "spectrum_data.h"
#include "surface.h"

// Every direction's spectrum as red steps scaled by fluenceMax, over a grey grid, in a frame.
void drawSpectrumGraph(Surface& surface, const SpectrumData& spectrum);

// Filtration path length (mm Al) against the direction's distance (cm): circles joined by lines.
void drawFiltrationGraph(Surface& surface, const SpectrumData& spectrum);
