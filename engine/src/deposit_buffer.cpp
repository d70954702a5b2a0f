#include "deposit_buffer.h"

void DepositBuffer::flushInto(DoseGrid& grid)
{
    for (int i = 0; i < count; ++i) addToCell(grid, offsets[i], amounts[i]);
    count = 0;
}
