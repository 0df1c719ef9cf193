#include "learning/mainwindow/widgets/zl_main.h"

#include "datastore/Objektdaten.h"
#include "datastore/zl_data.h"
#include "fixtures/DataFolder.h"
#include "learning/exercise/widgets/zl_uebausw.h"
#include "learning/exercise/widgets/zl_uebergebnis.h"
#include "learning/mainwindow/widgets/zl_main_start.h"
#include "learning/mapview/widgets/zl_info.h"
#include "learning/mapview/widgets/zl_melde.h"
#include "learning/mapview/widgets/zl_titel.h"
#include "learning/mapview/zl_rahmen.h"
#include "learning/network/widgets/zl_kommverz.h"
#include "learning/network/widgets/zl_netzprotokoll.h"
#include "platform/MessageService.h"
#include "platform/widgets/DocumentOpener.h"
#include "tests/learning/KartivoTestStart.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace zl;

namespace {

class KartivoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        prog = dir.path() + QStringLiteral("/Kartivo/");
        ASSERT_TRUE(fixtures::writeMinimalDataFolder(prog, fixtures::Options{false}));
        KomModus = -1;
    }

    // Starts the program on the fixture folder and shows the main window.
    std::unique_ptr<TKartivo> starte()
    {
        auto k = test::StarteKartivo(prog, store);
        EXPECT_TRUE(k);
        return k;
    }

    QTemporaryDir dir;
    QString prog;
    MemorySettingsStore store;
};

bool sichtbar(QWidget* w) { return w->isVisibleTo(w->window()); }

} // namespace

TEST_F(KartivoTest, StartsOnTheMapSelectionWithoutAnyBox)
{
    ScopedMessageRecorder rec;
    auto k = starte();
    TForm1* f = k->Hauptfenster();
    ASSERT_TRUE(f);
    EXPECT_TRUE(rec.entries().isEmpty()) << rec.texts().join(u'\n').toStdString();
    EXPECT_EQ(f->Zustand.Ansichtsmodus, Kartenauswahl);
    EXPECT_FALSE(f->Zustand.ErsteAktivierung);
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Zelvaro - Terravio 4.0"));
    EXPECT_EQ(AnwendungsTitel, QStringLiteral("Zelvaro - Terravio 4.0"));
    // Never set: the window system would append it to every window title.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    EXPECT_TRUE(f->isMaximized() || f->windowState().testFlag(Qt::WindowMaximized));
    EXPECT_TRUE(sichtbar(f->KartenAuswahlPan));
    EXPECT_FALSE(sichtbar(f->LernPan));
    EXPECT_TRUE(f->KartenAuswBtn->Checked());
    EXPECT_FALSE(f->Lernkarte1->isEnabled());
    EXPECT_TRUE(f->Suche1->isEnabled());
    EXPECT_FALSE(f->Drucken1->isEnabled());
    EXPECT_EQ(f->Zustand.AktKartID, QStringLiteral("DEU"));
    EXPECT_EQ(DatenVerz, prog + QStringLiteral("ZL-Daten/"));
    EXPECT_FALSE(ObjDaten.isEmpty());

    // Every window once, the main window first, in the order of creation.
    const QStringList erwartet{
        QStringLiteral("Form1"),           QStringLiteral("UebAuswForm"),    QStringLiteral("MeldForm"),
        QStringLiteral("UebProtForm"),     QStringLiteral("InfoBox"),        QStringLiteral("UebKartDarstForm"),
        QStringLiteral("KartSuchForm"),    QStringLiteral("SuchErgForm"),    QStringLiteral("NetzUebungTnStartForm"),
        QStringLiteral("TabDruckForm"),    QStringLiteral("AVIForm"),        QStringLiteral("KommVerzForm"),
        QStringLiteral("UebErgebForm"),    QStringLiteral("NetzOptForm"),    QStringLiteral("DatenTabForm"),
        QStringLiteral("LesezeichenForm"), QStringLiteral("ObjEditneuForm"), QStringLiteral("DruckForm"),
        QStringLiteral("ListDruckForm"),   QStringLiteral("UebungsoptForm")};
    QStringList namen;
    for (QWidget* w : k->Fenster())
        namen << w->objectName();
    EXPECT_EQ(namen, erwartet);

    // Hand-overs of the first activation.
    EXPECT_EQ(UebErgebForm->SaveProtokollVerz, ProtokollVerz);
    EXPECT_EQ(UebProtForm->SaveProtokollVerz, ProtokollVerz);
    EXPECT_EQ(f->ZLKOpenDlg1Verz, DatenVerz);

    // The fixture has no feedback videos: still pictures are chosen.
    EXPECT_TRUE(f->Animation_Standbild->isChecked());
    f->Animation_einClick();
    EXPECT_TRUE(f->Animation_Standbild->isChecked());
    EXPECT_TRUE(rec.entries().isEmpty());
}

