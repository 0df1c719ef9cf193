#pragma once

// A GDI-like canvas over QPainter: pen, brush and font state, text alignment, word-wrapped
// text, clipping, lines and shapes, stretched bitmaps. Bitmaps, printer pages, screen controls
// and the metafile recorder all draw through it, so drawing code is written once for every target.

#include <QFont>
#include <QImage>
#include <QPolygon>
#include <QRect>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

class QPainter;
class QPaintDevice;

namespace zl
{

class TMetafileRecorder;

// $00BBGGRR as the class library's colours; negative values name a system colour.
using TColor = std::int32_t;

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080, clNavy = 0x800000,
                 clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080, clSilver = 0xC0C0C0, clRed = 0x0000FF,
                 clLime = 0x00FF00, clYellow = 0x00FFFF, clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00,
                 clWhite = 0xFFFFFF;
// System colours: the index of GetSysColor in the low byte, top bit set.
constexpr TColor clSystemColor = TColor(0xFF000000u);
constexpr TColor clBtnFace = clSystemColor | 15, clWindow = clSystemColor | 5, clWindowText = clSystemColor | 8,
                 clHighlight = clSystemColor | 13, clHighlightText = clSystemColor | 14,
                 clBtnShadow = clSystemColor | 16, clBtnText = clSystemColor | 18, clGrayText = clSystemColor | 17,
                 clInfoBk = clSystemColor | 24, clBtnHighlight = clSystemColor | 20;

// The system colour table ($00BBGGRR) by COLOR_ index, taken from the application palette
// when a QGuiApplication exists, else the classic Windows defaults. Unknown indexes give black.
TColor GetSysColor(int Index);
// The RGB value of a colour (system colours resolved), $00BBGGRR.
TColor ColorToRGB(TColor Color);
QColor ColorToQColor(TColor Color);

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
};

// Height as GDI: negative = character height (em size) in device pixels, positive = cell
// height (ascent + descent), 0 = the default size. Size in points is converted with the
// device's pixels per inch (Height = -round(Size * ppi / 72)).
struct TFontSpec {
    QString Name = QStringLiteral("Arial");
    int Height = 0;
    TColor Color = clBlack;
    unsigned Style = 0;  // TFontStyle bits
    int Orientation = 0; // tenths of degrees, counter-clockwise
    friend bool operator==(const TFontSpec&, const TFontSpec&) = default;
};

// Text alignment (SetTextAlign).
enum : unsigned {
    TA_LEFT = 0,
    TA_RIGHT = 2,
    TA_CENTER = 6,
    TA_TOP = 0,
    TA_BOTTOM = 8,
    TA_BASELINE = 24,
    TA_UPDATECP = 1
};
// DrawText flags.
enum : unsigned {
    DT_LEFT = 0,
    DT_CENTER = 1,
    DT_RIGHT = 2,
    DT_VCENTER = 4,
    DT_BOTTOM = 8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_NOCLIP = 0x100,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800
};

class TCanvas
{
  public:
    // Draws on a painter the caller keeps active; not owned.
    explicit TCanvas(QPainter* Painter);
    // Opens an own painter on the device (which must outlive the canvas).
    explicit TCanvas(QPaintDevice* Device);
    // Records every drawing call into the recorder (Metafile.h) instead of painting; text is
    // measured on the 96-dpi reference device. Painter() is null on such a canvas.
    explicit TCanvas(TMetafileRecorder* Recorder);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    QPainter* Painter() const { return m_painter; }
    TMetafileRecorder* Recorder() const { return m_recorder; }
    bool IsActive() const;
    int PixelsPerInch() const;

    // Called after every finished drawing call (a bitmap reports its change through it).
    std::function<void()> OnChange;

    TPen Pen;
    TBrush Brush;
    TFontSpec Font;
    void SetFontSize(int Points); // Font.Height from points
    int FontSize() const;
    // The Qt font the current Font resolves to on this device.
    QFont ResolvedFont() const;

    unsigned TextAlign() const { return m_textAlign; }
    void SetTextAlign(unsigned Flags) { m_textAlign = Flags; }

    QPoint PenPos() const { return m_penPos; }
    void MoveTo(int X, int Y);
    // A line from the pen position to (X, Y), end point excluded as in GDI.
    void LineTo(int X, int Y);
    void Polyline(const QPolygon& Points);
    void Polygon(const QPolygon& Points);
    // Outline with the pen inside X1..X2-1, Y1..Y2-1, interior with the brush.
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const QRect& R) { Rectangle(R.left(), R.top(), R.right() + 1, R.bottom() + 1); }
    void Ellipse(int X1, int Y1, int X2, int Y2);
    // Fills X1..X2-1, Y1..Y2-1 with the brush (no outline).
    void FillRect(int X1, int Y1, int X2, int Y2);
    void FrameRect(int X1, int Y1, int X2, int Y2);
    // The dotted frame of a focused control, drawn by inverting (a second call removes it).
    void DrawFocusRect(int X1, int Y1, int X2, int Y2);

    void TextOut(int X, int Y, const QString& Text);
    // Text with a halo: first in Randfarbe at each offset from the reference point, then in
    // Font.Color. A recording canvas keeps it as one text record.
    void TextOut(int X, int Y, const QString& Text, std::span<const QPoint> Rand, TColor Randfarbe);
    int TextWidth(const QString& Text) const;
    // Cell height: ascent + descent; a positive Font.Height measures exactly that height.
    int TextHeight(const QString& Text) const;
    QSize TextExtent(const QString& Text) const;
    // Whole pixels above and below the baseline; every text call places and steps by them.
    int FontAscent() const;
    int FontDescent() const;
    // Text in a rectangle, wrapped at spaces with DT_WORDBREAK. Returns the height of the text;
    // with DT_CALCRECT nothing is drawn and R's bottom (and right, for a single line) is set.
    int DrawText(const QString& Text, QRect& R, unsigned Format);
    // The lines DrawText makes of Text for a width (DT_WORDBREAK rules).
    QStringList WrapText(const QString& Text, int Width) const;

    // Clipping to a rectangle (X2, Y2 exclusive); ClearClip removes it.
    void SetClipRect(int X1, int Y1, int X2, int Y2);
    void ClearClip();
    QRect ClipRect() const;

    // Stretched drawing of a picture into X1..X2-1, Y1..Y2-1 (nearest pixels as StretchBlt's
    // default; Smooth for halftone). Draw puts it unscaled at X, Y.
    void StretchDraw(const QRect& Dest, const QImage& Image, bool Smooth = false);
    void StretchDraw(const QRect& Dest, const QImage& Image, const QRect& Source, bool Smooth = false);
    void Draw(int X, int Y, const QImage& Image);

  private:
    void applyPen(bool forOutline);
    void applyBrush();
    void changed();

    QPainter* m_painter = nullptr;
    std::unique_ptr<QPainter> m_ownPainter;
    TMetafileRecorder* m_recorder = nullptr;
    unsigned m_textAlign = TA_LEFT | TA_TOP;
    QPoint m_penPos;
    // The last font resolved and its cell, so text-heavy drawing does not measure the probe
    // font each call.
    mutable TFontSpec m_resolvedSpec;
    mutable QFont m_resolvedFont;
    mutable int m_resolvedAscent = 0;
    mutable int m_resolvedDescent = 0;
    mutable bool m_resolvedValid = false;
};

} // namespace zl
