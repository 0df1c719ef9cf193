#pragma once

// Label placement: the text box a label gets on the learning map for each
// placement dx, dy, and a greedy choice of placements that keeps the boxes
// inside the map and apart from each other.

#include <QFont>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

namespace zl::atlas
{

// The map box of the learning map the placement is made for (pixels at scale 1).
inline constexpr double kKartenboxBreite = 790.0;
inline constexpr double kKartenboxHoehe = 860.0;

// Text metrics of one label style on the learning map at scale 1.
struct Schriftmass {
    double textBreite = 0; // widest line in pixels
    double hoeheX = 0;     // height of "X"
    double hoehe = 0;      // character height
    int zeilen = 1;
};

// The font the learning map draws a label type with.
QFont SchriftFuer(const QString& ObjTyp, double skalierung = 1.0);
// The text as the learning map draws it (spaced capitals for LX and K), split at "|".
QStringList AngezeigteZeilen(const QString& ObjTyp, const QString& Bez);
Schriftmass MesseText(const QString& ObjTyp, const QString& Bez, double skalierung = 1.0);

// The text box in pixels relative to the object's point for a placement,
// following the learning map's offsets: xo = round(7 sign(dx) k + dx W / 4),
// yo = round((dy - 0.65) lh), lines 2 lh apart, k = 0.7.
QRectF TextBox(const Schriftmass& m, int dx, int dy, double skalierung = 1.0);
// The symbol's box in pixels around the point (empty for types without one).
QRectF SymbolBox(const QString& ObjTyp, double skalierung = 1.0);

// Breaks a long label into two lines at a blank or a hyphen ("|" or "-|").
QString UmbrechenWennLang(const QString& Text, int maxZeichen = 14);

struct Kandidat {
    QString ObjTyp;
    QString Bez;
    QPointF punkt;        // fractions of the picture
    int prioritaet = 0;   // lower first
    bool pflicht = false; // placed even when every placement collides
    int intens = 1;       // 1..3: the labels of one intensity are shown together
};

struct Platzierung {
    int dx = 0;
    int dy = 0;
    bool platziert = false; // false: dropped (collides everywhere and not mandatory)
    QPointF punkt;          // the candidate's point, an area's moved inside the map where its text would leave it
    int intens = 1;         // raised where a mandatory label meets one of its own intensity
};

// Places the candidates in order of priority on a map of breite x hoehe pixels.
// Each gets the first placement of its type's list whose box lies inside the map
// and meets no earlier box; mandatory ones take the least overlapping placement
// when all collide, an area's name moves inside the map, and a mandatory label that
// still meets one of its own intensity takes the next intensity where it meets none
// (it is dropped where there is none). The result is in the candidates' order.
// skalierung: the learning map's text scale (1.2 on the German state maps).
QList<Platzierung> PlatziereBeschriftungen(const QList<Kandidat>& kandidaten, double breite, double hoehe,
                                           double skalierung = 1.0);
// The learning map draws texts and symbols 1.2 times as large on maps whose id has four
// characters and begins with "D".
double Textskalierung(const QString& KartID);

} // namespace zl::atlas