TEST_F(KartivoTest, ViewModesShowTheirPanelsAndMenus)
{
    ScopedMessageRecorder rec;
    auto k = starte();
    TForm1* f = k->Hauptfenster();

    // F6 on the map selection: the hint, and the page stays.
    f->Lernkarte1->setEnabled(true);
    f->Lernkarte1->trigger();
    ASSERT_EQ(rec.entries().size(), 1);
    EXPECT_TRUE(rec.entries()[0].text.startsWith(QStringLiteral("Wähle unten zunächst eine Landkarte")));
    EXPECT_EQ(f->Zustand.Ansichtsmodus, Kartenauswahl);
    rec.clear();

    f->SetzeZoom(0);
    f->ZeigeLernkarte();
    EXPECT_EQ(f->Zustand.Ansichtsmodus, Lernkarte);
    EXPECT_FALSE(sichtbar(f->KartenAuswahlPan));
    EXPECT_TRUE(sichtbar(f->LernPan));
    EXPECT_TRUE(sichtbar(f->LernObjPan));
    EXPECT_TRUE(sichtbar(f->KartTypRSPan));
    EXPECT_FALSE(sichtbar(f->UebenPan));
    EXPECT_TRUE(f->LernKartBtn->Checked());
    EXPECT_FALSE(f->KartenAuswBtn->Checked());
    EXPECT_TRUE(f->Drucken1->isEnabled());
    EXPECT_TRUE(f->Ansicht1->menuAction()->isVisible());
    EXPECT_FALSE(f->Uebungabbrechen1->isEnabled());
    EXPECT_TRUE(f->windowTitle().startsWith(QStringLiteral("Zelvaro - Terravio 4.0 - Karte: ")));

    // The exercise start sets the view and calls ZeigeModus.
    f->Zustand.Ansichtsmodus = Uebung;
    f->ZeigeModus();
    EXPECT_TRUE(sichtbar(f->UebenPan));
    EXPECT_TRUE(sichtbar(f->UebStatusPan));
    EXPECT_FALSE(sichtbar(f->LernObjPan));
    EXPECT_FALSE(sichtbar(f->KartTypRSPan));
    EXPECT_TRUE(f->UebungenBtn->Checked());
    EXPECT_FALSE(f->NetzUebTeilnehmenBtn->Checked());
    EXPECT_TRUE(f->Uebungabbrechen1->isEnabled());
    EXPECT_FALSE(f->Ansicht1->menuAction()->isVisible());
    EXPECT_TRUE(f->UebungsOptionen1->menuAction()->isVisible());

    // Esc asks; No keeps the exercise, Yes returns to the learning map at level 0.
    f->Zustand.Viewport.SetzeZoomStufe(3);
    rec.answerNext(mbNo);
    f->Uebungabbrechen1->trigger();
    EXPECT_EQ(f->Zustand.Ansichtsmodus, Uebung);
    rec.answerNext(mbYes);
    f->Uebungabbrechen1->trigger();
    EXPECT_EQ(f->Zustand.Ansichtsmodus, Lernkarte);
    EXPECT_EQ(f->Zustand.Viewport.ZoomStufe, 0);
    ASSERT_EQ(rec.entries().size(), 2);
    EXPECT_EQ(rec.entries()[0].text,
              QStringLiteral("Achtung: Die aktuelle Übung ist noch nicht beendet!\r\n"
                             "Willst du die Übung wirklich abbrechen?"));
    rec.clear();

    // A participant's exercise checks the network buttons.
    f->Zustand.Ansichtsmodus = Uebung;
    f->Zustand.NetzTeilnehmer = true;
    f->ZeigeModus();
    EXPECT_FALSE(f->UebungenBtn->Checked());
    EXPECT_TRUE(f->NetzUebTeilnehmenBtn->Checked());
    EXPECT_TRUE(f->NetzUebTeilnehmenBtn1->Checked());
    EXPECT_FALSE(f->Sound1->isEnabled());
    f->Zustand.NetzTeilnehmer = false;

    // The puzzle: solved, the map selection opens at once; unsolved, it asks.
    f->Zustand.Ansichtsmodus = Schiebepuzzle;
    f->ZeigeModus();
    EXPECT_TRUE(sichtbar(f->SchiebBasisPan));
    EXPECT_TRUE(sichtbar(f->PuzzStatusPan));
    EXPECT_TRUE(f->SchiebePuzzleBtn->Checked());
    EXPECT_TRUE(f->Kartendarstellung1->menuAction()->isVisible());
    f->Puzzle->Falsche = 2;
    rec.answerNext(mbNo);
    f->KartenAuswahl1->trigger();
    EXPECT_EQ(f->Zustand.Ansichtsmodus, Schiebepuzzle);
    EXPECT_EQ(rec.entries().size(), 1);
    f->Puzzle->Falsche = 0;
    f->KartenAuswahl1->trigger();
    EXPECT_EQ(f->Zustand.Ansichtsmodus, Kartenauswahl);
    EXPECT_EQ(rec.entries().size(), 1);
    EXPECT_TRUE(sichtbar(f->KartenAuswahlPan));

    // The clock timer stops itself outside the exercise and the puzzle.
    f->ZeitTimer->start();
    f->ZeitTimerTimer();
    EXPECT_FALSE(f->ZeitTimer->isActive());
}

