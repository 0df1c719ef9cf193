#include "learning/tools/widgets/zl_suchergebnis.h"

#include "controls/Buttons2.h"
#include "controls/StringGrid2.h"
#include "learning/mapview/widgets/zl_gestaltung.h"
#include "learning/mapview/zl_hauptfensterhost.h"
#include "learning/mapview/zl_rahmen.h"
#include "learning/tools/widgets/zl_datentab.h"
#include "platform/MessageService.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

namespace zl
{

TSuchErgForm::TSuchErgForm(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("SuchErgForm"));
    setWindowTitle(QStringLiteral("Suchergebnis"));
    setModal(false);
    resize(420, 300);
    setMinimumSize(300, 200);
    BaueDialogRahmen(this, MainBackImg, Panel1);

    List1 = new TStringGrid2(Panel1);
    List1->setObjectName(QStringLiteral("List1"));
    List1->SetColCount(3);
    List1->SetFixedCols(0);
    List1->SetFixedRows(0);
    List1->SetRowCount(1);
    List1->SetDefaultRowHeight(18);
    List1->SetColor(TColor(0xF0EAE6));
    List1->SetFixedColor(TColor(0xD1BEB4));
    List1->setSelectionBehavior(QAbstractItemView::SelectRows);
    List1->setShowGrid(false);
    List1->installEventFilter(this);
    connect(List1, &QTableWidget::cellDoubleClicked, this, [this] { List1DblClick(); });

    HinweisLab = new QLabel(QStringLiteral("Karte zeigen mit Doppelklick oder Enter-Taste."), Panel1);
    HinweisLab->setObjectName(QStringLiteral("HinweisLab"));

    ZeigeBtn = NeuerKnopf(this, "ZeigeBtn", QStringLiteral("&Zeigen"));
    connect(ZeigeBtn, &TBitBtn2::OnClick, this, [this] { List1DblClick(); });
    NeuSuchBtn = NeuerKnopf(this, "NeuSuchBtn", QStringLiteral("Neu &suchen..."));
    connect(NeuSuchBtn, &TBitBtn2::OnClick, this, [this] { NeuSuchBtnClick(); });
    CloseBtn = NeuerKnopf(this, "CloseBtn", QStringLiteral("Schließen"));
    connect(CloseBtn, &TBitBtn2::OnClick, this, [this] { CloseBtnClick(); });

    // Pop-up item "Schließen" (Esc).
    auto* Zu1 = new QAction(QStringLiteral("Schließen"), this);
    Zu1->setObjectName(QStringLiteral("Zu1"));
    Zu1->setShortcut(Qt::Key_Escape);
    connect(Zu1, &QAction::triggered, this, [this] { CloseBtnClick(); });
    addAction(Zu1);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    Ergebnis.Leeren(ObjDaten);
}

void TSuchErgForm::SetzeSpalten()
{
    const int ppi = screen() ? int(screen()->logicalDotsPerInch()) : 96;
    const QList<int> b = TrefferSpaltenbreiten(ppi, List1->viewport()->width() + 1);
    for (int c = 0; c < 3; ++c)
        List1->SetColWidths(c, std::max(0, b.at(c)));
}

void TSuchErgForm::LeereErgebnis(const QList<ObjDataTyp>& Tabelle)
{
    List1->SetFixedRows(0);
    List1->SetRowCount(1);
    for (int c = 0; c < 3; ++c)
        List1->SetCells(c, 0, QString());
    Ergebnis.Leeren(Tabelle);
}

void TSuchErgForm::FuegeHinzu(int Index)
{
    FuegeHinzu(QList<int>{Index});
}

