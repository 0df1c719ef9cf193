#include "platform/Canvas.h"

#include "platform/Metafile.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPalette>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace zl
{

namespace
{

// The classic Windows colours ($00BBGGRR) for the COLOR_ indexes 0..30.
constexpr TColor kClassicSysColors[31] = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000, 0x000000, 0x000000, 0xB4B4B4,
    0xFCF7F4, 0xABABAB, 0xD77800, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969,
    0xE3E3E3, 0x000000, 0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xD77800, 0xF0F0F0,
};

TColor fromQColor(const QColor& c)
{
    return TColor(c.red() | (c.green() << 8) | (c.blue() << 16));
}

Qt::PenStyle qtPenStyle(TPenStyle s)
{
    switch (s) {
    case psDash:
        return Qt::DashLine;
    case psDot:
        return Qt::DotLine;
    case psDashDot:
        return Qt::DashDotLine;
    case psDashDotDot:
        return Qt::DashDotDotLine;
    case psClear:
        return Qt::NoPen;
    case psSolid:
    case psInsideFrame:
        break;
    }
    return Qt::SolidLine;
}

Qt::BrushStyle qtBrushStyle(TBrushStyle s)
{
    switch (s) {
    case bsClear:
        return Qt::NoBrush;
    case bsHorizontal:
        return Qt::HorPattern;
    case bsVertical:
        return Qt::VerPattern;
    case bsFDiagonal:
        return Qt::FDiagPattern;
    case bsBDiagonal:
        return Qt::BDiagPattern;
    case bsCross:
        return Qt::CrossPattern;
    case bsDiagCross:
        return Qt::DiagCrossPattern;
    case bsSolid:
        break;
    }
    return Qt::SolidPattern;
}

// "&&" stands for "&"; a single "&" marks the access key and is not shown.
QString stripPrefix(const QString& s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'&') {
            if (i + 1 < s.size() && s[i + 1] == u'&') {
                out += u'&';
                ++i;
            }
            continue;
        }
        out += s[i];
    }
    return out;
}

void aufnehmen(TCanvas& C, TMetaRecord Datensatz)
{
    C.Recorder()->Zeichne(C, std::move(Datensatz));
    if (C.OnChange)
        C.OnChange();
}

// DrawText on a recording canvas: each line as a text record at the top-left, inside the
// rectangle's clip unless DT_NOCLIP.
void nimmZeilenAuf(TCanvas& C, const QStringList& Lines, const QRect& R, unsigned Format, int Y, int lh,
                   const QFontMetrics& Fm)
{
    const bool clipAktiv = C.Recorder()->ClipAktiv();
    const QRect clip = C.Recorder()->ClipRect();
    if (!(Format & DT_NOCLIP))
        C.Recorder()->SetzeClip(true, clipAktiv ? clip.intersected(R) : R);
    const unsigned align = C.TextAlign();
    C.SetTextAlign(TA_LEFT | TA_TOP);
    for (const QString& l : Lines) {
        const int w = Fm.horizontalAdvance(l);
        int x = R.left();
        if (Format & DT_CENTER)
            x = R.left() + (R.width() - w) / 2;
        else if (Format & DT_RIGHT)
            x = R.left() + R.width() - w;
        if (!l.isEmpty())
            C.Recorder()->Zeichne(C, MfText{QPoint(x, Y), l, w, {}, clWhite});
        Y += lh;
    }
    C.SetTextAlign(align);
    if (!(Format & DT_NOCLIP))
        C.Recorder()->SetzeClip(clipAktiv, clip);
    if (C.OnChange)
        C.OnChange();
}

} // namespace