TEST_F(KartivoTest, ClosingAsksDuringAnExercise)
{
    ScopedMessageRecorder rec;
    auto k = starte();
    TForm1* f = k->Hauptfenster();
    f->Zustand.Ansichtsmodus = Uebung;
    f->ZeigeModus();
    rec.answerNext(mbNo);
    EXPECT_FALSE(f->close());
    EXPECT_TRUE(f->isVisible());
    EXPECT_FALSE(f->Zustand.WirdGeschlossen);
    EXPECT_EQ(f->Zustand.Ansichtsmodus, Uebung);

    // The teacher's installation removes its command file on closing.
    QFile netz(NetzVerz + QStringLiteral("zlnetz.dat"));
    ASSERT_TRUE(netz.open(QIODevice::WriteOnly));
    netz.close();
    UebAuswForm->NetzwerkUebung1->setChecked(true);
    rec.answerNext(mbYes);
    EXPECT_TRUE(f->close());
    EXPECT_TRUE(f->Zustand.WirdGeschlossen);
    EXPECT_FALSE(QFile::exists(NetzVerz + QStringLiteral("zlnetz.dat")));
    EXPECT_EQ(rec.entries().size(), 2);
    // Resizing after closing was granted does nothing.
    f->Zustand.Ansichtsmodus = Kartenauswahl;
    f->FormResize();
    EXPECT_FALSE(sichtbar(f->KartenAuswahlPan));
}

TEST_F(KartivoTest, ClosesAtOnceFromTheLearningMap)
{
    ScopedMessageRecorder rec;
    auto k = starte();
    TForm1* f = k->Hauptfenster();
    f->ZeigeLernkarte();
    f->Beenden1->trigger();
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(rec.entries().isEmpty());
}

