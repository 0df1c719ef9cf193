#include "platform/MetafileWriter.h"

#include "platform/Cp1252.h"
#include "platform/FileAccess.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMimeData>
#include <QPainter>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <optional>

namespace zl
{

namespace
{

// ---- shared pieces ------------------------------------------------------------------

template <class... F> struct Besucher : F... {
    using F::operator()...;
};
template <class... F> Besucher(F...) -> Besucher<F...>;

// Little-endian byte output.
struct Ausgabe {
    QByteArray b;
    void u8(unsigned v) { b.append(char(v & 0xFF)); }
    void u16(unsigned v)
    {
        u8(v);
        u8(v >> 8);
    }
    void u32(quint32 v)
    {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void i16(int v) { u16(unsigned(v) & 0xFFFF); }
    void i32(qint32 v) { u32(quint32(v)); }
    void f32(float v)
    {
        quint32 u;
        std::memcpy(&u, &v, 4);
        u32(u);
    }
    void nullen(qsizetype n) { b.append(n, '\0'); }
    void auffuellen(int auf)
    {
        while (b.size() % auf)
            u8(0);
    }
    qsizetype groesse() const { return b.size(); }
    void setzeU32(qsizetype at, quint32 v) { qToLittleEndian<quint32>(v, b.data() + at); }
    void setzeU16(qsizetype at, quint16 v) { qToLittleEndian<quint16>(v, b.data() + at); }
};

quint32 colorRef(TColor c)
{
    return quint32(ColorToRGB(c)) & 0xFFFFFF;
}

unsigned penStyle(TPenStyle s)
{
    switch (s) {
    case psDash:
        return 1;
    case psDot:
        return 2;
    case psDashDot:
        return 3;
    case psDashDotDot:
        return 4;
    case psClear:
        return 5;
    case psInsideFrame:
        return 6;
    case psSolid:
        break;
    }
    return 0;
}

// LOGBRUSH style and hatch.
std::pair<unsigned, unsigned> brushStyle(TBrushStyle s)
{
    switch (s) {
    case bsClear:
        return {1, 0};
    case bsHorizontal:
        return {2, 0};
    case bsVertical:
        return {2, 1};
    case bsFDiagonal:
        return {2, 2};
    case bsBDiagonal:
        return {2, 3};
    case bsCross:
        return {2, 4};
    case bsDiagCross:
        return {2, 5};
    case bsSolid:
        break;
    }
    return {0, 0};
}

// The font as the recording canvas measured it (reference device).
QFont referenzFont(const TFontSpec& f)
{
    TCanvas c(static_cast<QPainter*>(nullptr));
    c.Font = f;
    return c.ResolvedFont();
}

// The em height a font spec resolves to, as a negative LOGFONT height (character height).
int logfontHoehe(const TFontSpec& f)
{
    if (f.Height < 0)
        return f.Height;
    return -std::max(1, referenzFont(f).pixelSize());
}

// The reference device's metrics of the font last asked for.
class Metrik
{
  public:
    const QFontMetrics& fuer(const TFontSpec& f)
    {
        if (!m_fm || !(m_spec == f)) {
            m_spec = f;
            m_fm.emplace(referenzFont(f));
        }
        return *m_fm;
    }

  private:
    TFontSpec m_spec;
    std::optional<QFontMetrics> m_fm;
};

// The advance of each character; the last one takes up the difference to the width measured
// when the text was recorded, so the line ends where it did.
std::vector<int> vorschuebe(const QFontMetrics& fm, const QString& text, int breite)
{
    std::vector<int> dx;
    dx.reserve(std::size_t(text.size()));
    int summe = 0;
    for (QChar c : text) {
        dx.push_back(fm.horizontalAdvance(c));
        summe += dx.back();
    }
    if (!dx.empty() && breite > 0)
        dx.back() = std::max(0, dx.back() + breite - summe);
    return dx;
}

// The pixels of a bitmap record as a bottom-up 24-bit DIB: header and bits.
struct Dib {
    QByteArray kopf, bits;
    int breite = 0, hoehe = 0;
};

Dib macheDib(const MfBitmap& r)
{
    Dib d;
    const QRect q = r.Quelle.intersected(r.Bild.rect());
    if (q.isEmpty())
        return d;
    const QImage bgr = r.Bild.copy(q).convertToFormat(QImage::Format_BGR888);
    d.breite = bgr.width();
    d.hoehe = bgr.height();
    const int zeile = (d.breite * 3 + 3) & ~3;
    d.bits.resize(qsizetype(zeile) * d.hoehe);
    char* ziel = d.bits.data();
    for (int y = d.hoehe - 1; y >= 0; --y, ziel += zeile) {
        std::memcpy(ziel, bgr.constScanLine(y), std::size_t(d.breite) * 3);
        std::memset(ziel + d.breite * 3, 0, std::size_t(zeile - d.breite * 3));
    }
    Ausgabe k;
    k.u32(40);
    k.i32(d.breite);
    k.i32(d.hoehe);
    k.u16(1);
    k.u16(24);
    k.u32(0); // BI_RGB
    k.u32(quint32(d.bits.size()));
    k.i32(3780); // 96 dpi
    k.i32(3780);
    k.u32(0);
    k.u32(0);
    d.kopf = k.b;
    return d;
}

// A pen, brush or font the writers create once and select by index.
struct Objekt {
    enum Art { Pen, Brush, Font } art;
    TPen pen;
    TBrush brush;
    TFontSpec font;
    bool operator==(const Objekt& o) const
    {
        if (art != o.art)
            return false;
        switch (art) {
        case Pen:
            return pen.Color == o.pen.Color && pen.Width == o.pen.Width && pen.Style == o.pen.Style;
        case Brush:
            return brush.Color == o.brush.Color && brush.Style == o.brush.Style;
        case Font:
            break;
        }
        return font.Name == o.font.Name && font.Height == o.font.Height && font.Style == o.font.Style &&
               font.Orientation == o.font.Orientation;
    }
};

// The drawing state of the player a writer feeds, and what it has told that player, so
// every selection and mode is written once, when a drawing record needs it. The format's
// own records come from the callbacks.
struct Zustandsfuehrer {
    std::vector<Objekt> objekte;
    TPen pen;
    TBrush brush;
    TFontSpec font;
    unsigned align = TA_LEFT | TA_TOP;
    // What the player has: -1 unknown.
    int selPen = -1, selBrush = -1, selFont = -1;
    qint64 textFarbe = -1, bkFarbe = -1;
    int bkModus = -1, stretchModus = -1;
    qint64 gesAlign = -1;

