#include "controls/MinHi800.h"

#include "platform/MessageService.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace zl {

namespace {
int g_ppi = 0;
} // namespace

bool GrafikmodusAusreichend(const BildschirmModus& m)
{
    return m.breite >= 800 && m.hoehe >= 600 && m.farbtiefe >= 15
        && (m.ppi <= 96 || (m.breite >= 1024 && m.hoehe >= 768));
}

QString GrafikmodusText(const BildschirmModus& m)
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("Falscher Grafikmodus! (Windows-Systemsteuerung / Eigenschaften von Anzeige)")
         + crlf + crlf
         + QStringLiteral("Für dieses Programm ist ein Grafikmodus mit einer Auflösung von mindestens "
                          "800 x 600 Pixel und einer Farbtiefe von mindestens 15 bzw. 16 Bit (High Color) "
                          "erforderlich. Außerdem sollten \"kleine Schriftarten\" (96 ppi) eingestellt "
                          "sein, damit Dialogfenster und Beschriftungen ganz auf den Bildschirm passen. "
                          "Bei Verwendung von \"großen Schriftarten\" (über 96 ppi) ist eine Auflösung "
                          "von mindestens 1024 x 768 Pixel empfehlenswert.")
         + crlf + crlf + QStringLiteral("Aktuelle Einstellungen:") + crlf
         + QStringLiteral("- Auflösung: ") + QString::number(m.breite) + QStringLiteral(" x ")
         + QString::number(m.hoehe) + QStringLiteral(" Pixel (Bildpunkte)") + crlf
         + QStringLiteral("- Farbtiefe: ") + QString::number(m.farbtiefe) + QStringLiteral(" Bit") + crlf
         + QStringLiteral("- Schriftarten: ") + QString::number(m.ppi)
         + QStringLiteral(" ppi (Pixel pro Inch)") + crlf + crlf
         + QStringLiteral("Programm trotzdem starten?");
}

BildschirmModus LeseBildschirmModus()
{
    BildschirmModus m;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return m;
    // Device pixels: a scaled desktop still has its full resolution.
    const qreal dpr = screen->devicePixelRatio();
    m.breite = int(std::lround(screen->size().width() * dpr));
    m.hoehe = int(std::lround(screen->size().height() * dpr));
    m.farbtiefe = screen->depth();
    m.ppi = int(std::lround(screen->logicalDotsPerInch() * dpr));
    return m;
}

bool PruefeGrafikmodus(const BildschirmModus& m)
{
    g_ppi = m.ppi;
    if (GrafikmodusAusreichend(m))
        return true;
    return ZeigeBox(MsgKind::Warnung, GrafikmodusText(m), {mbYes, mbNo}, mbYes) == mbYes;
}

bool PruefeGrafikmodus()
{
    return PruefeGrafikmodus(LeseBildschirmModus());
}

} // namespace zl

namespace zl {

int BildschirmPpi()
{
    return g_ppi;
}

} // namespace zl
