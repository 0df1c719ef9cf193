#pragma once

// The prepared source data that atlasgen reads (written by prepare.js, or by a
// test): outlines, water, relief grid, places and facts, and the project's own
// curated tables.

#include <QList>
#include <QMap>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace zl::atlas
{

// One ring of lon/lat points; the first ring of a polygon is its outline, the others holes.
using Ring = std::vector<QPointF>;
using Polygon = std::vector<Ring>;

struct Flaeche {
    QString id;   // ISO alpha-2 code (countries, states' country), empty for lakes
    QString name; // states: their own name
    std::vector<Polygon> polygone;
    QRectF box; // lon/lat box
};

struct Linie {
    std::vector<Ring> teile;
    QRectF box;
};

// A height grid in metres, north row first.
struct Hoehenraster {
    int breite = 0, hoehe = 0;
    double lon0 = 0, dlon = 1, lat0 = 90, dlat = -1;
    std::vector<std::int16_t> werte;
    // Bilinear height at the point; the grid wraps round in longitude.
    double hoeheBei(double lon, double lat) const;
};

struct Ort {
    QString name; // German name when known
    QString land; // ISO alpha-2
    double lat = 0, lon = 0;
    double einwohner = 0;
    QString art; // GeoNames feature code (PPLC capital, PPLA seat of a first-order division)
};

struct Landfakten {
    QString a2, a3;
    QString name;       // German short name
    QString region;     // factbook region folder
    QString hauptstadt; // German name
    double capLat = 0, capLon = 0;
    bool capBekannt = false;
    double einwohner = 0;
    double flaeche = 0;
};

// A row of a curated table (tab-separated, "#" starts a comment line).
using Tabellenzeile = QStringList;

struct Geodaten {
    QList<Flaeche> laender50; // world and continent maps
    QList<Flaeche> laender10; // detailed outlines for Europe and Germany
    QList<Flaeche> seen;
    QList<Flaeche> seenDetail; // the detailed lakes (with their islands) of Central Europe
    QList<Linie> fluesse;
    QList<Linie> fluesseDetail; // the detailed rivers of Central Europe
    QList<Flaeche> teilgebiete; // states
    Hoehenraster relief;
    QList<Ort> orte;
    QMap<QString, Landfakten> fakten;               // by alpha-2
    QMap<QString, QPair<double, double>> deLaender; // state code "01".."16": population, area
    QString flaggenOrdner;

    // Reads the prepared folder; false with a message in fehler when a needed file is missing or damaged.
    bool lade(const QString& ordner, QString& fehler);
};

// Reads lines ([{"lines": [[lon, lat, lon, lat, ...], ...]}, ...]); false with the reason in fehler.
bool LeseLinien(const QString& datei, QList<Linie>& ziel, QString& fehler);

// Reads a curated UTF-8 table; an empty list when the file is missing.
QList<Tabellenzeile> LeseTabelle(const QString& datei);

QRectF BoxVon(const std::vector<Polygon>& polygone);

} // namespace zl::atlas
