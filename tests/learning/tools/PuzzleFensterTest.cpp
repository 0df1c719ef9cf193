// The puzzle view and the bookmarks inside the running main window (offscreen):
// a bundled map solved by clicks, resizing, leaving, the option items; defining,
// restoring and keeping bookmarks of every kind.

#include "PuzzleLoeser.h"
#include "learning/mainwindow/widgets/zl_main.h"

#include "controls/Zufall.h"
#include "datastore/Objektdaten.h"
#include "datastore/zl_data.h"
#include "fixtures/DataFolder.h"
#include "learning/exercise/widgets/zl_uebergebnis.h"
#include "learning/exercise/zl_uebung.h"
#include "learning/mainwindow/widgets/zl_lernkarte.h"
#include "learning/mainwindow/widgets/zl_main_start.h"
#include "learning/mainwindow/zl_einstellungen.h"
#include "learning/mapview/zl_rahmen.h"
#include "learning/tools/widgets/zl_lesezeichen.h"
#include "learning/tools/widgets/zl_lesezeichenmenue.h"
#include "learning/tools/widgets/zl_objeditneu.h"
#include "learning/tools/widgets/zl_schiebansicht.h"
#include "platform/MessageService.h"
#include "platform/SettingsStore.h"
#include "tests/learning/KartivoTestStart.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstring>

using namespace zl;

namespace
{

class PuzzleFenster : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        prog = dir.path() + QStringLiteral("/Kartivo/");
        ASSERT_TRUE(fixtures::writeMinimalDataFolder(prog));
        KomModus = -1;
        StarteLesezeichenUebung = nullptr;
        LesezeichenListe.clear();
        LesezeichenUnlesbar.clear();
    }
    void TearDown() override { StarteLesezeichenUebung = nullptr; }

    TForm1* starte(const QString& Ordner = {})
    {
        k.reset();
        k = test::StarteKartivo(Ordner.isEmpty() ? prog : Ordner, store);
        EXPECT_TRUE(k);
        return k ? k->Hauptfenster() : nullptr;
    }

    void lernkarte(TForm1* f, const QString& id)
    {
        f->Zustand.AktKartID = id;
        f->SetzeZoom(0);
        f->ZeigeLernkarte();
    }

    // Starts the puzzle from the learning map with a known shuffle.
    void puzzle(TForm1* f, const QString& id = QStringLiteral("DEU"), std::int32_t seed = 4711)
    {
        lernkarte(f, id);
        f->Schiebepuzzle1->trigger();
        // The engine starts a fresh sequence only when created; re-shuffle from a seed.
        Zufall::SetRandSeed(seed);
        f->Puzzle->Mischen();
        f->PuzzleAnsicht->ZeigePuzzleZuege();
    }

    static void klicke(TForm1* f, int c, int r)
    {
        const TSchiebepuzzle& P = *f->Puzzle;
        QTest::mouseClick(f->PuzzleAnsicht->SchiebImg, Qt::LeftButton, {},
                          QPoint(c * P.TeilBreite + P.TeilBreite / 2, r * P.TeilHoehe + P.TeilHoehe / 2));
    }

    // The bookmark dialog opens modally after a definition: close it at once.
    static void schliesseDialogGleich()
    {
        QTimer::singleShot(0, [] {
            if (LesezeichenForm && LesezeichenForm->isVisible())
                LesezeichenForm->done(0);
        });
    }

    void definiere(TForm1* f)
    {
        schliesseDialogGleich();
        f->LesezeichenDefinieren1->trigger();
    }

    QTemporaryDir dir;
    QString prog;
    MemorySettingsStore store;
    std::unique_ptr<TKartivo> k;
};

int anzahlBoxen(const RecordingMessageService& rec, const QString& text)
{
    int n = 0;
    for (const auto& e : rec.entries())
        n += e.text == text;
    return n;
}

} // namespace

