#include "tools/atlasgen/Platzierung.h"

#include "learning/mapview/zl_beschriftung.h"
#include "learning/mapview/zl_viewport.h"
#include "platform/Metafile.h"
#include "worksheet/ab_beschriftung.h"

#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>
#include <variant>
#include <vector>

namespace zl::atlas
{

namespace
{
// Labels are measured at the middle of a target this large, a whole pixel.
constexpr int kMessfeld = 10000;
// Step between the points an area's name tries round its own (map box pixels).
constexpr int kSchritt = 2;
// A mandatory label that finds no free place may push out at most this many of its own intensity.
constexpr qsizetype kOpfer = 2;
// What a place costs, counted in pixels that it moves the label's point: pushing out a label of
// its own intensity more than anything else; pushing out one of a higher intensity
// kHoeherKosten; leaving no free place to a country's, state's or continent's name of a higher
// intensity kRaumKosten, to a mandatory label of its own kRaumGleichKosten, and taking some of
// their free places up to kRaumTeil; covering the first place of a name of a higher intensity
// kVorbehaltKosten.
constexpr long long kGleicheKosten = 1LL << 40;
constexpr long long kHoeherKosten = 50;
constexpr long long kRaumKosten = 100;
constexpr long long kRaumGleichKosten = 300;
constexpr long long kRaumTeil = 25;
constexpr long long kVorbehaltKosten = 10;
// A label without a place may move up to this many placed texts of its own intensity out of its
// way, and each of those in turn, this many moves deep and within this many checks of a place;
// a moved text keeps within this many pixels more of its point.
constexpr qsizetype kUmsetzen = 2;
constexpr int kTiefe = 2;
constexpr long long kPruefungen = 200000;
constexpr long long kVerlegeWeite = 24;
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

namespace
{

// One place for a label's text.
struct Moeglichkeit {
    int text = 0; // which of the texts
    int dx = 0, dy = 0;
    QPoint verschiebung; // whole pixels the point moves
    Programmfelder box;
};

// How far a place moves its label's point (whole pixels).
long long Weite(const Moeglichkeit& g)
{
    return std::lround(std::hypot(g.verschiebung.x(), g.verschiebung.y()));
}

// What a place for a label's text takes: whether it is possible at all, its cost, how many names
// still to come it leaves without a free place, the labels still to come whose symbols it covers
// and that give way, and the placed texts of its own intensity in its way (where those may move).
struct Befund {
    bool geht = false;
    long long kosten = 0;
    int raub = 0;
    QList<qsizetype> opfer, imWeg;
};

// The greedy placement, label after label; see PlatziereBeschriftungen.
class Platzierer
{
  public:
    Platzierer(const QList<Kandidat>& k, QSize karte, const QString& KartID);
    QList<Platzierung> platziere();

  private:
    struct Belegt {
        Programmfelder box;
        qsizetype wer;
        bool symbol;
    };
    // A name still to come near the label being placed, and its places that are free.
    struct Raum {
        qsizetype wer;
        QList<const Moeglichkeit*> frei;
    };
    // Placed texts moving out of a label's way, planned before they are made: their new places
    // (the label's own first), the labels whose old texts are gone, those pushed out on the way.
    struct Zug {
        qsizetype wer;
        int stelle;
    };
    struct Umbau {
        QList<Zug> zuege;
        QList<qsizetype> bewegt, opfer;
        long long kosten = 0;
        int raub = 0;
    };

    double luft(qsizetype i) const;
    const QList<Moeglichkeit>& moeglichkeiten(qsizetype i);
    Befund pruefe(qsizetype i, const Moeglichkeit& g, bool mitImWeg, const Umbau* u = nullptr);
    void sucheRaeume(qsizetype i);
    int besteStelle(qsizetype i, Befund& befund);
    bool verlege(const QList<qsizetype>& wer, qsizetype n, int tiefe, Umbau& u);
    bool umsetzen(qsizetype i, int& stelle, Befund& befund);
    void setze(qsizetype i, int stelle, const QList<qsizetype>& opfer);

