#include "Hilfen.h"

#include "datastore/JpegDatei.h"

#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <jpeglib.h>

namespace zl::testing
{

namespace
{

QByteArray kodiere(int breite, int hoehe, int komponenten, J_COLOR_SPACE raum, const std::vector<unsigned char>& pixel,
                   bool progressiv = false)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = JDIMENSION(breite);
    cinfo.image_height = JDIMENSION(hoehe);
    cinfo.input_components = komponenten;
    cinfo.in_color_space = raum;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    if (progressiv)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row =
            const_cast<unsigned char*>(pixel.data() + std::size_t(cinfo.next_scanline) * breite * komponenten);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(size));
    std::free(out);
    return bytes;
}

} // namespace

QByteArray GrauJpeg(int breite, int hoehe, int grau)
{
    return kodiere(breite, hoehe, 1, JCS_GRAYSCALE,
                   std::vector<unsigned char>(std::size_t(breite) * hoehe, (unsigned char)grau));
}

QByteArray CmykJpeg(int breite, int hoehe, int c, int m, int y, int k)
{
    std::vector<unsigned char> px(std::size_t(breite) * hoehe * 4);
    for (std::size_t i = 0; i < px.size(); i += 4) {
        px[i] = (unsigned char)(255 - c);
        px[i + 1] = (unsigned char)(255 - m);
        px[i + 2] = (unsigned char)(255 - y);
        px[i + 3] = (unsigned char)(255 - k);
    }
    return kodiere(breite, hoehe, 4, JCS_CMYK, px);
}

QByteArray JpegMitGroesse(int breite, int hoehe)
{
    QImage eins(1, 1, QImage::Format_RGB32);
    eins.fill(Qt::white);
    QByteArray b = KodiereJpeg(eins, 90);
    for (qsizetype i = 0; i + 9 < b.size(); ++i) {
        if (uchar(b[i]) == 0xFF && uchar(b[i + 1]) == 0xC0) {
            // FF C0, length (2), precision (1), height (2), width (2)
            b[i + 5] = char(hoehe >> 8);
            b[i + 6] = char(hoehe & 0xFF);
            b[i + 7] = char(breite >> 8);
            b[i + 8] = char(breite & 0xFF);
            break;
        }
    }
    return b;
}

QByteArray ProgressivesJpeg(int breite, int hoehe, int zusaetzlicheScans)
{
    QByteArray b = kodiere(breite, hoehe, 1, JCS_GRAYSCALE,
                           std::vector<unsigned char>(std::size_t(breite) * hoehe, 90), true);
    // The last scan (from its SOS marker to EOI) is repeated.
    const qsizetype sos = b.lastIndexOf("\xFF\xDA");
    const QByteArray scan = b.mid(sos, b.size() - 2 - sos);
    QByteArray mehr;
    for (int i = 0; i < zusaetzlicheScans; ++i)
        mehr += scan;
    b.insert(b.size() - 2, mehr);
    return b;
}

QByteArray NullJpeg()
{
    return JpegMitGroesse(0, 0);
}

} // namespace zl::testing
