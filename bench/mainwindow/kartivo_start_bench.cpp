// Times the start of the learning program up to the painted map-selection page
// on a generated program folder with 30,000 labels and 50 maps in the
// catalogue (splash window and screen-mode check left out), and prints the
// median of several starts split into data load, window creation and first paint,
// and the wall time of whole processes that start, paint the page and exit.
#include "fixtures/DataFolder.h"
#include "learning/mainwindow/widgets/zl_main.h"
#include "learning/mainwindow/widgets/zl_main_start.h"
#include "platform/MessageService.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kLabels = 30000;
constexpr int kKarten = 50;

bool schreibeDaten(const QString& prog)
{
    if (!zl::fixtures::writeMinimalDataFolder(prog))
        return false;
    const QString daten = prog + QStringLiteral("ZL-Daten/");
    QStringList katalog{zl::fixtures::kartenauswahlLines().first()};
    QStringList karten{zl::fixtures::kartenLines().first()};
    const char* uebersicht[] = {"WLT", "EUR", "DEU"};
    for (int i = 0; i < kKarten; ++i) {
        const QString id = QStringLiteral("K%1").arg(i, 3, 10, QLatin1Char('0'));
        const int x = 500 + (i * 1733) % 9000, y = 500 + (i * 977) % 9000;
        katalog << QStringLiteral("%1~%2~Karte %3~%4~%5~%6~%7~%8~%9~")
                       .arg(QLatin1String(uebersicht[i % 3]), id)
                       .arg(i)
                       .arg(x)
                       .arg(y)
                       .arg(x - 400)
                       .arg(y - 300)
                       .arg(x + 400)
                       .arg(y + 300);
        karten << QStringLiteral("%1~Karte %2~1~").arg(id).arg(i);
    }
    QStringList labels{zl::fixtures::labelLines().first()};
    const char* typen[] = {"L", "H", "S", "G", "GB", "I", "UG"};
    for (int i = 0; i < kLabels; ++i)
        labels << QStringLiteral("K%1~%2~%3~%4~Ort %5~0~0~%6~")
                      .arg(i % kKarten, 3, 10, QLatin1Char('0'))
                      .arg(QLatin1String(typen[i % 7]))
                      .arg((i * 37) % 10000)
                      .arg((i * 91) % 10000)
                      .arg(i)
                      .arg(i % 4);
    return zl::fixtures::writeTextFile(daten + QStringLiteral("zl_kartenauswahl.dat"), katalog) &&
           zl::fixtures::writeTextFile(daten + QStringLiteral("zl_karten.dat"), karten) &&
           zl::fixtures::writeTextFile(daten + QStringLiteral("zl_standard.zlk"), labels);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    zl::RecordingMessageService boxes; // a box must never wait for an answer here
    zl::setMessageService(&boxes);

    // A child process: one start on the given folder, then exit. "--laeufe N" times
    // N starts in this process and N whole processes (a short run).
    const QStringList args = QCoreApplication::arguments();
    const bool einmal = args.size() == 3 && args[1] == QLatin1String("--einmal");
    int laeufe = 0;
    if (args.size() == 3 && args[1] == QLatin1String("--laeufe")) {
        laeufe = args[2].toInt();
        if (laeufe < 1) {
            std::fprintf(stderr, "--laeufe needs a count of 1 or more\n");
            return 1;
        }
    }
    QTemporaryDir dir;
    const QString prog = einmal ? args[2] : dir.path() + QStringLiteral("/Kartivo/");
    if (!einmal && !schreibeDaten(prog)) {
        std::fprintf(stderr, "cannot write the data folder\n");
        return 1;
    }

    const int kLaeufe = einmal ? 1 : (laeufe ? laeufe : 7);
    const int kProzesse = laeufe ? laeufe : 5;
    std::vector<double> daten, fenster, erstesBild, gesamt;
    for (int lauf = 0; lauf < kLaeufe; ++lauf) {
        zl::MemorySettingsStore store;
        zl::KartivoStartOptionen o;
        o.ProgrammVerz = prog;
        o.Store = &store;
        o.Titelfenster = false;
        o.Bildschirmpruefung = false;
        QElapsedTimer uhr;
        uhr.start();
        zl::TKartivo k(o);
        k.Starte();
        const qint64 nachFenstern = uhr.nsecsElapsed();
        k.ZeigeHauptfenster();
        k.Hauptfenster()->grab(); // paints the whole window once
        QApplication::processEvents();
        const qint64 ende = uhr.nsecsElapsed();
        daten.push_back(double(k.DatenMs()));
        fenster.push_back(double(k.FensterMs()));
        erstesBild.push_back((ende - nachFenstern) / 1e6);
        gesamt.push_back(ende / 1e6);
        if (k.Hauptfenster()->Zustand.Ansichtsmodus != zl::Kartenauswahl) {
            std::fprintf(stderr, "the start did not reach the map selection\n");
            return 1;
        }
    }
    if (einmal) {
        zl::setMessageService(nullptr);
        return 0;
    }
    std::vector<double> prozesse;
    for (int lauf = 0; lauf < kProzesse; ++lauf) {
        QElapsedTimer uhr;
        uhr.start();
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--einmal"), prog});
        if (!p.waitForFinished(60000) || p.exitCode() != 0) {
            std::fprintf(stderr, "the child start failed\n");
            return 1;
        }
        prozesse.push_back(uhr.nsecsElapsed() / 1e6);
    }
    std::printf("Kartivo start to the map-selection page (%d labels, %d maps, median of %d)\n", kLabels, kKarten,
                kLaeufe);
    std::printf("  data load         %8.1f ms\n", median(daten));
    std::printf("  window creation   %8.1f ms\n", median(fenster));
    std::printf("  show + first paint%8.1f ms\n", median(erstesBild));
    std::printf("  total             %8.1f ms   (goal < 300 ms)\n", median(gesamt));
    std::printf("  boxes shown: %d\n", int(boxes.entries().size()));
    std::printf("  whole process (start, page painted, exit), median of %d: %.1f ms\n", kProzesse,
                median(prozesse));
    zl::setMessageService(nullptr);
    return 0;
}
