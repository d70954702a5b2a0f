#include "spectrum_graphs.h"

namespace {

const Rgb black{0, 0, 0};
const Rgb grey{128, 128, 128};
const Rgb red{255, 0, 0};

} // namespace

void drawSpectrumGraph(Surface& surface, const SpectrumData& spectrum)
{
    surface.clear();
    surface.setLineWidth(1);
    for (int x = 1300; x <= 5200; x += 300) // every 10 keV
        surface.line(x, 100, x, 2100, grey);
    for (int y = 300; y <= 1900; y += 200)
        surface.line(1000, y, 5500, y, grey);

    surface.text(1000, 2120, "0");
    surface.text(2400, 2120, "50");
    surface.text(3800, 2120, "100");
    surface.text(5300, 2120, "150");
    surface.text(3350, 2250, "Photon energy in keV");
    surface.text(100, 500, "Relative");
    surface.text(100, 700, "Photon");
    surface.text(100, 900, "Fluence");

    surface.setLineWidth(2);
    // The reader refuses a spectrum without a positive fluence; never divide by zero here.
    if (spectrum.fluenceMax > 0) {
        for (int i = 0; i <= spectrum.lastDirection; ++i) {
            surface.point(1000, 2100, black);
            double penX = 1000, penY = 2100;
            // Bin 1 is not drawn: each later bin is a 0.5 keV step centred on its energy.
            for (int e = 2; e <= SpectrumData::binCount; ++e) {
                const double y = 2100 - 2000 * spectrum.directionFluence[i][e] / spectrum.fluenceMax;
                const double stepStart = 1007.5 + 15.0 * (e - 1);
                const double stepEnd = 1007.5 + 15.0 * e;
                surface.line(penX, penY, stepStart, y, red);
                surface.line(stepStart, y, stepEnd, y, red);
                penX = stepEnd;
                penY = y;
            }
        }
    }
    surface.rectangle(1000, 100, 5500, 2100, black);
}

void drawFiltrationGraph(Surface& surface, const SpectrumData& spectrum)
{
    surface.clear();
    surface.setLineWidth(1);
    for (int x = 0; x <= 20; ++x)
        surface.line(x, 0, x, 80, grey);
    for (int y = 0; y <= 80; y += 10)
        surface.line(0, y, 20, y, grey);

    surface.text(-1.5, 81.5, "80");
    surface.text(-1.5, 61.5, "60");
    surface.text(-1.5, 41.5, "40");
    surface.text(-1.5, 21.5, "20");
    surface.text(-1, 1.5, "0");
    surface.text(-1.8, 72, "mm");
    surface.text(-1.5, 68, "Al");
    surface.text(-0.2, -0.5, "0");
    surface.text(4.7, -0.5, "5");
    surface.text(9.5, -0.5, "10");
    surface.text(14.5, -0.5, "15 cm");
    surface.text(-0.2, -4, "Direction (distance from center at SAD)");

    surface.setLineWidth(2);
    const int n = spectrum.lastDirection;
    for (int i = 0; i <= n; ++i)
        surface.circle(spectrum.directionDistance[i], spectrum.filterPathLength[i], 0.15, red);
    surface.point(spectrum.directionDistance[0], spectrum.filterPathLength[0], red);
    for (int i = 1; i <= n; ++i)
        surface.line(spectrum.directionDistance[i - 1], spectrum.filterPathLength[i - 1],
                     spectrum.directionDistance[i], spectrum.filterPathLength[i], red);
    surface.rectangle(0, 0, 20, 80, black);
}
