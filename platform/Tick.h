#pragma once

#include <cstdint>

namespace zl {

// Milliseconds since program start on a steady clock; wraps after 49.7 days,
// so compare elapsed times as unsigned differences.
std::uint32_t TickCount();

// Sleeps the calling thread.
void SleepMs(std::uint32_t ms);

// UTC time of day in milliseconds since midnight (the random generator's seed).
std::uint32_t UtcMillisecondsOfDay();

} // namespace zl
