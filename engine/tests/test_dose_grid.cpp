#include "dose_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numeric>

namespace {

struct DepositCase {
    const char* what;
    float x, y, z;
    int ix, iy, iz; // 0: dropped
};

class DoseGridDeposit : public ::testing::TestWithParam<DepositCase> {};

TEST_P(DoseGridDeposit, LandsInItsFoldedCellOrIsDropped)
{
    const DepositCase& c = GetParam();
    auto grid = std::make_unique<DoseGrid>();
    scoreDeposit(*grid, 2, c.x, c.y, c.z, 3.5);
    const double total = std::accumulate(grid->cells.begin(), grid->cells.end(), 0.0);
    if (c.ix == 0) {
        EXPECT_EQ(total, 0.0) << c.what;
    } else {
        EXPECT_EQ(grid->at(2, c.ix, c.iy, c.iz), 3.5f) << c.what;
        EXPECT_EQ(total, 3.5) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cells, DoseGridDeposit,
    ::testing::Values(DepositCase{"centre", 0.0f, 0.0f, 0.0f, 1, 1, 1},
                      DepositCase{"y = +0.2", 0.05f, 0.2f, 0.05f, 1, 1, 1},
                      DepositCase{"y = -0.2 folds onto +0.2", 0.05f, -0.2f, 0.05f, 1, 1, 1},
                      DepositCase{"mirror in x and z", -0.05f, 0.2f, -0.05f, 1, 1, 1},
                      DepositCase{"x = 0.1 as a float", 0.1f, 0.0f, 0.0f, 2, 1, 1},
                      DepositCase{"just below 0.1", std::nextafter(0.1f, 0.0f), 0.0f, 0.0f, 1, 1, 1},
                      DepositCase{"far corner of the grid", -19.99f, 19.99f, 9.99f, 200, 40, 100},
                      DepositCase{"|y| = 20 on the end face is dropped", 0.0f, -20.0f, 0.0f, 0, 0, 0},
                      DepositCase{"|x| = 20 is dropped", 20.0f, 0.0f, 0.0f, 0, 0, 0},
                      DepositCase{"|z| = 10 is dropped", 0.0f, 0.0f, 10.0f, 0, 0, 0},
                      DepositCase{"far outside does not overflow", 3e30f, 0.0f, 0.0f, 0, 0, 0}));

TEST(DoseGrid, SumsInDoubleAndRoundsOncePerDeposit)
{
    auto grid = std::make_unique<DoseGrid>();
    // 1 + 2^-25 + 2^-25 as two deposits: each sum is rounded to float, so both vanish.
    scoreDeposit(*grid, 1, 0, 0, 0, 1.0);
    scoreDeposit(*grid, 1, 0, 0, 0, std::ldexp(1.0, -25));
    scoreDeposit(*grid, 1, 0, 0, 0, std::ldexp(1.0, -25));
    EXPECT_EQ(grid->at(1, 1, 1, 1), 1.0f);
    // A deposit is not rounded to float before it is added: 2^-24 + (1 + 2^-25) rounds up,
    // while 2^-24 + float(1 + 2^-25) = 1 + 2^-24 would round to even, to 1.
    scoreDeposit(*grid, 1, 0, 0, 1.0f, std::ldexp(1.0, -24));
    scoreDeposit(*grid, 1, 0, 0, 1.0f, 1.0 + std::ldexp(1.0, -25));
    EXPECT_EQ(grid->at(1, 1, 1, 11), std::nextafter(1.0f, 2.0f));
}

TEST(DoseGrid, ComponentsAreSeparate)
{
    auto grid = std::make_unique<DoseGrid>();
    scoreDeposit(*grid, 1, 1.05f, 2.7f, 3.05f, 1.0);
    scoreDeposit(*grid, 2, 1.05f, 2.7f, 3.05f, 2.0);
    EXPECT_EQ(grid->at(1, 11, 6, 31), 1.0f);
    EXPECT_EQ(grid->at(2, 11, 6, 31), 2.0f);
}

} // namespace
