#pragma once
// The dose tally: energy deposited per cell, folded by absolute value of x, y and z.
// Component 1 is primary (before any scattering), component 2 scattered.

#include <array>

struct DoseGrid {
    static constexpr int componentCount = 2;
    static constexpr int lateralCount = 200;   // 1-mm steps of |x|
    static constexpr int bodyAxisCount = 40;   // 5-mm steps of |y|
    static constexpr int thicknessCount = 100; // 1-mm steps of |z|

    // cells[component-1][ix-1][iy-1][iz-1], indices 1-based as in the result file.
    std::array<float, componentCount * lateralCount * bodyAxisCount * thicknessCount> cells{};

    static constexpr int offset(int component, int ix, int iy, int iz)
    {
        return (((component - 1) * lateralCount + (ix - 1)) * bodyAxisCount + (iy - 1)) *
                   thicknessCount +
               (iz - 1);
    }
    float& at(int component, int ix, int iy, int iz) { return cells[offset(component, ix, iy, iz)]; }
    float at(int component, int ix, int iy, int iz) const { return cells[offset(component, ix, iy, iz)]; }
};