TColor GetSysColor(int Index)
{
    if (Index < 0 || Index > 30)
        return 0;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        const QPalette p = QGuiApplication::palette();
        switch (Index) {
        case 5:
            return fromQColor(p.color(QPalette::Active, QPalette::Base));
        case 8:
            return fromQColor(p.color(QPalette::Active, QPalette::Text));
        case 13:
            return fromQColor(p.color(QPalette::Active, QPalette::Highlight));
        case 14:
            return fromQColor(p.color(QPalette::Active, QPalette::HighlightedText));
        case 15:
            return fromQColor(p.color(QPalette::Active, QPalette::Button));
        case 16:
            return fromQColor(p.color(QPalette::Active, QPalette::Dark));
        case 17:
            return fromQColor(p.color(QPalette::Disabled, QPalette::Text));
        case 18:
            return fromQColor(p.color(QPalette::Active, QPalette::ButtonText));
        case 20:
            return fromQColor(p.color(QPalette::Active, QPalette::Light));
        case 21:
            return fromQColor(p.color(QPalette::Active, QPalette::Shadow));
        case 22:
            return fromQColor(p.color(QPalette::Active, QPalette::Midlight));
        case 23:
            return fromQColor(p.color(QPalette::Active, QPalette::ToolTipText));
        case 24:
            return fromQColor(p.color(QPalette::Active, QPalette::ToolTipBase));
        default:
            break;
        }
    }
    return kClassicSysColors[Index];
}

TColor ColorToRGB(TColor Color)
{
    if (Color < 0)
        return GetSysColor(Color & 0xFF);
    return Color & 0xFFFFFF;
}

