#include "learning/tools/widgets/zl_druck.h"

#include "controls/Buttons2.h"
#include "controls/DrucSpez.h"
#include "controls/NumEd.h"
#include "datastore/JpegDatei.h"
#include "datastore/Kartenbilder.h"
#include "learning/mainwindow/zl_einstellungen.h"
#include "learning/mainwindow/zl_lernkarte.h"
#include "learning/mainwindow/zl_main.h"
#include "learning/mainwindow/zl_viewport.h"
#include "platform/MessageService.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>

#include <cmath>

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

double DruckSkala(double ZoomFaktor, int W, int H)
{
    const double d = std::sqrt(double(W) * W + double(H) * H);
    return 0.8 * ((ZoomFaktor - 1) / 5 + 1) * (0.00105 * d);
}

bool DruckeKartenausschnitt(TCanvas& c, int X0, int Y0, int W, int H, const TKartendruck& K)
{
    const QString Pfad = KartenbildPfad(K.KartID, K.KartTyp, QStringLiteral("1"));
    QImage Karte;
    try {
        if (!LadeJpegBild(Karte, 0, 0, false, Pfad) || Karte.isNull()) {
            ZeigeFehler(QStringLiteral("Das Kartenbild \"") + Pfad + QStringLiteral("\" wurde nicht gefunden."));
            return false;
        }
    } catch (const EBildFehler& e) {
        ZeigeFehler(e.message());
        return false;
    }
    // The output area is the whole box, so the drawing rectangle is the box.
    const TRect& A = K.Ausschnitt;
    const int x1 = RundeGerade(Karte.width() * A.Left / 10000.0), y1 = RundeGerade(Karte.height() * A.Top / 10000.0);
    const int x2 = RundeGerade(Karte.width() * A.Right / 10000.0),
              y2 = RundeGerade(Karte.height() * A.Bottom / 10000.0);
    const QImage Teil = Karte.copy(QRect(x1, y1, std::max(0, x2 - x1), std::max(0, y2 - y1)));
    Karte = QImage();
    // The painter clips in logical units, so no conversion to device dots is needed.
    c.SetClipRect(X0, Y0, X0 + W, Y0 + H);
    if (!DruckeBitmap(c, X0, Y0, X0 + W, Y0 + H, Teil))
        return false;
    c.SetClipRect(X0, Y0, X0 + W, Y0 + H);
    ZeichneBeschriftungen(c, X0, Y0, W, H, DruckSkala(K.ZoomFaktor, W, H), -1, A, K.Beschriftung);
    c.SetClipRect(X0 - 100, Y0 - 100, X0 + W + 100, Y0 + H + 100);
    c.Pen = TPen{clBlack, 2, psSolid};
    c.Brush.Style = bsClear;
    c.Rectangle(X0, Y0, X0 + W + 1, Y0 + H + 1);
    c.ClearClip();
    return true;
}

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
    Ausgabeflaeche = TAusgabeflaeche{};
    if (Form1)
        Seitenverhaeltnis = Form1->Zustand.Viewport.AusschnittSeitenverhaeltnis;
    SeitRatioClick();
    DruckBtn->setFocus();
}

bool TDruckForm::Drucke()
{
    int L = CmInZehntelMm(LiRandEdit->GetValue()), T = CmInZehntelMm(ObRandEdit->GetValue());
    const int W = CmInZehntelMm(BreiteEdit->GetValue()), H = CmInZehntelMm(HoeheEdit->GetValue());
    if (W <= 0 || H <= 0) {
        ZeigeFehler(QStringLiteral("Breite und Höhe müssen größer als 0 sein."));
        return false;
    }
    TKartendruck K;
    if (Form1) {
        const HauptfensterZustand& Z = Form1->Zustand;
        K.KartID = Z.AktKartID;
        K.Ausschnitt = Z.Viewport.Ausschnitt;
        K.ZoomFaktor = Z.Viewport.ZoomFaktor;
        K.Beschriftung.AktKartID = Z.AktKartID;
        K.Beschriftung.LernIntensitaet = Z.LernIntensitaet;
        K.Beschriftung.FontFakIndex = Z.FontFakIndex;
        K.Beschriftung.Kartenschrift = Z.Kartenschrift;
        K.Beschriftung.Ansichtsmodus = Z.Ansichtsmodus;
        if (Form1->LernkarteAnsicht)
            K.Beschriftung.Ebenen = Form1->LernkarteAnsicht->Ebenen();
    }
    if (!KartTyp.isEmpty())
        K.KartTyp = KartTyp;
    TDruckauftrag Auftrag(Drucker());
    if (!Auftrag.Beginne())
        return false;
    KorrigiereDruckRaender(Drucker(), L, T);
    if (!DruckeKartenausschnitt(Auftrag.Canvas(), L, T, W, H, K))
        return false;
    return Auftrag.Beende();
}

} // namespace zl