    std::function<void(const Objekt&, int)> erzeuge;
    std::function<void(int)> waehle;
    std::function<void(unsigned)> setzeAlign, setzeBkModus, setzeStretchModus;
    std::function<void(quint32)> setzeTextFarbe, setzeBkFarbe;

    int objekt(const Objekt& o)
    {
        const auto it = std::find(objekte.begin(), objekte.end(), o);
        if (it != objekte.end())
            return int(it - objekte.begin());
        objekte.push_back(o);
        const int i = int(objekte.size()) - 1;
        erzeuge(o, i);
        return i;
    }
    void vergessen()
    {
        selPen = selBrush = selFont = -1;
        textFarbe = bkFarbe = -1;
        bkModus = stretchModus = -1;
        gesAlign = -1;
    }
    void waehlePen(const TPen& p)
    {
        const int i = objekt({Objekt::Pen, p, {}, {}});
        if (i != selPen) {
            waehle(i);
            selPen = i;
        }
    }
    void waehleBrush(const TBrush& b)
    {
        const int i = objekt({Objekt::Brush, {}, b, {}});
        if (i != selBrush) {
            waehle(i);
            selBrush = i;
        }
    }
    void fuerText()
    {
        const int i = objekt({Objekt::Font, {}, {}, font});
        if (i != selFont) {
            waehle(i);
            selFont = i;
        }
        const quint32 tf = colorRef(font.Color);
        if (qint64(tf) != textFarbe) {
            setzeTextFarbe(tf);
            textFarbe = tf;
        }
        if (qint64(align) != gesAlign) {
            setzeAlign(align);
            gesAlign = align;
        }
        const int modus = brush.Style == bsClear ? 1 : 2; // TRANSPARENT, OPAQUE
        if (modus != bkModus) {
            setzeBkModus(unsigned(modus));
            bkModus = modus;
        }
        if (modus == 2 && qint64(colorRef(brush.Color)) != bkFarbe) {
            bkFarbe = colorRef(brush.Color);
            setzeBkFarbe(quint32(bkFarbe));
        }
    }
    void fuerBitmap(bool glatt)
    {
        const int m = glatt ? 4 : 3; // HALFTONE, COLORONCOLOR
        if (m != stretchModus) {
            setzeStretchModus(unsigned(m));
            stretchModus = m;
        }
    }
    // A pen that draws nothing, for brush-only fills.
    void ohnePen() { waehlePen(TPen{clBlack, 1, psClear}); }
};

// The four one-unit bands of a frame, as fill rectangles (X2, Y2 exclusive).
std::array<QRect, 4> rahmenBaender(const QRect& r)
{
    return {QRect(r.left(), r.top(), r.width(), 1), QRect(r.left(), r.top() + r.height() - 1, r.width(), 1),
            QRect(r.left(), r.top(), 1, r.height()), QRect(r.left() + r.width() - 1, r.top(), 1, r.height())};
}

// The record logic both formats share. S writes the records (box, punkte,
// sichern, zurueck) and names the codes of its clip and shape records.
template <class S> class Zeichenlauf
{
  public:
    void datensatz(const MfPen& r) { m_z.pen = r.Pen; }
    void datensatz(const MfBrush& r) { m_z.brush = r.Brush; }
    void datensatz(const MfFont& r) { m_z.font = r.Font; }
    void datensatz(const MfTextAlign& r) { m_z.align = r.Flags; }
    void datensatz(const MfClip& r)
    {
        if (m_clip) {
            s().zurueck();
            m_z.vergessen();
        }
        m_clip = r.Aktiv;
        if (r.Aktiv) {
            s().sichern();
            s().box(S::kClip, r.Rect);
        }
    }
    void datensatz(const MfPolyline& r)
    {
        m_z.waehlePen(m_z.pen);
        s().punkte(S::kPolyline, r.Punkte);
    }
    void datensatz(const MfPolygon& r)
    {
        m_z.waehlePen(m_z.pen);
        m_z.waehleBrush(m_z.brush);
        s().punkte(S::kPolygon, r.Punkte);
    }
    void datensatz(const MfRectangle& r)
    {
        m_z.waehlePen(m_z.pen);
        m_z.waehleBrush(m_z.brush);
        s().box(S::kRectangle, r.Rect);
    }
    void datensatz(const MfEllipse& r)
    {
        m_z.waehlePen(m_z.pen);
        m_z.waehleBrush(m_z.brush);
        s().box(S::kEllipse, r.Rect);
    }
    void datensatz(const MfFillRect& r) { fuelle(r.Rect, m_z.brush); }
    void datensatz(const MfFrameRect& r)
    {
        for (const QRect& band : rahmenBaender(r.Rect))
            fuelle(band, TBrush{m_z.brush.Color, bsSolid});
    }
    // A halo no picture holds: the text once in its colour per offset, then the text.
    void datensatz(const MfText& r)
    {
        if (r.Text.isEmpty())
            return;
        if (!r.Rand.empty()) {
            const TColor farbe = m_z.font.Color;
            m_z.font.Color = r.Randfarbe;
            for (const QPoint& v : r.Rand)
                s().text(r.Punkt + v, r.Text, r.Breite);
            m_z.font.Color = farbe;
        }
        s().text(r.Punkt, r.Text, r.Breite);
    }

  protected:
    // The clip state still saved at the end is restored.
    void schliesseClip()
    {
        if (m_clip)
            s().zurueck();
    }

    Zustandsfuehrer m_z;
    Metrik m_metrik;

  private:
    S& s() { return static_cast<S&>(*this); }
    // Without a pen a rectangle fills one unit less on the right and bottom.
    void fuelle(const QRect& r, const TBrush& b)
    {
        m_z.ohnePen();
        m_z.waehleBrush(b);
        s().box(S::kRectangle, r.adjusted(0, 0, 1, 1));
    }

    bool m_clip = false;
};

// ---- EMF ----------------------------------------------------------------------------

enum : quint32 {
    EMR_HEADER = 1,
    EMR_POLYGON = 3,
    EMR_POLYLINE = 4,
    EMR_EOF = 14,
    EMR_SETBKMODE = 18,
    EMR_SETSTRETCHBLTMODE = 21,
    EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24,
    EMR_SETBKCOLOR = 25,
    EMR_MOVETOEX = 27,
    EMR_INTERSECTCLIPRECT = 30,
    EMR_SAVEDC = 33,
    EMR_RESTOREDC = 34,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_ELLIPSE = 42,
    EMR_RECTANGLE = 43,
    EMR_LINETO = 54,
    EMR_STRETCHDIBITS = 81,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTW = 84,
};

class EmfSchreiber : private Zeichenlauf<EmfSchreiber>
{
    friend class Zeichenlauf<EmfSchreiber>;

