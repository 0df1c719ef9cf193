#include "datastore/JpegDatei.h"

#include "platform/FileAccess.h"
#include "raster/Rast32.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

namespace zl
{

namespace
{

// libjpeg's default error handler ends the process; this one jumps back to the
// call, which turns the message into an EBildFehler.
struct Fehlermanager {
    jpeg_error_mgr pub;
    std::jmp_buf sprung;
    char text[JMSG_LENGTH_MAX];
};

extern "C" void fehlerAusgang(j_common_ptr cinfo)
{
    auto* em = reinterpret_cast<Fehlermanager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, em->text);
    std::longjmp(em->sprung, 1);
}

// Warnings (a truncated file, damaged data) are not printed; libjpeg goes on.
extern "C" void keineAusgabe(j_common_ptr) {}

// A progressive file of endless scans would decode for minutes: stop it.
extern "C" void scanGrenze(j_common_ptr cinfo)
{
    if (!cinfo->is_decompressor
        || reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number <= kBildMaxScans)
        return;
    auto* em = reinterpret_cast<Fehlermanager*>(cinfo->err);
    std::snprintf(em->text, sizeof em->text, "more than %d scans", kBildMaxScans);
    std::longjmp(em->sprung, 1);
}

bool innerhalbDerGrenzen(std::int64_t breite, std::int64_t hoehe)
{
    return breite <= kBildMaxSeite && hoehe <= kBildMaxSeite && breite * hoehe <= kBildMaxPixel;
}

// What a JPEG header may claim: the limits, and what the bytes can hold (every
// 8 x 8 block of the first component costs at least one bit).
bool groesseGlaubhaft(std::int64_t breite, std::int64_t hoehe, std::int64_t bytes)
{
    return innerhalbDerGrenzen(breite, hoehe) && breite * hoehe <= bytes * 8 * 64;
}

QString anzeigeName(const QString& Datei)
{
    return QDir::toNativeSeparators(Datei);
}

QByteArray leseDatei(const QString& Datei)
{
    const QString pfad = resolvePath(Datei);
    ReadFile f;
    const int code = f.open(pfad);
    if (code != 0)
        throw EBildFehler(QStringLiteral("Die Bilddatei %1 kann nicht geöffnet werden (Fehler %2).")
                              .arg(anzeigeName(Datei))
                              .arg(code));
    bool ok = true;
    QByteArray bytes = f.readAll(&ok);
    if (!ok)
        throw EBildFehler(QStringLiteral("Die Bilddatei %1 kann nicht gelesen werden.").arg(anzeigeName(Datei)));
    return bytes;
}

// Where the decoded rows go: a buffer of Breite x Hoehe pixels, 4 bytes each.
struct Zielpuffer {
    // Allocates the buffer for the picture's size; nullptr on failure.
    unsigned char* (*anlegen)(void* ziel, int breite, int hoehe, std::ptrdiff_t* zeile);
    void* ziel;
};

enum class Ergebnis { Ok, Fehler, Speicher, ZuGross };

// Everything between setjmp and the jump is C data only, so the jump skips no
// destructor. The caller's cinfo is destroyed by the caller.
Ergebnis dekodiere(jpeg_decompress_struct* cinfo, Fehlermanager* em, const unsigned char* daten, unsigned long groesse,
                   const Zielpuffer* puffer, bool nurKopf, int* breite, int* hoehe)
{
    if (setjmp(em->sprung))
        return Ergebnis::Fehler;

    jpeg_mem_src(cinfo, daten, groesse);
    jpeg_read_header(cinfo, TRUE);
    *breite = int(cinfo->image_width);
    *hoehe = int(cinfo->image_height);
    if (!groesseGlaubhaft(cinfo->image_width, cinfo->image_height, std::int64_t(groesse)))
        return Ergebnis::ZuGross;
    if (nurKopf)
        return Ergebnis::Ok;

    const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
    cinfo->dct_method = JDCT_ISLOW;
    jpeg_start_decompress(cinfo);
    // CMYK rows are converted from a row of libjpeg's own pool, freed with the decoder.
    unsigned char* cmykZeile = nullptr;
    if (cmyk)
        cmykZeile = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                                cinfo->output_width * 4, 1)[0];

    std::ptrdiff_t zeile = 0;
    unsigned char* basis = puffer->anlegen(puffer->ziel, int(cinfo->output_width), int(cinfo->output_height), &zeile);
    if (!basis)
        return Ergebnis::Speicher;

