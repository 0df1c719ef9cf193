#include "learning/network/widgets/zl_netzuebungtnstart.h"

#include "controls/Dspez.h"
#include "datastore/zl_data.h"
#include "learning/network/widgets/zl_kommverz.h"
#include "learning/network/widgets/zl_netzuebung.h"
#include "platform/FileAccess.h"
#include "platform/MessageService.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace zl {

TNetzUebungTnStartForm::TNetzUebungTnStartForm(QWidget* parent) : TNetzDialog(parent)
{
    setObjectName(QStringLiteral("NetzUebungTnStartForm"));
    setWindowTitle(QStringLiteral("An Netzwerk-Übung teilnehmen"));
    StatusGroup = new QGroupBox(QStringLiteral(" Status der Netzwerk-Übung "), this);
    StatusLab = new QLabel(StatusGroup);
    StatusLab->setObjectName(QStringLiteral("StatusLab"));
    StatusLab->setWordWrap(true);
    QFont f = StatusLab->font();
    f.setBold(true);
    StatusLab->setFont(f);
    (new QVBoxLayout(StatusGroup))->addWidget(StatusLab);
    TNameEdit = new QLineEdit(this);
    TNameEdit->setObjectName(QStringLiteral("TNameEdit"));
    TNameEdit->setMaxLength(15);
    auto* nameLab = new QLabel(QStringLiteral("&Name oder Rechnernummer:"), this);
    nameLab->setBuddy(TNameEdit);
    HinweisLab = new QLabel(QStringLiteral("Die Netzwerk-Übung muss vom Lehrer-PC im Netzwerk initiiert werden."),
                            this);
    HinweisLab->setObjectName(QStringLiteral("HinweisLab"));
    HinweisLab->setWordWrap(true);
    TeilnehmenBtn = NetzKnopf(this, "TeilnehmenBtn", QStringLiteral("Teilnehmen"));
    TeilnehmenBtn->SetDefault(true);
    AbbrechenBtn = NetzKnopf(this, "AbbrechenBtn", QStringLiteral("Abbrechen"));
    AbbrechenBtn->SetCancel(true);
    NetzCheckTimer1 = new QTimer(this);
    NetzCheckTimer1->setObjectName(QStringLiteral("NetzCheckTimer1"));
    NetzCheckTimer1->setInterval(500);

    auto* l = new QGridLayout(this);
    l->setContentsMargins(kNetzRand, kNetzRand, kNetzRand, kNetzRand);
    l->addWidget(StatusGroup, 0, 0, 1, 3);
    l->addWidget(nameLab, 1, 0);
    l->addWidget(TNameEdit, 1, 1);
    l->addWidget(new QLabel(QStringLiteral("(max. 15 Zeichen)"), this), 1, 2);
    l->addWidget(HinweisLab, 2, 0, 1, 3);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(TeilnehmenBtn);
    knoepfe->addWidget(AbbrechenBtn);
    l->addLayout(knoepfe, 3, 0, 1, 3);
    l->setRowStretch(2, 1);
    resize(480, 250);

    connect(NetzCheckTimer1, &QTimer::timeout, this, [this] { PruefeNetzBefehl(); });
    connect(TeilnehmenBtn, &QPushButton::clicked, this, [this] { TeilnehmenBtnClick(); });
    connect(AbbrechenBtn, &QPushButton::clicked, this, [this] { reject(); });
}

void TNetzUebungTnStartForm::ZeigeStatus(const QString& Text, const QColor& Farbe)
{
    StatusLab->setText(Text);
    QPalette p = StatusLab->palette();
    p.setColor(QPalette::WindowText, Farbe);
    StatusLab->setPalette(p);
}

void TNetzUebungTnStartForm::showEvent(QShowEvent* event)
{
    TNetzDialog::showEvent(event);
    TeilnehmenBtn->setEnabled(false);
    ZeigeStatus(QStringLiteral("Bitte warten..."), Qt::black);
    NetzCheckTimer1->start();
    TNameEdit->setFocus();
    // Once per showing: closing the box must not bring it back.
    if (!VerzeichnisExistiert(NetzVerz) || NetzVerz.isEmpty())
        QTimer::singleShot(0, this, [] { ZeigeWarnung(kKommVerzFehlt); });
}

void TNetzUebungTnStartForm::PruefeNetzBefehl()
{
    int code = 0;
    const std::optional<NetzDateiInhalt> in = zl::LeseNetzDatei(NetzVerz, &code);
    if (!in && code != kErrFileNotFound && code != kErrPathNotFound) {
        // Read by the timer: the problem is shown here, never in a box, and retried.
        TeilnehmenBtn->setEnabled(false);
        ZeigeStatus(QStringLiteral("Datei-Lesefehler! (%1)").arg(code), QColor(255, 0, 0));
        return;
    }
    if (in) {
        NetzBefehl = *in;
        SetzeKomMailslot(in->Mailslot);
    }
    const NetzStatusAnzeige a = NetzStatus(in);
    TeilnehmenBtn->setEnabled(a.TeilnehmenErlaubt);
    ZeigeStatus(a.Text, a.Farbe);
}

void TNetzUebungTnStartForm::TeilnehmenBtnClick()
{
    if (TNameEdit->text().trimmed().isEmpty()) {
        ZeigeInfo(QStringLiteral("Bitte zuerst Name oder Rechnernummer eintragen!"));
        return;
    }
    if (!KomMailslot() && !TesteVerzeichnisZugriff(NetzVerz, false)) {
        ZeigeZugriffsFehler(false, NetzVerz);
        return;
    }
    QString fehler;
    const std::optional<NetzStartDaten> d = PruefeNetzStart(NetzBefehl.Befehl, UebungsDaten, &fehler);
    if (!d) {
        ZeigeFehler(fehler);
        return;
    }
    const QString objDatei = DatenVerz + d->ObjDateiName;
    if (!QFileInfo::exists(resolvePath(objDatei))) {
        ZeigeBox(MsgKind::Bestaetigung,
                 QStringLiteral("Kartenbeschriftungsdatei ") + objDatei + QStringLiteral(" nicht gefunden!"));
        return;
    }
    StartDaten = *d;
    NetzCheckTimer1->stop();
    accept();
}

void TNetzUebungTnStartForm::done(int r)
{
    NetzCheckTimer1->stop();
    TNetzDialog::done(r);
}

} // namespace zl
