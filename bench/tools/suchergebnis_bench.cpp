// Filling the search result window with n hits: the grid must grow in one step,
// so a search that finds thousands of labels still opens at once.
#include "datastore/Objektdaten.h"
#include "learning/tools/widgets/zl_suchergebnis.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace
{

using namespace zl;

void BM_ErgebnisFuellen(benchmark::State& state)
{
    const int n = int(state.range(0));
    ObjDaten.clear();
    for (int i = 0; i < n; ++i)
        ObjDaten.append(
            {QStringLiteral("EUR"), QStringLiteral("S"), 0.5, 0.5, QStringLiteral("Ort %1").arg(i), 0, 0, 1});
    QList<int> Treffer;
    for (int i = 0; i < n; ++i)
        Treffer.append(i);
    TSuchErgForm f;
    for (auto _ : state) {
        f.LeereErgebnis(ObjDaten);
        f.FuegeHinzu(Treffer);
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_ErgebnisFuellen)->Arg(500)->Arg(4000)->Unit(benchmark::kMillisecond)->Complexity();

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
