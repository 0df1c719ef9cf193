#pragma once

// The library's own 32-bit bitmap: pixels in one owned buffer, top-down, no row padding,
// bytes blue, green, red, alpha. QImage views share that buffer, so Qt drawing, the canvas
// and the pixel routines all work on the same memory without copying.

#include "platform/Canvas.h"
#include "raster/Rast32_LowLevel.h"

#include <QFont>
#include <QImage>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>

class QIODevice;
class QPainter;

namespace zl
{

// TColor32: $AARRGGBB, not premultiplied. TColor (platform/Canvas.h): the class library's
// $00BBGGRR, negative values name a system colour by their low byte.

constexpr TColor32 Color32(int R, int G, int B, int A = 255)
{
    return (TColor32(A & 0xFF) << 24) | (TColor32(R & 0xFF) << 16) | (TColor32(G & 0xFF) << 8) | TColor32(B & 0xFF);
}
constexpr int AlphaComponent(TColor32 C)
{
    return int(C >> 24);
}
constexpr int RedComponent(TColor32 C)
{
    return int((C >> 16) & 0xFF);
}
constexpr int GreenComponent(TColor32 C)
{
    return int((C >> 8) & 0xFF);
}
constexpr int BlueComponent(TColor32 C)
{
    return int(C & 0xFF);
}

// Alpha 255, red from the low byte, green from the second, blue from the third; a negative
// value is first replaced by the system colour of its low byte (GetSysColor).
TColor32 WinColorTo32(TColor WinColor);

enum TDrawMode : std::uint8_t { dmOpaque = 0, dmBlend = 1, dmCustom = 2 };
enum TCombineMode : std::uint8_t { cmBlend = 0, cmMerge = 1 };
enum TStretchFilter : std::uint8_t {
    sfNearest = 0,
    sfDraft = 1,
    sfLinear = 2,
    sfCosine = 3,
    sfSpline = 4,
    sfLanczos = 5,
    sfMitchell = 6
};

// F: source pixel, B: destination pixel updated in place, M: master alpha.
using TPixelCombineEvent = std::function<void(TColor32 F, TColor32& B, TColor32 M)>;

// Left, Top, Right, Bottom; Right and Bottom exclusive.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect RectOf(int Left, int Top, int Right, int Bottom)
{
    return {Left, Top, Right, Bottom};
}
// Dst := intersection; a crossed result becomes 0,0,0,0 and answers false (zero width answers true).
// Dst may be R1 or R2.
bool ClipRects(TRect& Dst, const TRect& R1, const TRect& R2);
constexpr bool RectIsEmpty(const TRect& R)
{
    return R.Right <= R.Left || R.Bottom <= R.Top;
}
constexpr bool RectsEqual(const TRect& R1, const TRect& R2)
{
    return R1 == R2;
}
void ShiftRect(TRect& R, int dx, int dy);

// The class library's general error; the text is the system's own message.
class ERasterError : public std::runtime_error
{
  public:
    explicit ERasterError(const QString& message);
    QString Message() const { return m_message; }

  private:
    QString m_message;
};

// A failed programming assertion of a unit ("Unpaired TThreadPersistent.EndUpdate" of Rast32).
class ERasterAssertion : public ERasterError
{
  public:
    ERasterAssertion(const QString& message, const QString& unit);
    QString Unit() const { return m_unit; }

  private:
    QString m_unit;
};

class TThreadPersistent;
using TNotifyEvent = std::function<void(TThreadPersistent* Sender)>;

// A lockable object that reports its changes, coalesced by an update counter.
class TThreadPersistent
{
  public:
    TThreadPersistent() = default;
    virtual ~TThreadPersistent() = default;
    TThreadPersistent(const TThreadPersistent&) = delete;
    TThreadPersistent& operator=(const TThreadPersistent&) = delete;

