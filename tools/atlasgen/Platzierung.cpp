#include "tools/atlasgen/Platzierung.h"

#include "learning/mainwindow/zl_beschriftung.h"
#include "learning/mainwindow/zl_viewport.h"
#include "platform/Metafile.h"
#include "worksheet/ab_beschriftung.h"

#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <variant>

namespace zl::atlas
{

namespace
{
// Labels are measured at the middle of a target this large, a whole pixel.
constexpr int kMessfeld = 10000;
// Step between the points an area's name tries round its own (map box pixels).
constexpr int kSchritt = 2;
// A label that finds no free place may push out at most this many labels still to come.
constexpr qsizetype kOpfer = 2;
// Air between two labels (pixels), so that a pixel's difference in a renderer's rounding
// does not make them touch.
constexpr double kLuft = 1;
// Names in spaced capitals keep this far from others beside them (twice their letters' spacing),
// lest two read as one.
constexpr double kLuftGesperrt = 40;

// Placements to try, best first: area names sit on their point, point objects beside their symbol.
const QList<QPair<int, int>>& Reihenfolge(const QString& t)
{
    static const QList<QPair<int, int>> flaeche = {{0, 0}, {0, -1}, {0, 1}, {1, 0}, {-1, 0}, {0, -2}, {0, 2}};
    static const QList<QPair<int, int>> punkt = {{2, 0}, {-2, 0}, {0, -2}, {0, 1}, {2, -1}, {2, 1}, {-2, -1}, {-2, 1}};
    if (t == u"S" || t == u"H" || t == u"B")
        return punkt;
    return flaeche;
}

// The boxes of a recorded drawing: the texts at their reference points (centred or not, as the
// alignment says), each advance wide and a cell high; the shapes by their outlines.
void Auswerten(const TMetafile& mf, QRectF& text, QRectF& symbol)
{
    TMetafileRecorder mass(QSize(1, 1)); // its canvas measures as the recording one did
    TCanvas& m = mass.Canvas();
    unsigned ausrichtung = TA_LEFT | TA_TOP;
    for (const TMetaRecord& d : mf.Datensaetze()) {
        if (const auto* f = std::get_if<MfFont>(&d)) {
            m.Font = f->Font;
        } else if (const auto* a = std::get_if<MfTextAlign>(&d)) {
            ausrichtung = a->Flags;
        } else if (const auto* t = std::get_if<MfText>(&d)) {
            const double hoehe = m.TextHeight(t->Text);
            double links = t->Punkt.x(), oben = t->Punkt.y();
            if ((ausrichtung & TA_CENTER) == TA_CENTER)
                links -= t->Breite / 2.0;
            else if (ausrichtung & TA_RIGHT)
                links -= t->Breite;
            if ((ausrichtung & TA_BASELINE) == TA_BASELINE)
                oben -= m.FontAscent();
            else if (ausrichtung & TA_BOTTOM)
                oben -= hoehe;
            text |= QRectF(links, oben, t->Breite, hoehe);
        } else if (const auto* e = std::get_if<MfEllipse>(&d)) {
            symbol |= QRectF(e->Rect);
        } else if (const auto* p = std::get_if<MfPolygon>(&d)) {
            symbol |= QPolygonF(p->Punkte).boundingRect();
        }
    }
    const QPointF mitte(kMessfeld / 2, kMessfeld / 2);
    if (!text.isNull())
        text.translate(-mitte);
    if (!symbol.isNull())
        symbol.translate(-mitte);
}

QRectF Vereinigt(const Programmfelder& b)
{
    QRectF u;
    for (const QRectF& r : b)
        if (!r.isNull())
            u = u.isNull() ? r : u.united(r);
    return u;
}

Programmfelder Verschoben(const Programmfelder& b, QPointF v)
{
    Programmfelder r;
    for (int p = 0; p < kProgramme; ++p)
        r[p] = b[p].isNull() ? b[p] : b[p].translated(v);
    return r;
}

// The pixel of the map box where a program draws a point given in fractions (the fraction read
// back from the file's 1/10000 first).
QPoint Bildpunkt(QPointF anteil, QSize karte)
{
    const double px = std::round(anteil.x() * 10000) / 10000, py = std::round(anteil.y() * 10000) / 10000;
    return QPoint(RundeGerade(px * karte.width()), RundeGerade(py * karte.height()));
}
} // namespace

QSize Kartenbox(int bildBreite, int bildHoehe)
{
    const int w = std::max(1, bildBreite), h = std::max(1, bildHoehe);
    const double b = std::min(kKartenboxBreite, kKartenboxHoehe * w / h);
    return QSize(int(std::lround(b)), int(std::lround(b * h / w)));
}

QString FoliavoTyp(const QString& t)
{
    if (t == u"UG")
        return QStringLiteral("L");
    if (t == u"K")
        return QStringLiteral("LX");
    return t;
}

Beschriftungsfelder Vermesse(const QString& KartID, const QString& ObjTyp, const QString& Bez, int dx, int dy)
{
    ObjDataTyp o;
    o.KartID = KartID;
    o.ObjTyp = ObjTyp;
    o.Px = 0.5;
    o.Py = 0.5;
    o.Bez = Bez;
    o.dx = std::int8_t(dx);
    o.dy = std::int8_t(dy);
    o.Intens = 1;
    const TRect alles{0, 0, 10000, 10000};
    Beschriftungsfelder f;
    {
        const QList<ObjDataTyp> eins{o};
        TBeschriftungsZustand z;
        z.Objekte = &eins;
        z.AktKartID = KartID;
        z.LernIntensitaet = 3;
        z.NurTextOut = true;
        TMetafileRecorder r(QSize(kMessfeld, kMessfeld));
        ZeichneBeschriftungen(r.Canvas(), 0, 0, kMessfeld, kMessfeld, LernkartenSkala(1.0), -1, alles, z);
        Auswerten(*r.Beenden(), f.text[kKartivo], f.symbol[kKartivo]);
    }
    {
        o.ObjTyp = FoliavoTyp(ObjTyp);
        const QList<ObjDataTyp> eins{o};
        ab::TABBeschriftungsZustand z;
        z.Objekte = &eins;
        z.AktKartID = KartID.toUpper();
        z.LernIntensitaet = 3;
        z.Ebenen.fill(true);
        z.Kaestchenrahmen = false;
        TMetafileRecorder r(QSize(kMessfeld, kMessfeld));
        ab::ZeichneBeschriftungen(r.Canvas(), 0, 0, kMessfeld, kMessfeld, 1.0, nullptr, 0, alles, false, true, z);
        Auswerten(*r.Beenden(), f.text[kFoliavo], f.symbol[kFoliavo]);
    }
    return f;
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

QList<Platzierung> PlatziereBeschriftungen(const QList<Kandidat>& k, QSize karte, const QString& KartID)
{
    QList<Platzierung> ergebnis(k.size());
    // The mandatory labels first, each group in order of priority.
    QList<int> folge(k.size());
    std::iota(folge.begin(), folge.end(), 0);
    std::stable_sort(folge.begin(), folge.end(), [&](int a, int b) {
        if (k[a].pflicht != k[b].pflicht)
            return k[a].pflicht;
        return k[a].prioritaet < k[b].prioritaet;
    });
    QList<int> rang(k.size());
    for (qsizetype r = 0; r < folge.size(); ++r)
        rang[folge[r]] = int(r);
    const QRectF rahmen(0, 0, karte.width(), karte.height());
    struct Belegt {
        Programmfelder box;
        qsizetype wer;
        bool symbol;
    };
    QList<Belegt> belegt;
    QList<bool> flaeche(k.size(), true), erledigt(k.size(), false), verdraengt(k.size(), false);
    // Symbols are known before any text is placed, so texts keep off the dots.
    for (qsizetype i = 0; i < k.size(); ++i) {
        const Programmfelder s = Vermesse(KartID, k[i].ObjTyp, k[i].Bez, 0, 0).symbol;
        if (Vereinigt(s).isNull())
            continue;
        flaeche[i] = false;
        belegt.append({Verschoben(s, Bildpunkt(k[i].punkt, karte)), i, true});
    }
    auto innen = [&](const Programmfelder& b) {
        for (const QRectF& r : b)
            if (!r.isNull() && !rahmen.contains(r))
                return false;
        return true;
    };
    struct Moeglichkeit {
        int text = 0; // which of the texts
        int dx = 0, dy = 0;
        QPoint verschiebung; // whole pixels the point moves
        Programmfelder box;
    };
    for (int i : folge) {
        erledigt[i] = true;
        if (verdraengt[i])
            continue;
        const Kandidat& c = k[i];
        const QPoint p0 = Bildpunkt(c.punkt, karte);
        const double luft = c.ObjTyp == u"K" || c.ObjTyp == u"LX" ? kLuftGesperrt : kLuft;
        QList<Moeglichkeit> m;
        // A name of several words may also stand in two lines where one finds no room.
        QStringList texte{c.Bez};
        if (const QString zwei = UmbrechenWennLang(c.Bez, 0); zwei != c.Bez)
            texte.append(zwei);
        for (int t = 0; t < texte.size(); ++t) {
            Programmfelder mitte; // the text centred on the point, for the moved points
            for (const auto& [dx, dy] : Reihenfolge(c.ObjTyp)) {
                const Programmfelder rel = Vermesse(KartID, c.ObjTyp, texte[t], dx, dy).text;
                if (dx == 0 && dy == 0)
                    mitte = rel;
                Programmfelder b = Verschoben(rel, p0);
                QPoint v;
                if (!innen(b)) {
                    // Point objects stay at their place; an area's name moves inside.
                    const QRectF u = Vereinigt(b);
                    if (!flaeche[i] || u.width() > rahmen.width() || u.height() > rahmen.height())
                        continue;
                    v.setX(u.left() < 0 ? int(std::ceil(-u.left()))
                                        : -int(std::ceil(std::max(0.0, u.right() - rahmen.right()))));
                    v.setY(u.top() < 0 ? int(std::ceil(-u.top()))
                                       : -int(std::ceil(std::max(0.0, u.bottom() - rahmen.bottom()))));
                    b = Verschoben(b, v);
                }
                if (innen(b))
                    m.append({t, dx, dy, v, b});
            }
            // An area's name with room to move also tries the points round its own, nearest first.
            const int ringe = flaeche[i] && !Vereinigt(mitte).isNull() ? int(c.spielraum / kSchritt) : 0;
            for (int r = 1; r <= ringe; ++r) {
                const int n = 6 * r;
                for (int s = 0; s < n; ++s) {
                    const double w = 2 * 3.14159265358979 * s / n;
                    const QPoint v(int(std::lround(std::cos(w) * r * kSchritt)),
                                   int(std::lround(std::sin(w) * r * kSchritt)));
                    const Programmfelder b = Verschoben(mitte, v + p0);
                    if (innen(b))
                        m.append({t, 0, 0, v, b});
                }
            }
        }
        // The first free place; failing that, the one that covers the dots of the fewest and least
        // important labels still to come (at most kOpfer, none mandatory): those are left out.
        qsizetype beste = -1;
        long long besteKosten = 0;
        QList<qsizetype> besteOpfer;
        for (qsizetype j = 0; j < m.size(); ++j) {
            QList<qsizetype> opfer;
            long long kosten = 0;
            bool geht = true;
            for (const Belegt& f : belegt) {
                if (f.wer == i)
                    continue;
                bool trifft = false;
                for (int p = 0; p < kProgramme && !trifft; ++p)
                    trifft =
                        !m[j].box[p].isNull() && m[j].box[p].adjusted(-luft, -kLuft, luft, kLuft).intersects(f.box[p]);
                if (!trifft || opfer.contains(f.wer))
                    continue;
                if (!f.symbol || erledigt[f.wer] || k[f.wer].pflicht || opfer.size() == kOpfer) {
                    geht = false;
                    break;
                }
                opfer.append(f.wer);
                kosten += k.size() - rang[f.wer];
            }
            if (!geht || (beste >= 0 && kosten >= besteKosten))
                continue;
            beste = j;
            besteKosten = kosten;
            besteOpfer = opfer;
            if (opfer.isEmpty())
                break;
        }
        if (beste < 0)
            continue;
        for (qsizetype w : besteOpfer)
            verdraengt[w] = true;
        if (!besteOpfer.isEmpty())
            belegt.removeIf([&](const Belegt& f) { return f.symbol && verdraengt[f.wer]; });
        const Moeglichkeit& g = m[beste];
        belegt.append({g.box, i, false});
        // A moved point as the fraction that the renderers bring back to its pixel.
        const QPoint q = p0 + g.verschiebung;
        ergebnis[i] = Platzierung{
            g.dx, g.dy, true,
            g.verschiebung.isNull() ? c.punkt : QPointF(double(q.x()) / karte.width(), double(q.y()) / karte.height()),
            texte[g.text]};
    }
    return ergebnis;
}

} // namespace zl::atlas
