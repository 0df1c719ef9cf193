// The map selection and the learning map inside the running main window (offscreen): opening
// the fixture map from an overview panel and from the list, the lists, tabs, facts, zoom,
// display settings and the bad input of the screens.

#include "learning/mainwindow/widgets/zl_kartenauswahlseite.h"
#include "learning/mainwindow/widgets/zl_lernkarte.h"
#include "learning/mainwindow/widgets/zl_main.h"
#include "learning/mainwindow/widgets/zl_main_start.h"

#include "tests/learning/mapview/MapTestDruck.h"

#include "controls/HoverPanel.h"
#include "datastore/zl_data.h"
#include "fixtures/DataFolder.h"
#include "learning/mainwindow/zl_einstellungen.h"
#include "learning/mapview/widgets/zl_info.h"
#include "learning/mapview/zl_lernlayout.h"
#include "learning/mapview/zl_zustand.h"
#include "platform/MessageService.h"
#include "platform/SettingsStore.h"

#include "raster/widgets/Rast32_Image.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>

namespace zl
{
namespace
{

class MapSeiten : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(fixtures::writeMinimalDataFolder(m_dir.path() + QStringLiteral("/Kartivo/")));
        VorStart(m_dir.path() + QStringLiteral("/Kartivo/"));
        KomModus = -1;
        KartenOptionen.ProgrammVerz = m_dir.path() + QStringLiteral("/Kartivo/");
        KartenOptionen.Store = &m_store;
        KartenOptionen.Titelfenster = false;
        KartenOptionen.Bildschirmpruefung = false;
        m_k = std::make_unique<TKartivo>(KartenOptionen);
        ASSERT_TRUE(m_k->Starte());
        m_k->ZeigeHauptfenster();
        QApplication::processEvents();
        F = m_k->Hauptfenster();
        ASSERT_TRUE(F);
        A = F->KartenauswahlSeite;
        L = F->LernkarteAnsicht;
        ASSERT_TRUE(A && L);
    }

    virtual void VorStart(const QString&) {}

    static int Index(const QString& Karte, const QString& Bez)
    {
        for (int i = 0; i < ObjDaten.size(); ++i)
            if (ObjDaten[i].KartID == Karte && ObjDaten[i].Bez == Bez)
                return i;
        return -1;
    }
    QStringList ListenTexte() const
    {
        QStringList r;
        for (int i = 0; i < L->LernList->count(); ++i)
            r << L->LernList->item(i)->text();
        return r;
    }
    static void Taste(QWidget* w, int Key, const QString& Text = {})
    {
        QKeyEvent e(QEvent::KeyPress, Key, Qt::NoModifier, Text);
        QApplication::sendEvent(w, &e);
    }

    QTemporaryDir m_dir;
    MemorySettingsStore m_store;
    KartivoStartOptionen KartenOptionen;
    std::unique_ptr<TKartivo> m_k;
    TForm1* F = nullptr;
    TKartenauswahlSeite* A = nullptr;
    TLernkarteAnsicht* L = nullptr;
};

