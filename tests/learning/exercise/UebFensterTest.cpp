// The exercise windows driven offscreen: whole exercises of every kind on the
// bundled atlas, feedback and waits, re-entry during waits, drag and drop, the
// option dialogs, the selection and the result window with its protocol.

#include "learning/exercise/widgets/zl_uebausw.h"
#include "learning/exercise/widgets/zl_uebergebnis.h"
#include "learning/exercise/widgets/zl_uebflaeche.h"
#include "learning/exercise/widgets/zl_uebkartdarst.h"
#include "learning/exercise/widgets/zl_uebmodal.h"
#include "learning/exercise/widgets/zl_uebopt.h"

#include "PdfLesen.h"
#include "UebTestdaten.h"
#include "datastore/zl_data.h"
#include "fixtures/DataFolder.h"
#include "learning/mainwindow/widgets/zl_main.h"
#include "learning/mainwindow/widgets/zl_main_start.h"
#include "learning/mainwindow/zl_einstellungen.h"
#include "learning/mapview/widgets/zl_avi.h"
#include "learning/tools/widgets/zl_drucker.h"
#include "learning/tools/widgets/zl_lesezeichen.h"
#include "learning/tools/widgets/zl_lesezeichenmenue.h"
#include "learning/tools/widgets/zl_listdruck.h"
#include "platform/Cp1252.h"
#include "platform/MessageService.h"
#include "tests/learning/KartivoTestStart.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zl;

namespace
{

struct Aufzeichnung {
    QStringList Waits;  // "100" frozen, "1000+" with messages
    QStringList Medien; // "RichtigVideo", ...
    int Weiter = 0;
    int Ergebnisse = 0;
};

class UebFensterTest : public ::testing::Test
{
  protected:
    void TearDown() override
    {
        UebModalAusfuehren = nullptr;
        k.reset();
    }

    // Starts the program on a folder and opens the learning map of the map.
    void starte(const QString& Prog, const QString& Karte)
    {
        k = test::StarteKartivo(Prog, store);
        ASSERT_TRUE(k);
        F = k->Hauptfenster();
        ASSERT_TRUE(F);
        A = F->UebungsAnsicht;
        ASSERT_TRUE(A);
        F->Zustand.AktKartID = Karte;
        F->ZeigeLernkarte();
        A->Warten = [this](std::uint32_t ms, bool mit) {
            rec.Waits << QString::number(ms) + (mit ? QStringLiteral("+") : QString());
            if (beiWarten)
                beiWarten();
        };
        A->WeiterHinweis = [this] {
            ++rec.Weiter;
            if (beiWarten)
                beiWarten();
        };
        auto medium = [this](const char* n) {
            return [this, n] {
                rec.Medien << QString::fromLatin1(n);
                if (beimMedium)
                    beimMedium();
            };
        };
        A->Medien = {medium("RichtigVideo"), medium("FalschVideo"),      medium("RichtigTon"),
                     medium("FalschTon"),    medium("RichtigStandbild"), medium("FalschStandbild")};
        UebModalAusfuehren = [this](QDialog* d) { return modal(d); };
    }

    void starteAtlas(const QString& Karte = QStringLiteral("EURO")) { starte(QStringLiteral(ZL_ATLAS_DIR), Karte); }

    // The scripted answers of the modal windows.
    int modal(QDialog* d)
    {
        // Shown without a modal loop, as exec would show it, then hidden again.
        d->setResult(0);
        d->show();
        const int r = antworte(d);
        d->hide();
        return r;
    }

    int antworte(QDialog* d)
    {
        if (d == UebAuswForm) {
            if (auswahl)
                auswahl(*UebAuswForm);
            if (!auswahlStarten)
                return 0; // Esc
            UebAuswForm->StartBtn->click();
            return UebAuswForm->result();
        }
        if (d == UebErgebForm) {
            ++rec.Ergebnisse;
            ergebnisText = UebErgebForm->BewertungLab->text();
            if (beimErgebnis)
                beimErgebnis();
            return ergebnisAntwort;
        }
        return 0;
    }

    // Chooses a kind, intensity and count in the selection and starts.
    void waehle(int Modus, int Anzahl, int Intens = 1)
    {
        auswahl = [=](TUebAuswForm& w) {
            w.UebRadio[Modus - 1]->click();
            w.SetzeIntensIndex(Intens - 1);
            w.FragAnzCombo->setCurrentText(QString::number(Anzahl));
        };
        F->UebungStart1->trigger();
    }

    const TFrage& frage() { return A->Engine().Frage(); }

    // The question lines of the last exercise's protocol.
    QStringList fragen()
    {
        QStringList l;
        for (const QString& z : U().Uebungsprotokoll.split(QStringLiteral("\r\n")))
            if (z.contains(QStringLiteral(" Frage [")))
                l << z;
        return l;
    }

    // Answers right until the exercise ends.
    void laufe()
    {
        for (int n = 0; A->Engine().Laeuft() && n < 30; ++n)
            beantworte(true, n);
    }

    // Defines a bookmark with the button, closing the bookmark dialog it opens at once.
    static void setzeLesezeichen(TBitBtn2* Knopf)
    {
        QTimer::singleShot(0, [] {
            if (LesezeichenForm && LesezeichenForm->isVisible())
                LesezeichenForm->done(0);
        });
        Knopf->click();
    }
    Uebungszustand& U() { return F->Zustand.Uebung; }

    // Answers the current question right or wrong, by click, key or placement.
    void beantworte(bool Richtig, int Weg)
    {
        const TFrage& q = frage();
        if (IstZuordnungsFrage(q.Typ)) {
            for (int i = 1; i <= 5; ++i) {
                int ziel = q.ZuordnungZiel[i - 1];
                if (!Richtig && i <= 2) // names 1 and 2 swap their targets
                    ziel = q.ZuordnungZiel[2 - i];
                if (Weg % 2 == 0)
                    A->OrdneZu(i, ziel);
                else {
                    A->Taste(QString(QChar(u'0' + i)));
                    A->Taste(QString(QChar(u'a' + ziel - 1)));
                }
            }
            return;
        }
        const int r = U().RichtigeAntwort;
        const int a = Richtig ? r : r % 5 + 1;
        if (Weg % 3 == 0)
            A->ABtn[a - 1]->OnClick();
        else if (Weg % 3 == 1)
            A->Taste(QString(QChar(u'a' + a - 1)));
        else
            A->AKlick(a);
    }

