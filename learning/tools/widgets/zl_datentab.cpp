#include "learning/tools/widgets/zl_datentab.h"

#include "controls/Buttons2.h"
#include "controls/Dspez.h"
#include "controls/HoverPanel.h"
#include "controls/StringGrid2.h"
#include "learning/mapview/widgets/zl_gestaltung.h"
#include "learning/mapview/zl_hauptfensterhost.h"
#include "learning/mapview/zl_rahmen.h"
#include "learning/tools/widgets/zl_suchergebnis.h"
#include "learning/tools/widgets/zl_tabelledruck.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QShowEvent>

namespace zl
{

namespace
{

constexpr TColor kTabFarbe = TColor(0xF0EAE6), kKopfFarbe = TColor(0xD1BEB4);

void SetzeSpalten(TStringGrid2* g)
{
    g->SetColCount(5);
    g->SetFixedCols(0);
    g->SetFixedRows(0);
    g->SetDefaultRowHeight(16);
    for (int c = 0; c < 5; ++c) {
        g->SetColWidths(c, kDatenSpalten[size_t(c)]);
        g->SetColAlign(c, kDatenAusrichtung[size_t(c)]);
    }
    g->setShowGrid(true);
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

} // namespace

TDatenTabForm::TDatenTabForm(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("DatenTabForm"));
    setWindowTitle(QStringLiteral("Länderdaten im Vergleich"));
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);
    setModal(false);
    resize(610, 520);
    setMinimumSize(610, 260);
    BaueDialogRahmen(this, MainBackImg, Panel1);

    BasisLab = new QLabel(QStringLiteral("&Auswahl:"), Panel1);
    BasisCombo = new QComboBox(Panel1);
    BasisCombo->setObjectName(QStringLiteral("BasisCombo"));
    for (int i = 0; i < kGebietsWahlen; ++i)
        BasisCombo->addItem(GebietsWahlText(i));
    BasisCombo->setMaxVisibleItems(kGebietsWahlen);
    BasisLab->setBuddy(BasisCombo);
    connect(BasisCombo, &QComboBox::currentIndexChanged, this, [this] { BasisComboChange(); });

    for (int k = 0; k < 4; ++k) {
        auto* p = new THoverPanel(Panel1);
        p->setObjectName(QStringLiteral("SortPan%1").arg(k + 1));
        p->SetCaption(QString::fromUtf8(SortierTitel[size_t(k)]));
        p->setToolTip(QString::fromUtf8(SortierHinweise[size_t(k)]));
        p->SetColors(TColor(0xEFC1AD), TColor(0xFFD9C5), TColor(0xFFECE2));
        connect(p, &THoverPanel::OnClick, this, [this, k] { SortPanClick(k + 1); });
        SortPan[size_t(k)] = p;
    }

    TabGrid = new TStringGrid2(Panel1);
    TabGrid->setObjectName(QStringLiteral("TabGrid"));
    SetzeSpalten(TabGrid);
    TabGrid->SetColor(kTabFarbe);
    TabGrid->SetFixedColor(kKopfFarbe);
    TabGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    TabGrid->SetRowCount(1);
    connect(TabGrid, &QTableWidget::cellDoubleClicked, this, [this] { ZeigeBtnClick(); });
    SumGrid = new TStringGrid2(Panel1);
    SumGrid->setObjectName(QStringLiteral("SumGrid"));
    SetzeSpalten(SumGrid);
    SumGrid->SetRowCount(1);
    SumGrid->SetColor(MischeFarben(kTabFarbe, kKopfFarbe, 0.5));
    SumGrid->SetFixedColor(kKopfFarbe);
    SumGrid->setSelectionMode(QAbstractItemView::NoSelection);
    SumGrid->setFocusPolicy(Qt::NoFocus);
    SumGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto knopf = [this](const char* name, const QString& text) { return NeuerKnopf(this, name, text); };
    ZeigeBtn = knopf("ZeigeBtn", QStringLiteral("Land &zeigen"));
    ZwischenablageBtn = knopf("ZwischenablageBtn", QStringLiteral("&Zwischenablage"));
    DruckBtn = knopf("DruckBtn", QStringLiteral("&Drucken..."));
    OKBtn = knopf("OKBtn", QStringLiteral("Schließen"));
    connect(ZeigeBtn, &TBitBtn2::OnClick, this, [this] { ZeigeBtnClick(); });
    connect(ZwischenablageBtn, &TBitBtn2::OnClick, this, [this] { ZwischenablageBtnClick(); });
    connect(DruckBtn, &TBitBtn2::OnClick, this, [this] { DruckBtnClick(); });
    connect(OKBtn, &TBitBtn2::OnClick, this, [this] { OKBtnClick(); });
    auto* Zu1 = new QAction(QStringLiteral("Schließen"), this);
    Zu1->setObjectName(QStringLiteral("Zu1"));
    Zu1->setShortcut(Qt::Key_Escape);
    connect(Zu1, &QAction::triggered, this, [this] { OKBtnClick(); });
    addAction(Zu1);

    BasisCombo->setCurrentIndex(0);
    ZeigeSortierung();
}

void TDatenTabForm::ZeigeSortierung()
{
    for (int k = 0; k < 4; ++k)
        SortPan[size_t(k)]->SetChecked(Sortierung == k + 1);
}

void TDatenTabForm::SortPanClick(int Schluessel)
{
    Sortierung = Schluessel;
    ZeigeSortierung();
    FuelleDatentabelle();
}

