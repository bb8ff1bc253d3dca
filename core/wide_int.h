#pragma once

#include <cstdint>
#include <limits>

// 128-bit intermediates of the exact arithmetic: a product or sum of two 64-bit values always
// fits, and is checked against the 64-bit range before it is narrowed.
using Wide = __int128;
using UWide = unsigned __int128;

inline constexpr Wide kInt64Min = std::numeric_limits<int64_t>::min();
inline constexpr Wide kInt64Max = std::numeric_limits<int64_t>::max();

inline bool FitsInt64(Wide value) { return value >= kInt64Min && value <= kInt64Max; }

// |value| without overflow, also for the most negative value.
inline UWide Magnitude(Wide value) { return value < 0 ? UWide(0) - UWide(value) : UWide(value); }
