#pragma once

// Memory running out on demand: after `count` more successful allocations through operator new,
// the next ones throw std::bad_alloc until the limit is lifted.
void LimitAllocations(long count);
void LiftAllocationLimit();