    // Adobe writes CMYK inverted (0 = full ink); others store ink directly.
    const bool invertiert = cinfo->saw_Adobe_marker;
    while (cinfo->output_scanline < cinfo->output_height) {
        unsigned char* z = basis + std::ptrdiff_t(cinfo->output_scanline) * zeile;
        if (!cmyk) {
            JSAMPROW row = z;
            jpeg_read_scanlines(cinfo, &row, 1);
            continue;
        }
        JSAMPROW row = cmykZeile;
        jpeg_read_scanlines(cinfo, &row, 1);
        for (unsigned x = 0; x < cinfo->output_width; ++x) {
            unsigned c = cmykZeile[4 * x], m = cmykZeile[4 * x + 1], y = cmykZeile[4 * x + 2], k = cmykZeile[4 * x + 3];
            if (!invertiert) {
                c = 255 - c;
                m = 255 - m;
                y = 255 - y;
                k = 255 - k;
            }
            z[4 * x] = static_cast<unsigned char>((y * k + 127) / 255);
            z[4 * x + 1] = static_cast<unsigned char>((m * k + 127) / 255);
            z[4 * x + 2] = static_cast<unsigned char>((c * k + 127) / 255);
            z[4 * x + 3] = 255;
        }
    }
    jpeg_finish_decompress(cinfo);
    return Ergebnis::Ok;
}

struct DekoderGuard {
    jpeg_decompress_struct cinfo;
    Fehlermanager em;
    jpeg_progress_mgr fortschritt;
    DekoderGuard()
    {
        std::memset(&cinfo, 0, sizeof cinfo);
        std::memset(&fortschritt, 0, sizeof fortschritt);
        cinfo.err = jpeg_std_error(&em.pub);
        em.pub.error_exit = fehlerAusgang;
        em.pub.output_message = keineAusgabe;
        em.text[0] = 0;
        jpeg_create_decompress(&cinfo);
        fortschritt.progress_monitor = scanGrenze;
        cinfo.progress = &fortschritt;
    }
    ~DekoderGuard() { jpeg_destroy_decompress(&cinfo); }
};

// Decodes the bytes; throws EBildFehler. The allocator is called once with the size.
void dekodiereOderWirf(const QByteArray& daten, const QString& name, const Zielpuffer* puffer, bool nurKopf,
                       int& breite, int& hoehe)
{
    if (daten.isEmpty())
        throw EBildFehler(QStringLiteral("Die Bilddatei %1 ist leer.").arg(anzeigeName(name)));
    DekoderGuard d;
    int w = 0, h = 0;
    const Ergebnis e = dekodiere(&d.cinfo, &d.em, reinterpret_cast<const unsigned char*>(daten.constData()),
                                 static_cast<unsigned long>(daten.size()), puffer, nurKopf, &w, &h);
    if (e == Ergebnis::Fehler) {
        // libjpeg's messages are plain ASCII.
        throw EBildFehler(QStringLiteral("Die Bilddatei %1 ist kein gültiges JPEG-Bild (%2).")
                              .arg(anzeigeName(name), QString::fromLatin1(d.em.text)));
    }
    if (e == Ergebnis::ZuGross)
        throw EBildFehler(QStringLiteral("Die Bilddatei %1 ist beschädigt oder zu groß (%2 x %3 Pixel).")
                              .arg(anzeigeName(name))
                              .arg(w)
                              .arg(h));
    if (e == Ergebnis::Speicher)
        throw EBildFehler(QStringLiteral("Für die Bilddatei %1 (%2 x %3 Pixel) ist nicht genug Speicher frei.")
                              .arg(anzeigeName(name))
                              .arg(w)
                              .arg(h));
    breite = w;
    hoehe = h;
}

unsigned char* legeBitmapAn(void* ziel, int breite, int hoehe, std::ptrdiff_t* zeile)
{
    auto* bmp = static_cast<TBitmap32*>(ziel);
    try {
        bmp->SetDimensions(breite, hoehe);
    } catch (const std::exception&) {
        return nullptr;
    }
    *zeile = std::ptrdiff_t(breite) * 4;
    return reinterpret_cast<unsigned char*>(bmp->Bits());
}

unsigned char* legeBildAn(void* ziel, int breite, int hoehe, std::ptrdiff_t* zeile)
{
    auto* img = static_cast<QImage*>(ziel);
    // The same limit as the 32-bit bitmap, checked before anything is allocated.
    if (std::int64_t(breite) * hoehe * 4 > TBitmap32::MaxPixelBytes)
        return nullptr;
    *img = QImage(breite, hoehe, QImage::Format_RGB32);
    if (img->isNull())
        return nullptr;
    *zeile = img->bytesPerLine();
    return img->bits();
}

} // namespace

void LadeJpegDaten(TBitmap32& Ziel, const QByteArray& Daten, const QString& Name)
{
    const Zielpuffer puffer{legeBitmapAn, &Ziel};
    int w = 0, h = 0;
    try {
        dekodiereOderWirf(Daten, Name, &puffer, false, w, h);
    } catch (...) {
        Ziel.SetDimensions(0, 0);
        throw;
    }
}

