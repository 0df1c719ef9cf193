#include "platform/Canvas.h"
#include "raster/Rast32.h"

#include <QBuffer>
#include <QPainter>
#include <atomic>
#include <cstring>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using namespace zl;

namespace
{

struct Counter {
    int changes = 0;
    int resizes = 0;
    void attach(TBitmap32& b)
    {
        b.OnChange = [this](TThreadPersistent*) { ++changes; };
        b.OnResize = [this](TThreadPersistent*) { ++resizes; };
    }
};

} // namespace

TEST(Rast32Colour, WinColorTo32)
{
    EXPECT_EQ(WinColorTo32(clRed), 0xFFFF0000u);
    EXPECT_EQ(WinColorTo32(0x7F123456), 0xFF563412u); // top byte ignored
    const TColor face = GetSysColor(15);
    EXPECT_EQ(WinColorTo32(clBtnFace),
              0xFF000000u | TColor32((face & 0xFF) << 16) | TColor32(face & 0xFF00) | TColor32((face >> 16) & 0xFF));
}

TEST(Rast32Rect, ClipRects)
{
    TRect d;
    EXPECT_TRUE(ClipRects(d, RectOf(0, 0, 10, 10), RectOf(5, 5, 20, 20)));
    EXPECT_EQ(d, RectOf(5, 5, 10, 10));
    EXPECT_TRUE(ClipRects(d, RectOf(0, 0, 10, 10), RectOf(10, 0, 20, 10))); // zero width answers true
    EXPECT_EQ(d, RectOf(10, 0, 10, 10));
    EXPECT_FALSE(ClipRects(d, RectOf(0, 0, 10, 10), RectOf(11, 0, 20, 10)));
    EXPECT_EQ(d, RectOf(0, 0, 0, 0));
    TRect r1 = RectOf(0, 0, 8, 8);
    EXPECT_TRUE(ClipRects(r1, r1, RectOf(2, 3, 50, 50))); // Dst aliasing R1
    EXPECT_EQ(r1, RectOf(2, 3, 8, 8));
}

TEST(Rast32Bitmap, SizingAndNotifications)
{
    TBitmap32 b;
    Counter c;
    c.attach(b);
    EXPECT_TRUE(b.SetDimensions(-5, 10));
    EXPECT_EQ(b.Width(), 0);
    EXPECT_EQ(b.Height(), 10);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Bits(), nullptr);
    EXPECT_EQ(c.resizes, 1);
    EXPECT_TRUE(b.SetDimensions(4, 3));
    EXPECT_EQ(b.ClipRect, RectOf(0, 0, 4, 3));
    const int changes = c.changes;
    EXPECT_FALSE(b.SetDimensions(4, 3));
    EXPECT_EQ(c.changes, changes);
    EXPECT_EQ(c.resizes, 2);
}

TEST(Rast32Bitmap, ClearFillRectAndViewShareMemory)
{
    TBitmap32 b;
    b.SetDimensions(10, 10);
    b.Clear(0xFF000000u);
    Counter c;
    c.attach(b);
    b.FillRect(5, 5, 5, 10, 0xFFFFFFFFu);
    EXPECT_EQ(c.changes, 0);
    b.FillRect(-10, -10, 5, 5, 0xFF00FF00u);
    EXPECT_EQ(c.changes, 1);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(b.Pixel(x, y), (x < 5 && y < 5) ? 0xFF00FF00u : 0xFF000000u);
    QImage view = b.ImageView();
    EXPECT_EQ(view.constBits(), reinterpret_cast<const uchar*>(b.Bits()));
    EXPECT_EQ(view.pixel(2, 2), 0xFF00FF00u);
}

TEST(Rast32Bitmap, UnpairedEndUpdate)
{
    TBitmap32 b;
    try {
        b.EndUpdate();
        FAIL();
    } catch (const ERasterAssertion& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Unpaired TThreadPersistent.EndUpdate"));
        EXPECT_EQ(e.Unit(), QStringLiteral("Rast32"));
    }
    EXPECT_EQ(b.UpdateCount(), 0);
}

TEST(Rast32Bitmap, AllocationCap)
{
    TBitmap32 b;
    b.SetDimensions(3, 3);
    Counter c;
    c.attach(b);
    int handles = 0;
    b.OnHandleChanged = [&](TThreadPersistent*) { ++handles; };
    try {
        b.SetDimensions(100000, 100000);
        FAIL();
    } catch (const ERasterError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Can't allocate the DIB handle"));
    }
    EXPECT_EQ(b.Width(), 0);
    EXPECT_EQ(b.Height(), 0);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(handles, 1);
    EXPECT_EQ(c.changes, 0);
    EXPECT_EQ(c.resizes, 0);
    EXPECT_THROW(b.SetDimensions(0x7FFFFFFF, 0x7FFFFFFF), ERasterError); // no 64-bit overflow either
    EXPECT_TRUE(b.Empty());
}