    void BeginUpdate();
    // Throws ERasterAssertion when no bracket is open; the counter stays as it is.
    void EndUpdate();
    virtual void Changed();
    void Lock();
    void Unlock();

    int LockCount() const;
    int UpdateCount() const { return m_updateCount; }
    // Re-entrant lock the bitmap shares with its font.
    std::recursive_mutex& CriticalSection() { return m_lock; }

    TNotifyEvent OnChange;

  private:
    std::recursive_mutex m_lock;
    int m_lockCount = 0; // guarded by the unit's shared lock
    int m_updateCount = 0;
};

// An object with a width and a height.
class TCustomMap : public TThreadPersistent
{
  public:
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Negative values count as 0. Returns false (and does nothing) for the current size.
    virtual bool SetDimensions(int NewWidth, int NewHeight);
    virtual void Delete();
    virtual bool Empty() const;
    void SetWidth(int NewWidth) { SetDimensions(NewWidth, m_height); }
    void SetHeight(int NewHeight) { SetDimensions(m_width, NewHeight); }

    TNotifyEvent OnResize;

  protected:
    virtual void StoreDimensions(int& Width, int& Height, int NewWidth, int NewHeight);
    virtual void FireResize();

  private:
    int m_height = 0;
    int m_width = 0;
};

class TBitmap32 : public TCustomMap
{
  public:
    // Largest pixel buffer a bitmap allocates; a larger size fails with "Can't allocate the DIB handle".
    static constexpr std::int64_t MaxPixelBytes = 0x7FFFFFFF;

    TBitmap32();
    ~TBitmap32() override;

    // Pixels, nullptr while there are none.
    TColor32* Bits() { return m_bits.get(); }
    const TColor32* Bits() const { return m_bits.get(); }
    TColor32* RowPointer(int Y) { return m_bits.get() + std::ptrdiff_t(Y) * Width(); }
    const TColor32* RowPointer(int Y) const { return m_bits.get() + std::ptrdiff_t(Y) * Width(); }
    TColor32* ScanLine(int Y) { return RowPointer(Y); }
    TColor32* PixelPointer(int X, int Y) { return m_bits.get() + X + std::ptrdiff_t(Y) * Width(); }
    const TColor32* PixelPointer(int X, int Y) const { return m_bits.get() + X + std::ptrdiff_t(Y) * Width(); }
    TColor32 Pixel(int X, int Y) const { return *PixelPointer(X, Y); }
    void SetPixel(int X, int Y, TColor32 C) { *PixelPointer(X, Y) = C; }
    qsizetype BytesPerLine() const { return qsizetype(Width()) * 4; }

    bool Empty() const override;
    void Delete() override;
    TRect BoundsRect() const { return {0, 0, Width(), Height()}; }

    // QImage views of the pixels (no copy). ARGB32 for drawing with alpha, RGB32 for the copies
    // that ignore alpha (screen, ordinary bitmaps). Null images while the bitmap is empty. A view
    // stays valid until the next size change.
    QImage ImageView() { return makeView(QImage::Format_ARGB32); }
    QImage ImageViewRGB32() { return makeView(QImage::Format_RGB32); }
    QImage ImageView() const { return makeConstView(QImage::Format_ARGB32); }
    QImage ImageViewRGB32() const { return makeConstView(QImage::Format_RGB32); }

    // The canvas on the pixels, created on first request; every finished drawing call reports a
    // change of the bitmap. Owned by the bitmap; do not keep it across a size change.
    TCanvas* ProvideCanvas();
    TCanvas* Canvas() { return ProvideCanvas(); }
    bool HasCanvas() const { return m_canvas != nullptr; }
    // Qt's font stands in for the class library's font; nothing draws text through it.
    QFont& Font() { return m_font; }

    void Clear(TColor32 Color);
    void FillRect(int X1, int Y1, int X2, int Y2, TColor32 Color);
    void SetAllAlpha(std::uint8_t A);
    void MakeOpaque() { SetAllAlpha(255); }

