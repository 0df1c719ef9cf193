#pragma once

// The ordered layers an image control draws over its bitmap and asks for the mouse first.
// Neither program has a layer class; the collection fixes the contract the control relies on.

#include "raster/Rast32.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class QWidget;

namespace zl
{

class TCanvas;
class TLayerCollection;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
using TShiftState = unsigned;
enum : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };

// Layer option bits.
enum : std::uint32_t {
    loNoCapture = 1u << 27,   // does not become the mouse listener on a left click
    loMouseEvents = 1u << 29, // takes part in mouse hit tests
    loGDIOverlay = 1u << 30,  // paints over the finished window picture
    loVisible = 1u << 31,     // paints in the standard layers stage
};

// The display transformation of an image control: 16.16 scales, whole-pixel shifts.
struct TDisplayTransform {
    std::int32_t ScaleX = 65536, ScaleY = 65536;
    std::int32_t ShiftX = 0, ShiftY = 0;
    std::int32_t RevScaleX = 65536, RevScaleY = 65536;
    friend bool operator==(const TDisplayTransform&, const TDisplayTransform&) = default;
};

class TCustomLayer
{
  public:
    // Joins Owner (which then owns the layer); nullptr makes a free layer.
    explicit TCustomLayer(TLayerCollection* Owner);
    // Leaves its collection.
    virtual ~TCustomLayer();
    TCustomLayer(const TCustomLayer&) = delete;
    TCustomLayer& operator=(const TCustomLayer&) = delete;

    TLayerCollection* LayerCollection() const { return m_owner; }
    std::uint32_t LayerOptions = 0;
    // Buttons pressed on this layer (bits 0 left, 1 right, 2 middle).
    unsigned ButtonBits() const { return m_buttons; }

    // Own test, then OnHitTest, which may change the answer.
    bool HitTest(int X, int Y);
    // Own painting, then OnPaint with the buffer.
    void PaintLayer(TBitmap32& Buffer);
    virtual void PaintGDI(TCanvas& Canvas);
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    // A new layer of the same class in Into, copying this one.
    virtual TCustomLayer* CreateCopy(TLayerCollection* Into) const = 0;

    std::function<void(TCustomLayer* Sender, int X, int Y, bool& Passed)> OnHitTest;
    std::function<void(TCustomLayer* Sender, TBitmap32& Buffer)> OnPaint;

  protected:
    virtual bool DoHitTest(int X, int Y);
    virtual void Paint(TBitmap32& Buffer);

  private:
    friend class TLayerCollection;
    TLayerCollection* m_owner = nullptr;
    unsigned m_buttons = 0;
};

class TLayerCollection
{
  public:
    // Owner: the image control; Transform: its display transformation (both not owned).
    TLayerCollection(QWidget* Owner, const TDisplayTransform* Transform);
    ~TLayerCollection();
    TLayerCollection(const TLayerCollection&) = delete;
    TLayerCollection& operator=(const TLayerCollection&) = delete;

    QWidget* Owner() const { return m_owner; }
    const TDisplayTransform* Transform() const { return m_transform; }
    int Count() const { return int(m_items.size()); }
    TCustomLayer* Items(int Index) const { return m_items.at(std::size_t(Index)); }

    void BeginUpdate();
    // Throws ERasterAssertion "Unpaired EndUpdate" (of Rast32_Layers) below 0.
    void EndUpdate();
    void Clear();
    void Assign(const TLayerCollection& Source);

    // From the top down, the first layer sharing a bit with OptionMask that accepts the point.
    TCustomLayer* LayerAt(int X, int Y, std::uint32_t OptionMask) const;
    TCustomLayer* MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    TCustomLayer* MouseMove(TShiftState Shift, int X, int Y);
    TCustomLayer* MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);

    bool MouseEvents = true;
    TCustomLayer* MouseListener() const { return m_listener; }
    void SetMouseListener(TCustomLayer* Layer);
    int UpdateDepth() const { return m_updateDepth; }

    std::function<void(TLayerCollection*)> OnListBeginUpdate; // depth 0 -> 1
    std::function<void(TLayerCollection*)> OnListChanged;     // depth back to 0
    std::function<void(TLayerCollection*)> OnGDIUpdate;       // repaint request

    // The owner's cursor restorer, called when the mouse moves over no layer.
    std::function<void()> RestoreCursor;

  private:
    friend class TCustomLayer;
    void insert(TCustomLayer* Layer);
    void remove(TCustomLayer* Layer);

    QWidget* m_owner;
    const TDisplayTransform* m_transform;
    std::vector<TCustomLayer*> m_items;
    TCustomLayer* m_listener = nullptr;
    int m_updateDepth = 0;
};

} // namespace zl
