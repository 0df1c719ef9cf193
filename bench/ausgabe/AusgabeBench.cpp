// Export of the whole map section of a 2000 x 1500 picture with 400 labels (contrast text,
// and once without the halo) in each format, from decoding the large picture to the written
// file. The labels are every eleventh of the bundled label file (its names and kinds) at
// random places; a second set has a place name of 10-12 letters for every kind in turn, one
// in seven in spaced capitals. The baseline writes the finished pixels with QImage::save.
// The metafile runs report how far the file exceeds the bitmap's 24-bit pixel bytes.

#include "learning/mapview/zl_ausgabe.h"

#include "datastore/Objektdaten.h"
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

enum class Beschriftung { Atlas, Gemisch };

QList<ObjDataTyp> Beschriftungen(Beschriftung Art)
{
    std::mt19937 Zufall(11);
    std::uniform_real_distribution<double> Pos(0.02, 0.98);
    QList<ObjDataTyp> Objekte;
    QList<ObjDataTyp> Atlas;
    if (Art == Beschriftung::Atlas &&
        !LeseObjektdatei(QStringLiteral(ZL_ATLAS_DIR "ZL-Daten/") + kStandardObjDateiName, Atlas))
        qFatal("the bundled label file does not read");
    const char* Typen[] = {"L", "LX", "K", "UG", "IS", "H", "S", "S", "S", "G", "GB", "B", "I", "KD"};
    for (int i = 0; i < 400; ++i) {
        ObjDataTyp o;
        if (Art == Beschriftung::Atlas) {
            o = Atlas.at((i * 11) % Atlas.size());
        } else {
            o.ObjTyp = QLatin1String(Typen[i % 14]);
            o.Bez = o.ObjTyp == u"KD" ? QStringLiteral("1|00A0FF|0.2") : QStringLiteral("Ortsname %1").arg(i);
        }
        o.KartID = QStringLiteral("BEN");
        o.Px = Pos(Zufall);
        o.Py = Pos(Zufall);
        o.Intens = 1;
        Objekte.append(o);
    }
    return Objekte;
}

struct Umgebung {
    QTemporaryDir Dir;
    QList<ObjDataTyp> Atlas = Beschriftungen(Beschriftung::Atlas);
    QList<ObjDataTyp> Gemisch = Beschriftungen(Beschriftung::Gemisch);
    TKartenausgabe A;
    QImage Fertig;
    Umgebung()
    {
        fixtures::writeMinimalDataFolder(Dir.path(), {false});
        fixtures::writeTestJpeg(Dir.path() + QStringLiteral("/ZX-Karten/BEN-RS-1.jpg"), 2000, 1500,
                                QStringLiteral("RS"));
        DatenInitialisieren(Dir.path() + QLatin1Char('/'));
        A.KartID = QStringLiteral("BEN");
        A.Beschriftung.Objekte = &Atlas;
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

void Export(benchmark::State& State, const char* Name, int Kartenschrift = 0, Beschriftung Art = Beschriftung::Atlas)
{
    Umgebung& u = U();
    u.A.Beschriftung.Objekte = Art == Beschriftung::Atlas ? &u.Atlas : &u.Gemisch;
    u.A.Beschriftung.Kartenschrift = Kartenschrift;
    const QString D = u.Datei(Name);
    const TExportArt Ausgabe = ExportArtFuerName(D);
    QString Fehler;
    for (auto _ : State) {
        const bool Ok = Ausgabe == TExportArt::Metafile ? ExportiereMetafile(u.A, D, Fehler)
                                                        : ExportiereBitmap(u.A, D, Ausgabe == TExportArt::Jpeg, Fehler);
        if (!Ok)
            State.SkipWithError(Fehler.toUtf8().constData());
    }
    const qint64 Bytes = QFile(D).size();
    State.counters["Datei_KiB"] = double(Bytes) / 1024;
    if (Ausgabe == TExportArt::Metafile) {
        const qint64 Dib = qint64((u.Fertig.width() * 3 + 3) & ~3) * u.Fertig.height();
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
// Labels without the white halo; the halo goes into the picture, so the records stay alike.
BENCHMARK_CAPTURE(Export, emf_ohne_rand, "normal.emf", 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Export, emf_gemisch, "gemisch.emf", 0, Beschriftung::Gemisch)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Export, wmf_gemisch, "gemisch.wmf", 0, Beschriftung::Gemisch)->Unit(benchmark::kMillisecond);

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
