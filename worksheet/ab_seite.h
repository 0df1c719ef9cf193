#pragma once

// The worksheet page: header lines, framed title, task text, the map with the numbered boxes,
// the given names and the two-column answer list, recorded once into the page metafile that the
// preview, printing and every export replay. The same drawing gives the solution sheet.

#include "platform/Metafile.h"
#include "worksheet/ab_arbeitsblatt.h"

#include <QImage>
#include <QString>

namespace zl::ab
{

// The page: 1001 x 1625 units; the layout's width W and height H; the highest map.
inline constexpr int kSeitenBreite = 1001, kSeitenHoehe = 1625;
inline constexpr int kW = 1000, kH = 1625, kMaxKartenHoehe = 812;

inline const QString kProduktTitel = QStringLiteral("Zelvaro - Terrafolio 4.0");
inline const QString kWebAdresse = QStringLiteral("www.zelvaro.de");

struct TSeite {
    TMetafilePtr Metafile;
    QRect Karte;     // where the map stands on the page
    QString Bild;    // the picture file drawn, empty when none
    QString Warnung; // set when the map picture is missing or damaged (the page has none)
};

// Draws the page of the worksheet with the presets; KartenName fills "%karte%". The map picture
// comes through the shared map cache (KartenbildPfad at resolution "1"); without one the map
// area keeps the largest size, framed and empty, and Warnung says why.
TSeite ZeichneArbeitsblatt(const ArbeitsblattDataTyp& A, const ABVoreinstellungen& V, const QString& KartenName);

// The page replayed into a white 1001 x 1625 picture (the preview).
QImage Seitenbild(const TMetafile& Mf);
// The page stretched into a white 1000 x 1623 picture (BMP and JPEG export).
QImage Exportbild(const TMetafile& Mf);

// The preview panel of the two views: "&Seitenbreite" from the scroll box's width, "&Ganze
// Seite" from its height; the panel's size.
QSize SeitenbreitePanel(int ScrollBreite);
QSize GanzeSeitePanel(int ScrollHoehe);

} // namespace zl::ab
