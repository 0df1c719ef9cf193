#include "tools/atlasgen/Kartenbild.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <set>
#include <thread>

namespace zl::atlas
{

namespace
{

// Runs f(row) for every row on all cores.
void ProZeile(int zeilen, const std::function<void(int)>& f)
{
    const unsigned n = std::max(1u, std::min(8u, std::thread::hardware_concurrency()));
    std::atomic<int> naechste{0};
    std::vector<std::thread> t;
    for (unsigned i = 0; i < n; ++i)
        t.emplace_back([&] {
            for (int y = naechste++; y < zeilen; y = naechste++)
                f(y);
        });
    for (auto& th : t)
        th.join();
}

struct Pfadbauer {
    const Kartenrahmen& r;
    double w, h;
    bool punkt(const QPointF& geo, QPointF& px) const
    {
        QPointF a;
        if (!r.anteil(geo.x(), geo.y(), a))
            return false;
        px = QPointF(a.x() * w, a.y() * h);
        return true;
    }
    void ring(QPainterPath& p, const Ring& ring, bool schliessen) const
    {
        if (r.projektion().zylindrisch()) {
            plattRing(p, ring, schliessen);
            return;
        }
        bool offen = false;
        QPointF letzter;
        for (const QPointF& g : ring) {
            QPointF px;
            if (!punkt(g, px)) {
                offen = false;
                continue;
            }
            // A jump across more than half the picture is a seam of the projection.
            if (offen && std::abs(px.x() - letzter.x()) > w * 0.6)
                offen = false;
            if (!offen)
                p.moveTo(px);
            else
                p.lineTo(px);
            offen = true;
            letzter = px;
        }
        if (schliessen && offen)
            p.closeSubpath();
    }
    // A ring that crosses the date line is unwrapped to run on continuously and drawn
    // a second time one turn round, so that both its halves appear at the picture's edges.
    void plattRing(QPainterPath& p, const Ring& ring, bool schliessen) const
    {
        if (ring.empty())
            return;
        std::vector<QPointF> lon;
        lon.reserve(ring.size());
        double vorher = ring.front().x(), ungefaltet = vorher, min = vorher, max = vorher;
        for (const QPointF& g : ring) {
            double d = g.x() - vorher;
            d -= 360.0 * std::round(d / 360.0);
            ungefaltet += d;
            vorher = g.x();
            lon.emplace_back(ungefaltet, g.y());
            min = std::min(min, ungefaltet);
            max = std::max(max, ungefaltet);
        }
        std::vector<double> verschiebungen{0.0};
        if (max > 180)
            verschiebungen.push_back(-360.0);
        if (min < -180)
            verschiebungen.push_back(360.0);
        for (double v : verschiebungen) {
            bool erster = true;
            for (const QPointF& g : lon) {
                const QPointF a = r.anteilUngefaltet(g.x() + v, g.y());
                const QPointF px(a.x() * w, a.y() * h);
                if (erster)
                    p.moveTo(px);
                else
                    p.lineTo(px);
                erster = false;
            }
            if (schliessen)
                p.closeSubpath();
        }
    }
    QPainterPath flaeche(const Flaeche& f) const
    {
        QPainterPath p;
        p.setFillRule(Qt::OddEvenFill);
        for (const Polygon& poly : f.polygone)
            for (const Ring& rg : poly)
                ring(p, rg, true);
        return p;
    }
};

bool Schneidet(const QRectF& a, const QRectF& b)
{
    return !a.isNull() && a.left() <= b.right() && a.right() >= b.left() && a.top() <= b.bottom() &&
           a.bottom() >= b.top();
}

QRgb Mische(QRgb a, QRgb b, double t)
{
    auto m = [t](int x, int y) { return std::clamp(int(std::lround(x + (y - x) * t)), 0, 255); };
    return qRgb(m(qRed(a), qRed(b)), m(qGreen(a), qGreen(b)), m(qBlue(a), qBlue(b)));
}

QRgb Skaliere(QRgb c, double f)
{
    auto s = [f](int x) { return std::clamp(int(std::lround(x * f)), 0, 255); };
    return qRgb(s(qRed(c)), s(qGreen(c)), s(qBlue(c)));
}

QRgb Rampe(const std::vector<std::pair<double, QRgb>>& r, double v)
{
    if (v <= r.front().first)
        return r.front().second;
    for (size_t i = 1; i < r.size(); ++i)
        if (v <= r[i].first)
            return Mische(r[i - 1].second, r[i].second, (v - r[i - 1].first) / (r[i].first - r[i - 1].first));
    return r.back().second;
}

void BoxBlur(std::vector<float>& v, int w, int h, int radius)
{
    if (radius <= 0)
        return;
    std::vector<float> tmp(v.size());
    ProZeile(h, [&](int y) {
        const float* s = &v[size_t(y) * size_t(w)];
        float* d = &tmp[size_t(y) * size_t(w)];
        double sum = 0;
        int n = 0;
        for (int x = 0; x < std::min(radius, w); ++x, ++n)
            sum += s[x];
        for (int x = 0; x < w; ++x) {
            if (x + radius < w) {
                sum += s[x + radius];
                ++n;
            }
            if (x - radius - 1 >= 0) {
                sum -= s[x - radius - 1];
                --n;
            }
            d[x] = float(sum / n);
        }
    });
    ProZeile(w, [&](int x) {
        double sum = 0;
        int n = 0;
        for (int y = 0; y < std::min(radius, h); ++y, ++n)
            sum += tmp[size_t(y) * size_t(w) + size_t(x)];
        for (int y = 0; y < h; ++y) {
            if (y + radius < h) {
                sum += tmp[size_t(y + radius) * size_t(w) + size_t(x)];
                ++n;
            }
            if (y - radius - 1 >= 0) {
                sum -= tmp[size_t(y - radius - 1) * size_t(w) + size_t(x)];
                --n;
            }
            v[size_t(y) * size_t(w) + size_t(x)] = float(sum / n);
        }
    });
}

// For every area id: the pixel furthest from the area's edge (chamfer distance) and its pixel count.
std::vector<Flaechenpunkt> Flaechenpunkte(const std::vector<int>& id, int w, int h, int anzahl)
{
    std::vector<float> d(id.size());
    const float gross = 1e9f;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(y) * size_t(w) + size_t(x);
            const bool rand = x == 0 || y == 0 || x == w - 1 || y == h - 1 || id[i - 1] != id[i] ||
                              id[i + 1] != id[i] || id[i - size_t(w)] != id[i] || id[i + size_t(w)] != id[i];
            d[i] = rand ? 0.f : gross;
        }
    for (int y = 1; y < h; ++y)
        for (int x = 1; x < w - 1; ++x) {
            const size_t i = size_t(y) * size_t(w) + size_t(x);
            d[i] = std::min({d[i], d[i - 1] + 1.f, d[i - size_t(w)] + 1.f, d[i - size_t(w) - 1] + 1.4142f,
                             d[i - size_t(w) + 1] + 1.4142f});
        }
    for (int y = h - 2; y >= 0; --y)
        for (int x = w - 2; x >= 1; --x) {
            const size_t i = size_t(y) * size_t(w) + size_t(x);
            d[i] = std::min({d[i], d[i + 1] + 1.f, d[i + size_t(w)] + 1.f, d[i + size_t(w) + 1] + 1.4142f,
                             d[i + size_t(w) - 1] + 1.4142f});
        }
    std::vector<Flaechenpunkt> p(size_t(anzahl) + 1);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(y) * size_t(w) + size_t(x);
            const int k = id[i];
            if (k <= 0 || k > anzahl)
                continue;
            Flaechenpunkt& f = p[size_t(k)];
            ++f.pixel;
            if (d[i] > f.abstand) {
                f.abstand = d[i];
                f.punkt = QPointF((x + 0.5) / w, (y + 0.5) / h);
            }
        }
    return p;
}