TEST_F(KartivoTest, SettingsAreAppliedWrittenOnChangeAndKeptForTheNextStart)
{
    store.writeInt32(QStringLiteral("UebRFLevel"), 1);
    store.writeBool(QStringLiteral("NetzKomMailslot"), true);
    store.writeInt32(QStringLiteral("Puzzle-Teile"), 4);
    {
        ScopedMessageRecorder rec;
        auto k = starte();
        TForm1* f = k->Hauptfenster();
        EXPECT_TRUE(f->UebRFLevel1->isChecked());
        EXPECT_TRUE(f->Puzzle4x4->isChecked());
        EXPECT_TRUE(KommVerzForm->KomRadioMailslot->isChecked());
        EXPECT_EQ(KomModus, -1);
        f->AnredeSie->trigger();
        f->UebRFLevel0->trigger();
        f->Sound1->trigger();
        f->PuzzleMode1->trigger();
        f->FragWeiterManuell->trigger();
        EXPECT_FALSE(f->Zustand.Wahl.AnredeDu);
        EXPECT_EQ(f->Zustand.UebRFLevel, 0);
        EXPECT_TRUE(rec.entries().isEmpty());
    }
    EXPECT_EQ(store.readBool(QStringLiteral("Anrede-Du")), false);
    EXPECT_EQ(store.readInt32(QStringLiteral("UebRFLevel")), 0);
    EXPECT_EQ(store.readBool(QStringLiteral("Sound-On")), false);
    auto k = starte();
    TForm1* f = k->Hauptfenster();
    EXPECT_TRUE(f->AnredeSie->isChecked());
    EXPECT_TRUE(f->UebRFLevel0->isChecked());
    EXPECT_FALSE(f->Sound1->isChecked());
    EXPECT_TRUE(f->PuzzleMode1->isChecked());
    EXPECT_TRUE(f->FragWeiterManuell->isChecked());
    EXPECT_TRUE(f->Puzzle4x4->isChecked());

    // With "Sie" the leave check speaks formally.
    ScopedMessageRecorder rec;
    f->Zustand.Ansichtsmodus = Uebung;
    rec.answerNext(mbNo);
    f->KartenAuswahl1->trigger();
    ASSERT_EQ(rec.entries().size(), 1);
    EXPECT_TRUE(rec.entries()[0].text.endsWith(QStringLiteral("Wollen Sie die Übung wirklich abbrechen?")));
}

TEST_F(KartivoTest, FileChannelFromTheSettingsReachesTheFolderDialog)
{
    store.writeBool(QStringLiteral("NetzKomDatei"), true);
    store.writeBool(QStringLiteral("NetzKomMailslot"), false);
    store.writeText(QStringLiteral("NetzKommVerz"), prog + QStringLiteral("Netz"));
    auto k = starte();
    EXPECT_TRUE(KommVerzForm->KomRadioDatei->isChecked());
    EXPECT_FALSE(KommVerzForm->KomRadioMailslot->isChecked());
    EXPECT_EQ(KomModus, -1);
    EXPECT_EQ(NetzVerz, prog + QStringLiteral("Netz/"));
}

TEST_F(KartivoTest, UnwritableSettingsWarnOnce)
{
    ScopedMessageRecorder rec;
    auto k = starte();
    store.setWriteError(5);
    k->Hauptfenster()->AnredeSie->trigger();
    k->Hauptfenster()->AnredeDu->trigger();
    ASSERT_EQ(rec.entries().size(), 1);
    EXPECT_EQ(rec.entries()[0].kind, MsgKind::Warnung);
    EXPECT_TRUE(k->Hauptfenster()->AnredeDu->isChecked());
}

