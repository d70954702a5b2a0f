#pragma once
// Deposits held back and added to the dose grid in batches. The grid (6.4 MB) is far larger
// than the processor's near caches, so adding each deposit as it happens waits on memory for
// nearly every one. A batch is sorted by grid region with a stable counting sort and then added
// region by region: every cell still receives its deposits in the order they were made, so the
// stored sums are the same bits as with direct adding.

#include "dose_grid.h"

#include <array>
#include <cstdint>

struct DepositBuffer {
    static constexpr int capacity = 1 << 14;
    static constexpr int regionShift = 11; // 2048 cells (8 KB) per region
    static constexpr int regionCount = ((DoseGrid::cellCount - 1) >> regionShift) + 1;

    int count = 0;
    std::array<std::int32_t, capacity> offsets{};
    std::array<double, capacity> amounts{};
    std::array<std::int32_t, capacity> sortedOffsets{};
    std::array<double, capacity> sortedAmounts{};
    std::array<std::int32_t, regionCount + 1> regionStart{};

    void add(DoseGrid& grid, int offset, double amount)
    {
        if (count == capacity) flushInto(grid);
        offsets[count] = offset;
        amounts[count] = amount;
        ++count;
    }

    // Adds every held deposit to `grid`, in order within each cell, and empties the buffer.
    void flushInto(DoseGrid& grid);
};
