#pragma once

// The independent metafile readers of the tests: libemf2svg ("emf2svg-conv") for EMF and
// libwmf ("wmf2svg") for WMF write SVG, which librsvg ("rsvg-convert") renders to pixels.

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QtEndian>

#include <cmath>
#include <cstdlib>
#include <map>
#include <vector>

namespace zl::test
{

inline QByteArray LeseDatei(const QString& Datei)
{
    QFile f(Datei);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool Nahe(QColor a, QColor b, int Toleranz)
{
    return std::abs(a.red() - b.red()) <= Toleranz && std::abs(a.green() - b.green()) <= Toleranz &&
           std::abs(a.blue() - b.blue()) <= Toleranz;
}

inline double MittlereAbweichung(const QImage& a, const QImage& b)
{
    double summe = 0;
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    for (int j = 0; j < x.height(); ++j)
        for (int i = 0; i < x.width(); ++i) {
            const QRgb p = x.pixel(i, j), q = y.pixel(i, j);
            summe += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return summe / (3.0 * x.width() * x.height());
}

// Converts Datei with its reader and renders the SVG at Groesse. A null image with Grund
// set on failure; Grund starts with "missing" when a program is not installed.
inline QImage LiesMitLeser(const char* Programm, const QString& Datei, QSize Groesse, QString* Grund)
{
    const bool wmf = QString::fromLatin1(Programm) == QLatin1String("wmf2svg");
    for (const char* p : {Programm, "rsvg-convert"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(p)).isEmpty()) {
            *Grund = QStringLiteral("missing ") + QString::fromLatin1(p);
            return {};
        }
    const QString svg = Datei + QStringLiteral(".svg");
    // libwmf scales its images twice when the picture is drawn at another size than its own
    // (at most 768 x 512 by default): it is asked for the metafile's size.
    const QStringList args = wmf ? QStringList{QStringLiteral("--maxwidth=%1").arg(Groesse.width()),
                                               QStringLiteral("--maxheight=%1").arg(Groesse.height()),
                                               QStringLiteral("--inline"),
                                               QStringLiteral("-o"),
                                               svg,
                                               Datei}
                                 : QStringList{QStringLiteral("-i"), Datei, QStringLiteral("-o"), svg};
    QProcess leser;
    leser.start(QString::fromLatin1(Programm), args);
    if (!leser.waitForFinished(60000) || leser.exitCode() != 0) {
        *Grund =
            QString::fromLatin1(Programm) + QStringLiteral(": ") + QString::fromLocal8Bit(leser.readAllStandardError());
        return {};
    }
    if (wmf) {
        // libwmf leaves out the xlink namespace of its images and copies the text's
        // Windows-1252 bytes (here only Latin-1 letters) into its UTF-8 file.
        QByteArray text = QString::fromLatin1(LeseDatei(svg)).toUtf8();
        if (!text.contains("xmlns:xlink"))
            text.replace("<svg ", "<svg xmlns:xlink=\"http://www.w3.org/1999/xlink\" ");
        QFile f(svg);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(text);
    }
    const QString png = svg + QStringLiteral(".png");
    QProcess rsvg;
    rsvg.start(QStringLiteral("rsvg-convert"),
               {QStringLiteral("-w"), QString::number(Groesse.width()), QStringLiteral("-h"),
                QString::number(Groesse.height()), QStringLiteral("-b"), QStringLiteral("white"), QStringLiteral("-o"),
                png, svg});
    if (!rsvg.waitForFinished(60000) || rsvg.exitCode() != 0) {
        *Grund = QStringLiteral("rsvg-convert: ") + QString::fromLocal8Bit(rsvg.readAllStandardError());
        return {};
    }
    return QImage(png).convertToFormat(QImage::Format_RGB32);
}

// A little-endian 32-bit value read byte by byte.
inline quint32 le32(const QByteArray& b, qsizetype at)
{
    return quint32(uchar(b[at])) | quint32(uchar(b[at + 1])) << 8 | quint32(uchar(b[at + 2])) << 16 |
           quint32(uchar(b[at + 3])) << 24;
}

// Records of an EMF: type -> count; empty when the framing is broken.
inline std::map<quint32, int> EmfDatensaetze(const QByteArray& b, QString* fehler)
{
    std::map<quint32, int> n;
    qsizetype at = 0;
    quint32 anzahl = 0;
    while (at + 8 <= b.size()) {
        const quint32 typ = le32(b, at);
        const quint32 groesse = le32(b, at + 4);
        if (groesse < 8 || groesse % 4 || qsizetype(at + groesse) > b.size()) {
            *fehler = QStringLiteral("bad record at %1").arg(at);
            return {};
        }
        ++n[typ];
        ++anzahl;
        at += groesse;
        if (typ == 14)
            break;
    }
    if (at != b.size())
        *fehler = QStringLiteral("EOF at %1 of %2").arg(at).arg(b.size());
    if (qFromLittleEndian<quint32>(b.constData() + 52) != anzahl)
        *fehler = QStringLiteral("record count");
    return n;
}

// Records of a placeable WMF: function -> count.
inline std::map<unsigned, int> WmfDatensaetze(const QByteArray& b, QString* fehler)
{
    std::map<unsigned, int> n;
    qsizetype at = 22 + 18;
    while (at + 6 <= b.size()) {
        const quint32 worte = qFromLittleEndian<quint32>(b.constData() + at);
        const unsigned funktion = qFromLittleEndian<quint16>(b.constData() + at + 4);
        if (worte < 3 || at + 2 * qsizetype(worte) > b.size()) {
            *fehler = QStringLiteral("bad record at %1").arg(at);
            return {};
        }
        ++n[funktion];
        at += 2 * worte;
        if (funktion == 0)
            break;
    }
    if (at != b.size())
        *fehler = QStringLiteral("EOF at %1 of %2").arg(at).arg(b.size());
    if (qFromLittleEndian<quint32>(b.constData() + 22 + 6) * 2 != quint32(b.size() - 22))
        *fehler = QStringLiteral("size in header");
    return n;
}

// Points of a coarse grid, away from the edges, where the picture with labels equals the
// one without in a 9 x 9 neighbourhood: plain map, which every reader must reproduce.
inline std::vector<QPoint> ProbenOhneBeschriftung(const QImage& Mit, const QImage& Ohne)
{
    std::vector<QPoint> r;
    const int schritt = std::max(8, Mit.width() / 12);
    for (int y = 12; y < Mit.height() - 12; y += schritt)
        for (int x = 12; x < Mit.width() - 12; x += schritt) {
            bool gleich = true;
            for (int dy = -4; dy <= 4 && gleich; ++dy)
                for (int dx = -4; dx <= 4 && gleich; ++dx)
                    gleich = Mit.pixel(x + dx, y + dy) == Ohne.pixel(x + dx, y + dy);
            if (gleich)
                r.emplace_back(x, y);
        }
    return r;
}

} // namespace zl::test
