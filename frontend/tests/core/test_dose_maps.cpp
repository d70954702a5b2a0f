// Dose colours and the drawing of the axial maps, outlines, sagittal map and colour scale,
// checked on recording surfaces.

#include "dose_colour.h"
#include "dose_maps.h"
#include "recording_surface.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

using Kind = SurfaceCall::Kind;

TEST(DoseColour, WhiteToRedRamp)
{
    struct Case {
        double dose;
        int level;
    };
    const Case cases[] = {
        {0.0, 255},  {0.5, 127},  {1.0, 0},      {1.5, 0},   {0.25, 191},
        {0.999, 0},  {0.001, 254}, {0.0039, 254}, {0.004, 253},
        {-0.1, 255}, // a negative value stays white instead of wrapping past 255
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dose);
        EXPECT_EQ(doseLevel(c.dose), c.level);
        const auto level = static_cast<std::uint8_t>(c.level);
        EXPECT_EQ(doseColour(c.dose), (Rgb{255, level, level}));
    }
}

TEST(ColourScale, RowsAndTicks)
{
    RecordingSurface scale;
    drawColourScale(scale);
    ASSERT_EQ(scale.calls.front().kind, Kind::Clear);
    const auto lines = scale.ofKind(Kind::Line);
    ASSERT_EQ(lines.size(), 256u + 11u);
    for (int i = 0; i <= 255; ++i) {
        const auto& row = lines[i];
        EXPECT_EQ(std::tie(row.x1, row.y1, row.x2, row.y2), std::make_tuple(0.0, double(i), 5.0, double(i)));
        const auto level = static_cast<std::uint8_t>(255 - i);
        EXPECT_EQ(row.colour, (Rgb{255, level, level}));
    }
    for (int t = 0; t <= 10; ++t) {
        const auto& tick = lines[256 + t];
        EXPECT_EQ(std::tie(tick.x1, tick.x2), std::make_tuple(4.0, 6.0));
        EXPECT_EQ(tick.y1, 25.5 * t);
        EXPECT_EQ(tick.colour, scale.foreColour());
    }
    EXPECT_EQ(lines.back().y1, 255.0);
}

TEST(AxialMaps, EachCellPaintsFourMirroredPixelsOnItsComponentsMap)
{
    ResultDose dose;
    dose(1, 37, 3, 12) = 0.5;  // primary
    dose(2, 200, 3, 100) = 1.5; // scattered, at the grid's corner
    dose(0, 1, 3, 1) = 1.0;    // total
    dose(1, 37, 4, 12) = 1.0;  // another plane: not drawn
    RecordingSurface primary, scattered, total;
    drawAxialMaps(primary, scattered, total, dose, 3);

    const Rgb white{255, 255, 255};
    for (RecordingSurface* map : {&primary, &scattered, &total}) {
        ASSERT_EQ(map->calls.size(), 80000u);
        std::map<std::pair<double, double>, Rgb> painted;
        double largestX = 0, largestZ = 0;
        for (const auto& call : map->calls) {
            ASSERT_EQ(call.kind, Kind::Point);
            ASSERT_NE(call.x1, 0.0); // the centre lines are left to the fixed axes
            ASSERT_NE(call.y1, 0.0);
            largestX = std::max(largestX, std::abs(call.x1));
            largestZ = std::max(largestZ, std::abs(call.y1));
            painted[{call.x1, call.y1}] = call.colour;
        }
        EXPECT_EQ(painted.size(), 80000u);
        EXPECT_EQ(largestX, 200.0);
        EXPECT_EQ(largestZ, 100.0);
        // Painting order of one cell: (x, -z), (-x, -z), (x, z), (-x, z).
        EXPECT_EQ(std::tie(map->calls[0].x1, map->calls[0].y1), std::make_tuple(1.0, -1.0));
        EXPECT_EQ(std::tie(map->calls[1].x1, map->calls[1].y1), std::make_tuple(-1.0, -1.0));
        EXPECT_EQ(std::tie(map->calls[2].x1, map->calls[2].y1), std::make_tuple(1.0, 1.0));
        EXPECT_EQ(std::tie(map->calls[3].x1, map->calls[3].y1), std::make_tuple(-1.0, 1.0));
        EXPECT_EQ(std::tie(map->calls[4].x1, map->calls[4].y1), std::make_tuple(2.0, -1.0));
        EXPECT_EQ(painted.at({5, 5}), white);
    }
    const Rgb half{255, 127, 127}, red{255, 0, 0};
    for (auto [x, z] : {std::pair{37.0, 12.0}, {-37.0, 12.0}, {37.0, -12.0}, {-37.0, -12.0}}) {
        EXPECT_EQ(primary.calls[4 * (200 * (std::abs(z) - 1) + std::abs(x) - 1)
                                + (z < 0 ? 0 : 2) + (x < 0 ? 1 : 0)]
                      .colour,
                  half);
    }
    EXPECT_EQ(scattered.calls[4 * (200 * 99 + 199)].colour, red);
    EXPECT_EQ(total.calls[0].colour, red);
    EXPECT_EQ(total.calls[4 * (200 * 11 + 36)].colour, white);
}