TEST_F(MapSeiten, OverviewPagesPanelsAndList)
{
    EXPECT_EQ(F->Zustand.Ansichtsmodus, Kartenauswahl);
    ASSERT_EQ(A->KartAuswahlControl->count(), 3);
    EXPECT_EQ(A->KartAuswahlControl->tabText(0), QStringLiteral("   Welt   "));
    EXPECT_EQ(A->KartAuswahlControl->currentWidget()->objectName(), QStringLiteral("EURSheet"));
    EXPECT_EQ(A->AuswahlInfoLab->text(),
              QStringLiteral("Kartenauswahl: Klicke mit der Maus auf die gewünschte Karte."));
    for (const auto& u : A->Uebersichten) {
        SCOPED_TRACE(u.Code.toStdString());
        EXPECT_FALSE(u.Img->Bitmap().Empty());
        EXPECT_EQ(QSize(u.Img->Bitmap().Width(), u.Img->Bitmap().Height()), u.Img->size());
        ASSERT_EQ(u.Felder.size(), 1);
        EXPECT_TRUE(u.Lab->text().startsWith(QStringLiteral("Auswahlübersicht")));
    }
    THoverPanel* p = A->Uebersichten[1].Felder[0];
    EXPECT_EQ(p->objectName(), QStringLiteral("Pan_EUR_1"));
    EXPECT_EQ(p->geometry(),
              KartenFeldRect(KartAuswDaten[1], A->Uebersichten[1].Img->geometry(), A->KartAuswahlControl->height()));
    ASSERT_EQ(A->KartList1->count(), 3);
    EXPECT_EQ(A->KartList1->item(0)->text(), QStringLiteral(" Bayern"));
    EXPECT_EQ(A->KartList1->currentItem()->text(), QStringLiteral(" Deutschland"));

    // Hover shows the map's area; moving over the picture hides it again.
    emit p->OnMouseEnter();
    EXPECT_TRUE(A->Uebersichten[1].Shape->isVisibleTo(A->Uebersichten[1].Img));
    EXPECT_EQ(A->Uebersichten[1].Shape->geometry(),
              MarkierungsRect(KartAuswDaten[1], A->Uebersichten[1].Img->width(), A->Uebersichten[1].Img->height()));
    A->MarkiereKarteImUeberblick(-1);
    EXPECT_FALSE(A->Uebersichten[1].Shape->isVisibleTo(A->Uebersichten[1].Img));

    // A resize rebuilds every panel; the old ones are gone.
    QPointer<THoverPanel> Alt = p;
    A->ZeigeKartenauswahl(true);
    EXPECT_TRUE(Alt.isNull());
    EXPECT_EQ(A->Uebersichten[1].Felder.size(), 1);

    // Type-ahead by first letter, going round.
    A->KartList1->setCurrentRow(0);
    Taste(A->KartList1, Qt::Key_E, QStringLiteral("e"));
    EXPECT_EQ(A->KartList1->currentRow(), 2);
    Taste(A->KartList1, Qt::Key_X, QStringLiteral("x"));
    EXPECT_EQ(A->KartList1->currentRow(), 2);

    // The form of address changes the hint.
    F->AnredeSie->trigger();
    EXPECT_EQ(A->AuswahlInfoLab->text(),
              QStringLiteral("Kartenauswahl: Klicken Sie mit der Maus auf die gewünschte Karte."));
}

// The overview descriptions show every line and every word at each window size the program
// takes: its smallest, the size Shift+Ctrl+G gives, and larger ones up to a full screen. The
// labels keep their place and the font size of the page's width.
TEST_F(MapSeiten, OverviewDescriptionsShowAllTheirTextAtEveryWindowSize)
{
    const QSize Groessen[] = {MindestFenstergroesse(1024, 768), QSize(980, 640), QSize(1280, 1024), QSize(1920, 1050)};
    for (const QSize& Groesse : Groessen) {
        SCOPED_TRACE(testing::Message() << Groesse.width() << " x " << Groesse.height());
        F->showNormal();
        if (Groesse == QSize(980, 640)) {
            QKeyEvent g(QEvent::KeyPress, Qt::Key_G, Qt::ControlModifier | Qt::ShiftModifier);
            QApplication::sendEvent(F, &g);
        } else {
            F->resize(Groesse);
        }
        QApplication::processEvents();
        ASSERT_EQ(F->size(), Groesse);
        ASSERT_EQ(F->Zustand.Ansichtsmodus, Kartenauswahl);
        const int W = A->KartAuswahlControl->width();
        for (const auto& u : A->Uebersichten) {
            SCOPED_TRACE(u.Code.toStdString());
            const QRect Feld = UebersichtLabelRect(u.Code, W);
            const QRect L = u.Lab->geometry();
            EXPECT_EQ(L.topLeft(), Feld.topLeft());
            EXPECT_GE(L.width(), Feld.width());
            EXPECT_GE(L.height(), Feld.height());
            EXPECT_EQ(u.Lab->font().pointSize(), UebersichtLabelPunkte(W));
            const QRect Text = u.Lab->fontMetrics().boundingRect(
                QRect(0, 0, L.width(), 100000), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, u.Lab->text());
            EXPECT_LE(Text.width(), L.width());
            EXPECT_LE(Text.height(), L.height());
            EXPECT_LE(u.Lab->heightForWidth(L.width()), L.height());
            EXPECT_TRUE(u.Img->rect().contains(QRect(L.topLeft(), Text.size())));
        }
    }
}

