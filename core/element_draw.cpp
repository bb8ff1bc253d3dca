#include "core/element_draw.h"

#include <algorithm>
#include <ctime>

namespace {

// The state keeps 31 bits. A state with many factors of two runs through a handful of values
// only (2^30 never changes), so the draw gives up after this many hits on asked elements and
// takes the first free one instead.
constexpr int kMaxDrawsOnAskedElements = 1000;

uint32_t state = 1;

uint32_t NextState()
{
    state = (state * 1220703125u) & 0x7FFFFFFFu;
    return state;
}

bool IsAsked(const std::vector<uint32_t>& asked, int index)
{
    return std::find(asked.begin(), asked.end(), static_cast<uint32_t>(index)) != asked.end();
}

// One draw: the state scaled to 0..scale, rounded half down, kept inside 0..total-1.
int DrawOnce(int total)
{
    const float scale = static_cast<float>(2 * (total / 2));
    double x = NextState() * 4.656613e-10 * scale;
    int index = static_cast<int>(x);
    if (x - index > 0.5)
        ++index;
    return std::clamp(index, 0, total - 1);
}

} // namespace

void SeedElementDraw(uint32_t seed) { state = seed & 0x7FFFFFFFu; }

void SeedElementDrawFromClock() { SeedElementDraw(static_cast<uint32_t>(std::time(nullptr))); }

uint32_t ElementDrawState() { return state; }

int DrawElementIndex(int total, const std::vector<uint32_t>& asked)
{
    for (int draw = 0; draw < kMaxDrawsOnAskedElements; ++draw) {
        int index = DrawOnce(total);
        if (!IsAsked(asked, index))
            return index;
    }
    for (int index = 0; index < total; ++index) {
        if (!IsAsked(asked, index))
            return index;
    }
    return -1;
}
