// A search over 20,000 labels (goal: under 5 ms), against the baseline of one
// plain pass over the texts that only looks for the term.
#include "learning/tools/zl_suchmodell.h"

#include <benchmark/benchmark.h>

namespace
{

using namespace zl;

QList<ObjDataTyp> Tabelle(int n)
{
    static const char* Silben[] = {"Ber",  "lin", "São",  "Pau",  "lo",  "Rio", "de", "Ja",  "nei", "ro",
                                   "Köln", "Mün", "chen", "Nord", "see", "Gol", "f",  "Bis", "ka",  "ya"};
    QList<ObjDataTyp> t;
    t.reserve(n);
    for (int i = 0; i < n; ++i) {
        ObjDataTyp o;
        o.KartID = QStringLiteral("K%1").arg(i % 40);
        o.ObjTyp = QStringLiteral("S");
        QString b;
        for (int k = 0; k < 3 + i % 3; ++k)
            b += QString::fromUtf8(Silben[(i * 7 + k * 3) % 20]);
        if (i % 5 == 0)
            b.insert(b.size() / 2, QStringLiteral("-|"));
        if (i % 11 == 0)
            b += QStringLiteral(" de la Sierra");
        o.Bez = b;
        t.append(o);
    }
    return t;
}

const QList<ObjDataTyp>& Labels()
{
    static const QList<ObjDataTyp> t = Tabelle(20000);
    return t;
}

// The search as the program runs it: the index is built at the first search.
void BM_Suche(benchmark::State& state)
{
    TSuchIndex Index;
    const TSuchOptionen Opt{state.range(0) == 1, false, QString()};
    Index.Suche(Labels(), QStringLiteral("x"), Opt);
    for (auto _ : state)
        benchmark::DoNotOptimize(Index.Suche(Labels(), QStringLiteral("sierra"), Opt));
}
BENCHMARK(BM_Suche)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The first search after the label table changed (the comparison texts are rebuilt).
void BM_SucheNachAenderung(benchmark::State& state)
{
    for (auto _ : state) {
        TSuchIndex Index;
        benchmark::DoNotOptimize(Index.Suche(Labels(), QStringLiteral("sierra"), {}));
    }
}
BENCHMARK(BM_SucheNachAenderung)->Unit(benchmark::kMillisecond);

// Baseline: one plain pass over the raw texts.
void BM_EinfacherDurchlauf(benchmark::State& state)
{
    const QString T = QStringLiteral("Sierra");
    for (auto _ : state) {
        int n = 0;
        for (const ObjDataTyp& o : Labels())
            n += o.Bez.contains(T);
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_EinfacherDurchlauf)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
