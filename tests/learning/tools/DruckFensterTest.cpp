#include "PdfLesen.h"
#include "ToolsFenster.h"

#include "controls/DrucSpez.h"
#include "controls/NumEd.h"
#include "controls/ShadLab.h"
#include "controls/StringGrid2.h"
#include "datastore/zl_data.h"
#include "learning/mapview/widgets/zl_melde.h"
#include "learning/tools/widgets/zl_datentab.h"
#include "learning/tools/widgets/zl_druck.h"
#include "learning/tools/widgets/zl_listdruck.h"
#include "learning/tools/widgets/zl_tabelledruck.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QTest>

using namespace zl;
using namespace zl::test;

namespace
{

class Druck : public ToolsFenster
{
  protected:
    void SetUp() override
    {
        ToolsFenster::SetUp();
        pdf = dir.path() + QStringLiteral("/druck.pdf");
        QPrinter& p = Drucker();
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        p.setPageSize(QPageSize(QPageSize::A4));
        p.setPageOrientation(QPageLayout::Portrait);
        p.setFullPage(false);
    }
    void TearDown() override
    {
        Drucker().setOutputFileName(QString());
        ToolsFenster::TearDown();
    }
    // The wait message was shown and is gone again.
    void MeldungGezeigt() const
    {
        ASSERT_TRUE(MeldForm);
        EXPECT_EQ(MeldForm->InfoLab->Caption(), kDruckMeldung);
        EXPECT_FALSE(MeldForm->isVisible());
    }
    QString pdf;
};

TEST_F(Druck, TabelleMitRaendernUndSpalten)
{
    Form1->Datentabelle1->trigger();
    TabDruckForm->ZeigeModal = [] {
        TabDruckForm->DruckBtnClick();
        return int(QDialog::Accepted);
    };
    DatenTabForm->DruckBtnClick();
    MeldungGezeigt();
    ASSERT_TRUE(QFileInfo::exists(pdf));
    EXPECT_EQ(PdfSeiten(pdf), 1);
    const QList<PdfWort> w = PdfWoerter(pdf);
    // The title at the margins L = 250, T = 180.
    const QList<PdfWort> titel = Finde(w, QStringLiteral("Auswahl:"));
    ASSERT_EQ(titel.size(), 1);
    EXPECT_NEAR(titel[0].x1, 250, 8);
    EXPECT_NEAR(titel[0].y1, 180, 10);
    EXPECT_EQ(Finde(w, QStringLiteral("Länder")).size(), 1);
    // Edges 250, 416, 899, 1216, 1533, 1850 on 2100 - 500 usable.
    const QList<PdfWort> rang = Finde(w, QStringLiteral("Rang"));
    ASSERT_EQ(rang.size(), 1);
    EXPECT_NEAR((rang[0].x1 + rang[0].x2) / 2, (250 + 416) / 2, 6);
    const QList<PdfWort> name = Finde(w, QStringLiteral("Deutschland"));
    ASSERT_EQ(name.size(), 1);
    EXPECT_NEAR(name[0].x1, 416, 16); // " " + name, left-aligned
    const QList<PdfWort> ew = Finde(w, QStringLiteral("83.200.000"));
    ASSERT_EQ(ew.size(), 1);
    EXPECT_LT(ew[0].x2, 1216);
    EXPECT_GT(ew[0].x2, 1216 - 25); // right-aligned with a trailing blank
    // Heading two lines below the title, rows one line apart, the sum row last.
    const double h = name[0].y1 - rang[0].y1;
    EXPECT_NEAR(rang[0].y1 - titel[0].y1, 2 * h, 6);
    const QList<PdfWort> summe = Finde(w, QStringLiteral("Summe"));
    ASSERT_EQ(summe.size(), 1);
    EXPECT_NEAR(summe[0].y1 - name[0].y1, 4 * h, 8);
}

TEST_F(Druck, LeereAuswahlDrucktNurKopfUndSumme)
{
    Form1->Datentabelle1->trigger();
    DatenTabForm->BasisCombo->setCurrentIndex(12); // no Swiss cantons in the data
    TabDruckForm->ZeigeModal = [] {
        TabDruckForm->DruckBtnClick();
        return int(QDialog::Accepted);
    };
    DatenTabForm->DruckBtnClick();
    const QList<PdfWort> w = PdfWoerter(pdf);
    EXPECT_EQ(Finde(w, QStringLiteral("Summe")).size(), 1);
    EXPECT_EQ(Finde(w, QStringLiteral("Rang")).size(), 1);
    EXPECT_TRUE(Finde(w, QStringLiteral("1")).isEmpty());
    EXPECT_TRUE(Finde(w, QStringLiteral("Deutschland")).isEmpty());
}

TEST_F(Druck, LangeTabelleGehtAufDerNaechstenSeiteOben)
{
    for (int i = 0; i < 90; ++i)
        LaenderDaten.append(
            {QStringLiteral("Land%1").arg(i, 2, 10, QLatin1Char('0')), 10, 1000.0 + i, 10, {}, {}, {}, 100.0 + i});
    Form1->Datentabelle1->trigger();
    TabDruckForm->ZeigeModal = [] {
        TabDruckForm->DruckBtnClick();
        return int(QDialog::Accepted);
    };
    DatenTabForm->DruckBtnClick();
    EXPECT_EQ(PdfSeiten(pdf), 2);
    const QList<PdfWort> w = PdfWoerter(pdf);
    double oben2 = 1e9;
    for (const PdfWort& x : w)
        if (x.Seite == 2)
            oben2 = std::min(oben2, x.y1);
    EXPECT_NEAR(oben2, 180, 10); // the top margin, no heading again
    EXPECT_TRUE(Finde(w, QStringLiteral("Rang")).size() == 1 && Finde(w, QStringLiteral("Rang"))[0].Seite == 1);
    for (const PdfWort& x : w)
        EXPECT_LT(x.y2, 2970 - 180 + 5) << x.Text.toStdString();
}

TEST_F(Druck, ListeSchriftUndSeiten)
{
    QStringList z;
    for (int i = 0; i < 80; ++i)
        z.append(QStringLiteral("Zeile%1").arg(i));
    ListDruckForm->Druckzeilen = &z;
    ASSERT_TRUE(ListDruckForm->Drucke());
    MeldungGezeigt();
    EXPECT_EQ(PdfSeiten(pdf), 2);
    const QList<PdfWort> w = PdfWoerter(pdf);
    const PdfWort a = Finde(w, QStringLiteral("Zeile0")).value(0), b = Finde(w, QStringLiteral("Zeile1")).value(0);
    EXPECT_NEAR(a.x1, 180, 6);
    EXPECT_NEAR(b.y1 - a.y1, 40, 1.5); // 4 mm a line at height 40
    // Page 2 continues at the top margin.
    double oben2 = 1e9;
    for (const PdfWort& x : w)
        if (x.Seite == 2)
            oben2 = std::min(oben2, x.y1);
    EXPECT_NEAR(oben2, 180, 10);
}

TEST_F(Druck, BreiteListeSchrumpftAuf20)
{
    const QStringList z = {QString(400, QLatin1Char('X')), QStringLiteral("zweite")};
    ListDruckForm->Druckzeilen = &z;
    ASSERT_TRUE(ListDruckForm->Drucke());
    const QList<PdfWort> w = PdfWoerter(pdf);
    const PdfWort b = Finde(w, QStringLiteral("zweite")).value(0);
    ASSERT_EQ(Finde(w, QStringLiteral("zweite")).size(), 1);
    double y0 = 1e9;
    for (const PdfWort& x : w)
        y0 = std::min(y0, x.y1);
    EXPECT_NEAR(b.y1 - y0, 20, 1.5);
}

TEST_F(Druck, OhneDruckerEinFehler)
{
    Drucker().setOutputFileName(QString());
    if (DruckerInfoText(Drucker()) != QStringLiteral("- Kein Drucker -"))
        GTEST_SKIP() << "a printer is installed";
    const QStringList z = {QStringLiteral("a")};
    ListDruckForm->Druckzeilen = &z;
    EXPECT_FALSE(ListDruckForm->Drucke());
    ASSERT_EQ(boxen.entries().size(), 1);
    EXPECT_EQ(boxen.entries()[0].text, KeinDruckerText());
    EXPECT_FALSE(MeldForm->isVisible());
    ListDruckForm->show();
    EXPECT_EQ(ListDruckForm->DruckerInfo->text(), QStringLiteral("- Kein Drucker -"));
    ListDruckForm->hide();
}

TEST_F(Druck, DruckerzeileNenntDieDatei)
{
    TabDruckForm->show();
    EXPECT_EQ(TabDruckForm->DruckerInfo->text(), QStringLiteral("PDF an druck.pdf"));
    EXPECT_EQ(TabDruckForm->windowTitle(), QStringLiteral("Tabelle drucken"));
    TabDruckForm->hide();
}

class Kartendruck : public Druck
{
  protected:
    Kartendruck() { MitBildern = true; }
};

TEST_F(Kartendruck, SeitenverhaeltnisFolgtDerEingabe)
{
    Form1->Zustand.Viewport.AusschnittSeitenverhaeltnis = 2.0;
    Form1->Zustand.Ansichtsmodus = Lernkarte;
    DruckForm->show();
    QApplication::processEvents();
    EXPECT_EQ(DruckForm->windowTitle(), QStringLiteral("Landkarte drucken"));
    EXPECT_EQ(DruckForm->BreiteEdit->text(), QStringLiteral("17,0"));
    EXPECT_EQ(DruckForm->HoeheEdit->text(), QStringLiteral("8,5"));
    DruckForm->activateWindow();
    DruckForm->BreiteEdit->setFocus();
    QApplication::processEvents();
    if (!DruckForm->BreiteEdit->hasFocus())
        GTEST_SKIP() << "no keyboard focus offscreen";
    DruckForm->BreiteEdit->setText(QStringLiteral("10,0"));
    EXPECT_EQ(DruckForm->HoeheEdit->text(), QStringLiteral("5,0"));
    DruckForm->HoeheEdit->setFocus();
    DruckForm->HoeheEdit->setText(QStringLiteral("6,0"));
    EXPECT_EQ(DruckForm->BreiteEdit->text(), QStringLiteral("12,0"));
    // Unchecked, the edits are independent.
    DruckForm->SeitRatio->setChecked(false);
    DruckForm->HoeheEdit->setText(QStringLiteral("3,0"));
    EXPECT_EQ(DruckForm->BreiteEdit->text(), QStringLiteral("12,0"));
    DruckForm->hide();
    DruckForm->SeitRatio->setChecked(true);
}

TEST_F(Kartendruck, OhneAusschnittBleibtDieHoehe)
{
    Form1->Zustand.Viewport.AusschnittSeitenverhaeltnis = 0;
    DruckForm->HoeheEdit->setText(QStringLiteral("9,0"));
    DruckForm->show();
    EXPECT_EQ(DruckForm->HoeheEdit->text(), QStringLiteral("9,0"));
    DruckForm->hide();
}

TEST_F(Kartendruck, GroesseNullWirdAbgelehnt)
{
    DruckForm->BreiteEdit->setText(QStringLiteral("0,0"));
    EXPECT_FALSE(DruckForm->Drucke());
    ASSERT_EQ(boxen.entries().size(), 1);
    EXPECT_EQ(boxen.entries()[0].text, QStringLiteral("Breite und Höhe müssen größer als 0 sein."));
    EXPECT_FALSE(QFileInfo::exists(pdf));
    DruckForm->BreiteEdit->setText(QStringLiteral("17,0"));
}

TEST_F(Kartendruck, KartenausschnittImRahmen)
{
    Form1->Zustand.AktKartID = QStringLiteral("EUR");
    Form1->ZeigeLernkarte();
    QApplication::processEvents();
    ASSERT_GT(Form1->Zustand.Viewport.AusschnittSeitenverhaeltnis, 0);
    DruckForm->SeitRatio->setChecked(false);
    DruckForm->LiRandEdit->setText(QStringLiteral("3,0"));
    DruckForm->ObRandEdit->setText(QStringLiteral("4,0"));
    DruckForm->BreiteEdit->setText(QStringLiteral("12,0"));
    DruckForm->HoeheEdit->setText(QStringLiteral("9,0"));
    ASSERT_TRUE(DruckForm->Drucke());
    MeldungGezeigt();
    EXPECT_TRUE(boxen.entries().isEmpty());
    // The labels of the map lie inside the box 300..1500 x 400..1300.
    const QList<PdfWort> w = PdfWoerter(pdf);
    const QList<PdfWort> paris = Finde(w, QStringLiteral("Paris"));
    ASSERT_FALSE(paris.isEmpty()); // the contrast style draws a text more than once
    for (const PdfWort& p : paris) {
        EXPECT_GT(p.x1, 300);
        EXPECT_LT(p.x2, 1500);
        EXPECT_GT(p.y1, 400);
        EXPECT_LT(p.y2, 1300);
    }
    // At 127 dpi a pixel is 0.2 mm: the frame is black, the map's red grows from
    // left to right.
    const QImage s = PdfSeitenbild(pdf, 1, 127, dir.path());
    ASSERT_FALSE(s.isNull());
    auto px = [&](int zehntelX, int zehntelY) { return s.pixelColor(zehntelX / 2, zehntelY / 2); };
    EXPECT_LT(px(300, 850).lightness(), 60);
    EXPECT_GT(px(280, 850).lightness(), 240); // white outside
    const QColor l = px(360, 1250), r = px(1440, 1250);
    EXPECT_LT(l.red() + 60, r.red());
    EXPECT_NEAR(l.blue(), fixtures::blueOf(QStringLiteral("RS")), 30);
    DruckForm->SeitRatio->setChecked(true);
}

TEST_F(Kartendruck, FehlendesKartenbild)
{
    Form1->Zustand.AktKartID = QStringLiteral("XYZ");
    DruckForm->SeitRatio->setChecked(false);
    DruckForm->BreiteEdit->setText(QStringLiteral("10,0"));
    DruckForm->HoeheEdit->setText(QStringLiteral("5,0"));
    EXPECT_FALSE(DruckForm->Drucke());
    EXPECT_EQ(boxen.entries().size(), 1);
    DruckForm->SeitRatio->setChecked(true);
}

} // namespace
