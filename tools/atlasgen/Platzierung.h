#pragma once

// Label placement: the boxes a label's text and symbol take in each program that shows the map,
// measured by the programs' own renderers, and a greedy choice of placements that keeps every
// label inside the map and apart from every other, whatever their intensities (at the highest
// one all labels of a map are shown together), where a label never gives way to one shown only
// at a higher intensity.

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>

#include <array>

namespace zl::atlas
{

// The map box of the learning map the placement is made for (pixels of a 1280 x 1024 window).
inline constexpr double kKartenboxBreite = 790.0;
inline constexpr double kKartenboxHoehe = 860.0;

// A picture of bildBreite x bildHoehe fitted into the map box, in whole pixels.
QSize Kartenbox(int bildBreite, int bildHoehe);

// The programs that show the labels: Kartivo's learning map at its base zoom with the default
// label size, and Foliavo's label view.
enum Programm { kKartivo, kFoliavo };
inline constexpr int kProgramme = 2;
using Programmfelder = std::array<QRectF, kProgramme>;

// The worksheet program's type code of a label: it knows no UG and K and shows them as L and LX.
QString FoliavoTyp(const QString& ObjTyp);

// A label's boxes relative to its point, in the map box's pixels, as each program's renderer
// draws it: its text lines (each as wide as its advance and as high as its font's cell) and its
// symbol. A null box where a program draws none.
struct Beschriftungsfelder {
    Programmfelder text;
    Programmfelder symbol;
};
Beschriftungsfelder Vermesse(const QString& KartID, const QString& ObjTyp, const QString& Bez, int dx, int dy);

// Breaks a long label into two lines at a blank or a hyphen ("|" or "-|").
QString UmbrechenWennLang(const QString& Text, int maxZeichen = 14);

struct Kandidat {
    QString ObjTyp;
    QString Bez;
    QPointF punkt;        // fractions of the picture
    int prioritaet = 0;   // lower first
    bool pflicht = false; // placed before every label of its intensity that is not
    int intens = 1;       // 0..3, the label's intensity: the lower ones are placed first
    double spielraum = 0; // how far (map box pixels) an area's name may move from its point for room
};

struct Platzierung {
    int dx = 0;
    int dy = 0;
    bool platziert = false; // false: left out, no free place
    QPointF punkt;          // the point written, rounded to the file's 1/10000; an area's may have moved
    QString Bez;            // the text written: the candidate's, or it broken into two lines
};

// Places the candidates on the map KartID, karte being its size in the map box: by intensity,
// within one the mandatory ones first, each group in order of priority, so that a label is never
// moved or left out for one of a higher intensity. A label's places are those of its type's list
// whose boxes lie inside the map (a land's name that would leave the map moves inside), for an
// area's name with room to move the points round its own, and all that in two lines for a name
// of several words. A place meets no text and no symbol of another label in either program, but
// symbols of labels still to come may give way: any number of a higher intensity, and to a
// mandatory label up to two of its own that are not mandatory; those are left out. A label takes
// its cheapest place: the fewest pushed out, the least moved, leaving the most room to the names
// of countries, states and continents of a higher intensity and to the mandatory labels of its
// own still to come. Where it finds none, or a mandatory one only by pushing out one of its own,
// up to two placed texts of its own intensity may move to other places of theirs out of its way
// (and theirs in turn); else it is left out, mandatory or not. The result is in the candidates'
// order.
QList<Platzierung> PlatziereBeschriftungen(const QList<Kandidat>& kandidaten, QSize karte, const QString& KartID);

} // namespace zl::atlas
