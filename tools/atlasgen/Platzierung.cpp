#include "tools/atlasgen/Platzierung.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace zl::atlas
{

namespace
{
constexpr double kSymbolEinheit = 0.7;
constexpr double kBasisHoehe = 11.0; // the learning map's smallest label size

bool istGrossgesperrt(const QString& t)
{
    return t == u"LX" || t == u"K";
}

// Placements to try, best first: area names sit on their point, point objects beside their symbol.
const QList<QPair<int, int>>& Reihenfolge(const QString& t)
{
    static const QList<QPair<int, int>> flaeche = {{0, 0}, {0, -1}, {0, 1}, {1, 0}, {-1, 0}, {0, -2}, {0, 2}};
    static const QList<QPair<int, int>> punkt = {{2, 0}, {-2, 0}, {0, -2}, {0, 1}, {2, -1}, {2, 1}, {-2, -1}, {-2, 1}};
    if (t == u"S" || t == u"H" || t == u"B")
        return punkt;
    return flaeche;
}

double Ueberlappung(const QRectF& a, const QRectF& b)
{
    const QRectF s = a.intersected(b);
    return s.isEmpty() ? 0.0 : s.width() * s.height();
}
} // namespace

QFont SchriftFuer(const QString& t, double s)
{
    const double fsize = kBasisHoehe * s;
    const double h0 = std::round(fsize);
    QFont f(QStringLiteral("Liberation Sans"));
    double h = h0 - 1;
    if (t == u"L" || t == u"UG" || t == u"IS") {
        h = std::max(std::round(1.1 * fsize), h0 + 1);
        f.setBold(true);
    } else if (istGrossgesperrt(t)) {
        h = std::max(std::round(1.5 * fsize), h0 + 1);
        f.setBold(true);
    } else if (t == u"I" || t == u"G" || t == u"GB" || t == u"B") {
        f.setItalic(true);
    }
    f.setPixelSize(std::max(1, int(h)));
    return f;
}

QStringList AngezeigteZeilen(const QString& t, const QString& bez)
{
    QString text = bez;
    if (istGrossgesperrt(t)) {
        text.replace(u'ß', QStringLiteral("ss"));
        text = text.toUpper();
        QString gesperrt;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (i > 0)
                gesperrt += QStringLiteral("    ");
            gesperrt += text[i];
        }
        gesperrt.replace(QStringLiteral("|    "), QStringLiteral("|"));
        gesperrt.replace(QStringLiteral("    |"), QStringLiteral("|"));
        text = gesperrt;
    }
    return text.split(u'|');
}

Schriftmass MesseText(const QString& t, const QString& bez, double s)
{
    const QFontMetricsF fm(SchriftFuer(t, s));
    Schriftmass m;
    const QStringList zeilen = AngezeigteZeilen(t, bez);
    m.zeilen = int(zeilen.size());
    for (const QString& z : zeilen)
        m.textBreite = std::max(m.textBreite, fm.horizontalAdvance(z));
    m.hoeheX = fm.tightBoundingRect(QStringLiteral("X")).height();
    m.hoehe = fm.height();
    return m;
}

QRectF TextBox(const Schriftmass& m, int dx, int dy, double skalierung)
{
    const double k = kSymbolEinheit * skalierung;
    const int vorzeichen = (dx > 0) - (dx < 0);
    const double xo = std::round(7 * vorzeichen * k + dx * m.textBreite / 4);
    const double lh = std::round(0.8 * m.hoeheX);
    const double yo = std::round((dy - 0.65) * lh);
    const int n = m.zeilen - 1;
    const double oben = yo - n * lh;
    const double unten = yo + n * lh + m.hoehe;
    return QRectF(QPointF(xo - m.textBreite / 2, oben), QPointF(xo + m.textBreite / 2, unten));
}

QRectF SymbolBox(const QString& t, double skalierung)
{
    const double k = kSymbolEinheit * skalierung;
    if (t == u"S" || t == u"H") {
        const double r3 = std::round(3 * k);
        return QRectF(QPointF(-r3, -r3), QPointF(r3 + 1, r3 + 1));
    }
    if (t == u"B") {
        const double r5 = std::round(5 * k), r6 = std::round(6 * k), r3 = std::round(3 * k);
        return QRectF(QPointF(-r5, -r6), QPointF(r5, r3));
    }
    return {};
}

