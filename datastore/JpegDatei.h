#pragma once

#include <cstdint>

// JPEG reading and writing through libjpeg-turbo, and BMP reading through QImage.
// Decoding writes straight into the target's pixels (blue, green, red, 255), and
// a damaged picture becomes an EBildFehler, never a process exit.

#include "controls/Exceptions.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace zl
{

class TBitmap32;

// A picture file that is missing, unreadable or not a valid picture. The text
// names the file and what is wrong with it.
// Limits of every picture reader, far above the largest bundled map picture;
// a header that claims more is refused before anything is allocated.
constexpr int kBildMaxSeite = 40000;
constexpr std::int64_t kBildMaxPixel = std::int64_t(64) << 20;
// A progressive JPEG with more scans than this is refused.
constexpr int kBildMaxScans = 100;

class EBildFehler : public Exception
{
  public:
    using Exception::Exception;
};

// Decodes a JPEG file (or bytes) into the bitmap, which takes the picture's size.
// Colour, greyscale and CMYK pictures are read; a truncated file is decoded as far
// as it goes, the rest grey. Throws EBildFehler; the bitmap is then left empty.
void LadeJpegDatei(TBitmap32& Ziel, const QString& Datei);
void LadeJpegDaten(TBitmap32& Ziel, const QByteArray& Daten, const QString& Name);
// The same into an ordinary bitmap (QImage::Format_RGB32).
QImage LadeJpegBildDatei(const QString& Datei);
QImage LadeJpegBildDaten(const QByteArray& Daten, const QString& Name);
// Width and height from the picture's header. Throws EBildFehler.
void JpegGroesse(const QString& Datei, int& Breite, int& Hoehe);

// A BMP file as an ordinary bitmap (Format_RGB32). Throws EBildFehler.
QImage LadeBmpDatei(const QString& Datei);

// JPEG bytes of the picture (alpha ignored) at the quality 1..100 (clamped);
// baseline, 4:2:0. Throws EBildFehler for an empty picture.
QByteArray KodiereJpeg(const QImage& Bild, int Qualitaet);
// Writes the picture as a JPEG file; the old file is replaced only when the new
// one is complete. Returns 0 or the Windows error code.
int SchreibeJpegDatei(const QString& Datei, const QImage& Bild, int Qualitaet);

} // namespace zl
