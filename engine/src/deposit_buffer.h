#pragma once
// Deposits held back and added to the dose grid in batches. The grid (6.4 MB) is far larger
// than the processor's near caches, so nearly every addition waits on memory. Made inside a
// history, each such wait stalls the history's chain of dependent arithmetic; made together
// in a batch, the additions are independent and their memory accesses overlap. The batch is
// added in the order the deposits were made, so every cell receives the same additions in the
// same order and stores the same bits as with direct adding.

#include "dose_grid.h"

#include <array>
#include <cstdint>

struct DepositBuffer {
    static constexpr int capacity = 1 << 12;

    int count = 0;
    std::array<std::int32_t, capacity> offsets{};
    std::array<double, capacity> amounts{};

    void add(DoseGrid& grid, int offset, double amount)
    {
        if (count == capacity) flushInto(grid);
        offsets[count] = offset;
        amounts[count] = amount;
        ++count;
    }

    // Adds every held deposit to `grid`, in the order they were made, and empties the buffer.
    void flushInto(DoseGrid& grid);
};
