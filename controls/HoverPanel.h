#pragma once

#include "controls/Farben.h"

#include <QImage>
#include <QSize>
#include <QWidget>

#include <functional>

class QPainter;
class QPaintDevice;

namespace zl {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// ---- Caption fitting (headless) ------------------------------------------------

// Measures a text at a font size in points: the size of its drawn block.
using TextMessung = std::function<QSize(const QString& text, int punkte)>;

struct TextEinpassung {
    QString text; // the text to draw (cut with " ..." / "..." when words had to go)
    int punkte = 0; // the font size to draw with
};

// The caption fitting of the panels and labels. "Fits" means the measured text is
// neither wider nor higher than `platz`.
//  1. While it does not fit and the size is above `minPunkte`, the size goes down by 1.
//  2. With `bindestriche`, when it still does not fit: every "-" becomes "- ", the
//     size returns to `punkte` and step 1 runs again.
//  3. While it still does not fit and the text is not empty: blanks at both ends
//     go, the text is cut before its last blank (or to nothing), and it is measured
//     with " ..." appended ("..." when nothing is left).
// `minPunkte` below 1 counts as 1, so the size never reaches 0.
TextEinpassung PasseTextEin(const QString& text, int punkte, int minPunkte, QSize platz,
                            bool bindestriche, const TextMessung& messen);

// The lines of a text as the panels and labels draw it: broken at line ends (CR LF
// or LF) and, with `umbruch`, at blanks where a line would get wider than `breite`
// (`zeilenBreite` measures a line). A word wider than that is never split, and
// hyphens are no break points; a soft hyphen (U+00AD) is one, shown as "-" at the
// end of its line and dropped elsewhere.
QStringList BrichTextUm(const QString& text, int breite, bool umbruch,
                        const std::function<int(const QString&)>& zeilenBreite);

// Size of a text block and its drawing, in a font, with those line breaks; "&"
// marks a mnemonic, tabs are expanded. The block's lines are aligned within `r`.
QSize MesseTextblock(const QFont& font, const QPaintDevice* device, const QString& text, int breite,
                     bool umbruch);
void ZeichneTextblock(QPainter& p, const QRect& r, TAlignment ausrichtung, const QString& text,
                      bool umbruch);

// Vertical offset of a text block of height `texthoehe` in a height `platz`.
int VertikalVersatz(TTextLayout layout, int platz, int texthoehe);

// The colour a hover panel shows.
TColor HoverFarbe(bool hoverActive, bool mausDrin, bool checked, TColor norm, TColor hover,
                  TColor check);

// ---- TPadding -------------------------------------------------------------------

// Inner margins of a hover panel; every change notifies the owner.
class TPadding {
public:
    explicit TPadding(std::function<void()> onChange = {}) : m_onChange(std::move(onChange)) {}

    int Left() const { return m_side[0]; }
    int Top() const { return m_side[1]; }
    int Right() const { return m_side[2]; }
    int Bottom() const { return m_side[3]; }
    void SetLeft(int v) { SetSide(0, v); }
    void SetTop(int v) { SetSide(1, v); }
    void SetRight(int v) { SetSide(2, v); }
    void SetBottom(int v) { SetSide(3, v); }
    // Index 0 left, 1 top, 2 right, 3 bottom; other indexes are ignored.
    int Side(int index) const { return index >= 0 && index < 4 ? m_side[index] : 0; }
    void SetSide(int index, int value);
    // Copies the four sides and notifies.
    void Assign(const TPadding& source);

private:
    int m_side[4] = {0, 0, 0, 0};
    std::function<void()> m_onChange;
};

// ---- THoverPanel -----------------------------------------------------------------

// A panel that works as a flat button: its colour follows the mouse and the checked
// state, its caption is fitted into it, and it can show a bitmap as its face.
class THoverPanel : public QWidget {
    Q_OBJECT

public:
    explicit THoverPanel(QWidget* parent = nullptr);