std::vector<int> IdRaster(const QList<QPainterPath>& pfade, int w, int h)
{
    QImage bild(w, h, QImage::Format_RGB32);
    bild.fill(0);
    {
        QPainter p(&bild);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(Qt::NoPen);
        for (qsizetype i = 0; i < pfade.size(); ++i) {
            p.setBrush(QColor::fromRgb(QRgb(0xff000000u | unsigned(i + 1))));
            p.drawPath(pfade[i]);
        }
    }
    std::vector<int> id(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y) {
        const auto* z = reinterpret_cast<const QRgb*>(bild.constScanLine(y));
        for (int x = 0; x < w; ++x)
            id[size_t(y) * size_t(w) + size_t(x)] = int(z[x] & 0xffffffu);
    }
    return id;
}

// Colours areas so that neighbours differ: greedy, largest first.
std::vector<int> Faerbe(const std::vector<int>& id, int w, int h, int anzahl, int farben)
{
    std::vector<std::set<int>> nachbarn(size_t(anzahl) + 1);
    std::vector<qsizetype> groesse(size_t(anzahl) + 1);
    for (int y = 0; y + 1 < h; ++y)
        for (int x = 0; x + 1 < w; ++x) {
            const size_t i = size_t(y) * size_t(w) + size_t(x);
            const int a = id[i];
            ++groesse[size_t(std::max(a, 0))];
            for (int b : {id[i + 1], id[i + size_t(w)]})
                if (a > 0 && b > 0 && a != b) {
                    nachbarn[size_t(a)].insert(b);
                    nachbarn[size_t(b)].insert(a);
                }
        }
    std::vector<int> folge;
    for (int i = 1; i <= anzahl; ++i)
        folge.push_back(i);
    std::stable_sort(folge.begin(), folge.end(), [&](int a, int b) { return groesse[size_t(a)] > groesse[size_t(b)]; });
    std::vector<int> farbe(size_t(anzahl) + 1, 0);
    for (int i : folge) {
        std::vector<bool> belegt(size_t(farben), false);
        for (int n : nachbarn[size_t(i)])
            if (farbe[size_t(n)] > 0)
                belegt[size_t(farbe[size_t(n)] - 1)] = true;
        int f = 0;
        while (f < farben && belegt[size_t(f)])
            ++f;
        farbe[size_t(i)] = (f < farben ? f : (i % farben)) + 1;
    }
    return farbe;
}

} // namespace

