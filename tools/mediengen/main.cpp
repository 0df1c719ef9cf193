// mediengen <program folder>: writes the bundled sounds into <folder>/ZL-Sound/ and the
// feedback clips into <folder>/ZL-Video/ (the repository's copy is data/Kartivo).

#include "Medien.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv); // fonts and painting for the frames
    if (argc != 2) {
        std::fprintf(stderr, "usage: mediengen <program folder>\n");
        return 2;
    }
    const QString ordner = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
    const QString sound = ordner + QStringLiteral("ZL-Sound/"), video = ordner + QStringLiteral("ZL-Video/");
    QDir().mkpath(sound);
    QDir().mkpath(video);
    QString fehler;
    if (!zl::medien::SchreibeAlle(sound, video, &fehler)) {
        std::fprintf(stderr, "%s\n", fehler.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
