// Data store benchmarks, each against a plain reference in the same run:
//  - decoding a 4000 x 3000 baseline JPEG into a TBitmap32 vs. tjDecompress2;
//  - cutting and stretching a 1000 x 750 section from the cached picture vs. a
//    memcpy of the output bytes;
//  - reading and writing a 30,000-label file (lines per second).
#include "datastore/JpegDatei.h"
#include "datastore/Kartenbilder.h"
#include "datastore/Objektdaten.h"
#include "datastore/zl_data.h"
#include "fixtures/DataFolder.h"
#include "platform/MessageService.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#ifdef ZL_HAVE_TURBOJPEG
#include <turbojpeg.h>
#endif

namespace
{

constexpr int kBreite = 4000, kHoehe = 3000;
constexpr int kLabels = 30000;

struct Daten {
    QTemporaryDir dir;
    QString prog;
    QString bild;
    QByteArray jpeg;
    QString labels;

    Daten()
    {
        prog = dir.path() + QLatin1Char('/');
        zl::fixtures::writeMinimalDataFolder(prog, {.pictures = false});
        zl::DatenInitialisieren(prog);
        bild = zl::KartenVerz + QLatin1String("BIG-RS-1.jpg");
        jpeg = zl::KodiereJpeg(zl::fixtures::testPicture(kBreite, kHoehe, QStringLiteral("RS")), 85);
        zl::fixtures::writeBytes(bild, jpeg);

        QStringList zeilen{zl::kObjDateiKopf};
        for (int i = 0; i < kLabels; ++i)
            zeilen << QStringLiteral("K%1~%2~%3~%4~Beschriftung Nummer %5|zweite Zeile~%6~%7~%8~")
                          .arg(i % 97)
                          .arg(i % 3 ? QStringLiteral("S") : QStringLiteral("GB"))
                          .arg(i % 10000)
                          .arg((i * 7) % 10000)
                          .arg(i)
                          .arg(i % 7 - 3)
                          .arg(i % 5 - 2)
                          .arg(i % 4);
        labels = prog + QLatin1String("gross.zlk");
        zl::fixtures::writeTextFile(labels, zeilen);
    }
};

Daten& daten()
{
    static Daten d;
    return d;
}

void BM_JpegInTBitmap32(benchmark::State& state)
{
    const QByteArray& jpeg = daten().jpeg;
    zl::TBitmap32 bmp;
    for (auto _ : state) {
        zl::LadeJpegDaten(bmp, jpeg, QStringLiteral("bench"));
        benchmark::DoNotOptimize(bmp.Bits());
    }
    state.SetLabel("4000x3000 from memory");
}
BENCHMARK(BM_JpegInTBitmap32)->Unit(benchmark::kMillisecond);

#ifdef ZL_HAVE_TURBOJPEG
void BM_TjDecompress2(benchmark::State& state)
{
    const QByteArray& jpeg = daten().jpeg;
    std::vector<unsigned char> puffer(std::size_t(kBreite) * kHoehe * 4);
    tjhandle h = tjInitDecompress();
    for (auto _ : state) {
        tjDecompress2(h, reinterpret_cast<const unsigned char*>(jpeg.constData()),
                      static_cast<unsigned long>(jpeg.size()), puffer.data(), kBreite, 0, kHoehe, TJPF_BGRX,
                      TJFLAG_ACCURATEDCT);
        benchmark::DoNotOptimize(puffer.data());
    }
    tjDestroy(h);
    state.SetLabel("reference, same file, same DCT");
}
BENCHMARK(BM_TjDecompress2)->Unit(benchmark::kMillisecond);
#endif

void BM_JpegDateiInTBitmap32(benchmark::State& state)
{
    zl::TBitmap32 bmp;
    for (auto _ : state) {
        zl::LadeJpegDatei(bmp, daten().bild);
        benchmark::DoNotOptimize(bmp.Bits());
    }
    state.SetLabel("4000x3000 from the file");
}
BENCHMARK(BM_JpegDateiInTBitmap32)->Unit(benchmark::kMillisecond);

// The cut at zoom 1 stretches the whole 4000 x 3000 picture into 1000 x 750; at
// zoom 2 it takes the 2000 x 1500 middle.
void BM_Kartenausschnitt(benchmark::State& state)
{
    daten();
    const double zoom = state.range(0) / 10.0;
    QImage ziel;
    zl::TRect a;
    zl::LadeKartenausschnitt(ziel, 1000, 750, QStringLiteral("BIG"), QStringLiteral("RS"), zoom, 0, 0,
                             a); // decode once
    for (auto _ : state) {
        zl::LadeKartenausschnitt(ziel, 1000, 750, QStringLiteral("BIG"), QStringLiteral("RS"), zoom, 0, 0, a);
        benchmark::DoNotOptimize(ziel.constBits());
    }
    state.SetLabel(
        QStringLiteral("zoom %1, output %2x%3").arg(zoom).arg(ziel.width()).arg(ziel.height()).toStdString());
}
BENCHMARK(BM_Kartenausschnitt)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_MemcpyAusgabe(benchmark::State& state)
{
    std::vector<unsigned char> von(1000 * 750 * 4, 1), nach(1000 * 750 * 4);
    for (auto _ : state) {
        std::memcpy(nach.data(), von.data(), von.size());
        benchmark::DoNotOptimize(nach.data());
        benchmark::ClobberMemory();
    }
    state.SetLabel("reference: 1000x750x4 bytes");
}
BENCHMARK(BM_MemcpyAusgabe)->Unit(benchmark::kMillisecond);

void BM_ObjektdateiLesen(benchmark::State& state)
{
    const QString pfad = daten().labels;
    for (auto _ : state)
        zl::LeseObjektdatei(pfad);
    state.SetItemsProcessed(state.iterations() * (kLabels + 1));
    state.SetLabel("items = lines");
}
BENCHMARK(BM_ObjektdateiLesen)->Unit(benchmark::kMillisecond);

void BM_ObjektdateiSchreiben(benchmark::State& state)
{
    zl::LeseObjektdatei(daten().labels);
    const QString pfad = daten().prog + QLatin1String("aus.zlk");
    for (auto _ : state)
        zl::SchreibeObjektdatei(pfad);
    state.SetItemsProcessed(state.iterations() * (kLabels + 1));
    state.SetLabel("items = lines");
}
BENCHMARK(BM_ObjektdateiSchreiben)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    zl::RecordingMessageService boxen;
    zl::setMessageService(&boxen);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    zl::DatenFreigeben();
    return 0;
}
