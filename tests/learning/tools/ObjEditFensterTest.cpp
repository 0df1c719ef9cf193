// The map-label editor inside Kartivo (offscreen), on a copy of the bundled atlas's
// label file: editing, saving, the hooks of the learning map and the file menu.

#include "learning/tools/widgets/zl_objeditneu.h"

#include "controls/Buttons2.h"
#include "controls/NumEd.h"
#include "datastore/zl_data.h"
#include "learning/mainwindow/widgets/zl_lernkarte.h"
#include "learning/mainwindow/widgets/zl_main.h"
#include "learning/mainwindow/widgets/zl_main_start.h"
#include "platform/Cp1252.h"
#include "platform/FileAccess.h"
#include "platform/MessageService.h"
#include "platform/SettingsStore.h"
#include "tests/learning/KartivoTestStart.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace zl;

namespace
{

const QString kAtlas = QStringLiteral(ZL_ATLAS_DIR "/");

QByteArray leseBytes(const QString& Pfad)
{
    QFile f(Pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QList<QByteArray> zeilen(const QString& Pfad)
{
    return leseBytes(Pfad).split('\n');
}

class ObjEditFensterTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        prog = dir.path() + QStringLiteral("/Kartivo/");
        // The tables are copied (the editor writes them); the pictures are only read.
        QDir().mkpath(prog + QStringLiteral("ZL-Daten"));
        const QDir daten(kAtlas + QStringLiteral("Kartivo/ZL-Daten"));
        for (const QString& n : daten.entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(daten.filePath(n), prog + QStringLiteral("ZL-Daten/") + n));
        ASSERT_TRUE(QFile::link(kAtlas + QStringLiteral("ZX-Karten"), prog + QStringLiteral("ZX-Karten")));
        ASSERT_TRUE(QFile::link(kAtlas + QStringLiteral("Kartivo/ZL-Flaggen"), prog + QStringLiteral("ZL-Flaggen")));
        for (const char* n : {"ZL-Sound", "ZL-Video", "ZL-Hilfe", "ZL-Protokolle", "ZL-Netz"})
            QDir().mkpath(prog + QLatin1String(n));
        datei = prog + QStringLiteral("ZL-Daten/zl_standard.zlk");
        // Two labels the editor's lists cannot show: a dot and a label of an unknown map.
        {
            QFile f(datei);
            ASSERT_TRUE(f.open(QIODevice::Append));
            f.write("DEU~KD~5000~5000~1|FF00|2~0~0~0~\r\nQQQ~S~1234~5000~Nirgends~5~-9~4~\r\n");
        }
        original = leseBytes(datei);
        ASSERT_FALSE(original.isEmpty());

        k = test::StarteKartivo(prog, store);
        ASSERT_TRUE(k);
        F = k->Hauptfenster();
        // The learning map of Germany.
        F->Zustand.AktKartID = QStringLiteral("DEU");
        F->SetzeZoom(0);
        F->ZeigeLernkarte();
        QApplication::processEvents();
    }
    void TearDown() override { k.reset(); }

    TObjEditneuForm* oeffne()
    {
        F->BeschriftungEdit->trigger();
        QApplication::processEvents();
        return ObjEditneuForm;
    }
    int finde(const char* Name) const
    {
        return SucheObjektAufKarte(QStringLiteral("DEU"), QString::fromUtf8(Name), ObjGruppen[0]);
    }
    static void maus(QWidget* w, QEvent::Type t, QPoint p, Qt::MouseButton b, Qt::MouseButtons bs)
    {
        QMouseEvent e(t, QPointF(p), w->mapToGlobal(QPointF(p)), b, bs, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }

    ScopedMessageRecorder rec;
    QTemporaryDir dir;
    QString prog, datei;
    QByteArray original;
    MemorySettingsStore store;
    std::unique_ptr<TKartivo> k;
    TForm1* F = nullptr;
};

} // namespace

TEST_F(ObjEditFensterTest, EditsALabelSavesAndFindsExactlyThatLineChanged)
{
    const int i = finde("Bayern");
    ASSERT_GE(i, 0);
    const ObjDataTyp vorher = ObjDaten[i];
    TObjEditneuForm* E = oeffne();
    ASSERT_TRUE(E && E->isVisible());
    EXPECT_FALSE(F->KartenObjDateiOeffnen1->isEnabled());
    EXPECT_EQ(E->windowTitle(),
              QStringLiteral("Kartenbeschriftung bearbeiten - zl_standard.zlk (%1)").arg(ObjDaten.size()));

    // Selecting the label on the learning map shows it in the editor.
    F->LernkarteAnsicht->WaehleLernObjekt(i, true);
    EXPECT_EQ(E->IDEdit->GetValue(), i);
    EXPECT_EQ(E->BezEdit->text(), QStringLiteral("Bayern"));
    EXPECT_EQ(E->KarteCombo->currentText(), KartenName(QStringLiteral("DEU")) + QStringLiteral(" [DEU]"));
    EXPECT_TRUE(E->TypCombo->currentText().contains(QStringLiteral("[") + vorher.ObjTyp + QStringLiteral("]")));
    EXPECT_FALSE(E->Editor().Geaendert);

    // "~" is refused at input; Alt+Right goes to the main window and steps the placement.
    E->BezEdit->selectAll();
    QTest::keyClicks(E->BezEdit, QStringLiteral("Frei~staat Bayern"));
    EXPECT_EQ(E->BezEdit->text(), QStringLiteral("Freistaat Bayern"));
    QTest::keyClick(E->BezEdit, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(ObjDaten[i].dx, vorher.dx + 1);
    EXPECT_EQ(ObjDaten[i].Bez, QStringLiteral("Freistaat Bayern"));
    EXPECT_TRUE(E->Editor().Geaendert);

    E->SaveBtn->Click();
    EXPECT_FALSE(E->Editor().Geaendert);
    EXPECT_TRUE(rec.entries().isEmpty()) << rec.texts().join(u'\n').toStdString();

    // Every line but the label's is as it was.
    const QList<QByteArray> alt = original.split('\n'), neu = zeilen(datei);
    ASSERT_EQ(alt.size(), neu.size());
    int anders = 0;
    for (qsizetype z = 0; z < alt.size(); ++z) {
        if (alt[z] == neu[z])
            continue;
        ++anders;
        EXPECT_EQ(z, i + 1);
        ObjDataTyp erwartet = vorher;
        erwartet.Bez = QStringLiteral("Freistaat Bayern");
        erwartet.dx = std::int8_t(vorher.dx + 1);
        EXPECT_EQ(neu[z], toCp1252(ObjektZeile(erwartet)) + "\r");
    }
    EXPECT_EQ(anders, 1);

    // Reading the file again, as the next start does, finds the edit.
    QList<ObjDataTyp> gelesen;
    ASSERT_TRUE(LeseObjektdatei(datei, gelesen));
    EXPECT_EQ(gelesen[i].Bez, QStringLiteral("Freistaat Bayern"));
    EXPECT_EQ(gelesen[i].dx, vorher.dx + 1);

    // Closing without changes asks nothing and enables the main window's item again.
    E->CloseBtn->Click();
    QApplication::processEvents();
    EXPECT_FALSE(E->isVisible());
    EXPECT_TRUE(rec.entries().isEmpty());
    EXPECT_TRUE(F->KartenObjDateiOeffnen1->isEnabled());
}

TEST_F(ObjEditFensterTest, HitSquareAndArrowDragOnTheLearningMap)
{
    const int i = finde("Hannover");
    ASSERT_GE(i, 0);
    TObjEditneuForm* E = oeffne();
    TLernkarteAnsicht& L = *F->LernkarteAnsicht;
    QWidget* Bild = L.LernKartPicImg;
    const QRect q = TrefferQuadrat(ObjDaten[i], Bild->geometry(), L.KartenBild().Bild().width(),
                                   L.KartenBild().Bild().height(), F->Zustand.Viewport.Ausschnitt);
    ASSERT_FALSE(q.isEmpty());
    // The mouse over the label's point (a first label there may win; Hannover has none).
    maus(Bild, QEvent::MouseMove, q.center() - Bild->pos(), Qt::NoButton, Qt::NoButton);
    EXPECT_TRUE(F->KartEditShape->isVisible());
    EXPECT_EQ(F->KartEditShape->geometry(), q);
    maus(F->KartEditShape, QEvent::MouseButtonPress, QPoint(8, 8), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(E->IDEdit->GetValue(), i);
    EXPECT_EQ(L.GewaehltesObjekt(), i);

    // Hovering over the arrow changes nothing; a drag of 40 pixels to the right moves the label.
    QWidget* Pfeil = L.LernPfeilImg;
    ASSERT_TRUE(Pfeil->isVisible());
    const double px = ObjDaten[i].Px;
    maus(Pfeil, QEvent::MouseMove, QPoint(20, 20), Qt::NoButton, Qt::NoButton);
    EXPECT_FALSE(E->Editor().Geaendert);
    maus(Pfeil, QEvent::MouseButtonPress, QPoint(20, 20), Qt::LeftButton, Qt::LeftButton);
    maus(Pfeil, QEvent::MouseMove, QPoint(60, 20), Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(E->Editor().Geaendert);
    maus(Pfeil, QEvent::MouseButtonRelease, QPoint(60, 20), Qt::LeftButton, Qt::NoButton);
    const double erwartet = px + 40.0 / L.KartenBild().Bild().width();
    EXPECT_NEAR(ObjDaten[i].Px, erwartet, 1.5 / L.KartenBild().Bild().width());
    EXPECT_EQ(E->PosXEdit->GetValue(), qRound(ObjDaten[i].Px * 10000));

    // Closing with the change and "No" restores the table from the file.
    rec.answerNext(mbNo);
    E->close();
    QApplication::processEvents();
    EXPECT_FALSE(E->isVisible());
    EXPECT_EQ(ObjDaten[i].Px, px);
    EXPECT_EQ(leseBytes(datei), original);
    EXPECT_TRUE(Pfeil->testAttribute(Qt::WA_TransparentForMouseEvents));
}

TEST_F(ObjEditFensterTest, CancelKeepsTheEditorOpenAndAFailedSaveKeepsEverything)
{
    TObjEditneuForm* E = oeffne();
    const int i = finde("Berlin");
    ASSERT_GE(i, 0);
    F->LernkarteAnsicht->WaehleLernObjekt(i, true);
    // A pasted "~", CR or LF is dropped.
    QApplication::clipboard()->setText(QStringLiteral("Spree~\r\nAthen"));
    E->BezEdit->selectAll();
    E->BezEdit->paste();
    EXPECT_EQ(E->BezEdit->text(), QStringLiteral("SpreeAthen"));
    // Enter runs the default button "Landkarte aktualisieren".
    E->BezEdit->setText(QStringLiteral("Berlin (Hauptstadt)"));
    QTest::keyClick(E->BezEdit, Qt::Key_Return);
    EXPECT_EQ(ObjDaten[i].Bez, QStringLiteral("Berlin (Hauptstadt)"));

    // A locked file: the boxes, and table, file name and the file itself are kept.
    {
        ReadFile sperre;
        ASSERT_EQ(sperre.open(datei), 0);
        E->SaveBtn->Click();
    }
    EXPECT_EQ(rec.texts().last(), QStringLiteral("Schreibfehler! Objektdaten können nicht geschrieben werden."));
    EXPECT_TRUE(E->Editor().Geaendert);
    EXPECT_EQ(ObjDatei, datei);
    EXPECT_EQ(leseBytes(datei), original);

    rec.clear();
    rec.answerNext(mbCancel);
    E->close();
    QApplication::processEvents();
    EXPECT_TRUE(E->isVisible());
    ASSERT_EQ(rec.entries().size(), 1);
    EXPECT_EQ(rec.entries()[0].text, QStringLiteral("Änderungen unter ") + datei + QStringLiteral(" speichern?"));
    EXPECT_EQ(ObjDaten[i].Bez, QStringLiteral("Berlin (Hauptstadt)"));

    // Pressing only Tab counts as a change for the save question.
    rec.answerNext(mbYes);
    E->close();
    QApplication::processEvents();
    EXPECT_FALSE(E->isVisible());
    rec.clear();
    oeffne();
    QTest::keyClick(E->BezEdit, Qt::Key_Tab);
    EXPECT_TRUE(E->Editor().Geaendert);
    // Esc closes through the save question, asked once.
    rec.answerNext(mbNo);
    QTest::keyClick(E->BezEdit, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(rec.entries().size(), 1);
    EXPECT_FALSE(E->isVisible());
}

TEST_F(ObjEditFensterTest, FileMenuAndOpeningAnotherLabelFile)
{
    TObjEditneuForm* E = oeffne();
    QList<TDateiAuswahl> gefragt;
    QString antwort;
    E->Dateiwahl = [&](const TDateiAuswahl& a) {
        gefragt << a;
        return antwort;
    };
    const int n = int(ObjDaten.size());
    antwort = prog + QStringLiteral("ZL-Daten/kopie.zlk");
    E->Speichernunter1->trigger();
    ASSERT_EQ(gefragt.size(), 1);
    EXPECT_TRUE(gefragt[0].Speichern);
    EXPECT_EQ(gefragt[0].Titel, QStringLiteral("Kartenbeschriftungen speichern unter"));
    EXPECT_EQ(gefragt[0].Name, datei);
    EXPECT_EQ(gefragt[0].Verzeichnis, prog + QStringLiteral("ZL-Daten/"));
    EXPECT_EQ(ObjDatei, antwort);
    EXPECT_EQ(leseBytes(antwort), original);
    EXPECT_EQ(E->windowTitle(), QStringLiteral("Kartenbeschriftung bearbeiten - kopie.zlk (%1)").arg(n));

    antwort = prog + QStringLiteral("ZL-Daten/leer.zlk");
    E->Neuanlegen1->trigger();
    EXPECT_EQ(gefragt.last().Titel, QStringLiteral("Kartenbeschriftungen neu anlegen"));
    EXPECT_TRUE(ObjDaten.isEmpty());
    EXPECT_EQ(ObjDatei, antwort);

    antwort = datei;
    E->Oeffnen1->trigger();
    EXPECT_FALSE(gefragt.last().Speichern);
    EXPECT_EQ(gefragt.last().Titel, QStringLiteral("Kartenbeschriftungen öffnen"));
    EXPECT_EQ(gefragt.last().Filter, QStringLiteral("ZL Kartenobjekte (*.zlk)|*.zlk|Alle Dateien (*.*)|*.*"));
    EXPECT_EQ(ObjDaten.size(), n);
    EXPECT_EQ(ObjDatei, datei);
    E->close();
    QApplication::processEvents();

    // The main window's "Kartenbeschriftungsdatei öffnen...": an unreadable file keeps the old one.
    ASSERT_TRUE(F->KartenObjDateiOeffnen1->isEnabled());
    rec.clear();
    antwort = prog + QStringLiteral("ZL-Daten/fehlt.zlk");
    F->KartenObjDateiOeffnen1->trigger();
    EXPECT_EQ(ObjDatei, datei);
    EXPECT_EQ(ObjDaten.size(), n);
    EXPECT_FALSE(rec.entries().isEmpty());
    antwort = prog + QStringLiteral("ZL-Daten/leer.zlk");
    F->KartenObjDateiOeffnen1->trigger();
    EXPECT_EQ(ObjDatei, antwort);
    EXPECT_TRUE(ObjDaten.isEmpty());
    EXPECT_EQ(F->Zustand.Ansichtsmodus, Lernkarte);
}

TEST_F(ObjEditFensterTest, NewLabelStartsInTheMiddleOfTheView)
{
    TObjEditneuForm* E = oeffne();
    const int n = int(ObjDaten.size());
    const TRect a = F->Zustand.Viewport.Ausschnitt;
    E->NeuBtn->Click();
    ASSERT_EQ(ObjDaten.size(), n + 1);
    const ObjDataTyp& o = ObjDaten.last();
    EXPECT_EQ(o.KartID, QStringLiteral("DEU"));
    EXPECT_EQ(o.Bez, QStringLiteral("NEU"));
    EXPECT_DOUBLE_EQ(o.Px, (a.Left + a.Right) / 2.0 / 10000.0);
    EXPECT_EQ(E->IDEdit->GetValue(), n);
    EXPECT_EQ(F->LernkarteAnsicht->GewaehltesObjekt(), n);
    EXPECT_EQ(E->windowTitle(), QStringLiteral("Kartenbeschriftung bearbeiten - zl_standard.zlk (%1)").arg(n + 1));
    rec.answerNext(mbNo);
    E->close();
}

TEST_F(ObjEditFensterTest, AltArrowsOnTheMainWindowStepThePlacementOfTheSelectedLabel)
{
    TObjEditneuForm* E = oeffne();
    const int i = finde("Hessen");
    ASSERT_GE(i, 0);
    TLernkarteAnsicht& L = *F->LernkarteAnsicht;
    L.WaehleLernObjekt(i, true);
    const ObjDataTyp vorher = ObjDaten[i];
    QTest::keyClick(static_cast<QWidget*>(L.LernList), Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(static_cast<QWidget*>(L.LernList), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(ObjDaten[i].dy, std::clamp(vorher.dy + 1, -3, 3));
    EXPECT_EQ(ObjDaten[i].dx, std::clamp(vorher.dx - 1, -3, 3));
    // The keys step the label; they do not move the list's selection on.
    EXPECT_EQ(L.GewaehltesObjekt(), i);
    EXPECT_EQ(E->IDEdit->GetValue(), i);
    EXPECT_TRUE(E->Editor().Geaendert);
    rec.answerNext(mbNo);
    E->close();
}

TEST_F(ObjEditFensterTest, LabelsTheListsCannotShowAreSavedAsTheyWere)
{
    TObjEditneuForm* E = oeffne();
    const int n = int(ObjDaten.size());
    const int kd = n - 2, fremd = n - 1;
    ASSERT_EQ(ObjDaten[kd].ObjTyp, QStringLiteral("KD"));
    E->ZeigeObjekt(kd);
    EXPECT_EQ(E->TypCombo->currentIndex(), -1);
    EXPECT_EQ(E->TypCombo->placeholderText(), QStringLiteral("(nicht in der Liste) [KD]"));
    EXPECT_EQ(E->IntensCombo->currentText(), QStringLiteral("0 - Fix (keine Abfrage)"));
    E->UebernehmBtn->Click();
    E->ZeigeObjekt(fremd);
    EXPECT_EQ(E->KarteCombo->currentIndex(), -1);
    EXPECT_EQ(E->KarteCombo->placeholderText(), QStringLiteral("(nicht in der Liste) [QQQ]"));
    EXPECT_EQ(E->AusrYCombo->placeholderText(), QStringLiteral("-9"));
    E->UebernehmBtn->Click();
    E->ZeigeObjekt(kd);
    E->SaveBtn->Click();
    EXPECT_EQ(leseBytes(datei), original);
    E->close();
}