TEST_F(KartivoTest, MissingTablesShowTheirBoxesAndTheStartGoesOn)
{
    QFile::remove(prog + QStringLiteral("ZL-Daten/zl_karten.dat"));
    ScopedMessageRecorder rec;
    auto k = starte();
    ASSERT_EQ(rec.entries().size(), 1);
    EXPECT_EQ(rec.entries()[0].text, QStringLiteral("Datei-Lesefehler! (2)"));
    EXPECT_EQ(k->Hauptfenster()->Zustand.Ansichtsmodus, Kartenauswahl);
    EXPECT_TRUE(KartenDaten.isEmpty());
}

TEST_F(KartivoTest, HelpOpensTheIndexOrSaysWhyNot)
{
    auto k = starte();
    TForm1* f = k->Hauptfenster();
    const QString index = QStringLiteral("file://") + HilfeVerz + QStringLiteral("index.html");
    {
        ScopedMessageRecorder rec;
        ScopedDocumentRecorder docs;
        f->Inhalt1->trigger();
        EXPECT_EQ(docs.opened, QStringList{index});
        EXPECT_TRUE(rec.entries().isEmpty());
    }
    {
        // The real opener: the fixture has no index.html.
        ScopedMessageRecorder rec;
        f->Inhalt1->trigger();
        ASSERT_EQ(rec.entries().size(), 1);
        EXPECT_EQ(rec.entries()[0].kind, MsgKind::Fehler);
        EXPECT_EQ(rec.entries()[0].text,
                  index + QStringLiteral(" kann nicht geöffnet werden. Sie benötigen einen Internet-Browser "
                                         "(z.B. Internet Explorer) um dieses Dokument anzusehen."));
    }
    {
        ScopedDocumentRecorder docs;
        f->Homepage1->trigger();
        EXPECT_EQ(docs.opened, QStringList{kHomepage});
    }
}

