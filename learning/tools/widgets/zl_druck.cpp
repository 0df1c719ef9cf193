#include "learning/tools/widgets/zl_druck.h"

#include "controls/Buttons2.h"
#include "controls/NumEd.h"
#include "learning/mapview/zl_hauptfensterhost.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>

namespace zl
{

namespace
{

// The edits show centimetres with a decimal comma whatever the desktop's locale.
void SetzeZentimeter(TNumEditQ* Edit, double Wert)
{
    Edit->setText(NumEditQText(Wert, Edit->Nkst(), QLocale(QLocale::German, QLocale::Germany)));
}

} // namespace

TDruckForm::TDruckForm(QWidget* parent) : TDruckDialog(QStringLiteral("Landkarte drucken"), parent)
{
    setObjectName(QStringLiteral("DruckForm"));
    PosGruppe = new QGroupBox(QStringLiteral(" Position und Größe "), Panel1);
    PosGruppe->setObjectName(QStringLiteral("PosGruppe"));
    auto edit = [this](const char* name, const QString& label, const QString& text) {
        auto* l = new QLabel(label, PosGruppe);
        auto* e = new TNumEditQ(PosGruppe);
        e->setObjectName(QString::fromLatin1(name));
        e->SetNkst(1);
        e->setText(text);
        l->setBuddy(e);
        l->setObjectName(QString::fromLatin1(name) + QStringLiteral("Lab"));
        return e;
    };
    LiRandEdit = edit("LiRandEdit", QStringLiteral("&Linker Rand:"), QStringLiteral("2,0"));
    ObRandEdit = edit("ObRandEdit", QStringLiteral("&Oberer Rand:"), QStringLiteral("2,0"));
    BreiteEdit = edit("BreiteEdit", QStringLiteral("&Breite:"), QStringLiteral("17,0"));
    HoeheEdit = edit("HoeheEdit", QStringLiteral("&Höhe:"), QStringLiteral("17,0"));
    SeitRatio = new QCheckBox(QStringLiteral("Korrektes &Seitenverhältnis"), PosGruppe);
    SeitRatio->setObjectName(QStringLiteral("SeitRatio"));
    SeitRatio->setChecked(true);
    connect(SeitRatio, &QCheckBox::clicked, this, [this] { SeitRatioClick(); });
    connect(BreiteEdit, &QLineEdit::textChanged, this, [this] { BreiteEditChange(); });
    connect(HoeheEdit, &QLineEdit::textChanged, this, [this] { HoeheEditChange(); });
    PanelHoehe = 150;
    PasseGroesseAn(420);
}

void TDruckForm::OrdnePanel(int Breite)
{
    PosGruppe->setGeometry(8, 6, Breite - 16, 136);
    const char* namen[4] = {"LiRandEdit", "ObRandEdit", "BreiteEdit", "HoeheEdit"};
    TNumEditQ* edits[4] = {LiRandEdit, ObRandEdit, BreiteEdit, HoeheEdit};
    for (int i = 0; i < 4; ++i) {
        const int x = 10 + (i / 2) * 150, y = 24 + (i % 2) * 34;
        if (auto* l = PosGruppe->findChild<QLabel*>(QString::fromLatin1(namen[i]) + QStringLiteral("Lab")))
            l->setGeometry(x, y, 86, 24);
        edits[i]->setGeometry(x + 88, y, 54, 24);
    }
    SeitRatio->setGeometry(10, 98, PosGruppe->width() - 20, 24);
}

void TDruckForm::SeitRatioClick()
{
    if (!SeitRatio->isChecked())
        return;
    if (const auto h = RatioHoehe(BreiteEdit->GetValue(), Ausgabeflaeche, Seitenverhaeltnis))
        SetzeZentimeter(HoeheEdit, *h);
}

void TDruckForm::BreiteEditChange()
{
    if (SeitRatio->isChecked() && BreiteEdit->hasFocus())
        if (const auto h = RatioHoehe(BreiteEdit->GetValue(), Ausgabeflaeche, Seitenverhaeltnis))
            SetzeZentimeter(HoeheEdit, *h);
}

void TDruckForm::HoeheEditChange()
{
    if (SeitRatio->isChecked() && HoeheEdit->hasFocus())
        if (const auto w = RatioBreite(HoeheEdit->GetValue(), Ausgabeflaeche, Seitenverhaeltnis))
            SetzeZentimeter(BreiteEdit, *w);
}

void TDruckForm::FormActivate()
{
    TDruckDialog::FormActivate();
    Ausgabeflaeche = kGanzeAusgabeflaeche;
    if (Host)
        Seitenverhaeltnis = Host->Fensterzustand().Viewport.AusschnittSeitenverhaeltnis;
    SeitRatioClick();
    DruckBtn->setFocus();
}

bool TDruckForm::Drucke()
{
    if (!Host)
        return false;
    const QRect Box(CmInZehntelMm(LiRandEdit->GetValue()), CmInZehntelMm(ObRandEdit->GetValue()),
                    CmInZehntelMm(BreiteEdit->GetValue()), CmInZehntelMm(HoeheEdit->GetValue()));
    return Host->DruckeKarte(Drucker(), Box, Ausgabeflaeche);
}

} // namespace zl
