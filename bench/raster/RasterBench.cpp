// Raster library timings beside their references, measured in the same run. The process is
// pinned to one processor so Qt's scaling threads cannot make it look faster than one thread.
#include "raster/Rast32_Blend.h"
#include "raster/Rast32_Transforms.h"

#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <iostream>
#include <map>
#include <random>
#include <sched.h>
#include <vector>

using namespace zl;

namespace
{

void fillPattern(TBitmap32& b, std::uint32_t seed, int alphaKind)
{
    std::mt19937 rng(seed);
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            TColor32 c = rng();
            if (alphaKind == 0)
                c |= 0xFF000000u;
            else if (alphaKind == 1)
                c &= 0x00FFFFFFu;
            b.SetPixel(x, y, c);
        }
}

// ---- same-size copies and clears

void BM_TransferBlock(benchmark::State& st, int w, int h)
{
    TBitmap32 src, dst;
    src.SetDimensions(w, h);
    dst.SetDimensions(w, h);
    fillPattern(src, 1, 0);
    for (auto _ : st) {
        TransferScaled(&dst, dst.BoundsRect(), dst.BoundsRect(), &src, src.BoundsRect(), sfLinear, dmOpaque, {});
        benchmark::DoNotOptimize(dst.Bits());
        benchmark::ClobberMemory();
    }
    st.SetBytesProcessed(std::int64_t(st.iterations()) * w * h * 4);
}

void BM_Memcpy(benchmark::State& st, int w, int h)
{
    const std::size_t n = std::size_t(w) * std::size_t(h);
    std::vector<TColor32> a(n, 1), b(n);
    for (auto _ : st) {
        std::memcpy(b.data(), a.data(), n * 4);
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
    }
    st.SetBytesProcessed(std::int64_t(st.iterations()) * std::int64_t(n) * 4);
}

void BM_Clear(benchmark::State& st, int w, int h)
{
    TBitmap32 b;
    b.SetDimensions(w, h);
    for (auto _ : st) {
        b.Clear(0xFF123456u);
        benchmark::DoNotOptimize(b.Bits());
        benchmark::ClobberMemory();
    }
    st.SetBytesProcessed(std::int64_t(st.iterations()) * w * h * 4);
}

void BM_StdFill(benchmark::State& st, int w, int h)
{
    const std::size_t n = std::size_t(w) * std::size_t(h);
    std::vector<TColor32> a(n);
    for (auto _ : st) {
        std::fill(a.begin(), a.end(), 0xFF123456u);
        benchmark::DoNotOptimize(a.data());
        benchmark::ClobberMemory();
    }
    st.SetBytesProcessed(std::int64_t(st.iterations()) * std::int64_t(n) * 4);
}

// ---- scaling: ns per destination pixel

void perDestPixel(benchmark::State& st, std::int64_t pixels)
{
    st.counters["ns_per_dst_px"] =
        benchmark::Counter(double(pixels), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Scale(benchmark::State& st, int sw, int sh, int dw, int dh, TStretchFilter filter)
{
    TBitmap32 src, dst;
    src.SetDimensions(sw, sh);
    fillPattern(src, 2, 0);
    dst.SetDimensions(dw, dh);
    for (auto _ : st) {
        TransferScaled(&dst, dst.BoundsRect(), dst.BoundsRect(), &src, src.BoundsRect(), filter, dmOpaque, {});
        benchmark::DoNotOptimize(dst.Bits());
        benchmark::ClobberMemory();
    }
    perDestPixel(st, std::int64_t(dw) * dh);
}

void BM_QtSmooth(benchmark::State& st, int sw, int sh, int dw, int dh)
{
    TBitmap32 src;
    src.SetDimensions(sw, sh);
    fillPattern(src, 2, 0);
    const QImage img = src.ImageViewRGB32();
    for (auto _ : st) {
        QImage out = img.scaled(dw, dh, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(out.constBits());
    }
    perDestPixel(st, std::int64_t(dw) * dh);
}

// ---- row blending, bytes of destination per second

void BM_Rows(benchmark::State& st, bool merge, int alphaKind)
{
    TBitmap32 src, dst, fresh;
    src.SetDimensions(1920, 1080);
    fresh.SetDimensions(1920, 1080);
    fillPattern(src, 3, alphaKind);
    fillPattern(fresh, 4, 2);
    dst.Assign(&fresh);
    const TBlendRow row = merge ? MergeRow : BlendRow;
    for (auto _ : st) {
        for (int y = 0; y < 1080; ++y)
            row(src.RowPointer(y), dst.RowPointer(y), 1920);
        benchmark::DoNotOptimize(dst.Bits());
        benchmark::ClobberMemory();
    }
    st.SetBytesProcessed(std::int64_t(st.iterations()) * 1920 * 1080 * 4);
}

// Prints, after the normal table, each measurement's time over its reference's.
class RatioReporter : public benchmark::ConsoleReporter
{
  public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration && !r.error_occurred)
                m_time[r.benchmark_name()] = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::cout << "\nRatios (time / reference time, lower is better):\n";
        for (const auto& [name, ref] : m_pairs) {
            const auto a = m_time.find(name), b = m_time.find(ref);
            if (a != m_time.end() && b != m_time.end() && b->second > 0)
                std::cout << "  " << name << "  /  " << ref << "  =  " << a->second / b->second << "\n";
        }
    }
    void Pair(const std::string& name, const std::string& ref) { m_pairs.emplace_back(name, ref); }

  private:
    std::map<std::string, double> m_time;
    std::vector<std::pair<std::string, std::string>> m_pairs;
};

std::string args(std::initializer_list<long> v)
{
    // "1001x1625" or "1001x1625->540x877"
    std::vector<long> a(v);
    std::string s = std::to_string(a[0]) + "x" + std::to_string(a[1]);
    if (a.size() == 4)
        s += "->" + std::to_string(a[2]) + "x" + std::to_string(a[3]);
    return s;
}

} // namespace