TEST_F(KartivoTest, KeysOfTheForm)
{
    ScopedMessageRecorder rec;
    auto k = starte();
    TForm1* f = k->Hauptfenster();
    f->ZeigeLernkarte();

    QKeyEvent plus(QEvent::KeyPress, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    QApplication::sendEvent(f->LernKartPan, &plus);
    EXPECT_EQ(f->Zustand.Viewport.ZoomStufe, 1);
    // The window system hands every key in the same storage: each one counts.
    QApplication::sendEvent(f->LernKartPan, &plus);
    EXPECT_EQ(f->Zustand.Viewport.ZoomStufe, 2);
    f->SetzeZoom(1);
    QKeyEvent altCtrl(QEvent::KeyPress, Qt::Key_Left, Qt::ControlModifier | Qt::AltModifier);
    QApplication::sendEvent(f->LernKartPan, &altCtrl);
    EXPECT_EQ(f->Zustand.Viewport.ScrollAnkerX, 0);
    QKeyEvent minus(QEvent::KeyPress, Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
    QApplication::sendEvent(f, &minus);
    EXPECT_EQ(f->Zustand.Viewport.ZoomStufe, 0);

    // Alt+F12 writes the label file and says so.
    const int vorher = ObjDaten.size();
    QFile::remove(ObjDatei);
    // A key the form passes on travels up from the child; the form sees it once.
    QKeyEvent f12(QEvent::KeyPress, Qt::Key_F12, Qt::AltModifier);
    QApplication::sendEvent(f->LernKartPan, &f12);
    ASSERT_EQ(rec.entries().size(), 1);
    EXPECT_EQ(rec.entries()[0].text, QStringLiteral("Datei ") + ObjDatei + QStringLiteral(" wurde geschrieben."));
    ASSERT_TRUE(LeseObjektdatei(ObjDatei));
    EXPECT_EQ(ObjDaten.size(), vorher);

    // A failed write shows the writer's boxes and no confirmation.
    rec.clear();
    const QString alt = ObjDatei;
    ObjDatei = prog + QStringLiteral("fehlt/zl_standard.zlk");
    QApplication::sendEvent(f, &f12);
    ASSERT_FALSE(rec.entries().isEmpty());
    for (const auto& e : rec.entries())
        EXPECT_FALSE(e.text.endsWith(QStringLiteral(" wurde geschrieben.")));
    EXPECT_TRUE(rec.entries()[0].text.startsWith(QStringLiteral("Datei-Schreibfehler! (")));
    ObjDatei = alt;

    QKeyEvent g(QEvent::KeyPress, Qt::Key_G, Qt::ControlModifier | Qt::ShiftModifier);
    QApplication::sendEvent(f, &g);
    EXPECT_EQ(f->size(), QSize(980, 640));
}

TEST_F(KartivoTest, ShellWindows)
{
    ScopedMessageRecorder rec;
    auto k = starte();
    // The message window shows its text at once.
    ZeigeMeldung(QStringLiteral("Bitte warten|Karten werden geladen"));
    EXPECT_TRUE(MeldForm->isVisible());
    EXPECT_EQ(MeldForm->windowTitle(), QStringLiteral("Information"));
    EXPECT_EQ(MeldForm->InfoLab->Caption(), QStringLiteral("Bitte warten|Karten werden geladen"));
    EXPECT_EQ(MeldForm->MainBackImg->size(), MeldForm->size());
    EXPECT_EQ(MeldForm->MainBackImg->Picture.pixel(0, 0), QColor(126, 153, 206).rgb());
    MeldForm->hide();

    // The about box.
    InfoBox->show();
    EXPECT_EQ(InfoBox->windowTitle(), QStringLiteral("Info"));
    EXPECT_EQ(InfoBox->TitelLabel->text(), QStringLiteral("Zelvaro - Terravio 4.0"));
    EXPECT_EQ(InfoBox->VersLab->text(), QStringLiteral("Version 4.0.2010.02.04"));
    EXPECT_EQ(InfoBox->OKBtn->Color(), TColor(205 | 208 << 8 | 226 << 16));
    EXPECT_FALSE(InfoBox->Memo1->toPlainText().isEmpty());
    InfoBox->OKBtn->click();
    EXPECT_FALSE(InfoBox->isVisible());
    EXPECT_EQ(InfoBox->result(), mbOK);
    // Enter closes it too.
    InfoBox->setResult(0);
    InfoBox->show();
    QTest::keyClick(InfoBox->Memo1, Qt::Key_Return); // where the focus is when it opens
    EXPECT_FALSE(InfoBox->isVisible());
    EXPECT_EQ(InfoBox->result(), mbOK);
    EXPECT_TRUE(rec.entries().isEmpty());
}

TEST(Titelfenster, HidesOnEscOrClickBeforeItsTimer)
{
    TTitelForm t;
    EXPECT_EQ(t.size(), QSize(402, 302));
    EXPECT_EQ(t.Image1->size(), QSize(400, 300));
    EXPECT_EQ(t.TitelTimer.interval(), 1750);
    t.ZeigeSofort();
    EXPECT_TRUE(t.isVisible());
    EXPECT_TRUE(t.TitelTimer.isActive());
    QTest::keyClick(&t, Qt::Key_Escape);
    EXPECT_FALSE(t.isVisible());
    EXPECT_FALSE(t.TitelTimer.isActive());

    // Esc pressed in another window (the splash has no keyboard focus) hides it as well.
    QWidget anderes;
    anderes.show();
    TTitelForm tf;
    tf.ZeigeSofort();
    QTest::keyClick(&anderes, Qt::Key_Escape);
    EXPECT_FALSE(tf.isVisible());

    TTitelForm t2;
    t2.ZeigeSofort();
    QTest::mouseClick(t2.Image1, Qt::LeftButton);
    EXPECT_FALSE(t2.isVisible());

    TTitelForm t3;
    t3.ZeigeSofort();
    QElapsedTimer uhr;
    uhr.start();
    while (t3.isVisible() && uhr.elapsed() < 5000)
        QTest::qWait(20);
    EXPECT_FALSE(t3.isVisible());
    EXPECT_GE(uhr.elapsed(), 1500);
    EXPECT_FALSE(t3.TitelTimer.isActive());
}
