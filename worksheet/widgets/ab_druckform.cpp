#include "worksheet/widgets/ab_druckform.h"

#include "controls/DrucSpez.h"
#include "controls/NumEd.h"
#include "learning/mapview/widgets/zl_melde.h"
#include "learning/mapview/zl_viewport.h"
#include "platform/MessageService.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace zl::ab
{

QString DruckerZeile(const QPrinter& Drucker)
{
    if (Drucker.outputFormat() == QPrinter::PdfFormat && !Drucker.outputFileName().isEmpty())
        return QStringLiteral("PDF an ") + Drucker.outputFileName();
    if (QPrinterInfo::availablePrinters().isEmpty() || Drucker.printerName().isEmpty())
        return QStringLiteral("- Kein Drucker -");
    return Drucker.printerName();
}

bool DruckeArbeitsblatt(QPrinter& Drucker, const TMetafile& Seite, const TDruckWerte& Werte)
{
    if (Seite.Groesse().isEmpty())
        return false;
    const double r = double(Seite.Groesse().width()) / Seite.Groesse().height();
    const TDruckWerte w = GueltigeDruckwerte(Werte, r);
    if (w.X1 != Werte.X1 || w.Y1 != Werte.Y1 || w.Bx != Werte.Bx || (!Werte.Ratio && w.By != Werte.By))
        ZeigeWarnung(QStringLiteral("Die Druckwerte sind ungültig; es wird mit den Standardwerten gedruckt."));
    ZeigeMeldung(QStringLiteral("Ausdruck wird vorbereitet.||Bitte warten."));
    struct Verberge {
        ~Verberge()
        {
            if (MeldForm)
                MeldForm->hide();
        }
    } verberge;
    Drucker.setDocName(QStringLiteral("Arbeitsblatt"));
    QPainter p;
    if (!BeginneDruck(p, Drucker))
        return false;
    int links = RundeGerade(w.X1 * 100), oben = RundeGerade(w.Y1 * 100);
    if (!SetzeDruckerMasstab(p, Drucker) || !KorrigiereDruckRaender(Drucker, links, oben)) {
        p.end();
        return false;
    }
    Abspielen(Seite, p, QRectF(links, oben, RundeGerade(w.Bx * 100), RundeGerade(w.By * 100)));
    if (!p.end()) {
        ZeigeFehler(QStringLiteral("Der Druckauftrag konnte nicht abgeschlossen werden."));
        return false;
    }
    return true;
}

TDruckForm::TDruckForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DruckForm"));
    setWindowTitle(QStringLiteral("Arbeitsblatt drucken"));
    setModal(true);
    auto* v = new QVBoxLayout(this);
    DruckerInfo = new QLabel(this);
    DruckerInfo->setObjectName(QStringLiteral("DruckerInfo"));
    v->addWidget(DruckerInfo);
    auto* f = new QFormLayout;
    auto edit = [this] {
        auto* e = new TNumEditQ(this);
        e->SetNkst(2);
        return e;
    };
    LinksEdit = edit();
    ObenEdit = edit();
    BreiteEdit = edit();
    HoeheEdit = edit();
    f->addRow(QStringLiteral("&Linker Rand:"), LinksEdit);
    f->addRow(QStringLiteral("&Oberer Rand:"), ObenEdit);
    f->addRow(QStringLiteral("&Breite:"), BreiteEdit);
    f->addRow(QStringLiteral("&Höhe:"), HoeheEdit);
    v->addLayout(f);
    SeitRatio = new QCheckBox(QStringLiteral("Korrektes &Seitenverhältnis"), this);
    v->addWidget(SeitRatio);
    auto* k = new QHBoxLayout;
    DrEinrBtn = new QPushButton(QStringLiteral("Einrichten..."), this);
    DruckBtn = new QPushButton(QStringLiteral("Drucken"), this);
    AbbrechenBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
    DruckBtn->setDefault(true);
    k->addWidget(DrEinrBtn);
    k->addStretch();
    k->addWidget(DruckBtn);
    k->addWidget(AbbrechenBtn);
    v->addLayout(k);
    connect(SeitRatio, &QCheckBox::clicked, this, [this] { SeitRatioClick(); });
    connect(BreiteEdit, &QLineEdit::textChanged, this, [this] { BreiteEditChange(); });
    connect(HoeheEdit, &QLineEdit::textChanged, this, [this] { HoeheEditChange(); });
    connect(DruckBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(AbbrechenBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(DrEinrBtn, &QPushButton::clicked, this, [this] {
        if (OnEinrichten)
            OnEinrichten();
    });
}

void TDruckForm::ZeigeDrucker(const QPrinter& Drucker)
{
    DruckerInfo->setText(DruckerZeile(Drucker));
}

void TDruckForm::Zeige(const TDruckWerte& W, double Seitenverhaeltnis, const QPrinter& Drucker)
{
    m_r = Seitenverhaeltnis > 0 ? Seitenverhaeltnis : 1001.0 / 1625.0;
    SeitRatio->setChecked(W.Ratio);
    LinksEdit->SetValue(W.X1);
    ObenEdit->SetValue(W.Y1);
    HoeheEdit->SetValue(W.By);
    BreiteEdit->SetValue(W.Bx);
    ZeigeDrucker(Drucker);
    SeitRatioClick();
    DruckBtn->setFocus();
}

TDruckWerte TDruckForm::Werte() const
{
    return {SeitRatio->isChecked(), LinksEdit->GetValue(), ObenEdit->GetValue(), BreiteEdit->GetValue(),
            HoeheEdit->GetValue()};
}

void TDruckForm::SeitRatioClick()
{
    if (SeitRatio->isChecked())
        HoeheEdit->SetValue(BreiteEdit->GetValue() / m_r);
}

void TDruckForm::BreiteEditChange()
{
    if (SeitRatio->isChecked() && BreiteEdit->hasFocus())
        HoeheEdit->SetValue(BreiteEdit->GetValue() / m_r);
}

void TDruckForm::HoeheEditChange()
{
    if (SeitRatio->isChecked() && HoeheEdit->hasFocus())
        BreiteEdit->SetValue(HoeheEdit->GetValue() * m_r);
}

} // namespace zl::ab