void TDatenTabForm::FuelleDatentabelle()
{
    const TLaenderauswahl A = BaueLaenderListe(LaenderDaten, BasisCombo->currentIndex(), Sortierung);
    Laenderliste = A.Laenderliste;
    SummeEinwohner = A.SummeEinwohner;
    SummeFlaeche = A.SummeFlaeche;
    SummeDichte = A.SummeDichte;
    const QList<QStringList> Z = TabellenZeilen(LaenderDaten, A);
    TabGrid->SetRowCount(std::max<int>(1, int(Z.size())));
    // An empty selection leaves one empty row, never a stale country.
    for (int c = 0; c < 5; ++c)
        TabGrid->SetCells(c, 0, QString());
    for (qsizetype r = 0; r < Z.size(); ++r)
        for (int c = 0; c < 5; ++c)
            TabGrid->SetCells(c, int(r), Z.at(r).at(c));
    const QStringList S = SummenZellen(A);
    for (int c = 0; c < 5; ++c)
        SumGrid->SetCells(c, 0, S.at(c));
}

QString TDatenTabForm::TabellenText() const
{
    QList<QStringList> Z;
    for (int r = 0; r < Laenderliste.size(); ++r) {
        QStringList z;
        for (int c = 0; c < 5; ++c)
            z.append(TabGrid->Cells(c, r));
        Z.append(z);
    }
    QStringList S;
    for (int c = 0; c < 5; ++c)
        S.append(SumGrid->Cells(c, 0));
    return ZwischenablageText(Z, S);
}

void TDatenTabForm::ZwischenablageBtnClick()
{
    if (QClipboard* cb = QGuiApplication::clipboard())
        cb->setText(TabellenText());
}

void TDatenTabForm::ZeigeBtnClick()
{
    const QList<QTableWidgetSelectionRange> Sel = TabGrid->selectedRanges();
    const int r = Sel.isEmpty() ? TabGrid->currentRow() : Sel.first().topRow();
    if (r < 0 || r >= Laenderliste.size())
        return;
    const QString Begriff = LandSuchbegriff(TabGrid->Cells(1, r), BasisCombo->currentIndex());
    if (Begriff.isEmpty())
        return;
    showMinimized();
    if (SuchErgForm) {
        if (SuchErgForm->isVisible())
            SuchErgForm->close();
        SuchErgForm->AusDatentabelle = true;
    }
    if (Host)
        Host->FuehreSucheAus(Begriff, true, false);
}

void TDatenTabForm::DruckBtnClick()
{
    if (!TabDruckForm)
        return;
    TabDruckForm->Ueberschrift = DruckUeberschrift(BasisCombo->currentIndex());
    TabDruckForm->Kopfzeile = DruckKopfzeile();
    QStringList S;
    for (int c = 0; c < 5; ++c)
        S.append(SumGrid->Cells(c, 0));
    TabDruckForm->Summenzeile = DruckSummenzeile(S);
    TabDruckForm->Tabelle = TabGrid;
    TabDruckForm->Zeilenanzahl = int(Laenderliste.size());
    TabDruckForm->ZeigeModal();
}

void TDatenTabForm::FormActivate()
{
    ZeichneDialogHintergrund(MainBackImg);
    MainBackImg->lower();
    FaerbeKnoepfe(this);
    FuelleDatentabelle();
    OKBtn->setFocus();
}

void TDatenTabForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TDatenTabForm::closeEvent(QCloseEvent* event)
{
    QDialog::closeEvent(event);
    if (Host)
        Host->SetzeDatentabelleKnoepfe(false);
}

void TDatenTabForm::resizeEvent(QResizeEvent* event)
{
    const int w = width(), h = height();
    Panel1->setGeometry(8, 8, w - 16, h - 60);
    const int pw = Panel1->width(), ph = Panel1->height();
    int Summe = 0;
    for (int b : kDatenSpalten)
        Summe += b + 1;
    const int Gitter = Summe + 1 + TabGrid->verticalScrollBar()->sizeHint().width() + 2;
    const int x0 = std::max(6, (pw - Gitter) / 2);
    m_tabelleLinks = x0;
    // The choice and the sort buttons stand over the columns.
    BasisLab->setGeometry(x0, 8, kDatenSpalten[0], 24);
    BasisCombo->setGeometry(x0 + kDatenSpalten[0] + 1, 8, std::min(360, pw - x0 - kDatenSpalten[0] - 8), 24);
    int x = x0 + kDatenSpalten[0] + 1;
    for (int k = 0; k < 4; ++k) {
        const int cw = kDatenSpalten[size_t(k) + 1];
        SortPan[size_t(k)]->setGeometry(x, 40, cw + 2, 30);
        x += cw + 1;
    }
    TabGrid->setGeometry(x0, 72, Gitter, ph - 72 - 28);
    SumGrid->setGeometry(x0, ph - 24, Summe + 1, 20);
    const int bw = std::min(130, (w - 40) / 4), by = h - 44;
    const int gap = (w - 16 - 4 * bw) / 3;
    ZeigeBtn->setGeometry(8, by, bw, 32);
    ZwischenablageBtn->setGeometry(8 + bw + gap, by, bw, 32);
    DruckBtn->setGeometry(8 + 2 * (bw + gap), by, bw, 32);
    OKBtn->setGeometry(w - 8 - bw, by, bw, 32);
    QDialog::resizeEvent(event);
}

} // namespace zl
