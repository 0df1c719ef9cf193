#include "platform/GesetzterText.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextLayout>
#include <QThread>

#include <algorithm>
#include <memory>

namespace zl
{

namespace
{

// Bigger glyphs are filled as paths, where overlapping copies in one run would merge; the
// halo is then drawn copy by copy.
constexpr int kGrossePixel = 64;
// Texts kept per thread before the cache starts afresh.
constexpr int kHoechstzahl = 20000;
constexpr int kHoechstzahlSchriften = 256;
// Bytes of text pictures kept per thread.
constexpr qsizetype kHoechstBildBytes = qsizetype(48) << 20;

struct Eintrag {
    int Breite = 0;
    qreal Oben = 0; // from the text's top to the layout's top
    QList<QGlyphRun> Laeufe;
    QList<QPoint> RandVersatz; // the offsets RandLaeufe was built for
    QList<QGlyphRun> RandLaeufe;
    // The text with its halo drawn once on a transparent picture, for one pair of colours
    // and one set of offsets; BildOrt is its top left from the text's origin.
    QImage Bild;
    QPoint BildOrt;
    TColor BildFarbe = 0, BildRandfarbe = 0;
    QList<QPoint> BildRand;
};

struct Schrift {
    int Ascent = 0;
    bool Gross = false;
    QHash<QString, Eintrag> Texte;
};

struct Cache {
    QFont LetzteSchrift;
    int LetzteDpi = -1;
    Schrift* Letzte = nullptr;
    QHash<QString, std::shared_ptr<Schrift>> Schriften;
    int Anzahl = 0;
    int Gesetzt = 0;
    qsizetype BildBytes = 0;