  public:
    explicit EmfSchreiber(const TMetafile& mf) : m_mf(mf) {}

    QByteArray schreiben()
    {
        const QSize g = m_mf.Groesse();
        kopf(g);
        m_z.erzeuge = [this](const Objekt& o, int i) { erzeuge(o, i + 1); };
        m_z.waehle = [this](int i) { einWert(EMR_SELECTOBJECT, quint32(i + 1)); };
        m_z.setzeAlign = [this](unsigned v) { einWert(EMR_SETTEXTALIGN, v); };
        m_z.setzeBkModus = [this](unsigned v) { einWert(EMR_SETBKMODE, v); };
        m_z.setzeStretchModus = [this](unsigned v) { einWert(EMR_SETSTRETCHBLTMODE, v); };
        m_z.setzeTextFarbe = [this](quint32 v) { einWert(EMR_SETTEXTCOLOR, v); };
        m_z.setzeBkFarbe = [this](quint32 v) { einWert(EMR_SETBKCOLOR, v); };
        for (const TMetaRecord& d : m_mf.Datensaetze())
            std::visit([this](const auto& r) { datensatz(r); }, d);
        schliesseClip();
        // Stock objects back in, then the own ones freed.
        einWert(EMR_SELECTOBJECT, 0x80000007u); // BLACK_PEN
        einWert(EMR_SELECTOBJECT, 0x80000000u); // WHITE_BRUSH
        einWert(EMR_SELECTOBJECT, 0x8000000Du); // SYSTEM_FONT
        for (std::size_t i = 0; i < m_z.objekte.size(); ++i)
            einWert(EMR_DELETEOBJECT, quint32(i + 1));
        beginne(EMR_EOF);
        m_o.u32(0);
        m_o.u32(16);
        m_o.u32(20);
        ende();
        m_o.setzeU32(48, quint32(m_o.groesse()));
        m_o.setzeU32(52, m_anzahl);
        m_o.setzeU16(56, quint16(m_z.objekte.size() + 1));
        return m_o.b;
    }

