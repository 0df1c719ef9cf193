#include "platform/Metafile.h"

#include <QPainter>

#include <type_traits>

namespace zl
{

namespace
{

bool gleich(const TPen& a, const TPen& b)
{
    return a.Color == b.Color && a.Width == b.Width && a.Style == b.Style;
}

bool gleich(const TBrush& a, const TBrush& b)
{
    return a.Color == b.Color && a.Style == b.Style;
}

template <class... F> struct Besucher : F... {
    using F::operator()...;
};
template <class... F> Besucher(F...) -> Besucher<F...>;

} // namespace

TMetafile::TMetafile(QSize Groesse, std::vector<TMetaRecord> Datensaetze)
    : m_groesse(Groesse), m_records(std::move(Datensaetze))
{
}

TMetafileRecorder::TMetafileRecorder(QSize Groesse)
    : m_groesse(Groesse.expandedTo(QSize(0, 0))), m_canvas(std::make_unique<TCanvas>(this))
{
}

TMetafileRecorder::~TMetafileRecorder() = default;

TMetafilePtr TMetafileRecorder::Beenden()
{
    m_beendet = true;
    return std::make_shared<const TMetafile>(m_groesse, std::move(m_records));
}

void TMetafileRecorder::syncState(const TCanvas& C, const TMetaRecord& Datensatz)
{
    const bool mitPen = std::holds_alternative<MfLine>(Datensatz) || std::holds_alternative<MfPolyline>(Datensatz) ||
                        std::holds_alternative<MfPolygon>(Datensatz) ||
                        std::holds_alternative<MfRectangle>(Datensatz) || std::holds_alternative<MfEllipse>(Datensatz);
    const bool mitBrush =
        std::holds_alternative<MfPolygon>(Datensatz) || std::holds_alternative<MfRectangle>(Datensatz) ||
        std::holds_alternative<MfEllipse>(Datensatz) || std::holds_alternative<MfFillRect>(Datensatz) ||
        std::holds_alternative<MfFrameRect>(Datensatz) || std::holds_alternative<MfText>(Datensatz);
    const bool mitText = std::holds_alternative<MfText>(Datensatz);
    if (mitPen && (!m_hatPen || !gleich(m_pen, C.Pen))) {
        m_pen = C.Pen;
        m_hatPen = true;
        m_records.emplace_back(MfPen{m_pen});
    }
    if (mitBrush && (!m_hatBrush || !gleich(m_brush, C.Brush))) {
        m_brush = C.Brush;
        m_hatBrush = true;
        m_records.emplace_back(MfBrush{m_brush});
    }
    if (mitText) {
        if (!m_hatFont || !(m_font == C.Font)) {
            m_font = C.Font;
            m_hatFont = true;
            m_records.emplace_back(MfFont{m_font});
        }
        const unsigned align = C.TextAlign() & ~unsigned(TA_UPDATECP);
        if (!m_hatAlign || m_align != align) {
            m_align = align;
            m_hatAlign = true;
            m_records.emplace_back(MfTextAlign{m_align});
        }
    }
}

void TMetafileRecorder::Zeichne(const TCanvas& C, TMetaRecord Datensatz)
{
    if (m_beendet)
        return;
    syncState(C, Datensatz);
    m_records.push_back(std::move(Datensatz));
}

void TMetafileRecorder::SetzeClip(bool Aktiv, const QRect& R)
{
    if (m_beendet || (Aktiv == m_clipAktiv && (!Aktiv || R == m_clip)))
        return;
    m_clipAktiv = Aktiv;
    m_clip = Aktiv ? R : QRect();
    m_records.emplace_back(MfClip{m_clipAktiv, m_clip});
}

void Abspielen(const TMetafile& Mf, TCanvas& C, const QRectF& Ziel)
{
    QPainter* p = C.Painter();
    const QSize g = Mf.Groesse();
    if (!p || !p->isActive() || g.isEmpty() || Ziel.isEmpty())
        return;
    // The outer save keeps the caller's state; a clip record returns to it and intersects.
    auto abbildung = [&] {
        p->translate(Ziel.topLeft());
        p->scale(Ziel.width() / g.width(), Ziel.height() / g.height());
    };
    p->save();
    p->save();
    abbildung();
    auto rect = [](const QRect& r, auto f) { f(r.left(), r.top(), r.left() + r.width(), r.top() + r.height()); };
    const Besucher spieler{
        [&](const MfPen& r) { C.Pen = r.Pen; },
        [&](const MfBrush& r) { C.Brush = r.Brush; },
        [&](const MfFont& r) { C.Font = r.Font; },
        [&](const MfTextAlign& r) { C.SetTextAlign(r.Flags); },
        [&](const MfClip& r) {
            p->restore();
            p->save();
            abbildung();
            if (r.Aktiv)
                p->setClipRect(r.Rect, p->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
        },
        [&](const MfLine& r) {
            C.MoveTo(r.Von.x(), r.Von.y());
            C.LineTo(r.Bis.x(), r.Bis.y());
        },
        [&](const MfPolyline& r) { C.Polyline(r.Punkte); },
        [&](const MfPolygon& r) { C.Polygon(r.Punkte); },
        [&](const MfRectangle& r) { rect(r.Rect, [&](int a, int b, int c, int d) { C.Rectangle(a, b, c, d); }); },
        [&](const MfEllipse& r) { rect(r.Rect, [&](int a, int b, int c, int d) { C.Ellipse(a, b, c, d); }); },
        [&](const MfFillRect& r) { rect(r.Rect, [&](int a, int b, int c, int d) { C.FillRect(a, b, c, d); }); },
        [&](const MfFrameRect& r) { rect(r.Rect, [&](int a, int b, int c, int d) { C.FrameRect(a, b, c, d); }); },
        [&](const MfText& r) { C.TextOut(r.Punkt.x(), r.Punkt.y(), r.Text, r.Rand, r.Randfarbe); },
        [&](const MfBitmap& r) { C.StretchDraw(r.Ziel, r.Bild, r.Quelle, r.Glatt); },
    };
    for (const TMetaRecord& d : Mf.Datensaetze())
        std::visit(spieler, d);
    p->restore();
    p->restore();
}

void Abspielen(const TMetafile& Mf, QPainter& Painter, const QRectF& Ziel)
{
    TCanvas c(&Painter);
    Abspielen(Mf, c, Ziel);
}

QImage AlsBild(const TMetafile& Mf, QSize Groesse, TColor Hintergrund)
{
    if (Groesse.isEmpty())
        Groesse = Mf.Groesse();
    if (Groesse.isEmpty())
        return {};
    QImage bild(Groesse, QImage::Format_RGB32);
    bild.fill(ColorToQColor(Hintergrund));
    QPainter p(&bild);
    Abspielen(Mf, p, QRectF(0, 0, Groesse.width(), Groesse.height()));
    p.end();
    return bild;
}

} // namespace zl