    void Leere()
    {
        Letzte = nullptr;
        LetzteDpi = -1;
        Schriften.clear();
        Anzahl = 0;
        BildBytes = 0;
    }
};

void LeereHauptCache();

Cache& DerCache()
{
    thread_local Cache c;
    thread_local bool Angemeldet = false;
    if (!Angemeldet) {
        Angemeldet = true;
        // The main thread's glyphs go while the application's fonts still exist.
        if (QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread())
            qAddPostRoutine(LeereHauptCache);
    }
    return c;
}

void LeereHauptCache()
{
    DerCache().Leere();
}

Schrift& SchriftZu(const QFont& f, const QPaintDevice* Geraet)
{
    Cache& c = DerCache();
    const int Dpi = Geraet ? Geraet->logicalDpiY() : 0;
    if (c.Letzte && c.LetzteDpi == Dpi && c.LetzteSchrift == f)
        return *c.Letzte;
    const QString Schluessel = f.key() + QLatin1Char('@') + QString::number(Dpi);
    if (c.Schriften.size() >= kHoechstzahlSchriften && !c.Schriften.contains(Schluessel))
        c.Leere();
    std::shared_ptr<Schrift>& s = c.Schriften[Schluessel];
    if (!s) {
        s = std::make_shared<Schrift>();
        const QFontMetrics fm(f, Geraet);
        s->Ascent = fm.ascent();
        s->Gross = f.pixelSize() >= kGrossePixel;
    }
    c.Letzte = s.get();
    c.LetzteSchrift = f;
    c.LetzteDpi = Dpi;
    return *s;
}

Eintrag& EintragZu(Schrift& s, const QFont& f, QPaintDevice* Geraet, const QString& Text)
{
    auto it = s.Texte.find(Text);
    if (it != s.Texte.end())
        return *it;
    Cache& c = DerCache();
    if (c.Anzahl >= kHoechstzahl) {
        // Start afresh; the fonts and their metrics stay.
        for (auto& p : c.Schriften)
            p->Texte.clear();
        c.Anzahl = 0;
        c.BildBytes = 0;
    }
    Eintrag e;
    e.Breite = QFontMetrics(f, Geraet).horizontalAdvance(Text);
    QTextLayout Satz(Text, f, Geraet);
    Satz.beginLayout();
    QTextLine Zeile = Satz.createLine();
    if (Zeile.isValid()) {
        Zeile.setNumColumns(int(Text.size()));
        Satz.endLayout();
        e.Laeufe = Satz.glyphRuns();
        e.Oben = s.Ascent - Zeile.ascent();
    } else {
        Satz.endLayout();
    }
    ++c.Anzahl;
    ++c.Gesetzt;
    return *s.Texte.insert(Text, std::move(e));
}

// One run per glyph run holding its glyphs at every offset, in the order of the offsets.
void BaueRand(Eintrag& e, std::span<const QPoint> Rand)
{
    e.RandVersatz = QList<QPoint>(Rand.begin(), Rand.end());
    e.RandLaeufe.clear();
    for (const QGlyphRun& g : e.Laeufe) {
        const QList<quint32> Glyphen = g.glyphIndexes();
        const QList<QPointF> Orte = g.positions();
        QList<quint32> AlleGlyphen;
        QList<QPointF> AlleOrte;
        AlleGlyphen.reserve(Glyphen.size() * qsizetype(Rand.size()));
        AlleOrte.reserve(Orte.size() * qsizetype(Rand.size()));
        for (const QPoint& v : Rand) {
            AlleGlyphen += Glyphen;
            for (const QPointF& o : Orte)
                AlleOrte.append(o + QPointF(v));
        }
        QGlyphRun r = g;
        r.setGlyphIndexes(AlleGlyphen);
        r.setPositions(AlleOrte);
        e.RandLaeufe.append(r);
    }
}

bool GleicheVersaetze(const QList<QPoint>& a, std::span<const QPoint> b)
{
    return a.size() == qsizetype(b.size()) && std::equal(b.begin(), b.end(), a.cbegin());
}

// The halo (Rand in Randfarbe) and the text in Farbe, the layout's top left at Basis.
void ZeichneGlyphen(QPainter& P, const Schrift& s, Eintrag& e, QPointF Basis, std::span<const QPoint> Rand,
                    const QColor& Randfarbe, const QColor& Farbe)
{
    if (!Rand.empty()) {
        P.setPen(Randfarbe);
        if (s.Gross) {
            for (const QPoint& v : Rand)
                for (const QGlyphRun& g : e.Laeufe)
                    P.drawGlyphRun(Basis + QPointF(v), g);
        } else {
            if (!GleicheVersaetze(e.RandVersatz, Rand))
                BaueRand(e, Rand);
            for (const QGlyphRun& g : e.RandLaeufe)
                P.drawGlyphRun(Basis, g);
        }
    }
    P.setPen(Farbe);
    for (const QGlyphRun& g : e.Laeufe)
        P.drawGlyphRun(Basis, g);
}

// The picture of text and halo: blended once per pixel onto the target instead of once per
// copy of every glyph.
void BaueBild(const Schrift& s, Eintrag& e, std::span<const QPoint> Rand, TColor Farbe, TColor Randfarbe)
{
    Cache& c = DerCache();
    c.BildBytes -= e.Bild.sizeInBytes();
    e.Bild = QImage();
    e.BildFarbe = Farbe;
    e.BildRandfarbe = Randfarbe;
    e.BildRand = QList<QPoint>(Rand.begin(), Rand.end());
    QRectF Umriss;
    for (const QGlyphRun& g : e.Laeufe)
        Umriss |= g.boundingRect();
    if (Umriss.isEmpty())
        return;
    int l = 0, t = 0, r = 0, b = 0;
    for (const QPoint& v : Rand) {
        l = std::min(l, v.x());
        t = std::min(t, v.y());
        r = std::max(r, v.x());
        b = std::max(b, v.y());
    }
    // Antialiased edges reach a pixel beyond the glyphs' box.
    const QRect Feld = Umriss.translated(0, e.Oben).toAlignedRect().adjusted(l - 2, t - 2, r + 2, b + 2);
    if (c.BildBytes > kHoechstBildBytes) {
        for (auto& p : c.Schriften)
            for (Eintrag& x : p->Texte)
                x.Bild = QImage();
        c.BildBytes = 0;
    }
    QImage Bild(Feld.size(), QImage::Format_ARGB32_Premultiplied);
    Bild.fill(Qt::transparent);
    {
        QPainter P(&Bild);
        ZeichneGlyphen(P, s, e, QPointF(-Feld.left(), -Feld.top() + e.Oben), Rand, ColorToQColor(Randfarbe),
                       ColorToQColor(Farbe));
    }
    e.Bild = Bild;
    e.BildOrt = Feld.topLeft();
    c.BildBytes += e.Bild.sizeInBytes();
}

bool PasstFuerCache(const TCanvas& Canvas)
{
    if (!Canvas.IsActive() || Canvas.Font.Orientation != 0 || (Canvas.Font.Style & (fsUnderline | fsStrikeOut)) ||
        (Canvas.TextAlign() & TA_UPDATECP))
        return false;
    QPainter* p = Canvas.Painter(); // none on a metafile recorder
    return p && p->paintEngine() && p->paintEngine()->type() == QPaintEngine::Raster &&
           p->worldTransform().type() <= QTransform::TxTranslate;
}

} // namespace

bool GesetzterTextMoeglich(const TCanvas& Canvas)
{
    return PasstFuerCache(Canvas);
}

int GesetzteTextbreite(const TCanvas& Canvas, const QString& Text)
{
    if (!PasstFuerCache(Canvas))
        return Canvas.TextWidth(Text);
    const QFont f = Canvas.ResolvedFont();
    QPaintDevice* Geraet = Canvas.Painter()->device();
    return EintragZu(SchriftZu(f, Geraet), f, Geraet, Text).Breite;
}

void GesetzterTextOut(TCanvas& Canvas, int X, int Y, const QString& Text, std::span<const QPoint> Rand,
                      TColor Randfarbe)
{
    if (!PasstFuerCache(Canvas) || Canvas.Brush.Style != bsClear) {
        Canvas.TextOut(X, Y, Text, Rand, Randfarbe);
        return;
    }
    const QFont f = Canvas.ResolvedFont();
    QPainter& P = *Canvas.Painter();
    Schrift& s = SchriftZu(f, P.device());
    Eintrag& e = EintragZu(s, f, P.device(), Text);

    // The placement of TextOut: aligned by the whole-pixel width, the top at Y or above.
    int dx = 0;
    switch (Canvas.TextAlign() & 6) {
    case TA_CENTER:
        dx = -e.Breite / 2;
        break;
    case TA_RIGHT:
        dx = -e.Breite;
        break;
    default:
        break;
    }
    int Oben = 0;
    switch (Canvas.TextAlign() & 24) {
    case TA_BASELINE:
        Oben = -s.Ascent;
        break;
    case TA_BOTTOM:
        // The canvas's cell, which a cell height asked for may make shorter than the font's.
        Oben = -Canvas.TextHeight(Text);
        break;
    default:
        break;
    }
    const QColor Farbe = ColorToQColor(Canvas.Font.Color);
    if (P.compositionMode() != QPainter::CompositionMode_SourceOver || P.opacity() != 1.0) {
        const QPen Stift = P.pen();
        ZeichneGlyphen(P, s, e, QPointF(X + dx, Y + Oben + e.Oben), Rand, ColorToQColor(Randfarbe), Farbe);
        P.setPen(Stift);
    } else {
        if (e.Bild.isNull() || e.BildFarbe != Canvas.Font.Color || e.BildRandfarbe != Randfarbe ||
            !GleicheVersaetze(e.BildRand, Rand))
            BaueBild(s, e, Rand, Canvas.Font.Color, Randfarbe);
        if (!e.Bild.isNull())
            P.drawImage(QPoint(X + dx, Y + Oben) + e.BildOrt, e.Bild);
    }
    if (Canvas.OnChange)
        Canvas.OnChange();
}

void LeereTextsatzCache()
{
    DerCache().Leere();
    DerCache().Gesetzt = 0;
}

int TextsatzZaehler()
{
    return DerCache().Gesetzt;
}

} // namespace zl
