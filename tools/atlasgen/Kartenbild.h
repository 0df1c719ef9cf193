#pragma once

// Draws one map in the four display types (relief, light relief, political
// coloured, political white) from outlines, water and the height grid. The
// pictures carry no text; the label points of the areas come out beside them.

#include "tools/atlasgen/Geodaten.h"
#include "tools/atlasgen/Projektion.h"

#include <QImage>
#include <QMap>
#include <QPointF>
#include <QString>

namespace zl::atlas
{

struct Bildauftrag {
    Kartenrahmen rahmen;
    int breite = 2400;
    bool detailliert = false; // draw the detailed outlines
    QString teilgebieteVon;   // country code whose states are drawn and coloured ("DE"), or empty
};

struct Flaechenpunkt {
    QPointF punkt;       // fractions of the picture: the inside point furthest from the area's edge
    double abstand = 0;  // that distance in pixels
    qsizetype pixel = 0; // visible pixels of the area
};

struct Kartenbilder {
    QImage RS, RH, PF, PW;
    QMap<QString, Flaechenpunkt> laender;     // by alpha-2
    QMap<QString, Flaechenpunkt> teilgebiete; // by state name
    QImage wasser;                            // Format_Grayscale8: 255 sea or lake, 128 river, 0 land
    std::vector<float> hoehen;                // smoothed heights per pixel (row by row)
};

// Draws the map. Uses several threads for the pixel work.
Kartenbilder ZeichneKarte(const Geodaten& g, const Bildauftrag& a);

// Colour of the relief pictures for a height in metres (negative: sea depth).
QRgb ReliefFarbe(double hoehe);

} // namespace zl::atlas