    std::unique_ptr<TKartivo> k;
    MemorySettingsStore store;
    TForm1* F = nullptr;
    TUebungsAnsicht* A = nullptr;
    Aufzeichnung rec;
    std::function<void()> beiWarten;
    std::function<void()> beimMedium;
    std::function<void(TUebAuswForm&)> auswahl;
    std::function<void()> beimErgebnis;
    bool auswahlStarten = true;
    int ergebnisAntwort = mbCancel;
    QString ergebnisText;
};

// An exercise kind on the bundled atlas ("EURO") or on the engine's small generated
// tables (map "TK", no pictures and no flags at all).
struct Lauf {
    int Modus;
    bool Atlas;
};
class GanzeUebung : public UebFensterTest, public ::testing::WithParamInterface<Lauf>
{
};

} // namespace

TEST_P(GanzeUebung, RunsToTheResultWindowWithCountsProtocolAndGrade)
{
    ScopedMessageRecorder boxen;
    QTemporaryDir dir;
    if (GetParam().Atlas) {
        starteAtlas();
    } else {
        const QString prog = dir.path() + QStringLiteral("/Kartivo/");
        ASSERT_TRUE(fixtures::writeMinimalDataFolder(prog, fixtures::Options{false}));
        starte(prog, QStringLiteral("DEU"));
        testdaten::Setze();
        F->Zustand.AktKartID = testdaten::kKarte;
        F->ZeigeLernkarte();
    }
    const int modus = GetParam().Modus;
    waehle(modus, 10);
    ASSERT_EQ(F->Zustand.Ansichtsmodus, Uebung) << boxen.texts().join(u'\n').toStdString();
    EXPECT_TRUE(F->windowTitle().startsWith(QStringLiteral("Zelvaro - Terravio 4.0 - Übung: ")));
    EXPECT_TRUE(F->windowTitle().endsWith(QStringLiteral(" (10)")));
    EXPECT_TRUE(F->ZeitTimer->isActive());
    int n = 0, richtig = 0;
    while (A->Engine().Laeuft() && n < 20) {
        const int vorher = U().FrageNr;
        EXPECT_EQ(A->FragNrLab->Caption(), QString::number(vorher) + QStringLiteral(" / 10"));
        EXPECT_EQ(A->FragLab->Caption(), frage().FragText);
        const bool zuordnen = IstZuordnungsFrage(frage().Typ);
        EXPECT_EQ(A->AntwLab[0]->Caption(), zuordnen ? QStringLiteral("1") : QStringLiteral("A"));
        if (modus == 3) {
            EXPECT_TRUE(zuordnen);
        }
        if (modus == 1) {
            EXPECT_TRUE(frage().Typ >= S01 && frage().Typ <= S10);
        }
        const bool r = n % 2 == 0;
        richtig += r ? (zuordnen ? 5 : 1) : (zuordnen ? 3 : 0);
        beantworte(r, n);
        ++n;
    }
    EXPECT_FALSE(A->Engine().Laeuft());
    EXPECT_EQ(rec.Ergebnisse, 1);
    EXPECT_TRUE(U().UebungBeendet);
    EXPECT_EQ(U().FrageNr, 10);
    EXPECT_EQ(U().AnzRichtig + U().AnzFalsch, 10);
    EXPECT_EQ(U().AnzRichtig, richtig);
    EXPECT_EQ(U().AntwortFolge.size(), 10);
    EXPECT_EQ(A->FragNrLab->Caption(), QStringLiteral("Ende"));
    EXPECT_FALSE(F->ZeitTimer->isActive());
    EXPECT_TRUE(UebErgebForm->Memo1->toPlainText().contains(QStringLiteral("Bewertung ........ ")));
    EXPECT_FALSE(ergebnisText.isEmpty());
    // "Zur Lernkarte": back on the learning map.
    EXPECT_EQ(F->Zustand.Ansichtsmodus, Lernkarte);
    EXPECT_TRUE(boxen.entries().isEmpty()) << boxen.texts().join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Kinds, GanzeUebung,
                         ::testing::Values(Lauf{1, true}, Lauf{2, true}, Lauf{3, true}, Lauf{4, true}, Lauf{1, false},
                                           Lauf{2, false}, Lauf{3, false}, Lauf{4, false}),
                         [](const auto& i) {
                             return (i.param.Atlas ? std::string("Atlas") : std::string("Testdaten")) +
                                    std::to_string(i.param.Modus);
                         });

TEST_F(UebFensterTest, FixtureMapWithoutEnoughObjectsEndsWithTheMessage)
{
    QTemporaryDir dir;
    const QString prog = dir.path() + QStringLiteral("/Kartivo/");
    ASSERT_TRUE(fixtures::writeMinimalDataFolder(prog));
    ScopedMessageRecorder boxen;
    starte(prog, QStringLiteral("DEU"));
    waehle(3, 5);
    ASSERT_FALSE(boxen.entries().isEmpty());
    EXPECT_EQ(boxen.entries().last().text, TUebung::FehlerMeldung());
    EXPECT_EQ(F->Zustand.Ansichtsmodus, Lernkarte);
    EXPECT_FALSE(F->ZeitTimer->isActive());
    EXPECT_EQ(rec.Ergebnisse, 0);
    // Nothing finished: the last protocol cannot be shown.
    F->LetzteUebung1->trigger();
    EXPECT_EQ(rec.Ergebnisse, 0);
    EXPECT_TRUE(boxen.entries().last().text.startsWith(QStringLiteral("Es wurde noch keine Übung durchgeführt")));
}

