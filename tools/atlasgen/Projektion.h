#pragma once

// Map projections and the frame that turns projected coordinates into the
// fractions 0..1 of a map picture that labels and the catalogue use.

#include <QPointF>
#include <QRectF>

namespace zl::atlas
{

inline constexpr double kErdradiusKm = 6371.0;

// A projection of the sphere: forward from degrees (lon, lat) to plane units,
// inverse back. Plane y grows to the north.
class Projektion
{
  public:
    enum class Art {
        Plattkarte, // equirectangular, plane units are degrees (x scaled by cos of the true parallel)
        Lambert,    // Lambert azimuthal equal-area, plane units are km
        Mercator    // as the plate carrée, with y stretched like x towards the poles (up to 85 degrees)
    };

    static Projektion plattkarte(double lon0, double breiteTreu = 0);
    static Projektion lambert(double lon0, double lat0);
    static Projektion mercator(double lon0);

    Art art() const { return art_; }
    // Plate carrée or Mercator: longitudes run straight across, the date line is a seam.
    bool zylindrisch() const { return art_ != Art::Lambert; }
    double lon0() const { return lon0_; }
    double lat0() const { return lat0_; }

    // False when the point cannot be shown (the antipode of a Lambert map, or a
    // point further than 170 degrees from its centre).
    bool vorwaerts(double lon, double lat, QPointF& ebene) const;
    // False when the plane point lies outside the projected sphere.
    bool rueckwaerts(QPointF ebene, double& lon, double& lat) const;
    // Plate carrée without folding the longitude into -180..180 (for rings across the date line).
    QPointF ebeneUngefaltet(double lon, double lat) const { return QPointF((lon - lon0_) * cosTreu_, ebeneY(lat)); }
    // Kilometres on the ground per plane unit near the centre.
    double kmProEinheit() const;

  private:
    double ebeneY(double lat) const;
    Art art_ = Art::Plattkarte;
    double lon0_ = 0;
    double lat0_ = 0;
    double cosTreu_ = 1;
};

// A map: a projection and the plane rectangle that its picture shows.
class Kartenrahmen
{
  public:
    Kartenrahmen() = default;
    // ebene: left, right, bottom, top in plane units (y to the north).
    Kartenrahmen(const Projektion& p, double links, double rechts, double unten, double oben);
    // A Lambert map of the given size in km around its centre.
    static Kartenrahmen lambertUm(double lon0, double lat0, double breiteKm, double hoeheKm);
    // A plate carrée map of the given degree box.
    static Kartenrahmen plattkarteBox(double west, double ost, double sued, double nord);
    // A Mercator map of the given degree box.
    static Kartenrahmen mercatorBox(double west, double ost, double sued, double nord);

    const Projektion& projektion() const { return p_; }
    // Height / width of the picture.
    double seitenverhaeltnis() const { return (oben_ - unten_) / (rechts_ - links_); }

    // Fractions of the picture: x from the left, y from the top. False when the
    // point cannot be projected (it may still lie outside 0..1).
    bool anteil(double lon, double lat, QPointF& a) const;
    // Plate carrée and Mercator only: the fractions without folding the longitude.
    QPointF anteilUngefaltet(double lon, double lat) const;
    // The geographic point at the fractions; false outside the sphere.
    bool geo(QPointF a, double& lon, double& lat) const;
    // Kilometres per picture width.
    double breiteKm() const { return (rechts_ - links_) * p_.kmProEinheit(); }
    // The degree box that covers the picture (sampled along its edges and a grid).
    QRectF geoBox() const;

  private:
    Projektion p_;
    double links_ = 0, rechts_ = 1, unten_ = 0, oben_ = 1;
};

} // namespace zl::atlas