QColor ColorToQColor(TColor Color)
{
    const TColor c = ColorToRGB(Color);
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

TCanvas::TCanvas(QPainter* Painter) : m_painter(Painter) {}

TCanvas::TCanvas(QPaintDevice* Device) : m_ownPainter(std::make_unique<QPainter>(Device))
{
    m_painter = m_ownPainter.get();
}

TCanvas::TCanvas(TMetafileRecorder* Recorder) : m_recorder(Recorder) {}

TCanvas::~TCanvas()
{
    if (m_ownPainter && m_ownPainter->isActive())
        m_ownPainter->end();
}

bool TCanvas::IsActive() const
{
    if (m_recorder)
        return !m_recorder->Beendet();
    return m_painter && m_painter->isActive();
}

int TCanvas::PixelsPerInch() const
{
    if (m_recorder)
        return 96;
    if (m_painter && m_painter->device()) {
        const int dpi = m_painter->device()->logicalDpiY();
        if (dpi > 0)
            return dpi;
    }
    return 96;
}

void TCanvas::SetFontSize(int Points)
{
    Font.Height = -int(std::lround(double(Points) * PixelsPerInch() / 72.0));
}

int TCanvas::FontSize() const
{
    int h = Font.Height;
    if (h > 0) {
        const QFontMetrics fm(ResolvedFont(), m_painter ? m_painter->device() : nullptr);
        h = -(fm.ascent() + fm.descent() - fm.leading());
    }
    if (h == 0)
        return 8;
    return -int(std::lround(double(h) * 72.0 / PixelsPerInch()));
}

QFont TCanvas::ResolvedFont() const
{
    if (m_resolvedValid && m_resolvedSpec == Font)
        return m_resolvedFont;
    QFont f(Font.Name);
    f.setBold(Font.Style & fsBold);
    f.setItalic(Font.Style & fsItalic);
    f.setUnderline(Font.Style & fsUnderline);
    f.setStrikeOut(Font.Style & fsStrikeOut);
    int h = Font.Height;
    if (h == 0)
        h = -int(std::lround(8.0 * PixelsPerInch() / 72.0));
    if (h < 0) {
        f.setPixelSize(-h);
    } else {
        // Cell height: find the em size whose ascent + descent makes h.
        QFont probe = f;
        probe.setPixelSize(200);
        const QFontMetricsF fm(probe, m_painter ? m_painter->device() : nullptr);
        const double cell = fm.ascent() + fm.descent();
        f.setPixelSize(std::max(1, int(std::lround(h * 200.0 / (cell > 0 ? cell : 200.0)))));
    }
    const QFontMetrics fm(f, m_painter ? m_painter->device() : nullptr);
    m_resolvedAscent = fm.ascent();
    m_resolvedDescent = fm.descent();
    if (h > 0) {
        // The em size comes from fractional metrics, but ascent and descent are each rounded
        // to whole pixels and may add up to h + 1: the descent takes the rest of h, so the
        // cell asked for is the cell every line steps by.
        m_resolvedAscent = std::min(m_resolvedAscent, h);
        m_resolvedDescent = h - m_resolvedAscent;
    }
    m_resolvedSpec = Font;
    m_resolvedFont = f;
    m_resolvedValid = true;
    return f;
}

void TCanvas::applyPen(bool forOutline)
{
    if (!forOutline || Pen.Style == psClear) {
        m_painter->setPen(Qt::NoPen);
        return;
    }
    QPen p(ColorToQColor(Pen.Color));
    p.setWidth(std::max(1, Pen.Width));
    p.setStyle(qtPenStyle(Pen.Style));
    p.setCapStyle(Qt::FlatCap);
    p.setJoinStyle(Qt::MiterJoin);
    m_painter->setPen(p);
}

void TCanvas::applyBrush()
{
    if (Brush.Style == bsClear)
        m_painter->setBrush(Qt::NoBrush);
    else
        m_painter->setBrush(QBrush(ColorToQColor(Brush.Color), qtBrushStyle(Brush.Style)));
}

void TCanvas::changed()
{
    if (OnChange)
        OnChange();
}

void TCanvas::MoveTo(int X, int Y)
{
    m_penPos = QPoint(X, Y);
}

void TCanvas::LineTo(int X, int Y)
{
    const QPoint from = m_penPos;
    m_penPos = QPoint(X, Y);
    if (!IsActive() || from == m_penPos || Pen.Style == psClear)
        return;
    if (m_recorder)
        return aufnehmen(*this, MfLine{from, m_penPos});
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    applyPen(true);
    if (Pen.Width <= 1 && Pen.Style == psSolid) {
        // One pixel per step of the major axis, the end point left out.
        const int dx = X - from.x(), dy = Y - from.y();
        const int n = std::max(std::abs(dx), std::abs(dy));
        const QColor c = ColorToQColor(Pen.Color);
        for (int i = 0; i < n; ++i) {
            const int px = from.x() + int(std::floor(double(dx) * i / n + 0.5));
            const int py = from.y() + int(std::floor(double(dy) * i / n + 0.5));
            m_painter->fillRect(px, py, 1, 1, c);
        }
    } else {
        m_painter->drawLine(QPointF(from) + QPointF(0.5, 0.5), QPointF(m_penPos) + QPointF(0.5, 0.5));
    }
    changed();
}

void TCanvas::Polyline(const QPolygon& Points)
{
    if (Points.isEmpty())
        return;
    if (m_recorder) {
        if (IsActive() && Points.size() > 1 && Pen.Style != psClear)
            aufnehmen(*this, MfPolyline{Points});
        return;
    }
    const QPoint keep = m_penPos;
    MoveTo(Points[0].x(), Points[0].y());
    for (qsizetype i = 1; i < Points.size(); ++i)
        LineTo(Points[i].x(), Points[i].y());
    m_penPos = keep;
}

void TCanvas::Polygon(const QPolygon& Points)
{
    if (!IsActive() || Points.size() < 2)
        return;
    if (m_recorder)
        return aufnehmen(*this, MfPolygon{Points});
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    applyPen(false);
    applyBrush();
    m_painter->drawPolygon(Points, Qt::OddEvenFill);
    if (Pen.Style != psClear) {
        QPolygonF outline;
        for (const QPoint& p : Points)
            outline << QPointF(p) + QPointF(0.5, 0.5);
        applyPen(true);
        m_painter->setBrush(Qt::NoBrush);
        m_painter->drawPolygon(outline);
    }
    changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2)
{
    if (!IsActive())
        return;
    if (X2 < X1)
        std::swap(X1, X2);
    if (Y2 < Y1)
        std::swap(Y1, Y2);
    if (X2 - X1 < 1 || Y2 - Y1 < 1)
        return;
    if (m_recorder)
        return aufnehmen(*this, MfRectangle{QRect(X1, Y1, X2 - X1, Y2 - Y1)});
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    if (Pen.Style == psClear) {
        // Without a pen GDI fills one pixel less to the right and bottom.
        if (Brush.Style != bsClear && X2 - X1 > 1 && Y2 - Y1 > 1)
            m_painter->fillRect(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1),
                                QBrush(ColorToQColor(Brush.Color), qtBrushStyle(Brush.Style)));
        changed();
        return;
    }
    const int w = std::max(1, Pen.Width);
    if (Brush.Style != bsClear)
        m_painter->fillRect(QRect(X1, Y1, X2 - X1, Y2 - Y1),
                            QBrush(ColorToQColor(Brush.Color), qtBrushStyle(Brush.Style)));
    if (Pen.Style == psSolid || Pen.Style == psInsideFrame) {
        // Solid frames as four bands: inside the rectangle for a thin or inside-frame pen,
        // centred on the outline for a wide one.
        const int in = Pen.Style == psInsideFrame ? 0 : (w - 1) / 2;
        const QRect o(X1 - in, Y1 - in, X2 - X1 + 2 * in, Y2 - Y1 + 2 * in);
        const QColor c = ColorToQColor(Pen.Color);
        const int t = std::min({w, (o.width() + 1) / 2, (o.height() + 1) / 2});
        m_painter->fillRect(QRect(o.left(), o.top(), o.width(), t), c);
        m_painter->fillRect(QRect(o.left(), o.bottom() - t + 1, o.width(), t), c);
        m_painter->fillRect(QRect(o.left(), o.top() + t, t, o.height() - 2 * t), c);
        m_painter->fillRect(QRect(o.right() - t + 1, o.top() + t, t, o.height() - 2 * t), c);
    } else {
        applyPen(true);
        m_painter->setBrush(Qt::NoBrush);
        m_painter->drawRect(QRectF(X1 + 0.5, Y1 + 0.5, X2 - X1 - 1, Y2 - Y1 - 1));
    }
    changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2)
{
    if (!IsActive() || X2 == X1 || Y2 == Y1)
        return;
    if (m_recorder)
        return aufnehmen(*this, MfEllipse{QRect(QPoint(std::min(X1, X2), std::min(Y1, Y2)),
                                                QSize(std::abs(X2 - X1), std::abs(Y2 - Y1)))});
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    applyPen(true);
    applyBrush();
    m_painter->drawEllipse(
        QRectF(std::min(X1, X2) + 0.5, std::min(Y1, Y2) + 0.5, std::abs(X2 - X1) - 1, std::abs(Y2 - Y1) - 1));
    changed();
}

