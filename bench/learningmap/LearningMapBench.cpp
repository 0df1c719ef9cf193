// One step of the learning map at a 1920 x 1080 window (picture box 1320 x 930): the plain
// section cut as the baseline, then the whole step (cut, 400 labels with halo out of 20,000
// in the file, frame, mini-map); zooming across the small/large threshold; and a repaint
// that only copies the cached picture. Each repetition is one step, so the aggregates are
// the median and p95 of single steps.

#include "learning/mapview/zl_lernkartenbild.h"

#include "datastore/Kartenbilder.h"
#include "datastore/zl_data.h"
#include "fixtures/DataFolder.h"

#include "bench/Einzelschritte.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <random>
#include <vector>

namespace
{

using namespace zl;

constexpr int kBoxW = 1320, kBoxH = 930;

struct Umgebung {
    QTemporaryDir Dir;
    QList<ObjDataTyp> Objekte;
    Umgebung()
    {
        fixtures::writeMinimalDataFolder(Dir.path(), {false});
        const QString Karten = Dir.path() + QStringLiteral("/ZX-Karten/");
        // A large picture of 3000 x 2250 and a small one of 1500 x 1125, as the shipped maps.
        fixtures::writeTestJpeg(Karten + QStringLiteral("BEN-RS-1.jpg"), 3000, 2250, QStringLiteral("RS"));
        fixtures::writeTestJpeg(Karten + QStringLiteral("BEN-RS-5.jpg"), 1500, 1125, QStringLiteral("RS"));
        fixtures::writeTestJpeg(Karten + QStringLiteral("klein/BEN-RS-K.jpg"), 200, 150, QStringLiteral("RS"));
        DatenInitialisieren(Dir.path() + QLatin1Char('/'));
        std::mt19937 Zufall(7);
        std::uniform_real_distribution<double> Pos(0.0, 1.0);
        const char* Typen[] = {"L", "LX", "K", "UG", "IS", "H", "S", "S", "S", "G", "GB", "B", "I", "KD"};
        for (int i = 0; i < 20000; ++i) {
            ObjDataTyp o;
            o.KartID = (i % 50 == 0) ? QStringLiteral("BEN") : QStringLiteral("M%1").arg(i % 97);
            o.ObjTyp = QLatin1String(Typen[i % 14]);
            o.Px = Pos(Zufall);
            o.Py = Pos(Zufall);
            o.Bez = o.ObjTyp == u"KD" ? QStringLiteral("1|00A0FF|0.2")
                                      : (i % 7 == 0 ? QStringLiteral("Nord-|rhein Stadt %1").arg(i)
                                                    : QStringLiteral("Ortsname %1").arg(i));
            o.dx = std::int8_t(i % 7 - 3);
            o.dy = std::int8_t(i % 5 - 2);
            o.Intens = 1 + i % 3;
            Objekte.append(o);
        }
    }
    TLernkartenEingabe Eingabe(int W = kBoxW, int H = kBoxH) const
    {
        TLernkartenEingabe E;
        E.BoxBreite = W;
        E.BoxHoehe = H;
        E.KartID = QStringLiteral("BEN");
        E.KartTyp = QStringLiteral("RS");
        E.Beschriftung.Objekte = &Objekte;
        E.Beschriftung.AktKartID = E.KartID;
        E.Beschriftung.LernIntensitaet = 3;
        E.Beschriftung.Kartenschrift = 0; // contrast: nine draws per line
        E.MiniBreite = 240;
        E.MiniHoehe = 160;
        return E;
    }
};

Umgebung& U()
{
    static Umgebung u;
    return u;
}

void ZoomStufen(TViewport& V, int n)
{
    // 125 % <-> 150 %: both large pictures at this box, so no decode in between.
    V.SetzeZoomStufe(1 + n % 2);
    V.SetzeAnker(n % 3 - 1, 0);
}

void BM_SectionCutOnly(benchmark::State& state)
{
    TViewport V;
    QImage Ziel;
    TRect A;
    int n = 0;
    LadeKartenausschnitt(Ziel, kBoxW, kBoxH, QStringLiteral("BEN"), QStringLiteral("RS"), 1.25, 0, 0, A);
    for (auto _ : state) {
        ZoomStufen(V, n++);
        LadeKartenausschnitt(Ziel, kBoxW, kBoxH, QStringLiteral("BEN"), QStringLiteral("RS"), V.ZoomFaktor,
                             V.ScrollAnkerX, V.ScrollAnkerY, A);
        benchmark::DoNotOptimize(Ziel.constBits());
    }
}

void BM_ZoomOrScrollStep(benchmark::State& state)
{
    static TLernkartenBild B;
    TViewport V;
    const TLernkartenEingabe E = U().Eingabe();
    static int n = 0;
    B.Zeichne(E, V);
    for (auto _ : state) {
        ZoomStufen(V, n++);
        B.Zeichne(E, V);
        benchmark::DoNotOptimize(B.Bild().constBits());
    }
}

void BM_ZoomAcrossResolutionThreshold(benchmark::State& state)
{
    // 800 x 600: the small picture at 100 %, the large one at 125 %.
    static TLernkartenBild B;
    TViewport V;
    const TLernkartenEingabe E = U().Eingabe(800, 600);
    static int n = 0;
    B.Zeichne(E, V);
    const TBitmap32* Klein = KartenCache.get();
    V.SetzeZoomStufe(1);
    B.Zeichne(E, V);
    const TBitmap32* Gross = KartenCache.get();
    int Decodes = 0;
    for (auto _ : state) {
        V.SetzeZoomStufe(n++ % 2);
        B.Zeichne(E, V);
        // A decode puts a new bitmap into the cache; the two kept pictures only change places.
        if (KartenCache.get() != Klein && KartenCache.get() != Gross)
            ++Decodes;
        benchmark::DoNotOptimize(B.Bild().constBits());
    }
    state.counters["decodes"] = Decodes;
}

void BM_RepaintCachedPicture(benchmark::State& state)
{
    static TLernkartenBild B;
    TViewport V;
    B.Zeichne(U().Eingabe(), V);
    static QImage Bildschirm(kBoxW + 24, kBoxH + 24, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&Bildschirm);
        p.drawImage(12, 12, B.Bild());
        p.end();
        benchmark::DoNotOptimize(Bildschirm.constBits());
    }
}

using zl::bench::Einzelschritte;

BENCHMARK(BM_SectionCutOnly)->Apply(Einzelschritte);
BENCHMARK(BM_ZoomOrScrollStep)->Apply(Einzelschritte);
BENCHMARK(BM_ZoomAcrossResolutionThreshold)->Iterations(40)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintCachedPicture)->Apply(Einzelschritte);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    U();
    zl::bench::Initialisiere(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    DatenFreigeben();
    return 0;
}