    // The panel's own properties.
    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    TColor Color() const { return m_color; }
    void SetColor(TColor c);
    TColor FontColor() const { return m_fontColor; }
    void SetFontColor(TColor c);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment a);
    TBevelCut BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TBevelCut b);
    int BevelWidth() const { return m_bevelWidth; }
    void SetBevelWidth(int w);
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int w);
    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool tabStop);

    TPadding& Padding() { return m_padding; }
    const TPadding& Padding() const { return m_padding; }

    TColor BorderColor() const { return m_borderColor; }
    void SetBorderColor(TColor c);
    TColor NormColor() const { return m_normColor; }
    void SetNormColor(TColor c);
    TColor HoverColor() const { return m_hoverColor; }
    void SetHoverColor(TColor c);
    TColor CheckColor() const { return m_checkColor; }
    void SetCheckColor(TColor c);
    TColor NormFontColor() const { return m_normFontColor; }
    void SetNormFontColor(TColor c);
    TColor CheckFontColor() const { return m_checkFontColor; }
    void SetCheckFontColor(TColor c);
    bool CheckFontBold() const { return m_checkFontBold; }
    void SetCheckFontBold(bool b) { m_checkFontBold = b; }
    bool Checked() const { return m_checked; }
    void SetChecked(bool checked);
    bool XPCheck() const { return m_xpCheck; }
    void SetXPCheck(bool b) { m_xpCheck = b; }
    bool HoverActive() const { return m_hoverActive; }
    void SetHoverActive(bool b);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool b);
    int MinFontSize() const { return m_minFontSize; }
    void SetMinFontSize(int size);
    bool FontAutoSize() const { return m_fontAutoSize; }
    void SetFontAutoSize(bool b);
    TTextLayout Layout() const { return m_layout; }
    void SetLayout(TTextLayout layout);
    const QImage& Bitmap() const { return m_bitmap; }
    void SetBitmap(const QImage& bitmap);
    int BitmapLeft() const { return m_bitmapLeft; }
    void SetBitmapLeft(int x);
    int BitmapTop() const { return m_bitmapTop; }
    void SetBitmapTop(int y);

    // Normal, hover and check colour at once; a hover colour of -1 becomes the
    // normal colour mixed with 10 % white.
    void SetColors(TColor norm, TColor hover, TColor check);
    // Color := hover, check or normal colour, by the mouse and the checked state.
    void UpdateColor();

    bool MouseInside() const { return m_inside; }
    // The text and font size the last paint used after fitting.
    const TextEinpassung& LetzteEinpassung() const { return m_letzte; }
    // Mouse entering and leaving as the window system reports them.
    void MausHerein();
    void MausHinaus();

signals:
    void OnClick();
    void OnMouseEnter();
    void OnMouseLeave();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void setFocusFlag(bool on);

    QString m_caption;
    TColor m_color = clBtnFace;
    TColor m_fontColor = clBlack;
    TAlignment m_alignment = taCenter;
    TBevelCut m_bevelOuter = bvRaised;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    bool m_tabStop = false;
    TPadding m_padding;
    TColor m_borderColor = clBlack;
    TColor m_normColor = clBtnFace;
    TColor m_hoverColor = clYellow;
    TColor m_checkColor = clWhite;
    TColor m_normFontColor = clBlack;
    TColor m_checkFontColor = clBlack;
    bool m_checkFontBold = false;
    bool m_checked = false;
    bool m_xpCheck = true;
    bool m_hoverActive = true;
    bool m_wordWrap = false;
    int m_minFontSize = 7;
    bool m_fontAutoSize = false;
    TTextLayout m_layout = tlCenter;
    QImage m_bitmap;
    int m_bitmapLeft = 0;
    int m_bitmapTop = 0;
    bool m_inside = false;
    bool m_focusFlag = false;
    bool m_pressed = false;
    TextEinpassung m_letzte;
};

// ---- THoverShape -------------------------------------------------------------------

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

// A shape (outline with the pen, interior with the brush) that reports the mouse
// entering and leaving it.
class THoverShape : public QWidget {
    Q_OBJECT

public:
    explicit THoverShape(QWidget* parent = nullptr);

    TShapeType Shape() const { return m_shape; }
    void SetShape(TShapeType shape);
    TPen Pen() const { return m_pen; }
    void SetPen(const TPen& pen);
    TBrush Brush() const { return m_brush; }
    void SetBrush(const TBrush& brush);

    bool MouseInside() const { return m_inside; }
    void MausHerein();
    void MausHinaus();

signals:
    void OnMouseEnter();
    void OnMouseLeave();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    TShapeType m_shape = stRectangle;
    TPen m_pen;
    TBrush m_brush;
    bool m_inside = false;
};

} // namespace zl