TEST_F(MapSeiten, OpenFromTheOverviewPanel)
{
    F->Zustand.Viewport.SetzeZoomStufe(3);
    emit A->Uebersichten[1].Felder[0]->OnClick();
    EXPECT_EQ(F->Zustand.Ansichtsmodus, Lernkarte);
    EXPECT_EQ(F->Zustand.AktKartID, QStringLiteral("DEU"));
    EXPECT_EQ(F->Zustand.Viewport.ZoomStufe, 0);
    EXPECT_EQ(F->windowTitle(), TitelLernkarte(QStringLiteral("Deutschland")));
    EXPECT_TRUE(L->LernKartPicImg->isVisibleTo(F));
    EXPECT_FALSE(L->LernKartPicImg->Bild().isNull());
    EXPECT_FALSE(L->LernKartMiniImg->Bild().isNull());
    EXPECT_EQ(F->Zustand.Viewport.Ausschnitt, kGanzeKarte);
    EXPECT_TRUE(L->ZoomPan[0]->Checked());

    // Länder tab: the federal states under their heading.
    EXPECT_EQ(F->Zustand.ObjReiter, 1);
    const QStringList T = ListenTexte();
    ASSERT_EQ(T.size(), 4);
    EXPECT_TRUE(T[0].contains(QStringLiteral("Deutsche Bundesländer")));
    EXPECT_EQ(T[2], QStringLiteral(" Bayern"));
    EXPECT_EQ(L->IntensPan[0]->Caption(), QStringLiteral("1 - Basis (3)"));
    EXPECT_TRUE(L->ReiterKnopf[0]->Checked());

    // Selecting an entry points at its label and shows the facts.
    L->LernList->setCurrentRow(2);
    EXPECT_TRUE(L->LernPfeilImg->isVisibleTo(F));
    EXPECT_TRUE(L->LernKartMiniMark->isVisibleTo(F));
    EXPECT_EQ(L->LernInfoGrid->item(0, 1)->text(), QStringLiteral(" Bayern"));
    EXPECT_EQ(L->LernInfoGrid->item(3, 1)->text(), QStringLiteral(" München"));
    EXPECT_FALSE(L->LernInfoFlagLab->isVisibleTo(F));
    // The heading hides the arrow and empties the facts.
    L->LernList->setCurrentRow(0);
    EXPECT_FALSE(L->LernPfeilImg->isVisibleTo(F));
    EXPECT_EQ(L->LernInfoGrid->item(0, 1)->text(), QString());
    EXPECT_EQ(L->LernInfoGrid->item(0, 0)->text(), QStringLiteral(" Gebiet:"));
}

TEST_F(MapSeiten, OpenFromTheListAndItsErrors)
{
    ScopedMessageRecorder Boxen;
    A->KartList1->setCurrentRow(-1);
    A->KartList1->clearSelection();
    A->KartList1DblClick();
    ASSERT_EQ(Boxen.texts().size(), 1);
    EXPECT_EQ(Boxen.texts()[0], QStringLiteral("Markiere zunächst eine Landkarte in der Liste oder wähle die "
                                               "gewünschte Karte direkt aus."));
    EXPECT_EQ(F->Zustand.Ansichtsmodus, Kartenauswahl);

    A->KartList1->setCurrentRow(2); // Europa
    Taste(A->KartList1, Qt::Key_Return);
    EXPECT_EQ(F->Zustand.Ansichtsmodus, Lernkarte);
    EXPECT_EQ(F->Zustand.AktKartID, QStringLiteral("EUR"));
    EXPECT_TRUE(ListenTexte().contains(QStringLiteral(" Frankreich")));
    EXPECT_EQ(Boxen.texts().size(), 1);

    // Back to the selection: the list follows the current map.
    F->KartenAuswahl1Click();
    EXPECT_EQ(F->Zustand.Ansichtsmodus, Kartenauswahl);
    EXPECT_EQ(A->KartList1->currentItem()->text(), QStringLiteral(" Europa"));
}