void TCanvas::FillRect(int X1, int Y1, int X2, int Y2)
{
    if (!IsActive() || Brush.Style == bsClear || X2 <= X1 || Y2 <= Y1)
        return;
    if (m_recorder)
        return aufnehmen(*this, MfFillRect{QRect(X1, Y1, X2 - X1, Y2 - Y1)});
    m_painter->fillRect(QRect(X1, Y1, X2 - X1, Y2 - Y1), QBrush(ColorToQColor(Brush.Color), qtBrushStyle(Brush.Style)));
    changed();
}

void TCanvas::FrameRect(int X1, int Y1, int X2, int Y2)
{
    if (!IsActive() || X2 <= X1 || Y2 <= Y1)
        return;
    if (m_recorder)
        return aufnehmen(*this, MfFrameRect{QRect(X1, Y1, X2 - X1, Y2 - Y1)});
    const QColor c = ColorToQColor(Brush.Color);
    m_painter->fillRect(QRect(X1, Y1, X2 - X1, 1), c);
    m_painter->fillRect(QRect(X1, Y2 - 1, X2 - X1, 1), c);
    m_painter->fillRect(QRect(X1, Y1, 1, Y2 - Y1), c);
    m_painter->fillRect(QRect(X2 - 1, Y1, 1, Y2 - Y1), c);
    changed();
}

void TCanvas::DrawFocusRect(int X1, int Y1, int X2, int Y2)
{
    // Inverting has no meaning in a recording: nothing is recorded.
    if (!IsActive() || X2 <= X1 || Y2 <= Y1 || m_recorder)
        return;
    m_painter->save();
    const bool raster = m_painter->paintEngine() && m_painter->paintEngine()->type() == QPaintEngine::Raster;
    if (raster)
        m_painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QColor c = raster ? QColor(255, 255, 255) : QColor(128, 128, 128);
    // Every other pixel of the frame, counted around from the top-left corner.
    auto dot = [&](int x, int y) { m_painter->fillRect(x, y, 1, 1, c); };
    for (int x = X1; x < X2; x += 2)
        dot(x, Y1);
    if (Y2 - 1 > Y1)
        for (int x = X1 + ((Y2 - 1 - Y1) & 1); x < X2; x += 2)
            dot(x, Y2 - 1);
    for (int y = Y1 + 2; y < Y2 - 1; y += 2)
        dot(X1, y);
    if (X2 - 1 > X1)
        for (int y = Y1 + 2 - ((X2 - 1 - X1) & 1); y < Y2 - 1; y += 2)
            if (y > Y1)
                dot(X2 - 1, y);
    m_painter->restore();
    changed();
}

