// One tile move of a 5 x 5 puzzle in the board box of a 1920 x 1080 window
// (1870 x 993): the engine alone, the move with the view's repaint of the two
// cells (offscreen), and the whole board built afresh as after a resize. Each
// repetition is one step, so the aggregates are the median and p95 of single steps.

#include "controls/Zufall.h"
#include "learning/tools/widgets/zl_schiebansicht.h"

#include "bench/Einzelschritte.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace
{

using namespace zl;

constexpr int kBoxB = 1870, kBoxH = 993;

struct Umgebung {
    QWidget Fenster;
    TSchiebImg* Bild;
    TSchiebepuzzle Puzzle;
    int Hin[2] = {0, 0}; // the cell to click next
    Umgebung()
    {
        Fenster.resize(1920, 1080);
        Bild = new TSchiebImg(&Fenster);
        Bild->setGeometry(25, 57, kBoxB, kBoxH);
        Bild->Puzzle = &Puzzle;
        Puzzle.Zielbild = Bild;
        // A small map picture as the program uses (1500 x 1125), with some detail.
        QImage karte(1500, 1125, QImage::Format_RGB32);
        for (int y = 0; y < karte.height(); ++y) {
            auto* z = reinterpret_cast<QRgb*>(karte.scanLine(y));
            for (int x = 0; x < karte.width(); ++x)
                z[x] = qRgb(x * 255 / 1500, y * 255 / 1125, (x ^ y) & 0xFF);
        }
        Fenster.show();
        QApplication::processEvents();
        Puzzle.NeuesSpiel(karte, 5, 5);
        Zufall::SetRandSeed(2026);
        Puzzle.Mischen();
        NaechsterNachbar();
        QApplication::processEvents();
    }
    void NaechsterNachbar()
    {
        Hin[0] = Puzzle.LeerSpalte > 0 ? Puzzle.LeerSpalte - 1 : Puzzle.LeerSpalte + 1;
        Hin[1] = Puzzle.LeerZeile;
    }
    // Moves a tile beside the hole; the next move takes it back.
    void Zug()
    {
        const int alt[2] = {Puzzle.LeerSpalte, Puzzle.LeerZeile};
        Puzzle.Klick(Hin[0] * Puzzle.TeilBreite + 3, Hin[1] * Puzzle.TeilHoehe + 3, true);
        if (Puzzle.AnzahlFalscheTeile() == 0) {
            Puzzle.Mischen();
            NaechsterNachbar();
            return;
        }
        Hin[0] = alt[0];
        Hin[1] = alt[1];
    }
};

// Made and destroyed in main while the QApplication lives: its widgets must not
// outlive the application.
std::unique_ptr<Umgebung> Aufbau;

Umgebung& U()
{
    return *Aufbau;
}

void BM_TileMoveEngineOnly(benchmark::State& state)
{
    Umgebung& u = U();
    u.Puzzle.Zielbild = nullptr;
    for (auto _ : state)
        u.Zug();
    u.Puzzle.Zielbild = u.Bild;
}

void BM_TileMoveRedrawn(benchmark::State& state)
{
    Umgebung& u = U();
    for (auto _ : state) {
        u.Zug();
        QApplication::processEvents();
    }
}

void BM_WholeBoardAfterResize(benchmark::State& state)
{
    Umgebung& u = U();
    for (auto _ : state) {
        u.Puzzle.NeuAufbauen();
        QApplication::processEvents();
    }
}

void Einzelschritte(benchmark::internal::Benchmark* b)
{
    zl::bench::Schrittmessung(b, 300);
}

BENCHMARK(BM_TileMoveEngineOnly)->Apply(Einzelschritte);
BENCHMARK(BM_TileMoveRedrawn)->Apply(Einzelschritte);
BENCHMARK(BM_WholeBoardAfterResize)->Apply(Einzelschritte);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Aufbau = std::make_unique<Umgebung>();
    zl::bench::Initialisiere(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Aufbau.reset();
    return 0;
}
