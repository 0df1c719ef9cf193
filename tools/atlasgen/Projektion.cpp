#include "tools/atlasgen/Projektion.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zl::atlas
{

namespace
{
constexpr double kGrad = std::numbers::pi / 180.0;

double normLon(double d)
{
    while (d > 180)
        d -= 360;
    while (d < -180)
        d += 360;
    return d;
}
} // namespace

Projektion Projektion::plattkarte(double lon0, double breiteTreu)
{
    Projektion p;
    p.art_ = Art::Plattkarte;
    p.lon0_ = lon0;
    p.cosTreu_ = std::cos(breiteTreu * kGrad);
    return p;
}

Projektion Projektion::lambert(double lon0, double lat0)
{
    Projektion p;
    p.art_ = Art::Lambert;
    p.lon0_ = lon0;
    p.lat0_ = lat0;
    return p;
}

Projektion Projektion::mercator(double lon0)
{
    Projektion p;
    p.art_ = Art::Mercator;
    p.lon0_ = lon0;
    return p;
}

double Projektion::ebeneY(double lat) const
{
    if (art_ != Art::Mercator)
        return lat;
    const double phi = std::clamp(lat, -85.0, 85.0) * kGrad;
    return std::log(std::tan(std::numbers::pi / 4 + phi / 2)) / kGrad;
}

bool Projektion::vorwaerts(double lon, double lat, QPointF& e) const
{
    if (zylindrisch()) {
        e = QPointF(normLon(lon - lon0_) * cosTreu_, ebeneY(lat));
        return true;
    }
    const double phi = lat * kGrad, phi1 = lat0_ * kGrad, dl = normLon(lon - lon0_) * kGrad;
    const double cosc = std::sin(phi1) * std::sin(phi) + std::cos(phi1) * std::cos(phi) * std::cos(dl);
    if (cosc < std::cos(170.0 * kGrad))
        return false;
    const double k = std::sqrt(2.0 / (1.0 + cosc));
    e = QPointF(kErdradiusKm * k * std::cos(phi) * std::sin(dl),
                kErdradiusKm * k * (std::cos(phi1) * std::sin(phi) - std::sin(phi1) * std::cos(phi) * std::cos(dl)));
    return true;
}

bool Projektion::rueckwaerts(QPointF e, double& lon, double& lat) const
{
    if (zylindrisch()) {
        lat = art_ == Art::Mercator ? (2 * std::atan(std::exp(e.y() * kGrad)) - std::numbers::pi / 2) / kGrad : e.y();
        lon = normLon(e.x() / cosTreu_ + lon0_);
        return lat >= -90 && lat <= 90 && std::abs(e.x() / cosTreu_) <= 180;
    }
    const double rho = std::hypot(e.x(), e.y());
    if (rho > 2 * kErdradiusKm)
        return false;
    const double phi1 = lat0_ * kGrad;
    if (rho < 1e-9) {
        lon = lon0_;
        lat = lat0_;
        return true;
    }
    const double c = 2 * std::asin(rho / (2 * kErdradiusKm));
    const double phi =
        std::asin(std::clamp(std::cos(c) * std::sin(phi1) + e.y() * std::sin(c) * std::cos(phi1) / rho, -1.0, 1.0));
    const double lam =
        std::atan2(e.x() * std::sin(c), rho * std::cos(phi1) * std::cos(c) - e.y() * std::sin(phi1) * std::sin(c));
    lat = phi / kGrad;
    lon = normLon(lon0_ + lam / kGrad);
    return true;
}

double Projektion::kmProEinheit() const
{
    return zylindrisch() ? kErdradiusKm * kGrad : 1.0;
}

Kartenrahmen::Kartenrahmen(const Projektion& p, double links, double rechts, double unten, double oben)
    : p_(p), links_(links), rechts_(rechts), unten_(unten), oben_(oben)
{
}

Kartenrahmen Kartenrahmen::lambertUm(double lon0, double lat0, double breiteKm, double hoeheKm)
{
    return Kartenrahmen(Projektion::lambert(lon0, lat0), -breiteKm / 2, breiteKm / 2, -hoeheKm / 2, hoeheKm / 2);
}

Kartenrahmen Kartenrahmen::plattkarteBox(double west, double ost, double sued, double nord)
{
    const double lon0 = (west + ost) / 2;
    return Kartenrahmen(Projektion::plattkarte(lon0), west - lon0, ost - lon0, sued, nord);
}

Kartenrahmen Kartenrahmen::mercatorBox(double west, double ost, double sued, double nord)
{
    const double lon0 = (west + ost) / 2;
    const Projektion p = Projektion::mercator(lon0);
    QPointF s, n;
    p.vorwaerts(lon0, sued, s);
    p.vorwaerts(lon0, nord, n);
    return Kartenrahmen(p, west - lon0, ost - lon0, s.y(), n.y());
}

bool Kartenrahmen::anteil(double lon, double lat, QPointF& a) const
{
    QPointF e;
    if (!p_.vorwaerts(lon, lat, e))
        return false;
    a = QPointF((e.x() - links_) / (rechts_ - links_), (oben_ - e.y()) / (oben_ - unten_));
    return true;
}

QPointF Kartenrahmen::anteilUngefaltet(double lon, double lat) const
{
    const QPointF e = p_.ebeneUngefaltet(lon, lat);
    return QPointF((e.x() - links_) / (rechts_ - links_), (oben_ - e.y()) / (oben_ - unten_));
}

bool Kartenrahmen::geo(QPointF a, double& lon, double& lat) const
{
    const QPointF e(links_ + a.x() * (rechts_ - links_), oben_ - a.y() * (oben_ - unten_));
    return p_.rueckwaerts(e, lon, lat);
}

QRectF Kartenrahmen::geoBox() const
{
    double w = 180, o = -180, s = 90, n = -90;
    constexpr int kSchritte = 24;
    for (int i = 0; i <= kSchritte; ++i) {
        for (int j = 0; j <= kSchritte; ++j) {
            double lon = 0, lat = 0;
            if (!geo(QPointF(double(i) / kSchritte, double(j) / kSchritte), lon, lat))
                continue;
            w = std::min(w, lon);
            o = std::max(o, lon);
            s = std::min(s, lat);
            n = std::max(n, lat);
        }
    }
    // A pole inside the picture widens the box to every longitude.
    QPointF a;
    for (double pol : {90.0, -90.0}) {
        if (anteil(0, pol, a) && a.x() >= 0 && a.x() <= 1 && a.y() >= 0 && a.y() <= 1) {
            w = -180;
            o = 180;
            (pol > 0 ? n : s) = pol;
        }
    }
    // Edges sampled coarsely can miss a little; widen by a margin.
    const double rand = 2.0;
    return QRectF(QPointF(std::max(-180.0, w - rand), std::max(-90.0, s - rand)),
                  QPointF(std::min(180.0, o + rand), std::min(90.0, n + rand)));
}

} // namespace zl::atlas