TEST_F(UebFensterTest, FeedbackFollowsTheLevelAndTheAnimationChoice)
{
    starteAtlas();
    struct Fall {
        int Level;
        int Animation; // 0 video, 1 sound only, 2 still picture
        bool Richtig;
        QStringList Medien;
        QStringList Waits;
    };
    const Fall faelle[] = {
        {0, 0, false, {}, {QStringLiteral("100")}},
        {1, 0, false, {QStringLiteral("FalschVideo")}, {}},
        {1, 1, true, {QStringLiteral("RichtigTon")}, {QStringLiteral("1500")}},
        {2, 0, false, {QStringLiteral("FalschVideo")}, {QStringLiteral("1000+")}},
        {2, 2, true, {QStringLiteral("RichtigTon"), QStringLiteral("RichtigStandbild")}, {}},
    };
    for (const Fall& f : faelle) {
        F->Zustand.UebRFLevel = f.Level;
        (f.Animation == 0   ? F->Animation_ein
         : f.Animation == 1 ? F->Animation_aus
                            : F->Animation_Standbild)
            ->setChecked(true);
        waehle(1, 5);
        ASSERT_TRUE(A->Engine().Laeuft());
        rec.Medien.clear();
        rec.Waits.clear();
        const int r = U().RichtigeAntwort;
        const int a = f.Richtig ? r : r % 5 + 1;
        // The feedback is looked at during the wait, before the next question.
        QString text, status;
        TColor farbeGewaehlt = 0, farbeRichtig = 0;
        bool gesehen = false;
        auto sieh = [&] {
            if (gesehen)
                return;
            gesehen = true;
            text = A->FragLab->Caption();
            farbeGewaehlt = A->ABtn[a - 1]->Color();
            farbeRichtig = A->ABtn[r - 1]->Color();
        };
        beiWarten = sieh;
        beimMedium = sieh;
        A->ABtn[a - 1]->OnClick();
        beiWarten = nullptr;
        beimMedium = nullptr;
        EXPECT_TRUE(gesehen);
        status = A->QuoteLab->Caption(); // the status line follows the feedback
        EXPECT_EQ(rec.Medien, f.Medien) << f.Level << f.Animation;
        EXPECT_EQ(rec.Waits, f.Waits) << f.Level << f.Animation;
        if (f.Level == 0) {
            EXPECT_EQ(status, QStringLiteral("?"));
        } else {
            EXPECT_EQ(text.startsWith(QStringLiteral("Richtig!")), f.Richtig) << text.toStdString();
            EXPECT_EQ(status, f.Richtig ? QStringLiteral("100.0 %") : QStringLiteral("0.0 %"));
        }
        if (f.Level >= 1 && !f.Richtig) {
            EXPECT_EQ(farbeGewaehlt, kKnopfFalschFlaeche);
            EXPECT_EQ(farbeRichtig, f.Level == 2 ? kKnopfRichtigFlaeche : kAntwortNorm);
        }
        // Leave the exercise for the next case.
        F->Zustand.Ansichtsmodus = Lernkarte;
        F->ZeigeLernkarte();
    }
}

TEST_F(UebFensterTest, ManualAdvanceWaitsForWeiterAndShowsTheSolutionOfAWrongAssignment)
{
    starteAtlas();
    F->FragWeiterManuell->setChecked(true);
    F->Zustand.UebRFLevel = 2;
    waehle(3, 5);
    ASSERT_TRUE(IstZuordnungsFrage(frage().Typ));
    QString loesung;
    beiWarten = [&] { loesung = A->FragLab->Caption(); };
    beantworte(false, 0);
    EXPECT_EQ(rec.Weiter, 2);
    EXPECT_EQ(loesung, QStringLiteral("Lösung"));
    EXPECT_TRUE(rec.Waits.isEmpty());
    EXPECT_EQ(U().AnzRichtig, 3);
    EXPECT_EQ(U().AnzFalsch, 2);
    EXPECT_EQ(rec.Ergebnisse, 1);
}

TEST_F(UebFensterTest, ANewExerciseStartedDuringAWaitIsNotTouchedByTheOldAnswer)
{
    starteAtlas();
    F->Zustand.UebRFLevel = 2;
    waehle(1, 10);
    const int r = U().RichtigeAntwort;
    bool neuGestartet = false;
    beiWarten = [&] {
        if (neuGestartet)
            return;
        neuGestartet = true;
        // The user leaves and starts another exercise inside the wait.
        F->Zustand.Ansichtsmodus = Lernkarte;
        F->ZeigeLernkarte();
        waehle(1, 5);
    };
    A->ABtn[r % 5]->OnClick(); // wrong: level 2 waits with messages
    beiWarten = nullptr;
    ASSERT_TRUE(neuGestartet);
    EXPECT_TRUE(A->Engine().Laeuft());
    EXPECT_EQ(U().FragenGesamt, 5);
    EXPECT_EQ(U().FrageNr, 1);
    EXPECT_FALSE(U().Beantwortet);
    EXPECT_EQ(U().AnzRichtig + U().AnzFalsch, 0);
    EXPECT_EQ(U().Uebungsprotokoll.count(QStringLiteral(" Frage [")), 1);
}

TEST_F(UebFensterTest, LeavingDuringAWaitAsksNoFurtherQuestion)
{
    starteAtlas();
    F->Zustand.UebRFLevel = 2;
    waehle(1, 10);
    const QString protokoll = U().Uebungsprotokoll;
    beiWarten = [&] {
        F->Zustand.Ansichtsmodus = Lernkarte;
        F->ZeigeLernkarte();
    };
    A->ABtn[U().RichtigeAntwort % 5]->OnClick();
    beiWarten = nullptr;
    EXPECT_EQ(U().FrageNr, 1);
    EXPECT_EQ(F->Zustand.Ansichtsmodus, Lernkarte);
    EXPECT_EQ(U().Uebungsprotokoll.count(QStringLiteral(" Frage [")), 1);
}