TEST_F(MapSeiten, SelectingRaisesIntensityAndSwitchesTabs)
{
    F->Zustand.AktKartID = QStringLiteral("DEU");
    F->SetzeZoom(0);
    F->ZeigeLernkarte();
    L->SetzeIntensitaet(1);
    EXPECT_FALSE(ListenTexte().isEmpty());
    const int Ruegen = Index(QStringLiteral("DEU"), QStringLiteral("Rügen"));
    ASSERT_GE(Ruegen, 0);
    L->WaehleLernObjekt(Ruegen, true);
    EXPECT_EQ(F->Zustand.LernIntensitaet, 3);
    EXPECT_EQ(F->Zustand.ObjReiter, 5);
    EXPECT_TRUE(L->IntensPunkt[2]->isChecked());
    ASSERT_TRUE(L->LernList->currentItem());
    EXPECT_EQ(L->LernList->currentItem()->text(), QStringLiteral(" Rügen"));
    EXPECT_TRUE(L->LernPfeilImg->isVisibleTo(F));
    EXPECT_EQ(L->IntensPan[2]->Caption(), QStringLiteral("3 - Experte (1)"));

    // A river from elsewhere (a search result) switches to the Gewässer tab.
    L->WaehleLernObjekt(Index(QStringLiteral("DEU"), QStringLiteral("Nordsee")), true);
    EXPECT_EQ(F->Zustand.ObjReiter, 3);
    // A label of another map is listed nowhere here and gets no arrow.
    L->WaehleLernObjekt(Index(QStringLiteral("EUR"), QStringLiteral("Paris")), true);
    EXPECT_EQ(F->Zustand.ObjReiter, 2);
    EXPECT_FALSE(L->LernPfeilImg->isVisibleTo(F));

    // Stale indexes do nothing but hide the arrow and empty the facts.
    L->WaehleLernObjekt(int(ObjDaten.size()) + 3, true);
    L->WaehleLernObjekt(-99, true);
    EXPECT_FALSE(L->LernPfeilImg->isVisibleTo(F));
    ObjDaten.clear();
    L->LernList->setCurrentRow(0);
    L->LernListKlick();
    EXPECT_FALSE(L->LernPfeilImg->isVisibleTo(F));
    EXPECT_EQ(L->LernInfoGrid->item(0, 1)->text(), QString());
}

TEST_F(MapSeiten, ZoomScrollMiniMapAndDisplaySettings)
{
    emit A->Uebersichten[0].Felder[0]->OnClick(); // Europa
    ASSERT_EQ(F->Zustand.Ansichtsmodus, Lernkarte);
    L->Befehl(TViewportBefehl::Zoom4);
    L->Befehl(TViewportBefehl::Rechts);
    L->Befehl(TViewportBefehl::Oben);
    EXPECT_EQ(F->Zustand.Viewport.ZoomStufe, 4);
    EXPECT_TRUE(L->ZoomPan[4]->Checked());
    const TRect S = F->Zustand.Viewport.Ausschnitt;
    EXPECT_EQ(S.Right, 10000);
    EXPECT_EQ(S.Top, 0);
    EXPECT_LT(S.Right - S.Left, 10000);
    // The arrow of a selected entry follows the zoom, and its point maps back to the label.
    L->WaehleLernObjekt(Index(QStringLiteral("EUR"), QStringLiteral("Paris")), true);
    ASSERT_TRUE(L->LernPfeilImg->isVisibleTo(F));
    const QPoint Spitze = L->LernPfeilImg->geometry().bottomRight() + QPoint(1, 1);
    double Px = 0, Py = 0;
    L->BildpunktZuKarte(Spitze.x(), Spitze.y(), Px, Py);
    EXPECT_NEAR(Px, 0.37, 0.01);
    EXPECT_NEAR(Py, 0.56, 0.01);
    // The main window's keys scroll: Ctrl+Left moves the section to the left edge.
    QKeyEvent Links(QEvent::KeyPress, Qt::Key_Left, Qt::ControlModifier);
    QApplication::sendEvent(L->LernList, &Links);
    EXPECT_EQ(F->Zustand.Viewport.ScrollAnkerX, 0);
    EXPECT_EQ(F->Zustand.Viewport.Ausschnitt.Right - F->Zustand.Viewport.Ausschnitt.Left, S.Right - S.Left);
    EXPECT_TRUE(L->LernPfeilImg->isVisibleTo(F)); // the list click is repeated after the step
    // "Hineinzoomen" at 200 % does nothing.
    L->Befehl(TViewportBefehl::ZoomRein);
    EXPECT_EQ(F->Zustand.Viewport.ZoomStufe, 4);
    // "100 %" resets the anchors.
    L->Befehl(TViewportBefehl::Standardgroesse);
    EXPECT_EQ(F->Zustand.Viewport.ScrollAnkerX, 0);
    EXPECT_EQ(F->Zustand.Viewport.Ausschnitt, kGanzeKarte);

    // A repaint without a change of state shows the same cached picture.
    const qint64 Schluessel = L->LernKartPicImg->Bild().cacheKey();
    L->LernKartPicImg->repaint();
    F->repaint();
    EXPECT_EQ(L->LernKartPicImg->Bild().cacheKey(), Schluessel);

    // Display type, label style and size.
    emit F->KartTypPFPan->OnClick();
    EXPECT_EQ(KartTyp, QStringLiteral("PF"));
    EXPECT_TRUE(L->KartTypPunkt[2]->isChecked());
    EXPECT_EQ(F->KartTypMarkPan->geometry(), KartTypMarke(F->KartTypRSPan->geometry(), QStringLiteral("PF")));
    L->SchriftNormal1->trigger();
    EXPECT_EQ(F->Zustand.Kartenschrift, 1);
    L->SchriftGroesse[2]->trigger();
    EXPECT_EQ(F->Zustand.FontFakIndex, 2);

    // Layers: menu items and boxes move together.
    L->AlleAusblenden1->trigger();
    for (int e = 0; e < 5; ++e)
        EXPECT_FALSE(L->LernObjListCheck[e]->isChecked());
    L->LernObjListCheck[1]->click();
    EXPECT_TRUE(L->LernObjCheck[1]->isChecked());
    L->LernObjCheck[2]->trigger();
    EXPECT_TRUE(L->LernObjListCheck[2]->isChecked());
}

