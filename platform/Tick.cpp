#include "platform/Tick.h"

#include <chrono>
#include <thread>

namespace zl {
namespace {
const auto g_start = std::chrono::steady_clock::now();
}

std::uint32_t TickCount()
{
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - g_start);
    return static_cast<std::uint32_t>(ms.count());
}

void SleepMs(std::uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

std::uint32_t UtcMillisecondsOfDay()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    return static_cast<std::uint32_t>(ms % 86400000);
}

} // namespace zl