TEST_F(PuzzleFenster, SolvesABundledMapByClicks)
{
    ScopedMessageRecorder rec;
    TForm1* f = starte(QStringLiteral(ZL_KARTIVO_DIR "/"));
    ASSERT_TRUE(f);
    ASSERT_TRUE(f->Puzzle3x3->isChecked());
    puzzle(f, QStringLiteral("DEU"), 99);
    ASSERT_EQ(f->Zustand.Ansichtsmodus, Schiebepuzzle);
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Zelvaro - Terravio 4.0 - Puzzle: Deutschland"));
    ASSERT_TRUE(f->Puzzle->HatBrett());
    EXPECT_TRUE(f->ZeitTimer->isActive());

    const auto weg = LoesePuzzle3x3(*f->Puzzle);
    ASSERT_FALSE(weg.empty());
    for (const QPoint& z : weg)
        klicke(f, z.x(), z.y());
    EXPECT_EQ(f->Puzzle->AnzahlFalscheTeile(), 0);
    EXPECT_EQ(f->Puzzle->LeerSpalte, -1);
    EXPECT_FALSE(f->ZeitTimer->isActive());
    EXPECT_EQ(f->PuzzleAnsicht->PuzzleZugLab->text(), QString::number(weg.size()));
    ASSERT_FALSE(rec.entries().isEmpty());
    EXPECT_EQ(rec.entries().last().text,
              PuzzleGeloestText(true, QString::number(weg.size()), f->PuzzleAnsicht->PuzzleZeitLab->text()));
    // Solved: clicks change nothing and leaving asks no more.
    klicke(f, 0, 0);
    EXPECT_EQ(f->Puzzle->AnzahlZuege(), int(weg.size()));
    const auto boxen = rec.entries().size();
    f->KartenAuswahl1->trigger();
    EXPECT_EQ(f->Zustand.Ansichtsmodus, Kartenauswahl);
    EXPECT_EQ(rec.entries().size(), boxen);
}

