#pragma once

// Timing of single steps: one iteration per repetition, reported in milliseconds
// as mean, median, spread and 95th percentile.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace zl::bench
{

inline double P95(const std::vector<double>& v)
{
    std::vector<double> s = v;
    std::sort(s.begin(), s.end());
    return s.empty() ? 0 : s[std::min(s.size() - 1, std::size_t(0.95 * double(s.size())))];
}

// Every benchmark set up by Schrittmessung, so that Initialisiere can change its count.
inline std::vector<benchmark::internal::Benchmark*>& Schrittbenchmarks()
{
    static std::vector<benchmark::internal::Benchmark*> alle;
    return alle;
}

inline void Schrittmessung(benchmark::internal::Benchmark* b, int Wiederholungen)
{
    b->Iterations(1)->Repetitions(Wiederholungen)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
    b->ComputeStatistics("p95", P95);
    Schrittbenchmarks().push_back(b);
}

// 200 single steps.
inline void Einzelschritte(benchmark::internal::Benchmark* b)
{
    Schrittmessung(b, 200);
}

// benchmark::Initialize, except that --benchmark_repetitions=N also holds for the
// single-step benchmarks, whose own count would otherwise win: a short run (as the
// tests make) is --benchmark_min_time=0 --benchmark_repetitions=1.
inline void Initialisiere(int* argc, char** argv)
{
    constexpr std::string_view kSchalter = "--benchmark_repetitions=";
    for (int i = 1; i < *argc; ++i) {
        const std::string_view a = argv[i];
        if (!a.starts_with(kSchalter))
            continue;
        const int n = std::atoi(a.data() + kSchalter.size());
        if (n > 0)
            for (benchmark::internal::Benchmark* b : Schrittbenchmarks())
                b->Repetitions(n);
    }
    benchmark::Initialize(argc, argv);
}

} // namespace zl::bench
