#pragma once

// Window controls over TBitmap32: a paint box that composes off screen in a back buffer and
// shows it in one copy, and an image control that shows a bitmap aligned and scaled through an
// ordered list of paint stages and reports the mouse in control coordinates.

#include "platform/Canvas.h"
#include "raster/Rast32.h"
#include "raster/Rast32_Layers.h"

#include <QCursor>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace zl
{

enum TBitmapAlign : std::uint8_t { baTopLeft = 0, baCenter = 1, baTile = 2, baCustom = 3 };
enum TScaleMode : std::uint8_t { smNormal = 0, smStretch = 1, smScale = 2, smResize = 3 };

// ---- geometry, free of widgets

// The shown size of a bitmap in a control (0, 0 for an empty bitmap or control).
QSize ComputeBitmapSize(int BitmapWidth, int BitmapHeight, int ControlWidth, int ControlHeight, TScaleMode ScaleMode,
                        float Scale);
// The bitmap's rectangle on the control for an alignment (0,0,0,0 for an empty bitmap).
TRect ComputeBitmapRect(int BitmapWidth, int BitmapHeight, int ControlWidth, int ControlHeight, TScaleMode ScaleMode,
                        float Scale, TBitmapAlign Align, float CustomOffsetX, float CustomOffsetY);
// 16.16 transformation from the display rectangle; the identity for an empty bitmap or an
// empty rectangle (which is then not drawn).
TDisplayTransform ComputeDisplayTransform(const TRect& DisplayRect, int BitmapWidth, int BitmapHeight);
// Buffer side for a viewport side: grows with Margin to spare, shrinks only when more than
// Margin too large, at least 1.
int FitBufferSide(int Viewport, int Current, int Margin);
// Round(a * b / c) with a 64-bit product, halves away from zero; -1 when c is 0.
int MulDiv(int a, int b, int c);

// ---- paint stages

enum : std::uint32_t {
    stCustom = 1,
    stClearBuffer = 2,
    stClearBackground = 3,
    stDrawBitmap = 4,
    stDrawLayers = 5,
    stControlFrame = 6,
    stBitmapFrame = 7
};

struct TPaintStage {
    bool AtDesignTime = false;
    bool AtRunTime = true;
    std::uint32_t StageKind = 0;
    std::uint32_t StageParam = 0;
};

class TPaintStages
{
  public:
    // Appends a run-time stage of kind 0 and returns it to be filled (valid until the next Add).
    TPaintStage& Add();
    void Clear() { m_items.clear(); }
    int Count() const { return int(m_items.size()); }
    TPaintStage& Items(int Index) { return m_items.at(std::size_t(Index)); }
    const TPaintStage& Items(int Index) const { return m_items.at(std::size_t(Index)); }

  private:
    std::vector<TPaintStage> m_items;
};

// ---- the paint box

class TCustomPaintBox32 : public QWidget
{
    Q_OBJECT
  public:
    explicit TCustomPaintBox32(QWidget* Parent = nullptr);
    ~TCustomPaintBox32() override;

    TBitmap32& Buffer() { return *m_buffer; }
    int BufferMargin = 40;
    bool BufferUpToDate() const { return m_bufferUpToDate; }
    bool MouseInside() const { return m_mouseInside; }
    bool WantsArrowKeys = false;
    bool FocusOnClick = false;

    // Marks the picture stale and asks for a repaint.
    virtual void Invalidate();
    // Sizes the buffer to the viewport (see FitBufferSide).
    void FitBuffer();
    // To be called once the form holding the control is built.
    virtual void Loaded();
    virtual QRect ComputeViewportRect() const;

    std::function<void(TCustomPaintBox32* Sender, TCanvas& Canvas)> OnGDIOverlay;
    std::function<void(TCustomPaintBox32* Sender)> OnMouseEnter;
    std::function<void(TCustomPaintBox32* Sender)> OnMouseLeave;
    std::function<void(TCustomPaintBox32* Sender)> OnResize;

  protected:
    virtual void PaintIntoBuffer();
    virtual void FireGDIOverlay(TCanvas& Canvas);
    virtual void MouseEnter();
    virtual void MouseLeave();
    void SetBufferUpToDate(bool Value) { m_bufferUpToDate = Value; }

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::unique_ptr<TBitmap32> m_buffer;
    bool m_bufferUpToDate = false;
    bool m_mouseInside = false;
};

// ---- the image control

class TCustomImage32 : public TCustomPaintBox32
{
    Q_OBJECT
  public:
    explicit TCustomImage32(QWidget* Parent = nullptr);
    ~TCustomImage32() override;

    // The shown bitmap, owned. Draw on it or assign to it; its changes repaint the control.
    TBitmap32& Bitmap() { return *m_bitmap; }
    void SetBitmap(const TBitmap32* Value);
    void SetBitmap(const QImage& Value);

    TBitmapAlign BitmapAlign() const { return m_bitmapAlign; }
    void SetBitmapAlign(TBitmapAlign Value);
    float Scale() const { return m_scale; }
    void SetScale(float Value);
    TScaleMode ScaleMode() const { return m_scaleMode; }
    void SetScaleMode(TScaleMode Value);
    float CustomOffsetX = 0.0f;
    float CustomOffsetY = 0.0f;
    bool AutoSize = false;
    // The control colour ($00BBGGRR or a system colour).
    TColor Color() const { return m_color; }
    void SetColor(TColor Value);
    // Focus by the tab key and by a click.
    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool Value);
    // The control's own cursor, which the layers hand back when the mouse leaves them.
    void SetControlCursor(const QCursor& Cursor);

    TLayerCollection& Layers() { return *m_layers; }
    TPaintStages& PaintStages() { return *m_paintStages; }

    void BeginUpdate();
    // Throws ERasterAssertion "Unpaired EndUpdate call" (of Rast32_Image) below 0.
    void EndUpdate();
    int UpdateDepth() const { return m_updateDepth; }
    // Repaint request and OnChange, outside update brackets only.
    virtual void Changed();
    void Invalidate() override;
    void Loaded() override;

    // The display cache.
    TRect DisplayRect();
    const TDisplayTransform& Transform() const { return m_transform; }
    bool CacheUpToDate() const { return m_cacheUpToDate; }
    void RecomputeCache();
    void InvalidateCache() { m_cacheUpToDate = false; }

    virtual TRect ComputeBitmapRect() const;
    virtual QSize ComputeBitmapSize() const;
    // The size the control wants for AutoSize; always true.
    bool CanAutoSize(int& NewWidth, int& NewHeight);
    virtual void SetupStandardStages();

    // The form designer's state; the programs never set it.
    void SetDesignMode(bool Value) { m_designing = Value; }

    using TImgMouseEvent = std::function<void(TCustomImage32* Sender, TMouseButton Button, TShiftState Shift, int X,
                                              int Y, TCustomLayer* Layer)>;
    using TImgMouseMoveEvent =
        std::function<void(TCustomImage32* Sender, TShiftState Shift, int X, int Y, TCustomLayer* Layer)>;
    using TPaintStageEvent = std::function<void(TCustomImage32* Sender, TBitmap32& Buffer, int StageNum)>;
    using TImgNotifyEvent = std::function<void(TCustomImage32* Sender)>;

    TImgNotifyEvent OnBitmapResize;
    TImgNotifyEvent OnChange;
    TImgNotifyEvent OnInitStages;
    TImgNotifyEvent OnClick;
    TImgNotifyEvent OnDblClick;
    TImgMouseEvent OnMouseDown;
    TImgMouseEvent OnMouseUp;
    TImgMouseMoveEvent OnMouseMove;
    TPaintStageEvent OnPaintStage;

  protected:
    virtual void HandleBitmapResize();
    virtual void FireInitStages();
    virtual void ScaleChanged() {}
    virtual void FireMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y, TCustomLayer* Layer);
    virtual void FireMouseMove(TShiftState Shift, int X, int Y, TCustomLayer* Layer);
    virtual void FireMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y, TCustomLayer* Layer);

    virtual void StageBitmapFrame(TBitmap32& Dest, int StageNum);
    virtual void StageClearBuffer(TBitmap32& Dest, int StageNum);
    virtual void StageClearBackground(TBitmap32& Dest, int StageNum);
    virtual void StageControlFrame(TBitmap32& Dest, int StageNum);
    virtual void StageCustom(TBitmap32& Dest, int StageNum);
    virtual void StageDrawBitmap(TBitmap32& Dest, int StageNum);
    virtual void StageDrawLayers(TBitmap32& Dest, int StageNum);

    void PaintIntoBuffer() override;
    void FireGDIOverlay(TCanvas& Canvas) override;
    void MouseLeave() override;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void pressed(QMouseEvent* event, bool doubleClick);

    std::unique_ptr<TBitmap32> m_bitmap;
    std::unique_ptr<TLayerCollection> m_layers;
    std::unique_ptr<TPaintStages> m_paintStages;
    TBitmapAlign m_bitmapAlign = baTopLeft;
    TScaleMode m_scaleMode = smNormal;
    float m_scale = 1.0f;
    TColor m_color = clWindow;
    bool m_tabStop = false;
    QCursor m_controlCursor;
    int m_updateDepth = 0;
    bool m_cacheUpToDate = false;
    TRect m_displayRect;
    TDisplayTransform m_transform;
    bool m_designing = false;
    bool m_pressInside = false;
};

// The published form of the image control.
class TImage32 : public TCustomImage32
{
    Q_OBJECT
  public:
    explicit TImage32(QWidget* Parent = nullptr) : TCustomImage32(Parent) {}
};

} // namespace zl
