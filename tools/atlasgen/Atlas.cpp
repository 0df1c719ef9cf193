#include "tools/atlasgen/Atlas.h"

#include "tools/atlasgen/Kartenbild.h"
#include "tools/atlasgen/Platzierung.h"

#include "datastore/JpegDatei.h"
#include "datastore/Objektdaten.h"
#include "platform/Cp1252.h"
#include "platform/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPainter>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <map>

namespace zl::atlas
{

namespace
{

const QStringList kKontinente = {QStringLiteral("Europa"),
                                 QStringLiteral("Afrika"),
                                 QStringLiteral("Asien"),
                                 QStringLiteral("Nordamerika"),
                                 QStringLiteral("Mittelamerika"),
                                 QStringLiteral("Südamerika"),
                                 QStringLiteral("Australien/Ozeanien")};

int RegionAusFaktbuch(const QString& r)
{
    if (r == u"europe")
        return 10;
    if (r == u"africa")
        return 20;
    if (r == u"north-america")
        return 40;
    if (r == u"central-america-n-caribbean")
        return 50;
    if (r == u"south-america")
        return 60;
    if (r == u"australia-oceania")
        return 70;
    if (r == u"central-asia" || r == u"east-n-southeast-asia" || r == u"middle-east" || r == u"south-asia")
        return 30;
    return -1;
}

QString Gefaltet(const QString& s)
{
    QString t;
    for (QChar c : s.toLower()) {
        switch (c.unicode()) {
        case u'ä':
            t += QStringLiteral("ae");
            break;
        case u'ö':
            t += QStringLiteral("oe");
            break;
        case u'ü':
            t += QStringLiteral("ue");
            break;
        case u'ß':
            t += QStringLiteral("ss");
            break;
        default: {
            const QString d = QString(c).normalized(QString::NormalizationForm_D);
            if (!d.isEmpty() && d[0] >= u'a' && d[0] <= u'z')
                t += d[0];
        }
        }
    }
    return t;
}

// Letters that Windows-1252 cannot hold lose their accents ("Chișinău" becomes
// "Chisinau"); other such characters are dropped. The files hold Windows-1252 only.
QString Cp1252Sicher(const QString& text)
{
    if (zl::isCp1252(text))
        return text;
    QString t;
    for (QChar c : text) {
        if (zl::isCp1252(QString(c))) {
            t += c;
            continue;
        }
        const QString d = QString(c).normalized(QString::NormalizationForm_D);
        if (!d.isEmpty() && zl::isCp1252(d.left(1)))
            t += d[0];
    }
    return t;
}

int RundeGerade(long double v)
{
    return int(std::nearbyint(v)); // the default rounding mode rounds half to even
}

// Whole-number text without separators (the country reader drops every ".").
QString Ganz(double v)
{
    return QString::number(std::llround(v));
}

QString Zeilentext(const QStringList& felder, QChar trenner)
{
    return felder.join(trenner) + trenner;
}

} // namespace

// ---- writers ----

int SchreibeTabelle(const QString& datei, const QString& kopf, const QStringList& zeilen)
{
    QByteArray b = zl::toCp1252(kopf) + "\r\n";
    for (const QString& z : zeilen)
        b += zl::toCp1252(z) + "\r\n";
    QDir().mkpath(QFileInfo(datei).absolutePath());
    return zl::writeFileAtomically(datei, b);
}

bool SchreibeBeschriftungen(const QString& datei, const QList<Beschriftung>& b)
{
    QList<zl::ObjDataTyp> t;
    t.reserve(b.size());
    for (const Beschriftung& x : b) {
        zl::ObjDataTyp o;
        o.KartID = x.KartID;
        o.ObjTyp = x.ObjTyp;
        o.Px = x.Px;
        o.Py = x.Py;
        o.Bez = x.Bez;
        o.dx = std::int8_t(x.dx);
        o.dy = std::int8_t(x.dy);
        o.Intens = x.Intens;
        t.append(o);
    }
    QDir().mkpath(QFileInfo(datei).absolutePath());
    return zl::SchreibeObjektdatei(datei, t);
}

bool SchreibeJpeg(const QString& datei, const QImage& bild, int qualitaet)
{
    QDir().mkpath(QFileInfo(datei).absolutePath());
    try {
        return zl::SchreibeJpegDatei(datei, bild, qualitaet) == 0;
    } catch (const std::exception&) {
        return false;
    }
}

int UnkorrigiereX(const QString& u, int x)
{
    long double f = 1, o = 0;
    if (u == u"DEU") {
        f = 87.0L / 137.0L;
        o = 250000.0L / 137.0L;
    } else if (u == u"EUR") {
        f = 725.0L / 828.0L;
        o = 377500.0L / 207.0L;
    } else {
        return x;
    }
    const int start = int(std::lround((x - o) / f));
    int beste = start;
    long double abw = 1e30L;
    for (int k = start - 3; k <= start + 3; ++k) {
        const long double d = std::fabs(RundeGerade(k * f + o) - (long double)x) + std::fabs(k - (x - o) / f) * 1e-6L;
        if (d < abw) {
            abw = d;
            beste = k;
        }
    }
    return beste;
}

int UnkorrigiereY(const QString& u, int y)
{
    if (u != u"WLT")
        return y;
    const long double o = 50000.0L / 29.0L;
    const int start = int(std::lround(y - o));
    for (int k = start - 2; k <= start + 2; ++k)
        if (RundeGerade(k + o) == y)
            return k;
    return start;
}

void ZeichneTextfeld(QImage& bild, const QRectF& feld)
{
    if (feld.isEmpty())
        return;
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(feld.left() * bild.width(), feld.top() * bild.height(), feld.width() * bild.width(),
                   feld.height() * bild.height());
    p.setPen(QPen(QColor(255, 255, 255, 110), 1.5));
    p.setBrush(QColor(14, 24, 46, 236));
    p.drawRoundedRect(r, 8, 8);
}

void PlatziereFelder(QList<Kartenfeld>& felder, const QString& uebersicht, const QRectF& textfeld)
{
    // The map-selection page shows an overview about 1000 x 890 pixels in a window of
    // 1280 x 1024 (wider in larger ones); a panel is (characters + 2) x 7 pixels wide and
    // 4 % of the page high.
    constexpr double kBreite = 1000;
    QList<int> folge;
    for (qsizetype i = 0; i < felder.size(); ++i)
        if (felder[i].uebersicht == uebersicht)
            folge.append(int(i));
    // Small areas first: they have the least room.
    std::stable_sort(folge.begin(), folge.end(), [&](int a, int b) {
        return felder[a].mark.width() * felder[a].mark.height() < felder[b].mark.width() * felder[b].mark.height();
    });
    QList<QRectF> belegt;
    if (!textfeld.isEmpty())
        belegt.append(textfeld);
    for (int i : folge) {
        Kartenfeld& f = felder[i];
        const QSizeF g((f.name.size() + 2) * 7 / kBreite + 0.008, 0.04 + 0.008);
        QPointF mitte = f.mark.center();
        if (f.mark.width() * f.mark.height() > 0.8) // the overview's own map: its panel at the foot
            mitte.setY(0.95);
        const QRectF erlaubt = f.mark.intersected(QRectF(g.width() / 2, g.height() / 2, 1 - g.width(), 1 - g.height()));
        QPointF beste = mitte;
        double besteStrafe = -1;
        bool frei = false;
        // Rings of places round the centre, nearest first; the first free place wins.
        for (int ring = 0; ring <= 30 && !frei; ++ring) {
            const int schritte = ring == 0 ? 1 : 8 * ring;
            for (int s = 0; s < schritte && !frei; ++s) {
                const double winkel = 2 * 3.14159265358979 * s / schritte;
                const QPointF p = mitte + QPointF(std::cos(winkel) * ring * 0.012, std::sin(winkel) * ring * 0.012);
                if (!erlaubt.isEmpty() && !erlaubt.contains(p))
                    continue;
                const QRectF box(p - QPointF(g.width() / 2, g.height() / 2), g);
                double ueberlappt = 0;
                for (const QRectF& b : belegt) {
                    const QRectF x = b.intersected(box);
                    if (!x.isEmpty())
                        ueberlappt += x.width() * x.height();
                }
                if (besteStrafe < 0 || ueberlappt < besteStrafe) {
                    besteStrafe = ueberlappt;
                    beste = p;
                    frei = ueberlappt == 0;
                }
            }
        }
        f.feld = beste;
        belegt.append(QRectF(beste - QPointF(g.width() / 2, g.height() / 2), g));
    }
}

QString FlaggenName(const QString& a2, const QString& name)
{
    // Names the exercise rules know by file name.
    static const QHash<QString, QString> fest = {
        {QStringLiteral("LU"), QStringLiteral("luxemb")},  {QStringLiteral("NL"), QStringLiteral("niederla")},
        {QStringLiteral("FR"), QStringLiteral("frankr")},  {QStringLiteral("GF"), QStringLiteral("franzguayana")},
        {QStringLiteral("ID"), QStringLiteral("indones")}, {QStringLiteral("MC"), QStringLiteral("monaco")}};
    const QString f = fest.value(a2);
    if (!f.isEmpty())
        return f + QStringLiteral(".jpg");
    QString g = Gefaltet(name).left(8);
    if (g.isEmpty())
        g = a2.toLower();
    return g + QStringLiteral(".jpg");
}

// ---- loading ----

bool Atlas::lade(const QString& quellen, const QString& tabellen, QString& fehler)
{
    if (!g_.lade(quellen, fehler))
        return false;
    const QDir t(tabellen);
    for (const QStringList& z : LeseTabelle(t.filePath(QStringLiteral("karten.tsv")))) {
        if (z.size() < 12) {
            fehler = QStringLiteral("karten.tsv: zu wenige Felder in %1").arg(z.join(u' '));
            return false;
        }
        Kartendef k;
        k.id = z[0];
        k.name = z[1];
        k.uebersichten = z[2] == u"-" ? QStringList() : z[2].split(u',');
        const double a = z[4].toDouble(), b = z[5].toDouble(), c = z[6].toDouble(), d = z[7].toDouble();
        k.rahmen = z[3] == u"P" ? Kartenrahmen::plattkarteBox(a, b, c, d) : Kartenrahmen::lambertUm(a, b, c, d);
        k.stufe = z[8].toInt();
        k.gebiet = z[9] == u"-" ? kKeinGebiet : z[9].toInt();
        k.detailliert = z[10] == u"10";
        k.teilgebieteVon = z[11] == u"-" ? QString() : z[11];
        karten_.append(k);
    }
    if (karten_.isEmpty()) {
        fehler = QStringLiteral("keine Karten in %1").arg(t.filePath(QStringLiteral("karten.tsv")));
        return false;
    }
    for (const QString& datei : t.entryList({QStringLiteral("namen-*.tsv")}, QDir::Files, QDir::Name)) {
        for (const QStringList& z : LeseTabelle(t.filePath(datei))) {
            if (z.size() < 6)
                continue;
            Namenseintrag n;
            n.typ = z[0];
            n.name = z[1];
            n.lon = z[2].toDouble();
            n.lat = z[3].toDouble();
            n.stufe = z[4].toInt();
            n.wichtig = z[5].toInt();
            n.fang = z.size() > 6 ? z[6] : QString();
            namen_.append(n);
        }
    }
    const QString detail = t.filePath(QStringLiteral("gshhg-rivers.json"));
    if (QFile::exists(detail) && !LeseLinien(detail, g_.fluesseDetail, fehler))
        return false;
    laenderTabelle_ = LeseTabelle(t.filePath(QStringLiteral("laender.tsv")));
    teilgebiete_ = LeseTabelle(t.filePath(QStringLiteral("teilgebiete.tsv")));
    for (const QStringList& z : LeseTabelle(t.filePath(QStringLiteral("gruppen.tsv")))) {
        if (z.size() >= 2 && z[0] == u"IS")
            inselstaaten_ = z[1].split(u',');
        if (z.size() >= 2 && z[0] == u"EU")
            euStaaten_ = z[1].split(u',');
    }
    for (const QStringList& z : LeseTabelle(t.filePath(QStringLiteral("orte-aus.tsv"))))
        keineOrte_.insert(z.value(0));
    for (const QStringList& z : LeseTabelle(t.filePath(QStringLiteral("uebersichten.tsv")))) {
        if (z.size() < 6)
            continue;
        const double a = z[2].toDouble(), b = z[3].toDouble(), c = z[4].toDouble(), d = z[5].toDouble();
        if (z.size() >= 10)
            textfelder_.insert(
                z[0], QRectF(QPointF(z[6].toDouble(), z[7].toDouble()), QPointF(z[8].toDouble(), z[9].toDouble())));
        uebersichten_.insert(z[0], z[1] == u"P"   ? Kartenrahmen::plattkarteBox(a, b, c, d)
                                   : z[1] == u"M" ? Kartenrahmen::mercatorBox(a, b, c, d)
                                                  : Kartenrahmen::lambertUm(a, b, c, d));
    }
    baueLaenderzeilen();
    return true;
}

int Atlas::gebietVon(const QString& a2) const
{
    for (const QStringList& z : laenderTabelle_)
        if (z.size() > 1 && z[0] == a2 && !z[1].isEmpty())
            return z[1].toInt();
    const auto it = g_.fakten.find(a2);
    return it == g_.fakten.end() ? -1 : RegionAusFaktbuch(it->region);
}

QString Atlas::landname(const QString& a2) const
{
    for (const QStringList& z : laenderTabelle_)
        if (z.size() > 2 && z[0] == a2 && !z[2].isEmpty())
            return z[2];
    const auto it = g_.fakten.find(a2);
    return it == g_.fakten.end() ? QString() : it->name;
}

void Atlas::baueLaenderzeilen()
{
    laender_.clear();
    std::map<int, std::pair<double, double>> summe;
    QList<Landzeile> eu;
    QSet<QString> flaggenNamen;
    for (const Landfakten& f : g_.fakten) {
        const int gebiet = gebietVon(f.a2);
        if (gebiet < 10)
            continue;
        Landzeile z;
        z.Name = Cp1252Sicher(landname(f.a2));
        z.Gebiet = gebiet;
        z.Einwohner = f.einwohner;
        z.Flaeche = f.flaeche;
        z.Hauptstadt = Cp1252Sicher(f.hauptstadt);
        for (const QStringList& t : laenderTabelle_)
            if (t.size() > 0 && t[0] == f.a2) {
                if (t.size() > 3 && !t[3].isEmpty())
                    z.Hauptstadt = t[3];
                if (t.size() > 4)
                    z.Regierungssitz = t[4];
            }
        if (QFile::exists(QDir(g_.flaggenOrdner).filePath(f.a2.toLower() + QStringLiteral(".png")))) {
            z.Flagge = FlaggenName(f.a2, z.Name);
            // Names that fold to the same eight letters keep apart by their country code.
            if (flaggenNamen.contains(z.Flagge))
                z.Flagge = z.Flagge.left(6) + f.a2.toLower() + QStringLiteral(".jpg");
            flaggenNamen.insert(z.Flagge);
        }
        laender_.append(z);
        summe[gebiet].first += z.Einwohner;
        summe[gebiet].second += z.Flaeche;
        if (euStaaten_.contains(f.a2)) {
            Landzeile e = z;
            e.Gebiet = 19;
            eu.append(e);
        }
    }
    std::stable_sort(laender_.begin(), laender_.end(), [](const Landzeile& a, const Landzeile& b) {
        return a.Gebiet != b.Gebiet ? a.Gebiet < b.Gebiet : a.Name.localeAwareCompare(b.Name) < 0;
    });
    double welt = 0;
    for (int i = 0; i < 7; ++i) {
        Landzeile k;
        k.Name = kKontinente[i];
        k.Gebiet = 0;
        k.Einwohner = summe[10 * (i + 1)].first;
        k.Flaeche = summe[10 * (i + 1)].second;
        welt += k.Einwohner;
        laender_.append(k);
    }
    Landzeile erde;
    erde.Name = QStringLiteral("Erde");
    erde.Gebiet = 99;
    erde.Einwohner = welt;
    erde.Flaeche = 510072000;
    laender_.append(erde);
    std::stable_sort(eu.begin(), eu.end(),
                     [](const Landzeile& a, const Landzeile& b) { return a.Name.localeAwareCompare(b.Name) < 0; });
    laender_ += eu;
    for (const QStringList& t : teilgebiete_) {
        if (t.size() < 4 || t[0] != u"DE")
            continue;
        Landzeile z;
        z.Name = t[1];
        z.Gebiet = 11;
        const auto w = g_.deLaender.value(t[2]);
        z.Einwohner = w.first;
        z.Flaeche = w.second;
        z.Hauptstadt = t[3];
        laender_.append(z);
    }
}

// ---- labels of one map ----

void Atlas::beschrifte(const Kartendef& k, const Kartenbilder& b)
{
    const int w = b.RS.width(), h = b.RS.height();
    auto innen = [](QPointF a, double rand = 0.01) {
        return a.x() >= rand && a.x() <= 1 - rand && a.y() >= rand && a.y() <= 1 - rand;
    };
    QList<Kandidat> kand;
    QSet<QString> namen; // one label per name and type group on a map
    auto add = [&](const QString& typ, const QString& text, QPointF p, int stufeIntens, int prio, bool pflicht,
                   double spielraum = 0) {
        const QString bez = Cp1252Sicher(text);
        const QString schluessel = QString::number(zl::ObjGruppe(typ)) + u'~' + bez;
        if (bez.isEmpty() || namen.contains(schluessel) || !innen(p))
            return;
        namen.insert(schluessel);
        kand.append(Kandidat{typ, bez, p, prio, pflicht, std::clamp(stufeIntens, 1, 3), spielraum});
    };
    const double pixelGesamt = double(w) * h;
    // Labels are placed for the map box of a window of 1280 x 1024, about 790 x 860 pixels.
    const QSize karte = Kartenbox(w, h);
    const double zuKarte = double(karte.width()) / w; // picture pixels to map box pixels
    // An area's name may move this far within its area: the area holds the circle of its
    // distance to the edge round its point.
    auto imGebiet = [&](const Flaechenpunkt& f) { return f.abstand * zuKarte; };

    // Countries (and island states), ranked by their visible size.
    struct Sichtbar {
        QString a2;
        Flaechenpunkt p;
    };
    QList<Sichtbar> sichtbar;
    for (auto it = b.laender.begin(); it != b.laender.end(); ++it)
        if (!landname(it.key()).isEmpty() && gebietVon(it.key()) >= 10)
            sichtbar.append({it.key(), it.value()});
    std::stable_sort(sichtbar.begin(), sichtbar.end(),
                     [](const Sichtbar& a, const Sichtbar& c) { return a.p.pixel > c.p.pixel; });
    const bool mitStaaten = !k.teilgebieteVon.isEmpty();
    int rang = 0;
    for (const Sichtbar& s : sichtbar) {
        if (mitStaaten && s.a2 == k.teilgebieteVon)
            continue;
        const QString name = Cp1252Sicher(landname(s.a2));
        // The name as Foliavo shows it, a little larger than Kartivo.
        const QRectF m = Vermesse(k.id, QStringLiteral("L"), UmbrechenWennLang(name), 0, 0).text[kFoliavo];
        const double bedarf = std::max(m.width(), m.height()) / zuKarte * 0.25;
        const bool gross = s.p.abstand >= bedarf || s.p.pixel > pixelGesamt * 0.002;
        const QString typ = inselstaaten_.contains(s.a2) ? QStringLiteral("IS") : QStringLiteral("L");
        // Small island states are named beside their islands where there is room.
        // Small countries are named where there is room (island states on every map).
        if (!gross && s.p.pixel < 4 && typ != u"IS")
            continue;
        const int iv = s.p.pixel > pixelGesamt * 0.02 ? 1 : s.p.pixel > pixelGesamt * 0.004 ? 2 : 3;
        add(typ, UmbrechenWennLang(name), s.p.punkt, iv, 10 + rang++, gross, imGebiet(s.p));
        // The capital of every named country.
        const auto f = g_.fakten.find(s.a2);
        if (f != g_.fakten.end() && f->capBekannt) {
            QPointF a;
            QString haupt;
            for (const Landzeile& z : laender_)
                if (z.Name == name && z.Gebiet >= 10 && z.Gebiet != 19)
                    haupt = z.Hauptstadt;
            if (k.rahmen.anteil(f->capLon, f->capLat, a) && !haupt.isEmpty())
                add(QStringLiteral("H"), haupt, a, k.stufe <= 1 ? iv + 1 : iv, 30 + rang, false);
        }
    }
    // States with their capitals.
    if (mitStaaten) {
        for (const QStringList& t : teilgebiete_) {
            if (t.size() < 4 || t[0] != k.teilgebieteVon)
                continue;
            const auto it = b.teilgebiete.find(t[1]);
            if (it != b.teilgebiete.end() && it->pixel >= pixelGesamt * 0.0015) {
                const QString bez = t.size() > 4 && !t[4].isEmpty() ? t[4] : UmbrechenWennLang(t[1]);
                add(QStringLiteral("UG"), bez, it->punkt, 1, 5, true, imGebiet(*it));
            }
            // The seat of the state's government first: several towns may share its name.
            const Ort* sitz = nullptr;
            for (const Ort& o : g_.orte)
                if (o.land == k.teilgebieteVon && o.name == t[3] &&
                    (!sitz || (o.art == u"PPLA" && sitz->art != u"PPLA")))
                    sitz = &o;
            QPointF a;
            if (sitz && k.rahmen.anteil(sitz->lon, sitz->lat, a))
                add(QStringLiteral("H"), t[3], a, 1, 20, true);
        }
    }
    // Cities by population.
    const int stadtZahl = k.stufe <= 1 ? 18 : k.stufe == 2 ? 45 : k.stufe == 3 ? 45 : 30;
    int staedte = 0;
    QList<QPointF> stadtpunkte;
    for (const Kandidat& c : kand)
        if (c.ObjTyp == u"H")
            stadtpunkte.append(c.punkt);
    // Towns of a million or more: the places right round them are their districts.
    QList<const Ort*> grossstaedte;
    for (const Ort& o : g_.orte)
        if (o.einwohner >= 1e6)
            grossstaedte.append(&o);
    const double kmBreite = k.rahmen.breiteKm();
    auto istBezirk = [&](const Ort& o) {
        for (const Ort* g : grossstaedte) {
            if (g == &o || g->land != o.land || g->einwohner < 4 * o.einwohner)
                continue;
            const double km = kErdradiusKm * 3.14159265358979 / 180 *
                              std::hypot((o.lon - g->lon) * std::cos(o.lat * 3.14159265358979 / 180), o.lat - g->lat);
            if (km < 25 && km < 0.03 * kmBreite)
                return true;
        }
        return false;
    };
    for (const Ort& o : g_.orte) {
        if (staedte >= stadtZahl)
            break;
        if (o.einwohner < (k.stufe <= 2   ? 500000
                           : k.stufe == 3 ? 80000
                                          : 20000) ||
            o.art == u"PPLX" || keineOrte_.contains(o.name))
            continue;
        // Maps of one country with its states name that country's towns only.
        if (mitStaaten && o.land != k.teilgebieteVon)
            continue;
        QPointF a;
        if (!k.rahmen.anteil(o.lon, o.lat, a) || !innen(a, 0.02))
            continue;
        // Only places on land of the map (not of a neighbour that the map merely touches).
        const int x = std::clamp(int(a.x() * w), 0, w - 1), y = std::clamp(int(a.y() * h), 0, h - 1);
        if (qGray(b.wasser.pixel(x, y)) == 255)
            continue;
        // Bilingual names ("Donostia / San Sebastián"): the second is the one used in German.
        const QString name = o.name.section(QStringLiteral(" / "), -1);
        const QString schl = QString::number(2) + u'~' + name;
        if (namen.contains(schl) || istBezirk(o))
            continue;
        // A borough or suburb right beside a larger town is left out.
        bool nah = false;
        for (const QPointF& q : stadtpunkte)
            nah = nah || std::hypot(q.x() - a.x(), (q.y() - a.y()) * h / w) < 0.012;
        if (nah)
            continue;
        stadtpunkte.append(a);
        const int iv = staedte < stadtZahl / 3 ? 1 : staedte < 2 * stadtZahl / 3 ? 2 : 3;
        add(QStringLiteral("S"), name, a, iv, 40 + staedte, false);
        ++staedte;
    }
    // Curated names: seas, rivers, lakes, mountains, landscapes, islands, continents.
    for (const Namenseintrag& n : namen_) {
        if (n.stufe > k.stufe + (k.stufe >= 3 ? 1 : 0))
            continue;
        if (n.typ == u"K" && k.stufe > 1)
            continue;
        QPointF a;
        if (!k.rahmen.anteil(n.lon, n.lat, a) || !innen(a, 0.03))
            continue;
        // Snap: rivers onto the nearest river pixel, mountains onto the highest point nearby.
        const int r = std::max(3, int(w * (n.fang == u"F" ? 0.022 : 0.012)));
        const int cx = int(a.x() * w), cy = int(a.y() * h);
        if (n.fang == u"F" || n.fang == u"B") {
            double best = -1e9;
            QPoint bp(-1, -1);
            for (int y = std::max(0, cy - r); y <= std::min(h - 1, cy + r); ++y)
                for (int x = std::max(0, cx - r); x <= std::min(w - 1, cx + r); ++x) {
                    const double d2 = double(x - cx) * (x - cx) + double(y - cy) * (y - cy);
                    if (d2 > double(r) * r)
                        continue;
                    double wert;
                    if (n.fang == u"F")
                        wert = qGray(b.wasser.pixel(x, y)) == 128 ? -d2 : -1e9;
                    else
                        wert = b.hoehen[size_t(y) * size_t(w) + size_t(x)] - d2 * 1e-3;
                    if (wert > best) {
                        best = wert;
                        bp = QPoint(x, y);
                    }
                }
            if (bp.x() >= 0 && best > -1e8)
                a = QPointF((bp.x() + 0.5) / w, (bp.y() + 0.5) / h);
            else if (n.fang == u"F")
                continue; // the river is not drawn on this map
        }
        // A lake's name lies on its water: moved onto the nearest water pixel, left out where
        // the lake is not drawn.
        if (n.typ == u"G" && n.fang.isEmpty()) {
            const int rs = std::max(2, int(w * 0.006));
            QPoint bp(-1, -1);
            double best = 1e18;
            for (int y = std::max(1, cy - rs); y <= std::min(h - 2, cy + rs); ++y)
                for (int x = std::max(1, cx - rs); x <= std::min(w - 2, cx + rs); ++x) {
                    const double d2 = double(x - cx) * (x - cx) + double(y - cy) * (y - cy);
                    // Water with water round it, so that the picture's blur keeps it blue.
                    bool nass = d2 < best;
                    for (int j = -1; j <= 1 && nass; ++j)
                        for (int i = -1; i <= 1 && nass; ++i)
                            nass = qGray(b.wasser.pixel(x + i, y + j)) == 255;
                    if (nass) {
                        best = d2;
                        bp = QPoint(x, y);
                    }
                }
            if (bp.x() < 0)
                continue;
            a = QPointF((bp.x() + 0.5) / w, (bp.y() + 0.5) / h);
        }
        // Names of a more general level are among the first to learn on a detailed map.
        const int iv = n.wichtig - (k.stufe > n.stufe ? 1 : 0);
        const bool flaeche = n.typ == u"G" && n.fang.isEmpty();
        // A continent's name finds room anywhere near its point; a landscape's a little way off.
        const double spielraum = n.typ == u"K" ? 0.2 * karte.width() : n.typ == u"GB" ? 0.02 * karte.width() : 0;
        add(n.typ, UmbrechenWennLang(n.name, flaeche ? 12 : 16), a, iv, 50 + int(n.wichtig) * 10, n.typ == u"K",
            spielraum);
    }

    QList<Platzierung> p = PlatziereBeschriftungen(kand, karte, k.id);
    // Every exercise needs five names of each kind: where collisions dropped too many, the
    // most important dropped ones become mandatory and take their room before the others of
    // their intensity; those that find none even so (a label of a lower intensity keeps its
    // room) give way to the next.
    for (int runde = 0; runde < 8; ++runde) {
        QMap<int, int> anzahl;
        for (qsizetype i = 0; i < kand.size(); ++i)
            if (p[i].platziert)
                ++anzahl[zl::ObjGruppe(kand[i].ObjTyp)];
        QList<int> folge;
        for (qsizetype i = 0; i < kand.size(); ++i)
            if (!p[i].platziert && !kand[i].pflicht)
                folge.append(int(i));
        std::stable_sort(folge.begin(), folge.end(),
                         [&](int a, int b) { return kand[a].prioritaet < kand[b].prioritaet; });
        bool mehr = false;
        for (int i : folge) {
            const int gruppe = zl::ObjGruppe(kand[i].ObjTyp);
            if (gruppe >= 1 && gruppe <= 4 && anzahl[gruppe] < 5) {
                kand[i].pflicht = true;
                ++anzahl[gruppe];
                mehr = true;
            }
        }
        if (!mehr)
            break;
        p = PlatziereBeschriftungen(kand, karte, k.id);
    }
    for (qsizetype i = 0; i < kand.size(); ++i) {
        if (!p[i].platziert)
            continue;
        Beschriftung x;
        x.KartID = k.id;
        x.ObjTyp = kand[i].ObjTyp;
        x.Px = std::round(p[i].punkt.x() * 10000) / 10000;
        x.Py = std::round(p[i].punkt.y() * 10000) / 10000;
        x.Bez = p[i].Bez;
        x.dx = p[i].dx;
        x.dy = p[i].dy;
        x.Intens = kand[i].intens;
        beschriftungen_.append(x);
    }
}

// ---- generation ----

bool Atlas::erzeuge(const QString& ziel, const Einstellungen& e, QString& fehler)
{
    const QDir z(ziel);
    const QString daten = z.filePath(QStringLiteral("Kartivo/ZL-Daten"));
    const QString flaggen = z.filePath(QStringLiteral("Kartivo/ZL-Flaggen"));
    const QString bilder = z.filePath(QStringLiteral("ZX-Karten"));
    const QString abDaten = z.filePath(QStringLiteral("Foliavo/AB-Daten"));
    for (const QString& o : {daten, flaggen, bilder, bilder + QStringLiteral("/klein"), abDaten})
        if (!QDir().mkpath(o)) {
            fehler = QStringLiteral("Ordner kann nicht angelegt werden: %1").arg(o);
            return false;
        }

    beschriftungen_.clear();
    QList<Kartendef> auswahl;
    for (const Kartendef& k : karten_)
        if (e.nurKarten.isEmpty() || e.nurKarten.contains(k.id))
            auswahl.append(k);

    // The overview pictures: their own frames (shaped like the map-selection page) when
    // the tables give them, else the frames of the world, Europe and Germany maps.
    QMap<QString, Kartenrahmen> uebersicht = uebersichten_;
    for (const Kartendef& k : karten_) {
        for (const auto& [code, id] : {std::pair{QStringLiteral("WLT"), QStringLiteral("WELT")},
                                       std::pair{QStringLiteral("EUR"), QStringLiteral("EURO")},
                                       std::pair{QStringLiteral("DEU"), QStringLiteral("DEU")}})
            if (k.id == id && !uebersicht.contains(code))
                uebersicht.insert(code, k.rahmen);
    }
    for (auto it = uebersicht.cbegin(); it != uebersicht.cend(); ++it) {
        Bildauftrag a;
        a.rahmen = it.value();
        a.breite = e.breiteUebersicht;
        a.detailliert = it.key() != u"WLT";
        a.teilgebieteVon = it.key() == u"DEU" ? QStringLiteral("DE") : QString();
        QImage u = ZeichneKarte(g_, a).RH;
        ZeichneTextfeld(u, textfelder_.value(it.key()));
        const QString datei = QStringLiteral("KA-") + it.key() + QStringLiteral(".jpg");
        if (!SchreibeJpeg(daten + u'/' + datei, u, 80) || !SchreibeJpeg(abDaten + u'/' + datei, u, 80)) {
            fehler = QStringLiteral("Übersicht kann nicht geschrieben werden: %1").arg(datei);
            return false;
        }
    }

    const QStringList typen = {QStringLiteral("RS"), QStringLiteral("RH"), QStringLiteral("PF"), QStringLiteral("PW")};
    for (const Kartendef& k : auswahl) {
        Bildauftrag a;
        a.rahmen = k.rahmen;
        // Tall maps keep their longer side at the large width.
        const double sv = std::max(1.0, k.rahmen.seitenverhaeltnis());
        a.breite = int(std::lround(e.breiteGross / sv));
        a.detailliert = k.detailliert;
        a.teilgebieteVon = k.teilgebieteVon;
        const Kartenbilder b = ZeichneKarte(g_, a);
        const QImage* bild[] = {&b.RS, &b.RH, &b.PF, &b.PW};
        for (int t = 0; t < 4; ++t) {
            const int q = t < 2 ? e.qualitaetRelief : e.qualitaetPolitisch;
            const QImage klein = bild[t]->scaledToWidth(int(std::lround(e.breiteKlein / sv)), Qt::SmoothTransformation);
            const QImage vorschau = bild[t]->scaledToWidth(e.breiteVorschau, Qt::SmoothTransformation);
            const QString basis = k.id + u'-' + typen[t];
            if (!SchreibeJpeg(bilder + u'/' + basis + QStringLiteral("-1.jpg"), *bild[t], q) ||
                !SchreibeJpeg(bilder + u'/' + basis + QStringLiteral("-5.jpg"), klein, q + 4) ||
                !SchreibeJpeg(bilder + QStringLiteral("/klein/") + basis + QStringLiteral("-K.jpg"), vorschau,
                              e.qualitaetVorschau)) {
                fehler = QStringLiteral("Kartenbild kann nicht geschrieben werden: %1").arg(basis);
                return false;
            }
        }
        beschrifte(k, b);
    }
    // Placeholders for maps without a picture.
    {
        QImage leer(e.breiteKlein, e.breiteKlein * 3 / 4, QImage::Format_RGB32);
        leer.fill(qRgb(226, 240, 252));
        QByteArray jpeg = zl::KodiereJpeg(leer, 60);
        for (const QString& d : {bilder + QStringLiteral("/xxx.dat"), bilder + QStringLiteral("/klein/xxx.dat")})
            if (zl::writeFileAtomically(d, jpeg) != 0) {
                fehler = QStringLiteral("Platzhalter kann nicht geschrieben werden: %1").arg(d);
                return false;
            }
    }

    // Tables.
    QStringList karten, abKarten, auswahlZeilen, uebungen;
    QList<Kartenfeld> felder;
    int nr = 0;
    for (const Kartendef& k : auswahl) {
        karten.append(Zeilentext({k.id, k.name, QString::number(k.stufe)}, u'~'));
        abKarten.append(Zeilentext({k.id, k.name}, u'~'));
        if (k.gebiet != kKeinGebiet)
            uebungen.append(Zeilentext({QString::number(++nr), k.id, k.id, QString::number(k.gebiet)}, u'~'));
        for (const QString& u : k.uebersichten) {
            if (!uebersicht.contains(u))
                continue;
            const Kartenrahmen& ur = uebersicht[u];
            double l = 1, o = 1, r = 0, un = 0;
            double mitteLon = 0, mitteLat = 0;
            k.rahmen.geo(QPointF(0.5, 0.5), mitteLon, mitteLat);
            for (int i = 0; i <= 40; ++i)
                for (int j = 0; j <= 40; ++j) {
                    if (i != 0 && i != 40 && j != 0 && j != 40)
                        continue;
                    double lon = 0, lat = 0;
                    QPointF a;
                    if (!k.rahmen.geo(QPointF(i / 40.0, j / 40.0), lon, lat))
                        continue;
                    if (ur.projektion().zylindrisch()) {
                        // Longitudes run on from the map's centre across the date line.
                        lon = mitteLon + std::remainder(lon - mitteLon, 360.0);
                        a = ur.anteilUngefaltet(lon, lat);
                    } else if (!ur.anteil(lon, lat, a)) {
                        continue;
                    }
                    l = std::min(l, a.x());
                    r = std::max(r, a.x());
                    o = std::min(o, a.y());
                    un = std::max(un, a.y());
                }
            l = std::clamp(l, 0.0, 1.0);
            r = std::clamp(r, 0.0, 1.0);
            o = std::clamp(o, 0.0, 1.0);
            un = std::clamp(un, 0.0, 1.0);
            Kartenfeld f;
            f.uebersicht = u;
            f.id = k.id;
            f.name = k.name;
            f.mark = QRectF(QPointF(l, o), QPointF(r, un));
            felder.append(f);
        }
    }
    for (const QString& u : {QStringLiteral("WLT"), QStringLiteral("EUR"), QStringLiteral("DEU")})
        PlatziereFelder(felder, u, textfelder_.value(u));
    for (const Kartenfeld& f : felder) {
        auto X = [&](double v) { return QString::number(UnkorrigiereX(f.uebersicht, int(std::lround(v * 10000)))); };
        auto Y = [&](double v) { return QString::number(UnkorrigiereY(f.uebersicht, int(std::lround(v * 10000)))); };
        auswahlZeilen.append(Zeilentext({f.uebersicht, f.id, f.name, X(f.feld.x()), Y(f.feld.y()), X(f.mark.left()),
                                         Y(f.mark.top()), X(f.mark.right()), Y(f.mark.bottom())},
                                        u'~'));
    }
    QStringList laender;
    for (const Landzeile& l : laender_)
        laender.append(QStringList{l.Name, QString::number(l.Gebiet), Ganz(l.Einwohner), Ganz(l.Flaeche), l.Hauptstadt,
                                   l.Regierungssitz, l.Flagge}
                           .join(u';'));
    const QString kopfAuswahl =
        QStringLiteral("Uebersicht~KartID~KartName~FeldX~FeldY~MarkLinks~MarkOben~MarkRechts~MarkUnten~");
    if (SchreibeTabelle(daten + QStringLiteral("/zl_karten.dat"), QStringLiteral("KartID~KartName~Wert~"), karten) ||
        SchreibeTabelle(daten + QStringLiteral("/zl_uebungen.dat"), QStringLiteral("Nr~LernKartID~UebKartID~Gebiet~"),
                        uebungen) ||
        SchreibeTabelle(daten + QStringLiteral("/zl_kartenauswahl.dat"), kopfAuswahl, auswahlZeilen) ||
        SchreibeTabelle(daten + QStringLiteral("/zl_laender.dat"),
                        QStringLiteral("Name;Gebiet;Einwohner;Flaeche;Hauptstadt;Regierungssitz;Flagge"), laender) ||
        SchreibeTabelle(abDaten + QStringLiteral("/ab_karten.dat"), QStringLiteral("KartID~KartName~"), abKarten) ||
        SchreibeTabelle(abDaten + QStringLiteral("/ab_kartenauswahl.dat"), kopfAuswahl, auswahlZeilen)) {
        fehler = QStringLiteral("Tabellen können nicht geschrieben werden in %1").arg(ziel);
        return false;
    }
    if (!SchreibeBeschriftungen(daten + QStringLiteral("/zl_standard.zlk"), beschriftungen_)) {
        fehler = QStringLiteral("Beschriftungsdatei kann nicht geschrieben werden");
        return false;
    }
    // The worksheet program knows no "UG" and "K": its maps call them lands and large lands.
    QList<Beschriftung> ab = beschriftungen_;
    for (Beschriftung& x : ab)
        x.ObjTyp = FoliavoTyp(x.ObjTyp);
    if (!SchreibeBeschriftungen(abDaten + QStringLiteral("/zl_standard.zlk"), ab)) {
        fehler = QStringLiteral("Beschriftungsdatei des Arbeitsblattprogramms kann nicht geschrieben werden");
        return false;
    }
    // Flags.
    for (const Landfakten& f : g_.fakten) {
        const QString png = QDir(g_.flaggenOrdner).filePath(f.a2.toLower() + QStringLiteral(".png"));
        QString name;
        for (const Landzeile& l : laender_)
            if (l.Name == Cp1252Sicher(landname(f.a2)) && !l.Flagge.isEmpty())
                name = l.Flagge;
        if (name.isEmpty())
            continue;
        QImage bild(png);
        if (bild.isNull())
            continue;
        QImage flach(bild.size(), QImage::Format_RGB32);
        flach.fill(Qt::white);
        {
            QPainter p(&flach);
            p.drawImage(0, 0, bild);
        }
        if (!SchreibeJpeg(flaggen + u'/' + name, flach, 78)) {
            fehler = QStringLiteral("Flagge kann nicht geschrieben werden: %1").arg(name);
            return false;
        }
    }
    return true;
}

} // namespace zl::atlas
