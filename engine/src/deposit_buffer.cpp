#include "deposit_buffer.h"

void DepositBuffer::flushInto(DoseGrid& grid)
{
    regionStart.fill(0);
    for (int i = 0; i < count; ++i) ++regionStart[(offsets[i] >> regionShift) + 1];
    for (int r = 1; r <= regionCount; ++r) regionStart[r] += regionStart[r - 1];
    // Stable: deposits keep their order within a region, hence within a cell.
    for (int i = 0; i < count; ++i) {
        const int slot = regionStart[offsets[i] >> regionShift]++;
        sortedOffsets[slot] = offsets[i];
        sortedAmounts[slot] = amounts[i];
    }
    for (int i = 0; i < count; ++i) addToCell(grid, sortedOffsets[i], sortedAmounts[i]);
    count = 0;
}