TEST(PhantomOutlines, RacetrackOnEachMap)
{
    struct Case {
        double a, b;
    };
    for (const Case& c : {Case{20, 20}, Case{20, 10.5}, Case{0, 5}}) {
        SCOPED_TRACE(c.a + c.b);
        RecordingSurface primary, scattered, total;
        drawPhantomOutlines(primary, scattered, total, c.a, c.b);
        const double A = 5 * c.a, B = 5 * c.b;
        for (RecordingSurface* map : {&primary, &scattered, &total}) {
            ASSERT_EQ(map->calls.size(), 5u);
            const auto& top = map->calls[0];
            const auto& bottom = map->calls[1];
            EXPECT_EQ(top.kind, Kind::Line);
            EXPECT_EQ(std::tie(top.x1, top.y1, top.x2, top.y2), std::make_tuple(-A, B, A, B));
            EXPECT_EQ(std::tie(bottom.x1, bottom.y1, bottom.x2, bottom.y2),
                      std::make_tuple(-A, -B, A, -B));
            struct ArcCase {
                double cx, start, end;
            };
            const ArcCase arcs[3] = {{-A, 0.5, 1.5}, {A, 0, 0.5}, {A, 1.5, 2}};
            for (int i = 0; i < 3; ++i) {
                const auto& arc = map->calls[2 + i];
                EXPECT_EQ(arc.kind, Kind::Arc);
                EXPECT_EQ(std::tie(arc.x1, arc.y1, arc.radius), std::make_tuple(arcs[i].cx, 0.0, B));
                EXPECT_DOUBLE_EQ(arc.startAngle, 3.14159 * arcs[i].start);
                EXPECT_DOUBLE_EQ(arc.endAngle, 3.14159 * arcs[i].end);
                EXPECT_EQ(arc.colour, paletteColour(0));
            }
        }
    }
}

TEST(SagittalMap, MirroredBandsAndThePhantomRectangle)
{
    ResultDose dose;
    dose(0, 1, 8, 12) = 0.5; // plane 8: 35..40 mm, z 12
    dose(0, 2, 8, 12) = 1.0; // not next to the centre line: not shown
    for (double b : {20.0, 10.5}) {
        SCOPED_TRACE(b);
        RecordingSurface sagittal;
        drawSagittalMap(sagittal, dose, b);
        const auto lines = sagittal.ofKind(Kind::Line);
        ASSERT_EQ(lines.size(), 16000u);
        const std::size_t first = 4 * (100 * 7 + 11);
        const Rgb half{255, 127, 127};
        const double bands[4][4] = {{35, 12, 40, 12}, {35, -12, 40, -12}, {-35, 12, -40, 12},
                                    {-35, -12, -40, -12}};
        for (int i = 0; i < 4; ++i) {
            const auto& band = lines[first + i];
            EXPECT_EQ(std::tie(band.x1, band.y1, band.x2, band.y2),
                      std::make_tuple(bands[i][0], bands[i][1], bands[i][2], bands[i][3]));
            EXPECT_EQ(band.colour, half);
        }
        EXPECT_EQ(lines[first + 4].colour, (Rgb{255, 255, 255}));
        const auto& frame = sagittal.calls.back();
        EXPECT_EQ(frame.kind, Kind::Rectangle);
        EXPECT_EQ(std::tie(frame.x1, frame.y1, frame.x2, frame.y2),
                  std::make_tuple(-201.0, 5 * b + 1, 201.0, -5 * b - 1));
    }
}
