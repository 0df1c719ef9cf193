// Exercise engine benchmarks on a generated table of 20,000 labels (41 maps)
// and 250 country rows, against a plain pass over the label table:
//  - pre-generating a 50-question exercise (answer key), pictures not decoded;
//  - the failure path: all 420 attempts of a question that cannot be made
//    (no objects, no country rows, objects too close together).
#include "datastore/zl_data.h"
#include "learning/exercise/zl_uebung.h"
#include "platform/MessageService.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace {

using namespace zl;

constexpr int kLabels = 20000;
constexpr int kLaender = 250;
const QString kKarte = QStringLiteral("BENCH");

void Tabellen()
{
    LaenderDaten.clear();
    ObjDaten.clear();
    KartenDaten.clear();
    KartenVerz = QStringLiteral("/nicht/da/ZX-Karten/");
    FlaggenVerz = QStringLiteral("/nicht/da/ZL-Flaggen/");
    ObjDatei = QStringLiteral("bench.zlk");
    for (int r = 0; r < kLaender; ++r) {
        laenderdatatyp l;
        l.Name = QStringLiteral("Land %1").arg(r);
        l.Gebiet = 10 * (r % 7 + 1);
        l.Einwohner = 1000.0 * (r + 1) * (r + 3);
        l.Flaeche = 500.0 * (r + 2);
        l.Dichte = l.Einwohner / l.Flaeche;
        l.Hauptstadt = QStringLiteral("Hauptstadt %1").arg(r);
        l.Flagge = QStringLiteral("flagge%1.jpg").arg(r);
        LaenderDaten.append(l);
    }
    KartenDaten.append({kKarte, QStringLiteral("Benchmark-Welt"), 0});
    for (int m = 0; m < 40; ++m)
        KartenDaten.append({QStringLiteral("K%1").arg(m), QStringLiteral("Karte %1").arg(m), 0});
    static const char* const typen[] = {"L", "S", "H", "G", "B", "GB", "I", "IS", "LX", "K"};
    for (int i = 0; i < kLabels; ++i) {
        ObjDataTyp o;
        const int m = i % 41;
        o.KartID = m == 0 ? kKarte : QStringLiteral("K%1").arg(m - 1);
        o.ObjTyp = QString::fromLatin1(typen[(i / 41) % 10]);
        // Countries and capitals by name on the exercise map, so the picture lookup finds them.
        if (m == 0 && o.ObjTyp == QLatin1String("L"))
            o.Bez = QStringLiteral("Land %1").arg((i / 410) % kLaender);
        else if (m == 0 && o.ObjTyp == QLatin1String("S"))
            o.Bez = QStringLiteral("Hauptstadt %1").arg((i / 410) % kLaender);
        else if (i % 16 == 0) // about as many with markup as in the atlas
            o.Bez = QStringLiteral("Objekt-|name %1").arg(i);
        else
            o.Bez = QStringLiteral("Objektname %1").arg(i);
        o.Px = ((i * 7919) % 10000) / 10000.0;
        o.Py = ((i * 104729) % 10000) / 10000.0;
        o.Intens = 1 + i % 3;
        ObjDaten.append(o);
    }
}

// The baseline: one plain pass over the label table.
void BM_LabelPass(benchmark::State& state)
{
    Tabellen();
    for (auto _ : state) {
        int n = 0;
        for (const ObjDataTyp& o : ObjDaten)
            n += o.KartID == kKarte && o.Intens <= 3 && !o.Bez.isEmpty();
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_LabelPass)->Unit(benchmark::kMillisecond);

void BM_Pregenerate50(benchmark::State& state)
{
    Tabellen();
    Uebungszustand z;
    z.UebModus = 2;
    z.UebFragAnz = 50;
    z.UebKartIndex = 0;
    TUebOptionen o;
    std::int32_t seed = 1;
    for (auto _ : state) {
        const TVorausErzeugung v = ErzeugeFragenVoraus(z, {kKarte, 0, seed++, 3}, o);
        if (!v.Ok || v.Fragen.size() != 50)
            state.SkipWithError("pre-generation failed");
        benchmark::DoNotOptimize(v.Protokoll.size());
    }
}
BENCHMARK(BM_Pregenerate50)->Unit(benchmark::kMillisecond);

// Object questions on a map that holds no objects: 420 failed attempts.
void BM_FailurePath(benchmark::State& state)
{
    Tabellen();
    Uebungszustand z;
    z.UebModus = 1;
    z.UebFragAnz = 10;
    z.UebKartIndex = 0;
    TUebOptionen o;
    for (auto _ : state) {
        const TVorausErzeugung v = ErzeugeFragenVoraus(z, {QStringLiteral("LEER"), 10, 7, 3}, o);
        if (v.Ok)
            state.SkipWithError("the failure path did not fail");
    }
}
BENCHMARK(BM_FailurePath)->Unit(benchmark::kMillisecond);

// Country questions whose region has no rows at all: every attempt fails at once.
void BM_FailurePathCountries(benchmark::State& state)
{
    Tabellen();
    Uebungszustand z;
    z.UebModus = 4;
    z.UebFragAnz = 10;
    z.UebKartIndex = 0;
    TUebOptionen o;
    o.FragTypMasken[3] = QStringLiteral("11111110");
    for (auto _ : state) {
        const TVorausErzeugung v = ErzeugeFragenVoraus(z, {kKarte, 14, 7, 3}, o);
        if (v.Ok)
            state.SkipWithError("the failure path did not fail");
    }
}
BENCHMARK(BM_FailurePathCountries)->Unit(benchmark::kMillisecond);

// Water questions on a map whose waters all lie on one spot: every attempt
// draws its 100 answers and gives up.
void BM_FailurePathCrowded(benchmark::State& state)
{
    Tabellen();
    for (int k = 0; k < 12; ++k) {
        ObjDataTyp o;
        o.KartID = QStringLiteral("DICHT");
        o.ObjTyp = QStringLiteral("G");
        o.Px = 0.5 + 0.001 * k;
        o.Py = 0.5;
        o.Bez = QStringLiteral("See %1").arg(k);
        o.Intens = 1;
        ObjDaten.append(o);
    }
    Uebungszustand z;
    z.UebModus = 4;
    z.UebFragAnz = 10;
    z.UebKartIndex = 0;
    TUebOptionen o;
    o.FragTypMasken[3] = QStringLiteral("00000000001");
    for (auto _ : state) {
        const TVorausErzeugung v = ErzeugeFragenVoraus(z, {QStringLiteral("DICHT"), 10, 7, 3}, o);
        if (v.Ok)
            state.SkipWithError("the failure path did not fail");
    }
}
BENCHMARK(BM_FailurePathCrowded)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    RecordingMessageService stumm;
    setMessageService(&stumm);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
