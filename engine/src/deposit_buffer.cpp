#include "deposit_buffer.h"

void DepositBuffer::flushInto(DoseGrid& grid)
{
    // The cells are fetched well ahead of their additions so that the misses overlap; the
    // additions themselves stay in the order the deposits were made.
    constexpr int ahead = 128;
    for (int i = 0; i < count && i < ahead; ++i) __builtin_prefetch(&grid.cells[offsets[i]], 1);
    for (int i = 0; i < count; ++i) {
        if (i + ahead < count) __builtin_prefetch(&grid.cells[offsets[i + ahead]], 1);
        addToCell(grid, offsets[i], amounts[i]);
    }
    count = 0;
}
