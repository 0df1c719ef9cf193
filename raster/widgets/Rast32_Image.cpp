#include "raster/widgets/Rast32_Image.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>
#include <cstdlib>

namespace zl
{

// ------------------------------------------------------------------ geometry

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const std::int64_t p = std::int64_t(a) * b;
    const bool negative = (p < 0) != (c < 0);
    const std::uint64_t ap = std::uint64_t(p < 0 ? -p : p);
    const std::uint64_t ac = std::uint64_t(c < 0 ? -std::int64_t(c) : std::int64_t(c));
    const std::int64_t r = std::int64_t((ap + ac / 2) / ac);
    return int(negative ? -r : r);
}

QSize ComputeBitmapSize(int BitmapWidth, int BitmapHeight, int ControlWidth, int ControlHeight, TScaleMode ScaleMode,
                        float Scale)
{
    if (BitmapWidth <= 0 || BitmapHeight <= 0 || ControlWidth == 0 || ControlHeight == 0)
        return {0, 0};
    int cx = BitmapWidth, cy = BitmapHeight;
    switch (ScaleMode) {
    case smNormal:
        break;
    case smStretch:
        cx = ControlWidth;
        cy = ControlHeight;
        break;
    case smScale:
        cx = int(std::nearbyint(float(BitmapWidth) * Scale));
        cy = int(std::nearbyint(float(BitmapHeight) * Scale));
        break;
    case smResize: {
        const float rx = float(ControlWidth) / float(BitmapWidth);
        const float ry = float(ControlHeight) / float(BitmapHeight);
        if (rx < ry) {
            cx = ControlWidth;
            cy = int(std::nearbyint(float(BitmapHeight) * rx));
        } else {
            cx = int(std::nearbyint(float(BitmapWidth) * ry));
            cy = ControlHeight;
        }
        break;
    }
    }
    return {std::max(cx, 0), std::max(cy, 0)};
}

TRect ComputeBitmapRect(int BitmapWidth, int BitmapHeight, int ControlWidth, int ControlHeight, TScaleMode ScaleMode,
                        float Scale, TBitmapAlign Align, float CustomOffsetX, float CustomOffsetY)
{
    if (BitmapWidth <= 0 || BitmapHeight <= 0)
        return {};
    const QSize s = ComputeBitmapSize(BitmapWidth, BitmapHeight, ControlWidth, ControlHeight, ScaleMode, Scale);
    TRect r{0, 0, s.width(), s.height()};
    if (Align == baCenter)
        ShiftRect(r, (ControlWidth - s.width()) / 2, (ControlHeight - s.height()) / 2);
    else if (Align == baCustom)
        ShiftRect(r, int(std::nearbyint(CustomOffsetX)), int(std::nearbyint(CustomOffsetY)));
    return r;
}

TDisplayTransform ComputeDisplayTransform(const TRect& R, int BitmapWidth, int BitmapHeight)
{
    TDisplayTransform t;
    // An empty rectangle (zero-sized control, a tiny scale) shows nothing: keep the identity.
    if (BitmapWidth <= 0 || BitmapHeight <= 0 || RectIsEmpty(R))
        return t;
    t.ShiftX = R.Left;
    t.ShiftY = R.Top;
    t.ScaleX = MulDiv(R.Width(), 65536, BitmapWidth);
    t.ScaleY = MulDiv(R.Height(), 65536, BitmapHeight);
    t.RevScaleX = MulDiv(BitmapWidth, 65536, R.Width());
    t.RevScaleY = MulDiv(BitmapHeight, 65536, R.Height());
    return t;
}

int FitBufferSide(int Viewport, int Current, int Margin)
{
    Viewport = std::max(Viewport, 0);
    int n = Current;
    if (Viewport > Current)
        n = Viewport + Margin;
    else if (Viewport < Current - Margin)
        n = Viewport;
    return std::max(n, 1);
}

TPaintStage& TPaintStages::Add()
{
    m_items.push_back(TPaintStage{});
    return m_items.back();
}

// ------------------------------------------------------------------ paint box

TCustomPaintBox32::TCustomPaintBox32(QWidget* Parent) : QWidget(Parent), m_buffer(std::make_unique<TBitmap32>())
{
    // The buffer never notifies: its bracket stays open for its whole life.
    m_buffer->BeginUpdate();
    // Painted whole from the buffer, never erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    resize(192, 192);
}

