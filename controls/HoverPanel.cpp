#include "controls/HoverPanel.h"
#include "controls/Zeichnen.h"

#include "controls/Dspez.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace zl {

namespace {

// A raised frame as the class library draws it: per step the left column and the
// top row (without its last pixel) in the light colour, the right column and the
// bottom row (without its first pixel) in the dark one; then one pixel inwards.
void Rahmen3D(QPainter& p, int& x1, int& y1, int& x2, int& y2, const QColor& hell,
              const QColor& dunkel, int breite)
{
    for (int i = 0; i < breite && x2 - x1 > 0 && y2 - y1 > 0; ++i) {
        const int r = x2 - 1;
        const int b = y2 - 1;
        Fuelle(p, x1, y1, x1 + 1, b + 1, hell);
        Fuelle(p, x1, y1, r, y1 + 1, hell);
        Fuelle(p, r, y1, r + 1, b + 1, dunkel);
        Fuelle(p, x1 + 1, b, r + 1, b + 1, dunkel);
        ++x1;
        ++y1;
        --x2;
        --y2;
    }
}

TColor Mische(TColor c1, TColor c2, double t, const QPalette& pal)
{
    // System colours are resolved first: their index bytes are no colour.
    return MischeFarben(ColorToRGB(c1, pal), ColorToRGB(c2, pal), t);
}

void EntferneBlanks(QString& s)
{
    qsizetype a = 0;
    qsizetype e = s.size();
    while (a < e && s[a] == u' ')
        ++a;
    while (e > a && s[e - 1] == u' ')
        --e;
    s = s.mid(a, e - a);
}

} // namespace

// ---- fitting -------------------------------------------------------------------

TextEinpassung PasseTextEin(const QString& text, int punkte, int minPunkte, QSize platz,
                            bool bindestriche, const TextMessung& messen)
{
    if (minPunkte < 1)
        minPunkte = 1;
    auto passt = [&](const QString& t, int pt) {
        const QSize s = messen(t, pt);
        return s.width() <= platz.width() && s.height() <= platz.height();
    };
    TextEinpassung e{text, punkte};
    auto verkleinere = [&] {
        while (!passt(e.text, e.punkte) && e.punkte > minPunkte)
            --e.punkte;
    };
    verkleinere();
    if (bindestriche && !passt(e.text, e.punkte)) {
        e.text.replace(u'-', QStringLiteral("- "));
        e.punkte = punkte;
        verkleinere();
    }
    if (passt(e.text, e.punkte))
        return e;
    QString rest = e.text;
    QString mitEnde = e.text;
    bool geschnitten = false;
    while (!rest.isEmpty() && !passt(mitEnde, e.punkte)) {
        EntferneBlanks(rest);
        const qsizetype blank = rest.lastIndexOf(u' ');
        rest = blank < 0 ? QString() : rest.left(blank);
        mitEnde = rest + (rest.isEmpty() ? QStringLiteral("...") : QStringLiteral(" ..."));
        geschnitten = true;
    }
    if (geschnitten)
        e.text = mitEnde;
    return e;
}

QStringList BrichTextUm(const QString& text, int breite, bool umbruch,
                        const std::function<int(const QString&)>& zeilenBreite)
{
    constexpr QChar Trennstelle(0x00AD); // soft hyphen: a break shown as "-", else nothing
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList absaetze = t.split(u'\n');
    if (!umbruch) {
        for (QString& a : absaetze)
            a.remove(Trennstelle);
        return absaetze;
    }
    QStringList zeilen;
    for (const QString& absatz : absaetze) {
        QString zeile;
        QString stueck;
        QChar vorStueck = u' ';
        bool erstes = true;
        auto nimm = [&] {
            if (erstes) {
                zeile = stueck;
                erstes = false;
            } else {
                const QString probe = zeile + (vorStueck == u' ' ? QStringLiteral(" ") : QString()) + stueck;
                if (zeilenBreite(probe) <= breite) {
                    zeile = probe;
                } else {
                    zeilen.append(vorStueck == u' ' ? zeile : zeile + u'-');
                    zeile = stueck;
                }
            }
        };
        for (QChar c : absatz) {
            if (c == u' ' || c == Trennstelle) {
                nimm();
                vorStueck = c;
                stueck.clear();
            } else {
                stueck += c;
            }
        }
        nimm();
        zeilen.append(zeile);
    }
    return zeilen;
}

namespace {

constexpr int kZeilenFlags = Qt::TextSingleLine | Qt::TextShowMnemonic | Qt::TextExpandTabs;

} // namespace

