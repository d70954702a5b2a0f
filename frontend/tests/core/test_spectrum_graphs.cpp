#include "recording_surface.h"
#include "spectrum_graphs.h"

#include <gtest/gtest.h>

namespace {

using Kind = SurfaceCall::Kind;
const Rgb black{0, 0, 0}, grey{128, 128, 128}, red{255, 0, 0};

SpectrumData sampleSpectrum(int n)
{
    SpectrumData data;
    data.lastDirection = n;
    for (int i = 0; i <= n; ++i) {
        data.directionDistance[i] = 0.8 * i;
        data.filterPathLength[i] = 5 + 2 * i;
        for (int e = 1; e <= 300; ++e)
            data.directionFluence[i][e] = (e % 7) * 0.5 / (1 + i);
    }
    data.fluenceMax = 3.0; // 6 * 0.5
    return data;
}

TEST(SpectrumGraph, DrawsGridLabelsOneCurvePerDirectionAndFrameInOrder)
{
    for (int n : {0, 25}) {
        RecordingSurface surface;
        drawSpectrumGraph(surface, sampleSpectrum(n));
        const auto& calls = surface.calls;
        ASSERT_EQ(calls.front().kind, Kind::Clear);
        // 14 vertical and 9 horizontal grey grid lines at width 1.
        std::vector<SurfaceCall> grid;
        for (const auto& call : calls)
            if (call.kind == Kind::Line && call.colour == grey)
                grid.push_back(call);
        ASSERT_EQ(grid.size(), 23u);
        EXPECT_DOUBLE_EQ(grid.front().x1, 1300);
        EXPECT_DOUBLE_EQ(grid[13].x1, 5200);
        EXPECT_DOUBLE_EQ(grid[14].y1, 300);
        EXPECT_DOUBLE_EQ(grid.back().y1, 1900);
        for (const auto& line : grid)
            EXPECT_EQ(line.lineWidth, 1);
        EXPECT_EQ(surface.texts(),
                  (std::vector<std::string>{"0", "50", "100", "150", "Photon energy in keV",
                                            "Relative", "Photon", "Fluence"}));
        // One black start point per direction, each followed by 2 red lines per bin 2..300.
        const auto points = surface.ofKind(Kind::Point);
        ASSERT_EQ(points.size(), static_cast<std::size_t>(n + 1));
        for (const auto& point : points) {
            EXPECT_EQ(point.colour, black);
            EXPECT_DOUBLE_EQ(point.x1, 1000);
            EXPECT_DOUBLE_EQ(point.y1, 2100);
            EXPECT_EQ(point.lineWidth, 2);
        }
        EXPECT_EQ(surface.count(Kind::Line), 23u + (n + 1) * 2 * 299u);
        const auto& frame = calls.back();
        EXPECT_EQ(frame.kind, Kind::Rectangle);
        EXPECT_EQ(frame.colour, black);
        EXPECT_EQ(frame.lineWidth, 2);
        EXPECT_DOUBLE_EQ(frame.x1, 1000);
        EXPECT_DOUBLE_EQ(frame.y1, 100);
        EXPECT_DOUBLE_EQ(frame.x2, 5500);
        EXPECT_DOUBLE_EQ(frame.y2, 2100);
    }
}

TEST(SpectrumGraph, CurveIsStepsCentredOnEachBinScaledByFluenceMax)
{
    RecordingSurface surface;
    const auto data = sampleSpectrum(0);
    drawSpectrumGraph(surface, data);
    std::vector<SurfaceCall> curve;
    for (const auto& call : surface.calls)
        if (call.kind == Kind::Line && call.colour == red)
            curve.push_back(call);
    ASSERT_EQ(curve.size(), 598u);
    const auto y = [&](int e) { return 2100 - 2000 * data.directionFluence[0][e] / 3.0; };
    // Bin 1 is skipped: the first segment runs from the origin to the start of bin 2's step.
    EXPECT_DOUBLE_EQ(curve[0].x1, 1000);
    EXPECT_DOUBLE_EQ(curve[0].y1, 2100);
    EXPECT_DOUBLE_EQ(curve[0].x2, 1022.5);
    EXPECT_DOUBLE_EQ(curve[0].y2, y(2));
    EXPECT_DOUBLE_EQ(curve[1].x2, 1037.5);
    // Bin 6 holds fluenceMax: its step lies on the frame's top line.
    EXPECT_DOUBLE_EQ(curve[9].y1, 100);
    // A riser then a step for bin 3.
    EXPECT_DOUBLE_EQ(curve[2].x1, 1037.5);
    EXPECT_DOUBLE_EQ(curve[2].y1, y(2));
    EXPECT_DOUBLE_EQ(curve[2].x2, 1037.5);
    EXPECT_DOUBLE_EQ(curve[2].y2, y(3));
    EXPECT_DOUBLE_EQ(curve.back().x2, 1007.5 + 15 * 300);
    EXPECT_DOUBLE_EQ(curve.back().y2, y(300));
}

TEST(FiltrationGraph, DrawsGridLabelsCirclesProfileAndFrame)
{
    for (int n : {0, 3, 25}) {
        RecordingSurface surface;
        const auto data = sampleSpectrum(n);
        drawFiltrationGraph(surface, data);
        ASSERT_EQ(surface.calls.front().kind, Kind::Clear);
        std::size_t gridCount = 0;
        for (const auto& call : surface.ofKind(Kind::Line))
            if (call.colour == grey) {
                ++gridCount;
                EXPECT_EQ(call.lineWidth, 1);
            }
        EXPECT_EQ(gridCount, 21u + 9u);
        EXPECT_EQ(surface.texts(),
                  (std::vector<std::string>{"80", "60", "40", "20", "0", "mm", "Al", "0", "5",
                                            "10", "15 cm",
                                            "Direction (distance from center at SAD)"}));
        const auto circles = surface.ofKind(Kind::Circle);
        ASSERT_EQ(circles.size(), static_cast<std::size_t>(n + 1));
        for (int i = 0; i <= n; ++i) {
            EXPECT_DOUBLE_EQ(circles[i].x1, data.directionDistance[i]);
            EXPECT_DOUBLE_EQ(circles[i].y1, data.filterPathLength[i]);
            EXPECT_DOUBLE_EQ(circles[i].radius, 0.15);
            EXPECT_EQ(circles[i].colour, red);
            EXPECT_EQ(circles[i].lineWidth, 2);
        }
        const auto points = surface.ofKind(Kind::Point);
        ASSERT_EQ(points.size(), 1u);
        EXPECT_EQ(points[0].colour, red);
        std::vector<SurfaceCall> profile;
        for (const auto& call : surface.ofKind(Kind::Line))
            if (call.colour == red)
                profile.push_back(call);
        ASSERT_EQ(profile.size(), static_cast<std::size_t>(n));
        for (int i = 1; i <= n; ++i) {
            EXPECT_DOUBLE_EQ(profile[i - 1].x1, data.directionDistance[i - 1]);
            EXPECT_DOUBLE_EQ(profile[i - 1].y2, data.filterPathLength[i]);
        }
        const auto& frame = surface.calls.back();
        EXPECT_EQ(frame.kind, Kind::Rectangle);
        EXPECT_EQ(frame.colour, black);
        EXPECT_DOUBLE_EQ(frame.x2, 20);
        EXPECT_DOUBLE_EQ(frame.y2, 80);
    }
}

} // namespace
