#include "worksheet/widgets/ab_voreinstform.h"

#include "platform/MessageService.h"
#include "platform/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zl::ab
{

namespace
{

std::array<QString*, 8> Hinweise(ABVoreinstellungen& v)
{
    return {&v.ot_L, &v.ot_IS, &v.ot_S, &v.ot_H, &v.ot_G, &v.ot_GB, &v.ot_B, &v.ot_I};
}

} // namespace

TVoreinstForm::TVoreinstForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("VoreinstForm"));
    setWindowTitle(QStringLiteral("Arbeitsblatt-Optionen"));
    setModal(true);
    auto* v = new QVBoxLayout(this);

    auto* aufg = new QGroupBox(QStringLiteral(" Formulierung der Aufgabenstellung "), this);
    auto* af = new QFormLayout(aufg);
    for (int k = 0; k < 4; ++k) {
        AufgEdit[k] = new QLineEdit(aufg);
        AufgEdit[k]->setMinimumWidth(520);
        AufgLab[k] = new QLabel(aufg);
        AufgLab[k]->setBuddy(AufgEdit[k]);
        af->addRow(AufgLab[k], AufgEdit[k]);
    }
    v->addWidget(aufg);

    auto* gest = new QGroupBox(QStringLiteral(" Arbeitsblatt-Gestaltung "), this);
    auto* gf = new QVBoxLayout(gest);
    auto* kopf = new QHBoxLayout;
    NameBox = new QCheckBox(QStringLiteral("&Name"), gest);
    KlasseBox = new QCheckBox(QStringLiteral("&Klasse"), gest);
    DatumBox = new QCheckBox(QStringLiteral("Dat&um"), gest);
    for (QCheckBox* b : {NameBox, KlasseBox, DatumBox})
        kopf->addWidget(b);
    kopf->addStretch();
    gf->addLayout(kopf);
    ABNameEdit = new QLineEdit(gest);
    ABNameEdit->hide();
    auto* titelLab = new QLabel(QStringLiteral("&Titelzeile (frei lassen, falls nicht gewünscht)"), gest);
    TitelEdit = new QLineEdit(gest);
    titelLab->setBuddy(TitelEdit);
    gf->addWidget(titelLab);
    gf->addWidget(TitelEdit);
    gf->addWidget(
        new QLabel(QStringLiteral("Platzhalter: %karte% = Landkarte, %thema% = Thema: Länder, Städte, usw."), gest));
    auto* maxZeile = new QHBoxLayout;
    auto* maxLab = new QLabel(QStringLiteral("&Max. Kästchen bei autom. Generierung:"), gest);
    MaxAnzCombo = new QComboBox(gest);
    for (int n = 2; n <= 30; n += 2)
        MaxAnzCombo->addItem(QString::number(n));
    maxLab->setBuddy(MaxAnzCombo);
    maxZeile->addWidget(maxLab);
    maxZeile->addWidget(MaxAnzCombo);
    maxZeile->addStretch();
    gf->addLayout(maxZeile);
    v->addWidget(gest);

    auto* mix = new QGroupBox(QStringLiteral(" Hinweise bei Themen-Mix "), this);
    auto* mf = new QFormLayout(mix);
    const char16_t* namen[8] = {u"Land:",     u"Inselstaat:",         u"Stadt:", u"Hauptstadt:",
                                u"Gewässer:", u"Landschaft/Gebirge:", u"Berg:",  u"Insel/Halbinsel/Kap:"};
    for (int k = 0; k < 8; ++k) {
        HinweisEdit[k] = new QLineEdit(mix);
        mf->addRow(QString::fromUtf16(namen[k]), HinweisEdit[k]);
    }
    HinweisBox = new QCheckBox(QStringLiteral("An&zeigen"), mix);
    mf->addRow(HinweisBox);
    v->addWidget(mix);

    auto* unten = new QHBoxLayout;
    StandardBox = new QCheckBox(QStringLiteral("Als &Standard festlegen"), this);
    StdLadenBtn = new QPushButton(QStringLiteral("Standard laden"), this);
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    AbbrechenBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
    OKBtn->setDefault(true);
    unten->addWidget(StandardBox);
    unten->addWidget(StdLadenBtn);
    unten->addStretch();
    unten->addWidget(OKBtn);
    unten->addWidget(AbbrechenBtn);
    v->addLayout(unten);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(AbbrechenBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(StdLadenBtn, &QPushButton::clicked, this, [this] {
        if (!m_store)
            return;
        LeseABVoreinstellungen(*m_store, m_werte);
        Voreinstellungen = m_werte; // in force now, whatever button closes the dialog
        Fuelle(m_werte);
    });
}

void TVoreinstForm::Zeige(const ABVoreinstellungen& V, const QStringList& AufgabenTexte, SettingsStore& Store)
{
    m_store = &Store;
    m_werte = V;
    for (int k = 0; k < 4; ++k)
        AufgLab[k]->setText(u'&' + AufgabenTexte.value(k) + u':');
    Fuelle(V);
    StandardBox->setChecked(false);
    OKBtn->setFocus();
}

void TVoreinstForm::Fuelle(const ABVoreinstellungen& V)
{
    for (int k = 0; k < 4; ++k)
        AufgEdit[k]->setText(V.AufgText(k));
    NameBox->setChecked(V.NameZeile);
    KlasseBox->setChecked(V.KlasseZeile);
    DatumBox->setChecked(V.DatumZeile);
    ABNameEdit->setText(V.NameText);
    TitelEdit->setText(V.TitelText);
    const int i = MaxAnzCombo->findText(QString::number(V.MaxAnz));
    MaxAnzCombo->setCurrentIndex(i >= 0 ? i : 10);
    ABVoreinstellungen kopie = V;
    const auto h = Hinweise(kopie);
    for (int k = 0; k < 8; ++k)
        HinweisEdit[k]->setText(*h[k]);
    HinweisBox->setChecked(V.MixTypHinweis);
}

void TVoreinstForm::accept()
{
    for (int k = 0; k < 4; ++k)
        m_werte.AufgText(k) = AufgEdit[k]->text();
    m_werte.NameZeile = NameBox->isChecked();
    m_werte.KlasseZeile = KlasseBox->isChecked();
    m_werte.DatumZeile = DatumBox->isChecked();
    m_werte.NameText = ABNameEdit->text();
    m_werte.TitelText = TitelEdit->text();
    m_werte.MaxAnz = MaxAnzCombo->currentText().toInt();
    const auto h = Hinweise(m_werte);
    for (int k = 0; k < 8; ++k)
        *h[k] = HinweisEdit[k]->text();
    m_werte.MixTypHinweis = HinweisBox->isChecked();
    if (StandardBox->isChecked() && m_store) {
        if (const int code = SchreibeABVoreinstellungen(*m_store, m_werte))
            ZeigeFehler(
                QStringLiteral("Die Voreinstellungen konnten nicht als Standard gespeichert werden (%1).").arg(code));
    }
    QDialog::accept();
}

} // namespace zl::ab