    // Draws the whole bitmap unscaled at X, Y, alpha ignored.
    void DrawToDC(QPainter& Painter, int X, int Y) const;
    void DrawToDC(TCanvas& Canvas, int X, int Y) const;
    // Whole bitmap into DstRect of Dst through TransferScaled with this bitmap's filter and
    // modes, then Dst.Changed(). Nothing when either is empty. Does not lock.
    void DrawInto(TBitmap32& Dst, const TRect& DstRect) const;
    // This bitmap unscaled into Dst at X, Y (cut to Dst's ClipRect) with its draw mode and
    // combine callback, then Dst.Changed(). Nothing when either is empty. Does not lock.
    void DrawUnscaled(TBitmap32& Dst, int X, int Y) const;
    // Src drawn into this bitmap at X, Y; nothing when Src is nullptr.
    void DrawAt(int X, int Y, const TBitmap32* Src);

    // Assignment: nullptr empties, another bitmap copies pixels and DrawMode, MasterAlpha,
    // OuterColor and StretchFilter (nothing when it is empty). One Changed() at the end.
    void Assign(const TBitmap32* Source);
    // An ordinary bitmap: formats with alpha keep it, the others become opaque. With
    // Transparent set, every pixel of TransparentColor's colour gets alpha 0.
    void Assign(const QImage& Source, bool Transparent = false, TColor TransparentColor = 0);
    // Any other graphic: a drawing callback rendered into Width x Height. Masked (icons,
    // metafiles): drawn over white and over red, pixels that differ become transparent;
    // otherwise the result is made opaque.
    using TGraphicPainter = std::function<void(TCanvas& Canvas, const TRect& Rect)>;
    void AssignGraphic(int Width, int Height, const TGraphicPainter& Paint, bool Masked);
    // The clipboard's picture (needs a QGuiApplication); an empty clipboard empties the bitmap.
    void AssignFromClipboard();
    void CopyFromBitmap(const QImage& B, bool Transparent = false, TColor TransparentColor = 0);
    // An ordinary bitmap (RGB32) of the same pixels, alpha ignored.
    QImage CopyToBitmap() const;
    void CopyToClipboard() const;

    // Stream: int32 W, int32 H (little-endian), then the pixels as they lie in memory.
    // Load throws ERasterError on a truncated or oversized stream and leaves the bitmap 0 x 0.
    void StorePixelData(QIODevice& Stream) const;
    void LoadPixelData(QIODevice& Stream);
    static bool SameImage(const TBitmap32* A, const TBitmap32* B);

    TRect ClipRect;
    TDrawMode DrawMode() const { return m_drawMode; }
    void SetDrawMode(TDrawMode Value);
    TCombineMode CombineMode() const { return m_combineMode; }
    void SetCombineMode(TCombineMode Value);
    std::uint32_t MasterAlpha() const { return m_masterAlpha; }
    void SetMasterAlpha(std::uint32_t Value);
    TStretchFilter StretchFilter() const { return m_stretchFilter; }
    void SetStretchFilter(TStretchFilter Value);
    TColor32 OuterColor = 0;

    TNotifyEvent OnHandleChanged;
    TPixelCombineEvent OnPixelCombine;

  protected:
    void StoreDimensions(int& Width, int& Height, int NewWidth, int NewHeight) override;
    virtual void HandleChanged();

  private:
    QImage makeView(QImage::Format f);
    QImage makeConstView(QImage::Format f) const;
    void releaseCanvas();

    std::unique_ptr<TColor32[]> m_bits;
    QImage m_canvasImage; // the view the canvas paints on
    std::unique_ptr<TCanvas> m_canvas;
    QFont m_font;
    TDrawMode m_drawMode = dmOpaque;
    TCombineMode m_combineMode = cmBlend;
    std::uint32_t m_masterAlpha = 255;
    TStretchFilter m_stretchFilter = sfNearest;
};

} // namespace zl
