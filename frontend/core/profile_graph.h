#pragma once
// The lateral dose profile of one plane along the row next to the centre line, on the
// profile surface (x -203..202 mm, y -33..220 upward; y = 200 stands for 100 %).

#include "result_dose.h"
#include "surface.h"

// Half-width of the phantom in mm, 5 (a + b): the lateral extent of the graph.
double profileHalfWidth(double phantomA, double phantomB);

// Frame, grid, labels and the scattered, primary and total curves (in this order). The curves
// end at the last whole millimetre inside the phantom, and at the grid's last cell, 200, for
// a phantom wider than the grid. Returns the half-width used.
double drawProfileGraph(Surface& profile, const ResultDose& dose, int plane, double phantomA,
                        double phantomB);
