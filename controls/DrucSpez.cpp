#include "controls/DrucSpez.h"

#include "platform/Canvas.h"
#include "platform/MessageService.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace zl {

namespace {

double g_zehntelProPixelX = 0.0;
double g_zehntelProPixelY = 0.0;

void MerkeMasse(const DruckerMetrik& m)
{
    if (m.dpiX > 0)
        g_zehntelProPixelX = 254.0 / m.dpiX;
    if (m.dpiY > 0)
        g_zehntelProPixelY = 254.0 / m.dpiY;
}

// Inches per unit of a page layout (not converted through whole points, which
// would round the margins).
double ZollProEinheit(QPageLayout::Unit einheit)
{
    switch (einheit) {
    case QPageLayout::Millimeter: return 1.0 / 25.4;
    case QPageLayout::Inch: return 1.0;
    case QPageLayout::Pica: return 1.0 / 6.0;
    case QPageLayout::Didot: return 0.375 / 25.4;
    case QPageLayout::Cicero: return 4.5 / 25.4;
    default: return 1.0 / 72.0; // points (and device pixels, which the layout counts as points)
    }
}

// The painter must be printing on this printer.
bool AktivAuf(const QPainter& painter, const QPrinter& printer)
{
    return painter.isActive() && painter.device() == &printer;
}

bool AktiverDruck(const QPainter& painter)
{
    if (painter.isActive() && painter.device() && painter.device()->devType() == QInternal::Printer)
        return true;
    ZeigeFehler(KeinDruckerText());
    return false;
}

} // namespace

int PunkteInZehntelMm(long long punkte, int dpi)
{
    if (dpi <= 0)
        return 0;
    const long long z = punkte * 254;
    long long q = z / dpi;
    long long r = z % dpi;
    if (r < 0) {
        r += dpi;
        --q;
    }
    // Half to even on the exact fraction.
    if (2 * r > dpi || (2 * r == dpi && (q & 1) != 0))
        ++q;
    return int(q);
}

void HolePapierGroesse(const DruckerMetrik& m, int& breite, int& hoehe)
{
    breite = PunkteInZehntelMm(m.physBreite, m.dpiX);
    hoehe = PunkteInZehntelMm(m.physHoehe, m.dpiY);
}

void KorrigiereDruckRaender(const DruckerMetrik& m, int& links, int& oben)
{
    links = std::max(0, links - PunkteInZehntelMm(m.versatzX, m.dpiX));
    oben = std::max(0, oben - PunkteInZehntelMm(m.versatzY, m.dpiY));
}

QString KeinDruckerText()
{
    return QStringLiteral("Es ist kein Drucker vorhanden. Bitte richten Sie einen Drucker ein; "
                          "ohne Drucker kann nicht gedruckt werden.");
}

DruckerMetrik LeseDruckerMetrik(const QPrinter& printer)
{
    DruckerMetrik m;
    m.dpiX = printer.logicalDpiX();
    m.dpiY = printer.logicalDpiY();
    const QRectF papier = printer.paperRect(QPrinter::DevicePixel);
    m.physBreite = qRound(papier.width());
    m.physHoehe = qRound(papier.height());
    // The unprintable border is the printer's minimum margin (not the margins
    // a user chose): that is where the printable area begins.
    const QPageLayout layout = printer.pageLayout();
    const QMarginsF rand = layout.minimumMargins();
    const double zoll = ZollProEinheit(layout.units());
    m.versatzX = qRound(rand.left() * zoll * m.dpiX);
    m.versatzY = qRound(rand.top() * zoll * m.dpiY);
    return m;
}

bool DruckerBereit(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return true;
    if (printer.isValid() && !printer.printerName().isEmpty() && !QPrinterInfo::availablePrinters().isEmpty())
        return true;
    ZeigeFehler(KeinDruckerText());
    return false;
}

bool BeginneDruck(QPainter& painter, QPrinter& printer)
{
    if (!DruckerBereit(printer))
        return false;
    if (!painter.begin(&printer)) {
        ZeigeFehler(QStringLiteral("Der Druckauftrag konnte nicht gestartet werden."));
        return false;
    }
    return true;
}

bool SetzeDruckerMasstab(QPainter& painter, const QPrinter& printer)
{
    if (!AktivAuf(painter, printer)) {
        ZeigeFehler(KeinDruckerText());
        return false;
    }
    const DruckerMetrik m = LeseDruckerMetrik(printer);
    if (m.dpiX <= 0 || m.dpiY <= 0) {
        ZeigeFehler(KeinDruckerText());
        return false;
    }
    // The painter's origin is the paper's corner on a full page, else the corner
    // of the page layout's margins; the origin wanted is the printable area's.
    QPointF ursprung(0, 0);
    if (!printer.fullPage())
        ursprung = printer.pageRect(QPrinter::DevicePixel).topLeft()
                 - printer.paperRect(QPrinter::DevicePixel).topLeft();
    QTransform t;
    t.translate(m.versatzX - ursprung.x(), m.versatzY - ursprung.y());
    t.scale(m.dpiX / 254.0, m.dpiY / 254.0);
    painter.setWorldTransform(t);
    return true;
}

bool SetzeDruckerMasstab(TCanvas& canvas, const QPrinter& printer)
{
    if (!canvas.Painter()) {
        ZeigeFehler(KeinDruckerText());
        return false;
    }
    return SetzeDruckerMasstab(*canvas.Painter(), printer);
}

bool HolePapierGroesse(const QPrinter& printer, int& breite, int& hoehe)
{
    const DruckerMetrik m = LeseDruckerMetrik(printer);
    if (m.dpiX <= 0 || m.dpiY <= 0 || m.physBreite <= 0 || m.physHoehe <= 0) {
        ZeigeFehler(KeinDruckerText());
        return false;
    }
    MerkeMasse(m);
    HolePapierGroesse(m, breite, hoehe);
    return true;
}

bool KorrigiereDruckRaender(const QPrinter& printer, int& links, int& oben)
{
    const DruckerMetrik m = LeseDruckerMetrik(printer);
    if (m.dpiX <= 0 || m.dpiY <= 0) {
        ZeigeFehler(KeinDruckerText());
        return false;
    }
    MerkeMasse(m);
    KorrigiereDruckRaender(m, links, oben);
    return true;
}

bool DruckeBitmap(QPainter& painter, int left, int top, int right, int bottom, const QImage& bitmap)
{
    if (!AktiverDruck(painter))
        return false;
    if (bitmap.isNull())
        return true; // nothing to print is no failure
    const int w = right - left;
    const int h = bottom - top;
    if (w == 0 || h == 0)
        return true;
    // Negative extents mirror the picture, as a stretched copy does.
    const QImage bild = bitmap.mirrored(w < 0, h < 0);
    const QRect ziel(std::min(left, right), std::min(top, bottom), std::abs(w), std::abs(h));
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(ziel, bild, bild.rect());
    painter.restore();
    return true;
}

bool DruckeBitmap(TCanvas& canvas, int left, int top, int right, int bottom, const QImage& bitmap)
{
    if (!canvas.Painter()) {
        ZeigeFehler(KeinDruckerText());
        return false;
    }
    return DruckeBitmap(*canvas.Painter(), left, top, right, bottom, bitmap);
}

double DruckerZehntelProPixelX() { return g_zehntelProPixelX; }
double DruckerZehntelProPixelY() { return g_zehntelProPixelY; }

} // namespace zl