  private:
    using Zeichenlauf::datensatz;
    static constexpr quint32 kClip = EMR_INTERSECTCLIPRECT, kPolyline = EMR_POLYLINE, kPolygon = EMR_POLYGON,
                             kRectangle = EMR_RECTANGLE, kEllipse = EMR_ELLIPSE;

    void sichern()
    {
        beginne(EMR_SAVEDC);
        ende();
    }
    void zurueck() { einWert(EMR_RESTOREDC, quint32(-1)); }
    void beginne(quint32 typ)
    {
        m_start = m_o.groesse();
        m_o.u32(typ);
        m_o.u32(0);
    }
    void ende()
    {
        m_o.auffuellen(4);
        m_o.setzeU32(m_start + 4, quint32(m_o.groesse() - m_start));
        ++m_anzahl;
    }
    void einWert(quint32 typ, quint32 v)
    {
        beginne(typ);
        m_o.u32(v);
        ende();
    }
    void rectl(const QRect& r) // inclusive
    {
        m_o.i32(r.left());
        m_o.i32(r.top());
        m_o.i32(r.left() + r.width() - 1);
        m_o.i32(r.top() + r.height() - 1);
    }
    void box(quint32 typ, const QRect& r) // X2, Y2 exclusive
    {
        beginne(typ);
        m_o.i32(r.left());
        m_o.i32(r.top());
        m_o.i32(r.left() + r.width());
        m_o.i32(r.top() + r.height());
        ende();
    }

    void kopf(QSize g)
    {
        beginne(EMR_HEADER);
        rectl(QRect(QPoint(0, 0), g));
        // The frame in 0.01 mm at 96 dpi.
        m_o.i32(0);
        m_o.i32(0);
        m_o.i32(int(std::lround(g.width() * 2540.0 / 96.0)) - 1);
        m_o.i32(int(std::lround(g.height() * 2540.0 / 96.0)) - 1);
        m_o.u32(0x464D4520); // " EMF"
        m_o.u32(0x00010000);
        m_o.u32(0); // bytes, set at the end
        m_o.u32(0); // records
        m_o.u16(0); // handles
        m_o.u16(0);
        m_o.u32(0); // no description
        m_o.u32(0);
        m_o.u32(0); // no palette
        // The 96-dpi reference device: 1920 x 1440 pixels, 508 x 381 mm.
        m_o.i32(1920);
        m_o.i32(1440);
        m_o.i32(508);
        m_o.i32(381);
        m_o.u32(0); // no pixel format
        m_o.u32(0);
        m_o.u32(0); // no OpenGL
        m_o.i32(508000);
        m_o.i32(381000);
        ende();
    }

    void erzeuge(const Objekt& o, int h)
    {
        switch (o.art) {
        case Objekt::Pen:
            beginne(EMR_CREATEPEN);
            m_o.u32(quint32(h));
            m_o.u32(penStyle(o.pen.Style));
            m_o.i32(std::max(1, o.pen.Width));
            m_o.i32(0);
            m_o.u32(colorRef(o.pen.Color));
            ende();
            return;
        case Objekt::Brush: {
            const auto [stil, schraffur] = brushStyle(o.brush.Style);
            beginne(EMR_CREATEBRUSHINDIRECT);
            m_o.u32(quint32(h));
            m_o.u32(stil);
            m_o.u32(colorRef(o.brush.Color));
            m_o.u32(schraffur);
            ende();
            return;
        }
        case Objekt::Font:
            break;
        }
        beginne(EMR_EXTCREATEFONTINDIRECTW);
        m_o.u32(quint32(h));
        const qsizetype lf = m_o.groesse();
        m_o.i32(logfontHoehe(o.font));
        m_o.i32(0);
        m_o.i32(o.font.Orientation);
        m_o.i32(o.font.Orientation);
        m_o.i32((o.font.Style & fsBold) ? 700 : 400);
        m_o.u8((o.font.Style & fsItalic) ? 1 : 0);
        m_o.u8((o.font.Style & fsUnderline) ? 1 : 0);
        m_o.u8((o.font.Style & fsStrikeOut) ? 1 : 0);
        m_o.u8(0); // ANSI_CHARSET
        m_o.u8(0);
        m_o.u8(0);
        m_o.u8(0);
        m_o.u8(0);
        const QString name = o.font.Name.left(31);
        for (QChar c : name)
            m_o.u16(c.unicode());
        m_o.nullen((32 - name.size()) * 2);
        // The rest of the panose form (full name, style, version... panose) stays zero.
        m_o.nullen(320 - (m_o.groesse() - lf));
        ende();
    }

