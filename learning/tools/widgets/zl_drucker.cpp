#include "learning/tools/widgets/zl_drucker.h"

#include "controls/Buttons2.h"
#include "controls/DrucSpez.h"
#include "learning/mapview/widgets/zl_gestaltung.h"
#include "learning/mapview/widgets/zl_melde.h"
#include "learning/mapview/zl_rahmen.h"
#include "platform/MessageService.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QShowEvent>

namespace zl
{

QPrinter& Drucker()
{
    static QPrinter p(QPrinter::HighResolution);
    return p;
}

QString DruckerInfoText(const QPrinter& Printer)
{
    if (Printer.outputFormat() == QPrinter::PdfFormat && !Printer.outputFileName().isEmpty())
        return DruckerInfoText(QStringLiteral("PDF"), QFileInfo(Printer.outputFileName()).fileName());
    return DruckerInfoText(Printer.printerName(), QString());
}

void ZeigeDrucker(QLabel* DruckerInfo)
{
    if (DruckerInfo)
        DruckerInfo->setText(DruckerInfoText(Drucker()));
}

void DruckerEinrichten(QWidget* Parent)
{
    QPrintDialog d(&Drucker(), Parent);
    d.setWindowTitle(QStringLiteral("Druckereinrichtung"));
    d.exec();
}

TDruckauftrag::TDruckauftrag(QPrinter& Printer) : m_printer(Printer) {}

TDruckauftrag::~TDruckauftrag()
{
    // A job left open failed on the way: it is dropped, not finished.
    if (m_aktiv) {
        m_canvas.reset();
        m_printer.abort();
        m_painter.end();
    }
    if (MeldForm)
        MeldForm->hide();
}

bool TDruckauftrag::Beginne()
{
    ZeigeMeldung(kDruckMeldung);
    if (!BeginneDruck(m_painter, m_printer))
        return false;
    m_aktiv = true;
    m_canvas = std::make_unique<TCanvas>(&m_painter);
    if (!SetzeDruckerMasstab(m_painter, m_printer) || !HolePapierGroesse(m_printer, PapierBreite, PapierHoehe)) {
        m_printer.abort();
        m_aktiv = false;
        m_painter.end();
        return false;
    }
    return true;
}

TDruckSeite TDruckauftrag::Seite(int L, int T, int Rechts, int Unten)
{
    TDruckSeite s = Druckseite(PapierBreite, PapierHoehe, L, T, Rechts, Unten);
    KorrigiereDruckRaender(m_printer, s.L, s.T);
    return s;
}

bool TDruckauftrag::NeueSeite()
{
    if (!m_aktiv || !m_printer.newPage()) {
        ZeigeFehler(QStringLiteral("Die nächste Seite konnte nicht gedruckt werden."));
        return false;
    }
    // A new page starts with the painter's state reset on some devices.
    return SetzeDruckerMasstab(m_painter, m_printer);
}

bool TDruckauftrag::Beende()
{
    if (!m_aktiv)
        return false;
    m_aktiv = false;
    m_canvas.reset();
    const bool ok = m_painter.end();
    if (MeldForm)
        MeldForm->hide();
    if (!ok)
        ZeigeFehler(QStringLiteral("Der Druckauftrag konnte nicht abgeschlossen werden."));
    return ok;
}

TDruckDialog::TDruckDialog(const QString& Titel, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(Titel);
    BaueDialogRahmen(this, MainBackImg, Panel1);
    DruckerGruppe = new QGroupBox(QStringLiteral(" Drucker "), Panel1);
    DruckerGruppe->setObjectName(QStringLiteral("DruckerGruppe"));
    DruckerInfo = new QLabel(DruckerGruppe);
    DruckerInfo->setObjectName(QStringLiteral("DruckerInfo"));
    DruckerInfo->setFrameShape(QFrame::StyledPanel);
    DruckerInfo->setFrameShadow(QFrame::Sunken);
    DrEinrBtn = NeuerKnopf(DruckerGruppe, "DrEinrBtn", QStringLiteral("Einrichten..."));
    connect(DrEinrBtn, &TBitBtn2::OnClick, this, [this] { DrEinrBtnClick(); });
    DruckBtn = NeuerKnopf(this, "DruckBtn", QStringLiteral("Drucken"));
    DruckBtn->SetDefault(true);
    connect(DruckBtn, &TBitBtn2::OnClick, this, [this] {
        accept();
        DruckBtnClick();
    });
    AbbrechenBtn = NeuerKnopf(this, "AbbrechenBtn", QStringLiteral("Abbrechen"));
    AbbrechenBtn->SetCancel(true);
    AbbrechenBtn->SetModalResult(mrCancel);
    ZeigeModal = [this] { return exec(); };
}

void TDruckDialog::DrEinrBtnClick()
{
    DruckerEinrichten(this);
    ZeigeDrucker(DruckerInfo);
}

void TDruckDialog::FormActivate()
{
    ZeichneDialogHintergrund(MainBackImg);
    MainBackImg->lower();
    FaerbeKnoepfe(this);
    ZeigeDrucker(DruckerInfo);
    DruckBtn->setFocus();
}

void TDruckDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TDruckDialog::PasseGroesseAn(int Breite)
{
    setFixedSize(Breite, 8 + PanelHoehe + 62 + 8 + 8 + 48);
}

void TDruckDialog::resizeEvent(QResizeEvent* event)
{
    const int w = width(), h = height();
    Panel1->setGeometry(8, 8, w - 16, PanelHoehe + 62 + 8);
    const int pw = Panel1->width();
    OrdnePanel(pw);
    DruckerGruppe->setGeometry(8, PanelHoehe, pw - 16, 62);
    DrEinrBtn->setGeometry(DruckerGruppe->width() - 118, 22, 108, 30);
    DruckerInfo->setGeometry(10, 24, DruckerGruppe->width() - 136, 26);
    const int bw = std::min(110, (w - 40) / 2), by = h - 42;
    DruckBtn->setGeometry(w - 16 - 2 * bw, by, bw, 32);
    AbbrechenBtn->setGeometry(w - 8 - bw, by, bw, 32);
    QDialog::resizeEvent(event);
}

} // namespace zl
