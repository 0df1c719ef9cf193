#include "ToolsFenster.h"

#include "controls/HoverPanel.h"
#include "controls/StringGrid2.h"
#include "datastore/zl_data.h"
#include "learning/tools/widgets/zl_datentab.h"
#include "learning/tools/widgets/zl_suche.h"
#include "learning/tools/widgets/zl_suchergebnis.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>

using namespace zl;
using namespace zl::test;

namespace
{

class Suche : public ToolsFenster
{
  protected:
    // The dialog answers with the terms in turn ("" cancels) and the options.
    void Antworten(QStringList Begriffe, bool GanzWort = false, bool GanzStr = false, bool AktKarte = false)
    {
        KartSuchForm->ZeigeModal = [this, Begriffe, GanzWort, GanzStr, AktKarte]() mutable {
            ++Dialoge;
            NurAktKarteAn = KartSuchForm->NurAktKarte->isEnabled();
            if (Begriffe.isEmpty() || Begriffe.first().isEmpty())
                return int(QDialog::Rejected);
            KartSuchForm->TextEdit->setEditText(Begriffe.takeFirst());
            KartSuchForm->NurGanzWort->setChecked(GanzWort);
            KartSuchForm->NurGanzStr->setChecked(GanzStr);
            KartSuchForm->NurAktKarte->setChecked(AktKarte);
            return int(QDialog::Accepted);
        };
    }
    int Dialoge = 0;
    bool NurAktKarteAn = true;
};

TEST_F(Suche, ZweiTrefferZeigenDenAufDerAktuellenKarte)
{
    ASSERT_EQ(Form1->Zustand.Ansichtsmodus, Kartenauswahl);
    Form1->Zustand.AktKartID = QStringLiteral("DEU");
    Antworten({QStringLiteral("berlin")});
    Form1->Suche1->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(NurAktKarteAn); // only on the learning map
    ASSERT_TRUE(SuchErgForm->isVisible());
    EXPECT_EQ(SuchErgForm->windowTitle(), QStringLiteral("2 Suchergebnisse für 'berlin'"));
    EXPECT_EQ(SuchErgForm->Ergebnis.TrefferIndizes, QStringLiteral("4|16|"));
    TStringGrid2* g = SuchErgForm->List1;
    EXPECT_EQ(g->FixedRows(), 1);
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->Cells(0, 0), QStringLiteral(" Name"));
    EXPECT_EQ(g->Cells(2, 1), QStringLiteral(" Europa"));
    EXPECT_EQ(g->Cells(2, 2), QStringLiteral(" Deutschland"));
    // The hit on the current map is selected and shown on the learning map.
    EXPECT_EQ(g->currentRow(), 2);
    EXPECT_EQ(Form1->Zustand.Ansichtsmodus, Lernkarte);
    EXPECT_EQ(Form1->Zustand.AktKartID, QStringLiteral("DEU"));
    EXPECT_TRUE(Form1->SuchBtn2->Checked());
    EXPECT_EQ(KartSuchForm->Verlauf(), QStringList{QStringLiteral("berlin")});

    // Stepping to the other hit opens its map at zoom 0.
    g->setCurrentCell(1, 0);
    SuchErgForm->List1DblClick();
    EXPECT_EQ(Form1->Zustand.AktKartID, QStringLiteral("EUR"));
    EXPECT_EQ(Form1->Zustand.Viewport.ZoomStufe, 0);
    EXPECT_TRUE(SuchErgForm->isVisible());
    EXPECT_TRUE(boxen.entries().isEmpty());

    SuchErgForm->CloseBtnClick();
    EXPECT_FALSE(Form1->SuchBtn2->Checked());
}

TEST_F(Suche, NichtsGefundenFragtErneut)
{
    Antworten({QStringLiteral("Atlantis"), QString()});
    Form1->Suche1->trigger();
    EXPECT_EQ(Dialoge, 2);
    ASSERT_EQ(boxen.entries().size(), 1);
    EXPECT_EQ(boxen.entries()[0].text, NichtGefundenText(QStringLiteral("Atlantis"), true));
    EXPECT_FALSE(SuchErgForm->isVisible());
    EXPECT_FALSE(Form1->SuchBtn2->Checked());
}