TEST_F(UebFensterTest, SecondClicksAndKeysOnAnAnsweredQuestionChangeNothing)
{
    starteAtlas();
    F->Zustand.UebRFLevel = 2;
    waehle(1, 10);
    const int r = U().RichtigeAntwort;
    beiWarten = [&] {
        A->AKlick(r);
        A->Taste(QString(QChar(u'A' + r - 1)));
        A->ABtn[r - 1]->OnClick();
    };
    A->ABtn[r % 5]->OnClick();
    beiWarten = nullptr;
    EXPECT_EQ(U().AnzRichtig, 0);
    EXPECT_EQ(U().AnzFalsch, 1);
    EXPECT_EQ(U().AntwortFolge, QStringLiteral("-"));
    EXPECT_EQ(U().FrageNr, 2);
    // Keys outside A..E do nothing.
    EXPECT_FALSE(A->Taste(QStringLiteral("x")));
    EXPECT_FALSE(A->Taste(QStringLiteral("6")));
    EXPECT_EQ(U().AnzFalsch, 1);
}

TEST_F(UebFensterTest, DragAndDropPlacesNamesByTheDragOverRule)
{
    starteAtlas();
    F->Zustand.UebRFLevel = 1;
    waehle(3, 5);
    ASSERT_TRUE(IstZuordnungsFrage(frage().Typ));
    // A name dragged onto a name is refused; onto a target it is placed.
    A->BeginneZiehenName(1);
    EXPECT_EQ(A->ZiehQuelle(), -1);
    EXPECT_FALSE(A->LasseFallen(A->ABtn[1]));
    EXPECT_TRUE(A->LasseFallen(A->FPfeilImgX[2]));
    A->EndeZiehen();
    EXPECT_EQ(A->Zuordnung().Ziel(1), 3);
    EXPECT_TRUE(A->ZgesetztImg[2]->isVisibleTo(A->FPicImg));
    // A target dragged onto a target is refused; onto a name it places that name.
    A->BeginneZiehenZiel(4);
    EXPECT_FALSE(A->LasseFallen(A->FPfeilImgX[0]));
    EXPECT_TRUE(A->LasseFallen(A->AShape[1]));
    A->EndeZiehen();
    EXPECT_EQ(A->Zuordnung().Ziel(2), 4);
    // A drag ending outside any target leaves nothing behind.
    A->BeginneZiehenName(5);
    EXPECT_FALSE(A->LasseFallen(A->FragLab));
    A->EndeZiehen();
    EXPECT_EQ(A->Zuordnung().Ziel(5), -5);
    EXPECT_EQ(A->ZiehQuelle(), 0);
    EXPECT_FALSE(A->FRahmDrag->isVisibleTo(A->FPicImg));
    // Dropping onto an occupied target frees the name that was there.
    A->OrdneZu(3, 3);
    EXPECT_EQ(A->Zuordnung().Ziel(1), -1);
    // A placed name's marker drags its target: dropping it on name 1 moves name 1 there.
    A->BeginneZiehenName(3);
    EXPECT_EQ(A->ZiehQuelle(), 3);
    EXPECT_TRUE(A->LasseFallen(A->AShapeImg[0]));
    EXPECT_EQ(A->Zuordnung().Ziel(1), 3);
    EXPECT_EQ(A->Zuordnung().Ziel(3), -3);
    // Four placed names do not evaluate, the fifth does at once.
    A->OrdneZu(3, 1);
    A->OrdneZu(4, 2);
    EXPECT_FALSE(U().Beantwortet);
    EXPECT_EQ(A->Zuordnung().ZaehleZugeordnete(), 4);
    const int vorher = U().AnzRichtig + U().AnzFalsch;
    A->OrdneZu(5, 5);
    EXPECT_EQ(U().AnzRichtig + U().AnzFalsch, vorher + 5);
    EXPECT_EQ(rec.Ergebnisse, 1);
}

TEST_F(UebFensterTest, DropsAfterTheEvaluationAreIgnored)
{
    starteAtlas();
    F->Zustand.UebRFLevel = 2;
    waehle(3, 10);
    ASSERT_TRUE(IstZuordnungsFrage(frage().Typ));
    std::array<int, 5> nachher{};
    beiWarten = [&] {
        if (!U().Beantwortet || nachher[0])
            return;
        const std::array<int, 5> z = A->Zuordnung().Ziele();
        A->BeginneZiehenName(1);
        A->LasseFallen(A->FPfeilImgX[4]);
        A->OrdneZu(2, 1);
        nachher = A->Zuordnung().Ziele();
        EXPECT_EQ(nachher, z);
    };
    beantworte(false, 0);
    beiWarten = nullptr;
    EXPECT_EQ(U().AnzRichtig, 3);
    EXPECT_EQ(U().AnzFalsch, 2);
    EXPECT_EQ(U().AntwortFolge.size(), 5);
    EXPECT_EQ(U().FrageNr, 6);
}

TEST_F(UebFensterTest, RepeatWithTheExactBoxAsksTheSameQuestions)
{
    starteAtlas();
    F->Zustand.UebRFLevel = 0;
    auto fragen = [this] {
        QStringList l;
        for (const QString& z : U().Uebungsprotokoll.split(QStringLiteral("\r\n")))
            if (z.contains(QStringLiteral(" Frage [")))
                l << z;
        return l;
    };
    auto laufe = [this] {
        for (int n = 0; A->Engine().Laeuft() && n < 10; ++n)
            beantworte(true, n);
    };
    ergebnisAntwort = mbRetry;
    UebErgebForm->ExaktCheck1->setChecked(true);
    waehle(2, 5);
    const std::int32_t seed = U().UebRandSeed;
    laufe(); // ends, the result window repeats with the same seed
    ASSERT_TRUE(A->Engine().Laeuft());
    EXPECT_EQ(U().UebRandSeed, seed);
    ergebnisAntwort = mbCancel;
    laufe();
    const QStringList wiederholt = fragen();
    // Once more from the selection with the same seed text gives the same lines.
    auswahl = [&](TUebAuswForm& w) {
        w.UebRadio[1]->click();
        w.SetzeIntensIndex(0);
        w.FragAnzCombo->setCurrentText(QStringLiteral("5"));
        w.RandSeedText = QString::number(seed);
    };
    F->UebungStart1->trigger();
    laufe();
    EXPECT_EQ(fragen(), wiederholt);
    // Without the box a new seed.
    UebErgebForm->ExaktCheck1->setChecked(false);
    ergebnisAntwort = mbRetry;
    auswahl = [&](TUebAuswForm& w) { w.RandSeedText = QString::number(seed); };
    F->UebungStart1->trigger();
    laufe();
    EXPECT_TRUE(A->Engine().Laeuft());
    EXPECT_NE(U().UebRandSeed, seed);
}