QString UmbrechenWennLang(const QString& text, int maxZeichen)
{
    if (text.size() <= maxZeichen || text.contains(u'|'))
        return text;
    // The break nearest the middle; a hyphen keeps itself at the line end.
    const qsizetype mitte = text.size() / 2;
    qsizetype beste = -1;
    for (qsizetype i = 1; i + 1 < text.size(); ++i) {
        if ((text[i] == u' ' || text[i] == u'-') && (beste < 0 || std::abs(i - mitte) < std::abs(beste - mitte)))
            beste = i;
    }
    if (beste < 0)
        return text;
    if (text[beste] == u' ')
        return text.left(beste) + u'|' + text.mid(beste + 1);
    return text.left(beste + 1) + u'|' + text.mid(beste + 1);
}

double Textskalierung(const QString& KartID)
{
    return KartID.size() == 4 && KartID.startsWith(u'D') ? 1.2 : 1.0;
}

QList<Platzierung> PlatziereBeschriftungen(const QList<Kandidat>& k, double breite, double hoehe, double skal)
{
    QList<Platzierung> ergebnis(k.size());
    QList<int> folge(k.size());
    std::iota(folge.begin(), folge.end(), 0);
    std::stable_sort(folge.begin(), folge.end(), [&](int a, int b) { return k[a].prioritaet < k[b].prioritaet; });
    const QRectF karte(0, 0, breite, hoehe);
    struct Belegt {
        QRectF box;
        int intens = 0; // 0: a symbol
    };
    QList<Belegt> belegt;
    // Symbols are known before any text is placed, so no text covers a dot.
    for (const Kandidat& c : k) {
        const QRectF s = SymbolBox(c.ObjTyp, skal);
        if (!s.isEmpty())
            belegt.append({s.translated(c.punkt.x() * breite, c.punkt.y() * hoehe), 0});
    }
    const qsizetype symbole = belegt.size();
    // Overlap of a text box with the texts of one intensity.
    auto gleiche = [&](const QRectF& box, int intens) {
        double u = 0;
        for (qsizetype j = symbole; j < belegt.size(); ++j)
            if (belegt[j].intens == intens)
                u += Ueberlappung(box, belegt[j].box);
        return u;
    };
    for (int i : folge) {
        const Kandidat& c = k[i];
        const Schriftmass m = MesseText(c.ObjTyp, c.Bez, skal);
        QPointF p(c.punkt.x() * breite, c.punkt.y() * hoehe);
        const QRectF eigenesSymbol = SymbolBox(c.ObjTyp, skal).translated(p);
        double besteStrafe = -1;
        QPair<int, int> beste{0, 0};
        QRectF besteBox;
        for (const auto& [dx, dy] : Reihenfolge(c.ObjTyp)) {
            const QRectF box = TextBox(m, dx, dy, skal).translated(p);
            double strafe = 0;
            if (!karte.contains(box))
                strafe += 1e9 + box.width() * box.height() - Ueberlappung(box, karte);
            for (qsizetype j = 0; j < belegt.size(); ++j) {
                if (j < symbole && belegt[j].box == eigenesSymbol)
                    continue;
                // A mandatory label keeps clear of its own intensity first.
                strafe += Ueberlappung(box, belegt[j].box) * (c.pflicht && belegt[j].intens == c.intens ? 1e6 : 1);
            }
            if (besteStrafe < 0 || strafe < besteStrafe) {
                besteStrafe = strafe;
                beste = {dx, dy};
                besteBox = box;
            }
            if (strafe == 0)
                break;
        }
        if (besteStrafe > 0 && !c.pflicht)
            continue;
        if (!karte.contains(besteBox)) {
            // Point objects stay at their place; an area's name moves inside.
            if (!SymbolBox(c.ObjTyp, skal).isEmpty() || besteBox.width() > breite || besteBox.height() > hoehe)
                continue;
            const QPointF v(std::clamp(besteBox.left(), 0.0, breite - besteBox.width()) - besteBox.left(),
                            std::clamp(besteBox.top(), 0.0, hoehe - besteBox.height()) - besteBox.top());
            besteBox.translate(v);
            p += v;
        }
        int intens = c.intens;
        while (intens <= 3 && gleiche(besteBox, intens) > 1)
            ++intens;
        if (intens > 3)
            continue;
        ergebnis[i] = Platzierung{beste.first, beste.second, true, QPointF(p.x() / breite, p.y() / hoehe), intens};
        belegt.append({besteBox, intens});
    }
    return ergebnis;
}

} // namespace zl::atlas
