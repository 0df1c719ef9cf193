// Export of the whole map section of a 2000 x 1500 picture with 400 labels (contrast text,
// and once without the halo) in each format, from decoding the large picture to the written file. The baseline writes
// the finished pixels with QImage::save. The EMF run reports how far the file exceeds the
// bitmap's 24-bit pixel bytes.

#include "learning/mainwindow/zl_ausgabe.h"

#include "datastore/zl_data.h"
#include "fixtures/DataFolder.h"
#include "platform/MetafileWriter.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <random>

namespace
{

using namespace zl;

struct Umgebung {
    QTemporaryDir Dir;
    QList<ObjDataTyp> Objekte;
    TKartenausgabe A;
    QImage Fertig;
    Umgebung()
    {
        fixtures::writeMinimalDataFolder(Dir.path(), {false});
        fixtures::writeTestJpeg(Dir.path() + QStringLiteral("/ZX-Karten/BEN-RS-1.jpg"), 2000, 1500,
                                QStringLiteral("RS"));
        DatenInitialisieren(Dir.path() + QLatin1Char('/'));
        std::mt19937 Zufall(11);
        std::uniform_real_distribution<double> Pos(0.02, 0.98);
        const char* Typen[] = {"L", "LX", "K", "UG", "IS", "H", "S", "S", "S", "G", "GB", "B", "I", "KD"};
        for (int i = 0; i < 400; ++i) {
            ObjDataTyp o;
            o.KartID = QStringLiteral("BEN");
            o.ObjTyp = QLatin1String(Typen[i % 14]);
            o.Px = Pos(Zufall);
            o.Py = Pos(Zufall);
            o.Bez = o.ObjTyp == u"KD" ? QStringLiteral("1|00A0FF|0.2") : QStringLiteral("Ortsname %1").arg(i);
            o.Intens = 1;
            Objekte.append(o);
        }
        A.KartID = QStringLiteral("BEN");
        A.Beschriftung.Objekte = &Objekte;
        A.Beschriftung.AktKartID = A.KartID;
        A.Beschriftung.LernIntensitaet = 3;
        Fertig = ZeichneKartenbild(A);
    }
    QString Datei(const char* Name) const { return Dir.filePath(QString::fromLatin1(Name)); }
};

Umgebung& U()
{
    static Umgebung u;
    return u;
}

void Grundlinie(benchmark::State& State, const char* Name, const char* Format, int Qualitaet)
{
    for (auto _ : State)
        benchmark::DoNotOptimize(U().Fertig.save(U().Datei(Name), Format, Qualitaet));
}

void Export(benchmark::State& State, const char* Name, int Kartenschrift = 0)
{
    U().A.Beschriftung.Kartenschrift = Kartenschrift;
    const QString D = U().Datei(Name);
    const TExportArt Art = ExportArtFuerName(D);
    QString Fehler;
    for (auto _ : State) {
        const bool Ok = Art == TExportArt::Metafile ? ExportiereMetafile(U().A, D, Fehler)
                                                    : ExportiereBitmap(U().A, D, Art == TExportArt::Jpeg, Fehler);
        if (!Ok)
            State.SkipWithError(Fehler.toUtf8().constData());
    }
    const qint64 Bytes = QFile(D).size();
    State.counters["Datei_KiB"] = double(Bytes) / 1024;
    if (Art == TExportArt::Metafile) {
        const qint64 Dib = qint64((U().Fertig.width() * 3 + 3) & ~3) * U().Fertig.height();
        State.counters["Saetze_KiB"] = double(Bytes - Dib) / 1024;
    }
}

// The metafile's two steps on their own: drawing into the recorder, and the EMF writer.
void Aufnahme(benchmark::State& State)
{
    for (auto _ : State)
        benchmark::DoNotOptimize(NimmKartenausschnittAuf(U().A));
}

void EmfSchreiber(benchmark::State& State)
{
    const TMetafilePtr Mf = NimmKartenausschnittAuf(U().A);
    for (auto _ : State)
        benchmark::DoNotOptimize(SchreibeEmf(*Mf));
    State.counters["Datensaetze"] = double(Mf->Datensaetze().size());
}

BENCHMARK(Aufnahme)->Unit(benchmark::kMillisecond);
BENCHMARK(EmfSchreiber)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Grundlinie, bmp, "basis.bmp", "BMP", -1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Grundlinie, jpeg99, "basis.jpg", "JPG", 99)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Export, bmp, "karte.bmp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Export, jpeg, "karte.jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Export, emf, "karte.emf")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Export, wmf, "karte.wmf")->Unit(benchmark::kMillisecond);
// Labels without the white halo: one text record per line instead of nine.
BENCHMARK_CAPTURE(Export, emf_ohne_rand, "normal.emf", 1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