void TSuchErgForm::FuegeHinzu(const QList<int>& Indizes)
{
    if (Indizes.isEmpty())
        return;
    const int n = List1->RowCount();
    List1->setUpdatesEnabled(false);
    List1->SetRowCount(n + int(Indizes.size()));
    if (n == 1) {
        // The first hit makes row 0 the heading.
        List1->SetFixedRows(1);
        List1->SetCells(0, 0, QStringLiteral(" Name"));
        List1->SetCells(1, 0, QStringLiteral(" Typ"));
        List1->SetCells(2, 0, QStringLiteral(" Karte"));
    }
    for (qsizetype k = 0; k < Indizes.size(); ++k) {
        const QStringList z = TrefferZellen(ObjDaten.at(Indizes.at(k)));
        for (int c = 0; c < 3; ++c)
            List1->SetCells(c, n + int(k), z.at(c));
        Ergebnis.FuegeHinzu(Indizes.at(k));
    }
    List1->setUpdatesEnabled(true);
}

void TSuchErgForm::List1DblClick()
{
    if (!Host || Ergebnis.TrefferIndizes.isEmpty())
        return;
    // Hits name rows of the table they were found in; after a change they may
    // name other labels, so they are dropped.
    if (Ergebnis.Veraltet(ObjDaten)) {
        LeereErgebnis(ObjDaten);
        setWindowTitle(QStringLiteral("Suchergebnis"));
        ZeigeFehler(QStringLiteral("Ungültige Beschriftung."));
        return;
    }
    const int i = Ergebnis.IndexInZeile(List1->currentRow());
    if (i < 0)
        return;
    if (i >= ObjDaten.size()) {
        ZeigeFehler(QStringLiteral("Ungültige Beschriftung."));
        return;
    }
    Host->ZeigeSuchtreffer(i);
    activateWindow();
    List1->setFocus();
}

void TSuchErgForm::NeuSuchBtnClick()
{
    AusDatentabelle = false;
    close();
    if (Host)
        Host->FuehreSucheAus(QString(), false, false);
}

void TSuchErgForm::FormShow()
{
    if (Host)
        Host->VersteckeLernPfeil();
    SetzeSpalten();
    List1->setFocus();
    QList<int> Treffer;
    for (int r = 1; r <= Ergebnis.TrefferAnzahl; ++r)
        Treffer.append(Ergebnis.IndexInZeile(r));
    const int Zeile = BevorzugteTrefferzeile(Treffer, ObjDaten, Host ? Host->Fensterzustand().AktKartID : QString());
    if (Zeile <= 0)
        return;
    List1->setCurrentCell(Zeile, 0);
    List1->scrollToItem(List1->item(Zeile, 0));
    List1DblClick();
}

void TSuchErgForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ZeichneDialogHintergrund(MainBackImg);
    MainBackImg->lower();
    FaerbeKnoepfe(this);
    if (Host)
        Host->SetzeSuchKnoepfe(true);
    if (!event->spontaneous())
        FormShow();
}

bool TSuchErgForm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && Host)
        Host->SetzeSuchKnoepfe(true);
    return QDialog::event(event);
}

void TSuchErgForm::closeEvent(QCloseEvent* event)
{
    if (Host)
        Host->SetzeSuchKnoepfe(false);
    if (AusDatentabelle && DatenTabForm && DatenTabForm->isVisible()) {
        DatenTabForm->showNormal();
        AusDatentabelle = false;
    }
    QDialog::closeEvent(event);
}

void TSuchErgForm::resizeEvent(QResizeEvent* event)
{
    const int w = width(), h = height();
    Panel1->setGeometry(8, 8, w - 16, h - 58);
    List1->setGeometry(6, 6, Panel1->width() - 12, Panel1->height() - 32);
    HinweisLab->setGeometry(8, Panel1->height() - 22, Panel1->width() - 16, 18);
    const int bw = std::min(120, (w - 32) / 3), by = h - 42;
    ZeigeBtn->setGeometry(8, by, bw, 32);
    NeuSuchBtn->setGeometry((w - bw) / 2, by, bw, 32);
    CloseBtn->setGeometry(w - 8 - bw, by, bw, 32);
    SetzeSpalten();
    QDialog::resizeEvent(event);
}

bool TSuchErgForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == List1 && event->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            List1DblClick();
            return true; // swallowed
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zl