QSize MesseTextblock(const QFont& font, const QPaintDevice* device, const QString& text, int breite,
                     bool umbruch)
{
    const QFontMetrics fm(font, device);
    auto zeilenBreite = [&](const QString& z) { return fm.size(kZeilenFlags, z).width(); };
    const QStringList zeilen = BrichTextUm(text, breite, umbruch, zeilenBreite);
    int w = 0;
    for (const QString& z : zeilen)
        w = std::max(w, zeilenBreite(z));
    return QSize(w, int(zeilen.size()) * fm.height());
}

void ZeichneTextblock(QPainter& p, const QRect& r, TAlignment ausrichtung, const QString& text,
                      bool umbruch)
{
    const QFontMetrics fm = p.fontMetrics();
    auto zeilenBreite = [&](const QString& z) { return fm.size(kZeilenFlags, z).width(); };
    const int ausr = ausrichtung == taLeftJustify ? Qt::AlignLeft
                   : ausrichtung == taRightJustify ? Qt::AlignRight
                                                   : Qt::AlignHCenter;
    int y = r.top();
    for (const QString& z : BrichTextUm(text, r.width(), umbruch, zeilenBreite)) {
        // Wide lines are aligned like the others and cut by the clip, not shifted.
        const int zw = zeilenBreite(z);
        int x = r.left();
        if (ausr == Qt::AlignRight)
            x = r.left() + r.width() - zw;
        else if (ausr == Qt::AlignHCenter)
            x = r.left() + (r.width() - zw) / 2;
        p.drawText(QRect(x, y, std::max(zw, 1), fm.height()), kZeilenFlags | Qt::AlignLeft | Qt::AlignTop, z);
        y += fm.height();
    }
}

int VertikalVersatz(TTextLayout layout, int platz, int texthoehe)
{
    switch (layout) {
    case tlCenter: return std::max(0, (platz - texthoehe) / 2);
    case tlBottom: return std::max(0, platz - texthoehe);
    default: return 0;
    }
}

TColor HoverFarbe(bool hoverActive, bool mausDrin, bool checked, TColor norm, TColor hover,
                  TColor check)
{
    if (hoverActive && mausDrin)
        return hover;
    return checked ? check : norm;
}

// ---- TPadding --------------------------------------------------------------------

void TPadding::SetSide(int index, int value)
{
    if (index < 0 || index > 3 || m_side[index] == value)
        return;
    m_side[index] = value;
    if (m_onChange)
        m_onChange();
}

void TPadding::Assign(const TPadding& source)
{
    for (int i = 0; i < 4; ++i)
        m_side[i] = source.m_side[i];
    if (m_onChange)
        m_onChange();
}

// ---- THoverPanel -------------------------------------------------------------------

THoverPanel::THoverPanel(QWidget* parent)
    : QWidget(parent), m_padding([this] { update(); })
{
    QFont f = font();
    f.setFamily(QStringLiteral("Arial"));
    f.setPointSize(8);
    setFont(f);
    m_fontColor = m_normFontColor;
    setFocusPolicy(Qt::NoFocus);
    resize(185, 41);
    UpdateColor();
}

void THoverPanel::SetCaption(const QString& caption)
{
    if (caption != m_caption) {
        m_caption = caption;
        update();
    }
}

void THoverPanel::SetColor(TColor c)
{
    if (c != m_color) {
        m_color = c;
        update();
    }
}

void THoverPanel::SetFontColor(TColor c)
{
    if (c != m_fontColor) {
        m_fontColor = c;
        update();
    }
}

void THoverPanel::SetAlignment(TAlignment a)
{
    if (a != m_alignment) {
        m_alignment = a;
        update();
    }
}

void THoverPanel::SetBevelOuter(TBevelCut b)
{
    if (b != m_bevelOuter) {
        m_bevelOuter = b;
        update();
    }
}

void THoverPanel::SetBevelWidth(int w)
{
    if (w >= 1 && w != m_bevelWidth) {
        m_bevelWidth = w;
        update();
    }
}

void THoverPanel::SetBorderWidth(int w)
{
    if (w >= 0 && w != m_borderWidth) {
        m_borderWidth = w;
        update();
    }
}

void THoverPanel::SetTabStop(bool tabStop)
{
    m_tabStop = tabStop;
    setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus);
}

void THoverPanel::SetBorderColor(TColor c)
{
    if (c != m_borderColor) {
        m_borderColor = c;
        update();
    }
}

void THoverPanel::SetNormColor(TColor c) { m_normColor = c; }
void THoverPanel::SetHoverColor(TColor c) { m_hoverColor = c; }

void THoverPanel::SetCheckColor(TColor c)
{
    m_checkColor = c;
    UpdateColor();
}

void THoverPanel::SetNormFontColor(TColor c)
{
    m_normFontColor = c;
    UpdateColor();
}

void THoverPanel::SetCheckFontColor(TColor c)
{
    m_checkFontColor = c;
    UpdateColor();
}