TEST_F(Suche, LeererBegriffFindetNichts)
{
    Antworten({QStringLiteral("   "), QString()});
    Form1->Suche1->trigger();
    EXPECT_EQ(Dialoge, 2);
    EXPECT_EQ(boxen.entries().size(), 1);
    EXPECT_EQ(SuchErgForm->Ergebnis.TrefferAnzahl, 0);
}

TEST_F(Suche, NurInDerAktuellenKarte)
{
    Form1->Zustand.AktKartID = QStringLiteral("EUR");
    Form1->ZeigeLernkarte();
    Antworten({QStringLiteral("nordsee")}, false, false, true);
    Form1->Suche1->trigger();
    EXPECT_TRUE(NurAktKarteAn);
    EXPECT_EQ(SuchErgForm->Ergebnis.TrefferIndizes, QStringLiteral("7|"));
    EXPECT_EQ(SuchErgForm->windowTitle(), QStringLiteral("1 Suchergebnis für 'nordsee'"));
}

TEST_F(Suche, VeralteteTrefferWerdenVerworfen)
{
    Antworten({QStringLiteral("München")});
    Form1->Suche1->trigger();
    ASSERT_EQ(SuchErgForm->Ergebnis.TrefferAnzahl, 2);
    ObjDaten.removeFirst(); // the label editor deleted a label
    boxen.clear();
    SuchErgForm->List1->setCurrentCell(1, 0);
    SuchErgForm->List1DblClick();
    ASSERT_EQ(boxen.entries().size(), 1);
    EXPECT_EQ(boxen.entries()[0].text, QStringLiteral("Ungültige Beschriftung."));
    EXPECT_EQ(SuchErgForm->Ergebnis.TrefferAnzahl, 0);
    EXPECT_EQ(SuchErgForm->List1->RowCount(), 1);
}

TEST_F(Suche, SprungAusDerUebungFragtZuerst)
{
    Antworten({QStringLiteral("Zugspitze")});
    Form1->Zustand.AktKartID = QStringLiteral("EUR");
    Form1->Zustand.Ansichtsmodus = Uebung; // an exercise runs
    boxen.answerNext(mbNo);
    Form1->FuehreSucheAus(QStringLiteral("Zugspitze"), false, false);
    ASSERT_TRUE(SuchErgForm->isVisible());
    EXPECT_EQ(boxen.entries().size(), 1);
    EXPECT_EQ(Form1->Zustand.Ansichtsmodus, Uebung);
    EXPECT_EQ(Form1->Zustand.AktKartID, QStringLiteral("EUR"));
}

class Datentabelle : public ToolsFenster
{
  protected:
    QStringList Spalte(int c) const
    {
        QStringList s;
        for (int r = 0; r < DatenTabForm->TabGrid->RowCount(); ++r)
            s.append(DatenTabForm->TabGrid->Cells(c, r));
        return s;
    }
};