    const QList<Kandidat>& k_;
    const QSize karte_;
    const QString KartID_;
    const QRectF rahmen_;
    QList<int> folge_, rang_;
    QList<Belegt> belegt_;
    QList<bool> flaeche_, erledigt_, verdraengt_;
    std::vector<std::optional<QList<Moeglichkeit>>> moeglich_;
    QList<QStringList> texte_;
    QList<QRectF> reichweite_;                          // where a label's places lie
    QList<int> stelle_;                                 // the chosen place of a placed label
    QList<QPair<qsizetype, Programmfelder>> vorbehalt_; // the first place of each name without a symbol
    QList<Raum> raeume_;
    long long budget_ = 0; // checks left for moving texts out of a label's way
    QList<Platzierung> ergebnis_;
};

// Countries, states and continents: the names that a label of a lower intensity leaves room to.
bool Vorrang(const QString& ObjTyp)
{
    return ObjTyp == u"L" || ObjTyp == u"IS" || ObjTyp == u"UG" || ObjTyp == u"LX" || ObjTyp == u"K";
}

Platzierer::Platzierer(const QList<Kandidat>& k, QSize karte, const QString& KartID)
    : k_(k), karte_(karte), KartID_(KartID), rahmen_(0, 0, karte.width(), karte.height()), folge_(k.size()),
      rang_(k.size()), flaeche_(k.size(), true), erledigt_(k.size(), false), verdraengt_(k.size(), false),
      moeglich_(size_t(k.size())), texte_(k.size()), reichweite_(k.size()), stelle_(k.size(), -1), ergebnis_(k.size())
{
    // By intensity first: a label never gives way to one shown only at a higher intensity. Within
    // an intensity the mandatory labels first, each group in order of priority; of equal priority
    // those that cannot move their point first.
    std::iota(folge_.begin(), folge_.end(), 0);
    std::stable_sort(folge_.begin(), folge_.end(), [&](int a, int b) {
        if (k[a].intens != k[b].intens)
            return k[a].intens < k[b].intens;
        if (k[a].pflicht != k[b].pflicht)
            return k[a].pflicht;
        if (k[a].prioritaet != k[b].prioritaet)
            return k[a].prioritaet < k[b].prioritaet;
        return (k[a].spielraum > 0) < (k[b].spielraum > 0);
    });
    for (qsizetype r = 0; r < folge_.size(); ++r)
        rang_[folge_[r]] = int(r);
    // Symbols are known before any text is placed, so texts keep off the dots.
    for (qsizetype i = 0; i < k.size(); ++i) {
        const Programmfelder s = Vermesse(KartID, k[i].ObjTyp, k[i].Bez, 0, 0).symbol;
        if (Vereinigt(s).isNull())
            continue;
        flaeche_[i] = false;
        belegt_.append({Verschoben(s, Bildpunkt(k[i].punkt, karte)), i, true});
    }
    for (qsizetype i = 0; i < k.size(); ++i) {
        for (const Moeglichkeit& g : moeglichkeiten(i))
            reichweite_[i] |= Vereinigt(g.box);
        if (flaeche_[i] && !moeglichkeiten(i).isEmpty())
            vorbehalt_.append({i, moeglichkeiten(i).first().box});
    }
}

double Platzierer::luft(qsizetype i) const
{
    return k_[i].ObjTyp == u"K" || k_[i].ObjTyp == u"LX" ? kLuftGesperrt : kLuft;
}

// The places of label i inside the map, best first: each placement of its type's list (a
// land's name moved inside where it would leave the map), then for an area's name with room
// to move the points round its own, nearest first; all that in two lines too for a name of
// several words.
const QList<Moeglichkeit>& Platzierer::moeglichkeiten(qsizetype i)
{
    std::optional<QList<Moeglichkeit>>& m = moeglich_[size_t(i)];
    if (m)
        return *m;
    m.emplace();
    const Kandidat& c = k_[i];
    const QPoint p0 = Bildpunkt(c.punkt, karte_);
    auto innen = [&](const Programmfelder& b) {
        for (const QRectF& r : b)
            if (!r.isNull() && !rahmen_.contains(r))
                return false;
        return true;
    };
    QStringList& texte = texte_[i];
    texte = QStringList{c.Bez};
    if (const QString zwei = UmbrechenWennLang(c.Bez, 0); zwei != c.Bez)
        texte.append(zwei);
    for (int t = 0; t < texte.size(); ++t) {
        Programmfelder mitte; // the text centred on the point, for the moved points
        for (const auto& [dx, dy] : Reihenfolge(c.ObjTyp)) {
            const Programmfelder rel = Vermesse(KartID_, c.ObjTyp, texte[t], dx, dy).text;
            if (dx == 0 && dy == 0)
                mitte = rel;
            Programmfelder b = Verschoben(rel, p0);
            QPoint v;
            if (!innen(b)) {
                // Point objects stay at their place, and so do the names of waters and islands,
                // whose points lie on them; a land's name moves inside.
                const QRectF u = Vereinigt(b);
                if (!flaeche_[i] || c.ObjTyp == u"G" || c.ObjTyp == u"I" || u.width() > rahmen_.width() ||
                    u.height() > rahmen_.height())
                    continue;
                v.setX(u.left() < 0 ? int(std::ceil(-u.left()))
                                    : -int(std::ceil(std::max(0.0, u.right() - rahmen_.right()))));
                v.setY(u.top() < 0 ? int(std::ceil(-u.top()))
                                   : -int(std::ceil(std::max(0.0, u.bottom() - rahmen_.bottom()))));
                b = Verschoben(b, v);
            }
            if (innen(b))
                m->append({t, dx, dy, v, b});
        }
        const int ringe = flaeche_[i] && !Vereinigt(mitte).isNull() ? int(c.spielraum / kSchritt) : 0;
        for (int r = 1; r <= ringe; ++r) {
            const int n = 6 * r;
            for (int s = 0; s < n; ++s) {
                const double w = 2 * 3.14159265358979 * s / n;
                const QPoint v(int(std::lround(std::cos(w) * r * kSchritt)),
                               int(std::lround(std::sin(w) * r * kSchritt)));
                const Programmfelder b = Verschoben(mitte, v + p0);
                if (innen(b))
                    m->append({t, 0, 0, v, b});
            }
        }
    }
    return *m;
}

// Label i's text at g against everything placed and, with u, against u's plan. Symbols of
// labels still to come give way: any number of those of a higher intensity and, to a mandatory
// label, up to kOpfer of its own that are not mandatory. With mitImWeg the placed texts of its
// own intensity that it meets are listed (up to kUmsetzen) instead of ruling the place out.
Befund Platzierer::pruefe(qsizetype i, const Moeglichkeit& g, bool mitImWeg, const Umbau* u)
{
    Befund e;
    auto trifft = [&](const Programmfelder& f, double l) {
        for (int p = 0; p < kProgramme; ++p)
            if (!g.box[p].isNull() && g.box[p].adjusted(-l, -kLuft, l, kLuft).intersects(f[p]))
                return true;
        return false;
    };
    if (u) {
        --budget_;
        for (const Zug& z : u->zuege)
            if (z.wer != i && trifft(moeglichkeiten(z.wer)[z.stelle].box, std::max(luft(i), luft(z.wer))))
                return e;
    }
    qsizetype gleiche = 0;
    for (const Belegt& f : belegt_) {
        if (f.wer == i || e.opfer.contains(f.wer) || !trifft(f.box, luft(i)))
            continue;
        if (u && (f.symbol ? u->opfer : u->bewegt).contains(f.wer))
            continue;
        const bool hoeher = k_[f.wer].intens > k_[i].intens;
        if (!f.symbol) {
            if (!mitImWeg || k_[f.wer].intens != k_[i].intens)
                return e;
            if (!e.imWeg.contains(f.wer))
                e.imWeg.append(f.wer);
            if (e.imWeg.size() > kUmsetzen)
                return e;
            continue;
        }
        if (erledigt_[f.wer] || (!hoeher && (!k_[i].pflicht || k_[f.wer].pflicht || gleiche == kOpfer)))
            return e;
        e.opfer.append(f.wer);
        if (!hoeher)
            ++gleiche;
        e.kosten += hoeher ? kHoeherKosten : kGleicheKosten + k_.size() - rang_[f.wer];
    }
    e.kosten += Weite(g);
    for (const auto& [r, b] : vorbehalt_)
        if (k_[r].intens > k_[i].intens && !erledigt_[r] && !verdraengt_[r] && trifft(b, kLuft))
            e.kosten += kVorbehaltKosten;
    for (const Raum& r : raeume_) {
        if (r.wer == i || k_[r.wer].intens < k_[i].intens)
            continue;
        qsizetype genommen = 0;
        for (const Moeglichkeit* f : r.frei)
            genommen += trifft(f->box, std::max(luft(r.wer), luft(i))) ? 1 : 0;
        if (genommen < r.frei.size()) {
            e.kosten += kRaumTeil * genommen / r.frei.size();
        } else {
            e.kosten += k_[r.wer].intens == k_[i].intens ? kRaumGleichKosten : kRaumKosten;
            ++e.raub;
        }
    }
    e.geht = true;
    return e;
}

// The names still to come near label i that it should leave room to: countries, states and
// continents of a higher intensity, and the mandatory labels of its own; with their free places.
void Platzierer::sucheRaeume(qsizetype i)
{
    raeume_.clear();
    const QRectF nah = reichweite_[i].adjusted(-kVerlegeWeite, -kVerlegeWeite, kVerlegeWeite, kVerlegeWeite);
    QList<Raum> r;
    for (qsizetype w = 0; w < k_.size(); ++w) {
        const bool hoeher = k_[w].intens > k_[i].intens && Vorrang(k_[w].ObjTyp);
        const bool gleich = k_[w].intens == k_[i].intens && k_[w].pflicht;
        if (!(hoeher || gleich) || erledigt_[w] || verdraengt_[w] || !reichweite_[w].intersects(nah))
            continue;
        Raum x{w, {}};
        for (const Moeglichkeit& g : moeglichkeiten(w))
            if (pruefe(w, g, false).geht)
                x.frei.append(&g);
        if (!x.frei.isEmpty())
            r.append(x);
    }
    raeume_ = r;
}

// The cheapest place of label i, the first of those; -1 where there is none.
int Platzierer::besteStelle(qsizetype i, Befund& befund)
{
    const QList<Moeglichkeit>& m = moeglichkeiten(i);
    int beste = -1;
    for (qsizetype j = 0; j < m.size(); ++j) {
        const Befund e = pruefe(i, m[j], false);
        if (!e.geht || (beste >= 0 && e.kosten >= befund.kosten))
            continue;
        beste = int(j);
        befund = e;
        if (e.kosten == 0)
            break;
    }
    return beste;
}

// Plans moves of the placed texts wer[n], wer[n + 1]... to other places of theirs that push out
// none of their own intensity, clear of the plan so far; with tiefe > 0 each may in turn move
// texts in its way. Places that move nothing else first, the cheapest first. False (the plan as
// it was) where there are none.
bool Platzierer::verlege(const QList<qsizetype>& wer, qsizetype n, int tiefe, Umbau& u)
{
    if (n == wer.size())
        return true;
    const qsizetype b = wer[n];
    if (u.bewegt.contains(b))
        return false;
    const QList<Moeglichkeit>& m = moeglichkeiten(b);
    QList<QPair<int, Befund>> stellen;
    for (qsizetype j = 0; j < m.size() && budget_ > 0; ++j) {
        if (j == stelle_[b] || Weite(m[j]) > Weite(m[stelle_[b]]) + kVerlegeWeite)
            continue;
        const Befund x = pruefe(b, m[j], tiefe > 0, &u);
        if (x.geht && x.kosten < kGleicheKosten)
            stellen.append({int(j), x});
    }
    std::stable_sort(stellen.begin(), stellen.end(), [](const QPair<int, Befund>& x, const QPair<int, Befund>& y) {
        if (x.second.imWeg.isEmpty() != y.second.imWeg.isEmpty())
            return x.second.imWeg.isEmpty();
        return x.second.kosten < y.second.kosten;
    });
    for (const auto& [j, x] : stellen) {
        const Umbau davor = u;
        u.zuege.append({b, j});
        u.bewegt.append(b);
        u.opfer += x.opfer;
        u.kosten += x.kosten;
        u.raub += x.raub;
        if (verlege(x.imWeg, 0, tiefe - 1, u) && verlege(wer, n + 1, tiefe, u))
            return true;
        u = davor;
        if (budget_ <= 0)
            break;
    }
    return false;
}

// Where label i finds no place, or only one that pushes out a label of its own intensity: a
// place where placed texts of its own intensity are in its way that can move (see verlege), the
// first that leaves every name still to come a free place, else the one that leaves the fewest
// without, and only if it costs less than what besteStelle found (stelle, befund). Moves the
// texts and returns true when it takes one.
bool Platzierer::umsetzen(qsizetype i, int& stelle, Befund& befund)
{
    if (stelle >= 0 && befund.kosten < kGleicheKosten)
        return false;
    const QList<Moeglichkeit>& m = moeglichkeiten(i);
    budget_ = kPruefungen;
    Umbau beste;
    Befund besteBefund;
    int besteStelle = -1;
    for (qsizetype j = 0; j < m.size() && budget_ > 0; ++j) {
        const Befund e = pruefe(i, m[j], true);
        if (!e.geht || e.imWeg.isEmpty())
            continue;
        Umbau u{{{i, int(j)}}, {i}, e.opfer, e.kosten, e.raub};
        if (!verlege(e.imWeg, 0, kTiefe - 1, u) || (stelle >= 0 && u.kosten >= befund.kosten) ||
            (besteStelle >= 0 && u.raub >= beste.raub))
            continue;
        beste = u;
        besteBefund = e;
        besteStelle = int(j);
        if (u.raub == 0)
            break;
    }
    if (besteStelle < 0)
        return false;
    for (qsizetype n = 1; n < beste.zuege.size(); ++n) {
        const qsizetype b = beste.zuege[n].wer;
        belegt_.removeIf([&](const Belegt& f) { return f.wer == b && !f.symbol; });
    }
    for (qsizetype n = 1; n < beste.zuege.size(); ++n)
        setze(beste.zuege[n].wer, beste.zuege[n].stelle, {});
    for (qsizetype w : beste.opfer)
        verdraengt_[w] = true;
    belegt_.removeIf([&](const Belegt& f) { return f.symbol && verdraengt_[f.wer]; });
    stelle = besteStelle;
    befund = besteBefund;
    return true;
}

void Platzierer::setze(qsizetype i, int stelle, const QList<qsizetype>& opfer)
{
    for (qsizetype w : opfer)
        verdraengt_[w] = true;
    if (!opfer.isEmpty())
        belegt_.removeIf([&](const Belegt& f) { return f.symbol && verdraengt_[f.wer]; });
    const Kandidat& c = k_[i];
    const Moeglichkeit& g = moeglichkeiten(i)[stelle];
    belegt_.append({g.box, i, false});
    stelle_[i] = stelle;
    // A moved point as the fraction that the renderers bring back to its pixel.
    const QPoint q = Bildpunkt(c.punkt, karte_) + g.verschiebung;
    ergebnis_[i] = Platzierung{
        g.dx, g.dy, true,
        g.verschiebung.isNull() ? c.punkt : QPointF(double(q.x()) / karte_.width(), double(q.y()) / karte_.height()),
        texte_[i][g.text]};
}

QList<Platzierung> Platzierer::platziere()
{
    for (int i : folge_) {
        erledigt_[i] = true;
        if (verdraengt_[i])
            continue;
        sucheRaeume(i);
        Befund befund;
        int stelle = besteStelle(i, befund);
        umsetzen(i, stelle, befund);
        if (stelle >= 0)
            setze(i, stelle, befund.opfer);
    }
    return ergebnis_;
}

} // namespace

QList<Platzierung> PlatziereBeschriftungen(const QList<Kandidat>& k, QSize karte, const QString& KartID)
{
    return Platzierer(k, karte, KartID).platziere();
}

} // namespace zl::atlas
