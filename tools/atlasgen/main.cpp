// atlasgen: makes the bundled atlas (maps, labels, tables, flags) from the
// prepared open geodata.
//
//   atlasgen --quellen <prepared> --tabellen <tools/atlasgen/tables> --ziel <data>
//            [--nur ID,ID] [--breite 2400]

#include "tools/atlasgen/Atlas.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    // Fonts are measured for the label placement, so a GUI application (offscreen is enough).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser p;
    p.addHelpOption();
    p.addOption(
        {QStringLiteral("quellen"), QStringLiteral("Ordner der aufbereiteten Quellen"), QStringLiteral("ordner")});
    p.addOption({QStringLiteral("tabellen"), QStringLiteral("Ordner der eigenen Tabellen"), QStringLiteral("ordner")});
    p.addOption({QStringLiteral("ziel"), QStringLiteral("Zielordner (data)"), QStringLiteral("ordner")});
    p.addOption({QStringLiteral("nur"), QStringLiteral("nur diese Karten (IDs, mit Komma)"), QStringLiteral("ids")});
    p.addOption({QStringLiteral("breite"), QStringLiteral("Breite der großen Bilder"), QStringLiteral("pixel")});
    p.process(app);
    if (!p.isSet(QStringLiteral("quellen")) || !p.isSet(QStringLiteral("tabellen")) ||
        !p.isSet(QStringLiteral("ziel"))) {
        std::fputs("atlasgen: --quellen, --tabellen und --ziel sind nötig\n", stderr);
        return 2;
    }
    QElapsedTimer uhr;
    uhr.start();
    zl::atlas::Atlas a;
    QString fehler;
    if (!a.lade(p.value(QStringLiteral("quellen")), p.value(QStringLiteral("tabellen")), fehler)) {
        std::fprintf(stderr, "atlasgen: %s\n", fehler.toLocal8Bit().constData());
        return 1;
    }
    zl::atlas::Einstellungen e;
    if (p.isSet(QStringLiteral("nur")))
        e.nurKarten = p.value(QStringLiteral("nur")).split(u',');
    if (p.isSet(QStringLiteral("breite"))) {
        e.breiteGross = p.value(QStringLiteral("breite")).toInt();
        e.breiteKlein = e.breiteGross / 2;
    }
    if (!a.erzeuge(p.value(QStringLiteral("ziel")), e, fehler)) {
        std::fprintf(stderr, "atlasgen: %s\n", fehler.toLocal8Bit().constData());
        return 1;
    }
    std::printf("atlasgen: %lld Karten, %lld Beschriftungen, %lld Länderzeilen in %.1f s\n",
                static_cast<long long>(a.karten().size()), static_cast<long long>(a.beschriftungen().size()),
                static_cast<long long>(a.laenderzeilen().size()), uhr.elapsed() / 1000.0);
    return 0;
}