void LadeJpegDatei(TBitmap32& Ziel, const QString& Datei)
{
    QByteArray daten;
    try {
        daten = leseDatei(Datei);
    } catch (...) {
        Ziel.SetDimensions(0, 0);
        throw;
    }
    LadeJpegDaten(Ziel, daten, Datei);
}

QImage LadeJpegBildDaten(const QByteArray& Daten, const QString& Name)
{
    QImage bild;
    const Zielpuffer puffer{legeBildAn, &bild};
    int w = 0, h = 0;
    dekodiereOderWirf(Daten, Name, &puffer, false, w, h);
    return bild;
}

QImage LadeJpegBildDatei(const QString& Datei)
{
    return LadeJpegBildDaten(leseDatei(Datei), Datei);
}

void JpegGroesse(const QString& Datei, int& Breite, int& Hoehe)
{
    dekodiereOderWirf(leseDatei(Datei), Datei, nullptr, true, Breite, Hoehe);
}

QImage LadeBmpDatei(const QString& Datei)
{
    const QByteArray daten = leseDatei(Datei);
    QBuffer puffer;
    puffer.setData(daten);
    QImageReader kopf(&puffer, "BMP");
    const QSize claimed = kopf.size();
    if (claimed.isValid() && !innerhalbDerGrenzen(claimed.width(), claimed.height()))
        throw EBildFehler(QStringLiteral("Die Bilddatei %1 ist beschädigt oder zu groß (%2 x %3 Pixel).")
                              .arg(anzeigeName(Datei))
                              .arg(claimed.width())
                              .arg(claimed.height()));
    QImage bild = QImage::fromData(daten, "BMP");
    if (bild.isNull())
        throw EBildFehler(QStringLiteral("Die Bilddatei %1 ist kein gültiges BMP-Bild.").arg(anzeigeName(Datei)));
    return bild.convertToFormat(QImage::Format_RGB32);
}

namespace
{

struct KodiererGuard {
    jpeg_compress_struct cinfo;
    Fehlermanager em;
    unsigned char* ausgabe = nullptr;
    unsigned long groesse = 0;
    KodiererGuard()
    {
        std::memset(&cinfo, 0, sizeof cinfo);
        cinfo.err = jpeg_std_error(&em.pub);
        em.pub.error_exit = fehlerAusgang;
        em.pub.output_message = keineAusgabe;
        em.text[0] = 0;
        jpeg_create_compress(&cinfo);
    }
    ~KodiererGuard()
    {
        jpeg_destroy_compress(&cinfo);
        std::free(ausgabe);
    }
};

bool kodiere(KodiererGuard* g, const unsigned char* bits, std::ptrdiff_t zeile, int breite, int hoehe, int qualitaet)
{
    jpeg_compress_struct* cinfo = &g->cinfo;
    if (setjmp(g->em.sprung))
        return false;
    jpeg_mem_dest(cinfo, &g->ausgabe, &g->groesse);
    cinfo->image_width = JDIMENSION(breite);
    cinfo->image_height = JDIMENSION(hoehe);
    cinfo->input_components = 4;
    cinfo->in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, qualitaet, TRUE);
    cinfo->dct_method = JDCT_ISLOW;
    jpeg_start_compress(cinfo, TRUE);
    while (cinfo->next_scanline < cinfo->image_height) {
        JSAMPROW row = const_cast<unsigned char*>(bits + std::ptrdiff_t(cinfo->next_scanline) * zeile);
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
    return true;
}

} // namespace

QByteArray KodiereJpeg(const QImage& Bild, int Qualitaet)
{
    if (Bild.isNull() || Bild.width() <= 0 || Bild.height() <= 0)
        throw EBildFehler(QStringLiteral("Ein leeres Bild kann nicht als JPEG gespeichert werden."));
    const QImage bild = (Bild.format() == QImage::Format_RGB32 || Bild.format() == QImage::Format_ARGB32)
                            ? Bild
                            : Bild.convertToFormat(QImage::Format_RGB32);
    Qualitaet = Qualitaet < 1 ? 1 : (Qualitaet > 100 ? 100 : Qualitaet);
    KodiererGuard g;
    if (!kodiere(&g, bild.constBits(), bild.bytesPerLine(), bild.width(), bild.height(), Qualitaet))
        throw EBildFehler(QStringLiteral("JPEG-Fehler beim Schreiben (%1).").arg(QString::fromLatin1(g.em.text)));
    return QByteArray(reinterpret_cast<const char*>(g.ausgabe), qsizetype(g.groesse));
}

int SchreibeJpegDatei(const QString& Datei, const QImage& Bild, int Qualitaet)
{
    return writeFileAtomically(Datei, KodiereJpeg(Bild, Qualitaet));
}

} // namespace zl
