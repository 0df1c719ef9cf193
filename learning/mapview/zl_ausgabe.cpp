#include "learning/mapview/zl_ausgabe.h"

#include "datastore/JpegDatei.h"
#include "datastore/Kartenbilder.h"
#include "learning/mapview/zl_viewport.h"
#include "platform/FileAccess.h"
#include "platform/MetafileWriter.h"

#include <QBuffer>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>

#include <cmath>

namespace zl
{

namespace
{

QString schreibfehler(int Code)
{
    return QStringLiteral("Datei-Schreibfehler! (%1)").arg(Code);
}

QClipboard* zwischenablage()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

// The section of the large picture, cut 1:1.
QImage schneideAusschnitt(const TKartenausgabe& A)
{
    const QImage Bild = LadeJpegBildDatei(KartenbildPfad(A.KartID, A.KartTyp, QStringLiteral("1")));
    const int pw = Bild.width(), ph = Bild.height();
    const int x1 = RundeGerade(double(pw) * A.Ausschnitt.Left / 10000.0);
    const int y1 = RundeGerade(double(ph) * A.Ausschnitt.Top / 10000.0);
    const int x2 = RundeGerade(double(pw) * A.Ausschnitt.Right / 10000.0);
    const int y2 = RundeGerade(double(ph) * A.Ausschnitt.Bottom / 10000.0);
    return Bild.copy(x1, y1, x2 - x1, y2 - y1);
}

} // namespace

void ErmittleExportgroesse(const TKartenausgabe& A, int& W, int& H, int& Dateigroesse)
{
    int pw = 0, ph = 0;
    KartenbildInfo(pw, ph, Dateigroesse, A.KartID, A.KartTyp, QStringLiteral("1"));
    W = RundeGerade((A.Ausschnitt.Right - A.Ausschnitt.Left) / 10000.0 * pw);
    H = RundeGerade((A.Ausschnitt.Bottom - A.Ausschnitt.Top) / 10000.0 * ph);
}

int ExportJpegQualitaet(int Dateigroesse)
{
    return Dateigroesse <= 750000 ? 99 : 98;
}

double AusgabeSkala(bool Drucker, double ZoomFaktor, int W, int H)
{
    const double d = std::sqrt(double(W) * W + double(H) * H);
    return LernkartenSkala(ZoomFaktor) * (Drucker ? 0.00105 * d : d / 900.0);
}

QRect AusgabeRechteck(int X0, int Y0, int W, int H, const QRectF& F)
{
    const double bx = F.width(), by = F.height();
    if (!(bx > 0) || !(by > 0))
        return QRect(X0, Y0, W, H);
    return QRect(X0 - RundeGerade(W * F.left() / bx), Y0 - RundeGerade(H * F.top() / by), RundeGerade(W / bx),
                 RundeGerade(H / by));
}

void ZeichneKartenausschnitt(const TKartenausgabe& A, bool Drucker, TCanvas& Canvas, int X0, int Y0, int W, int H,
                             double sx, double sy, const QRectF& Flaeche)
{
    const QRect R = AusgabeRechteck(X0, Y0, W, H, Flaeche);
    // The clip as the platform's regions hold it: whole device pixels.
    auto geraet = [](int v, double s) { return s > 0 ? int(std::lround(std::lround(v / s) * s)) : v; };
    auto clip = [&](int rand) {
        Canvas.SetClipRect(geraet(X0 - rand, sx), geraet(Y0 - rand, sy), geraet(X0 + W + rand, sx),
                           geraet(Y0 + H + rand, sy));
    };
    const QImage Teil = schneideAusschnitt(A); // throws before anything is drawn
    clip(0);
    // The printer's bitmap transfer is the same nearest-pixel stretch.
    if (!Teil.isNull())
        Canvas.StretchDraw(R, Teil);
    clip(0);
    ZeichneBeschriftungen(Canvas, R.left(), R.top(), R.width(), R.height(), AusgabeSkala(Drucker, A.ZoomFaktor, W, H),
                          -1, A.Ausschnitt, A.Beschriftung);
    clip(100);
    Canvas.Pen = TPen{clBlack, 2, psSolid};
    Canvas.Brush.Style = bsClear;
    Canvas.Rectangle(X0, Y0, X0 + W + 1, Y0 + H + 1);
    Canvas.ClearClip();
}

QImage ZeichneKartenbild(const TKartenausgabe& A, int* Dateigroesse)
{
    int W = 0, H = 0, Groesse = 0;
    ErmittleExportgroesse(A, W, H, Groesse);
    if (Dateigroesse)
        *Dateigroesse = Groesse;
    if (W <= 0 || H <= 0)
        return {};
    QImage Bild(W, H, QImage::Format_RGB32);
    Bild.fill(Qt::white);
    QPainter p(&Bild);
    TCanvas c(&p);
    ZeichneKartenausschnitt(A, false, c, 0, 0, W, H, 1.0, 1.0);
    return Bild;
}

TMetafilePtr NimmKartenausschnittAuf(const TKartenausgabe& A)
{
    int W = 0, H = 0, Groesse = 0;
    ErmittleExportgroesse(A, W, H, Groesse);
    TMetafileRecorder Rec(QSize(std::max(0, W), std::max(0, H)));
    if (W > 0 && H > 0)
        ZeichneKartenausschnitt(A, false, Rec.Canvas(), 0, 0, W, H, 1.0, 1.0);
    return Rec.Beenden();
}

TExportArt ExportArtFuerName(const QString& Datei)
{
    const QString e = QFileInfo(Datei).suffix().toUpper();
    if (e == QLatin1String("BMP"))
        return TExportArt::Bitmap;
    if (e == QLatin1String("JPG"))
        return TExportArt::Jpeg;
    if (e == QLatin1String("WMF") || e == QLatin1String("EMF"))
        return TExportArt::Metafile;
    return TExportArt::Ungueltig;
}

QString UngueltigeEndungText()
{
    return QStringLiteral("Export fehlgeschlagen wegen ungültiger Dateiendung.");
}

bool ExportiereMetafile(const TKartenausgabe& A, const QString& Datei, QString& Fehler)
{
    try {
        const TMetafilePtr Mf = NimmKartenausschnittAuf(A);
        if (Datei.isEmpty()) {
            QClipboard* zw = zwischenablage();
            QMimeData* Daten = zw ? MetafileMimeDaten(*Mf, &Fehler) : nullptr;
            if (!Daten)
                return false;
            zw->setMimeData(Daten);
            return true;
        }
        return SpeichereMetafile(*Mf, Datei, &Fehler);
    } catch (const EBildFehler& e) {
        Fehler = e.message();
        return false;
    }
}

bool ExportiereBitmap(const TKartenausgabe& A, const QString& Datei, bool AlsJpeg, QString& Fehler)
{
    try {
        int Groesse = 0;
        const QImage Bild = ZeichneKartenbild(A, &Groesse);
        if (Bild.isNull()) {
            Fehler = QStringLiteral("Der Kartenausschnitt ist leer.");
            return false;
        }
        int Code = 0;
        if (AlsJpeg) {
            Code = SchreibeJpegDatei(Datei, Bild, ExportJpegQualitaet(Groesse));
        } else if (Datei.isEmpty()) {
            QClipboard* zw = zwischenablage();
            if (!zw) {
                Fehler = QStringLiteral("Die Zwischenablage ist nicht verfügbar.");
                return false;
            }
            zw->setImage(Bild);
            return true;
        } else {
            QByteArray Bytes;
            QBuffer Puffer(&Bytes);
            Puffer.open(QIODevice::WriteOnly);
            if (!Bild.save(&Puffer, "BMP")) {
                Fehler = schreibfehler(kErrGeneral);
                return false;
            }
            Code = writeFileAtomically(Datei, Bytes);
        }
        if (Code != 0) {
            Fehler = schreibfehler(Code);
            return false;
        }
        return true;
    } catch (const EBildFehler& e) {
        Fehler = e.message();
        return false;
    }
}

} // namespace zl
