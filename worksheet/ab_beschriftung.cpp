#include "worksheet/ab_beschriftung.h"

#include "learning/mapview/zl_beschriftung.h"
#include "learning/mapview/zl_viewport.h"

#include <QPolygon>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace zl::ab
{

namespace
{

constexpr TColor Rgb(int r, int g, int b)
{
    return TColor(r | (g << 8) | (b << 16));
}

enum class Symbol { Keins, Dreieck, Kreis };
enum class Groesse { Land, Gross, Klein };

struct Stilzeile {
    const char16_t* Code;
    int Ebene1, Ebene2; // layers 0..4; the row matches when either is checked (-1: none)
    Symbol Sym;
    TColor Fuellung;
    TColor Textfarbe;
    unsigned Schriftstil;
    Groesse Hoehe;
    bool Gesperrt;
};

const Stilzeile kStil[] = {
    {u"L", 0, -1, Symbol::Keins, 0, clBlack, 0, Groesse::Land, false},
    {u"IS", 0, 4, Symbol::Keins, 0, clBlack, 0, Groesse::Land, false},
    {u"LX", 0, -1, Symbol::Keins, 0, Rgb(128, 128, 128), fsBold, Groesse::Gross, true},
    {u"I", 4, -1, Symbol::Keins, 0, clBlack, fsItalic, Groesse::Klein, false},
    {u"G", 2, -1, Symbol::Keins, 0, Rgb(0, 0, 160), fsItalic, Groesse::Klein, false},
    {u"GB", 3, -1, Symbol::Keins, 0, Rgb(110, 76, 38), fsItalic, Groesse::Klein, false},
    {u"B", 3, -1, Symbol::Dreieck, Rgb(255, 228, 190), Rgb(110, 76, 38), fsItalic, Groesse::Klein, false},
    {u"H", 1, -1, Symbol::Kreis, Rgb(255, 0, 0), clBlack, fsUnderline, Groesse::Klein, false},
    {u"S", 1, -1, Symbol::Kreis, clBlack, clBlack, 0, Groesse::Klein, false},
};

int Vorzeichen(int v)
{
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

bool EbeneAn(const Stilzeile& s, const TABBeschriftungsZustand& Z)
{
    return (s.Ebene1 >= 0 && Z.Ebenen[s.Ebene1]) || (s.Ebene2 >= 0 && Z.Ebenen[s.Ebene2]);
}

const Stilzeile* FindeStil(const QString& Code, const TABBeschriftungsZustand* Ebenen)
{
    for (const Stilzeile& s : kStil)
        if (Code == QStringView(s.Code) && (!Ebenen || EbeneAn(s, *Ebenen)))
            return &s;
    return nullptr;
}

struct Lauf {
    TCanvas& C;
    const TABBeschriftungsZustand& Z;
    int XOffset, YOffset, Breite, Hoehe;
    double L, T, SW, SH;
    int h;
    double k;
    int r3, r5, r6, ux, uy;

    int PixelX(double Px) const { return RundeGerade((Px - L) * Breite / SW) + XOffset; }
    int PixelY(double Py) const { return RundeGerade((Py - T) * Hoehe / SH) + YOffset; }

    int Texthoehe(Groesse g) const
    {
        switch (g) {
        case Groesse::Land:
            return std::max(RundeGerade(1.1 * h), h + 1);
        case Groesse::Gross:
            return std::max(RundeGerade(1.5 * h), h + 1);
        case Groesse::Klein:
            break;
        }
        return h - 1;
    }

    void SchreibeMitRand(int x, int y, const QString& Text)
    {
        C.TextOut(x, y, Text, Z.Kontrast ? KontrastRand() : std::span<const QPoint>(), clWhite);
    }

    void ZeichneObjekt(const ObjDataTyp& o, bool Einzel, int Nummer, bool RoteNummern, bool Voll)
    {
        const Stilzeile* s = FindeStil(o.ObjTyp, Einzel ? nullptr : &Z);
        if (!s)
            return;
        const int X = PixelX(o.Px), Y = PixelY(o.Py);
        const int dx = std::clamp<int>(o.dx, -3, 3), dy = std::clamp<int>(o.dy, -3, 3);
        C.Font.Color = s->Textfarbe;
        C.Font.Style = s->Schriftstil;
        C.Font.Height = std::max(1, Texthoehe(s->Hoehe));
        C.Pen = TPen{clBlack, 1, psSolid};

        if (Voll) {
            switch (s->Sym) {
            case Symbol::Keins:
                break;
            case Symbol::Kreis:
                C.Brush = TBrush{s->Fuellung, bsSolid};
                C.Ellipse(X - r3, Y - r3, X + r3 + 1, Y + r3 + 1);
                break;
            case Symbol::Dreieck:
                C.Brush = TBrush{s->Fuellung, bsSolid};
                C.Polygon(QPolygon({QPoint(X - r5, Y + r3), QPoint(X, Y - r6), QPoint(X + r5, Y + r3)}));
                break;
            }
            C.Brush.Style = bsClear;
        }
        if (s->Code == QStringView(u"G"))
            C.MoveTo(X, Y);

        const int bx = RundeGerade(5 * Vorzeichen(dx) * k + dx * ux / 2.0);
        const int by = RundeGerade(5 * Vorzeichen(dy) * k + dy * uy);
        const bool Wasser = s->Code == QStringView(u"G");
        if (Z.Ansichtsmodus == 5 && Wasser && Voll) {
            C.Pen = TPen{Rgb(0, 0, 128), 2, psSolid};
            C.MoveTo(X, Y);
            C.LineTo(X + bx, Y + by);
            C.Pen = TPen{clBlack, 1, psSolid};
        }
        if ((Nummer > 0 || Nummer == kLeeresKaestchen) && Voll) {
            C.Brush = TBrush{clWhite, bsSolid};
            C.Pen = TPen{clBlack, 1, psSolid};
            C.Rectangle(X + bx - ux, Y + by - uy, X + bx + ux, Y + by + uy);
            C.Brush.Style = bsClear;
        }
        if (Nummer > 0) {
            C.Font.Color = RoteNummern ? Rgb(255, 0, 0) : clBlack;
            C.Font.Height = std::max(1, h);
            C.Font.Style = 0;
            C.SetTextAlign(TA_CENTER | TA_TOP);
            C.TextOut(X + bx, Y + by - RundeGerade(0.45 * h), QString::number(Nummer));
        }
        if (!Einzel) {
            const QString Text = s->Gesperrt ? GesperrteGrossschrift(o.Bez) : o.Bez;
            const QStringList Zeilen = Text.split(QLatin1Char('|'));
            const int n = int(Zeilen.size()) - 1;
            int W = 0;
            for (const QString& z : Zeilen)
                W = std::max(W, C.TextWidth(z));
            const int xo = RundeGerade(7 * Vorzeichen(dx) * k + dx * W / 4.0);
            const int lh = RundeGerade(0.8 * C.TextHeight(QStringLiteral("X")));
            const int yo = RundeGerade((dy - 0.65) * lh);
            for (int j = 0; j <= n; ++j)
                SchreibeMitRand(X + xo, Y + yo + (2 * j - n) * lh, Zeilen[j]);
        }
        if (Z.Ansichtsmodus == 2 && Nummer == 0 && Z.Kaestchenrahmen) {
            const double f = Breite * 1.35 / 420;
            if (Wasser) {
                C.Pen = TPen{Rgb(0, 0, 128), 2, psSolid};
                C.MoveTo(X, Y);
                C.LineTo(X + RundeGerade(bx * f), Y + RundeGerade(by * f));
            }
            C.Pen = TPen{Rgb(255, 0, 0), 2, psSolid};
            C.Brush.Style = bsClear;
            C.Rectangle(X + RundeGerade((bx - ux) * f), Y + RundeGerade((by - uy) * f), X + RundeGerade((bx + ux) * f),
                        Y + RundeGerade((by + uy) * f));
            C.Pen.Width = 1;
            if (o.ObjTyp != u"S" && o.ObjTyp != u"H") {
                C.Pen = TPen{clBlack, 1, psSolid};
                C.Brush = TBrush{Rgb(255, 255, 0), bsSolid};
                C.Ellipse(X - 3, Y - 3, X + 4, Y + 4);
                C.Brush.Style = bsClear;
            }
        }
        C.SetTextAlign(TA_CENTER | TA_TOP);
    }
};

bool Vorbereiten(int Breite, int Hoehe, double Skala, const TRect& Ausschnitt, double& SW, double& SH)
{
    if (Breite <= 0 || Hoehe <= 0 || !(Skala > 0) || !std::isfinite(Skala))
        return false;
    SW = (Ausschnitt.Right - Ausschnitt.Left) / 10000.0;
    SH = (Ausschnitt.Bottom - Ausschnitt.Top) / 10000.0;
    return SW > 0 && SH > 0;
}

} // namespace

void ZeichneBeschriftungen(TCanvas& Canvas, int XOffset, int YOffset, int Breite, int Hoehe, double Skala,
                           const ObjDataTyp* Einzel, int Nummer, const TRect& Ausschnitt, bool RoteNummern, bool Voll,
                           const TABBeschriftungsZustand& Zustand)
{
    double SW = 0, SH = 0;
    if (!Vorbereiten(Breite, Hoehe, Skala, Ausschnitt, SW, SH))
        return;
    if (Einzel && Zustand.Ansichtsmodus != 5)
        return;
    if (!Einzel && !Zustand.Objekte)
        return;
    Canvas.SetTextAlign(TA_CENTER | TA_TOP);
    Canvas.Font.Name = QStringLiteral("Arial");
    Canvas.Brush.Style = bsClear;
    const double k = 0.7 * Skala;
    Lauf R{Canvas,
           Zustand,
           XOffset,
           YOffset,
           Breite,
           Hoehe,
           Ausschnitt.Left / 10000.0,
           Ausschnitt.Top / 10000.0,
           SW,
           SH,
           RundeGerade(13 * Skala),
           k,
           RundeGerade(3 * k),
           RundeGerade(5 * k),
           RundeGerade(6 * k),
           RundeGerade(8 * Skala),
           RundeGerade(7 * Skala)};
    if (Einzel) {
        R.ZeichneObjekt(*Einzel, true, Nummer, RoteNummern, Voll);
        return;
    }
    const QString Karte = Zustand.AktKartID;
    for (const ObjDataTyp& o : *Zustand.Objekte)
        if (o.Intens <= Zustand.LernIntensitaet && o.KartID.toUpper() == Karte)
            R.ZeichneObjekt(o, false, Nummer, RoteNummern, Voll);
}

int ObjektUnterMaus(int X, int Y, int Breite, int Hoehe, const TRect& Ausschnitt,
                    const TABBeschriftungsZustand& Zustand)
{
    double SW = 0, SH = 0;
    if (!Zustand.Objekte || !Vorbereiten(Breite, Hoehe, 1, Ausschnitt, SW, SH))
        return -1;
    const double L = Ausschnitt.Left / 10000.0, T = Ausschnitt.Top / 10000.0;
    const QList<ObjDataTyp>& Obj = *Zustand.Objekte;
    for (int i = 0; i < Obj.size(); ++i) {
        const ObjDataTyp& o = Obj[i];
        if (o.KartID != Zustand.AktKartID || o.Intens > Zustand.LernIntensitaet)
            continue;
        const Stilzeile* s = FindeStil(o.ObjTyp, &Zustand);
        if (!s)
            continue;
        const int px = RundeGerade((o.Px - L) * Breite / SW), py = RundeGerade((o.Py - T) * Hoehe / SH);
        if (std::abs(px - X) <= 8 && std::abs(py - Y) <= 8)
            return i;
    }
    return -1;
}

} // namespace zl::ab
