#pragma once
// The dose tally: energy deposited per cell, folded by absolute value of x, y and z.
// Component 1 is primary (before any scattering), component 2 scattered.

#include <array>
#include <cmath>
#include <cstdint>

struct DoseGrid {
    static constexpr int componentCount = 2;
    static constexpr int lateralCount = 200;   // 1-mm steps of |x|
    static constexpr int bodyAxisCount = 40;   // 5-mm steps of |y|
    static constexpr int thicknessCount = 100; // 1-mm steps of |z|
    static constexpr int cellCount = componentCount * lateralCount * bodyAxisCount * thicknessCount;

    // Stored in the order of the result file's lines: one line per (component, iy, iz) holding
    // ix = 1..200 contiguously, so the writer reads the grid in one sequential pass.
    std::array<float, cellCount> cells{};

    static constexpr int offset(int component, int ix, int iy, int iz)
    {
        return (((component - 1) * bodyAxisCount + (iy - 1)) * thicknessCount + (iz - 1)) *
                   lateralCount +
               (ix - 1);
    }
    float& at(int component, int ix, int iy, int iz) { return cells[offset(component, ix, iy, iz)]; }
    float at(int component, int ix, int iy, int iz) const { return cells[offset(component, ix, iy, iz)]; }
};

// The offset in DoseGrid::cells of the cell holding (|x|, |y|, |z|) for `component`, or -1
// when the point lies outside the grid and its deposit is dropped.
inline int depositOffset(std::int32_t component, float x, float y, float z)
{
    // trunc(v) + 1 > n exactly when v >= n; testing before the conversion keeps a far-out
    // coordinate from overflowing it.
    const double scaledY = std::fabs(static_cast<double>(y)) * 2.0;
    if (!(scaledY < DoseGrid::bodyAxisCount)) return -1;
    const double scaledX = std::fabs(static_cast<double>(x)) * 10.0;
    const double scaledZ = std::fabs(static_cast<double>(z)) * 10.0;
    if (!(scaledX < DoseGrid::lateralCount)) return -1;
    if (!(scaledZ < DoseGrid::thicknessCount)) return -1;
    return DoseGrid::offset(component, static_cast<std::int32_t>(scaledX) + 1,
                            static_cast<std::int32_t>(scaledY) + 1,
                            static_cast<std::int32_t>(scaledZ) + 1);
}

// Adds `amount` (formed in double) to a cell, rounding the sum once, when it is stored.
inline void addToCell(DoseGrid& grid, int offset, double amount)
{
    float& cell = grid.cells[offset];
    cell = static_cast<float>(amount + static_cast<double>(cell));
}

// Adds one deposit (keV times the photon's weight, formed in double) to the cell holding
// (|x|, |y|, |z|); a deposit outside the grid is dropped.
inline void scoreDeposit(DoseGrid& grid, std::int32_t component, float x, float y, float z,
                         double amount)
{
    const int offset = depositOffset(component, x, y, z);
    if (offset >= 0) addToCell(grid, offset, amount);
}