TEST_F(PuzzleFenster, StartFramesTheBoardAndRunsTheClock)
{
    ScopedMessageRecorder rec;
    TForm1* f = starte();
    if (f->Sound1->isChecked())
        f->Sound1->trigger(); // the fixture folder has no sound files
    f->PuzzleModeClick(1);
    f->PuzzleTeileClick(4);
    EXPECT_TRUE(rec.entries().isEmpty()); // not in the puzzle yet: no restart hint
    puzzle(f);
    TPuzzleAnsicht* A = f->PuzzleAnsicht;
    EXPECT_EQ(f->Puzzle->Spalten, 4);
    EXPECT_TRUE(f->SchiebBasisPan->isVisible());
    EXPECT_TRUE(A->SchiebImg->isVisible());
    const QSize b = f->Puzzle->Brettbild().size();
    EXPECT_EQ(A->SchiebImg->size(), b);
    EXPECT_EQ(A->SchiebPan->size(), b + QSize(18, 18));
    EXPECT_EQ(A->SchiebPan->x(), (f->SchiebBasisPan->width() - b.width()) / 2 - 9);
    EXPECT_EQ(A->SchiebPan2->geometry(), QRect(QPoint(9, 9), b));
    EXPECT_EQ(f->Puzzle->Leerfarbe, Flaechenfarbe);
    EXPECT_FALSE(A->PuzzHilfImg->Picture.isNull());
    EXPECT_EQ(A->PuzzleZugLab->text(), QStringLiteral("0"));
    EXPECT_TRUE(f->ZeitTimer->isActive());
    // Any-tile mode: a tile far from the hole moves in one click.
    const int lc = f->Puzzle->LeerSpalte, lr = f->Puzzle->LeerZeile;
    klicke(f, (lc + 2) % 4, (lr + 2) % 4);
    EXPECT_EQ(A->PuzzleZugLab->text(), QStringLiteral("1"));
    // The cursor shows which tiles may move.
    const TSchiebepuzzle& P = *f->Puzzle;
    f->PuzzleModeClick(0);
    const int nc = P.LeerSpalte > 0 ? P.LeerSpalte - 1 : P.LeerSpalte + 1;
    QTest::mouseMove(A->SchiebImg, QPoint(nc * P.TeilBreite + 5, P.LeerZeile * P.TeilHoehe + 5));
    EXPECT_EQ(A->SchiebImg->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(A->SchiebImg, QPoint(P.LeerSpalte * P.TeilBreite + 5, P.LeerZeile * P.TeilHoehe + 5));
    EXPECT_EQ(A->SchiebImg->cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(rec.entries().isEmpty()) << rec.texts().join(u'\n').toStdString();
}

TEST_F(PuzzleFenster, ResizingKeepsBoardMovesAndClock)
{
    TForm1* f = starte();
    puzzle(f);
    const TSchiebepuzzle& P = *f->Puzzle;
    klicke(f, P.LeerSpalte > 0 ? P.LeerSpalte - 1 : 1, P.LeerZeile);
    int feld[5][5];
    std::memcpy(feld, P.Feld, sizeof feld);
    const QSize vorher = P.Brettbild().size();
    const std::uint32_t start = P.Startzeit;
    f->setWindowState(Qt::WindowNoState);
    f->resize(980, 640);
    QApplication::processEvents();
    EXPECT_NE(P.Brettbild().size(), vorher);
    EXPECT_EQ(std::memcmp(feld, P.Feld, sizeof feld), 0);
    EXPECT_EQ(P.AnzahlZuege(), 1);
    EXPECT_EQ(P.Startzeit, start);
    EXPECT_EQ(f->PuzzleAnsicht->SchiebImg->size(), P.Brettbild().size());
    EXPECT_EQ(f->Zustand.Ansichtsmodus, Schiebepuzzle);
}

TEST_F(PuzzleFenster, LeavingAnUnsolvedPuzzleAsksFirst)
{
    ScopedMessageRecorder rec;
    TForm1* f = starte();
    puzzle(f);
    rec.answerNext(mbNo);
    f->KartenAuswahl1->trigger();
    ASSERT_EQ(rec.entries().size(), 1);
    EXPECT_EQ(rec.entries()[0].text, FragePuzzleAbbrechen(true));
    EXPECT_EQ(f->Zustand.Ansichtsmodus, Schiebepuzzle);
    rec.answerNext(mbNo);
    EXPECT_FALSE(f->close());
    rec.answerNext(mbYes);
    f->Lernkarte1->trigger();
    EXPECT_EQ(f->Zustand.Ansichtsmodus, Lernkarte);
}

TEST_F(PuzzleFenster, OptionItemsAskForARestartAndKeepTheBoard)
{
    ScopedMessageRecorder rec;
    TForm1* f = starte();
    puzzle(f);
    int feld[5][5];
    std::memcpy(feld, f->Puzzle->Feld, sizeof feld);
    f->Puzzle5x5->trigger();
    EXPECT_EQ(rec.texts(), QStringList{PuzzleNeustartText()});
    EXPECT_EQ(f->Puzzle->Spalten, 3);
    EXPECT_EQ(std::memcmp(feld, f->Puzzle->Feld, sizeof feld), 0);
    f->Puzzle5x5->trigger(); // already checked: nothing
    EXPECT_EQ(rec.entries().size(), 1);
    f->LernkarteAnsicht->KartTypPunkt[2]->trigger();
    EXPECT_EQ(anzahlBoxen(rec, PuzzleNeustartText()), 2);
    EXPECT_EQ(store.readInt32(QStringLiteral("Puzzle-Teile")).value_or(0), 5);
}

TEST_F(PuzzleFenster, AMapWithoutAnyPictureGivesABoxAndNoPuzzle)
{
    ScopedMessageRecorder rec;
    TForm1* f = starte();
    lernkarte(f, QStringLiteral("DEU"));
    for (const QString& n : QDir(KartenVerz).entryList(QDir::Files))
        QFile::remove(KartenVerz + n);
    KartenCachePfad.clear();
    rec.clear();
    f->Zustand.AktKartID = QStringLiteral("DBY");
    f->Schiebepuzzle1->trigger();
    EXPECT_EQ(f->Zustand.Ansichtsmodus, Lernkarte);
    ASSERT_EQ(rec.entries().size(), 1);
    EXPECT_TRUE(rec.entries()[0].text.startsWith(QStringLiteral("Zu dieser Karte gibt es kein Kartenbild")));
}

TEST_F(PuzzleFenster, LearningMapBookmarkRestoresTheViewAndSurvivesARestart)
{
    ScopedMessageRecorder rec;
    TForm1* f = starte();
    lernkarte(f, QStringLiteral("DEU"));
    TLernkarteAnsicht* L = f->LernkarteAnsicht;
    L->SetzeKartTyp(QStringLiteral("PF"));
    L->SetzeFontFakIndex(0);
    L->SetzeKartenschrift(1);
    f->SetzeIntensitaet(3);
    const bool ebenen[5] = {true, false, true, false, false};
    for (int e = 0; e < 5; ++e)
        if (L->LernObjCheck[e]->isChecked() != ebenen[e])
            L->LernObjCheck[e]->trigger();
    const bool ebene6 = L->LernObjCheck[5]->isChecked();
    f->SetzeZoom(2);
    f->Zustand.Viewport.SetzeAnker(1, -1);
    definiere(f);
    ASSERT_EQ(LesezeichenListe.size(), 1);
    EXPECT_TRUE(LesezeichenListe[0].Titel.endsWith(QStringLiteral(" - Karte: Deutschland")));
    EXPECT_EQ(LesezeichenListe[0].Daten, QStringLiteral("3~1~0~1~0~0~2~1~-1~"));
    EXPECT_EQ(rec.entries()[0].text, LesezeichenFrage(2, true));
    ASSERT_EQ(f->LesezeichenMenue->Eintraege.size(), 1);
    EXPECT_EQ(f->LesezeichenMenue->Eintraege[0]->text(), QStringLiteral("&1:  ") + LesezeichenListe[0].Titel);
    EXPECT_EQ(store.readText(QStringLiteral("Lesezeichen")).value_or(QString()), f->LesezeichenText());

    // Elsewhere, then back through the menu.
    lernkarte(f, QStringLiteral("EUR"));
    L->SetzeKartTyp(QStringLiteral("RS"));
    L->SetzeFontFakIndex(2);
    L->SetzeKartenschrift(0);
    f->SetzeIntensitaet(1);
    L->AlleEbenen(true);
    L->LernObjCheck[5]->setChecked(!ebene6);
    f->SetzeZoom(0);
    f->LesezeichenMenue->Eintraege[0]->trigger();
    const HauptfensterZustand& Z = f->Zustand;
    EXPECT_EQ(Z.Ansichtsmodus, Lernkarte);
    EXPECT_EQ(Z.AktKartID, QStringLiteral("DEU"));
    EXPECT_EQ(KartTyp, QStringLiteral("PF"));
    EXPECT_EQ(Z.LernIntensitaet, 3);
    EXPECT_EQ(Z.FontFakIndex, 0);
    EXPECT_EQ(Z.Kartenschrift, 1);
    EXPECT_EQ(Z.Viewport.ZoomStufe, 2);
    EXPECT_EQ(Z.Viewport.ScrollAnkerX, 1);
    EXPECT_EQ(Z.Viewport.ScrollAnkerY, -1);
    for (int e = 0; e < 5; ++e) {
        EXPECT_EQ(L->LernObjCheck[e]->isChecked(), ebenen[e]) << e;
        EXPECT_EQ(L->LernObjListCheck[e]->isChecked(), ebenen[e]) << e;
    }
    EXPECT_EQ(L->LernObjCheck[5]->isChecked(), !ebene6); // the sixth layer is not stored
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Zelvaro - Terravio 4.0 - Karte: Deutschland"));

    // The stored value brings it back at the next start.
    const QString wert = f->LesezeichenText();
    LesezeichenListe.clear();
    f = starte();
    ASSERT_EQ(LesezeichenListe.size(), 1);
    EXPECT_EQ(f->LesezeichenText(), wert);
    ASSERT_EQ(f->LesezeichenMenue->Eintraege.size(), 1);
    EXPECT_TRUE(f->LesezeichenMenu1->actions()[2]->isVisible());
}

TEST_F(PuzzleFenster, PuzzleBookmarkAsksOnceAndKeepsTheOldPuzzleOnNo)
{
    ScopedMessageRecorder rec;
    TForm1* f = starte();
    f->PuzzleTeileClick(4);
    puzzle(f, QStringLiteral("DBY"));
    definiere(f);
    ASSERT_EQ(LesezeichenListe.size(), 1);
    EXPECT_TRUE(LesezeichenListe[0].Titel.endsWith(QStringLiteral(" - Puzzle: Bayern - 4x4")));
    EXPECT_EQ(LesezeichenListe[0].Daten, QStringLiteral("4"));

    f->PuzzleTeileClick(3);
    puzzle(f, QStringLiteral("DEU"));
    ASSERT_GE(f->Puzzle->AnzahlFalscheTeile(), 1);
    rec.clear();
    rec.answerNext(mbNo);
    f->LesezeichenMenue->Eintraege[0]->trigger();
    EXPECT_EQ(rec.texts(), QStringList{FragePuzzleAbbrechen(true)});
    EXPECT_EQ(f->Zustand.AktKartID, QStringLiteral("DEU"));
    EXPECT_EQ(f->Puzzle->Spalten, 3);

    rec.clear();
    rec.answerNext(mbYes);
    f->LesezeichenMenue->Eintraege[0]->trigger();
    EXPECT_EQ(rec.texts(), QStringList{FragePuzzleAbbrechen(true)}); // asked once, not twice
    EXPECT_EQ(f->Zustand.AktKartID, QStringLiteral("DBY"));
    EXPECT_EQ(f->Puzzle->Spalten, 4);
    EXPECT_TRUE(f->Puzzle4x4->isChecked());
    EXPECT_EQ(f->Zustand.Ansichtsmodus, Schiebepuzzle);
    EXPECT_GE(f->Puzzle->AnzahlFalscheTeile(), 1);
}

TEST_F(PuzzleFenster, ExerciseBookmarkHandsItsSeedToTheExerciseStart)
{
    ScopedMessageRecorder rec;
    TForm1* f = starte();
    HauptfensterZustand& Z = f->Zustand;
    Z.Ansichtsmodus = Uebung;
    f->AktualisiereMenues();
    Uebungszustand& U = Z.Uebung;
    U.UebKartID = QStringLiteral("DEU");
    U.UebGebiet = 11;
    U.UebIntensitaet = 2;
    U.UebModus = 1;
    U.UebFragAnz = 15;
    U.UebTypMaske = Z.FragTypMasken[0];
    U.UebRandSeed = 987654;
    UebKartTyp = QStringLiteral("PW");
    f->FragWeiterManuell->setChecked(true);
    definiere(f); // the result window is hidden: no seed
    UebErgebForm->ExaktCheck1->setChecked(true);
    UebErgebForm->show();
    definiere(f);
    UebErgebForm->hide();
    ASSERT_EQ(LesezeichenListe.size(), 2);
    EXPECT_TRUE(
        LesezeichenListe[0].Titel.endsWith(QStringLiteral(" - Übung: Deutschland - Standard - Aufbau (15) - Zufall")));
    EXPECT_TRUE(LesezeichenListe[1].Titel.endsWith(
        QStringLiteral(" - Übung: Deutschland - Standard - Aufbau (15) - [987654]")));
    EXPECT_EQ(LesezeichenListe[1].Daten, QStringLiteral("987654"));
    EXPECT_EQ(LesezeichenListe[1].FragTypOk, Z.FragTypMasken[0]);
    EXPECT_FALSE(LesezeichenListe[1].AutoWeiter);

    // Elsewhere, then restore.
    Z.Ansichtsmodus = Lernkarte;
    U.UebModus = 3;
    U.UebFragAnz = 5;
    UebKartTyp = QStringLiteral("RS");
    f->FragWeiterAuto->setChecked(true);
    Z.FragTypMasken[3] = QStringLiteral("1");
    QList<TUebStart> starts;
    StarteLesezeichenUebung = [&](const TUebStart& s) { starts.append(s); };
    f->LesezeichenMenue->Eintraege[1]->trigger();
    f->LesezeichenMenue->Eintraege[0]->trigger();
    ASSERT_EQ(starts.size(), 2);
    EXPECT_EQ(starts[0].KartID, QStringLiteral("DEU"));
    EXPECT_EQ(starts[0].Gebiet, 11);
    EXPECT_EQ(starts[0].Seed, 987654);
    EXPECT_EQ(starts[0].Intensitaet, 2);
    EXPECT_EQ(starts[1].Seed, 0);
    EXPECT_EQ(U.UebModus, 1);
    EXPECT_EQ(U.UebFragAnz, 15);
    EXPECT_EQ(UebKartTyp, QStringLiteral("PW"));
    EXPECT_EQ(U.UebTypMaske, Z.FragTypMasken[0].left(50));
    EXPECT_EQ(Z.FragTypMasken[3], Z.FragTypMasken[0]); // the kind "Individuell" takes the bookmark's mask
    EXPECT_TRUE(f->FragWeiterManuell->isChecked());
    EXPECT_FALSE(Z.Wahl.FragWeiterAuto);
    EXPECT_EQ(U.UebKartIndex, [] {
        for (int i = int(UebungsDaten.size()) - 1; i >= 0; --i)
            if (UebungsDaten[i].UebKartID == u"DEU")
                return i;
        return -1;
    }());
    UebErgebForm->ExaktCheck1->setChecked(false);
}

TEST_F(PuzzleFenster, DamagedStoredBookmarksAreKeptAndTheOthersShown)
{
    LesezeichenDataTyp gut;
    gut.Titel = QStringLiteral("Bayern");
    gut.KartID = QStringLiteral("DBY");
    gut.Modus = 4;
    gut.Daten = QStringLiteral("3");
    gut.KartTyp = QStringLiteral("RS");
    const QString kaputt = QStringLiteral("\"Titel|DEU|zwei|-1|-1|x|\"");
    store.writeText(QStringLiteral("Lesezeichen"), kaputt + u',' + LesezeichenWert({gut}));
    ScopedMessageRecorder rec;
    TForm1* f = starte();
    EXPECT_EQ(
        anzahlBoxen(rec, QStringLiteral("Ein gespeichertes Lesezeichen ist beschädigt und wird nicht angezeigt.")), 1);
    ASSERT_EQ(f->LesezeichenMenue->Eintraege.size(), 1);
    EXPECT_EQ(f->LesezeichenMenue->Eintraege[0]->text(), QStringLiteral("&1:  Bayern"));
    lernkarte(f, QStringLiteral("DEU"));
    definiere(f);
    const QString wert = store.readText(QStringLiteral("Lesezeichen")).value_or(QString());
    EXPECT_TRUE(wert.endsWith(u',' + kaputt)) << wert.toStdString();
    EXPECT_EQ(LeseLesezeichenWert(wert, {}).Liste.size(), 2);
}

TEST_F(PuzzleFenster, RestoreSwitchesTheLabelFileOnlyWhenItCanBeRead)
{
    QStringList andere = fixtures::labelLines();
    andere.append(QStringLiteral("DEU~H~5000~5000~Neustadt~0~0~1~"));
    ASSERT_TRUE(fixtures::writeTextFile(prog + QStringLiteral("ZL-Daten/andere.zlk"), andere));
    ScopedMessageRecorder rec;
    TForm1* f = starte();
    lernkarte(f, QStringLiteral("DEU"));
    const QString standard = ObjDatei;
    const auto vorher = ObjDaten.size();
    definiere(f);
    definiere(f);
    LesezeichenListe[0].ObjDateiName = QStringLiteral("andere.zlk");
    LesezeichenListe[1].ObjDateiName = QStringLiteral("fehlt.zlk");

    rec.clear();
    f->LesezeichenMenue->Eintraege[0]->trigger();
    EXPECT_EQ(rec.texts(), QStringList{QStringLiteral("Wechsel der Kartenobjektdatei (andere.zlk)")});
    EXPECT_TRUE(ObjDatei.endsWith(QStringLiteral("ZL-Daten/andere.zlk")));
    EXPECT_EQ(ObjDaten.size(), vorher + 1);

    rec.clear();
    f->LesezeichenMenue->Eintraege[1]->trigger();
    ASSERT_EQ(rec.entries().size(), 2);
    EXPECT_EQ(rec.entries()[0].text, QStringLiteral("Wechsel der Kartenobjektdatei (fehlt.zlk)"));
    EXPECT_EQ(rec.entries()[1].kind, MsgKind::Fehler);
    // The labels and the file they came from stay together.
    EXPECT_TRUE(ObjDatei.endsWith(QStringLiteral("ZL-Daten/andere.zlk")));
    EXPECT_EQ(ObjDaten.size(), vorher + 1);
    EXPECT_EQ(f->Zustand.Ansichtsmodus, Lernkarte);
    Q_UNUSED(standard);
}

TEST_F(PuzzleFenster, RestoreWaitsForTheLabelEditorToClose)
{
    ScopedMessageRecorder rec;
    TForm1* f = starte();
    lernkarte(f, QStringLiteral("DEU"));
    definiere(f);
    lernkarte(f, QStringLiteral("EUR"));
    // An editor that keeps its unsaved edits refuses to close.
    struct Haelt : QObject {
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Close) {
                e->ignore();
                return true;
            }
            return false;
        }
    } haelt;
    ObjEditneuForm->show();
    ObjEditneuForm->installEventFilter(&haelt);
    f->LesezeichenMenue->Eintraege[0]->trigger();
    EXPECT_EQ(f->Zustand.AktKartID, QStringLiteral("EUR"));
    EXPECT_TRUE(ObjEditneuForm->isVisible());
    ObjEditneuForm->removeEventFilter(&haelt);
    f->LesezeichenMenue->Eintraege[0]->trigger();
    EXPECT_EQ(f->Zustand.AktKartID, QStringLiteral("DEU"));
    EXPECT_FALSE(ObjEditneuForm->isVisible());
}

