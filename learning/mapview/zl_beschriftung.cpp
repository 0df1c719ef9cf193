#include "learning/mapview/zl_beschriftung.h"

#include "learning/mapview/zl_viewport.h"
#include "platform/GesetzterText.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <QStringList>

#include <QVarLengthArray>

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>

namespace zl
{

namespace
{

constexpr TColor Rgb(int r, int g, int b)
{
    return TColor(r | (g << 8) | (b << 16));
}

enum class Symbol { Keins, Dreieck, Kreis, Scheibe };
enum class Groesse { Land, Gross, Klein, Keine }; // max(1.1 f, h0+1), max(1.5 f, h0+1), h0-1

struct Stilzeile {
    const char16_t* Code;
    int Ebene; // 0..5 for LernObjCheck1..6
    Symbol Sym;
    TColor Fuellung;
    TColor Textfarbe;
    unsigned Schriftstil;
    Groesse Hoehe;
    bool Gesperrt;
};

// Tried in this order; the first row with the label's code and a checked layer wins.
const Stilzeile kStil[] = {
    {u"L", 0, Symbol::Keins, 0, clBlack, fsBold, Groesse::Land, false},
    {u"UG", 0, Symbol::Keins, 0, clBlack, fsBold, Groesse::Land, false},
    {u"IS", 0, Symbol::Keins, 0, clBlack, fsBold, Groesse::Land, false},
    {u"IS", 4, Symbol::Keins, 0, clBlack, fsBold, Groesse::Land, false},
    {u"LX", 0, Symbol::Keins, 0, Rgb(128, 128, 128), fsBold, Groesse::Gross, true},
    {u"K", 0, Symbol::Keins, 0, Rgb(128, 128, 128), fsBold, Groesse::Gross, true},
    {u"I", 4, Symbol::Keins, 0, clBlack, fsItalic, Groesse::Klein, false},
    {u"G", 2, Symbol::Keins, 0, Rgb(0, 0, 160), fsItalic, Groesse::Klein, false},
    {u"GB", 3, Symbol::Keins, 0, Rgb(110, 76, 38), fsItalic, Groesse::Klein, false},
    {u"B", 3, Symbol::Dreieck, Rgb(255, 228, 190), Rgb(110, 76, 38), fsItalic, Groesse::Klein, false},
    {u"H", 1, Symbol::Kreis, Rgb(255, 0, 0), clBlack, fsUnderline, Groesse::Klein, false},
    {u"S", 1, Symbol::Kreis, Rgb(255, 255, 255), clBlack, 0, Groesse::Klein, false},
    {u"KD", 5, Symbol::Scheibe, 0, clBlack, 0, Groesse::Keine, false},
};

int Vorzeichen(int v)
{
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

// The quantities of one ZeichneBeschriftungen call.
struct Lauf {
    Lauf(TCanvas& c, const TBeschriftungsZustand& z, const QList<ObjDataTyp>& o) : C(c), Z(z), Obj(o) {}
    TCanvas& C;
    const TBeschriftungsZustand& Z;
    const QList<ObjDataTyp>& Obj;
    int XOffset = 0, YOffset = 0, Breite = 0, Hoehe = 0;
    double L = 0, T = 0, SW = 1, SH = 1; // section in fractions of the picture
    int ObjIndex = -1;
    double fsize = 0;
    int h0 = 0;
    double k = 0;
    int r3 = 0, r5 = 0, r6 = 0;
    bool Kontrast = true;
    int FontHoehe = 0;
    unsigned FontStil = ~0u;
    QFont Font;
    std::optional<QFontMetrics> Fm;

    void FontBereit()
    {
        if (Fm && C.Font.Height == FontHoehe && C.Font.Style == FontStil)
            return;
        FontHoehe = C.Font.Height;
        FontStil = C.Font.Style;
        Font = C.ResolvedFont();
        Fm.emplace(Font, C.Painter() ? C.Painter()->device() : nullptr);
    }

    int KarteZuPixelX(double Px) const { return RundeGerade((Px - L) * Breite / SW) + XOffset; }
    int KarteZuPixelY(double Py) const { return RundeGerade((Py - T) * Hoehe / SH) + YOffset; }

    const Stilzeile* FindeStil(const QString& Code, bool EbenenBeachten) const
    {
        for (const Stilzeile& s : kStil)
            if (Code == QStringView(s.Code) && (!EbenenBeachten || Z.Ebenen[s.Ebene]))
                return &s;
        return nullptr;
    }

    int Texthoehe(Groesse g) const
    {
        switch (g) {
        case Groesse::Land:
            return std::max(RundeGerade(1.1 * fsize), h0 + 1);
        case Groesse::Gross:
            return std::max(RundeGerade(1.5 * fsize), h0 + 1);
        case Groesse::Klein:
            return h0 - 1;
        case Groesse::Keine:
            break;
        }
        return h0;
    }

    // Eight white copies around the text (the halo), then the text. The cached path gives
    // the pixels of TextOut up to rounding; NurTextOut keeps to TextOut for the comparison.
    void SchreibeMitRand(int x, int y, const QString& Text)
    {
        const std::span<const QPoint> Rand = Kontrast ? KontrastRand() : std::span<const QPoint>();
        if (Z.NurTextOut)
            C.TextOut(x, y, Text, Rand, clWhite);
        else
            GesetzterTextOut(C, x, y, Text, Rand, clWhite);
    }

    void ZeichneObjekt(int i, bool NurSymbol)
    {
        const ObjDataTyp& o = Obj[i];
        const int X = KarteZuPixelX(o.Px), Y = KarteZuPixelY(o.Py);
        C.Font.Height = -std::max(1, h0);
        C.Pen.Width = 1;
        const Stilzeile* s = FindeStil(o.ObjTyp, !NurSymbol);
        if (!s)
            return;
        C.Font.Color = s->Textfarbe;
        C.Font.Style = s->Schriftstil;
        C.Font.Height = -std::max(1, Texthoehe(s->Hoehe));

        switch (s->Sym) {
        case Symbol::Keins:
            break;
        case Symbol::Kreis:
            C.Pen = TPen{clBlack, 1, psSolid};
            C.Brush = TBrush{s->Fuellung, bsSolid};
            C.Ellipse(X - r3, Y - r3, X + r3 + 1, Y + r3 + 1);
            break;
        case Symbol::Dreieck:
            C.Brush = TBrush{s->Fuellung, bsSolid};
            C.Pen = TPen{clBlack, 1, psSolid};
            C.Polygon(QPolygon({QPoint(X - r5, Y + r3), QPoint(X, Y - r6), QPoint(X + r5, Y + r3)}));
            break;
        case Symbol::Scheibe: {
            TColor Farbe;
            double f;
            if (!LeseKreisdaten(o.Bez, Farbe, f))
                break;
            // Held well inside the int range; larger discs cover any target anyway.
            const int r = RundeGerade(std::min(k * 50 * f, 1.0e6));
            C.Pen = TPen{clBlack, 1, psSolid};
            C.Brush = TBrush{Farbe, bsSolid};
            C.Ellipse(X - r, Y - r, X + r + 1, Y + r + 1);
            break;
        }
        }
        if (s->Sym != Symbol::Keins)
            C.Brush.Style = bsClear;

        if (s->Hoehe == Groesse::Keine || ObjIndex != -1 || NurSymbol)
            return;
        const QString Text = s->Gesperrt ? GesperrteGrossschrift(o.Bez) : o.Bez;
        const QStringList Zeilen = Text.split(QLatin1Char('|'));
        const int n = int(Zeilen.size()) - 1;
        FontBereit();
        int W = 0;
        QVarLengthArray<int, 4> Breiten;
        for (const QString& z : Zeilen) {
            Breiten.append(Z.NurTextOut ? Fm->horizontalAdvance(z) : GesetzteTextbreite(C, z));
            W = std::max(W, Breiten.back());
        }
        const int dx = std::clamp<int>(o.dx, -3, 3), dy = std::clamp<int>(o.dy, -3, 3);
        const int xo = RundeGerade(7 * Vorzeichen(dx) * k + dx * W / 4.0);
        const int lh = RundeGerade(0.8 * (Fm->ascent() + Fm->descent()));
        const int yo = RundeGerade((dy - 0.65) * lh);
        for (int j = 0; j <= n; ++j) {
            const int x = X + xo, y = Y + yo + (2 * j - n) * lh;
            SchreibeMitRand(x, y, Zeilen[j]);
        }
    }
};

} // namespace

std::span<const QPoint> KontrastRand()
{
    static constexpr QPoint kRand[8] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    return kRand;
}

double LernkartenSkala(double ZoomFaktor)
{
    return 0.8 * ((ZoomFaktor - 1) / 5 + 1);
}

QString GesperrteGrossschrift(const QString& Text)
{
    QString t = Text;
    t.replace(QChar(0x00DF), QLatin1String("ss"));
    t = t.toUpper();
    QString g;
    g.reserve(t.size() * 5);
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (i > 0)
            g += QLatin1String("    ");
        g += t[i];
    }
    g.replace(QLatin1String("|    "), QLatin1String("|"));
    g.replace(QLatin1String("    |"), QLatin1String("|"));
    return g;
}

bool LeseKreisdaten(const QString& Bez, TColor& Farbe, double& f)
{
    const QStringList Felder = Bez.split(QLatin1Char('|'));
    if (Felder.size() < 3)
        return false;
    bool ok = false;
    if (Felder[0].trimmed().toInt(&ok) != 1 || !ok)
        return false;
    const QString Hex = Felder[1].trimmed();
    if (Hex.isEmpty() || Hex.size() > 6)
        return false;
    for (QChar c : Hex)
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f')))
            return false;
    Farbe = TColor(Hex.toUInt(&ok, 16));
    if (!ok)
        return false;
    // QString::toDouble reads the C locale's form ("." decimal point) whatever the system says.
    f = Felder[2].trimmed().toDouble(&ok);
    return ok && std::isfinite(f) && f > 0;
}

void ZeichneBeschriftungen(TCanvas& Canvas, int XOffset, int YOffset, int Breite, int Hoehe, double Skala, int ObjIndex,
                           const TRect& Ausschnitt, const TBeschriftungsZustand& Zustand)
{
    if (!Zustand.Objekte || Breite <= 0 || Hoehe <= 0 || !(Skala > 0) || !std::isfinite(Skala))
        return;
    const double SW = (Ausschnitt.Right - Ausschnitt.Left) / 10000.0;
    const double SH = (Ausschnitt.Bottom - Ausschnitt.Top) / 10000.0;
    if (!(SW > 0) || !(SH > 0))
        return;
    const QList<ObjDataTyp>& Obj = *Zustand.Objekte;
    if (ObjIndex != -1) {
        if (ObjIndex < 0 || ObjIndex >= Obj.size() || Zustand.Ansichtsmodus != 3)
            return;
    }

    double s = Skala;
    if (Zustand.AktKartID.size() == 4 && Zustand.AktKartID.startsWith(QLatin1Char('D')))
        s *= 1.2;
    Canvas.SetTextAlign(TA_CENTER | TA_TOP);
    Canvas.Font.Name = QStringLiteral("Arial");
    Canvas.Brush.Style = bsClear;

    Lauf R(Canvas, Zustand, Obj);
    R.XOffset = XOffset;
    R.YOffset = YOffset;
    R.Breite = Breite;
    R.Hoehe = Hoehe;
    R.L = Ausschnitt.Left / 10000.0;
    R.T = Ausschnitt.Top / 10000.0;
    R.SW = SW;
    R.SH = SH;
    R.ObjIndex = ObjIndex;
    R.fsize = Schriftgroessen[std::clamp(Zustand.FontFakIndex, 0, 2)] * s;
    R.h0 = RundeGerade(R.fsize);
    R.k = 0.7 * s;
    R.r3 = RundeGerade(3 * R.k);
    R.r5 = RundeGerade(5 * R.k);
    R.r6 = RundeGerade(6 * R.k);
    R.Kontrast = std::clamp(Zustand.Kartenschrift, 0, 1) == 0;

    if (ObjIndex >= 0) {
        R.ZeichneObjekt(ObjIndex, true);
        return;
    }
    const int Stufe = std::clamp(Zustand.LernIntensitaet, 1, 3);
    const QString& Karte = Zustand.AktKartID;
    const QLatin1String LX("LX"), K("K");
    // The table holds every map's labels: one pass picks this map's, in table order.
    QVarLengthArray<int, 1024> Eigene;
    for (int i = 0; i < Obj.size(); ++i)
        if (Obj[i].Intens <= Stufe && Obj[i].KartID == Karte)
            Eigene.append(i);
    // Grey country and continent names first, so that every other label lies on top.
    if (Zustand.Ebenen[0])
        for (int i : Eigene)
            if (Obj[i].ObjTyp == LX || Obj[i].ObjTyp == K)
                R.ZeichneObjekt(i, false);
    for (int i : Eigene)
        if (Obj[i].ObjTyp != LX && Obj[i].ObjTyp != K)
            R.ZeichneObjekt(i, false);
}

} // namespace zl
