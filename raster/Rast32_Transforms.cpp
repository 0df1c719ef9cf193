#include "raster/Rast32_Transforms.h"

namespace zl {

void CheckBitmaps(const TBitmap32* Dst, const TBitmap32* Src)
{
    if (!Dst || Dst->Empty())
        throw ETransformError(QStringLiteral("Destination bitmap is nil or empty"));
    if (!Src || Src->Empty())
        throw ETransformError(QStringLiteral("Source bitmap is nil or empty"));
}

bool CheckSourceRect(const TBitmap32* Src, const TRect& SrcRect)
{
    if (RectIsEmpty(SrcRect))
        return false;
    if (SrcRect.Left < 0 || SrcRect.Right > Src->Width() || SrcRect.Top < 0 || SrcRect.Bottom > Src->Height())
        throw ETransformError(QStringLiteral("Source rectangle is invalid"));
    return true;
}

void TransferBlock(TBitmap32* Dst, TRect DstClip, const TBitmap32* Src, int SrcX, int SrcY, TDrawMode,
                   const TPixelCombineEvent&)
{
    const int w = DstClip.Width();
    for (int y = DstClip.Top; y < DstClip.Bottom; ++y)
        CopyPixels(Src->PixelPointer(SrcX, SrcY + y - DstClip.Top), Dst->PixelPointer(DstClip.Left, y), w);
}

void TransferScaled(TBitmap32* Dst, TRect DstRect, TRect DstClip, const TBitmap32* Src, TRect SrcRect,
                    TStretchFilter, TDrawMode DrawMode, const TPixelCombineEvent& CombineCallback)
{
    if (Src && Src->Empty())
        return;
    CheckBitmaps(Dst, Src);
    if (!CheckSourceRect(Src, SrcRect))
        return;
    ClipRects(DstClip, DstClip, Dst->BoundsRect());
    ClipRects(DstClip, DstClip, DstRect);
    if (RectIsEmpty(DstClip))
        return;
    if (DstRect.Width() == SrcRect.Width() && DstRect.Height() == SrcRect.Height()) {
        TransferBlock(Dst, DstClip, Src, SrcRect.Left + DstClip.Left - DstRect.Left,
                      SrcRect.Top + DstClip.Top - DstRect.Top, DrawMode, CombineCallback);
        return;
    }
    for (int y = DstClip.Top; y < DstClip.Bottom; ++y)
        for (int x = DstClip.Left; x < DstClip.Right; ++x) {
            const int sx = SrcRect.Left + int(std::int64_t(x - DstRect.Left) * SrcRect.Width() / DstRect.Width());
            const int sy = SrcRect.Top + int(std::int64_t(y - DstRect.Top) * SrcRect.Height() / DstRect.Height());
            Dst->SetPixel(x, y, Src->Pixel(sx, sy));
        }
}

} // namespace zl