TEST_F(UebFensterTest, SelectionOffersKindsByRegionAndRefusesAStartWithoutTypes)
{
    ScopedMessageRecorder boxen;
    starteAtlas(QStringLiteral("USA")); // region -1
    U().UebModus = 2;
    U().UebFragAnz = 12;
    bool gesehen = false;
    auswahl = [&](TUebAuswForm& w) {
        gesehen = true;
        EXPECT_FALSE(w.UebRadio[1]->isEnabled());
        EXPECT_TRUE(w.UebAuswLab[1]->text().startsWith(QStringLiteral("Für ")));
        EXPECT_TRUE(w.UebAuswLab[1]->text().endsWith(
            QStringLiteral(" nicht verfügbar (Karte mit übergeordnetem Gebiet wählen)")));
        EXPECT_TRUE(w.UebRadio[0]->isChecked());
        EXPECT_EQ(w.FragAnzCombo->currentText(), QStringLiteral("20"));
    };
    auswahlStarten = false; // Esc
    F->UebungStart1->trigger();
    EXPECT_TRUE(gesehen);
    EXPECT_EQ(U().UebModus, 1);
    EXPECT_EQ(F->Zustand.Ansichtsmodus, Lernkarte);
    // Kind 4 with no allowed type: the message, the window stays open.
    F->Zustand.FragTypMasken[3] = QStringLiteral("11111111");
    bool offen = false;
    auswahlStarten = false;
    auswahl = [&](TUebAuswForm& w) {
        w.UebRadio[3]->click();
        w.StartBtn->click();
        offen = w.result() == 0;
    };
    F->UebungStart1->trigger();
    EXPECT_TRUE(offen);
    ASSERT_FALSE(boxen.entries().isEmpty());
    EXPECT_EQ(boxen.entries().last().text, KeinFragTypMeldung());
    EXPECT_EQ(F->Zustand.Ansichtsmodus, Lernkarte);
}

TEST_F(UebFensterTest, TheMenuFromTheMapSelectionAsksForAMapFirst)
{
    ScopedMessageRecorder boxen;
    starteAtlas();
    F->Zustand.Ansichtsmodus = Kartenauswahl;
    F->UebungStart1->trigger();
    ASSERT_EQ(boxen.entries().size(), 1);
    EXPECT_EQ(
        boxen.entries()[0].text,
        QStringLiteral("Bitte zuerst die gewünschte Karte auswählen, zu der eine Übung durchgeführt werden soll."));
    // The last result before any exercise.
    F->Zustand.Ansichtsmodus = Lernkarte;
    F->LetzteUebung1->trigger();
    EXPECT_TRUE(boxen.entries().last().text.startsWith(QStringLiteral("Es wurde noch keine Übung durchgeführt")));
}

TEST_F(UebFensterTest, QuestionTypeDialogBuildsTheMaskAndCancelKeepsIt)
{
    starteAtlas();
    TUebungsoptForm& d = *UebungsoptForm;
    QString maske(23, u'1');
    UebModalAusfuehren = [&](QDialog*) {
        EXPECT_EQ(d.AnzCheckedLab->text(), QStringLiteral("10 von 10 ausgewählt"));
        EXPECT_EQ(d.AnzCheckedLab2->text(), QStringLiteral("8 von 8 ausgewählt"));
        EXPECT_EQ(d.AnzCheckLab3->text(), QStringLiteral("5 von 5 ausgewählt"));
        d.ErwFragTypListBox->item(4)->setCheckState(Qt::Unchecked); // E05
        d.CheckZ[1]->setChecked(false);                             // Z02
        EXPECT_EQ(d.AnzCheckLab3->text(), QStringLiteral("4 von 5 ausgewählt"));
        return int(mbOK);
    };
    ASSERT_TRUE(d.Bearbeite(maske));
    ASSERT_EQ(maske.size(), 50);
    EXPECT_EQ(maske.indexOf(u'0'), 4);
    EXPECT_EQ(maske.lastIndexOf(u'0'), 19);
    EXPECT_EQ(maske.count(u'0'), 2);
    // Esc (result 0) and "Abbrechen" leave the mask as it was.
    const QString vorher = maske;
    UebModalAusfuehren = [&](QDialog*) {
        d.CheckS[0]->setChecked(false);
        return 0;
    };
    EXPECT_FALSE(d.Bearbeite(maske));
    EXPECT_EQ(maske, vorher);
    UebModalAusfuehren = [&](QDialog*) {
        EXPECT_TRUE(d.CheckS[0]->isChecked()); // the old ticks again
        d.AbbrBtn->click();
        return d.result();
    };
    EXPECT_FALSE(d.Bearbeite(maske));
    EXPECT_EQ(maske, vorher);
    // The menu item stores the mask.
    UebModalAusfuehren = [&](QDialog*) {
        d.CheckS[9]->setChecked(false);
        return int(mbOK);
    };
    F->Fragetypen1->trigger();
    EXPECT_EQ(F->Zustand.FragTypMasken[3].at(17), u'0');
}

TEST_F(UebFensterTest, MapStyleDialogKeepsAnUnknownValue)
{
    starteAtlas();
    TUebKartDarstForm& d = *UebKartDarstForm;
    QString typ = QStringLiteral("XX");
    UebModalAusfuehren = [&](QDialog*) {
        EXPECT_FALSE(d.KartRS->isChecked() || d.KartRH->isChecked() || d.KartPF->isChecked() || d.KartPW->isChecked());
        return int(mbOK);
    };
    EXPECT_TRUE(d.Bearbeite(typ));
    EXPECT_EQ(typ, QStringLiteral("XX"));
    UebModalAusfuehren = [&](QDialog*) {
        d.KartPF->setChecked(true);
        return int(mbOK);
    };
    EXPECT_TRUE(d.Bearbeite(typ));
    EXPECT_EQ(typ, QStringLiteral("PF"));
    UebModalAusfuehren = [&](QDialog*) {
        d.KartRS->setChecked(true);
        return 0;
    };
    EXPECT_FALSE(d.Bearbeite(typ));
    EXPECT_EQ(typ, QStringLiteral("PF"));
}

