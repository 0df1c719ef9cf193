#include "raster/Rast32.h"

#include "platform/Canvas.h"
#include "raster/Rast32_Transforms.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QIODevice>
#include <QPainter>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <exception>
#include <new>
#include <typeinfo>

namespace zl
{

namespace
{

// Guards every LockCount; held only for the instant of counting.
std::mutex& SharedLock()
{
    static std::mutex lock;
    return lock;
}

const QString kAllocError = QStringLiteral("Can't allocate the DIB handle");

} // namespace

TColor32 WinColorTo32(TColor WinColor)
{
    if (WinColor < 0)
        WinColor = GetSysColor(WinColor & 0xFF);
    const TColor32 c = TColor32(WinColor);
    return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

bool ClipRects(TRect& Dst, const TRect& R1, const TRect& R2)
{
    TRect r{std::max(R1.Left, R2.Left), std::max(R1.Top, R2.Top), std::min(R1.Right, R2.Right),
            std::min(R1.Bottom, R2.Bottom)};
    if (r.Right < r.Left || r.Bottom < r.Top) {
        Dst = TRect{};
        return false;
    }
    Dst = r;
    return true;
}

void ShiftRect(TRect& R, int dx, int dy)
{
    R.Left += dx;
    R.Right += dx;
    R.Top += dy;
    R.Bottom += dy;
}

ERasterError::ERasterError(const QString& message)
    : std::runtime_error(message.toUtf8().toStdString()) // UTF-8 for what()
      ,
      m_message(message)
{
}

ERasterAssertion::ERasterAssertion(const QString& message, const QString& unit) : ERasterError(message), m_unit(unit) {}

// ---------------------------------------------------------------- TThreadPersistent

void TThreadPersistent::BeginUpdate()
{
    ++m_updateCount;
}

void TThreadPersistent::EndUpdate()
{
    if (m_updateCount <= 0)
        throw ERasterAssertion(QStringLiteral("Unpaired TThreadPersistent.EndUpdate"), QStringLiteral("Rast32"));
    --m_updateCount;
}

void TThreadPersistent::Changed()
{
    if (m_updateCount == 0 && OnChange)
        OnChange(this);
}

void TThreadPersistent::Lock()
{
    {
        std::lock_guard<std::mutex> g(SharedLock());
        ++m_lockCount;
    }
    m_lock.lock();
}

void TThreadPersistent::Unlock()
{
    m_lock.unlock();
    std::lock_guard<std::mutex> g(SharedLock());
    --m_lockCount;
}

int TThreadPersistent::LockCount() const
{
    std::lock_guard<std::mutex> g(SharedLock());
    return m_lockCount;
}

// ---------------------------------------------------------------- TCustomMap

bool TCustomMap::SetDimensions(int NewWidth, int NewHeight)
{
    NewWidth = std::max(NewWidth, 0);
    NewHeight = std::max(NewHeight, 0);
    if (NewWidth == m_width && NewHeight == m_height)
        return false;
    StoreDimensions(m_width, m_height, NewWidth, NewHeight);
    Changed();
    FireResize();
    return true;
}

void TCustomMap::StoreDimensions(int& Width, int& Height, int NewWidth, int NewHeight)
{
    Width = NewWidth;
    Height = NewHeight;
}

void TCustomMap::Delete()
{
    SetDimensions(0, 0);
}

bool TCustomMap::Empty() const
{
    return m_width == 0 || m_height == 0;
}

void TCustomMap::FireResize()
{
    if (OnResize)
        OnResize(this);
}

// ---------------------------------------------------------------- TBitmap32

TBitmap32::TBitmap32()
{
    SetCombineMode(cmBlend);
}

TBitmap32::~TBitmap32()
{
    BeginUpdate();
    Lock();
    try {
        releaseCanvas();
        SetDimensions(0, 0);
    } catch (...) {
        // Freeing pixels cannot fail; a throwing resize handler must not escape a destructor.
    }
    Unlock();
}

void TBitmap32::releaseCanvas()
{
    m_canvas.reset(); // ends its painter before the image view goes
    m_canvasImage = QImage();
}

void TBitmap32::StoreDimensions(int& Width, int& Height, int NewWidth, int NewHeight)
{
    struct Closing {
        TBitmap32* self;
        ~Closing() { self->HandleChanged(); }
    } closing{this};

    releaseCanvas();
    m_bits.reset();
    Width = 0;
    Height = 0;
    if (NewWidth > 0 && NewHeight > 0) {
        // 64-bit size and a cap, so a damaged picture header cannot ask for gigabytes.
        const std::int64_t pixels = std::int64_t(NewWidth) * NewHeight; // < 2^62, no overflow
        if (pixels > MaxPixelBytes / 4)
            throw ERasterError(kAllocError);
        m_bits.reset(new (std::nothrow) TColor32[std::size_t(NewWidth) * std::size_t(NewHeight)]);
        if (!m_bits)
            throw ERasterError(kAllocError);
    }
    Width = NewWidth;
    Height = NewHeight;
    ClipRect = TRect{0, 0, Width, Height};
}

bool TBitmap32::Empty() const
{
    return !m_bits || TCustomMap::Empty();
}

void TBitmap32::Delete()
{
    SetDimensions(0, 0);
}

void TBitmap32::HandleChanged()
{
    if (OnHandleChanged)
        OnHandleChanged(this);
}

QImage TBitmap32::makeView(QImage::Format f)
{
    if (Empty())
        return QImage();
    return QImage(reinterpret_cast<uchar*>(m_bits.get()), Width(), Height(), BytesPerLine(), f);
}

QImage TBitmap32::makeConstView(QImage::Format f) const
{
    if (Empty())
        return QImage();
    return QImage(reinterpret_cast<const uchar*>(m_bits.get()), Width(), Height(), BytesPerLine(), f);
}

TCanvas* TBitmap32::ProvideCanvas()
{
    if (!m_canvas) {
        if (Empty()) {
            // No pixels: a canvas that draws nothing, as a device context without a section.
            m_canvas = std::make_unique<TCanvas>(static_cast<QPainter*>(nullptr));
        } else {
            m_canvasImage = makeView(QImage::Format_ARGB32);
            m_canvas = std::make_unique<TCanvas>(&m_canvasImage);
        }
        m_canvas->OnChange = [this] { Changed(); };
    }
    return m_canvas.get();
}

void TBitmap32::Clear(TColor32 Color)
{
    if (Empty())
        return;
    FillPixels(m_bits.get(), Width() * Height(), Color);
    Changed();
}

void TBitmap32::FillRect(int X1, int Y1, int X2, int Y2, TColor32 Color)
{
    if (!(X1 < X2 && Y1 < Y2 && X1 < ClipRect.Right && Y1 < ClipRect.Bottom && X2 > ClipRect.Left && Y2 > ClipRect.Top))
        return;
    X1 = std::max(X1, ClipRect.Left);
    Y1 = std::max(Y1, ClipRect.Top);
    X2 = std::min(X2, ClipRect.Right);
    Y2 = std::min(Y2, ClipRect.Bottom);
    if (!Empty())
        for (int y = Y1; y < Y2; ++y)
            FillPixels(PixelPointer(X1, y), X2 - X1, Color);
    Changed();
}

void TBitmap32::SetAllAlpha(std::uint8_t A)
{
    if (!Empty()) {
        const std::size_t n = std::size_t(Width()) * std::size_t(Height());
        TColor32* p = m_bits.get();
        const TColor32 a = TColor32(A) << 24;
        for (std::size_t i = 0; i < n; ++i)
            p[i] = (p[i] & 0x00FFFFFFu) | a;
    }
    Changed();
}

void TBitmap32::DrawToDC(QPainter& Painter, int X, int Y) const
{
    if (Empty())
        return;
    Painter.drawImage(QPoint(X, Y), ImageViewRGB32());
}

void TBitmap32::DrawToDC(TCanvas& Canvas, int X, int Y) const
{
    if (Empty())
        return;
    Canvas.Draw(X, Y, ImageViewRGB32());
}

void TBitmap32::DrawInto(TBitmap32& Dst, const TRect& DstRect) const
{
    if (Empty() || Dst.Empty())
        return;
    TransferScaled(&Dst, DstRect, Dst.ClipRect, this, BoundsRect(), m_stretchFilter, m_drawMode, OnPixelCombine);
    Dst.Changed();
}

void TBitmap32::DrawUnscaled(TBitmap32& Dst, int X, int Y) const
{
    if (Empty() || Dst.Empty())
        return;
    TransferBlockClipped(&Dst, X, Y, Dst.ClipRect, this, BoundsRect(), m_drawMode, OnPixelCombine);
    Dst.Changed();
}

void TBitmap32::DrawAt(int X, int Y, const TBitmap32* Src)
{
    if (Src)
        Src->DrawUnscaled(*this, X, Y);
}

namespace
{

// Runs the closing steps of an assignment also when an error escapes.
struct AssignBracket {
    TBitmap32* bmp;
    int pending = std::uncaught_exceptions();
    explicit AssignBracket(TBitmap32* b) : bmp(b) { bmp->BeginUpdate(); }
    ~AssignBracket() noexcept(false)
    {
        bmp->EndUpdate();
        if (std::uncaught_exceptions() == pending) {
            bmp->Changed();
            return;
        }
        try {
            bmp->Changed();
        } catch (...) {
            // the error already on its way wins
        }
    }
};

} // namespace

void TBitmap32::Assign(const TBitmap32* Source)
{
    AssignBracket bracket(this);
    if (!Source) {
        SetDimensions(0, 0);
        return;
    }
    if (Source == this)
        return;
    SetDimensions(Source->Width(), Source->Height());
    if (Empty() || Source->Empty())
        return;
    std::memcpy(m_bits.get(), Source->Bits(), std::size_t(BytesPerLine()) * std::size_t(Height()));
    SetDrawMode(Source->DrawMode());
    SetMasterAlpha(Source->MasterAlpha());
    OuterColor = Source->OuterColor;
    SetStretchFilter(Source->StretchFilter());
}

void TBitmap32::Assign(const QImage& Source, bool Transparent, TColor TransparentColor)
{
    AssignBracket bracket(this);
    CopyFromBitmap(Source, Transparent, TransparentColor);
}

void TBitmap32::CopyFromBitmap(const QImage& B, bool Transparent, TColor TransparentColor)
{
    SetDimensions(B.width(), B.height());
    if (Empty())
        return;
    // A picture with alpha keeps it; one without is made opaque, as a copy of a
    // non-32-bit bitmap.
    const bool keepAlpha = B.hasAlphaChannel();
    const QImage src = B.convertToFormat(keepAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < Height(); ++y) {
        const TColor32* s = reinterpret_cast<const TColor32*>(src.constScanLine(y));
        TColor32* d = RowPointer(y);
        if (keepAlpha)
            std::memcpy(d, s, std::size_t(BytesPerLine()));
        else
            for (int x = 0; x < Width(); ++x)
                d[x] = s[x] | 0xFF000000u;
    }
    if (Transparent) {
        const TColor32 t = WinColorTo32(TransparentColor) & 0x00FFFFFFu;
        const std::size_t n = std::size_t(Width()) * std::size_t(Height());
        TColor32* p = m_bits.get();
        for (std::size_t i = 0; i < n; ++i)
            if ((p[i] & 0x00FFFFFFu) == t)
                p[i] &= 0x00FFFFFFu;
    }
}

void TBitmap32::AssignGraphic(int Width, int Height, const TGraphicPainter& Paint, bool Masked)
{
    AssignBracket bracket(this);
    SetDimensions(Width, Height);
    if (Empty())
        return;
    const TRect r = BoundsRect();
    auto render = [&](TBitmap32& target) {
        QImage view = target.ImageView();
        TCanvas canvas(&view);
        if (Paint)
            Paint(canvas, r);
    };
    if (!Masked) {
        render(*this);
        MakeOpaque();
        return;
    }
    Clear(0xFFFFFFFFu);
    render(*this);
    TBitmap32 red;
    red.SetDimensions(this->Width(), this->Height());
    red.Clear(0xFFFF0000u);
    render(red);
    const std::size_t n = std::size_t(this->Width()) * std::size_t(this->Height());
    TColor32* p = m_bits.get();
    const TColor32* q = red.Bits();
    for (std::size_t i = 0; i < n; ++i)
        p[i] = ((p[i] ^ q[i]) & 0x00FFFFFFu) == 0 ? (p[i] | 0xFF000000u) : (p[i] & 0x00FFFFFFu);
}

void TBitmap32::AssignFromClipboard()
{
    AssignBracket bracket(this);
    QImage img;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        img = QGuiApplication::clipboard()->image();
    CopyFromBitmap(img);
    MakeOpaque();
}

QImage TBitmap32::CopyToBitmap() const
{
    if (Empty())
        return QImage();
    QImage out(Width(), Height(), QImage::Format_RGB32);
    for (int y = 0; y < Height(); ++y) {
        const TColor32* s = RowPointer(y);
        TColor32* d = reinterpret_cast<TColor32*>(out.scanLine(y));
        for (int x = 0; x < Width(); ++x)
            d[x] = s[x] | 0xFF000000u;
    }
    return out;
}

void TBitmap32::CopyToClipboard() const
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::clipboard()->setImage(CopyToBitmap());
}

void TBitmap32::StorePixelData(QIODevice& Stream) const
{
    uchar head[8];
    qToLittleEndian<qint32>(Width(), head);
    qToLittleEndian<qint32>(Height(), head + 4);
    Stream.write(reinterpret_cast<const char*>(head), 8);
    if (!Empty())
        Stream.write(reinterpret_cast<const char*>(m_bits.get()), qint64(BytesPerLine()) * Height());
}

void TBitmap32::LoadPixelData(QIODevice& Stream)
{
    uchar head[8];
    if (Stream.read(reinterpret_cast<char*>(head), 8) != 8) {
        SetDimensions(0, 0);
        throw ERasterError(QStringLiteral("Bitmap data is truncated"));
    }
    const qint32 w = qFromLittleEndian<qint32>(head);
    const qint32 h = qFromLittleEndian<qint32>(head + 4);
    const std::int64_t pixels = std::int64_t(std::max(w, 0)) * std::max(h, 0);
    if (w > 0 && h > 0 && pixels > MaxPixelBytes / 4) {
        SetDimensions(0, 0);
        throw ERasterError(kAllocError);
    }
    const std::int64_t bytes = (w > 0 && h > 0) ? pixels * 4 : 0;
    if (!Stream.isSequential() && Stream.size() - Stream.pos() < bytes) {
        SetDimensions(0, 0);
        throw ERasterError(QStringLiteral("Bitmap data is truncated"));
    }
    if (Stream.isSequential() && bytes > 0) {
        // A stream that cannot tell its size is read in bounded steps first,
        // so a short one never makes the full claimed buffer.
        constexpr qint64 kSchritt = qint64(16) << 20;
        QByteArray data;
        while (data.size() < bytes) {
            const QByteArray teil = Stream.read(std::min<qint64>(kSchritt, bytes - data.size()));
            if (teil.isEmpty())
                break;
            data.append(teil);
        }
        if (data.size() != bytes) {
            SetDimensions(0, 0);
            throw ERasterError(QStringLiteral("Bitmap data is truncated"));
        }
        SetDimensions(w, h);
        std::memcpy(m_bits.get(), data.constData(), static_cast<size_t>(bytes));
        Changed();
        return;
    }
    SetDimensions(w, h);
    if (!Empty()) {
        char* dst = reinterpret_cast<char*>(m_bits.get());
        std::int64_t done = 0;
        while (done < bytes) {
            const qint64 n = Stream.read(dst + done, bytes - done);
            if (n <= 0)
                break;
            done += n;
        }
        if (done != bytes) {
            SetDimensions(0, 0);
            throw ERasterError(QStringLiteral("Bitmap data is truncated"));
        }
    }
    Changed();
}

bool TBitmap32::SameImage(const TBitmap32* A, const TBitmap32* B)
{
    const bool ea = !A || A->Empty();
    const bool eb = !B || B->Empty();
    if (ea || eb)
        return ea && eb;
    if (typeid(*A) != typeid(*B))
        return false;
    if (A->Width() != B->Width() || A->Height() != B->Height())
        return false;
    return std::memcmp(A->Bits(), B->Bits(), std::size_t(A->BytesPerLine()) * std::size_t(A->Height())) == 0;
}

void TBitmap32::SetDrawMode(TDrawMode Value)
{
    if (Value != m_drawMode) {
        m_drawMode = Value;
        Changed();
    }
}

void TBitmap32::SetCombineMode(TCombineMode Value)
{
    m_combineMode = Value;
    Changed();
}

void TBitmap32::SetMasterAlpha(std::uint32_t Value)
{
    if (Value != m_masterAlpha) {
        m_masterAlpha = Value;
        Changed();
    }
}

void TBitmap32::SetStretchFilter(TStretchFilter Value)
{
    if (Value != m_stretchFilter) {
        m_stretchFilter = Value;
        Changed();
    }
}

} // namespace zl
