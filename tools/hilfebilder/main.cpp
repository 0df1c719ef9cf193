// hilfebilder: makes the pictures of the help documents again from the programs' own windows,
// offscreen on the bundled atlas of the built program folders.
//
//   hilfebilder [--kartivo DIR] [--foliavo DIR] [DATA]
//
// DATA is the data folder of the sources (default: this checkout's data/); the pictures go
// into DATA/Kartivo/ZL-Hilfe and DATA/Foliavo/AB-Hilfe. DIR are the built program folders
// (default: those of this build).

#include "tools/hilfebilder/Bilder.h"

#include "controls/Zufall.h"
#include "platform/MessageService.h"
#include "platform/widgets/ZlApplication.h"

#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QPixmap>
#include <QWidget>

#include <cstdio>

namespace zl::hilfebilder
{

bool Speichere(const QImage& Bild, const QString& Datei)
{
    const bool jpeg = Datei.endsWith(QLatin1String(".jpg"));
    QImageWriter w(Datei, jpeg ? QByteArrayLiteral("jpeg") : QByteArrayLiteral("png"));
    if (jpeg)
        w.setQuality(60);
    else
        w.setCompression(9);
    if (w.write(Bild.convertToFormat(QImage::Format_RGB32)))
        return true;
    std::fprintf(stderr, "hilfebilder: %s: %s\n", qPrintable(Datei), qPrintable(w.errorString()));
    return false;
}

bool Speichere(QWidget* Fenster, const QString& Datei)
{
    const QImage Bild = Fenster->grab().toImage();
    if (Bild.isNull()) {
        std::fprintf(stderr, "hilfebilder: %s: the window gave no picture\n", qPrintable(Datei));
        return false;
    }
    return Speichere(Bild, Datei);
}

} // namespace zl::hilfebilder

int main(int argc, char** argv)
{
    // Offscreen unless told otherwise, so the pictures need no display and look the same anywhere.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    zl::ZlApplication app(argc, argv);

    zl::hilfebilder::Auftrag A;
    A.KartivoVerz = QStringLiteral(ZL_KARTIVO_DIR "/");
    A.FoliavoVerz = QStringLiteral(ZL_FOLIAVO_DIR "/");
    QString daten = QStringLiteral(ZL_DATEN_DIR);
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--kartivo") && i + 1 < args.size())
            A.KartivoVerz = args[++i] + QLatin1Char('/');
        else if (args[i] == QLatin1String("--foliavo") && i + 1 < args.size())
            A.FoliavoVerz = args[++i] + QLatin1Char('/');
        else if (!args[i].startsWith(QLatin1String("--")))
            daten = args[i];
        else {
            std::fprintf(stderr, "usage: hilfebilder [--kartivo DIR] [--foliavo DIR] [DATA]\n");
            return 2;
        }
    }
    A.KartivoZiel = QDir(daten).filePath(QStringLiteral("Kartivo/ZL-Hilfe"));
    A.FoliavoZiel = QDir(daten).filePath(QStringLiteral("Foliavo/AB-Hilfe"));
    for (const QString& z : {A.KartivoZiel, A.FoliavoZiel})
        if (!QDir().mkpath(z)) {
            std::fprintf(stderr, "hilfebilder: cannot create %s\n", qPrintable(z));
            return 1;
        }

    // A fixed clock: every random start (worksheets, exercise seeds) is the same on every run.
    zl::Zufall::SetUhr([] { return std::uint32_t(36000000); });
    // Boxes are answered with their default button and listed at the end.
    zl::RecordingMessageService boxen;
    zl::setMessageService(&boxen);

    QStringList dateien = zl::hilfebilder::KartivoBilder(A);
    dateien += zl::hilfebilder::FoliavoBilder(A);
    zl::setMessageService(nullptr);

    for (const QString& d : dateien)
        std::printf("%s\n", qPrintable(d));
    for (const QString& t : boxen.texts())
        std::fprintf(stderr, "hilfebilder: box shown: %s\n", qPrintable(t));
    constexpr int kBilder = 12;
    if (dateien.size() != kBilder) {
        std::fprintf(stderr, "hilfebilder: %d of %d pictures made\n", int(dateien.size()), kBilder);
        return 1;
    }
    return 0;
}
