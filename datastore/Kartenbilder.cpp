#include "datastore/Kartenbilder.h"

#include "controls/Dspez.h"
#include "datastore/JpegDatei.h"
#include "datastore/zl_data.h"
#include "platform/FileAccess.h"

#include <QFileInfo>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace zl
{

namespace
{

// Round to the nearest whole number, a half to the even neighbour (the default
// rounding mode, which the programs never change).
long long rundeGerade(long double x)
{
    return std::llrint(x);
}

// The path with its extension replaced (or appended when it has none).
QString mitEndung(const QString& pfad, const QString& endung)
{
    const qsizetype schraeg = pfad.lastIndexOf(u'/');
    const qsizetype punkt = pfad.lastIndexOf(u'.');
    if (punkt > schraeg)
        return pfad.left(punkt) + endung;
    return pfad + endung;
}

QString ordnerVon(const QString& pfad)
{
    return pfad.left(pfad.lastIndexOf(u'/') + 1);
}

// The existing file under the name or its ".dat" twin; empty when neither exists.
QString mitDatErsatz(const QString& Datei)
{
    QString gefunden;
    if (BildDateiDa(Datei, &gefunden))
        return gefunden;
    if (BildDateiDa(mitEndung(Datei, QStringLiteral(".dat")), &gefunden))
        return gefunden;
    return {};
}

QImage leereKopie(int breite, int hoehe)
{
    return QImage(breite, hoehe, QImage::Format_RGB32);
}

// The whole picture fitted into the box, nearest pixel; false when a size is 0.
bool passeBildEin(const QImage& quelle, int boxBreite, int boxHoehe, QImage& ziel)
{
    int b = 0, h = 0;
    if (!PasseEin(quelle.width(), quelle.height(), boxBreite, boxHoehe, b, h))
        return false;
    QImage neu = leereKopie(b, h);
    StreckeNaechstes(quelle.constBits(), quelle.bytesPerLine(), RectOf(0, 0, quelle.width(), quelle.height()),
                     neu.bits(), neu.bytesPerLine(), b, h);
    ziel = std::move(neu);
    return true;
}

bool istBmpName(const QString& Datei)
{
    return AnsiUpperCase(Datei).endsWith(QLatin1String(".BMP"));
}

bool ladeBild(QImage& Ziel, int BoxBreite, int BoxHoehe, bool Einpassen, const QString& Datei, bool bmp)
{
    const QString pfad = mitDatErsatz(Datei);
    if (pfad.isEmpty())
        return false;
    QImage bild = bmp ? LadeBmpDatei(pfad) : LadeJpegBildDatei(pfad);
    if (!Einpassen) {
        Ziel = std::move(bild);
        return true;
    }
    return passeBildEin(bild, BoxBreite, BoxHoehe, Ziel);
}

} // namespace

bool BildDateiDa(const QString& Datei, QString* Gefunden)
{
    if (Datei.isEmpty())
        return false;
    const QString pfad = resolvePath(Datei);
    const QFileInfo info(pfad);
    if (!info.exists() || info.isDir())
        return false;
    if (Gefunden)
        *Gefunden = pfad;
    return true;
}

QString KartenbildPfad(const QString& KartID, const QString& KartTyp, const QString& Aufloesung)
{
    const QString stamm = KartenVerz + KartID + u'-' + KartTyp + u'-';
    QString gefunden;
    QString p = stamm + Aufloesung + QLatin1String(".jpg");
    if (BildDateiDa(p, &gefunden))
        return gefunden;
    p = mitEndung(p, QStringLiteral(".dat"));
    if (BildDateiDa(p, &gefunden))
        return gefunden;
    if (Aufloesung == u"1") {
        p = stamm + QLatin1String("5.jpg");
        if (BildDateiDa(p, &gefunden))
            return gefunden;
        p = mitEndung(p, QStringLiteral(".dat"));
        if (BildDateiDa(p, &gefunden))
            return gefunden;
    }
    return p;
}

QString KleinbildPfad(const QString& KartID, const QString& KartTyp)
{
    QString gefunden;
    QString p = KartenVerz + QLatin1String("klein/") + KartID + u'-' + KartTyp + QLatin1String("-K.jpg");
    if (BildDateiDa(p, &gefunden))
        return gefunden;
    p = mitEndung(p, QStringLiteral(".dat"));
    if (BildDateiDa(p, &gefunden))
        return gefunden;
    p = ordnerVon(p) + QLatin1String("xxx.dat");
    if (BildDateiDa(p, &gefunden))
        return gefunden;
    return p;
}

bool PasseEin(int W, int H, int BoxBreite, int BoxHoehe, int& Breite, int& Hoehe)
{
    if (W <= 0 || H <= 0 || BoxBreite <= 0 || BoxHoehe <= 0)
        return false;
    const long double w = W, h = H, bb = BoxBreite, bh = BoxHoehe;
    long long b = 0, hh = 0;
    if (h / bh > w / bb) {
        hh = BoxHoehe;
        b = rundeGerade(bh * w / h);
    } else {
        b = BoxBreite;
        hh = rundeGerade(bb * h / w);
    }
    if (b <= 0 || hh <= 0)
        return false;
    Breite = int(b);
    Hoehe = int(hh);
    return true;
}

bool LadeBmpBild(QImage& Ziel, int BoxBreite, int BoxHoehe, bool Einpassen, const QString& Datei)
{
    return ladeBild(Ziel, BoxBreite, BoxHoehe, Einpassen, Datei, true);
}

bool LadeJpegBild(QImage& Ziel, int BoxBreite, int BoxHoehe, bool Einpassen, const QString& Datei)
{
    return ladeBild(Ziel, BoxBreite, BoxHoehe, Einpassen, Datei, false);
}

bool LadeKartenbild(QImage& Bild, int BoxBreite, int BoxHoehe, const QString& Datei, bool Einpassen, bool Rahmen)
{
    const bool geladen = istBmpName(Datei) ? LadeBmpBild(Bild, BoxBreite, BoxHoehe, Einpassen, Datei)
                                           : LadeJpegBild(Bild, BoxBreite, BoxHoehe, Einpassen, Datei);
    if (geladen && Rahmen)
        ZeichneBildrand(Bild, 1);
    return geladen;
}

bool LadeJpegInBild(TBitmap32& Ziel, int BoxBreite, int BoxHoehe, bool Einpassen, const QString& Datei)
{
    QImage bild;
    if (!LadeJpegBild(bild, BoxBreite, BoxHoehe, Einpassen, Datei))
        return false;
    Ziel.Assign(bild);
    return true;
}

bool LadeJpegGestreckt(QImage& Ziel, int Breite, int Hoehe, const QString& Datei)
{
    const QString pfad = mitDatErsatz(Datei);
    if (pfad.isEmpty())
        return false;
    const QImage bild = LadeJpegBildDatei(pfad);
    if (Breite <= 0 || Hoehe <= 0)
        return false;
    QImage neu = leereKopie(Breite, Hoehe);
    StreckeOder(bild.constBits(), bild.bytesPerLine(), bild.width(), bild.height(), neu.bits(), neu.bytesPerLine(),
                Breite, Hoehe);
    Ziel = std::move(neu);
    return true;
}

bool LadeJpegGeglaettet(QImage& Ziel, int Breite, int Hoehe, const QString& Datei)
{
    const QString pfad = mitDatErsatz(Datei);
    if (pfad.isEmpty())
        return false;
    TBitmap32 bild;
    LadeJpegDatei(bild, pfad);
    if (Breite <= 0 || Hoehe <= 0)
        return false;
    TBitmap32 neu;
    neu.SetDimensions(Breite, Hoehe);
    bild.SetStretchFilter(sfLinear);
    bild.DrawInto(neu, TRect{0, 0, Breite, Hoehe});
    Ziel = neu.ImageViewRGB32().copy();
    return true;
}

bool LadeJpegGestrecktInBild(TBitmap32& Ziel, int Breite, int Hoehe, const QString& Datei)
{
    QImage bild;
    if (!LadeJpegGestreckt(bild, Breite, Hoehe, Datei))
        return false;
    Ziel.Assign(bild);
    return true;
}

bool LadeKartenCache(const QString& Datei)
{
    if (!KartenCache)
        KartenCache = std::make_unique<TBitmap32>();
    const QString pfad = mitDatErsatz(Datei);
    if (pfad.isEmpty()) {
        // Never leave another map's picture under the new name.
        KartenCache->SetDimensions(0, 0);
        KartenCachePfad.clear();
        return false;
    }
    try {
        LadeJpegDatei(*KartenCache, pfad);
    } catch (...) {
        KartenCachePfad.clear();
        throw;
    }
    KartenCachePfad = Datei;
    return true;
}

void KartenbildInfo(int& Breite, int& Hoehe, int& Groesse, const QString& KartID, const QString& KartTyp,
                    const QString& Aufloesung)
{
    const QString pfad = KartenbildPfad(KartID, KartTyp, Aufloesung);
    int b = 0, h = 0;
    JpegGroesse(pfad, b, h); // throws for a missing file
    Breite = b;
    Hoehe = h;
    Groesse = ErmittleDateiGroesse(pfad);
}

QString AufloesungFuerBox(int BoxBreite, int BoxHoehe, double Zoom)
{
    const long double z = Zoom;
    return (BoxBreite * z >= 950 || BoxHoehe * z >= 850) ? QStringLiteral("1") : QStringLiteral("5");
}

bool BerechneAusschnitt(int W, int H, int BoxBreite, int BoxHoehe, double Zoom, int AnkerX, int AnkerY,
                        Kartenausschnitt& Ergebnis)
{
    if (W <= 0 || H <= 0 || BoxBreite <= 0 || BoxHoehe <= 0 || !(Zoom > 0) || !std::isfinite(Zoom))
        return false;
    const long double w = W, h = H, bb = BoxBreite, bh = BoxHoehe, z = Zoom;

    long long fitW = 0, fitH = 0;
    if (h / bh <= w / bb) {
        fitW = BoxBreite;
        fitH = rundeGerade(bb * h / w);
    } else {
        fitH = BoxHoehe;
        fitW = rundeGerade(bh * w / h);
    }
    if (fitW <= 0 || fitH <= 0)
        return false;

    const long long dW = std::min<long long>(rundeGerade(fitW * z), BoxBreite);
    const long long dH = std::min<long long>(rundeGerade(fitH * z), BoxHoehe);
    if (dW <= 0 || dH <= 0)
        return false;
    const long long sW = std::min<long long>(W, rundeGerade(w / z * dW / fitW));
    const long long sH = std::min<long long>(H, rundeGerade(h / z * dH / fitH));
    if (sW <= 0 || sH <= 0)
        return false;

    auto kanten = [](int anker, long long gesamt, long long s, long long& a, long long& e) {
        if (anker < 0) {
            a = 0;
            e = s;
        } else if (anker == 0) {
            a = rundeGerade((gesamt - s) / 2.0L);
            e = rundeGerade((gesamt + s) / 2.0L);
        } else {
            a = gesamt - s;
            e = gesamt;
        }
    };
    long long x0, x1, y0, y1;
    kanten(AnkerX, W, sW, x0, x1);
    kanten(AnkerY, H, sH, y0, y1);

    Ergebnis.Breite = int(dW);
    Ergebnis.Hoehe = int(dH);
    Ergebnis.Quelle = RectOf(int(x0), int(y0), int(x1), int(y1));
    Ergebnis.Ausschnitt = RectOf(int(rundeGerade(x0 / w * 10000)), int(rundeGerade(y0 / h * 10000)),
                                 int(rundeGerade(x1 / w * 10000)), int(rundeGerade(y1 / h * 10000)));
    return true;
}

bool LadeKartenausschnitt(QImage& Ziel, int BoxBreite, int BoxHoehe, const QString& KartID, const QString& KartTyp,
                          double Zoom, int AnkerX, int AnkerY, TRect& Ausschnitt)
{
    if (BoxBreite <= 0 || BoxHoehe <= 0)
        return false;
    QString p = KartenbildPfad(KartID, KartTyp, AufloesungFuerBox(BoxBreite, BoxHoehe, Zoom));
    if (!BildDateiDa(p)) {
        p = ordnerVon(p) + QLatin1String("xxx.dat");
        QString gefunden;
        if (!BildDateiDa(p, &gefunden))
            return false;
        p = gefunden;
    }
    if (!KartenCache || KartenCachePfad != p) {
        if (!LadeKartenCache(p))
            return false;
    }
    // The cached picture is only read, so the section is cut from it directly
    // rather than from a copy.
    const TBitmap32& bild = *KartenCache;
    Kartenausschnitt a;
    if (bild.Empty() || !BerechneAusschnitt(bild.Width(), bild.Height(), BoxBreite, BoxHoehe, Zoom, AnkerX, AnkerY, a))
        return false;
    QImage neu = leereKopie(a.Breite, a.Hoehe);
    if (neu.isNull())
        return false;
    StreckeNaechstes(reinterpret_cast<const uchar*>(bild.Bits()), bild.BytesPerLine(), a.Quelle, neu.bits(),
                     neu.bytesPerLine(), a.Breite, a.Hoehe);
    Ziel = std::move(neu);
    Ausschnitt = a.Ausschnitt;
    return true;
}

void StreckeNaechstes(const uchar* Quelle, qsizetype QuellZeile, const TRect& QuellRect, uchar* Ziel,
                      qsizetype ZielZeile, int Breite, int Hoehe)
{
    const long long sW = QuellRect.Width(), sH = QuellRect.Height();
    if (Breite <= 0 || Hoehe <= 0 || sW <= 0 || sH <= 0)
        return;
    // Each target pixel takes the source pixel under its centre.
    std::vector<int> spalte(static_cast<std::size_t>(Breite));
    for (int x = 0; x < Breite; ++x)
        spalte[std::size_t(x)] = QuellRect.Left + int((2LL * x + 1) * sW / (2LL * Breite));
    int letzteZeile = -1;
    for (int y = 0; y < Hoehe; ++y) {
        const int sy = QuellRect.Top + int((2LL * y + 1) * sH / (2LL * Hoehe));
        auto* z = reinterpret_cast<quint32*>(Ziel + std::ptrdiff_t(y) * ZielZeile);
        if (sy == letzteZeile) {
            std::memcpy(z, Ziel + std::ptrdiff_t(y - 1) * ZielZeile, std::size_t(Breite) * 4);
            continue;
        }
        const auto* q = reinterpret_cast<const quint32*>(Quelle + std::ptrdiff_t(sy) * QuellZeile);
        if (sW == Breite) {
            std::memcpy(z, q + QuellRect.Left, std::size_t(Breite) * 4);
        } else {
            const int* s = spalte.data();
            for (int x = 0; x < Breite; ++x)
                z[x] = q[s[x]];
        }
        letzteZeile = sy;
    }
}

namespace
{

// Per target pixel the source range [von, bis): the pixels a reduction merges,
// or the one nearest pixel of an enlargement.
void bereiche(int quelle, int ziel, std::vector<int>& von, std::vector<int>& bis)
{
    von.resize(std::size_t(ziel));
    bis.resize(std::size_t(ziel));
    for (int i = 0; i < ziel; ++i) {
        if (quelle > ziel) {
            const int a = int(1LL * i * quelle / ziel);
            const int e = int(1LL * (i + 1) * quelle / ziel);
            von[std::size_t(i)] = a;
            bis[std::size_t(i)] = std::max(e, a + 1);
        } else {
            const int a = int((2LL * i + 1) * quelle / (2LL * ziel));
            von[std::size_t(i)] = a;
            bis[std::size_t(i)] = a + 1;
        }
    }
}

} // namespace

void StreckeOder(const uchar* Quelle, qsizetype QuellZeile, int QuellBreite, int QuellHoehe, uchar* Ziel,
                 qsizetype ZielZeile, int Breite, int Hoehe)
{
    if (Breite <= 0 || Hoehe <= 0 || QuellBreite <= 0 || QuellHoehe <= 0)
        return;
    std::vector<int> xv, xb, yv, yb;
    bereiche(QuellBreite, Breite, xv, xb);
    bereiche(QuellHoehe, Hoehe, yv, yb);
    for (int y = 0; y < Hoehe; ++y) {
        auto* z = reinterpret_cast<quint32*>(Ziel + std::ptrdiff_t(y) * ZielZeile);
        for (int x = 0; x < Breite; ++x) {
            quint32 wert = 0;
            for (int sy = yv[std::size_t(y)]; sy < yb[std::size_t(y)]; ++sy) {
                const auto* q = reinterpret_cast<const quint32*>(Quelle + std::ptrdiff_t(sy) * QuellZeile);
                for (int sx = xv[std::size_t(x)]; sx < xb[std::size_t(x)]; ++sx)
                    wert |= q[sx];
            }
            z[x] = wert | 0xFF000000u;
        }
    }
}

void ZeichneBildrand(QPainter& Canvas, int Hoehe, int Breite, int Stiftbreite)
{
    if (Breite <= 0 || Hoehe <= 0 || Stiftbreite <= 0)
        return;
    // The pen is centred on the outline through the pixels 0 and Breite - 1 (and
    // 0 and Hoehe - 1), so a pen of width 1 covers exactly those pixels.
    const int vor = Stiftbreite / 2;
    const int r = Breite - 1, u = Hoehe - 1;
    const QColor schwarz(0, 0, 0);
    Canvas.save();
    Canvas.setRenderHint(QPainter::Antialiasing, false);
    Canvas.fillRect(QRect(-vor, -vor, r + Stiftbreite, Stiftbreite), schwarz);
    Canvas.fillRect(QRect(-vor, u - vor, r + Stiftbreite, Stiftbreite), schwarz);
    Canvas.fillRect(QRect(-vor, -vor, Stiftbreite, u + Stiftbreite), schwarz);
    Canvas.fillRect(QRect(r - vor, -vor, Stiftbreite, u + Stiftbreite), schwarz);
    Canvas.restore();
}

void ZeichneBildrand(QImage& Bild, int Stiftbreite)
{
    if (Bild.isNull())
        return;
    QPainter p(&Bild);
    ZeichneBildrand(p, Bild.height(), Bild.width(), Stiftbreite);
}

} // namespace zl
