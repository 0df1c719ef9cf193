#pragma once

#include <cstdint>
#include <functional>

// The program's one random generator: a 32-bit linear congruential sequence
// (seed := seed x 134775813 + 1 modulo 2^32). An exercise's seed fixes its
// whole question sequence, so nothing else may draw between seeding and the
// last question. Main thread only.
namespace zl::Zufall {

// A new random start: the seed from the clock, by default the UTC time of day
// in milliseconds since midnight.
void Randomize();
// A draw below n: the next seed times n, upper 32 bits of the 64-bit product.
// 0 for n <= 0 (the seed still moves on).
std::int32_t Random(std::int32_t n);
// The current seed, as the exercise protocol and the network file show it.
std::int32_t RandSeed();
void SetRandSeed(std::int32_t seed);

// Replaces the clock Randomize reads; an empty function restores the UTC time of day.
void SetUhr(std::function<std::uint32_t()> uhr);

// Keeps the seed while it lives and puts it back when it ends, so work that
// draws (a pre-generated answer key) leaves the running sequence as it was.
class RandSeedSicherung {
public:
    RandSeedSicherung() : seed_(RandSeed()) {}
    ~RandSeedSicherung() { SetRandSeed(seed_); }
    RandSeedSicherung(const RandSeedSicherung&) = delete;
    RandSeedSicherung& operator=(const RandSeedSicherung&) = delete;
    std::int32_t Gesichert() const { return seed_; }

private:
    std::int32_t seed_;
};

} // namespace zl::Zufall
