#include "worksheet/widgets/ab_objhinzu.h"

#include "datastore/zl_data.h"
#include "platform/MessageService.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zl::ab
{

TObjHinzuForm::TObjHinzuForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ObjHinzuForm"));
    setWindowTitle(QStringLiteral("Abfrageobjekte auswählen"));
    setModal(true);
    resize(420, 560);
    auto* v = new QVBoxLayout(this);
    DateiLab = new QLabel(this);
    HinzuListBox = new QListWidget(this);
    HinzuListBox->setObjectName(QStringLiteral("HinzuListBox"));
    AnzCheckedLab = new QLabel(this);
    auto* knoepfe = new QHBoxLayout;
    AlleBtn = new QPushButton(QStringLiteral("Alle &wählen"), this);
    KeineBtn = new QPushButton(QStringLiteral("Alle &entfernen"), this);
    ZuruecksetzenBtn = new QPushButton(QStringLiteral("&Zurücksetzen"), this);
    for (QPushButton* b : {AlleBtn, KeineBtn, ZuruecksetzenBtn})
        knoepfe->addWidget(b);
    auto* unten = new QHBoxLayout;
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    AbbrechenBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
    OKBtn->setDefault(true);
    unten->addWidget(AnzCheckedLab, 1);
    unten->addWidget(OKBtn);
    unten->addWidget(AbbrechenBtn);
    v->addWidget(DateiLab);
    v->addWidget(HinzuListBox, 1);
    v->addLayout(knoepfe);
    v->addLayout(unten);

    auto alle = [this](bool an) {
        for (int i = 0; i < HinzuListBox->count(); ++i)
            HinzuListBox->item(i)->setCheckState(an ? Qt::Checked : Qt::Unchecked);
    };
    connect(AlleBtn, &QPushButton::clicked, this, [alle] { alle(true); });
    connect(KeineBtn, &QPushButton::clicked, this, [alle] { alle(false); });
    connect(ZuruecksetzenBtn, &QPushButton::clicked, this, [this] {
        for (int i = 0; i < HinzuListBox->count() && i < m_urspruenglich.size(); ++i)
            HinzuListBox->item(i)->setCheckState(m_urspruenglich[i] ? Qt::Checked : Qt::Unchecked);
    });
    connect(HinzuListBox, &QListWidget::itemChanged, this, [this] { ZeigeAnzahl(); });
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(AbbrechenBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TObjHinzuForm::Fuelle(const QList<THinzuEintrag>& Eintraege)
{
    HinzuListBox->blockSignals(true);
    HinzuListBox->clear();
    m_urspruenglich.clear();
    for (const THinzuEintrag& e : Eintraege) {
        auto* item = new QListWidgetItem(e.Text, HinzuListBox);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(e.Gewaehlt ? Qt::Checked : Qt::Unchecked);
        item->setData(Qt::UserRole, e.ObjIndex);
        m_urspruenglich.append(e.Gewaehlt);
    }
    HinzuListBox->blockSignals(false);
    DateiLab->setText(QStringLiteral("Beschriftungsdatei: ") + QFileInfo(ObjDatei).fileName());
    ZeigeAnzahl();
    OKBtn->setFocus();
}

int TObjHinzuForm::AnzahlGewaehlt() const
{
    int n = 0;
    for (int i = 0; i < HinzuListBox->count(); ++i)
        n += HinzuListBox->item(i)->checkState() == Qt::Checked;
    return n;
}

QList<int> TObjHinzuForm::Gewaehlt() const
{
    QList<int> l;
    for (int i = 0; i < HinzuListBox->count(); ++i)
        if (HinzuListBox->item(i)->checkState() == Qt::Checked)
            l.append(HinzuListBox->item(i)->data(Qt::UserRole).toInt());
    return l;
}

void TObjHinzuForm::ZeigeAnzahl()
{
    AnzCheckedLab->setText(QString::number(AnzahlGewaehlt()) + QStringLiteral(" ausgewählt"));
}

void TObjHinzuForm::accept()
{
    const QString fehler = HinzuFehler(AnzahlGewaehlt());
    if (!fehler.isEmpty()) {
        ZeigeFehler(fehler);
        return;
    }
    QDialog::accept();
}

} // namespace zl::ab
