#include "raster/Rast32_Layers.h"

#include <algorithm>

namespace zl
{

namespace
{
unsigned buttonBit(TMouseButton b)
{
    return b == mbLeft ? 1u : b == mbRight ? 2u : 4u;
}
} // namespace

TCustomLayer::TCustomLayer(TLayerCollection* Owner)
{
    if (Owner)
        Owner->insert(this);
}

TCustomLayer::~TCustomLayer()
{
    if (m_owner)
        m_owner->remove(this);
}

bool TCustomLayer::HitTest(int X, int Y)
{
    bool passed = DoHitTest(X, Y);
    if (OnHitTest)
        OnHitTest(this, X, Y, passed);
    return passed;
}

bool TCustomLayer::DoHitTest(int, int)
{
    return true;
}

void TCustomLayer::PaintLayer(TBitmap32& Buffer)
{
    Paint(Buffer);
    if (OnPaint)
        OnPaint(this, Buffer);
}

void TCustomLayer::Paint(TBitmap32&) {}
void TCustomLayer::PaintGDI(TCanvas&) {}
void TCustomLayer::MouseDown(TMouseButton, TShiftState, int, int) {}
void TCustomLayer::MouseMove(TShiftState, int, int) {}
void TCustomLayer::MouseUp(TMouseButton, TShiftState, int, int) {}

TLayerCollection::TLayerCollection(QWidget* Owner, const TDisplayTransform* Transform)
    : m_owner(Owner), m_transform(Transform)
{
}

TLayerCollection::~TLayerCollection()
{
    m_updateDepth = 1; // no notifications any more
    m_listener = nullptr;
    while (!m_items.empty())
        delete m_items.back();
}

void TLayerCollection::insert(TCustomLayer* Layer)
{
    Layer->m_owner = this;
    m_items.push_back(Layer);
}

void TLayerCollection::remove(TCustomLayer* Layer)
{
    if (m_listener == Layer)
        m_listener = nullptr;
    m_items.erase(std::remove(m_items.begin(), m_items.end(), Layer), m_items.end());
    Layer->m_owner = nullptr;
}

void TLayerCollection::BeginUpdate()
{
    if (m_updateDepth++ == 0 && OnListBeginUpdate)
        OnListBeginUpdate(this);
}

void TLayerCollection::EndUpdate()
{
    if (m_updateDepth <= 0)
        throw ERasterAssertion(QStringLiteral("Unpaired EndUpdate"), QStringLiteral("Rast32_Layers"));
    if (--m_updateDepth == 0 && OnListChanged)
        OnListChanged(this);
}

void TLayerCollection::Clear()
{
    BeginUpdate();
    while (!m_items.empty())
        delete m_items.back();
    EndUpdate();
}

void TLayerCollection::Assign(const TLayerCollection& Source)
{
    if (&Source == this)
        return;
    BeginUpdate();
    while (!m_items.empty())
        delete m_items.back();
    for (const TCustomLayer* l : Source.m_items)
        l->CreateCopy(this);
    EndUpdate();
}

TCustomLayer* TLayerCollection::LayerAt(int X, int Y, std::uint32_t OptionMask) const
{
    for (auto it = m_items.rbegin(); it != m_items.rend(); ++it)
        if (((*it)->LayerOptions & OptionMask) && (*it)->HitTest(X, Y))
            return *it;
    return nullptr;
}

void TLayerCollection::SetMouseListener(TCustomLayer* Layer)
{
    if (Layer == m_listener)
        return;
    if (m_listener)
        m_listener->m_buttons = 0;
    m_listener = Layer;
}

TCustomLayer* TLayerCollection::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomLayer* layer = m_listener ? m_listener : LayerAt(X, Y, loMouseEvents);
    if (Button == mbLeft && layer != m_listener) {
        if (!layer)
            SetMouseListener(nullptr);
        else if (!(layer->LayerOptions & loNoCapture))
            SetMouseListener(layer);
    }
    if (m_listener) {
        m_listener->m_buttons |= buttonBit(Button);
        m_listener->MouseDown(Button, Shift, X, Y);
    }
    return layer;
}

TCustomLayer* TLayerCollection::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomLayer* layer = m_listener ? m_listener : LayerAt(X, Y, loMouseEvents);
    if (layer)
        layer->MouseMove(Shift, X, Y);
    else if (RestoreCursor)
        RestoreCursor();
    return layer;
}

TCustomLayer* TLayerCollection::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomLayer* layer = m_listener ? m_listener : LayerAt(X, Y, loMouseEvents);
    if (layer) {
        layer->m_buttons &= ~buttonBit(Button);
        layer->MouseUp(Button, Shift, X, Y);
    }
    if (m_listener && m_listener->m_buttons == 0)
        SetMouseListener(nullptr);
    return layer;
}

} // namespace zl