QRgb ReliefFarbe(double z)
{
    static const std::vector<std::pair<double, QRgb>> meer = {{-8000, qRgb(62, 112, 176)},
                                                              {-4000, qRgb(92, 146, 204)},
                                                              {-1000, qRgb(130, 180, 226)},
                                                              {-200, qRgb(165, 204, 238)},
                                                              {0, qRgb(190, 222, 246)}};
    static const std::vector<std::pair<double, QRgb>> land = {
        {0, qRgb(104, 164, 96)},    {150, qRgb(140, 186, 112)},  {400, qRgb(198, 208, 138)},
        {800, qRgb(222, 204, 142)}, {1500, qRgb(204, 164, 112)}, {2500, qRgb(176, 128, 92)},
        {3500, qRgb(160, 118, 98)}, {4500, qRgb(210, 204, 200)}, {6000, qRgb(250, 250, 250)}};
    return z < 0 ? Rampe(meer, z) : Rampe(land, z);
}

Kartenbilder ZeichneKarte(const Geodaten& g, const Bildauftrag& a)
{
    const int w = a.breite;
    const int h = std::max(1, int(std::lround(w * a.rahmen.seitenverhaeltnis())));
    const QRectF box = a.rahmen.geoBox();
    const Pfadbauer pb{a.rahmen, double(w), double(h)};
    const QList<Flaeche>& quelle = a.detailliert ? g.laender10 : g.laender50;

    // Areas in view: countries, then (optionally) the states that replace their country inside it.
    QList<const Flaeche*> laender;
    QList<QPainterPath> landPfade;
    for (const Flaeche& f : quelle)
        if (Schneidet(f.box, box)) {
            laender.append(&f);
            landPfade.append(pb.flaeche(f));
        }
    QList<const Flaeche*> staaten;
    QList<QPainterPath> staatPfade;
    if (!a.teilgebieteVon.isEmpty())
        for (const Flaeche& f : g.teilgebiete)
            if (f.id == a.teilgebieteVon && Schneidet(f.box, box)) {
                staaten.append(&f);
                staatPfade.append(pb.flaeche(f));
            }
    // Detailed maps draw the finer lakes of Central Europe (those a few pixels across), and
    // the finer rivers where they show a region.
    const bool fein = a.detailliert && a.rahmen.breiteKm() < 900;
    QList<QPainterPath> seePfade;
    for (const Flaeche& f : g.seen)
        if (Schneidet(f.box, box))
            seePfade.append(pb.flaeche(f));
    if (a.detailliert)
        for (const Flaeche& f : g.seenDetail)
            if (Schneidet(f.box, box)) {
                QPainterPath p = pb.flaeche(f);
                if (const QRectF r = p.boundingRect(); r.width() >= 3 || r.height() >= 3)
                    seePfade.append(std::move(p));
            }
    QList<QPainterPath> flussPfade;
    QList<const Linie*> linien;
    for (const Linie& l : g.fluesse)
        linien.append(&l);
    if (fein)
        for (const Linie& l : g.fluesseDetail)
            linien.append(&l);
    for (const Linie* lp : linien)
        if (const Linie& l = *lp; Schneidet(l.box, box)) {
            QPainterPath p;
            for (const Ring& r : l.teile)
                pb.ring(p, r, false);
            flussPfade.append(p);
        }

    const std::vector<int> landId = IdRaster(landPfade, w, h);
    const std::vector<int> staatId = staaten.isEmpty() ? std::vector<int>() : IdRaster(staatPfade, w, h);
    const std::vector<int> seeId = IdRaster(seePfade, w, h);

    Kartenbilder k;
    {
        const std::vector<Flaechenpunkt> lp = Flaechenpunkte(landId, w, h, int(laender.size()));
        for (qsizetype i = 0; i < laender.size(); ++i)
            if (lp[size_t(i + 1)].pixel > 0) {
                // A country drawn in several pieces keeps the largest inner point.
                auto it = k.laender.find(laender[i]->id);
                if (it == k.laender.end() || it->abstand < lp[size_t(i + 1)].abstand)
                    k.laender.insert(laender[i]->id, lp[size_t(i + 1)]);
            }
        if (!staaten.isEmpty()) {
            const std::vector<Flaechenpunkt> sp = Flaechenpunkte(staatId, w, h, int(staaten.size()));
            for (qsizetype i = 0; i < staaten.size(); ++i)
                if (sp[size_t(i + 1)].pixel > 0)
                    k.teilgebiete.insert(staaten[i]->name, sp[size_t(i + 1)]);
        }
    }

    // Heights, smoothed so that the coarse grid shows no facets.
    std::vector<float> hz(size_t(w) * size_t(h));
    ProZeile(h, [&](int y) {
        for (int x = 0; x < w; ++x) {
            double lon = 0, lat = 0;
            float z = -4000;
            if (a.rahmen.geo(QPointF((x + 0.5) / w, (y + 0.5) / h), lon, lat))
                z = float(g.relief.hoeheBei(lon, lat));
            hz[size_t(y) * size_t(w) + size_t(x)] = z;
        }
    });
    const double kmProPixel = a.rahmen.breiteKm() / w;
    const int radius = std::clamp(int(std::lround(4.5 / kmProPixel)), 0, 14);
    BoxBlur(hz, w, h, radius);
    BoxBlur(hz, w, h, radius);

    k.wasser = QImage(w, h, QImage::Format_Grayscale8);
    for (int y = 0; y < h; ++y) {
        uchar* z = k.wasser.scanLine(y);
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(y) * size_t(w) + size_t(x);
            z[x] = (landId[i] == 0 || seeId[i] != 0) ? 255 : 0;
        }
    }

    // Political colours: countries, or the states of the chosen country and muted neighbours.
    static const QRgb palette[] = {qRgb(246, 214, 150), qRgb(196, 226, 160), qRgb(238, 186, 186),
                                   qRgb(188, 208, 238), qRgb(224, 196, 236), qRgb(244, 236, 164)};
    const std::vector<int> landFarbe = Faerbe(landId, w, h, int(laender.size()), 6);
    const std::vector<int> staatFarbe =
        staaten.isEmpty() ? std::vector<int>() : Faerbe(staatId, w, h, int(staaten.size()), 6);

    const double ueberhoehung = 5.0 + 1.2 * kmProPixel;
    const double lx = -1, ly = -1, lz = 1.6;
    const double ln = std::sqrt(lx * lx + ly * ly + lz * lz);
    k.RS = QImage(w, h, QImage::Format_RGB32);
    k.RH = QImage(w, h, QImage::Format_RGB32);
    k.PF = QImage(w, h, QImage::Format_RGB32);
    k.PW = QImage(w, h, QImage::Format_RGB32);
    const QRgb seeFarbe = qRgb(160, 204, 240);
    ProZeile(h, [&](int y) {
        auto* rs = reinterpret_cast<QRgb*>(k.RS.scanLine(y));
        auto* rh = reinterpret_cast<QRgb*>(k.RH.scanLine(y));
        auto* pf = reinterpret_cast<QRgb*>(k.PF.scanLine(y));
        auto* pw = reinterpret_cast<QRgb*>(k.PW.scanLine(y));
        double lon = 0, lat = 0;
        double zellX = kmProPixel * 1000;
        double zellY = kmProPixel * 1000;
        if (a.rahmen.projektion().zylindrisch() && a.rahmen.geo(QPointF(0.5, (y + 0.5) / h), lon, lat)) {
            // A pixel's ground width shrinks towards the poles (on Mercator maps its height too).
            const double f = std::max(0.05, std::cos(lat * 3.14159265358979 / 180));
            zellX *= f;
            if (a.rahmen.projektion().art() == Projektion::Art::Mercator)
                zellY *= f;
        }
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(y) * size_t(w) + size_t(x);
            const float z = hz[i];
            const float zl = hz[i - (x > 0 ? 1 : 0)], zr = hz[i + (x + 1 < w ? 1 : 0)];
            const float zo = hz[i - (y > 0 ? size_t(w) : 0)], zu = hz[i + (y + 1 < h ? size_t(w) : 0)];
            const double gx = (zr - zl) / (2 * zellX) * ueberhoehung, gy = (zu - zo) / (2 * zellY) * ueberhoehung;
            const double nn = std::sqrt(gx * gx + gy * gy + 1);
            const double licht = (-gx * lx - gy * ly + lz) / (nn * ln) / (lz / ln);
            const bool see = seeId[i] != 0;
            const bool land = landId[i] != 0 && !see;
            QRgb c;
            if (see)
                c = seeFarbe;
            else if (land)
                c = Skaliere(ReliefFarbe(std::max(1.0f, z)), std::clamp(0.35 + 0.65 * licht, 0.45, 1.25));
            else
                c = ReliefFarbe(std::min(-1.0f, z));
            rs[x] = c;
            rh[x] = Mische(c, qRgb(255, 255, 255), land ? 0.5 : 0.35);
            if (!land) {
                pf[x] = see ? seeFarbe : qRgb(200, 228, 248);
                pw[x] = see ? qRgb(214, 234, 250) : qRgb(226, 240, 252);
            } else {
                const int s = staatId.empty() ? 0 : staatId[i];
                if (s > 0)
                    pf[x] = palette[staatFarbe[size_t(s)] - 1];
                else if (!staaten.isEmpty())
                    pf[x] = qRgb(236, 232, 222);
                else
                    pf[x] = palette[landFarbe[size_t(landId[i])] - 1];
                pw[x] = qRgb(255, 255, 255);
            }
        }
    });

    // Lines: rivers, state borders, country borders and coasts.
    const double s = w / 2400.0;
    const double fluss = (a.rahmen.breiteKm() < 2500 ? 2.0 : a.rahmen.breiteKm() < 8000 ? 1.4 : 1.0) * s * 1.2;
    {
        QPainter p(&k.wasser);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(QColor(128, 128, 128), std::max(1.0, fluss * 3)));
        for (const QPainterPath& f : flussPfade)
            p.drawPath(f);
    }
    for (QImage* bild : {&k.RS, &k.RH, &k.PF, &k.PW}) {
        QPainter p(bild);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setBrush(Qt::NoBrush);
        const bool relief = bild == &k.RS || bild == &k.RH;
        p.setPen(QPen(bild == &k.PW ? QColor(120, 170, 220) : QColor(50, 110, 190), fluss, Qt::SolidLine, Qt::RoundCap,
                      Qt::RoundJoin));
        for (const QPainterPath& f : flussPfade)
            p.drawPath(f);
        p.setPen(QPen(QColor(80, 130, 200), 0.8 * s * 1.2));
        for (const QPainterPath& f : seePfade)
            p.drawPath(f);
        p.setPen(QPen(relief ? QColor(120, 60, 80, 200) : QColor(120, 120, 120), 1.2 * s * 1.2, Qt::DashLine));
        for (const QPainterPath& f : staatPfade)
            p.drawPath(f);
        p.setPen(QPen(relief ? QColor(90, 40, 60, 220) : QColor(70, 70, 70), 1.5 * s * 1.2));
        for (const QPainterPath& f : landPfade)
            p.drawPath(f);
    }
    k.hoehen = std::move(hz);
    return k;
}

} // namespace zl::atlas
