// Times whole Foliavo processes from the start to the first worksheet on the bundled data: the
// data module, the windows, the map choice, the choice of a map, composing, the page and its
// preview painted; then the process exits. Prints the median and the slowest of several starts
// (splash window and screen-mode check left out, settings in memory). Goal: under 300 ms.
#include "datastore/zl_data.h"
#include "platform/MessageService.h"
#include "platform/SettingsStore.h"
#include "worksheet/widgets/ab_main.h"
#include "worksheet/widgets/ab_start.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{

// One start in this process; returns the milliseconds to the painted first worksheet.
int EinStart()
{
    QElapsedTimer uhr;
    uhr.start();
    zl::MemorySettingsStore store;
    zl::ab::FoliavoStartOptionen o;
    o.ProgrammVerz = QStringLiteral(ZL_FOLIAVO_DIR);
    o.Store = &store;
    o.Titelfenster = false;
    o.Bildschirmpruefung = false;
    zl::ab::TFoliavo programm(o);
    if (!programm.Starte())
        return 1;
    programm.ZeigeHauptfenster();
    zl::ab::TForm1* f = programm.Hauptfenster();
    for (int i = 0; i < zl::KartAuswDaten.size(); ++i)
        if (zl::KartAuswDaten[i].KartID == u"FRA") {
            f->KartenFeldKlick(i);
            break;
        }
    f->repaint();
    QCoreApplication::processEvents();
    std::printf("%lld\n", static_cast<long long>(uhr.elapsed()));
    return f->Dokument.Anzahl > 0 ? 0 : 2;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    if (argc == 2 && QByteArray(argv[1]) == "--einmal") {
        QApplication app(argc, argv);
        zl::RecordingMessageService boxes;
        zl::setMessageService(&boxes);
        return EinStart();
    }
    // "--laeufe N" times N processes in place of 7 (a short run).
    int laeufe = 7;
    if (argc == 3 && QByteArray(argv[1]) == "--laeufe") {
        laeufe = QByteArray(argv[2]).toInt();
        if (laeufe < 1) {
            std::fprintf(stderr, "--laeufe needs a count of 1 or more\n");
            return 1;
        }
    }
    QCoreApplication app(argc, argv);
    std::vector<double> ganz, innen;
    for (int i = 0; i < laeufe; ++i) {
        QElapsedTimer uhr;
        uhr.start();
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--einmal")});
        if (!p.waitForFinished(60000) || p.exitCode() != 0) {
            std::fprintf(stderr, "start failed: %d\n", p.exitCode());
            return 1;
        }
        ganz.push_back(double(uhr.elapsed()));
        innen.push_back(p.readAllStandardOutput().trimmed().toDouble());
    }
    std::sort(ganz.begin(), ganz.end());
    std::sort(innen.begin(), innen.end());
    std::printf("Foliavo start to the first worksheet (FRA), %d processes:\n", laeufe);
    std::printf("  whole process: median %.0f ms, slowest %.0f ms\n", ganz[ganz.size() / 2], ganz.back());
    std::printf("  inside (data, windows, map choice, worksheet): median %.0f ms, slowest %.0f ms\n",
                innen[innen.size() / 2], innen.back());
    return 0;
}