TEST_F(PuzzleFenster, DialogRenamesAndDeletesWithoutBars)
{
    ScopedMessageRecorder rec;
    TForm1* f = starte();
    lernkarte(f, QStringLiteral("DEU"));
    for (int i = 0; i < 10; ++i)
        definiere(f);
    ASSERT_EQ(f->LesezeichenMenue->Eintraege.size(), 10);
    EXPECT_TRUE(f->LesezeichenMenue->Eintraege[9]->text().startsWith(QStringLiteral("10:  ")));

    TLesezeichenForm* D = LesezeichenForm;
    D->Fuelle(&LesezeichenListe, true);
    D->show();
    EXPECT_EQ(D->List1->currentRow(), 9);
    EXPECT_EQ(D->Edit1->text(), LesezeichenListe[9].Titel);
    D->Edit1->clear();
    D->Edit1->setFocus();
    QTest::keyClicks(D->Edit1, QStringLiteral("Mein|e Karte"));
    EXPECT_EQ(D->Edit1->text(), QStringLiteral("Meine Karte"));
    QTest::keyClick(D->Edit1, Qt::Key_Return);
    EXPECT_EQ(LesezeichenListe[9].Titel, QStringLiteral("Meine Karte"));
    EXPECT_EQ(D->List1->item(9)->text(), QStringLiteral("Meine Karte"));
    EXPECT_TRUE(D->isVisible());

    D->DelBtnClick(); // the last: the new last is selected
    EXPECT_EQ(LesezeichenListe.size(), 9);
    EXPECT_EQ(D->List1->currentRow(), 8);
    D->List1->setCurrentRow(0);
    D->DelBtnClick();
    EXPECT_EQ(D->List1->currentRow(), 0);
    while (!LesezeichenListe.isEmpty())
        D->DelBtnClick();
    EXPECT_EQ(D->List1->count(), 0);
    rec.clear();
    D->ZuweisBtnClick();
    D->DelBtnClick();
    EXPECT_EQ(
        rec.texts(),
        (QStringList{QStringLiteral("Markiere zunächst in der Liste das Lesezeichen, das geändert werden soll."),
                     QStringLiteral("Markiere zunächst in der Liste das Lesezeichen, das gelöscht werden soll.")}));
    D->hide();
    f->BaueLesezeichenMenue();
    EXPECT_TRUE(f->LesezeichenMenue->Eintraege.isEmpty());
    EXPECT_FALSE(f->LesezeichenMenu1->actions()[2]->isVisible());
}

