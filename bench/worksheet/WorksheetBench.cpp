// Composing a 30-object worksheet at random ("Neu zufällig generieren") on a label file of
// 20,000 labels, about 2,900 of them on the current map; the goal is under 10 ms. Each repetition
// is one composition, numbering included. Then a page redraw on the bundled data with the map
// picture in the cache: the page recorded and played into the preview bitmap (goal under 30 ms).

#include "controls/Zufall.h"
#include "worksheet/ab_arbeitsblatt.h"
#include "worksheet/ab_data.h"
#include "worksheet/ab_seite.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <random>

namespace
{

using namespace zl;

QList<ObjDataTyp> Labels()
{
    static const char* typen[] = {"L", "LX", "IS", "H", "S", "G", "GB", "B", "I", "K"};
    std::mt19937 zufall(7);
    std::uniform_real_distribution<double> pos(0, 1);
    QList<ObjDataTyp> l;
    l.reserve(20000);
    for (int i = 0; i < 20000; ++i) {
        ObjDataTyp o;
        o.KartID = i % 7 == 0 ? QStringLiteral("EURO") : QStringLiteral("K%1").arg(i % 37);
        o.ObjTyp = QString::fromLatin1(typen[i % 10]);
        o.Px = pos(zufall);
        o.Py = pos(zufall);
        o.Bez = QStringLiteral("Ort Nummer %1").arg(i);
        o.dx = std::int8_t(int(zufall() % 7) - 3);
        o.dy = std::int8_t(int(zufall() % 7) - 3);
        o.Intens = 1 + i % 3;
        l.append(o);
    }
    return l;
}

void BM_GeneriereArbeitsblatt(benchmark::State& state)
{
    const QList<ObjDataTyp> objekte = Labels();
    ab::ArbeitsblattDataTyp a;
    a.KartID = QStringLiteral("EURO");
    a.Thema = int(state.range(0));
    a.Intens = 2;
    Zufall::SetRandSeed(1);
    int anzahl = 0;
    for (auto _ : state) {
        ab::GeneriereArbeitsblatt(a, objekte, 30);
        anzahl = a.Anzahl;
        benchmark::DoNotOptimize(a.Nummerierung);
    }
    state.counters["entries"] = anzahl;
}
BENCHMARK(BM_GeneriereArbeitsblatt)->Arg(5)->Arg(1)->Unit(benchmark::kMillisecond)->Repetitions(5);

// Record and preview of a 30-entry page of the map "FRA" with its solution numbers.
void BM_SeiteNeuZeichnen(benchmark::State& state)
{
    ab::ArbeitsblattDataTyp a;
    a.KartID = QStringLiteral("FRA");
    a.Thema = 5;
    a.Intens = 2;
    a.Aufgabe = int(state.range(0));
    a.Lsg = true;
    ab::GeneriereArbeitsblatt(a, ObjDaten, 30);
    const ab::ABVoreinstellungen v;
    ab::ZeichneArbeitsblatt(a, v, QStringLiteral("Frankreich")); // the cache is warm from here on
    for (auto _ : state) {
        const ab::TSeite s = ab::ZeichneArbeitsblatt(a, v, QStringLiteral("Frankreich"));
        QImage bild = ab::Seitenbild(*s.Metafile);
        TBitmap32 vorschau;
        vorschau.Assign(bild);
        benchmark::DoNotOptimize(vorschau.Bits());
    }
    state.counters["entries"] = a.Anzahl;
}
BENCHMARK(BM_SeiteNeuZeichnen)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond)->Repetitions(5);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QGuiApplication app(argc, argv);
    ab::DatenInitialisieren(QStringLiteral(ZL_FOLIAVO_DIR));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ab::DatenFreigeben();
    return 0;
}
