#pragma once

#include <cstdint>

// The program's one random generator: a 32-bit linear congruential sequence
// (seed := seed x 134775813 + 1 modulo 2^32). An exercise's seed fixes its
// whole question sequence, so nothing else may draw between seeding and the
// last question. Main thread only.
namespace zl::Zufall {

// A new random start: the seed from the UTC time of day in milliseconds.
void Randomize();
// A draw below n: the next seed times n, upper 32 bits of the 64-bit product.
// 0 for n <= 0 (the seed still moves on).
std::int32_t Random(std::int32_t n);
// The current seed, as the exercise protocol and the network file show it.
std::int32_t RandSeed();
void SetRandSeed(std::int32_t seed);

} // namespace zl::Zufall
