// The lateral profile graph: frame and grid from the phantom's half-width, labels, and the
// three curves along the row next to the centre line.

#include "profile_graph.h"
#include "recording_surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

using Kind = SurfaceCall::Kind;

namespace {

std::vector<double> verticalGridLines(const RecordingSurface& profile)
{
    std::vector<double> xs;
    for (const auto& call : profile.ofKind(Kind::Line)) {
        if (call.colour == paletteColour(8) && call.x1 == call.x2 && !std::signbit(call.x1)) {
            xs.push_back(call.x1);
        }
    }
    return xs;
}

// The curve of one colour on one side: its first point and the end of every line.
std::vector<std::pair<double, double>> curve(const RecordingSurface& profile, Rgb colour, int side)
{
    std::vector<std::pair<double, double>> points;
    for (const auto& call : profile.calls) {
        if (call.colour != colour || call.lineWidth != 2) {
            continue;
        }
        if (call.kind == Kind::Point && call.x1 * side > 0) {
            points.emplace_back(call.x1, call.y1);
        } else if (call.kind == Kind::Line && call.x2 * side > 0) {
            points.emplace_back(call.x2, call.y2);
        }
    }
    return points;
}

} // namespace

TEST(ProfileGraph, FrameGridAndLabelsOfATwentyByTwentyPhantom)
{
    ResultDose dose;
    RecordingSurface profile;
    EXPECT_EQ(drawProfileGraph(profile, dose, 1, 20, 20), 200.0);
    EXPECT_EQ(profileHalfWidth(20, 20), 200.0);

    ASSERT_EQ(profile.calls.front().kind, Kind::LineWidth);
    EXPECT_EQ(profile.calls.front().lineWidth, 1);
    const auto frames = profile.ofKind(Kind::Rectangle);
    ASSERT_EQ(frames.size(), 2u);
    for (const auto& frame : frames) {
        EXPECT_EQ(std::tie(frame.x1, frame.y1, frame.x2, frame.y2),
                  std::make_tuple(-200.0, 0.0, 200.0, 200.0));
    }
    EXPECT_EQ(frames[0].lineWidth, 1);
    EXPECT_EQ(frames[1].lineWidth, 2); // redrawn over the curves' ends
    EXPECT_EQ(profile.calls.back().kind, Kind::Rectangle);

    std::vector<double> expected;
    for (int i = 0; i <= 200; i += 10) {
        expected.push_back(i);
    }
    EXPECT_EQ(verticalGridLines(profile), expected);

    // Grey lines at 20, 40 .. 180, then the 50 % line in the fore colour over the grey one.
    std::vector<std::pair<double, Rgb>> horizontal;
    for (const auto& call : profile.ofKind(Kind::Line)) {
        if (call.y1 == call.y2 && call.x1 == -200 && call.x2 == 200) {
            horizontal.emplace_back(call.y1, call.colour);
        }
    }
    std::vector<std::pair<double, Rgb>> expectedHorizontal;
    for (int j = 20; j <= 180; j += 20) {
        expectedHorizontal.emplace_back(j, paletteColour(8));
    }
    expectedHorizontal.emplace_back(100, profile.foreColour());
    EXPECT_EQ(horizontal, expectedHorizontal);

    const auto texts = profile.ofKind(Kind::Text);
    ASSERT_EQ(texts.size(), 6u);
    const std::tuple<double, double, std::string> labels[6] = {
        {-3, -5, "0"},     {180, -5, " 200"}, {-210, -5, " 200"},
        {202, 210, "100"}, {202, 110, " 50"}, {205, 10, "0"},
    };
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(std::tie(texts[i].x1, texts[i].y1, texts[i].text), labels[i]);
    }
}

TEST(ProfileGraph, AllZeroDoseLiesOnTheBottomEdge)
{
    ResultDose dose;
    RecordingSurface profile;
    drawProfileGraph(profile, dose, 1, 20, 20);
    for (Rgb colour : {paletteColour(9), paletteColour(12), paletteColour(0)}) {
        for (int side : {1, -1}) {
            const auto points = curve(profile, colour, side);
            ASSERT_EQ(points.size(), 200u);
            for (const auto& [x, y] : points) {
                EXPECT_EQ(y, 0.0);
            }
        }
    }
}

TEST(ProfileGraph, CurvesFollowTheCentreRowOfThePlane)
{
    ResultDose dose;
    for (int x = 1; x <= 200; ++x) {
        dose(1, x, 3, 1) = 0.004 * x;
        dose(2, x, 3, 1) = 0.001 * x;
        dose(0, x, 3, 1) = 0.005 * x;
        dose(0, x, 3, 2) = 1; // not the centre row
        dose(0, x, 4, 1) = 1; // another plane
    }
    struct Case {
        double a, b, halfWidth;
        int lastCell;
    };
    const Case cases[] = {
        {20, 10.5, 152.5, 152}, // w not whole: the curves end at the last whole mm
        {20, 20, 200, 200},
        {30, 20, 250, 200}, // wider than the grid: the curves stop at its last cell
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.halfWidth);
        RecordingSurface profile;
        EXPECT_EQ(drawProfileGraph(profile, dose, 3, c.a, c.b), c.halfWidth);
        if (c.halfWidth < 200) {
            std::vector<double> expected;
            for (int i = 0; i <= 150; i += 10) {
                expected.push_back(i);
            }
            EXPECT_EQ(verticalGridLines(profile), expected);
        }
        const struct {
            Rgb colour;
            double slope;
        } curves[3] = {{paletteColour(9), 0.2}, {paletteColour(12), 0.8}, {paletteColour(0), 1.0}};
        for (const auto& expectedCurve : curves) {
            for (int side : {1, -1}) {
                const auto points = curve(profile, expectedCurve.colour, side);
                ASSERT_EQ(points.size(), static_cast<std::size_t>(c.lastCell));
                for (int i = 1; i <= c.lastCell; ++i) {
                    EXPECT_EQ(points[i - 1].first, side * i);
                    EXPECT_NEAR(points[i - 1].second, expectedCurve.slope * i, 1e-9);
                }
            }
        }
        // Order: scattered, primary, total on the right half, then the same on the left.
        std::vector<Rgb> order;
        for (const auto& call : profile.ofKind(Kind::Point)) {
            order.push_back(call.colour);
        }
        EXPECT_EQ(order, (std::vector<Rgb>{paletteColour(9), paletteColour(12), paletteColour(0),
                                           paletteColour(9), paletteColour(12),
                                           paletteColour(0)}));
    }
}
