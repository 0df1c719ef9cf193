#include "controls/Zufall.h"

#include "platform/Tick.h"

#include <utility>

namespace zl::Zufall {
namespace {
std::uint32_t g_seed = 0;
std::function<std::uint32_t()> g_uhr;
}

void Randomize() { g_seed = g_uhr ? g_uhr() : UtcMillisecondsOfDay(); }

std::int32_t Random(std::int32_t n)
{
    g_seed = g_seed * 134775813u + 1u;
    if (n <= 0)
        return 0;
    return static_cast<std::int32_t>((std::uint64_t(g_seed) * std::uint32_t(n)) >> 32);
}

std::int32_t RandSeed() { return static_cast<std::int32_t>(g_seed); }

void SetRandSeed(std::int32_t seed) { g_seed = static_cast<std::uint32_t>(seed); }

void SetUhr(std::function<std::uint32_t()> uhr) { g_uhr = std::move(uhr); }

} // namespace zl::Zufall