TEST(Rast32Bitmap, AssignImages)
{
    QImage rgb(3, 2, QImage::Format_RGB888);
    rgb.fill(QColor(10, 20, 30));
    rgb.setPixel(1, 1, qRgb(255, 0, 255));
    TBitmap32 b;
    Counter c;
    c.attach(b);
    b.Assign(rgb);
    EXPECT_EQ(c.changes, 1); // one notification for the whole assignment
    ASSERT_EQ(b.Width(), 3);
    ASSERT_EQ(b.Height(), 2);
    EXPECT_EQ(b.Pixel(0, 0), 0xFF0A141Eu);
    EXPECT_EQ(b.Pixel(1, 1), 0xFFFF00FFu);
    b.Assign(rgb, true, clFuchsia);
    EXPECT_EQ(b.Pixel(1, 1), 0x00FF00FFu);
    EXPECT_EQ(b.Pixel(2, 1), 0xFF0A141Eu);

    QImage argb(2, 1, QImage::Format_ARGB32);
    argb.setPixel(0, 0, 0x40102030u);
    argb.setPixel(1, 0, 0xFF405060u);
    b.Assign(argb);
    EXPECT_EQ(b.Pixel(0, 0), 0x40102030u); // a 32-bit picture keeps its alpha

    // Assigning an empty bitmap: 0 x 0, own DrawMode kept.
    TBitmap32 empty;
    empty.SetDrawMode(dmBlend);
    b.Assign(&empty);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.DrawMode(), dmOpaque);

    TBitmap32 src;
    src.SetDimensions(2, 2);
    src.Clear(0x11223344u);
    src.SetDrawMode(dmBlend);
    src.SetMasterAlpha(77);
    src.SetCombineMode(cmMerge);
    b.Assign(&src);
    EXPECT_EQ(b.Pixel(1, 1), 0x11223344u);
    EXPECT_EQ(b.DrawMode(), dmBlend);
    EXPECT_EQ(b.MasterAlpha(), 77u);
    EXPECT_EQ(b.CombineMode(), cmBlend);
    EXPECT_TRUE(TBitmap32::SameImage(&b, &src));
    b.Assign(static_cast<const TBitmap32*>(nullptr));
    EXPECT_TRUE(b.Empty());
}

TEST(Rast32Bitmap, MaskedGraphic)
{
    TBitmap32 b;
    b.AssignGraphic(
        4, 4,
        [](TCanvas& cv, const TRect&) {
            cv.Brush.Color = clBlue;
            cv.FillRect(0, 0, 2, 4);
        },
        true);
    EXPECT_EQ(b.Pixel(0, 0), 0xFF0000FFu);
    EXPECT_EQ(b.Pixel(3, 3) >> 24, 0u); // left unpainted: transparent
}

TEST(Rast32Bitmap, PixelStream)
{
    TBitmap32 b;
    b.SetDimensions(2, 1);
    b.SetPixel(0, 0, 0x11223344u);
    b.SetPixel(1, 0, 0xAABBCCDDu);
    QByteArray bytes;
    {
        QBuffer buf(&bytes);
        buf.open(QIODevice::WriteOnly);
        b.StorePixelData(buf);
    }
    EXPECT_EQ(bytes, QByteArray::fromHex("020000000100000044332211ddccbbaa"));
    TBitmap32 c;
    {
        QBuffer buf(&bytes);
        buf.open(QIODevice::ReadOnly);
        c.LoadPixelData(buf);
    }
    EXPECT_TRUE(TBitmap32::SameImage(&b, &c));

    struct Case {
        QByteArray data;
        QString message;
    };
    const Case cases[] = {
        {QByteArray::fromHex("0200000001000000443322"), QStringLiteral("Bitmap data is truncated")},
        {QByteArray::fromHex("02000000"), QStringLiteral("Bitmap data is truncated")},
        {QByteArray::fromHex("ffffff7fffffff7f"), QStringLiteral("Can't allocate the DIB handle")},
    };
    for (const Case& k : cases) {
        QByteArray d = k.data;
        QBuffer buf(&d);
        buf.open(QIODevice::ReadOnly);
        TBitmap32 t;
        t.SetDimensions(5, 5);
        try {
            t.LoadPixelData(buf);
            ADD_FAILURE() << "no error";
        } catch (const ERasterError& e) {
            EXPECT_EQ(e.Message(), k.message);
        }
        EXPECT_EQ(t.Width(), 0);
        EXPECT_EQ(t.Height(), 0);
    }
    // Negative sizes read as an empty bitmap.
    QByteArray neg = QByteArray::fromHex("fbffffff03000000");
    QBuffer nb(&neg);
    nb.open(QIODevice::ReadOnly);
    TBitmap32 t;
    t.LoadPixelData(nb);
    EXPECT_TRUE(t.Empty());
}

namespace {
// A pipe-like stream: it cannot tell its size.
class SequentialBuffer : public QIODevice {
public:
    explicit SequentialBuffer(const QByteArray* data) : data_(*data) {}
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* out, qint64 max) override
    {
        const qint64 n = std::min<qint64>(max, data_.size() - at_);
        if (n > 0)
            std::memcpy(out, data_.constData() + at_, size_t(n));
        at_ += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray data_;
    qint64 at_ = 0;
};
} // namespace

