// Kartivo's pictures: the map selection, the learning map with a country's facts, the exercise
// selection, a question, an assignment question, the result window and the sliding puzzle.

#include "tools/hilfebilder/Bilder.h"

#include "datastore/Objektdaten.h"
#include "datastore/zl_data.h"
#include "learning/exercise/widgets/zl_uebausw.h"
#include "learning/exercise/widgets/zl_uebergebnis.h"
#include "learning/exercise/widgets/zl_uebflaeche.h"
#include "learning/exercise/widgets/zl_uebmodal.h"
#include "learning/mainwindow/widgets/zl_lernkarte.h"
#include "learning/mainwindow/widgets/zl_main.h"
#include "learning/mainwindow/widgets/zl_main_start.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

namespace zl::hilfebilder
{
namespace
{

void Warte()
{
    QApplication::processEvents();
}

int Beschriftung(const QString& KartID, const QString& Bez)
{
    for (int i = 0; i < ObjDaten.size(); ++i)
        if (ObjDaten[i].KartID == KartID && ObjDaten[i].Bez == Bez)
            return i;
    return -1;
}

class Kartivo
{
  public:
    explicit Kartivo(const Auftrag& A) : A_(A)
    {
        KartivoStartOptionen o;
        o.ProgrammVerz = A.KartivoVerz;
        o.Store = &store_;
        o.Titelfenster = false;
        o.Bildschirmpruefung = false;
        k_ = std::make_unique<TKartivo>(o);
    }
    ~Kartivo() { UebModalAusfuehren = nullptr; }

    QStringList Mache()
    {
        if (!k_->Starte())
            return {};
        k_->ZeigeHauptfenster();
        F = k_->Hauptfenster();
        // A fixed window, so the pictures do not depend on the screen.
        F->showNormal();
        F->resize(kFensterBreite, kFensterHoehe);
        Warte();
        F->ZeigeKartenauswahl(true);
        Warte();
        Bild(F, "kartenauswahl.jpg");

        F->Zustand.AktKartID = QStringLiteral("DEU");
        F->SetzeZoom(0);
        F->ZeigeLernkarte();
        Warte();
        // A neighbour with a flag, so the country facts show it.
        const int land = Beschriftung(QStringLiteral("DEU"), QStringLiteral("Österreich"));
        if (land >= 0)
            F->LernkarteAnsicht->WaehleLernObjekt(land, true);
        Warte();
        Bild(F, "lernkarte.jpg");

        Uebungsbilder();
        Puzzlebild();
        Zuordnungsbild();
        return Geschrieben_;
    }

  private:
    void Bild(QWidget* W, const char* Name)
    {
        const QString Datei = QDir(A_.KartivoZiel).filePath(QString::fromLatin1(Name));
        if (Speichere(W, Datei))
            Geschrieben_ << Datei;
    }

    // An exercise of ten questions on the learning map of Germany, started from the
    // selection window and answered through the answer buttons: most answers right,
    // the third and the seventh wrong, so the result shows a grade between the bands.
    void Uebungsbilder()
    {
        TUebungsAnsicht* U = F->UebungsAnsicht;
        U->Warten = [](std::uint32_t, bool) {};
        U->WeiterHinweis = [] {};
        U->Medien = {[] {}, [] {}, [] {}, [] {}, [] {}, [] {}};
        UebModalAusfuehren = [this](QDialog* d) {
            d->setResult(0);
            d->show();
            Warte();
            int r = 0;
            if (d == UebAuswForm) {
                Bild(d, "uebungsauswahl.jpg");
                UebAuswForm->StartBtn->click();
                r = UebAuswForm->result();
            } else if (d == UebErgebForm) {
                Bild(d, "ergebnis.jpg");
            }
            d->hide();
            return r;
        };
        F->UebungStart1->trigger();
        Warte();
        if (F->Zustand.Ansichtsmodus != Uebung) {
            std::fprintf(stderr, "hilfebilder: the exercise did not start\n");
            return;
        }
        Bild(F, "uebung.jpg");
        const Uebungszustand& Z = F->Zustand.Uebung;
        for (int Schritt = 0; F->Zustand.Ansichtsmodus == Uebung && !Z.UebungBeendet && Schritt < 100; ++Schritt) {
            const bool falsch = Z.FrageNr == 3 || Z.FrageNr == 7;
            const int a = falsch ? Z.RichtigeAntwort % 5 + 1 : Z.RichtigeAntwort;
            U->WerteAntwortAus(a, U->ABtn[a - 1]);
            Warte();
        }
    }

    // An assignment question with two of its five names on their right places.
    void Zuordnungsbild()
    {
        TUebungsAnsicht* U = F->UebungsAnsicht;
        F->Zustand.Uebung.UebModus = 3;
        const int e = F->Zustand.Uebung.UebKartIndex;
        if (e < 0 || e >= UebungsDaten.size())
            return;
        if (!U->StarteUebung(UebungsDaten[e].UebKartID, UebungsDaten[e].Gebiet, 4711, 1))
            return;
        Warte();
        const TFrage& Frage = U->Engine().Frage();
        U->OrdneZu(1, Frage.ZuordnungZiel[0]);
        U->OrdneZu(2, Frage.ZuordnungZiel[1]);
        Warte();
        Bild(F, "zuordnung.jpg");
        F->Zustand.Uebung.UebModus = 1;
    }

    void Puzzlebild()
    {
        F->Schiebepuzzle1->trigger();
        Warte();
        if (F->Zustand.Ansichtsmodus == Schiebepuzzle)
            Bild(F, "puzzle.jpg");
    }

    const Auftrag& A_;
    MemorySettingsStore store_;
    std::unique_ptr<TKartivo> k_;
    TForm1* F = nullptr;
    QStringList Geschrieben_;
};

} // namespace

QStringList KartivoBilder(const Auftrag& A)
{
    Kartivo k(A);
    return k.Mache();
}

} // namespace zl::hilfebilder
