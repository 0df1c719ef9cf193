#pragma once

// The worksheet program's label renderer: the number boxes of a worksheet's entries and the
// labels of the label view with a preview of where each box would stand. It draws through the
// shared canvas, so the page metafile, the preview and the label view share one drawing path.

#include "datastore/Objektdaten.h"
#include "platform/Canvas.h"
#include "raster/Rast32.h"

#include <QList>
#include <QString>

#include <array>

namespace zl::ab
{

// Layer items "&Länder", "&Städte", "&Gewässer", "Lan&dschaften", "&Inseln".
inline constexpr int kEbenen = 5;

// Number of a box that stays empty.
inline constexpr int kLeeresKaestchen = -99;

struct TABBeschriftungsZustand {
    const QList<ObjDataTyp>* Objekte = &ObjDaten; // not owned
    QString AktKartID;
    int LernIntensitaet = 2;
    int Ansichtsmodus = 2; // 2 label view, 5 worksheet
    std::array<bool, kEbenen> Ebenen{true, false, false, false, false};
    bool Kaestchenrahmen = true;
    bool Kontrast = true; // texts with a white halo
};

// The renderer at scale s onto the target rectangle over the section. Einzel nullptr draws every
// label of AktKartID (upper-cased ids compared) up to the intensity, with texts; a record draws
// that one label's symbol, box and number (only in mode 5). Nummer > 0 writes the number in the
// box, kLeeresKaestchen draws the box empty, 0 draws no box (and, in the label view, the box-frame
// preview when Kaestchenrahmen is set). Boxes, symbols and water lines only when Voll.
void ZeichneBeschriftungen(TCanvas& Canvas, int XOffset, int YOffset, int Breite, int Hoehe, double Skala,
                           const ObjDataTyp* Einzel, int Nummer, const TRect& Ausschnitt, bool RoteNummern, bool Voll,
                           const TABBeschriftungsZustand& Zustand);

// The first label of the map (exact id) up to the intensity, on a checked layer, whose point lies
// within 8 pixels of (X, Y) on the target; -1 when none.
int ObjektUnterMaus(int X, int Y, int Breite, int Hoehe, const TRect& Ausschnitt,
                    const TABBeschriftungsZustand& Zustand);

} // namespace zl::ab
