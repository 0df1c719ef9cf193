// From an answer to the next question on screen, in a 1920 x 1080 main window on the
// bundled atlas (map "EURO"), automatic advance without feedback delay: the answer's
// evaluation, the next question's generation, its display (picture, pointers, buttons)
// and a synchronous repaint of the exercise view. The baseline in the same run is the
// learning map's step at the same size: the section cut and the labels drawn over it.
// Each repetition is one step, so the aggregates are the median and p95 of single steps.

#include "learning/exercise/widgets/zl_uebausw.h"
#include "learning/exercise/widgets/zl_uebergebnis.h"
#include "learning/exercise/widgets/zl_uebflaeche.h"
#include "learning/exercise/widgets/zl_uebmodal.h"

#include "datastore/Kartenbilder.h"
#include "datastore/zl_data.h"
#include "learning/mainwindow/widgets/zl_main.h"
#include "learning/mainwindow/widgets/zl_main_start.h"
#include "learning/mapview/zl_beschriftung.h"
#include "platform/Canvas.h"
#include "platform/MessageService.h"
#include "platform/SettingsStore.h"

#include "bench/Einzelschritte.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <algorithm>
#include <memory>
#include <vector>

namespace
{

using namespace zl;

constexpr int kBoxW = 1320, kBoxH = 930; // the learning map's picture box at 1920 x 1080

struct Programm {
    MemorySettingsStore Store;
    std::unique_ptr<TKartivo> K;
    TForm1* F = nullptr;
    TUebungsAnsicht* A = nullptr;
    int Modus = 2;

    void Starte()
    {
        KartivoStartOptionen o;
        o.ProgrammVerz = QStringLiteral(ZL_ATLAS_DIR);
        o.Store = &Store;
        o.Titelfenster = false;
        o.Bildschirmpruefung = false;
        K = std::make_unique<TKartivo>(o);
        K->Starte();
        K->ZeigeHauptfenster();
        F = K->Hauptfenster();
        F->setWindowState(Qt::WindowNoState);
        F->setMinimumSize(0, 0);
        F->resize(1920, 1080);
        QApplication::processEvents();
        A = F->UebungsAnsicht;
        A->Warten = [](std::uint32_t, bool) {};
        A->WeiterHinweis = [] {};
        F->Zustand.UebRFLevel = 0;
        F->Zustand.AktKartID = QStringLiteral("EURO");
        F->ZeigeLernkarte();
        // The selection starts kind 2 with 50 questions; every end repeats at once.
        UebModalAusfuehren = [this](QDialog* d) {
            if (d == UebAuswForm) {
                UebAuswForm->show();
                UebAuswForm->UebRadio[Modus - 1]->click();
                UebAuswForm->FragAnzCombo->setCurrentText(QStringLiteral("50"));
                UebAuswForm->StartBtn->click();
                UebAuswForm->hide();
                return 0;
            }
            return int(mbRetry);
        };
        F->UebungStart1->trigger();
    }

    // One answer (right) and the next question shown and painted.
    void Schritt()
    {
        const TFrage& q = A->Engine().Frage();
        if (IstZuordnungsFrage(q.Typ)) {
            for (int i = 1; i <= 5; ++i)
                A->OrdneZu(i, q.ZuordnungZiel[std::size_t(i - 1)]);
        } else {
            A->AKlick(F->Zustand.Uebung.RichtigeAntwort);
        }
        F->UebenPan->repaint();
    }
};

Programm& P()
{
    static Programm p;
    return p;
}

void BM_SectionCutAndLabels(benchmark::State& state)
{
    QImage bild;
    TRect ausschnitt;
    TBeschriftungsZustand bz;
    bz.AktKartID = QStringLiteral("EURO");
    bz.LernIntensitaet = 3;
    double zoom = 1.0;
    for (auto _ : state) {
        zoom = zoom == 1.0 ? 1.25 : 1.0; // a new section each step
        LadeKartenausschnitt(bild, kBoxW, kBoxH, QStringLiteral("EURO"), QStringLiteral("RS"), zoom, 0, 0, ausschnitt);
        TCanvas c(&bild);
        ZeichneBeschriftungen(c, 0, 0, bild.width(), bild.height(), 0.8, -1, ausschnitt, bz);
        benchmark::DoNotOptimize(bild.constBits());
    }
}

void BM_AnswerToNextQuestion(benchmark::State& state)
{
    P().Modus = int(state.range(0));
    P().F->UebungStart1->trigger();
    for (auto _ : state)
        P().Schritt();
}

using bench::Einzelschritte;

BENCHMARK(BM_SectionCutAndLabels)->Apply(Einzelschritte);
// Kind 2 (extended: list, flags, pointing) and kind 3 (assignments).
BENCHMARK(BM_AnswerToNextQuestion)->Arg(2)->Arg(3)->Apply(Einzelschritte);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ScopedMessageRecorder stumm; // no box may wait for an answer
    P().Starte();
    zl::bench::Initialisiere(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    UebModalAusfuehren = nullptr;
    P().K.reset();
    return 0;
}
