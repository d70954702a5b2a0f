#include "dose_maps.h"

#include "dose_colour.h"

namespace {

// The circle constant as the drawing has always used it; the arcs' ends depend on it.
constexpr double pi = 3.14159;

void drawOutline(Surface& map, double halfLength, double radius)
{
    const Rgb fore = map.foreColour();
    const Rgb black = paletteColour(0);
    map.line(-halfLength, radius, halfLength, radius, fore);
    map.line(-halfLength, -radius, halfLength, -radius, fore);
    map.arc(-halfLength, 0, radius, pi * 0.5, pi * 1.5, black);
    map.arc(halfLength, 0, radius, 0, pi * 0.5, black);
    map.arc(halfLength, 0, radius, pi * 1.5, pi * 2, black);
}

} // namespace

void drawColourScale(Surface& scale)
{
    scale.clear();
    for (int i = 0; i <= 255; ++i) {
        const auto level = static_cast<std::uint8_t>(255 - i);
        scale.line(0, i, 5, i, Rgb{255, level, level});
    }
    for (double t = 0; t <= 255; t += 25.5) {
        scale.line(4, t, 6, t, scale.foreColour());
    }
}

void drawAxialMaps(Surface& primary, Surface& scattered, Surface& total,
                   const ResultDose& dose, int plane)
{
    Surface* const maps[3] = {&total, &primary, &scattered};
    for (int component = 0; component <= 2; ++component) {
        Surface& map = *maps[component];
        for (int z = 1; z <= ResultDose::depthCells; ++z) {
            for (int x = 1; x <= ResultDose::lateralCells; ++x) {
                const Rgb colour = doseColour(dose(component, x, plane, z));
                map.point(x, -z, colour);
                map.point(-x, -z, colour);
                map.point(x, z, colour);
                map.point(-x, z, colour);
            }
        }
    }
}

void drawPhantomOutlines(Surface& primary, Surface& scattered, Surface& total,
                         double phantomA, double phantomB)
{
    for (Surface* map : {&primary, &scattered, &total}) {
        drawOutline(*map, 5 * phantomA, 5 * phantomB);
    }
}

void drawSagittalMap(Surface& sagittal, const ResultDose& dose, double phantomB)
{
    for (int y = 1; y <= ResultDose::planes; ++y) {
        for (int z = 1; z <= ResultDose::depthCells; ++z) {
            const Rgb colour = doseColour(dose(0, 1, y, z));
            sagittal.line(5 * y - 5, z, 5 * y, z, colour);
            sagittal.line(5 * y - 5, -z, 5 * y, -z, colour);
            sagittal.line(5 - 5 * y, z, -5 * y, z, colour);
            sagittal.line(5 - 5 * y, -z, -5 * y, -z, colour);
        }
    }
    const double halfHeight = 5 * phantomB + 1;
    sagittal.rectangle(-201, halfHeight, 201, -halfHeight, sagittal.foreColour());
}
