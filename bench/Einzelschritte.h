#pragma once

// Timing of single steps: one iteration per repetition, reported in milliseconds
// as mean, median, spread and 95th percentile.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace zl::bench
{

inline double P95(const std::vector<double>& v)
{
    std::vector<double> s = v;
    std::sort(s.begin(), s.end());
    return s.empty() ? 0 : s[std::min(s.size() - 1, std::size_t(0.95 * double(s.size())))];
}

inline void Schrittmessung(benchmark::internal::Benchmark* b, int Wiederholungen)
{
    b->Iterations(1)->Repetitions(Wiederholungen)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
    b->ComputeStatistics("p95", P95);
}

// 200 single steps.
inline void Einzelschritte(benchmark::internal::Benchmark* b)
{
    Schrittmessung(b, 200);
}

} // namespace zl::bench
