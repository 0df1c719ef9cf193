#include "learning/mapview/zl_lernkartenbild.h"

#include "datastore/JpegDatei.h"
#include "datastore/Kartenbilder.h"
#include "datastore/zl_data.h"

#include <QPainter>

#include <utility>

namespace zl
{

void TKartenVorrat::Vorbereiten(const QString& Pfad)
{
    if (Pfad.isEmpty() || Pfad == KartenCachePfad)
        return;
    if (m_bild && Pfad == m_pfad) {
        std::swap(KartenCache, m_bild);
        std::swap(KartenCachePfad, m_pfad);
        return;
    }
    if (KartenCache && !KartenCache->Empty() && !KartenCachePfad.isEmpty()) {
        m_bild = std::move(KartenCache);
        m_pfad = KartenCachePfad;
        KartenCache = std::make_unique<TBitmap32>();
        KartenCachePfad.clear();
    }
}

void TKartenVorrat::Leeren()
{
    m_bild.reset();
    m_pfad.clear();
}

QString AusschnittPfad(int BoxBreite, int BoxHoehe, const QString& KartID, const QString& KartTyp, double Zoom)
{
    QString p = KartenbildPfad(KartID, KartTyp, AufloesungFuerBox(BoxBreite, BoxHoehe, Zoom));
    if (BildDateiDa(p))
        return p;
    p = p.left(p.lastIndexOf(QLatin1Char('/')) + 1) + QLatin1String("xxx.dat");
    QString Gefunden;
    if (!BildDateiDa(p, &Gefunden))
        return QString();
    return Gefunden;
}

bool TLernkartenBild::Zeichne(const TLernkartenEingabe& E, TViewport& V)
{
    if (E.BoxBreite <= 0 || E.BoxHoehe <= 0)
        return false;
    m_vorrat.Vorbereiten(AusschnittPfad(E.BoxBreite, E.BoxHoehe, E.KartID, E.KartTyp, V.ZoomFaktor));
    QImage Neu;
    TRect A = V.Ausschnitt;
    if (!LadeKartenausschnitt(Neu, E.BoxBreite, E.BoxHoehe, E.KartID, E.KartTyp, V.ZoomFaktor, V.ScrollAnkerX,
                              V.ScrollAnkerY, A)) {
        // No picture at all: the labels on an empty picture of the size shown so far.
        Neu = QImage(m_bild.isNull() ? QSize(E.BoxBreite, E.BoxHoehe) : m_bild.size(), QImage::Format_RGB32);
        Neu.fill(Qt::white);
    }
    V.Ausschnitt = A;
    V.AusschnittSeitenverhaeltnis = double(Neu.width()) / Neu.height();
    {
        QPainter p(&Neu);
        TCanvas c(&p);
        ZeichneBeschriftungen(c, 0, 0, Neu.width(), Neu.height(), LernkartenSkala(V.ZoomFaktor), -1, A, E.Beschriftung);
    }
    ZeichneBildrand(Neu, 1);
    m_bild = std::move(Neu);
    ZeichneMinikarte(E, A);
    return true;
}

void TLernkartenBild::ZeichneMinikarte(const TLernkartenEingabe& E, const TRect& A)
{
    const QString Pfad = KleinbildPfad(E.KartID, E.KartTyp);
    const QSize Box(E.MiniBreite, E.MiniHoehe);
    if (Pfad != m_kleinPfad || Box != m_kleinBox) {
        m_kleinPfad = Pfad;
        m_kleinBox = Box;
        // A missing or damaged thumbnail leaves the mini-map empty, never another map's picture.
        m_klein = QImage();
        if (Box.width() > 0 && Box.height() > 0) {
            ++m_kleinLadungen;
            try {
                QImage Bild;
                if (LadeJpegBild(Bild, Box.width(), Box.height(), true, Pfad))
                    m_klein = std::move(Bild);
            } catch (const EBildFehler&) {
            }
        }
    }
    m_mini = m_klein.copy();
    if (m_mini.isNull())
        return;
    {
        QPainter p(&m_mini);
        TCanvas c(&p);
        c.Pen = TPen{TColor(96 | (96 << 8) | (96 << 16)), 1, psSolid};
        c.Brush.Style = bsClear;
        c.Rectangle(MiniKartenRahmen(A, m_mini.width(), m_mini.height()));
    }
    ZeichneBildrand(m_mini, 1);
}

} // namespace zl
