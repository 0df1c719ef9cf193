#include "learning/tools/zl_drucklayout.h"

#include "learning/mapview/zl_viewport.h"

#include <cmath>

namespace zl
{

QString DruckerInfoText(const QString& Name, const QString& Port)
{
    if (Name.isEmpty())
        return QStringLiteral("- Kein Drucker -");
    return Port.isEmpty() ? Name : Name + QStringLiteral(" an ") + Port;
}

namespace
{

bool Positiv(double x)
{
    return std::isfinite(x) && x > 0;
}

} // namespace

std::optional<double> RatioHoehe(double Breite, const QRectF& R, double a)
{
    const double w = R.width(), h = R.height();
    if (!Positiv(a) || !Positiv(w) || !Positiv(h) || !Positiv(Breite))
        return std::nullopt;
    return Breite * h / w / a;
}

std::optional<double> RatioBreite(double Hoehe, const QRectF& R, double a)
{
    const double w = R.width(), h = R.height();
    if (!Positiv(a) || !Positiv(w) || !Positiv(h) || !Positiv(Hoehe))
        return std::nullopt;
    return Hoehe * w / h * a;
}

int CmInZehntelMm(double Zentimeter)
{
    return RundeGerade(Zentimeter * 100.0);
}

TDruckSeite Druckseite(int W, int H, int L, int T, int Rechts, int Unten)
{
    return {L, T, W - L - Rechts, H - T - Unten};
}

QList<int> Spaltenkanten(const QList<int>& Breiten, int L, int U)
{
    double Summe = 0;
    for (int b : Breiten)
        Summe += b;
    QList<int> x{L};
    for (int b : Breiten)
        x.append(x.back() + (Summe > 0 ? RundeGerade(b / Summe * U) : 0));
    return x;
}

namespace
{

// A page break waits until something more is printed, so a printout never ends
// in an empty page.
class Seitenfolge
{
  public:
    Seitenfolge(const TDruckSeite& s, const TNeueSeite& neu) : m_s(s), m_neu(neu), y(s.T) {}

    // Before a line of height h: false when the new page failed.
    bool Platz()
    {
        if (!m_wechsel)
            return true;
        m_wechsel = false;
        if (!m_neu || !m_neu())
            return false;
        ++Seiten;
        y = m_s.T;
        return true;
    }
    // After a line: y += h, and a page break when the next line would pass B.
    void Weiter(int h)
    {
        y += h;
        if (y + h > m_s.B)
            m_wechsel = true;
    }

    int Seiten = 1;

  private:
    const TDruckSeite& m_s;
    const TNeueSeite& m_neu;
    bool m_wechsel = false;

  public:
    int y;
};

void DruckeZeile(TCanvas& c, const QList<int>& x, const QList<int>& Ausrichtung, int y, int h,
                 const QStringList& Zellen)
{
    for (qsizetype i = 0; i < Zellen.size() && i + 1 < x.size(); ++i) {
        const int a = i < Ausrichtung.size() ? Ausrichtung.at(i) : 0;
        c.SetClipRect(x.at(i), y, x.at(i + 1), y + h);
        if (a == 1) {
            c.SetTextAlign(TA_CENTER | TA_TOP);
            c.TextOut((x.at(i) + x.at(i + 1)) / 2, y, Zellen.at(i));
        } else if (a == 2) {
            c.SetTextAlign(TA_RIGHT | TA_TOP);
            c.TextOut(x.at(i + 1), y, Zellen.at(i));
        } else {
            c.SetTextAlign(TA_LEFT | TA_TOP);
            c.TextOut(x.at(i), y, Zellen.at(i));
        }
    }
    c.ClearClip();
    c.SetTextAlign(TA_LEFT | TA_TOP);
}

QStringList TildeZellen(const QString& Text)
{
    QStringList z = Text.split(QLatin1Char('~'));
    if (!z.isEmpty() && z.back().isEmpty())
        z.removeLast();
    return z;
}

void Linie(TCanvas& c, int x1, int x2, int y)
{
    c.MoveTo(x1, y);
    c.LineTo(x2, y);
}

} // namespace

int DruckeTabelle(TCanvas& c, const TDruckSeite& Seite, const TTabellenDruck& Tab, const TNeueSeite& NeueSeite)
{
    c.Font = TFontSpec{QStringLiteral("Arial"), 40, clBlack, 0, 0};
    c.Brush.Style = bsClear;
    c.Pen = TPen{clBlack, 2, psSolid};
    const int h = c.TextHeight(QStringLiteral("X"));
    const QList<int> x = Spaltenkanten(Tab.Spaltenbreiten, Seite.L, Seite.U);
    Seitenfolge s(Seite, NeueSeite);
    if (!Tab.Ueberschrift.isEmpty()) {
        c.SetTextAlign(TA_LEFT | TA_TOP);
        c.TextOut(Seite.L, s.y, Tab.Ueberschrift);
        s.y += 2 * h;
    }
    if (!Tab.Kopfzeile.isEmpty()) {
        DruckeZeile(c, x, Tab.Ausrichtungen, s.y, h, TildeZellen(Tab.Kopfzeile));
        s.y += h;
        Linie(c, Seite.L, x.back(), s.y);
    }
    for (const QStringList& z : Tab.Zeilen) {
        if (!s.Platz())
            return 0;
        DruckeZeile(c, x, Tab.Ausrichtungen, s.y, h, z);
        s.Weiter(h);
    }
    if (!Tab.Summenzeile.isEmpty()) {
        if (!s.Platz())
            return 0;
        DruckeZeile(c, x, Tab.Ausrichtungen, s.y, h, TildeZellen(Tab.Summenzeile));
        Linie(c, Seite.L, x.back(), s.y);
    }
    return s.Seiten;
}

int ListenSchrifthoehe(TCanvas& c, int n, int U)
{
    c.Font = TFontSpec{QStringLiteral("Courier New"), 40, clBlack, 0, 0};
    const QString Probe(n, QLatin1Char('X'));
    while (c.TextWidth(Probe) > U && c.Font.Height >= 21)
        --c.Font.Height;
    return c.Font.Height;
}

int DruckeListe(TCanvas& c, const TDruckSeite& Seite, const QStringList& Zeilen, const TNeueSeite& NeueSeite)
{
    qsizetype n = 0;
    for (const QString& z : Zeilen)
        n = std::max(n, z.size());
    ListenSchrifthoehe(c, int(n), Seite.U);
    c.Brush.Style = bsClear;
    c.SetTextAlign(TA_LEFT | TA_TOP);
    const int h = c.TextHeight(QStringLiteral("X"));
    Seitenfolge s(Seite, NeueSeite);
    for (const QString& z : Zeilen) {
        if (!s.Platz())
            return 0;
        c.TextOut(Seite.L, s.y, z);
        s.Weiter(h);
    }
    return s.Seiten;
}

} // namespace zl