int main(int argc, char** argv)
{
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(sched_getcpu() >= 0 ? sched_getcpu() : 0, &one);
    sched_setaffinity(0, sizeof(one), &one);
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QGuiApplication app(argc, argv);

    RatioReporter reporter;
    const std::vector<std::pair<int, int>> blockSizes = {{1920, 1080}, {1001, 1625}};
    for (auto [w, h] : blockSizes) {
        const std::string a = args({w, h});
        benchmark::RegisterBenchmark(("TransferBlock/" + a).c_str(), BM_TransferBlock, w, h);
        benchmark::RegisterBenchmark(("memcpy/" + a).c_str(), BM_Memcpy, w, h);
        benchmark::RegisterBenchmark(("Clear/" + a).c_str(), BM_Clear, w, h);
        benchmark::RegisterBenchmark(("std_fill/" + a).c_str(), BM_StdFill, w, h);
        reporter.Pair("TransferBlock/" + a, "memcpy/" + a);
        reporter.Pair("Clear/" + a, "std_fill/" + a);
    }
    struct ScaleCase {
        int sw, sh, dw, dh;
    };
    const ScaleCase linearCases[] = {{1001, 1625, 540, 877}, {1001, 1625, 1460, 2372}};
    for (const ScaleCase& c : linearCases) {
        const std::string a = args({c.sw, c.sh, c.dw, c.dh});
        benchmark::RegisterBenchmark(("sfLinear/" + a).c_str(), BM_Scale, c.sw, c.sh, c.dw, c.dh, sfLinear)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("QtSmooth/" + a).c_str(), BM_QtSmooth, c.sw, c.sh, c.dw, c.dh)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        reporter.Pair("sfLinear/" + a + "/real_time", "QtSmooth/" + a + "/real_time");
    }
    const char* names[] = {"sfNearest", "sfDraft", "sfLinear", "sfCosine", "sfSpline", "sfLanczos", "sfMitchell"};
    for (auto [dw, dh] : {std::pair{1000, 750}, std::pair{4000, 3000}}) {
        const std::string a = args({2000, 1500, dw, dh});
        benchmark::RegisterBenchmark(("QtSmooth/" + a).c_str(), BM_QtSmooth, 2000, 1500, dw, dh)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        for (int f = sfNearest; f <= sfMitchell; ++f) {
            const std::string n = std::string(names[f]) + "/" + a;
            benchmark::RegisterBenchmark(n.c_str(), BM_Scale, 2000, 1500, dw, dh, TStretchFilter(f))
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
            reporter.Pair(n + "/real_time", "QtSmooth/" + a + "/real_time");
        }
    }
    const char* alphas[] = {"opaque", "transparent", "mixed"};
    for (int merge = 0; merge <= 1; ++merge)
        for (int a = 0; a <= 2; ++a) {
            const std::string n = std::string(merge ? "MergeRow/" : "BlendRow/") + alphas[a] + "/1920x1080";
            benchmark::RegisterBenchmark(n.c_str(), BM_Rows, merge != 0, a);
            reporter.Pair(n, "memcpy/1920x1080");
        }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
