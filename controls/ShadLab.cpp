#include "controls/ShadLab.h"

#include <QEvent>
#include <QPainter>

namespace zl {

QString ShadowLabelText(const QString& caption)
{
    QString s = caption;
    s.replace(u'|', QStringLiteral("\r\n"));
    return s;
}

TShadowLabel::TShadowLabel(QWidget* parent) : QWidget(parent)
{
    // A new label has this size whatever its caption measures.
    m_caption = QStringLiteral("ShadowLabel");
    resize(120, 30);
}

void TShadowLabel::SetCaption(const QString& caption)
{
    if (caption != m_caption) {
        m_caption = caption;
        adjustBounds();
        update();
    }
}

void TShadowLabel::SetColor(TColor c)
{
    if (c != m_color) {
        m_color = c;
        update();
    }
}

void TShadowLabel::SetFontColor(TColor c)
{
    if (c != m_fontColor) {
        m_fontColor = c;
        update();
    }
}

void TShadowLabel::SetTransparent(bool b)
{
    if (b != m_transparent) {
        m_transparent = b;
        update();
    }
}

void TShadowLabel::SetAlignment(TAlignment a)
{
    if (a != m_alignment) {
        m_alignment = a;
        update();
    }
}

void TShadowLabel::SetLayout(TTextLayout layout)
{
    if (layout != m_layout) {
        m_layout = layout;
        update();
    }
}

void TShadowLabel::SetWordWrap(bool b)
{
    if (b != m_wordWrap) {
        m_wordWrap = b;
        adjustBounds();
        update();
    }
}

void TShadowLabel::SetAutoSize(bool b)
{
    if (b != m_autoSize) {
        m_autoSize = b;
        adjustBounds();
        update();
    }
}

void TShadowLabel::SetShadow(int shadow)
{
    if (shadow != m_shadow) {
        m_shadow = shadow;
        update();
    }
}

void TShadowLabel::SetShadowColor(TColor c)
{
    if (c != m_shadowColor) {
        m_shadowColor = c;
        update();
    }
}

void TShadowLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        adjustBounds();
    QWidget::changeEvent(event);
}

// With AutoSize the label takes its text's size (keeping its width when wrapping).
void TShadowLabel::adjustBounds()
{
    if (!m_autoSize)
        return;
    QFont f = font();
    f.setStyleStrategy(QFont::NoAntialias);
    const QSize s = MesseTextblock(f, this, ShadowLabelText(m_caption), std::max(width(), 1), m_wordWrap);
    if (m_wordWrap)
        resize(width(), s.height());
    else
        resize(s);
}

void TShadowLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPalette& pal = palette();
    QRect r = rect();
    if (!m_transparent)
        p.fillRect(r, ZuQColor(m_color, pal));

    QFont f = font();
    f.setStyleStrategy(QFont::NoAntialias);
    const int eigen = f.pointSize() > 0 ? f.pointSize() : 8;
    auto messen = [&](const QString& t, int pt) {
        QFont m = f;
        m.setPointSize(pt);
        return MesseTextblock(m, this, t, r.width(), m_wordWrap);
    };
    const QString text = ShadowLabelText(m_caption);
    m_letzte = {text, eigen};
    if (!m_autoSize)
        m_letzte = PasseTextEin(text, eigen, 7, r.size(), false, messen);
    f.setPointSize(m_letzte.punkte);
    r.translate(0, VertikalVersatz(m_layout, r.height(), messen(m_letzte.text, m_letzte.punkte).height()));

    p.setFont(f);
    if (m_shadow > 0) {
        p.setPen(ZuQColor(m_shadowColor, pal));
        ZeichneTextblock(p, r.translated(m_shadow, m_shadow), m_alignment, m_letzte.text, m_wordWrap);
    }
    p.setPen(ZuQColor(m_fontColor, pal));
    ZeichneTextblock(p, r, m_alignment, m_letzte.text, m_wordWrap);
}

} // namespace zl