TEST_F(MapSeiten, ToolBarCaptionsLogoAndInfoMarker)
{
    emit A->Uebersichten[0].Felder[0]->OnClick(); // Europa
    ASSERT_EQ(F->Zustand.Ansichtsmodus, Lernkarte);
    for (const QSize& Groesse : {QSize(1920, 1050), QSize(980, 640)}) {
        SCOPED_TRACE(testing::Message() << Groesse.width() << " x " << Groesse.height());
        F->showNormal();
        F->resize(Groesse);
        QApplication::processEvents();
        F->ZeigeLernkarte();

        // "Kartenauswahl" is one word: it keeps a readable size rather than shrinking to fit.
        F->KartenAuswBtn->grab();
        EXPECT_GE(F->KartenAuswBtn->LetzteEinpassung().punkte, 8);
        EXPECT_EQ(QString(F->KartenAuswBtn->LetzteEinpassung().text).remove(QChar(0x00AD)),
                  QStringLiteral("Kartenauswahl"));

        // The logo is a picture that fills its place in the tool bar.
        const QImage Logo = F->ZLTextImg1->Picture;
        ASSERT_FALSE(Logo.isNull());
        EXPECT_GE(Logo.width(), F->ZLTextImg1->width());
        EXPECT_GE(Logo.height(), F->ZLTextImg1->height());
        int Hell = 0;
        for (int y = 0; y < Logo.height(); ++y)
            for (int x = 0; x < Logo.width(); ++x)
                Hell += qGray(Logo.pixel(x, y)) > 200;
        EXPECT_GT(Hell, Logo.width() * Logo.height() / 50); // the white lettering

        // The "i" marker: 17 px in from the grid's right edge, 52 px below its top, beside the
        // capital's row.
        QTableWidget* G = L->LernInfoGrid;
        const QRect M = L->HSInfoZusatzPan->geometry();
        EXPECT_EQ(M.size(), QSize(16, 16));
        EXPECT_EQ(M.left(), G->geometry().right() + 1 - 17);
        EXPECT_EQ(M.top(), G->geometry().top() + 52);
        EXPECT_EQ(G->item(3, 0)->text(), QStringLiteral(" Hauptstadt:"));
        const QRect Zeile(
            G->viewport()->mapTo(L->HSInfoZusatzPan->parentWidget(), G->visualItemRect(G->item(3, 1)).topLeft()),
            G->visualItemRect(G->item(3, 1)).size());
        EXPECT_GE(M.center().y(), Zeile.top());
        EXPECT_LE(M.center().y(), Zeile.bottom());
        EXPECT_LE(M.right(), Zeile.right());
    }
}

TEST_F(MapSeiten, DisplayTypeButtonsUseTheWordsOfTheirMenuItems)
{
    THoverPanel* Knoepfe[4] = {F->KartTypRSPan, F->KartTypRHPan, F->KartTypPFPan, F->KartTypPWPan};
    for (int i = 0; i < 4; ++i) {
        const QString Menue = QString(L->KartTypPunkt[i]->text()).remove(u'&');
        SCOPED_TRACE(Menue.toStdString());
        for (const QString& Wort : Knoepfe[i]->Caption().split(u' ', Qt::SkipEmptyParts))
            EXPECT_TRUE(Menue.contains(Wort, Qt::CaseInsensitive)) << Wort.toStdString();
        EXPECT_TRUE(Knoepfe[i]->toolTip().startsWith(Menue));
    }
}