    void datensatz(const MfLine& r)
    {
        m_z.waehlePen(m_z.pen);
        beginne(EMR_MOVETOEX);
        m_o.i32(r.Von.x());
        m_o.i32(r.Von.y());
        ende();
        beginne(EMR_LINETO);
        m_o.i32(r.Bis.x());
        m_o.i32(r.Bis.y());
        ende();
    }
    void punkte(quint32 typ, const QPolygon& p)
    {
        beginne(typ);
        rectl(p.boundingRect());
        m_o.u32(quint32(p.size()));
        for (const QPoint& q : p) {
            m_o.i32(q.x());
            m_o.i32(q.y());
        }
        ende();
    }
    void text(QPoint p, const QString& text, int breite)
    {
        m_z.fuerText();
        const QFontMetrics& fm = m_metrik.fuer(m_z.font);
        const std::vector<int> dx = vorschuebe(fm, text, breite);
        beginne(EMR_EXTTEXTOUTW);
        rectl(QRect(p.x() - breite, p.y() - fm.height(), 2 * breite + 1, 2 * fm.height() + 1));
        m_o.u32(1); // GM_COMPATIBLE
        m_o.f32(0);
        m_o.f32(0);
        m_o.i32(p.x());
        m_o.i32(p.y());
        m_o.u32(quint32(text.size()));
        const quint32 offText = 76;
        const quint32 offDx = offText + quint32((text.size() * 2 + 3) & ~3);
        m_o.u32(offText);
        m_o.u32(0); // options
        m_o.i32(0);
        m_o.i32(0);
        m_o.i32(-1);
        m_o.i32(-1);
        m_o.u32(offDx);
        for (QChar c : text)
            m_o.u16(c.unicode());
        m_o.auffuellen(4);
        for (int d : dx)
            m_o.i32(d);
        ende();
    }
    void datensatz(const MfBitmap& r)
    {
        const Dib dib = macheDib(r);
        if (dib.breite == 0)
            return;
        m_z.fuerBitmap(r.Glatt);
        beginne(EMR_STRETCHDIBITS);
        rectl(r.Ziel);
        m_o.i32(r.Ziel.left());
        m_o.i32(r.Ziel.top());
        m_o.i32(0);
        m_o.i32(0);
        m_o.i32(dib.breite);
        m_o.i32(dib.hoehe);
        m_o.u32(80);
        m_o.u32(quint32(dib.kopf.size()));
        m_o.u32(80 + quint32(dib.kopf.size()));
        m_o.u32(quint32(dib.bits.size()));
        m_o.u32(0);          // DIB_RGB_COLORS
        m_o.u32(0x00CC0020); // SRCCOPY
        m_o.i32(r.Ziel.width());
        m_o.i32(r.Ziel.height());
        m_o.b.append(dib.kopf);
        m_o.b.append(dib.bits);
        ende();
    }

    const TMetafile& m_mf;
    Ausgabe m_o;
    qsizetype m_start = 0;
    quint32 m_anzahl = 0;
};

// ---- WMF ----------------------------------------------------------------------------

enum : unsigned {
    META_EOF = 0x0000,
    META_SAVEDC = 0x001E,
    META_SETBKMODE = 0x0102,
    META_SETSTRETCHBLTMODE = 0x0107,
    META_RESTOREDC = 0x0127,
    META_SELECTOBJECT = 0x012D,
    META_SETTEXTALIGN = 0x012E,
    META_DELETEOBJECT = 0x01F0,
    META_SETBKCOLOR = 0x0201,
    META_SETTEXTCOLOR = 0x0209,
    META_SETWINDOWORG = 0x020B,
    META_SETWINDOWEXT = 0x020C,
    META_CREATEPENINDIRECT = 0x02FA,
    META_CREATEFONTINDIRECT = 0x02FB,
    META_CREATEBRUSHINDIRECT = 0x02FC,
    META_LINETO = 0x0213,
    META_MOVETO = 0x0214,
    META_POLYGON = 0x0324,
    META_POLYLINE = 0x0325,
    META_INTERSECTCLIPRECT = 0x0416,
    META_ELLIPSE = 0x0418,
    META_RECTANGLE = 0x041B,
    META_EXTTEXTOUT = 0x0A32,
    META_STRETCHDIB = 0x0F43,
};

struct WmfGrenze {
};

class WmfSchreiber : private Zeichenlauf<WmfSchreiber>
{
    friend class Zeichenlauf<WmfSchreiber>;

  public:
    explicit WmfSchreiber(const TMetafile& mf) : m_mf(mf) {}

