#pragma once

#include <cstdint>
#include <vector>

// The pseudo-random choice of the new-table elements asked at the first pivot. The state is one
// for the whole program: seeded once at start-up from the calendar time, it continues from run
// to run.

void SeedElementDraw(uint32_t state);
void SeedElementDrawFromClock();
uint32_t ElementDrawState();

// The next index in 0..total-1 that is not in `asked`, or -1 when every index is asked.
int DrawElementIndex(int total, const std::vector<uint32_t>& asked);
