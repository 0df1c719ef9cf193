// The exercise windows on a stand-in for the main window, without Kartivo: a whole
// exercise on the screen's own panels, and what the selection asks of its host.
#include "learning/exercise/widgets/zl_uebausw.h"
#include "learning/exercise/widgets/zl_uebflaeche.h"

#include "UebTestdaten.h"
#include "controls/HoverPanel.h"
#include "controls/ShadLab.h"
#include "datastore/zl_data.h"
#include "learning/exercise/zl_uebtypen.h"
#include "platform/MessageService.h"
#include "raster/widgets/Rast32_Image.h"
#include "tests/learning/FakeHauptfenster.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zl;

namespace
{

class UebHost : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        testdaten::Setze();
        host.Fenster.resize(1200, 800);
        for (QWidget* w : {UebenPan, UebStatusPan, Nachbar})
            w->setParent(&host.Fenster);
        UebenPan->setGeometry(0, 57, 1200, 700);
        UebStatusPan->setGeometry(400, 4, 500, 49);
        Nachbar->setGeometry(12, 4, 300, 49);
        Fl.UebenPan = UebenPan;
        Fl.UebStatusPan = UebStatusPan;
        Fl.StatusHintergrund = new TImage(UebStatusPan);
        QImage status(8, 24, QImage::Format_RGB32);
        status.fill(QColor(126, 153, 206));
        bild.SetPicture(status);
        Fl.StatusBild = &bild;
        Fl.StatusNachbar = Nachbar;
        Fl.Hauptflaeche = &host.Fenster;
        Fl.UebungenBtn = new THoverPanel(&host.Fenster);
        Fl.ZeitTimer = &uhr;
    }
    void TearDown() override { testdaten::Leere(); }

    ScopedMessageRecorder boxen;
    test::FakeHauptfenster host;
    QWidget* UebenPan = new QWidget;
    QWidget* UebStatusPan = new QWidget;
    QWidget* Nachbar = new QWidget;
    TImage bild;
    QTimer uhr;
    TUebungsFlaechen Fl;
};

} // namespace

TEST_F(UebHost, EineUebungLaeuftAufDenEigenenFlaechenBisZumEnde)
{
    HauptfensterZustand& Z = host.Zustand;
    Z.Ansichtsmodus = Lernkarte;
    Z.AktKartID = testdaten::kKarte;
    Z.Uebung.UebModus = 4;
    Z.Uebung.UebFragAnz = 5;
    Z.FragTypMasken[3] = QString(23, u'0');
    Z.FragTypMasken[3][S01 - 1] = u'1';
    TUebungsAnsicht A(host, Fl);
    A.Warten = [](std::uint32_t, bool) {};
    A.WeiterHinweis = [] {};
    A.Medien = {[] {}, [] {}, [] {}, [] {}, [] {}, [] {}};
    host.Fenster.show();

    ASSERT_TRUE(A.StarteUebung(testdaten::kKarte, 10, 4711, 1));
    EXPECT_EQ(Z.Ansichtsmodus, Uebung);
    EXPECT_TRUE(uhr.isActive());
    EXPECT_EQ(A.FragNrLab->Caption(), QStringLiteral("1 / 5"));
    EXPECT_EQ(A.FragLab->Caption(), A.Engine().Frage().FragText);
    // The status line follows the neighbour button inside the window.
    EXPECT_EQ(UebStatusPan->x(), Nachbar->geometry().right() + 12);
    const QStringList start = host.Nimm();
    EXPECT_TRUE(start.contains(QStringLiteral("SetzeTitel ") + A.Engine().Titel())) << start.join(u'|').toStdString();

    // Right at every question, by the keys A..E; the advance is automatic.
    for (int n = 0; n < 5 && A.Engine().Laeuft(); ++n)
        EXPECT_TRUE(A.Taste(QString(QChar(u'A' + Z.Uebung.RichtigeAntwort - 1))));
    EXPECT_FALSE(A.Engine().Laeuft());
    EXPECT_TRUE(Z.Uebung.UebungBeendet);
    EXPECT_EQ(Z.Uebung.AntwortFolge, QStringLiteral("+++++"));
    EXPECT_FALSE(uhr.isActive());
    EXPECT_EQ(A.FragNrLab->Caption(), QStringLiteral("Ende"));
    EXPECT_TRUE(boxen.entries().isEmpty()) << boxen.texts().join(u'\n').toStdString();

    // Manual advance: the answer waits for "Weiter" before the next question.
    host.Gewaehlte.erase(TOptionsPunkt::FragWeiterAuto);
    int weiter = 0;
    A.WeiterHinweis = [&] { ++weiter; };
    ASSERT_TRUE(A.StarteUebung(testdaten::kKarte, 10, 4711, 1));
    A.Taste(QStringLiteral("A"));
    EXPECT_EQ(weiter, 1);
}

TEST_F(UebHost, AuswahlSchreibtInDenZustandDesHosts)
{
    TUebAuswForm f;
    f.Host = &host;
    host.Zustand.AktKartID = testdaten::kKarte;
    f.Fuelle(0, UebungsDaten[0]);
    EXPECT_EQ(host.Zustand.Uebung.UebKartIndex, 0);
    f.UebRadio[2]->click();
    EXPECT_EQ(host.Zustand.Uebung.UebModus, 3);
    host.Nimm();
    // A teacher's selection deletes the old command file when it shows.
    f.NetzwerkUebung1->setChecked(true);
    f.show();
    QApplication::processEvents();
    EXPECT_TRUE(host.Nimm().contains(QStringLiteral("LoescheNetzDatei")));
    f.hide();
}

TEST_F(UebHost, AuswahlBeschriftungZeigtIhrKuerzelAlsUnterstreichung)
{
    TUebAuswForm f;
    f.Host = &host;
    f.show();
    f.UebRadio[2]->setFocus();
    QApplication::processEvents();
    // Without a buddy a label shows its "&" as a character.
    EXPECT_EQ(f.Label1->buddy(), f.UebRadio[0]);
    QTest::keyClick(&f, Qt::Key_W, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), f.UebRadio[0]);
    f.hide();
}
