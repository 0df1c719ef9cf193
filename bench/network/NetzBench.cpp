// Times the teacher's work per scan (flags deleted, results read, rows built)
// for a class of 30 and 100 participants, and the row update of one message.
#include "learning/network/zl_netz.h"
#include "learning/network/zl_teilnehmerprotokoll.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace zl;

namespace {

Teilnehmerergebnis Ergebnis(const ErgebnisNamen& n, int i)
{
    Teilnehmerergebnis e;
    e.Schluessel = n.Datei;
    e.UebungsID = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZABCD");
    e.Rechner = QStringLiteral("PC%1").arg(i);
    e.Name = QStringLiteral("Schueler%1").arg(i);
    e.Start = 46366.4;
    e.FrageNr = 25;
    e.Richtig = 20;
    e.Falsch = 5;
    e.Quote = 80;
    e.Millisekunden = 120000;
    e.AntwortFolge = QString(25, u'+');
    return e;
}

void Scan(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    const QString verz = dir.path() + u'/';
    QList<ErgebnisNamen> namen;
    for (int i = 0; i < n; ++i)
        namen.append(NeueErgebnisNamen());
    TeilnehmerProtokoll p;
    p.NeuerKopf({}, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZABCD"), 50);
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < n; ++i)
            SchreibeErgebnisDateien(verz, namen[i], Ergebnis(namen[i], i));
        state.ResumeTiming();
        for (const Teilnehmerergebnis& e : LeseTeilnehmerErgebnisse(verz, true))
            p.Aktualisiere(e);
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(Scan)->Arg(30)->Arg(100)->Unit(benchmark::kMillisecond);

void Nachricht(benchmark::State& state)
{
    TeilnehmerProtokoll p;
    p.NeuerKopf({}, QStringLiteral("ID"), 50);
    QList<QString> texte;
    for (int i = 0; i < 100; ++i) {
        const ErgebnisNamen n = NeueErgebnisNamen();
        texte.append(ErgebnisText(Ergebnis(n, i)));
    }
    int i = 0;
    for (auto _ : state) {
        if (const auto e = LeseErgebnisText(texte[i++ % 100]))
            benchmark::DoNotOptimize(p.Aktualisiere(*e));
    }
}
BENCHMARK(Nachricht);

} // namespace

BENCHMARK_MAIN();