TEST_F(UebFensterTest, ProtocolIsSavedInWindows1252CopiedAndPrinted)
{
    ScopedMessageRecorder boxen;
    starteAtlas();
    F->Zustand.UebRFLevel = 0;
    waehle(1, 5);
    for (int n = 0; A->Engine().Laeuft() && n < 10; ++n)
        beantworte(n % 2 == 0, n);
    ASSERT_EQ(rec.Ergebnisse, 1);
    TUebErgebForm& e = *UebErgebForm;
    QTemporaryDir dir;
    const QString datei = dir.path() + QStringLiteral("/protokoll.txt");
    ASSERT_TRUE(e.SpeichereProtokoll(datei));
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    f.close();
    EXPECT_EQ(bytes, ProtokollBytes(U().Uebungsprotokoll));
    EXPECT_TRUE(bytes.contains(QByteArray(84, '\x97')));
    EXPECT_TRUE(bytes.startsWith(QByteArray(" \xDC"
                                            "bungsprotokoll\r\n")));
    // A failed save shows an error box and keeps the old file and the protocol.
    const QString gesperrt = dir.path() + QStringLiteral("/fehlt/protokoll.txt");
    EXPECT_FALSE(e.SpeichereProtokoll(gesperrt));
    ASSERT_EQ(boxen.entries().size(), 1);
    EXPECT_EQ(boxen.entries()[0].kind, MsgKind::Fehler);
    EXPECT_FALSE(e.Memo1->toPlainText().isEmpty());
    // The save button with a cancelled dialog does nothing; with a name it saves there.
    e.FrageSpeicherDatei = [](const QString&) { return QString(); };
    e.SpeichernBtn->click();
    const QString zweite = dir.path() + QStringLiteral("/zwei.txt");
    e.FrageSpeicherDatei = [&](const QString&) { return zweite; };
    e.SpeichernBtn->click();
    EXPECT_TRUE(QFile::exists(zweite));
    e.KopiereProtokoll();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), e.Memo1->toPlainText());
    // "&Drucken..." hands the memo's lines to the list print dialog, shown modally.
    const QString pdf = dir.path() + QStringLiteral("/p.pdf");
    Drucker().setOutputFormat(QPrinter::PdfFormat);
    Drucker().setOutputFileName(pdf);
    QStringList gedruckt;
    ListDruckForm->ZeigeModal = [&] {
        if (ListDruckForm->Druckzeilen)
            gedruckt = *ListDruckForm->Druckzeilen;
        ListDruckForm->DruckBtnClick();
        return int(QDialog::Accepted);
    };
    e.DruckenBtn->click();
    Drucker().setOutputFileName(QString());
    EXPECT_EQ(gedruckt, e.Memo1->toPlainText().split(u'\n'));
    EXPECT_EQ(ListDruckForm->Druckzeilen, nullptr);
    EXPECT_FALSE(test::Finde(test::PdfWoerter(pdf), QStringLiteral("\u00DCbungsprotokoll")).isEmpty());
    // Cancelled: nothing printed.
    QFile::remove(pdf);
    ListDruckForm->ZeigeModal = [] { return int(QDialog::Rejected); };
    e.DruckenBtn->click();
    EXPECT_FALSE(QFile::exists(pdf));
    // The last result again: only "Schließen", and the follow-up buttons come back after.
    bool nurSchliessen = false;
    UebModalAusfuehren = [&](QDialog*) {
        nurSchliessen = e.CloseBtn->isVisibleTo(&e) && !e.UebNochmalBtn->isVisibleTo(&e);
        return int(mbCancel);
    };
    F->LetzteUebung1->trigger();
    EXPECT_TRUE(nurSchliessen);
    EXPECT_TRUE(e.UebNochmalBtn->isVisibleTo(&e));
    EXPECT_FALSE(e.CloseBtn->isVisibleTo(&e));
}

TEST_F(UebFensterTest, GradeScaleAndGradeLabel)
{
    starteAtlas();
    TUebErgebForm& e = *UebErgebForm;
    e.BewertSkalaImg->resize(130, 224);
    e.SetzeErgebnis(QStringLiteral(" a\r\n b\r\n"), 100.0, QStringLiteral("sehr gut (1)"), Notenfarbe(1));
    EXPECT_EQ(e.Memo1->toPlainText(), QStringLiteral(" a\n b"));
    EXPECT_EQ(e.BewertungLab->text(), QStringLiteral("sehr gut (1)"));
    // 65 % of the band colour (0, 255, 0).
    EXPECT_EQ(e.BewertungLab->palette().color(QPalette::WindowText), QColor(0, 166, 0));
    const QImage& b = e.BewertSkalaImg->Picture;
    ASSERT_EQ(b.size(), QSize(130, 224));
    // The marker of 100 % lies on the top edge of band 1 (y = 12): cyan at x 50, y 11..13.
    EXPECT_EQ(QColor(b.pixel(50, 12)), QColor(0, 255, 255));
    EXPECT_EQ(QColor(b.pixel(53, 100)), QColor(b.pixel(50, 100))); // inside a band
}

TEST_F(UebFensterTest, MissingFlagsAndPicturesLeaveTheQuestionBlank)
{
    // The fixture has no flag pictures and question pictures may be absent: nothing fails.
    ScopedMessageRecorder boxen;
    starteAtlas();
    UebKartTyp = QStringLiteral("ZZ"); // no picture of that type exists
    F->Zustand.UebRFLevel = 0;
    waehle(2, 5);
    for (int n = 0; A->Engine().Laeuft() && n < 10; ++n)
        beantworte(true, n);
    EXPECT_EQ(rec.Ergebnisse, 1);
    EXPECT_EQ(U().AnzRichtig, 5);
    EXPECT_TRUE(boxen.entries().isEmpty()) << boxen.texts().join(u'\n').toStdString();
    UebKartTyp = QStringLiteral("RS");
}

