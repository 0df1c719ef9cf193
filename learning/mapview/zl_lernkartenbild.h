#pragma once

// The pixel work of the learning map: cutting the section, drawing the labels over it,
// the frame, and the mini-map with its section rectangle. The result is kept, so a repaint
// without a change of state only copies it.

#include "learning/mapview/zl_beschriftung.h"
#include "learning/mapview/zl_viewport.h"

#include <QImage>
#include <QString>

#include <memory>

namespace zl
{

// A second slot beside the shared KartenCache: the picture a resolution switch leaves
// behind is kept, so zooming back and forth across the small/large threshold decodes each
// picture once. KartenCache itself always holds the picture used last.
class TKartenVorrat
{
  public:
    // Brings the picture at Pfad into KartenCache when this slot holds it; before a different
    // picture is decoded, parks the current one here.
    void Vorbereiten(const QString& Pfad);
    void Leeren();
    const QString& Pfad() const { return m_pfad; }

  private:
    std::unique_ptr<TBitmap32> m_bild;
    QString m_pfad;
};

// The path LadeKartenausschnitt will cut from for a box and zoom (with the "xxx.dat"
// fallback); empty when no picture exists at all.
QString AusschnittPfad(int BoxBreite, int BoxHoehe, const QString& KartID, const QString& KartTyp, double Zoom);

struct TLernkartenEingabe {
    int BoxBreite = 0; // LernKartPicImg's size
    int BoxHoehe = 0;
    QString KartID;
    QString KartTyp = QStringLiteral("RS");
    TBeschriftungsZustand Beschriftung;
    int MiniBreite = 0; // the mini-map control's size
    int MiniHoehe = 0;
};

class TLernkartenBild
{
  public:
    // ZeichneLernkarte's picture work: cuts the section (setting V.Ausschnitt and the side
    // ratio), draws the labels and the frame into Bild, and the mini-map into MiniBild. A box
    // of 0 x 0 changes nothing and returns false. A damaged picture throws EBildFehler with
    // the state unchanged.
    bool Zeichne(const TLernkartenEingabe& E, TViewport& V);

    const QImage& Bild() const { return m_bild; }
    const QImage& MiniBild() const { return m_mini; }
    // Size of the thumbnail inside MiniBild (0 x 0 when there is none).
    QSize MiniBildGroesse() const { return m_mini.size(); }
    // How many thumbnails were read from disk (the cache keeps the last one).
    int KleinbildLadungen() const { return m_kleinLadungen; }

  private:
    void ZeichneMinikarte(const TLernkartenEingabe& E, const TRect& Ausschnitt);

    QImage m_bild;
    QImage m_mini;
    TKartenVorrat m_vorrat;
    QString m_kleinPfad;
    QSize m_kleinBox;
    QImage m_klein; // the fitted thumbnail without the rectangle
    int m_kleinLadungen = 0;
};

} // namespace zl