TEST_F(PuzzleFenster, PuzzleBookmarkOfAMapWithoutPicturesKeepsTheView)
{
    ScopedMessageRecorder rec;
    TForm1* f = starte();
    LesezeichenDataTyp L;
    L.Titel = QStringLiteral("Verschwunden");
    L.KartID = QStringLiteral("NIRGENDS");
    L.Modus = 4;
    L.Daten = QStringLiteral("5");
    L.KartTyp = QStringLiteral("PW");
    f->LesezeichenMenue->NeuesLesezeichen(L);
    lernkarte(f, QStringLiteral("DEU"));
    KartTyp = QStringLiteral("RS");
    rec.clear();
    f->LesezeichenMenue->Eintraege[0]->trigger();
    EXPECT_EQ(f->Zustand.Ansichtsmodus, Lernkarte);
    EXPECT_EQ(f->Zustand.AktKartID, QStringLiteral("DEU"));
    EXPECT_EQ(KartTyp, QStringLiteral("RS"));
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Zelvaro - Terravio 4.0 - Karte: Deutschland"));
    ASSERT_EQ(rec.entries().size(), 1);
    EXPECT_TRUE(rec.entries()[0].text.startsWith(QStringLiteral("Zu dieser Karte gibt es kein Kartenbild")));
}

