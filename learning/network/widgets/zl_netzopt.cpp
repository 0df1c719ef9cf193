#include "learning/network/widgets/zl_netzopt.h"

#include "datastore/zl_data.h"
#include "learning/mapview/zl_hauptfensterhost.h"
#include "learning/network/widgets/zl_kommverz.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace zl {
namespace {

QComboBox* Auswahl(QWidget* parent, QGridLayout* l, int zeile, int spalte, const char* name, const QString& titel,
                   const QStringList& eintraege, int vorgabe)
{
    auto* g = new QGroupBox(titel, parent);
    auto* box = new QComboBox(g);
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(eintraege);
    box->setCurrentIndex(vorgabe);
    auto* gl = new QVBoxLayout(g);
    gl->addWidget(box);
    l->addWidget(g, zeile, spalte);
    return box;
}

} // namespace

TNetzOptForm::TNetzOptForm(QWidget* parent) : TNetzDialog(parent)
{
    setObjectName(QStringLiteral("NetzOptForm"));
    setWindowTitle(QStringLiteral("Netzwerk-Übung Optionen"));
    auto* l = new QGridLayout(this);
    l->setContentsMargins(kNetzRand, kNetzRand, kNetzRand, kNetzRand);
    const QString indiv = QStringLiteral("Individuell");
    const QString an = QStringLiteral("Aktiviert"), aus = QStringLiteral("Deaktiviert");
    SoundBox1 = Auswahl(this, l, 0, 0, "SoundBox1", QStringLiteral(" &Sound "), {an, aus, indiv}, 2);
    AnimationBox1 = Auswahl(this, l, 0, 1, "AnimationBox1", QStringLiteral(" &Animationen"),
                            {an, aus, QStringLiteral("Standbild"), indiv}, 3);
    RueckmeldBox1 = Auswahl(this, l, 1, 0, "RueckmeldBox1", QStringLiteral(" Richtig/Falsch-Rück&meldung "),
                            {QStringLiteral("Nur Protokoll am Ende der Übung"), QStringLiteral("Sofortige Rückmeldung"),
                             QStringLiteral("Sofortige Rückmeldung mit Lösung"), indiv},
                            3);
    AnredeBox1 = Auswahl(this, l, 1, 1, "AnredeBox1", QStringLiteral(" An&rede "),
                         {QStringLiteral("'Du'"), QStringLiteral("'Sie'"), indiv}, 2);
    AutoWeiterBox1 =
        Auswahl(this, l, 2, 0, "AutoWeiterBox1", QStringLiteral(" Auto-&Weiterschaltung "), {an, aus, indiv}, 2);
    auto* zg = new QGroupBox(QStringLiteral(" &Zufallsgenerator "), this);
    RandSeedEdit = new QLineEdit(zg);
    RandSeedEdit->setObjectName(QStringLiteral("RandSeedEdit"));
    auto* zl = new QHBoxLayout(zg);
    zl->addWidget(new QLabel(QStringLiteral("Initialisierungswert:"), zg));
    zl->addWidget(RandSeedEdit);
    l->addWidget(zg, 2, 1);
    OKBtn = NetzKnopf(this, "OKBtn", QStringLiteral("OK"));
    OKBtn->SetDefault(true);
    KommVerzBtn = NetzKnopf(this, "KommVerzBtn", QStringLiteral("Kommunikationsverzeichnis..."));
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(KommVerzBtn);
    knoepfe->addStretch();
    knoepfe->addWidget(OKBtn);
    l->addLayout(knoepfe, 3, 0, 1, 2);
    l->setRowStretch(4, 1);
    resize(560, 300);
    connect(OKBtn, &QPushButton::clicked, this, [this] { accept(); });
    connect(KommVerzBtn, &QPushButton::clicked, this, [this] {
        // As the menu item does, so that the choice is kept in the settings.
        if (Host) {
            Host->WaehleKommunikationsverzeichnis();
        } else if (KommVerzForm) {
            KommVerzForm->VerzEdit1->setText(NetzVerz);
            KommVerzForm->exec();
        }
    });
}

void TNetzOptForm::showEvent(QShowEvent* event)
{
    TNetzDialog::showEvent(event);
    OKBtn->setFocus();
}

} // namespace zl