int TCanvas::FontAscent() const
{
    ResolvedFont();
    return m_resolvedAscent;
}

int TCanvas::FontDescent() const
{
    ResolvedFont();
    return m_resolvedDescent;
}

int TCanvas::TextWidth(const QString& Text) const
{
    return QFontMetrics(ResolvedFont(), m_painter ? m_painter->device() : nullptr).horizontalAdvance(Text);
}

int TCanvas::TextHeight(const QString&) const
{
    return FontAscent() + FontDescent();
}

QSize TCanvas::TextExtent(const QString& Text) const
{
    return QSize(TextWidth(Text), TextHeight(Text));
}

void TCanvas::TextOut(int X, int Y, const QString& Text)
{
    TextOut(X, Y, Text, {}, clWhite);
}

void TCanvas::TextOut(int X, int Y, const QString& Text, std::span<const QPoint> Rand, TColor Randfarbe)
{
    if (!IsActive())
        return;
    const QFont f = ResolvedFont();
    const QFontMetrics fm(f, m_painter ? m_painter->device() : nullptr);
    const int w = fm.horizontalAdvance(Text);
    const int asc = FontAscent(), desc = FontDescent();
    QPoint ref(X, Y);
    if (m_textAlign & TA_UPDATECP)
        ref = m_penPos;
    auto weiter = [&] {
        if (m_textAlign & TA_UPDATECP) {
            if ((m_textAlign & 6) == TA_LEFT)
                m_penPos.rx() += w;
            else if ((m_textAlign & 6) == TA_RIGHT)
                m_penPos.rx() -= w;
        }
    };
    if (m_recorder) {
        MfText t{ref, Text, w, {}, Randfarbe};
        t.Rand.assign(Rand.begin(), Rand.end());
        aufnehmen(*this, std::move(t));
        weiter();
        return;
    }
    int dx = 0;
    switch (m_textAlign & 6) {
    case TA_CENTER:
        dx = -w / 2;
        break;
    case TA_RIGHT:
        dx = -w;
        break;
    default:
        break;
    }
    int top = 0; // relative to the reference point
    switch (m_textAlign & 24) {
    case TA_BASELINE:
        top = -asc;
        break;
    case TA_BOTTOM:
        top = -(asc + desc);
        break;
    default:
        break;
    }
    auto zeichne = [&](QPoint p, TColor Farbe) {
        m_painter->save();
        m_painter->setFont(f);
        m_painter->translate(p);
        if (Font.Orientation != 0)
            m_painter->rotate(-Font.Orientation / 10.0);
        if (Brush.Style != bsClear)
            m_painter->fillRect(QRect(dx, top, w, asc + desc), ColorToQColor(Brush.Color));
        m_painter->setPen(ColorToQColor(Farbe));
        m_painter->drawText(QPoint(dx, top + asc), Text);
        m_painter->restore();
    };
    for (const QPoint& v : Rand)
        zeichne(ref + v, Randfarbe);
    zeichne(ref, Font.Color);
    weiter();
    changed();
}

QStringList TCanvas::WrapText(const QString& Text, int Width) const
{
    const QFontMetrics fm(ResolvedFont(), m_painter ? m_painter->device() : nullptr);
    QStringList lines;
    QString norm = Text;
    norm.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    norm.replace(u'\r', u'\n');
    const QStringList paragraphs = norm.split(u'\n');
    for (const QString& para : paragraphs) {
        const QStringList words = para.split(u' ', Qt::SkipEmptyParts);
        if (words.isEmpty()) {
            lines << QString();
            continue;
        }
        QString line;
        for (const QString& word : words) {
            const QString trial = line.isEmpty() ? word : line + u' ' + word;
            if (line.isEmpty() || fm.horizontalAdvance(trial) <= Width) {
                line = trial;
            } else {
                lines << line;
                line = word;
            }
        }
        lines << line;
    }
    return lines;
}