TEST_F(PuzzleFenster, ExerciseBookmarkWithItsSeedGivesTheSameQuestions)
{
    ScopedMessageRecorder rec;
    TForm1* f = starte(QStringLiteral(ZL_KARTIVO_DIR "/"));
    lernkarte(f, QStringLiteral("DEU"));
    LesezeichenDataTyp L;
    L.Titel = QStringLiteral("Europa");
    L.KartID = QStringLiteral("EURO");
    L.Modus = 3;
    L.Gebiet = 10;
    L.Intensitaet = 2;
    L.Daten = QStringLiteral("424242");
    L.ObjDateiName = ObjDatei;
    L.FragTypOk = StandardFragTypMasken()[0];
    L.KartTyp = QStringLiteral("PF");
    L.FragAnz = 10;
    L.UebModus = 1;
    L.AutoWeiter = true;
    f->LesezeichenMenue->NeuesLesezeichen(L);
    L.Daten = QStringLiteral("0");
    f->LesezeichenMenue->NeuesLesezeichen(L);

    // The exercise start as the exercise screen fills it: the engine over the
    // main window's state; the first questions are kept for comparison.
    TUebung Uebung(f->Zustand.Uebung);
    QList<QStringList> laeufe;
    QList<std::int32_t> seeds;
    StarteLesezeichenUebung = [&](const TUebStart& s) {
        TUebOptionen o;
        o.FragTypMasken = f->Zustand.FragTypMasken;
        o.UebKartTyp = UebKartTyp;
        o.MeldungenZeigen = false;
        ASSERT_TRUE(Uebung.StarteUebung(s, o));
        seeds.append(f->Zustand.Uebung.UebRandSeed);
        QStringList fragen;
        for (int i = 0; i < 4; ++i) {
            const TFrage& q = Uebung.Frage();
            fragen.append(q.FragText + u'|' + q.Antworten[0] + u'|' + q.Antworten[4]);
            Uebung.WerteAntwortAus(1);
            Uebung.Weiter();
        }
        laeufe.append(fragen);
    };
    std::uint32_t uhr = 1000;
    Zufall::SetUhr([&uhr] { return uhr += 7919; });
    for (int i : {0, 1, 0, 1})
        f->LesezeichenMenue->Eintraege[i]->trigger();
    Zufall::SetUhr({});
    ASSERT_EQ(laeufe.size(), 4);
    EXPECT_EQ(seeds[0], 424242);
    EXPECT_EQ(seeds[2], 424242);
    EXPECT_EQ(laeufe[0], laeufe[2]);
    EXPECT_NE(seeds[1], seeds[3]); // seed 0: a new sequence at every restore
    EXPECT_NE(seeds[1], 0);
    EXPECT_EQ(f->Zustand.Uebung.UebFragAnz, 10);
    EXPECT_EQ(UebKartTyp, QStringLiteral("PF"));
    EXPECT_TRUE(rec.entries().isEmpty()) << rec.texts().join(u'\n').toStdString();
}