    // Throws WmfGrenze when a value does not fit the format.
    QByteArray schreiben()
    {
        const QSize g = m_mf.Groesse();
        k16(g.width());
        k16(g.height());
        // Placeable header, its checksum the XOR of its first ten words.
        m_o.u32(0x9AC6CDD7);
        m_o.u16(0);
        m_o.i16(0);
        m_o.i16(0);
        m_o.i16(g.width());
        m_o.i16(g.height());
        m_o.u16(96);
        m_o.u32(0);
        quint16 summe = 0;
        for (int i = 0; i < 10; ++i)
            summe ^= qFromLittleEndian<quint16>(m_o.b.constData() + 2 * i);
        m_o.u16(summe);
        m_kopf = m_o.groesse();
        m_o.u16(1); // memory metafile
        m_o.u16(9);
        m_o.u16(0x0300);
        m_o.u32(0); // size in words, set at the end
        m_o.u16(0); // objects
        m_o.u32(0); // largest record
        m_o.u16(0);
        zwei(META_SETWINDOWORG, 0, 0);
        zwei(META_SETWINDOWEXT, g.height(), g.width());
        m_z.erzeuge = [this](const Objekt& o, int) { erzeuge(o); };
        m_z.waehle = [this](int i) { ein(META_SELECTOBJECT, unsigned(i)); };
        m_z.setzeAlign = [this](unsigned v) { ein(META_SETTEXTALIGN, v); };
        m_z.setzeBkModus = [this](unsigned v) { ein(META_SETBKMODE, v); };
        m_z.setzeStretchModus = [this](unsigned v) { ein(META_SETSTRETCHBLTMODE, v); };
        m_z.setzeTextFarbe = [this](quint32 v) { farbe(META_SETTEXTCOLOR, v); };
        m_z.setzeBkFarbe = [this](quint32 v) { farbe(META_SETBKCOLOR, v); };
        for (const TMetaRecord& d : m_mf.Datensaetze())
            std::visit([this](const auto& r) { datensatz(r); }, d);
        schliesseClip();
        for (std::size_t i = 0; i < m_z.objekte.size(); ++i)
            ein(META_DELETEOBJECT, unsigned(i));
        beginne(META_EOF);
        ende();
        if (m_z.objekte.size() > 0xFFFF)
            throw WmfGrenze{};
        m_o.setzeU32(m_kopf + 6, quint32((m_o.groesse() - m_kopf) / 2));
        m_o.setzeU16(m_kopf + 10, quint16(m_z.objekte.size()));
        m_o.setzeU32(m_kopf + 12, m_max);
        return m_o.b;
    }

  private:
    using Zeichenlauf::datensatz;
    static constexpr unsigned kClip = META_INTERSECTCLIPRECT, kPolyline = META_POLYLINE, kPolygon = META_POLYGON,
                              kRectangle = META_RECTANGLE, kEllipse = META_ELLIPSE;

    void sichern()
    {
        beginne(META_SAVEDC);
        ende();
    }
    void zurueck() { ein(META_RESTOREDC, 0xFFFF); }
    static void k16(int v)
    {
        if (v < std::numeric_limits<qint16>::min() || v > std::numeric_limits<qint16>::max())
            throw WmfGrenze{};
    }
    void p16(int v)
    {
        k16(v);
        m_o.i16(v);
    }
    void beginne(unsigned funktion)
    {
        m_start = m_o.groesse();
        m_o.u32(0);
        m_o.u16(funktion);
    }
    void ende()
    {
        m_o.auffuellen(2);
        const quint32 worte = quint32((m_o.groesse() - m_start) / 2);
        m_o.setzeU32(m_start, worte);
        m_max = std::max(m_max, worte);
    }
    void ein(unsigned funktion, unsigned v)
    {
        beginne(funktion);
        m_o.u16(v);
        ende();
    }
    void zwei(unsigned funktion, int a, int b)
    {
        beginne(funktion);
        p16(a);
        p16(b);
        ende();
    }
    void farbe(unsigned funktion, quint32 v)
    {
        beginne(funktion);
        m_o.u32(v);
        ende();
    }
    // Rectangle records take bottom, right, top, left (right and bottom exclusive).
    void box(unsigned funktion, const QRect& r)
    {
        beginne(funktion);
        p16(r.top() + r.height());
        p16(r.left() + r.width());
        p16(r.top());
        p16(r.left());
        ende();
    }

    void erzeuge(const Objekt& o)
    {
        switch (o.art) {
        case Objekt::Pen:
            beginne(META_CREATEPENINDIRECT);
            m_o.u16(penStyle(o.pen.Style));
            p16(std::max(1, o.pen.Width));
            m_o.i16(0);
            m_o.u32(colorRef(o.pen.Color));
            ende();
            return;
        case Objekt::Brush: {
            const auto [stil, schraffur] = brushStyle(o.brush.Style);
            beginne(META_CREATEBRUSHINDIRECT);
            m_o.u16(stil);
            m_o.u32(colorRef(o.brush.Color));
            m_o.u16(schraffur);
            ende();
            return;
        }
        case Objekt::Font:
            break;
        }
        beginne(META_CREATEFONTINDIRECT);
        p16(logfontHoehe(o.font));
        m_o.i16(0);
        p16(o.font.Orientation);
        p16(o.font.Orientation);
        m_o.i16((o.font.Style & fsBold) ? 700 : 400);
        m_o.u8((o.font.Style & fsItalic) ? 1 : 0);
        m_o.u8((o.font.Style & fsUnderline) ? 1 : 0);
        m_o.u8((o.font.Style & fsStrikeOut) ? 1 : 0);
        m_o.u8(0);
        m_o.u8(0);
        m_o.u8(0);
        m_o.u8(0);
        m_o.u8(0);
        QByteArray name = toCp1252(o.font.Name).left(31);
        name.append('\0');
        m_o.b.append(name);
        ende();
    }

