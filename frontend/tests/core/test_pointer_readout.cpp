// Read-outs under the pointer on the axial maps and on the profile graph.

#include "plain_number_text.h"
#include "pointer_readout.h"

#include <gtest/gtest.h>

namespace {

// Distinct values per component and cell, so a read-out shows which cell it came from.
ResultDose markedDose()
{
    ResultDose dose;
    for (int y = 1; y <= 40; ++y)
        for (int z = 1; z <= 100; ++z)
            for (int x = 1; x <= 200; ++x) {
                dose(1, x, y, z) = 0.001 * x + 0.1 * y;
                dose(2, x, y, z) = 0.001 * z;
                dose(0, x, y, z) = dose(1, x, y, z) + dose(2, x, y, z);
            }
    return dose;
}

DoseTexts expectedTexts(int x, int y, int z)
{
    const double primary = 0.1 * x + 10 * y;
    const double scattered = 0.1 * z;
    char texts[3][32];
    std::snprintf(texts[0], 32, "%.1f", primary);
    std::snprintf(texts[1], 32, "%.1f", scattered);
    std::snprintf(texts[2], 32, "%.1f", primary + scattered);
    return {texts[0], texts[1], texts[2]};
}

} // namespace

TEST(PlainNumberText, ShortestFormOfTheSingleValue)
{
    struct Case {
        float value;
        const char* text;
    };
    const Case cases[] = {
        {0, "0"},           {-0.0f, "0"},         {35, "35"},         {-12, "-12"},
        {0.5f, "0.5"},      {-37.25f, "-37.25"},  {0.1f, "0.1"},      {152.5f, "152.5"},
        {1.0f / 3, "0.3333333"}, {123.456789f, "123.4568"}, {1234567, "1234567"},
        {1.5e7f, "1.5E+07"}, {-2.5e-6f, "-2.5E-06"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(plainNumberText(c.value), c.text) << c.value;
    }
}

TEST(PointerReadout, CellIndexRoundsHalfToEven)
{
    struct Case {
        float position;
        int index;
    };
    for (const Case& c : {Case{0.5f, 0}, {1.5f, 2}, {2.5f, 2}, {-2.5f, 2}, {2.6f, 3}, {-37, 37},
                          {199.5f, 200}, {200.5f, 200}}) {
        EXPECT_EQ(cellIndex(c.position), c.index) << c.position;
    }
}

TEST(PointerReadout, AxialMapInsideThePhantom)
{
    const ResultDose dose = markedDose();
    struct Case {
        float x, y;
        int plane;
        const char* xText;
        const char* zText;
        int cellX, cellZ;
    };
    const Case cases[] = {
        {0, 0, 1, "0", "0", 1, 1},          // the centre lines belong to the first cells
        {37, -12, 3, "37", "12", 37, 12},   // Z counts upward
        {-37, 12, 3, "-37", "-12", 37, 12}, // mirrored: the same cell
        {2.5f, 0.5f, 5, "2.5", "-0.5", 2, 0}, // index 0 exists and reads 0
        {150, 50, 40, "150", "-50", 150, 50}, // the corner of the bounding rectangle
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        const AxialReadout readout = readAxialPointer(dose, c.plane, 20, 10, c.x, c.y);
        ASSERT_TRUE(readout.inside);
        EXPECT_EQ(readout.lineX, c.x);
        EXPECT_EQ(readout.lineY, c.y);
        EXPECT_EQ(readout.xText, c.xText);
        EXPECT_EQ(readout.zText, c.zText);
        ASSERT_TRUE(readout.doses);
        if (c.cellZ == 0) {
            EXPECT_EQ(*readout.doses, (DoseTexts{"0.0", "0.0", "0.0"}));
        } else {
            EXPECT_EQ(*readout.doses, expectedTexts(c.cellX, c.plane, c.cellZ));
        }
    }
}

TEST(PointerReadout, AxialMapOutsideThePhantom)
{
    const ResultDose dose = markedDose();
    // a = 20, b = 10: h = 150, v = 50.
    for (auto [x, y] : {std::pair{160.0f, 0.0f}, {0.0f, 50.5f}, {-150.5f, 0.0f}, {0.0f, -51.0f}}) {
        const AxialReadout readout = readAxialPointer(dose, 1, 20, 10, x, y);
        EXPECT_FALSE(readout.inside) << x << ", " << y;
        EXPECT_FALSE(readout.doses);
    }
}

TEST(PointerReadout, AxialMapBeyondTheGridKeepsTheDoseBoxes)
{
    // A phantom larger than the grid (a + b = 45, b = 25): position texts, no dose texts.
    const ResultDose dose = markedDose();
    for (auto [x, y] : {std::pair{201.0f, 10.0f}, {10.0f, -101.0f}}) {
        const AxialReadout readout = readAxialPointer(dose, 1, 20, 25, x, y);
        ASSERT_TRUE(readout.inside);
        EXPECT_EQ(readout.xText, plainNumberText(x));
        EXPECT_FALSE(readout.doses);
    }
}

TEST(PointerReadout, ProfileGraph)
{
    const ResultDose dose = markedDose();
    const ProfileReadout left = readProfilePointer(dose, 3, 150, -45);
    ASSERT_EQ(left.where, ProfileReadout::Where::inside);
    EXPECT_EQ(left.lineX, -45);
    EXPECT_EQ(left.xText, "45"); // distance without a sign
    EXPECT_EQ(left.doses, expectedTexts(45, 3, 1));

    const ProfileReadout centre = readProfilePointer(dose, 3, 150, 0);
    EXPECT_EQ(centre.xText, "0");
    EXPECT_EQ(centre.lineX, 0);
    EXPECT_EQ(centre.doses, expectedTexts(1, 3, 1));

    EXPECT_EQ(readProfilePointer(dose, 3, 150, 150).where, ProfileReadout::Where::inside);
    EXPECT_EQ(readProfilePointer(dose, 3, 150, 151).where, ProfileReadout::Where::outside);
    EXPECT_EQ(readProfilePointer(dose, 3, 152.5, -152.6f).where, ProfileReadout::Where::outside);
    // A phantom wider than the grid: past cell 200 the pointer shows nothing new.
    EXPECT_EQ(readProfilePointer(dose, 3, 225, 200.4f).where, ProfileReadout::Where::inside);
    EXPECT_EQ(readProfilePointer(dose, 3, 225, -201).where, ProfileReadout::Where::beyondGrid);
}

TEST(PointerReadout, DoseTextsInPercentWithOneDecimal)
{
    ResultDose dose;
    dose(1, 7, 2, 9) = 0.12345; // 12.345 %
    dose(2, 7, 2, 9) = 1.0496;  // 104.96 %
    dose(0, 7, 2, 9) = 0;
    EXPECT_EQ(doseTexts(dose, 7, 2, 9), (DoseTexts{"12.3", "105.0", "0.0"}));
}
