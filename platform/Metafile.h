#pragma once

// The metafile: a display list of GDI-style drawing calls, recorded once through a TCanvas
// and replayed onto any QPainter (screen bitmap, printer, PDF) or written as EMF or
// placeable WMF (MetafileWriter.h). One logical unit is one pixel of a 96-dpi reference
// device; the list is immutable once recorded, so a finished page can be shared freely.

#include "platform/Canvas.h"

#include <QImage>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>

#include <memory>
#include <variant>
#include <vector>

class QPainter;

namespace zl
{

// The records. State records come before the drawing records they affect; the recorder
// writes one only when the canvas's state differs from the last one written. Rectangles
// hold their right and bottom edges exclusive, as the canvas calls take them.
struct MfPen {
    TPen Pen;
};
struct MfBrush {
    TBrush Brush;
};
// The font with its colour (the text colour) and height convention of TFontSpec.
struct MfFont {
    TFontSpec Font;
};
struct MfTextAlign {
    unsigned Flags = TA_LEFT | TA_TOP; // never TA_UPDATECP: the recorder resolves it
};
// Replaces the clipping rectangle (Aktiv false: no clipping).
struct MfClip {
    bool Aktiv = false;
    QRect Rect;
};
struct MfLine {
    QPoint Von, Bis; // end point excluded
};
struct MfPolyline {
    QPolygon Punkte;
};
struct MfPolygon {
    QPolygon Punkte;
};
struct MfRectangle {
    QRect Rect; // pen outline and brush interior, as TCanvas::Rectangle
};
struct MfEllipse {
    QRect Rect;
};
struct MfFillRect {
    QRect Rect; // brush only
};
struct MfFrameRect {
    QRect Rect; // one-unit frame in the brush colour
};
// Text at the reference point with the current alignment. Breite is the advance on the
// reference device; a background box in the brush colour when the brush is not clear. A
// halo draws the text first in Randfarbe at each offset in Rand.
struct MfText {
    QPoint Punkt;
    QString Text;
    int Breite = 0;
    std::vector<QPoint> Rand;
    TColor Randfarbe = clWhite;
};
// Quelle of Bild stretched into Ziel (implicitly shared: the recorder copies no pixels).
struct MfBitmap {
    QRect Ziel;
    QImage Bild;
    QRect Quelle;
    bool Glatt = false;
};

using TMetaRecord = std::variant<MfPen, MfBrush, MfFont, MfTextAlign, MfClip, MfLine, MfPolyline, MfPolygon,
                                 MfRectangle, MfEllipse, MfFillRect, MfFrameRect, MfText, MfBitmap>;

class TMetafile
{
  public:
    TMetafile() = default;
    TMetafile(QSize Groesse, std::vector<TMetaRecord> Datensaetze);

    // The logical frame 0..width-1, 0..height-1 that a replay maps onto its target.
    QSize Groesse() const { return m_groesse; }
    const std::vector<TMetaRecord>& Datensaetze() const { return m_records; }
    bool IsEmpty() const { return m_records.empty(); }

  private:
    QSize m_groesse;
    std::vector<TMetaRecord> m_records;
};

using TMetafilePtr = std::shared_ptr<const TMetafile>;

// Records the drawing of a canvas. Draw on Canvas(), then Beenden() hands over the finished
// list; the canvas draws nothing after that.
class TMetafileRecorder
{
  public:
    explicit TMetafileRecorder(QSize Groesse);
    ~TMetafileRecorder();
    TMetafileRecorder(const TMetafileRecorder&) = delete;
    TMetafileRecorder& operator=(const TMetafileRecorder&) = delete;

    TCanvas& Canvas() { return *m_canvas; }
    QSize Groesse() const { return m_groesse; }
    bool Beendet() const { return m_beendet; }
    TMetafilePtr Beenden();

    // Called by the recording TCanvas: the canvas's state is synchronised first.
    void Zeichne(const TCanvas& C, TMetaRecord Datensatz);
    void SetzeClip(bool Aktiv, const QRect& R);
    bool ClipAktiv() const { return m_clipAktiv; }
    QRect ClipRect() const { return m_clip; }
    std::size_t Anzahl() const { return m_records.size(); }

  private:
    void syncState(const TCanvas& C, const TMetaRecord& Datensatz);

    QSize m_groesse;
    std::unique_ptr<TCanvas> m_canvas;
    std::vector<TMetaRecord> m_records;
    bool m_beendet = false;
    bool m_clipAktiv = false;
    QRect m_clip;
    // The state written last (nothing written yet: the flags are false).
    bool m_hatPen = false, m_hatBrush = false, m_hatFont = false, m_hatAlign = false;
    TPen m_pen;
    TBrush m_brush;
    TFontSpec m_font;
    unsigned m_align = 0;
};

// Replays the metafile onto an active painter, its logical frame stretched into Ziel (in the
// painter's current coordinates). Drawing goes through a TCanvas, so the pixels follow the
// same GDI rules as drawing directly. The painter's state is left as it was.
void Abspielen(const TMetafile& Mf, QPainter& Painter, const QRectF& Ziel);
// Replays onto a TCanvas that draws on a painter (its pen, brush and font are changed).
void Abspielen(const TMetafile& Mf, TCanvas& Canvas, const QRectF& Ziel);
// The metafile played into a new RGB32 image of Groesse on a background colour; an empty
// size takes the metafile's own.
QImage AlsBild(const TMetafile& Mf, QSize Groesse = {}, TColor Hintergrund = clWhite);

} // namespace zl