TCustomPaintBox32::~TCustomPaintBox32() = default;

void TCustomPaintBox32::Invalidate()
{
    m_bufferUpToDate = false;
    update();
}

void TCustomPaintBox32::Loaded()
{
    m_bufferUpToDate = false;
}

QRect TCustomPaintBox32::ComputeViewportRect() const
{
    return QRect(0, 0, width(), height());
}

void TCustomPaintBox32::FitBuffer()
{
    const QRect vp = ComputeViewportRect();
    const int w = FitBufferSide(vp.width(), m_buffer->Width(), BufferMargin);
    const int h = FitBufferSide(vp.height(), m_buffer->Height(), BufferMargin);
    if (w != m_buffer->Width() || h != m_buffer->Height()) {
        m_buffer->Lock();
        try {
            m_buffer->SetDimensions(w, h);
        } catch (...) {
            m_buffer->Unlock();
            throw;
        }
        m_buffer->Unlock();
        m_bufferUpToDate = false;
    }
}

void TCustomPaintBox32::PaintIntoBuffer()
{
    m_bufferUpToDate = true;
}

void TCustomPaintBox32::FireGDIOverlay(TCanvas& Canvas)
{
    if (OnGDIOverlay)
        OnGDIOverlay(this, Canvas);
}

void TCustomPaintBox32::MouseEnter()
{
    m_mouseInside = true;
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TCustomPaintBox32::MouseLeave()
{
    m_mouseInside = false;
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TCustomPaintBox32::paintEvent(QPaintEvent*)
{
    FitBuffer();
    if (!m_bufferUpToDate)
        PaintIntoBuffer();
    QPainter painter(this);
    const QRect vp = ComputeViewportRect();
    m_buffer->Lock();
    // The buffer's RGB32 view: its own pixels, alpha ignored, copied once to the window.
    if (!m_buffer->Empty())
        painter.drawImage(vp.topLeft(), m_buffer->ImageViewRGB32(), QRect(0, 0, vp.width(), vp.height()));
    m_buffer->Unlock();
    TCanvas canvas(&painter);
    FireGDIOverlay(canvas);
}

void TCustomPaintBox32::resizeEvent(QResizeEvent*)
{
    FitBuffer();
    m_bufferUpToDate = false;
    if (OnResize)
        OnResize(this);
}

void TCustomPaintBox32::enterEvent(QEnterEvent*)
{
    MouseEnter();
}

void TCustomPaintBox32::leaveEvent(QEvent*)
{
    MouseLeave();
}

void TCustomPaintBox32::mousePressEvent(QMouseEvent*)
{
    if (FocusOnClick && focusPolicy() != Qt::NoFocus)
        setFocus(Qt::MouseFocusReason);
}

void TCustomPaintBox32::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (WantsArrowKeys) {
            event->accept();
            return;
        }
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

// ------------------------------------------------------------------ image control

TCustomImage32::TCustomImage32(QWidget* Parent) : TCustomPaintBox32(Parent), m_bitmap(std::make_unique<TBitmap32>())
{
    setMouseTracking(true); // moves without a button are reported too
    setFocusPolicy(Qt::NoFocus);
    m_bitmap->OnChange = [this](TThreadPersistent*) { Changed(); };
    m_bitmap->OnResize = [this](TThreadPersistent*) { HandleBitmapResize(); };
    m_layers = std::make_unique<TLayerCollection>(this, &m_transform);
    m_layers->OnListChanged = [this](TLayerCollection*) { Changed(); };
    m_layers->OnGDIUpdate = [this](TLayerCollection*) { update(); };
    m_layers->RestoreCursor = [this] { setCursor(m_controlCursor); };
    m_paintStages = std::make_unique<TPaintStages>();
    SetupStandardStages();
}

TCustomImage32::~TCustomImage32()
{
    BeginUpdate();
    // The bitmap still reports its resize while it is freed: nobody may listen by then.
    m_bitmap->OnChange = nullptr;
    m_bitmap->OnResize = nullptr;
    m_layers->OnListChanged = nullptr;
    m_layers->OnGDIUpdate = nullptr;
    m_layers->RestoreCursor = nullptr;
    m_paintStages.reset();
    m_layers.reset();
    m_bitmap.reset();
}

void TCustomImage32::SetupStandardStages()
{
    TPaintStage& clear = m_paintStages->Add();
    clear.AtDesignTime = true;
    clear.StageKind = stClearBackground;
    TPaintStage& frame = m_paintStages->Add();
    frame.AtDesignTime = true;
    frame.AtRunTime = false;
    frame.StageKind = stControlFrame;
    TPaintStage& draw = m_paintStages->Add();
    draw.AtDesignTime = true;
    draw.StageKind = stDrawBitmap;
    TPaintStage& bframe = m_paintStages->Add();
    bframe.AtDesignTime = true;
    bframe.AtRunTime = false;
    bframe.StageKind = stBitmapFrame;
    TPaintStage& layers = m_paintStages->Add();
    layers.AtDesignTime = true;
    layers.StageKind = stDrawLayers;
    layers.StageParam = loVisible;
}

void TCustomImage32::SetBitmap(const TBitmap32* Value)
{
    InvalidateCache();
    m_bitmap->Assign(Value);
}

void TCustomImage32::SetBitmap(const QImage& Value)
{
    InvalidateCache();
    m_bitmap->Assign(Value);
}

void TCustomImage32::SetBitmapAlign(TBitmapAlign Value)
{
    InvalidateCache();
    m_bitmapAlign = Value;
    Changed();
}

void TCustomImage32::SetScale(float Value)
{
    if (Value < 0.001f)
        Value = 0.001f;
    if (Value != m_scale) {
        InvalidateCache();
        m_scale = Value;
        ScaleChanged();
        Changed();
    }
}

void TCustomImage32::SetScaleMode(TScaleMode Value)
{
    if (Value != m_scaleMode) {
        InvalidateCache();
        m_scaleMode = Value;
        Changed();
    }
}

void TCustomImage32::SetColor(TColor Value)
{
    if (Value != m_color) {
        m_color = Value;
        Invalidate();
    }
}

void TCustomImage32::SetTabStop(bool Value)
{
    m_tabStop = Value;
    setFocusPolicy(Value ? Qt::StrongFocus : Qt::NoFocus);
}

void TCustomImage32::SetControlCursor(const QCursor& Cursor)
{
    m_controlCursor = Cursor;
    setCursor(Cursor);
}

void TCustomImage32::BeginUpdate()
{
    ++m_updateDepth;
}

void TCustomImage32::EndUpdate()
{
    if (m_updateDepth <= 0)
        throw ERasterAssertion(QStringLiteral("Unpaired EndUpdate call"), QStringLiteral("Rast32_Image"));
    --m_updateDepth;
}

void TCustomImage32::Changed()
{
    if (m_updateDepth == 0) {
        Invalidate();
        if (OnChange)
            OnChange(this);
    }
}

void TCustomImage32::Invalidate()
{
    InvalidateCache();
    TCustomPaintBox32::Invalidate();
}

void TCustomImage32::Loaded()
{
    TCustomPaintBox32::Loaded();
    FireInitStages();
}

void TCustomImage32::FireInitStages()
{
    if (OnInitStages)
        OnInitStages(this);
}

TRect TCustomImage32::DisplayRect()
{
    RecomputeCache();
    return m_displayRect;
}

void TCustomImage32::RecomputeCache()
{
    if (m_cacheUpToDate)
        return;
    m_displayRect = ComputeBitmapRect();
    m_transform = m_bitmap->Empty() ? TDisplayTransform{}
                                    : ComputeDisplayTransform(m_displayRect, m_bitmap->Width(), m_bitmap->Height());
    m_cacheUpToDate = true;
}

TRect TCustomImage32::ComputeBitmapRect() const
{
    if (m_bitmap->Empty())
        return {};
    return zl::ComputeBitmapRect(m_bitmap->Width(), m_bitmap->Height(), width(), height(), m_scaleMode, m_scale,
                                 m_bitmapAlign, CustomOffsetX, CustomOffsetY);
}

QSize TCustomImage32::ComputeBitmapSize() const
{
    if (m_bitmap->Empty())
        return {0, 0};
    return zl::ComputeBitmapSize(m_bitmap->Width(), m_bitmap->Height(), width(), height(), m_scaleMode, m_scale);
}

bool TCustomImage32::CanAutoSize(int& NewWidth, int& NewHeight)
{
    InvalidateCache();
    int w = m_bitmap->Width(), h = m_bitmap->Height();
    if (m_scaleMode == smScale) {
        w = int(std::nearbyint(float(w) * m_scale));
        h = int(std::nearbyint(float(h) * m_scale));
    }
    if (m_designing && (w < 1 || h < 1))
        return true;
    NewWidth = w;
    NewHeight = h;
    return true;
}

void TCustomImage32::HandleBitmapResize()
{
    if (AutoSize) {
        int w = width(), h = height();
        if (CanAutoSize(w, h) && w >= 1 && h >= 1)
            setGeometry(x(), y(), w, h);
    }
    if (m_updateDepth != 0 && OnBitmapResize)
        OnBitmapResize(this);
    InvalidateCache();
    Invalidate();
}

void TCustomImage32::PaintIntoBuffer()
{
    RecomputeCache();
    TBitmap32& buffer = Buffer();
    for (int i = 0; i < m_paintStages->Count(); ++i) {
        const TPaintStage st = m_paintStages->Items(i);
        if (!((st.AtDesignTime && m_designing) || (st.AtRunTime && !m_designing)))
            continue;
        switch (st.StageKind) {
        case stCustom:
            StageCustom(buffer, i);
            break;
        case stClearBuffer:
            StageClearBuffer(buffer, i);
            break;
        case stClearBackground:
            StageClearBackground(buffer, i);
            break;
        case stDrawBitmap:
            StageDrawBitmap(buffer, i);
            break;
        case stDrawLayers:
            StageDrawLayers(buffer, i);
            break;
        case stControlFrame:
            StageControlFrame(buffer, i);
            break;
        case stBitmapFrame:
            StageBitmapFrame(buffer, i);
            break;
        default:
            break;
        }
    }
    SetBufferUpToDate(true);
}

void TCustomImage32::StageClearBuffer(TBitmap32& Dest, int)
{
    Dest.Clear(WinColorTo32(m_color));
}

void TCustomImage32::StageClearBackground(TBitmap32& Dest, int)
{
    const TColor32 c = WinColorTo32(m_color);
    if (m_bitmap->Empty() || m_bitmap->DrawMode() != dmOpaque) {
        Dest.Clear(c);
        return;
    }
    const TRect r = m_displayRect;
    const int w = width(), h = height();
    if (r.Left <= 0 && r.Right >= w && r.Top <= 0 && (r.Bottom >= h || m_bitmapAlign == baTile))
        return;
    if (RectIsEmpty(r)) {
        // Nothing of the bitmap is shown: the whole control in its colour.
        Dest.FillRect(0, 0, w, h, c);
        return;
    }
    Dest.FillRect(0, 0, w, r.Top, c);
    Dest.FillRect(0, r.Bottom, w, h, c);
    Dest.FillRect(0, r.Top, r.Left, r.Bottom, c);
    Dest.FillRect(r.Right, r.Top, w, r.Bottom, c);
}

void TCustomImage32::StageControlFrame(TBitmap32& Dest, int)
{
    Dest.ProvideCanvas()->DrawFocusRect(0, 0, width(), height());
}

void TCustomImage32::StageBitmapFrame(TBitmap32& Dest, int)
{
    const TRect r = m_displayRect;
    Dest.ProvideCanvas()->DrawFocusRect(r.Left, r.Top, r.Right, r.Bottom);
}

void TCustomImage32::StageDrawBitmap(TBitmap32& Dest, int)
{
    const TRect r = m_displayRect;
    if (m_bitmap->Empty() || RectIsEmpty(r))
        return;
    m_bitmap->Lock();
    try {
        if (m_bitmapAlign == baTile) {
            for (int j = 0; j <= Dest.Height() / r.Bottom; ++j)
                for (int i = 0; i <= Dest.Width() / r.Right; ++i) {
                    TRect t = r;
                    ShiftRect(t, i * r.Right, j * r.Bottom);
                    m_bitmap->DrawInto(Dest, t);
                }
        } else {
            m_bitmap->DrawInto(Dest, r);
        }
    } catch (...) {
        m_bitmap->Unlock();
        throw;
    }
    m_bitmap->Unlock();
}

void TCustomImage32::StageDrawLayers(TBitmap32& Dest, int StageNum)
{
    const std::uint32_t mask = m_paintStages->Items(StageNum).StageParam;
    for (int i = 0; i < m_layers->Count(); ++i) {
        TCustomLayer* l = m_layers->Items(i);
        if (l->LayerOptions & mask)
            l->PaintLayer(Dest);
    }
}

void TCustomImage32::StageCustom(TBitmap32& Dest, int StageNum)
{
    if (OnPaintStage)
        OnPaintStage(this, Dest, StageNum);
}

void TCustomImage32::FireGDIOverlay(TCanvas& Canvas)
{
    for (int i = 0; i < m_layers->Count(); ++i) {
        TCustomLayer* l = m_layers->Items(i);
        if (l->LayerOptions & loGDIOverlay)
            l->PaintGDI(Canvas);
    }
    TCustomPaintBox32::FireGDIOverlay(Canvas);
}

void TCustomImage32::MouseLeave()
{
    if (m_layers->MouseEvents && !m_layers->MouseListener())
        setCursor(m_controlCursor);
    TCustomPaintBox32::MouseLeave();
}

namespace
{

bool toButton(Qt::MouseButton b, TMouseButton& out)
{
    switch (b) {
    case Qt::LeftButton:
        out = mbLeft;
        return true;
    case Qt::RightButton:
        out = mbRight;
        return true;
    case Qt::MiddleButton:
        out = mbMiddle;
        return true;
    default:
        return false;
    }
}

TShiftState shiftOf(const QMouseEvent* e)
{
    TShiftState s = 0;
    const Qt::KeyboardModifiers m = e->modifiers();
    if (m & Qt::ShiftModifier)
        s |= ssShift;
    if (m & Qt::AltModifier)
        s |= ssAlt;
    if (m & Qt::ControlModifier)
        s |= ssCtrl;
    const Qt::MouseButtons b = e->buttons();
    if (b & Qt::LeftButton)
        s |= ssLeft;
    if (b & Qt::RightButton)
        s |= ssRight;
    if (b & Qt::MiddleButton)
        s |= ssMiddle;
    return s;
}

} // namespace

void TCustomImage32::pressed(QMouseEvent* event, bool doubleClick)
{
    TMouseButton button;
    if (!toButton(event->button(), button))
        return;
    TCustomPaintBox32::mousePressEvent(event);
    if (m_tabStop && focusPolicy() != Qt::NoFocus)
        setFocus(Qt::MouseFocusReason);
    const QPoint p = event->position().toPoint();
    TShiftState shift = shiftOf(event);
    if (doubleClick)
        shift |= ssDouble;
    TCustomLayer* layer = m_layers->MouseEvents ? m_layers->MouseDown(button, shift, p.x(), p.y()) : nullptr;
    // The widget holds the mouse while a button is down (Qt's implicit grab), so moves keep
    // coming from outside the control until the release.
    m_pressInside = button == mbLeft;
    FireMouseDown(button, shift, p.x(), p.y(), layer);
}

void TCustomImage32::mousePressEvent(QMouseEvent* event)
{
    pressed(event, false);
}

void TCustomImage32::mouseDoubleClickEvent(QMouseEvent* event)
{
    pressed(event, true);
    if (event->button() == Qt::LeftButton && OnDblClick)
        OnDblClick(this);
}

void TCustomImage32::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    const TShiftState shift = shiftOf(event);
    TCustomLayer* layer = m_layers->MouseEvents ? m_layers->MouseMove(shift, p.x(), p.y()) : nullptr;
    FireMouseMove(shift, p.x(), p.y(), layer);
}

void TCustomImage32::mouseReleaseEvent(QMouseEvent* event)
{
    TMouseButton button;
    if (!toButton(event->button(), button))
        return;
    const QPoint p = event->position().toPoint();
    const TShiftState shift = shiftOf(event);
    TCustomLayer* layer = m_layers->MouseEvents ? m_layers->MouseUp(button, shift, p.x(), p.y()) : nullptr;
    FireMouseUp(button, shift, p.x(), p.y(), layer);
    if (button == mbLeft && m_pressInside && rect().contains(p) && OnClick)
        OnClick(this);
    if (button == mbLeft)
        m_pressInside = false;
}

void TCustomImage32::FireMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y, TCustomLayer* Layer)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y, Layer);
}

void TCustomImage32::FireMouseMove(TShiftState Shift, int X, int Y, TCustomLayer* Layer)
{
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y, Layer);
}

void TCustomImage32::FireMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y, TCustomLayer* Layer)
{
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y, Layer);
}

void TCustomImage32::resizeEvent(QResizeEvent* event)
{
    InvalidateCache();
    TCustomPaintBox32::resizeEvent(event);
}

} // namespace zl