    void datensatz(const MfLine& r)
    {
        m_z.waehlePen(m_z.pen);
        zwei(META_MOVETO, r.Von.y(), r.Von.x());
        zwei(META_LINETO, r.Bis.y(), r.Bis.x());
    }
    void punkte(unsigned funktion, const QPolygon& p)
    {
        beginne(funktion);
        p16(int(p.size()));
        for (const QPoint& q : p) {
            p16(q.x());
            p16(q.y());
        }
        ende();
    }
    void text(QPoint p, const QString& text, int breite)
    {
        m_z.fuerText();
        const QByteArray bytes = toCp1252(text);
        const std::vector<int> dx = vorschuebe(m_metrik.fuer(m_z.font), text, breite);
        beginne(META_EXTTEXTOUT);
        p16(p.y());
        p16(p.x());
        p16(int(bytes.size()));
        m_o.u16(0); // no rectangle
        m_o.b.append(bytes);
        m_o.auffuellen(2);
        for (int d : dx)
            p16(d);
        ende();
    }
    void datensatz(const MfBitmap& r)
    {
        const Dib dib = macheDib(r);
        if (dib.breite == 0)
            return;
        m_z.fuerBitmap(r.Glatt);
        beginne(META_STRETCHDIB);
        m_o.u32(0x00CC0020); // SRCCOPY
        m_o.u16(0);          // DIB_RGB_COLORS
        p16(dib.hoehe);
        p16(dib.breite);
        m_o.i16(0);
        m_o.i16(0);
        p16(r.Ziel.height());
        p16(r.Ziel.width());
        p16(r.Ziel.top());
        p16(r.Ziel.left());
        m_o.b.append(dib.kopf);
        m_o.b.append(dib.bits);
        ende();
    }

    const TMetafile& m_mf;
    Ausgabe m_o;
    qsizetype m_start = 0, m_kopf = 0;
    quint32 m_max = 0;
};

// ---- halos into pictures ------------------------------------------------------------

// How far a halo reaches beyond its text.
int reichweite(const std::vector<QPoint>& Rand)
{
    int weite = 0;
    for (const QPoint& v : Rand)
        weite = std::max({weite, std::abs(v.x()), std::abs(v.y())});
    return weite;
}

// Where a text record can put ink, grown by weite (logical units).
QRect textFlaeche(const QFontMetrics& fm, const MfText& t, unsigned align, int weite)
{
    int x = t.Punkt.x();
    if ((align & 6) == TA_CENTER)
        x -= t.Breite / 2;
    else if ((align & 6) == TA_RIGHT)
        x -= t.Breite;
    int basis = t.Punkt.y() + fm.ascent();
    if ((align & 24) == TA_BASELINE)
        basis = t.Punkt.y();
    else if ((align & 24) == TA_BOTTOM)
        basis = t.Punkt.y() - fm.descent();
    const QRect zelle(x, basis - fm.ascent(), t.Breite, fm.ascent() + fm.descent());
    const QRect f = zelle | fm.boundingRect(t.Text).translated(x, basis);
    // One unit more for the edge pixels of smoothed glyphs.
    return f.adjusted(-weite - 1, -weite - 1, weite + 1, weite + 1);
}

// Draws halos into one picture record: its pixels detached once, the logical frame of its
// target mapped onto its source rectangle.
class Bildrand
{
  public:
    explicit Bildrand(MfBitmap& b) : m_b(b) {}

    // A picture with at least one pixel per unit holds a halo without losing detail.
    static bool fasst(const MfBitmap& b)
    {
        return !b.Ziel.isEmpty() && !b.Quelle.isEmpty() && b.Bild.rect().contains(b.Quelle) &&
               b.Quelle.width() >= b.Ziel.width() && b.Quelle.height() >= b.Ziel.height();
    }
    const QRect& ziel() const { return m_b.Ziel; }

    void zeichne(const MfText& t, const QFontMetrics& fm, const TFontSpec& font, unsigned align,
                 const std::optional<QRect>& clip)
    {
        if (!m_maler)
            oeffne();
        if (clip)
            m_maler->setClipRect(*clip);
        else
            m_maler->setClipping(false);
        auto schreibe = [&](TCanvas& c, QPoint p) {
            c.Font = font;
            c.Font.Color = t.Randfarbe;
            c.Brush.Style = bsClear;
            c.SetTextAlign(align);
            c.TextOut(p.x(), p.y(), t.Text);
        };
        if (!m_einsZuEins) {
            for (const QPoint& v : t.Rand)
                schreibe(*m_leinwand, t.Punkt + v);
            return;
        }
        // Pixel for unit: the text drawn once on a transparent picture and blended at each
        // offset gives the pixels of one text per offset.
        const QRect f = textFlaeche(fm, t, align, 0);
        QImage maske(f.size(), QImage::Format_ARGB32_Premultiplied);
        maske.fill(Qt::transparent);
        {
            QPainter p(&maske);
            TCanvas c(&p);
            schreibe(c, t.Punkt - f.topLeft());
        }
        for (const QPoint& v : t.Rand)
            m_maler->drawImage(f.topLeft() + v, maske);
    }

