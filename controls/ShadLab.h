#pragma once

#include "controls/Farben.h"
#include "controls/HoverPanel.h"

#include <QWidget>

namespace zl {

// The label's text: every "|" becomes a line break (CR LF).
QString ShadowLabelText(const QString& caption);

// A label with a drop shadow, "|" line breaks and, unless AutoSize, a caption that
// fits itself into the label (down to 7 points, then words cut with an ellipsis).
class TShadowLabel : public QWidget {
    Q_OBJECT

public:
    explicit TShadowLabel(QWidget* parent = nullptr);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    TColor Color() const { return m_color; }
    void SetColor(TColor c);
    TColor FontColor() const { return m_fontColor; }
    void SetFontColor(TColor c);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool b);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment a);
    TTextLayout Layout() const { return m_layout; }
    void SetLayout(TTextLayout layout);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool b);
    // On: the label takes the size of its text (no fitting). Off: the text is fitted.
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool b);

    // Offset of the shadow to the right and down; 0 or less: no shadow.
    int Shadow() const { return m_shadow; }
    void SetShadow(int shadow);
    TColor ShadowColor() const { return m_shadowColor; }
    void SetShadowColor(TColor c);

    // The text and size the last paint used after fitting.
    const TextEinpassung& LetzteEinpassung() const { return m_letzte; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void adjustBounds();

    QString m_caption;
    TColor m_color = clBtnFace;
    TColor m_fontColor = clWindowText;
    bool m_transparent = false;
    TAlignment m_alignment = taLeftJustify;
    TTextLayout m_layout = tlTop;
    bool m_wordWrap = false;
    bool m_autoSize = true;
    int m_shadow = 1;
    TColor m_shadowColor = clBlack;
    TextEinpassung m_letzte;
};

} // namespace zl
