#pragma once

// Small controls of the map selection and the learning map: a picture area, the red
// highlight and section rectangles, the mini-map mark and the pointer arrow.

#include <QImage>
#include <QWidget>

#include <functional>

namespace zl
{

// Shows a picture, centred or at the top-left corner, unscaled; reports presses and moves.
class TBildFlaeche : public QWidget
{
  public:
    explicit TBildFlaeche(QWidget* parent = nullptr, bool Zentriert = true);
    void SetBild(const QImage& Bild);
    const QImage& Bild() const { return m_bild; }
    // The picture's rectangle inside the control.
    QRect BildRect() const;
    std::function<void(QMouseEvent*)> OnMausDruck;
    std::function<void(QMouseEvent*)> OnMausBewegung;
    std::function<void()> OnMausVerlassen;

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent*) override;

  private:
    QImage m_bild;
    bool m_zentriert;
};

// A rectangle outline with a clear inside that lets the mouse through.
class TRahmenForm : public QWidget
{
  public:
    TRahmenForm(QWidget* parent, const QColor& Farbe, int Stiftbreite);

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    QColor m_farbe;
    int m_breite;
};

// The 5 x 5 red circle of the mini-map.
class TMiniMarke : public QWidget
{
  public:
    explicit TMiniMarke(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent*) override;
};

// The 32 x 32 pointer arrow; its bottom-right corner marks the point.
class TZeigerPfeil : public QWidget
{
  public:
    explicit TZeigerPfeil(QWidget* parent);
    // Places the bottom-right corner at the point and shows the arrow.
    void Zeige(const QPoint& Spitze);

  protected:
    void paintEvent(QPaintEvent*) override;
};

} // namespace zl
