#include "learning/tools/widgets/zl_suche.h"

#include "controls/Buttons2.h"
#include "learning/mapview/widgets/zl_gestaltung.h"
#include "learning/mapview/zl_hauptfensterhost.h"
#include "learning/mapview/zl_rahmen.h"
#include "learning/tools/zl_suchmodell.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace zl
{

TKartSuchForm::TKartSuchForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("KartSuchForm"));
    setWindowTitle(QStringLiteral("Suchen"));
    setFixedSize(400, 214);
    BaueDialogRahmen(this, MainBackImg, Panel1);

    Label1 = new QLabel(QStringLiteral("&Suchbegriff:"), Panel1);
    TextEdit = new QComboBox(Panel1);
    TextEdit->setObjectName(QStringLiteral("TextEdit"));
    TextEdit->setEditable(true);
    TextEdit->setInsertPolicy(QComboBox::NoInsert);
    TextEdit->setMaxVisibleItems(10);
    Label1->setBuddy(TextEdit);
    NurGanzWort = new QCheckBox(QStringLiteral("&Nur ganze Wörter"), Panel1);
    NurGanzWort->setObjectName(QStringLiteral("NurGanzWort"));
    NurGanzStr = new QCheckBox(QStringLiteral("&Vollständiger Suchbegriff"), Panel1);
    NurGanzStr->setObjectName(QStringLiteral("NurGanzStr"));
    NurAktKarte = new QCheckBox(QStringLiteral("Nur in aktueller &Karte suchen"), Panel1);
    NurAktKarte->setObjectName(QStringLiteral("NurAktKarte"));

    SuchBtn = NeuerKnopf(this, "SuchBtn", QStringLiteral("Suchen"));
    SuchBtn->SetDefault(true);
    SuchBtn->SetModalResult(mrOk);
    CloseBtn = NeuerKnopf(this, "CloseBtn", QStringLiteral("Schließen"));
    CloseBtn->SetCancel(true);
    CloseBtn->SetModalResult(mrCancel);
    ClearBtn = NeuerKnopf(this, "ClearBtn", QStringLiteral("Zurücksetzen"));
    connect(ClearBtn, &TBitBtn2::OnClick, this, [this] { ClearBtnClick(); });

    ZeigeModal = [this] { return exec(); };
}

void TKartSuchForm::MerkeSuchbegriff(const QString& Begriff)
{
    QStringList v = Verlauf();
    zl::MerkeSuchbegriff(v, Begriff);
    const QString Text = TextEdit->currentText();
    TextEdit->clear();
    TextEdit->addItems(v);
    TextEdit->setCurrentIndex(-1);
    TextEdit->setEditText(Text);
}

QStringList TKartSuchForm::Verlauf() const
{
    QStringList v;
    for (int i = 0; i < TextEdit->count(); ++i)
        v.append(TextEdit->itemText(i));
    return v;
}

void TKartSuchForm::ClearBtnClick()
{
    TextEdit->setEditText(QString());
    TextEdit->setFocus();
}

void TKartSuchForm::FormActivate()
{
    if (Host)
        Host->SetzeSuchKnoepfe(true);
    ZeichneDialogHintergrund(MainBackImg);
    MainBackImg->lower();
    FaerbeKnoepfe(this);
    ClearBtnClick();
}

void TKartSuchForm::showEvent(QShowEvent* event)
{
    FormActivate();
    QDialog::showEvent(event);
}

void TKartSuchForm::resizeEvent(QResizeEvent* event)
{
    const int w = width(), h = height();
    Panel1->setGeometry(10, 10, w - 20, 146);
    const int pw = Panel1->width();
    Label1->setGeometry(12, 10, pw - 24, 18);
    TextEdit->setGeometry(12, 30, pw - 24, 24);
    NurGanzWort->setGeometry(12, 64, pw - 24, 20);
    NurGanzStr->setGeometry(12, 88, pw - 24, 20);
    NurAktKarte->setGeometry(12, 112, pw - 24, 20);
    const int bw = std::min(110, (w - 40) / 3), by = h - 42;
    SuchBtn->setGeometry(10, by, bw, 32);
    ClearBtn->setGeometry((w - bw) / 2, by, bw, 32);
    CloseBtn->setGeometry(w - 10 - bw, by, bw, 32);
    QDialog::resizeEvent(event);
}

} // namespace zl
