#include "learning/network/widgets/zl_kommverz.h"

#include "controls/BrowseForFolder.h"
#include "controls/Dspez.h"
#include "datastore/zl_data.h"
#include "learning/network/zl_netz.h"
#include "platform/MessageService.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace zl {

TKommVerzForm::TKommVerzForm(QWidget* parent) : TNetzDialog(parent)
{
    setObjectName(QStringLiteral("KommVerzForm"));
    setWindowTitle(QStringLiteral("Kommunikationsverzeichnis"));
    VerzEdit1 = new QLineEdit(this);
    VerzEdit1->setObjectName(QStringLiteral("VerzEdit1"));
    DurchsuchenBtn = NetzKnopf(this, "DurchsuchenBtn", QStringLiteral("&Durchsuchen..."));
    KomGroup = new QGroupBox(QStringLiteral(" Kommunikation vom Übungs-&Teilnehmer zum Lehrer-PC "), this);
    KomGroup->setObjectName(QStringLiteral("KomGroup"));
    KomRadioDatei = new QRadioButton(QStringLiteral(" über oben angegebenes Kommunikationsverzeichnis "), KomGroup);
    KomRadioDatei->setObjectName(QStringLiteral("KomRadioDatei"));
    KomRadioMailslot = new QRadioButton(QStringLiteral(" über Mailslots (virtuelle Dateien) "), KomGroup);
    KomRadioMailslot->setObjectName(QStringLiteral("KomRadioMailslot"));
    KomRadioMailslot->setChecked(true);
    auto* kl = new QVBoxLayout(KomGroup);
    kl->addWidget(KomRadioDatei);
    kl->addWidget(KomRadioMailslot);
    HinweisLab = new QLabel(this);
    HinweisLab->setObjectName(QStringLiteral("HinweisLab"));
    HinweisLab->setWordWrap(true);
    HinweisLab->setText(QStringLiteral(
        "Alle Rechner benötigen Lesezugriff auf das Kommunikationsverzeichnis, der Lehrer-PC zusätzlich "
        "Schreibzugriff. Auf allen Rechnern muss dasselbe Verzeichnis angegeben werden.\n\n"
        "Bei Kommunikation über Mailslots benötigen die Teilnehmer nur Lesezugriff.\n"
        "Bei Kommunikation über das Kommunikationsverzeichnis benötigt jeder Teilnehmer auch Schreibzugriff."));
    ZugriffstestBtn = NetzKnopf(this, "ZugriffstestBtn", QStringLiteral("&Zugriffstest"));
    OKBtn = NetzKnopf(this, "OKBtn", QStringLiteral("OK"));
    OKBtn->SetDefault(true);
    AbbrechenBtn = NetzKnopf(this, "AbbrechenBtn", QStringLiteral("Abbrechen"));
    AbbrechenBtn->SetCancel(true);

    auto* l = new QGridLayout(this);
    l->setContentsMargins(kNetzRand, kNetzRand, kNetzRand, kNetzRand);
    l->addWidget(new QLabel(QStringLiteral("Kommunikationsverzeichnis:"), this), 0, 0, 1, 2);
    l->addWidget(VerzEdit1, 1, 0);
    l->addWidget(DurchsuchenBtn, 1, 1);
    l->addWidget(KomGroup, 2, 0, 1, 2);
    l->addWidget(HinweisLab, 3, 0, 1, 2);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(ZugriffstestBtn);
    knoepfe->addStretch();
    knoepfe->addWidget(OKBtn);
    knoepfe->addWidget(AbbrechenBtn);
    l->addLayout(knoepfe, 4, 0, 1, 2);
    l->setRowStretch(3, 1);
    resize(520, 330);

    connect(DurchsuchenBtn, &QPushButton::clicked, this, [this] { DurchsuchenBtnClick(); });
    connect(ZugriffstestBtn, &QPushButton::clicked, this, [this] { TesteZugriff(true); });
    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(AbbrechenBtn, &QPushButton::clicked, this, [this] { reject(); });
}

void TKommVerzForm::DurchsuchenBtnClick()
{
    TBrowseForFolderDialog dlg(this);
    dlg.SetTitle(QStringLiteral("Kommunikationsverzeichnis auswählen"));
    dlg.SetSelectedPath(VerzEdit1->text());
    if (dlg.Execute())
        VerzEdit1->setText(dlg.SelectedPath());
}

bool TKommVerzForm::TesteZugriff(bool MitMeldung)
{
    if (KomRadioMailslot->isChecked()) {
        if (MitMeldung)
            ZeigeInfo(QStringLiteral("Aufgrund Mailslot-Kommunikation kein Datei-Zugriffstest erforderlich."));
        return true;
    }
    const QString verz = MitTrenner(VerzEdit1->text().trimmed());
    if (!TesteVerzeichnisZugriff(verz, false)) {
        ZeigeZugriffsFehler(true, verz);
        return false;
    }
    if (MitMeldung)
        ZeigeInfo(QStringLiteral("Test für Lese- und Schreibzugriff erfolgreich."));
    return true;
}

void TKommVerzForm::OKBtnClick()
{
    const QString verz = MitTrenner(VerzEdit1->text().trimmed());
    VerzEdit1->setText(verz);
    // An empty text would name the working folder: refused like a missing one.
    if (verz.isEmpty() || !VerzeichnisExistiert(verz)) {
        ZeigeFehler(QStringLiteral("Das angegebene Verzeichnis ist ungültig."));
        return;
    }
    if (!TesteZugriff(false))
        return;
    NetzVerz = verz;
    accept();
}

bool KomMailslot() { return !KommVerzForm || KommVerzForm->KomRadioMailslot->isChecked(); }

void SetzeKomMailslot(bool Mailslot)
{
    if (KommVerzForm)
        (Mailslot ? KommVerzForm->KomRadioMailslot : KommVerzForm->KomRadioDatei)->setChecked(true);
}

} // namespace zl