int TCanvas::DrawText(const QString& Text, QRect& R, unsigned Format)
{
    const QString text = (Format & DT_NOPREFIX) ? Text : stripPrefix(Text);
    const QFont f = ResolvedFont();
    const QFontMetrics fm(f, m_painter ? m_painter->device() : nullptr);
    const int lh = TextHeight(text);
    QStringList lines;
    if (Format & DT_SINGLELINE) {
        QString one = text;
        one.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        one.replace(u'\n', u' ');
        one.replace(u'\r', u' ');
        lines << one;
    } else if (Format & DT_WORDBREAK) {
        lines = WrapText(text, R.width());
    } else {
        QString norm = text;
        norm.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        norm.replace(u'\r', u'\n');
        lines = norm.split(u'\n');
    }
    const int height = lh * int(lines.size());
    if (Format & DT_CALCRECT) {
        int maxw = 0;
        for (const QString& l : lines)
            maxw = std::max(maxw, fm.horizontalAdvance(l));
        R.setWidth(maxw);
        R.setHeight(height);
        return height;
    }
    if (!IsActive())
        return height;
    int y = R.top();
    if (Format & DT_SINGLELINE) {
        if (Format & DT_BOTTOM)
            y = R.top() + R.height() - lh;
        else if (Format & DT_VCENTER)
            y = R.top() + (R.height() - lh) / 2;
    }
    if (m_recorder) {
        nimmZeilenAuf(*this, lines, R, Format, y, lh, fm);
        return height;
    }
    m_painter->save();
    if (!(Format & DT_NOCLIP))
        m_painter->setClipRect(R, m_painter->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    m_painter->setFont(f);
    for (const QString& l : lines) {
        const int w = fm.horizontalAdvance(l);
        int x = R.left();
        if (Format & DT_CENTER)
            x = R.left() + (R.width() - w) / 2;
        else if (Format & DT_RIGHT)
            x = R.left() + R.width() - w;
        if (Brush.Style != bsClear)
            m_painter->fillRect(QRect(x, y, w, lh), ColorToQColor(Brush.Color));
        m_painter->setPen(ColorToQColor(Font.Color));
        m_painter->drawText(QPoint(x, y + FontAscent()), l);
        y += lh;
    }
    m_painter->restore();
    changed();
    return height;
}

void TCanvas::SetClipRect(int X1, int Y1, int X2, int Y2)
{
    if (!IsActive())
        return;
    if (m_recorder)
        return m_recorder->SetzeClip(true, QRect(X1, Y1, std::max(0, X2 - X1), std::max(0, Y2 - Y1)));
    m_painter->setClipRect(QRect(X1, Y1, std::max(0, X2 - X1), std::max(0, Y2 - Y1)));
}

void TCanvas::ClearClip()
{
    if (m_recorder)
        m_recorder->SetzeClip(false, QRect());
    else if (IsActive())
        m_painter->setClipping(false);
}

QRect TCanvas::ClipRect() const
{
    if (!IsActive())
        return {};
    if (m_recorder)
        return m_recorder->ClipAktiv() ? m_recorder->ClipRect() : QRect(QPoint(0, 0), m_recorder->Groesse());
    if (m_painter->hasClipping())
        return m_painter->clipBoundingRect().toAlignedRect();
    const QPaintDevice* d = m_painter->device();
    return d ? QRect(0, 0, d->width(), d->height()) : QRect();
}

void TCanvas::StretchDraw(const QRect& Dest, const QImage& Image, bool Smooth)
{
    StretchDraw(Dest, Image, Image.rect(), Smooth);
}

void TCanvas::StretchDraw(const QRect& Dest, const QImage& Image, const QRect& Source, bool Smooth)
{
    if (!IsActive() || Image.isNull() || Dest.isEmpty() || Source.isEmpty())
        return;
    if (m_recorder)
        return aufnehmen(*this, MfBitmap{Dest, Image, Source, Smooth});
    m_painter->save();
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform, Smooth);
    m_painter->drawImage(Dest, Image, Source);
    m_painter->restore();
    changed();
}

void TCanvas::Draw(int X, int Y, const QImage& Image)
{
    if (!IsActive() || Image.isNull())
        return;
    if (m_recorder)
        return aufnehmen(*this, MfBitmap{QRect(QPoint(X, Y), Image.size()), Image, Image.rect(), false});
    m_painter->drawImage(QPoint(X, Y), Image);
    changed();
}

} // namespace zl