  private:
    void oeffne()
    {
        QImage& bild = m_b.Bild;
        const QImage::Format f = bild.format();
        if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 && f != QImage::Format_ARGB32_Premultiplied)
            bild = bild.convertToFormat(bild.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                               : QImage::Format_RGB32);
        bild.setDotsPerMeterX(3780); // 96 dpi, as the reference device
        bild.setDotsPerMeterY(3780);
        m_maler = std::make_unique<QPainter>(&bild);
        const QRect& q = m_b.Quelle;
        const QRect& z = m_b.Ziel;
        m_maler->translate(q.topLeft());
        m_maler->scale(double(q.width()) / z.width(), double(q.height()) / z.height());
        m_maler->translate(-z.topLeft());
        m_leinwand = std::make_unique<TCanvas>(m_maler.get());
        m_einsZuEins = q.size() == z.size();
    }

    MfBitmap& m_b;
    std::unique_ptr<QPainter> m_maler;
    std::unique_ptr<TCanvas> m_leinwand;
    bool m_einsZuEins = false;
};

QString keineGroesse()
{
    return QStringLiteral("Das Bild ist leer.");
}

} // namespace

TMetafile RaenderImBild(const TMetafile& Mf)
{
    std::vector<TMetaRecord> d = Mf.Datensaetze();
    TFontSpec font;
    unsigned align = TA_LEFT | TA_TOP;
    TBrush brush;
    std::optional<QRect> clip;
    std::unique_ptr<Bildrand> bild; // the picture recorded last
    Metrik metrik;
    for (TMetaRecord& r : d) {
        if (const auto* f = std::get_if<MfFont>(&r)) {
            font = f->Font;
        } else if (const auto* a = std::get_if<MfTextAlign>(&r)) {
            align = a->Flags;
        } else if (const auto* b = std::get_if<MfBrush>(&r)) {
            brush = b->Brush;
        } else if (const auto* c = std::get_if<MfClip>(&r)) {
            clip = c->Aktiv ? std::optional<QRect>(c->Rect) : std::nullopt;
        } else if (auto* p = std::get_if<MfBitmap>(&r)) {
            bild.reset();
            if (Bildrand::fasst(*p))
                bild = std::make_unique<Bildrand>(*p);
        } else if (auto* t = std::get_if<MfText>(&r)) {
            // A filled text box or turned text keeps its halo as text records.
            if (t->Rand.empty() || !bild || brush.Style != bsClear || font.Orientation != 0)
                continue;
            const QFontMetrics& fm = metrik.fuer(font);
            QRect sichtbar = textFlaeche(fm, *t, align, reichweite(t->Rand));
            if (clip)
                sichtbar &= *clip;
            if (!sichtbar.isEmpty() && !bild->ziel().contains(sichtbar))
                continue;
            if (!sichtbar.isEmpty())
                bild->zeichne(*t, fm, font, align, clip);
            t->Rand.clear();
        }
    }
    bild.reset();
    return TMetafile(Mf.Groesse(), std::move(d));
}

QByteArray SchreibeEmf(const TMetafile& Mf, QString* Fehler)
{
    if (Mf.Groesse().isEmpty()) {
        if (Fehler)
            *Fehler = keineGroesse();
        return {};
    }
    return EmfSchreiber(RaenderImBild(Mf)).schreiben();
}

QByteArray SchreibeWmf(const TMetafile& Mf, QString* Fehler)
{
    if (Mf.Groesse().isEmpty()) {
        if (Fehler)
            *Fehler = keineGroesse();
        return {};
    }
    try {
        return WmfSchreiber(RaenderImBild(Mf)).schreiben();
    } catch (const WmfGrenze&) {
        if (Fehler)
            *Fehler = QStringLiteral("Das Bild ist zu groß für das Format WMF (höchstens 32767 Bildpunkte je Seite).");
        return {};
    }
}

bool IstWmfName(const QString& Datei)
{
    return QFileInfo(Datei).suffix().compare(QStringLiteral("wmf"), Qt::CaseInsensitive) == 0;
}

bool SpeichereMetafile(const TMetafile& Mf, const QString& Datei, QString* Fehler)
{
    const QByteArray bytes = IstWmfName(Datei) ? SchreibeWmf(Mf, Fehler) : SchreibeEmf(Mf, Fehler);
    if (bytes.isEmpty())
        return false;
    const int code = writeFileAtomically(Datei, bytes);
    if (code != 0) {
        if (Fehler)
            *Fehler = QStringLiteral("Datei-Schreibfehler! (%1)").arg(code);
        return false;
    }
    return true;
}

QMimeData* MetafileMimeDaten(const TMetafile& Mf, QString* Fehler)
{
    const QByteArray emf = SchreibeEmf(Mf, Fehler);
    if (emf.isEmpty())
        return nullptr;
    auto* daten = new QMimeData;
    daten->setData(QString::fromLatin1(kEmfMimeTyp), emf);
    daten->setImageData(AlsBild(Mf));
    return daten;
}

} // namespace zl
