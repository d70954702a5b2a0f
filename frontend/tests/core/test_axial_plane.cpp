// Choosing the axial plane on the sagittal map and the text under the pointer there.

#include "axial_plane.h"

#include <gtest/gtest.h>

TEST(AxialPlane, ClickChoosesThePlaneUnderThePointer)
{
    struct Case {
        float x;
        int plane;
        float marker;
        const char* range;
    };
    const Case cases[] = {
        {0, 1, 1, "0 - 5"},        {-37, 8, -37, "35 - 40"},   {4.9f, 1, 4.9f, "0 - 5"},
        {5, 2, 5, "5 - 10"},       {200, 40, 200, "195 - 200"}, {-200, 40, -200, "195 - 200"},
        {195, 40, 195, "195 - 200"}, {194.5f, 39, 194.5f, "190 - 195"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        const PlaneChoice choice = choosePlane(c.x);
        EXPECT_TRUE(choice.chosen);
        EXPECT_EQ(choice.plane, c.plane);
        EXPECT_EQ(choice.markerX, c.marker);
        EXPECT_EQ(choice.rangeText, c.range);
    }
}

TEST(AxialPlane, ClicksInTheMarginsChooseNothing)
{
    for (float x : {203.0f, -200.5f, 207.0f, -206.0f}) {
        EXPECT_FALSE(choosePlane(x).chosen) << x;
    }
}

TEST(AxialPlane, PointerTextShowsTheDistanceOrThePlane)
{
    EXPECT_EQ(planePointerText(35, 8), "35");
    EXPECT_EQ(planePointerText(-12, 8), "-12");
    EXPECT_EQ(planePointerText(0, 8), "0");
    EXPECT_EQ(planePointerText(-200, 8), "-200");
    EXPECT_EQ(planePointerText(205, 8), "8");
    EXPECT_EQ(planePointerText(-201, 40), "40");
}

TEST(AxialPlane, FirstPlaneTextHasSignPositions)
{
    EXPECT_EQ(firstPlaneRangeText(), " 0 -  5");
}