TEST(Rast32Bitmap, PixelDataFromASequentialStream)
{
    QByteArray good = QByteArray::fromHex("020000000100000044332211ddccbbaa");
    SequentialBuffer gb(&good);
    gb.open(QIODevice::ReadOnly);
    TBitmap32 b;
    b.LoadPixelData(gb);
    ASSERT_EQ(b.Width(), 2);
    EXPECT_EQ(b.Pixel(1, 0), 0xAABBCCDDu);

    // Nine bytes claiming 23000 x 14000 pixels: refused as truncated, the bitmap empty.
    QByteArray kurz = QByteArray::fromHex("d8590000b036000001");
    SequentialBuffer kb(&kurz);
    kb.open(QIODevice::ReadOnly);
    TBitmap32 t;
    t.SetDimensions(3, 3);
    try {
        t.LoadPixelData(kb);
        ADD_FAILURE() << "no error";
    } catch (const ERasterError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Bitmap data is truncated"));
    }
    EXPECT_TRUE(t.Empty());
}

TEST(Rast32Bitmap, CanvasDrawsOnThePixelsAndReportsChanges)
{
    TBitmap32 b;
    b.SetDimensions(20, 10);
    b.Clear(0xFF000000u);
    Counter c;
    c.attach(b);
    TCanvas* cv = b.ProvideCanvas();
    cv->Brush.Color = clRed;
    cv->FillRect(2, 2, 5, 5);
    EXPECT_EQ(c.changes, 1);
    EXPECT_EQ(b.Pixel(2, 2), 0xFFFF0000u);
    EXPECT_EQ(b.Pixel(5, 5), 0xFF000000u);
    cv->Pen.Color = clLime;
    cv->MoveTo(0, 9);
    cv->LineTo(10, 9);
    EXPECT_EQ(b.Pixel(9, 9), 0xFF00FF00u);
    EXPECT_EQ(b.Pixel(10, 9), 0xFF000000u); // end point left out
    // A resize drops the canvas; the next request makes one on the new pixels.
    b.SetDimensions(4, 4);
    EXPECT_FALSE(b.HasCanvas());
    b.Clear(0xFF000000u);
    b.ProvideCanvas()->Brush.Color = clWhite;
    b.Canvas()->FillRect(0, 0, 4, 4);
    EXPECT_EQ(b.Pixel(3, 3), 0xFFFFFFFFu);

    TBitmap32 empty;
    empty.ProvideCanvas()->FillRect(0, 0, 5, 5); // draws nothing, no crash
}

TEST(Rast32Bitmap, DrawIntoAndSetAllAlpha)
{
    TBitmap32 src, dst;
    src.SetDimensions(2, 2);
    src.Clear(0x00123456u);
    src.MakeOpaque();
    EXPECT_EQ(src.Pixel(1, 1), 0xFF123456u);
    dst.SetDimensions(4, 4);
    dst.Clear(0);
    Counter c;
    c.attach(dst);
    src.DrawInto(dst, RectOf(1, 1, 3, 3));
    EXPECT_EQ(c.changes, 1);
    EXPECT_EQ(dst.Pixel(1, 1), 0xFF123456u);
    EXPECT_EQ(dst.Pixel(0, 0), 0u);
    TBitmap32 empty;
    empty.DrawInto(dst, RectOf(0, 0, 4, 4));
    EXPECT_EQ(c.changes, 1);
    QImage shown = src.CopyToBitmap();
    EXPECT_EQ(shown.format(), QImage::Format_RGB32);
    EXPECT_EQ(shown.pixel(0, 0), 0xFF123456u);
}

TEST(Rast32Bitmap, LockIsReentrantAndShared)
{
    TBitmap32 b;
    b.SetDimensions(64, 1);
    b.Clear(0);
    b.Lock();
    b.Lock(); // the same thread may lock again
    EXPECT_EQ(b.LockCount(), 2);
    std::atomic<bool> entered{false};
    std::thread other([&] {
        b.Lock();
        entered = true;
        for (int x = 0; x < 64; ++x)
            b.SetPixel(x, 0, 1);
        b.Unlock();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(entered.load()); // waits while this thread holds the bitmap
    b.Unlock();
    b.Unlock();
    other.join();
    EXPECT_TRUE(entered.load());
    EXPECT_EQ(b.LockCount(), 0);
    EXPECT_EQ(b.Pixel(63, 0), 1u);
}

TEST(Rast32Bitmap, ClipboardRoundTrip)
{
    TBitmap32 b;
    b.SetDimensions(3, 2);
    b.Clear(0x00102030u); // alpha is not carried: the clipboard copy is opaque
    b.CopyToClipboard();
    TBitmap32 c;
    c.AssignFromClipboard();
    ASSERT_EQ(c.Width(), 3);
    ASSERT_EQ(c.Height(), 2);
    EXPECT_EQ(c.Pixel(2, 1), 0xFF102030u);
}