void THoverPanel::SetChecked(bool checked)
{
    if (checked != m_checked) {
        m_checked = checked;
        QFont f = font();
        if (checked) {
            SetFontColor(m_checkFontColor);
            if (m_checkFontBold)
                f.setBold(true);
        } else {
            SetFontColor(m_normFontColor);
            if (m_checkFontBold)
                f.setBold(false);
        }
        setFont(f);
    }
    UpdateColor();
}

void THoverPanel::SetHoverActive(bool b)
{
    m_hoverActive = b;
    UpdateColor();
}

void THoverPanel::SetWordWrap(bool b)
{
    if (b != m_wordWrap) {
        m_wordWrap = b;
        update();
    }
}

void THoverPanel::SetMinFontSize(int size)
{
    if (size != m_minFontSize) {
        m_minFontSize = size;
        update();
    }
}

void THoverPanel::SetFontAutoSize(bool b)
{
    if (b != m_fontAutoSize) {
        m_fontAutoSize = b;
        update();
    }
}

void THoverPanel::SetLayout(TTextLayout layout)
{
    if (layout != m_layout) {
        m_layout = layout;
        update();
    }
}

void THoverPanel::SetBitmap(const QImage& bitmap)
{
    m_bitmap = bitmap.isNull() ? QImage() : bitmap.convertToFormat(QImage::Format_RGB32);
    update();
}

void THoverPanel::SetBitmapLeft(int x)
{
    if (x != m_bitmapLeft) {
        m_bitmapLeft = x;
        update();
    }
}

void THoverPanel::SetBitmapTop(int y)
{
    if (y != m_bitmapTop) {
        m_bitmapTop = y;
        update();
    }
}

void THoverPanel::SetColors(TColor norm, TColor hover, TColor check)
{
    m_normColor = norm;
    m_hoverColor = hover == -1 ? Mische(norm, clWhite, 0.1, palette()) : hover;
    m_checkColor = check;
    UpdateColor();
}

void THoverPanel::UpdateColor()
{
    SetColor(HoverFarbe(m_hoverActive, m_inside, m_checked, m_normColor, m_hoverColor, m_checkColor));
}

void THoverPanel::MausHerein()
{
    if (m_hoverActive) {
        m_inside = true;
        SetColor(m_hoverColor);
    }
    emit OnMouseEnter();
}

void THoverPanel::MausHinaus()
{
    m_inside = false;
    SetColor(m_checked ? m_checkColor : m_normColor);
    emit OnMouseLeave();
}

void THoverPanel::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    MausHerein();
}

void THoverPanel::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    MausHinaus();
}

void THoverPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        if (m_tabStop)
            setFocus(Qt::MouseFocusReason);
        m_pressed = true;
    }
    QWidget::mousePressEvent(event);
}

void THoverPanel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool klick = event->button() == Qt::LeftButton && m_pressed
                    && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_pressed = false;
    QWidget::mouseReleaseEvent(event);
    if (klick)
        emit OnClick();
}

void THoverPanel::keyPressEvent(QKeyEvent* event)
{
    const bool ohneZusatz = (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
    if (m_tabStop && hasFocus() && ohneZusatz
        && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space)) {
        event->accept();
        emit OnClick();
        return;
    }
    QWidget::keyPressEvent(event);
}

void THoverPanel::setFocusFlag(bool on)
{
    if (on != m_focusFlag) {
        m_focusFlag = on;
        update();
    }
}

void THoverPanel::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    setFocusFlag(m_tabStop);
}

void THoverPanel::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        setFocusFlag(false);
}

void THoverPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPalette& pal = palette();
    const int w = width();
    const int h = height();
    const int b = m_borderWidth;
    const QColor farbe = ZuQColor(m_color, pal);

    const QColor rand = ZuQColor(m_borderColor, pal);
    for (int i = 0; i < b; ++i) {
        Fuelle(p, i, i, w - i, i + 1, rand);
        Fuelle(p, i, h - i - 1, w - i, h - i, rand);
        Fuelle(p, i, i, i + 1, h - i, rand);
        Fuelle(p, w - i - 1, i, w - i, h - i, rand);
    }
    int x1 = b, y1 = b, x2 = w - b, y2 = h - b;

    if (m_bevelOuter == bvRaised && m_bevelWidth > 0) {
        const QColor hell = ZuQColor(Mische(clWhite, m_color, 0.2, pal), pal);
        const QColor dunkel = ZuQColor(Mische(clBlack, m_color, 0.75, pal), pal);
        Rahmen3D(p, x1, y1, x2, y2, hell, dunkel, m_bevelWidth);
    }

    const bool bildDeckt = !m_bitmap.isNull() && m_bitmap.width() >= x2 - x1
                        && m_bitmap.height() >= y2 - y1 && m_bitmapLeft <= 0 && m_bitmapTop <= 0;
    if (!bildDeckt)
        Fuelle(p, x1, y1, x2, y2, farbe);
    if (!m_bitmap.isNull() && x2 > x1 && y2 > y1) {
        p.save();
        p.setClipRect(QRect(x1 + m_bitmapLeft, y1 + m_bitmapTop, x2 - x1, y2 - y1));
        p.drawImage(QPoint(x1 + m_bitmapLeft, y1 + m_bitmapTop), m_bitmap,
                    QRect(b, b, x2 - x1, y2 - y1));
        p.restore();
    }

    QRect textFeld(QPoint(x1 + m_padding.Left(), y1 + m_padding.Top()),
                   QPoint(x2 - m_padding.Right() - 1, y2 - m_padding.Bottom() - 1));
    QFont f = font();
    f.setStyleStrategy(QFont::NoAntialias);
    const int eigen = f.pointSize() > 0 ? f.pointSize() : 8;
    const int breite = textFeld.width();
    auto messen = [&](const QString& t, int pt) {
        QFont m = f;
        m.setPointSize(pt);
        return MesseTextblock(m, this, t, breite, m_wordWrap);
    };
    m_letzte = {m_caption, eigen};
    if (textFeld.width() > 0 && textFeld.height() > 0) {
        if (m_fontAutoSize)
            m_letzte = PasseTextEin(m_caption, eigen, m_minFontSize, textFeld.size(), true, messen);
        f.setPointSize(m_letzte.punkte);
        if (m_layout != tlTop)
            textFeld.translate(0, VertikalVersatz(m_layout, textFeld.height(),
                                                  messen(m_letzte.text, m_letzte.punkte).height()));
        p.save();
        p.setClipRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)));
        p.setFont(f);
        p.setPen(ZuQColor(m_fontColor, pal));
        ZeichneTextblock(p, textFeld, m_alignment, m_letzte.text, m_wordWrap);
        p.restore();
    }

    if (m_checked) {
        if (m_xpCheck) {
            Fuelle(p, b, b, w - b, b + 1, QColor(0xE6, 0x8B, 0x2C));
            Fuelle(p, b, b + 1, w - b, b + 3, QColor(0xFF, 0xC7, 0x3C));
        } else {
            Fuelle(p, b, b, w - b, b + 2, ZuQColor(Mische(m_normColor, clWhite, 0.5, pal), pal));
        }
    }

    if (m_focusFlag && m_tabStop && isEnabled())
        FokusRahmen(p, 2, 2, w - 2, h - 2);
}

// ---- THoverShape -------------------------------------------------------------------

THoverShape::THoverShape(QWidget* parent) : QWidget(parent)
{
    resize(65, 65);
}

void THoverShape::SetShape(TShapeType shape)
{
    if (shape != m_shape) {
        m_shape = shape;
        update();
    }
}

void THoverShape::SetPen(const TPen& pen)
{
    m_pen = pen;
    update();
}

void THoverShape::SetBrush(const TBrush& brush)
{
    m_brush = brush;
    update();
}

void THoverShape::MausHerein()
{
    m_inside = true;
    emit OnMouseEnter();
}

void THoverShape::MausHinaus()
{
    m_inside = false;
    emit OnMouseLeave();
}

void THoverShape::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    MausHerein();
}

void THoverShape::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    MausHinaus();
}

void THoverShape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPalette& pal = palette();
    const int pw = m_pen.Style == psClear ? 0 : std::max(1, m_pen.Width);
    int x = pw / 2;
    int y = pw / 2;
    int w = width() - pw + 1;
    int h = height() - pw + 1;
    if (m_shape == stSquare || m_shape == stRoundSquare || m_shape == stCircle) {
        const int s = std::min(w, h);
        x += (w - s) / 2;
        y += (h - s) / 2;
        w = h = s;
    }
    if (m_brush.Style == bsClear)
        p.setBrush(Qt::NoBrush);
    else
        p.setBrush(ZuQColor(m_brush.Color, pal));
    if (pw == 0) {
        p.setPen(Qt::NoPen);
    } else {
        QPen pen(ZuQColor(m_pen.Color, pal), pw);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
    }
    // A pen of width 1 outlines X..X+W-1 as GDI does.
    const QRect r(x, y, std::max(0, w - 1), std::max(0, h - 1));
    switch (m_shape) {
    case stRoundRect:
    case stRoundSquare: {
        const int rad = std::min(w, h) / 4;
        p.drawRoundedRect(r, rad, rad);
        break;
    }
    case stEllipse:
    case stCircle: p.drawEllipse(r); break;
    default: p.drawRect(r); break;
    }
}

} // namespace zl