TEST_F(MapSeiten, QuittingStopsTheClockAndHidesEveryWindow)
{
    emit A->Uebersichten[0].Felder[0]->OnClick();
    F->ZeitTimer->start();
    ASSERT_TRUE(InfoBox);
    InfoBox->show(); // a window left open beside the main window
    QApplication::processEvents();
    F->Beenden1Click();
    EXPECT_FALSE(F->ZeitTimer->isActive());
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
}

TEST_F(MapSeiten, MinimisedWindowKeepsTheState)
{
    emit A->Uebersichten[1].Felder[0]->OnClick();
    const TRect Vorher = F->Zustand.Viewport.Ausschnitt;
    L->LernKartPicImg->resize(0, 0);
    L->Befehl(TViewportBefehl::Zoom2);
    EXPECT_EQ(F->Zustand.Viewport.Ausschnitt, Vorher);
    EXPECT_EQ(F->Zustand.Viewport.ZoomStufe, 2);
}

// Damaged and missing overview pictures, thumbnails and flags: the pages still work.
class MapSeitenOhneBilder : public MapSeiten
{
  protected:
    void VorStart(const QString& Prog) override
    {
        QFile::remove(Prog + QStringLiteral("ZL-Daten/KA-EUR.jpg"));
        fixtures::writeBytes(Prog + QStringLiteral("ZL-Daten/KA-WLT.jpg"), QByteArray("\xFF\xD8\xFF garbage", 12));
        for (const QString& t : fixtures::displayTypes())
            QFile::remove(Prog + QStringLiteral("ZX-Karten/klein/DEU-") + t + QStringLiteral("-K.jpg"));
        QFile::remove(Prog + QStringLiteral("ZX-Karten/klein/xxx.dat"));
        fixtures::writeBytes(Prog + QStringLiteral("ZL-Flaggen/by.jpg"), QByteArray("not a flag"));
        QImage Flagge(30, 20, QImage::Format_RGB32);
        Flagge.fill(QColor(255, 204, 0));
        Flagge.save(Prog + QStringLiteral("ZL-Flaggen/de.bmp"), "BMP");
    }
};

TEST_F(MapSeitenOhneBilder, PagesWorkWithoutTheirPictures)
{
    ScopedMessageRecorder Boxen;
    A->ZeigeKartenauswahl(true);
    EXPECT_TRUE(A->Uebersichten[0].Img->Bitmap().Empty());
    EXPECT_TRUE(A->Uebersichten[1].Img->Bitmap().Empty());
    EXPECT_FALSE(A->Uebersichten[2].Img->Bitmap().Empty());
    EXPECT_EQ(A->Uebersichten[1].Felder.size(), 1); // panels are placed all the same
    emit A->Uebersichten[1].Felder[0]->OnClick();
    EXPECT_EQ(F->Zustand.Ansichtsmodus, Lernkarte);
    EXPECT_FALSE(L->LernKartPicImg->Bild().isNull());
    EXPECT_TRUE(L->LernKartMiniImg->Bild().isNull());
    // A damaged flag: no flag, but the facts.
    L->WaehleLernObjekt(Index(QStringLiteral("DEU"), QStringLiteral("Bayern")), true);
    EXPECT_EQ(L->LernInfoGrid->item(0, 1)->text(), QStringLiteral(" Bayern"));
    EXPECT_TRUE(L->LernInfoFlagImg->Bild().isNull());
    // A good flag is fitted into the flag picture and framed.
    F->Zustand.AktKartID = QStringLiteral("EUR");
    F->SetzeZoom(0);
    F->ZeigeLernkarte();
    L->WaehleLernObjekt(Index(QStringLiteral("EUR"), QStringLiteral("Deutschland")), true);
    const QImage& Fl = L->LernInfoFlagImg->Bild();
    ASSERT_FALSE(Fl.isNull());
    EXPECT_TRUE(Fl.width() == L->LernInfoFlagImg->width() || Fl.height() == L->LernInfoFlagImg->height());
    EXPECT_EQ(Fl.pixelColor(0, 0), QColor(0, 0, 0));
    EXPECT_EQ(Fl.pixelColor(Fl.width() / 2, Fl.height() / 2), QColor(255, 204, 0));
    EXPECT_FALSE(L->HSInfoZusatzPan->isVisibleTo(F));
    EXPECT_TRUE(Boxen.entries().isEmpty()) << Boxen.texts().join(u'\n').toStdString();
}

} // namespace
} // namespace zl