TEST_F(Datentabelle, AuswahlSortierungSummen)
{
    Form1->Datentabelle1->trigger();
    ASSERT_TRUE(DatenTabForm->isVisible());
    EXPECT_TRUE(Form1->DatentabelleBtn1->Checked());
    EXPECT_EQ(DatenTabForm->windowTitle(), QStringLiteral("Länderdaten im Vergleich"));
    EXPECT_EQ(Spalte(1), (QStringList{QStringLiteral(" Deutschland"), QStringLiteral(" Frankreich"),
                                      QStringLiteral(" Niederlande"), QStringLiteral(" Österreich")}));
    EXPECT_EQ(Spalte(0),
              (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}));
    EXPECT_TRUE(DatenTabForm->SortPan[0]->Checked());
    DatenTabForm->SortPanClick(kSortFlaeche);
    EXPECT_TRUE(DatenTabForm->SortPan[2]->Checked());
    EXPECT_FALSE(DatenTabForm->SortPan[0]->Checked());
    EXPECT_EQ(Spalte(1).first(), QStringLiteral(" Frankreich"));
    EXPECT_EQ(DatenTabForm->SumGrid->Cells(2, 0), QStringLiteral(" 177.500.000 "));
    EXPECT_EQ(DatenTabForm->TabGrid->Cells(3, 0), QStringLiteral(" 643.801 "));

    // A choice without rows: one empty row, sums 0.
    DatenTabForm->BasisCombo->setCurrentIndex(12);
    EXPECT_EQ(DatenTabForm->TabGrid->RowCount(), 1);
    EXPECT_EQ(Spalte(1), QStringList{QString()});
    EXPECT_EQ(DatenTabForm->SumGrid->Cells(4, 0), QStringLiteral("0 "));
    EXPECT_TRUE(DatenTabForm->Laenderliste.isEmpty());

    DatenTabForm->OKBtnClick();
    EXPECT_FALSE(Form1->DatentabelleBtn1->Checked());
    EXPECT_FALSE(Form1->DatentabelleBtn2->Checked());
}

TEST_F(Datentabelle, Zwischenablage)
{
    Form1->Datentabelle1->trigger();
    DatenTabForm->BasisCombo->setCurrentIndex(10);
    DatenTabForm->ZwischenablageBtnClick();
    const QString t = QGuiApplication::clipboard()->text();
    const QStringList z = t.split(QStringLiteral("\r\n"));
    ASSERT_EQ(z.size(), 5);
    EXPECT_TRUE(z[0].startsWith(QStringLiteral(" \tLand/Gebiet\t")));
    EXPECT_EQ(z[1], QStringLiteral("1\t Bayern\t 13.100.000 \t 70.550 \t186 "));
    EXPECT_TRUE(z[3].startsWith(QStringLiteral("Summe\t Gesamt\t 31.100.000 \t")));
    EXPECT_TRUE(z[4].isEmpty());
}

TEST_F(Datentabelle, LandZeigenSuchtOhneBeitrittsjahr)
{
    LaenderDaten.append({QStringLiteral("Frankreich (1957)"), 19, 67.8e6, 643801, {}, {}, {}, 105});
    Form1->Datentabelle1->trigger();
    DatenTabForm->BasisCombo->setCurrentIndex(kWahlEU);
    int zeile = -1;
    for (int r = 0; r < DatenTabForm->TabGrid->RowCount(); ++r)
        if (DatenTabForm->TabGrid->Cells(1, r) == QStringLiteral(" Frankreich (1957)"))
            zeile = r;
    ASSERT_GE(zeile, 0);
    DatenTabForm->TabGrid->setCurrentCell(zeile, 1);
    DatenTabForm->ZeigeBtnClick();
    ASSERT_TRUE(SuchErgForm->isVisible());
    EXPECT_EQ(SuchErgForm->windowTitle(), QStringLiteral("1 Suchergebnis für 'Frankreich'"));
    EXPECT_TRUE(SuchErgForm->AusDatentabelle);
    EXPECT_EQ(Form1->Zustand.AktKartID, QStringLiteral("EUR"));
    EXPECT_EQ(KartSuchForm->Verlauf().first(), QStringLiteral("Frankreich"));
    SuchErgForm->close();
    EXPECT_FALSE(SuchErgForm->AusDatentabelle);
    EXPECT_FALSE(DatenTabForm->isMinimized());
}

TEST_F(Datentabelle, OhneAuswahlGeschiehtNichts)
{
    Form1->Datentabelle1->trigger();
    DatenTabForm->BasisCombo->setCurrentIndex(12);
    DatenTabForm->TabGrid->setCurrentCell(0, 1);
    DatenTabForm->ZeigeBtnClick();
    EXPECT_FALSE(SuchErgForm->isVisible());
    EXPECT_TRUE(boxen.entries().isEmpty());
}

} // namespace