TEST_F(UebFensterTest, ANameIsDraggedWithTheMouseOntoATarget)
{
    starteAtlas();
    F->Zustand.UebRFLevel = 1;
    waehle(3, 5);
    ASSERT_TRUE(IstZuordnungsFrage(frage().Typ));
    F->activateWindow();
    QApplication::processEvents();
    QWidget* quelle = A->AShapeImg[0];
    QWidget* ziel = A->FPfeilImgX[3];
    const QPoint start = quelle->rect().center();
    const QPoint ende = quelle->mapFromGlobal(ziel->mapToGlobal(ziel->rect().center()));
    QTest::mousePress(quelle, Qt::LeftButton, {}, start);
    QTest::mouseMove(quelle, start + QPoint(12, 12));
    EXPECT_EQ(A->ZiehQuelle(), -1);
    QTest::mouseMove(quelle, ende);
    QTest::mouseRelease(quelle, Qt::LeftButton, {}, ende);
    EXPECT_EQ(A->Zuordnung().Ziel(1), 4);
    EXPECT_EQ(A->ZiehQuelle(), 0);
    // Released over a name: refused, nothing placed, no drag frame left.
    const QPoint name = A->AShapeImg[1]->mapFromGlobal(A->ABtn[2]->mapToGlobal(A->ABtn[2]->rect().center()));
    QTest::mousePress(A->AShapeImg[1], Qt::LeftButton, {}, A->AShapeImg[1]->rect().center());
    QTest::mouseMove(A->AShapeImg[1], A->AShapeImg[1]->rect().center() + QPoint(12, 12));
    QTest::mouseMove(A->AShapeImg[1], name);
    QTest::mouseRelease(A->AShapeImg[1], Qt::LeftButton, {}, name);
    EXPECT_EQ(A->Zuordnung().Ziel(2), -2);
    EXPECT_FALSE(A->FRahmDrag->isVisibleTo(A->FPicImg));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(UebFensterTest, TheTeacherGeneratesEveryQuestionWithTheAnswerKey)
{
    starteAtlas();
    UebAuswForm->NetzwerkUebung1->setChecked(true);
    auswahl = [](TUebAuswForm& w) { w.RandSeedText = QStringLiteral("0"); };
    waehle(1, 10);
    UebAuswForm->NetzwerkUebung1->setChecked(false);
    EXPECT_EQ(F->Zustand.Ansichtsmodus, Lernkarte);
    EXPECT_NE(U().UebRandSeed, 0); // a class exercise never publishes seed 0
    EXPECT_EQ(A->LehrerProtokoll.count(QStringLiteral(" Frage [")), 10);
    EXPECT_EQ(A->LehrerProtokoll.count(QStringLiteral("Richtige Antwort: ")), 10);
    EXPECT_FALSE(F->ZeitTimer->isActive());
}

TEST_F(UebFensterTest, SwitchingTheFeedbackLevelShowsInTheStatusLineAtOnce)
{
    starteAtlas();
    F->UebRFLevel2->trigger();
    waehle(1, 10);
    beantworte(true, 0);
    EXPECT_EQ(A->RichtigLab->Caption(), QStringLiteral("1"));
    F->UebRFLevel0->trigger();
    EXPECT_EQ(A->RichtigLab->Caption(), QStringLiteral("?"));
    EXPECT_EQ(A->QuoteLab->Caption(), QStringLiteral("?"));
    F->UebRFLevel1->trigger();
    EXPECT_EQ(A->QuoteLab->Caption(), QStringLiteral("100.0 %"));
    EXPECT_EQ(F->Zustand.UebRFLevel, 1);
}

TEST_F(UebFensterTest, ClockShowsZeroDuringTheFirstHalfSecondThenMinutesAndSeconds)
{
    starteAtlas();
    std::uint32_t tick = 10000;
    A->SetzeUhr({[&] { return tick; }, [] { return QDateTime(QDate(2026, 3, 1), QTime(9, 30)); }});
    waehle(1, 5);
    ASSERT_TRUE(A->Engine().Laeuft());
    tick += 400;
    F->ZeitTimerTimer();
    EXPECT_EQ(A->UebZeitLab->Caption(), QStringLiteral("00:00"));
    tick += 500 + 61000;
    F->ZeitTimerTimer();
    EXPECT_EQ(A->UebZeitLab->Caption(), QStringLiteral("01:01"));
    // Outside the exercise view the timer stops itself.
    F->Zustand.Ansichtsmodus = Lernkarte;
    F->ZeitTimerTimer();
    EXPECT_FALSE(F->ZeitTimer->isActive());
    A->SetzeUhr({});
}

TEST_F(UebFensterTest, ResultWindowLeadsToANewSelectionOrPointingAnswers)
{
    starteAtlas();
    F->Zustand.UebRFLevel = 0;
    // Kind 4 with the pointing types only: answers by clicking the marked places.
    F->Zustand.FragTypMasken[3] = QStringLiteral("00000000000001111100000");
    waehle(4, 5);
    int auswahlen = 0;
    auswahl = [&](TUebAuswForm&) { ++auswahlen; };
    auswahlStarten = false;
    ergebnisAntwort = mbOK;
    for (int n = 0; A->Engine().Laeuft() && n < 10; ++n) {
        ASSERT_TRUE(IstZeigeFrage(frage().Typ));
        A->FPfeilImgX[U().RichtigeAntwort - 1]->OnClick();
    }
    EXPECT_EQ(U().AnzRichtig, 5);
    EXPECT_EQ(rec.Ergebnisse, 1);
    EXPECT_EQ(auswahlen, 1); // "Zur Übungsauswahl": the learning map, then the selection
    EXPECT_EQ(F->Zustand.Ansichtsmodus, Lernkarte);
}

TEST_F(UebFensterTest, AnExactBookmarkFromTheResultWindowStartsTheSameQuestionsAtEveryRestore)
{
    ScopedMessageRecorder boxen; // "Yes" to the bookmark and leave questions
    starteAtlas();
    LesezeichenListe.clear();
    F->BaueLesezeichenMenue();
    F->Zustand.UebRFLevel = 0;
    beimErgebnis = [] {
        UebErgebForm->ExaktCheck1->setChecked(true);
        setzeLesezeichen(UebErgebForm->LesezeichenBtn);
    };
    waehle(2, 5, 2);
    const std::int32_t seed = U().UebRandSeed;
    laufe();
    beimErgebnis = nullptr;
    const QStringList erste = fragen();
    ASSERT_EQ(erste.size(), 5);
    EXPECT_EQ(F->Zustand.Ansichtsmodus, Lernkarte);
    ASSERT_EQ(LesezeichenListe.size(), 1);
    const LesezeichenDataTyp& L = LesezeichenListe[0];
    EXPECT_EQ(L.Modus, 3);
    EXPECT_EQ(L.Daten, QString::number(seed));
    EXPECT_TRUE(L.Titel.endsWith(QStringLiteral(" - Erweitert - Aufbau (5) - [%1]").arg(seed)))
        << L.Titel.toStdString();
    ASSERT_EQ(F->LesezeichenMenue->Eintraege.size(), 1);

    // Other choices meanwhile; the restore brings back the bookmark's and shows the exercise.
    U().UebModus = 1;
    U().UebFragAnz = 10;
    F->LesezeichenMenue->Eintraege[0]->trigger();
    EXPECT_EQ(F->Zustand.Ansichtsmodus, Uebung);
    EXPECT_TRUE(F->UebenPan->isVisibleTo(F));
    EXPECT_TRUE(A->FragePan->isVisibleTo(F));
    EXPECT_TRUE(F->UebungenBtn->Checked());
    ASSERT_TRUE(A->Engine().Laeuft());
    EXPECT_EQ(U().UebModus, 2);
    EXPECT_EQ(U().UebIntensitaet, 2);
    EXPECT_EQ(U().UebRandSeed, seed);
    EXPECT_FALSE(A->FragLab->Caption().isEmpty());
    laufe();
    EXPECT_EQ(fragen(), erste);
    // Once more from inside a running exercise (after the leave question).
    waehle(1, 5);
    ASSERT_TRUE(A->Engine().Laeuft());
    beantworte(true, 0);
    boxen.clear();
    F->LesezeichenMenue->Eintraege[0]->trigger();
    EXPECT_EQ(boxen.entries().size(), 1); // the leave question only
    laufe();
    EXPECT_EQ(fragen(), erste);
    EXPECT_EQ(rec.Ergebnisse, 3); // the interrupted exercise has none
}

TEST_F(UebFensterTest, TheSelectionsBookmarkKeepsNoSeedAndRestoresAFreshExercise)
{
    ScopedMessageRecorder boxen;
    starteAtlas();
    LesezeichenListe.clear();
    F->BaueLesezeichenMenue();
    F->Zustand.UebRFLevel = 0;
    UebErgebForm->ExaktCheck1->setChecked(true); // hidden: no seed is kept
    auswahlStarten = false;
    auswahl = [](TUebAuswForm& w) {
        w.UebRadio[0]->click();
        w.SetzeIntensIndex(0);
        w.FragAnzCombo->setCurrentText(QStringLiteral("5"));
        setzeLesezeichen(w.LesezeichenBtn);
    };
    F->UebungStart1->trigger();
    EXPECT_EQ(F->Zustand.Ansichtsmodus, Lernkarte);
    ASSERT_EQ(LesezeichenListe.size(), 1);
    const LesezeichenDataTyp L = LesezeichenListe[0];
    EXPECT_EQ(L.Modus, 3);
    EXPECT_EQ(L.Daten, QStringLiteral("0"));
    EXPECT_EQ(L.UebModus, 1);
    EXPECT_EQ(L.FragAnz, 5);
    EXPECT_TRUE(L.Titel.endsWith(QStringLiteral(" - Standard - Basis (5) - Zufall"))) << L.Titel.toStdString();
    EXPECT_FALSE(A->Engine().Laeuft());

    F->LesezeichenMenue->Eintraege[0]->trigger();
    ASSERT_TRUE(A->Engine().Laeuft());
    EXPECT_EQ(F->Zustand.Ansichtsmodus, Uebung);
    EXPECT_EQ(U().UebFragAnz, 5);
    const std::int32_t erster = U().UebRandSeed;
    laufe();
    EXPECT_EQ(rec.Ergebnisse, 1);
    F->LesezeichenMenue->Eintraege[0]->trigger();
    ASSERT_TRUE(A->Engine().Laeuft());
    EXPECT_NE(U().UebRandSeed, erster);
}

TEST_F(UebFensterTest, ManualAdvanceShowsTheVideoWindowWithItsContinueButton)
{
    starteAtlas();
    ASSERT_TRUE(AVIForm);
    F->FragWeiterManuell->setChecked(true);
    F->Zustand.UebRFLevel = 0;
    A->WeiterHinweis = [this] { A->ZeigeWeiterHinweis(); };
    waehle(1, 5);
    ASSERT_TRUE(A->Engine().Laeuft());
    int prompts = 0;
    int frageDabei = 0;
    UebModalAusfuehren = [&](QDialog* d) {
        if (d != AVIForm)
            return modal(d);
        ++prompts;
        frageDabei = U().FrageNr;
        EXPECT_TRUE(AVIForm->WeiterBtn->isVisibleTo(AVIForm));
        EXPECT_TRUE(AVIForm->AVIImg->isVisibleTo(AVIForm));
        EXPECT_FALSE(AVIForm->AVIImg->Picture.isNull());
        const QRect m = F->frameGeometry();
        EXPECT_EQ(AVIForm->x(), m.left() + m.width() - AVIForm->width() - 10);
        EXPECT_EQ(AVIForm->y(), m.top() + 20);
        AVIForm->show();
        AVIForm->WeiterBtn->OnClick();
        return AVIForm->result();
    };
    const int nr = U().FrageNr;
    beantworte(true, 0);
    EXPECT_EQ(prompts, 1);
    EXPECT_EQ(frageDabei, nr); // the next question only after "&Weiter"
    EXPECT_EQ(U().FrageNr, nr + 1);
    EXPECT_FALSE(AVIForm->isVisible());
    EXPECT_FALSE(AVIForm->WeiterBtn->isVisibleTo(AVIForm));
}
