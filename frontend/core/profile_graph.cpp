#include "profile_graph.h"

#include "number_format.h"

double profileHalfWidth(double phantomA, double phantomB)
{
    return 5 * (phantomA + phantomB);
}

double drawProfileGraph(Surface& profile, const ResultDose& dose, int plane, double phantomA,
                        double phantomB)
{
    const double w = profileHalfWidth(phantomA, phantomB);
    const Rgb fore = profile.foreColour();
    const Rgb grey = paletteColour(8);

    profile.setLineWidth(1);
    profile.rectangle(-w, 0, w, 200, fore);
    // Grid lines beyond the picture's edges (x -203..202) would not show: a huge phantom in a
    // damaged header must not stall the window.
    const double gridExtent = w < 210 ? w : 210;
    for (double i = 0; i <= gridExtent; i += 10) {
        profile.line(i, 0, i, 200, grey);
        profile.line(-i, 0, -i, 200, grey);
    }
    profile.line(0, 0, 0, 200, fore);
    for (int j = 20; j <= 180; j += 20) {
        profile.line(-w, j, w, j, grey);
    }
    profile.line(-w, 100, w, 100, fore);

    const std::string widthText = strNumber(w);
    profile.text(-3, -5, "0");
    profile.text(w - 20, -5, widthText);
    profile.text(-w - 10, -5, widthText);
    profile.text(w + 2, 210, "100");
    profile.text(w + 2, 110, " 50");
    profile.text(w + 5, 10, "0");

    profile.setLineWidth(2);
    const int lastCell = w < ResultDose::lateralCells ? static_cast<int>(w)
                                                      : ResultDose::lateralCells;
    const int components[3] = {2, 1, 0};
    const Rgb colours[3] = {paletteColour(9), paletteColour(12), paletteColour(0)};
    for (int side : {1, -1}) {
        for (int c = 0; c < 3; ++c) {
            const int component = components[c];
            double previousX = side;
            double previousY = 200 * dose(component, 1, plane, 1);
            profile.point(previousX, previousY, colours[c]);
            for (int i = 2; i <= lastCell; ++i) {
                const double y = 200 * dose(component, i, plane, 1);
                profile.line(previousX, previousY, side * i, y, colours[c]);
                previousX = side * i;
                previousY = y;
            }
        }
    }
    profile.rectangle(-w, 0, w, 200, fore);
    return w;
}
