#include "tests/core/allocation_limit.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Negative: no limit.
std::atomic<long> allocationsLeft{-1};

} // namespace

void LimitAllocations(long count) { allocationsLeft = count; }

void LiftAllocationLimit() { allocationsLeft = -1; }

void* operator new(std::size_t size)
{
    long left = allocationsLeft.load();
    while (left >= 0 && !allocationsLeft.compare_exchange_weak(left, left - 1)) {
    }
    if (left == 0) {
        allocationsLeft = 0;
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept { std::free(memory); }

void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
