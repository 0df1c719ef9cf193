// netzsim: a class exercise on one machine. "run" starts one teacher and N
// participant processes on a temporary communication folder (and loopback for
// the datagram channel), then checks that every participant's final row at the
// teacher equals the participant's final state and prints the figures.
//
//   netzsim run --participants N --answers A [--channel file|udp|both] [--delay-max MS]
//               [--scan MS] [--crash-after K] [--timeout S]
//   netzsim teacher --dir D --channel file|udp --port P --answers A [--scan MS] [--timeout S]
//   netzsim participant --dir D --port P --name X --answers A [--delay-max MS] [--crash-after K]
//   netzsim kartivo --prog P [--participants N] [--answers A] [--channel file|udp|both] [--timeout S]
//       the same with Kartivo itself (netzsim_kartivo beside this program) on the program folder P
//   netzsim burst [--datagrams D] [--good G] [--participants N] [--delay MS] [--pause-every K] [--timeout S]
//       a teacher's slot under a burst of D datagrams from another thread, G of them results of N
//       participants, while each message takes MS to handle; prints what arrived, what the system
//       dropped and the rows that are stale or wrong at the end

#include "learning/network/MailSlot2.h"
#include "learning/network/zl_netz.h"
#include "learning/network/zl_netzteilnehmer.h"
#include "learning/network/zl_teilnehmerprotokoll.h"
#include "platform/Cp1252.h"
#include "platform/FileAccess.h"
#include "platform/MessageService.h"
#include "tools/netzsim/Burst.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QUdpSocket>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <set>
#include <thread>
#include <unistd.h>

using namespace zl;

namespace {

const QString kStopDatei = QStringLiteral("netzsim.stop");
const QString kLehrer = QStringLiteral("127.0.0.1");

struct Argumente {
    QHash<QString, QString> werte;
    QString text(const QString& k, const QString& d = {}) const { return werte.value(k, d); }
    int zahl(const QString& k, int d) const { return werte.contains(k) ? werte.value(k).toInt() : d; }
};

Argumente LeseArgumente(const QStringList& a)
{
    Argumente r;
    for (int i = 2; i + 1 < a.size(); i += 2)
        r.werte.insert(a[i].mid(2), a[i + 1]);
    return r;
}

void Ausgabe(const QString& zeile)
{
    const QByteArray b = zeile.toUtf8() + '\n';
    std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), stdout);
    std::fflush(stdout);
}

QString Escape(QString s) { return s.replace(u'\\', QStringLiteral("\\\\")).replace(QStringLiteral("\r\n"), QStringLiteral("\\n")); }
QString Unescape(QString s) { return s.replace(QStringLiteral("\\n"), QStringLiteral("\r\n")).replace(QStringLiteral("\\\\"), QStringLiteral("\\")); }

double Perzentil(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t i = std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5));
    return v[i];
}

// ---- Teacher -------------------------------------------------------------

int Lehrer(const Argumente& a)
{
    const QString verz = MitTrenner(a.text(QStringLiteral("dir")));
    const bool udp = a.text(QStringLiteral("channel")) == QStringLiteral("udp");
    const int antworten = a.zahl(QStringLiteral("answers"), 10);
    const int scan = a.zahl(QStringLiteral("scan"), 1500);
    ScopedMessageRecorder boxen;

    NetzDateiInhalt in;
    NetzwerkBefehlDataTyp& b = in.Befehl;
    b.Titel = QStringLiteral("Übung: Deutschland");
    b.KartID = QStringLiteral("DEU");
    b.Status = 3;
    b.Gebiet = 11;
    b.Intensitaet = 2;
    b.RandSeed = QStringLiteral("12345");
    b.ObjDateiName = QStringLiteral("zl_standard.zlk");
    b.FragTypOk = QStringLiteral("00000000111111111100000");
    b.UebModus = 1;
    b.UebKartTyp = QStringLiteral("RS");
    b.UebFragAnz = antworten;
    b.UebungsID = ZufallsBuchstaben(30);
    in.LehrerRechner = kLehrer;
    in.Mailslot = udp;

    TeilnehmerProtokoll prot;
    prot.NeuerKopf(TeilnehmerProtokollKopfZeilen(QDateTime::currentDateTime(), QStringLiteral("Deutschland"),
                                                 QStringLiteral("&Topographie-Übung (Single Choice)"), b.RandSeed,
                                                 b.Intensitaet, antworten),
                   b.UebungsID, antworten);
    LoescheErgebnisDateien(verz);

    std::vector<double> latenzen;
    auto aufnehmen = [&](const Teilnehmerergebnis& e) {
        if (prot.Aktualisiere(e)) {
            const QDateTime gesendet = ZeitAusTageszahl(e.Start).addMSecs(e.Millisekunden);
            latenzen.push_back(static_cast<double>(gesendet.msecsTo(QDateTime::currentDateTime())));
        }
    };

    TMailSlot2 slot(nullptr, static_cast<quint16>(a.zahl(QStringLiteral("port"), 0)), QHostAddress(kLehrer));
    slot.SetMailBox(QStringLiteral("Kartivo1"));
    slot.SetCheckInterval(200);
    QObject::connect(&slot, &TMailSlot2::OnNewMessage, [&](QObject*, const QString&, const QString&, const QString& t) {
        if (const auto e = LeseErgebnisNachricht(t))
            aufnehmen(*e);
    });
    QTimer scanTimer;
    scanTimer.setSingleShot(true);
    scanTimer.setInterval(scan);
    qint64 laengsterScan = 0;
    QObject::connect(&scanTimer, &QTimer::timeout, [&] {
        QElapsedTimer dauer;
        dauer.start();
        for (const Teilnehmerergebnis& e : LeseTeilnehmerErgebnisse(verz, true))
            aufnehmen(e);
        laengsterScan = qMax(laengsterScan, dauer.elapsed());
        scanTimer.start();
    });
    if (udp) {
        slot.SetActive(true);
        if (!slot.Active()) {
            Ausgabe(QStringLiteral("ERROR port in use"));
            return 2;
        }
    } else {
        scanTimer.start();
    }
    if (!SchreibeNetzDatei(verz, in))
        return 2;
    Ausgabe(QStringLiteral("READY"));

    QElapsedTimer laufzeit;
    laufzeit.start();
    const qint64 grenze = a.zahl(QStringLiteral("timeout"), 120) * 1000LL;
    QTimer stopTimer;
    QObject::connect(&stopTimer, &QTimer::timeout, [&] {
        if (QFile::exists(verz + kStopDatei) || laufzeit.elapsed() > grenze)
            QCoreApplication::quit();
    });
    stopTimer.start(20);
    QCoreApplication::exec();
    slot.SetActive(false);
    const bool timerLief = udp || scanTimer.isActive();
    scanTimer.stop();

    for (int i = 0; i < prot.TeilnehmerListe().size(); ++i)
        Ausgabe(QStringLiteral("ROW\t") + prot.TeilnehmerListe()[i] + u'\t' + prot.Teilnehmerzeilen()[i]);
    Ausgabe(QStringLiteral("LATENCY\t%1\t%2\t%3\t%4")
                .arg(Perzentil(latenzen, 0.5))
                .arg(Perzentil(latenzen, 0.95))
                .arg(latenzen.empty() ? 0.0 : *std::max_element(latenzen.begin(), latenzen.end()))
                .arg(latenzen.size()));
    LoescheNetzDatei(verz);
    LoescheErgebnisDateien(verz);
    const QStringList rest =
        QDir(verz).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    Ausgabe(QStringLiteral("STRAY\t%1").arg(rest.size() - (rest.contains(kStopDatei) ? 1 : 0)));
    Ausgabe(QStringLiteral("TIMER\t%1").arg(timerLief ? 1 : 0));
    Ausgabe(QStringLiteral("SCAN\t%1").arg(laengsterScan));
    Ausgabe(QStringLiteral("BOXES\t%1").arg(boxen.entries().size()));
    return 0;
}

// ---- Participant -----------------------------------------------------------

int Teilnehmer(const Argumente& a)
{
    const QString verz = MitTrenner(a.text(QStringLiteral("dir")));
    const int antworten = a.zahl(QStringLiteral("answers"), 10);
    const int pause = a.zahl(QStringLiteral("delay-max"), 20);
    const int absturz = a.zahl(QStringLiteral("crash-after"), -1);
    ScopedMessageRecorder boxen;
    std::mt19937 zufall(std::random_device{}());

    // Wait for the teacher's command, as the join window polls it.
    QElapsedTimer warten;
    warten.start();
    NetzDateiInhalt befehl;
    for (;;) {
        if (const auto gelesen = LeseNetzDatei(verz); gelesen && NetzStatus(gelesen).TeilnehmenErlaubt) {
            befehl = *gelesen;
            break;
        }
        if (warten.elapsed() > a.zahl(QStringLiteral("timeout"), 60) * 1000LL)
            return 3;
        QThread::msleep(20);
    }
    const ErgebnisNamen namen = NeueErgebnisNamen();
    TMailSlot2 slot(nullptr, static_cast<quint16>(a.zahl(QStringLiteral("port"), 0)), QHostAddress(kLehrer));
    slot.SetMailBox(QStringLiteral("Kartivo1"));

    Teilnehmerergebnis e;
    e.Schluessel = namen.Datei;
    e.UebungsID = befehl.Befehl.UebungsID;
    e.Rechner = QStringLiteral("PC-") + a.text(QStringLiteral("name"));
    e.Name = a.text(QStringLiteral("name"));
    const QDateTime start = QDateTime::currentDateTime();
    e.Start = TagesZahl(start);
    auto senden = [&] {
        e.Millisekunden = static_cast<std::int32_t>(start.msecsTo(QDateTime::currentDateTime()));
        return SendeTeilnehmerErgebnis(verz, befehl.Mailslot, slot, befehl.LehrerRechner, namen, e);
    };
    senden();
    Teilnehmerergebnis letzte = e;
    for (int i = 1; i <= antworten; ++i) {
        QThread::msleep(std::uniform_int_distribution<int>(0, pause)(zufall));
        const bool richtig = std::uniform_int_distribution<int>(0, 3)(zufall) != 0;
        e.FrageNr = i;
        (richtig ? e.Richtig : e.Falsch) += 1;
        e.AntwortFolge += richtig ? u'+' : u'-';
        e.Quote = static_cast<float>(e.Richtig) / static_cast<float>(e.Richtig + e.Falsch) * 100.0f;
        e.NoteKurz = QStringLiteral("  %1     ").arg(6 - e.Richtig * 5 / (e.Richtig + e.Falsch)).left(8);
        if (i == absturz) {
            // Dies in the middle of writing its result: half a file, never renamed.
            Ausgabe(QStringLiteral("FINAL\t") + Escape(ErgebnisText(letzte)));
            AtomicWriteFile f;
            if (f.open(verz + namen.Datei) == 0) {
                const QByteArray text = toCp1252(ErgebnisText(e));
                f.write(text.left(text.size() / 2));
            }
            ::_exit(9);
        }
        if (senden())
            letzte = e;
    }
    Ausgabe(QStringLiteral("FINAL\t") + Escape(ErgebnisText(letzte)));
    Ausgabe(QStringLiteral("BOXES\t%1").arg(boxen.entries().size()));
    return 0;
}

// ---- Orchestrator ------------------------------------------------------------

quint16 FreierPort()
{
    QUdpSocket s;
    s.bind(QHostAddress(kLehrer), 0, QAbstractSocket::DontShareAddress);
    return s.localPort();
}

struct Ergebnis {
    bool ok = false;
    QString text;
};

Ergebnis Lauf(const Argumente& a, const QString& kanal)
{
    const int n = a.zahl(QStringLiteral("participants"), 3);
    const int antworten = a.zahl(QStringLiteral("answers"), 5);
    const int scan = a.zahl(QStringLiteral("scan"), 1500);
    const int absturz = a.zahl(QStringLiteral("crash-after"), -1);
    const QString zeitgrenze = a.text(QStringLiteral("timeout"), QStringLiteral("120"));
    QTemporaryDir tmp;
    const QString verz = tmp.path() + u'/';
    const QString port = QString::number(FreierPort());
    const QString prog = QCoreApplication::applicationFilePath();

    QProcess lehrer;
    lehrer.start(prog, {QStringLiteral("teacher"), QStringLiteral("--dir"), verz, QStringLiteral("--channel"), kanal,
                        QStringLiteral("--port"), port, QStringLiteral("--answers"), QString::number(antworten),
                        QStringLiteral("--scan"), QString::number(scan), QStringLiteral("--timeout"), zeitgrenze});
    if (!lehrer.waitForReadyRead(20000) || !lehrer.readLine().startsWith("READY"))
        return {false, kanal + QStringLiteral(": teacher did not start ") + QString::fromUtf8(lehrer.readAll())};

    std::vector<std::unique_ptr<QProcess>> tn;
    for (int i = 0; i < n; ++i) {
        auto p = std::make_unique<QProcess>();
        QStringList args{QStringLiteral("participant"), QStringLiteral("--dir"), verz, QStringLiteral("--port"), port,
                         QStringLiteral("--name"), QStringLiteral("Schueler%1").arg(i + 1, 3, 10, QChar(u'0')),
                         QStringLiteral("--answers"), QString::number(antworten), QStringLiteral("--delay-max"),
                         a.text(QStringLiteral("delay-max"), QStringLiteral("20")), QStringLiteral("--timeout"),
                         zeitgrenze};
        if (i == 0 && absturz > 0)
            args << QStringLiteral("--crash-after") << QString::number(absturz);
        p->start(prog, args);
        tn.push_back(std::move(p));
    }
    QHash<QString, Teilnehmerergebnis> endstand;
    int boxen = 0;
    int fehlgeschlagen = 0;
    for (auto& p : tn) {
        if (!p->waitForFinished(zeitgrenze.toInt() * 1000)) {
            p->kill();
            p->waitForFinished();
        }
        const bool erwartet = p.get() == tn.front().get() && absturz > 0;
        if (p->exitStatus() != QProcess::NormalExit || (p->exitCode() != 0 && !erwartet))
            ++fehlgeschlagen;
        for (const QByteArray& z : p->readAllStandardOutput().split('\n')) {
            const QString zeile = QString::fromUtf8(z);
            if (zeile.startsWith(QStringLiteral("FINAL\t"))) {
                if (const auto e = LeseErgebnisText(Unescape(zeile.mid(6))))
                    endstand.insert(e->Schluessel, *e);
            } else if (zeile.startsWith(QStringLiteral("BOXES\t"))) {
                boxen += zeile.mid(6).toInt();
            }
        }
    }
    // Let the last results arrive: one scan (file) or the datagram backlog.
    QThread::msleep(static_cast<unsigned long>(kanal == QStringLiteral("file") ? scan + 500 : 500));
    QFile stop(verz + kStopDatei);
    stop.open(QIODevice::WriteOnly);
    stop.close();
    lehrer.waitForFinished(30000);

    QHash<QString, QString> zeilen;
    QStringList latenz;
    int streu = -1, timer = 0, lehrerBoxen = 0;
    QString laengsterScan;
    for (const QByteArray& z : lehrer.readAllStandardOutput().split('\n')) {
        const QStringList f = QString::fromUtf8(z).split(u'\t');
        if (f[0] == QStringLiteral("ROW") && f.size() >= 3)
            zeilen.insert(f[1], f.mid(2).join(u'\t'));
        else if (f[0] == QStringLiteral("LATENCY"))
            latenz = f.mid(1);
        else if (f[0] == QStringLiteral("STRAY"))
            streu = f.value(1).toInt();
        else if (f[0] == QStringLiteral("TIMER"))
            timer = f.value(1).toInt();
        else if (f[0] == QStringLiteral("BOXES"))
            lehrerBoxen = f.value(1).toInt();
        else if (f[0] == QStringLiteral("SCAN"))
            laengsterScan = f.value(1);
    }
    int gleich = 0, veraltet = 0;
    for (auto it = endstand.cbegin(); it != endstand.cend(); ++it) {
        const QString soll = u' ' + ProtokollZeile(*it, antworten);
        if (zeilen.value(it.key()) == soll)
            ++gleich;
        else
            ++veraltet;
    }
    const int fremde = static_cast<int>(zeilen.size()) - static_cast<int>(endstand.size());
    const bool ok = gleich == n && veraltet == 0 && fremde == 0 && boxen + lehrerBoxen == 0 && fehlgeschlagen == 0
                    && streu == 0 && timer == 1;
    QString text = QStringLiteral("%1 %2 participants x %3 answers: final results %4/%5 (%6%), stale rows %7, "
                                  "foreign rows %8, error boxes %9, failed processes %10, stray files %11, "
                                  "scan alive %12; send to row ms p50 %13 p95 %14 max %15 over %16 updates")
                       .arg(kanal == QStringLiteral("udp") ? QStringLiteral("datagram") : QStringLiteral("file"))
                       .arg(n)
                       .arg(antworten)
                       .arg(gleich)
                       .arg(n)
                       .arg(n ? 100.0 * gleich / n : 0.0, 0, 'f', 1)
                       .arg(veraltet)
                       .arg(fremde)
                       .arg(boxen + lehrerBoxen)
                       .arg(fehlgeschlagen)
                       .arg(streu)
                       .arg(timer ? QStringLiteral("yes") : QStringLiteral("no"))
                       .arg(latenz.value(0), latenz.value(1), latenz.value(2), latenz.value(3));
    if (absturz > 0)
        text += QStringLiteral("; participant 1 killed mid-write after %1 answers").arg(absturz);
    if (kanal == QStringLiteral("file"))
        text += QStringLiteral("; scan interval %1 ms, longest scan %2 ms").arg(scan).arg(laengsterScan);
    return {ok, text};
}

// ---- Kartivo processes ---------------------------------------------------------

Ergebnis KartivoLauf(const Argumente& a, const QString& kanal)
{
    const int n = a.zahl(QStringLiteral("participants"), 2);
    const int antworten = a.zahl(QStringLiteral("answers"), 10);
    const QString zeitgrenze = a.text(QStringLiteral("timeout"), QStringLiteral("120"));
    QTemporaryDir tmp;
    const QString verz = tmp.path() + u'/';
    const QString prog = QCoreApplication::applicationDirPath() + QStringLiteral("/netzsim_kartivo");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZELVARO_MAILSLOT_PORT"), QString::number(FreierPort()));
    env.insert(QStringLiteral("ZELVARO_MAILSLOT_BIND"), kLehrer);
    env.insert(QStringLiteral("ZELVARO_RECHNERNAME"), kLehrer);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // The programs write nothing into the user's configuration.
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), verz + QStringLiteral(".config"));
    const QStringList gemeinsam{QStringLiteral("--prog"), a.text(QStringLiteral("prog")), QStringLiteral("--dir"), verz,
                                QStringLiteral("--timeout"), zeitgrenze};

    QProcess lehrer;
    lehrer.setProcessEnvironment(env);
    lehrer.start(prog, QStringList{QStringLiteral("teacher"), QStringLiteral("--channel"), kanal,
                                   QStringLiteral("--answers"), QString::number(antworten)} + gemeinsam);
    QByteArray erste;
    QElapsedTimer t;
    t.start();
    while (!erste.contains('\n') && t.elapsed() < 60000 && lehrer.state() != QProcess::NotRunning) {
        lehrer.waitForReadyRead(200);
        erste += lehrer.readAllStandardOutput();
    }
    if (!erste.startsWith("READY"))
        return {false, kanal + QStringLiteral(": Kartivo teacher did not start: ") + QString::fromUtf8(erste)
                           + QString::fromUtf8(lehrer.readAllStandardError().right(500))};

    std::vector<std::unique_ptr<QProcess>> tn;
    for (int i = 0; i < n; ++i) {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(env);
        p->start(prog, QStringList{QStringLiteral("participant"), QStringLiteral("--name"),
                                   QStringLiteral("Kind%1").arg(i + 1)} + gemeinsam);
        tn.push_back(std::move(p));
    }
    struct Stand {
        QString name, folge, titel, schluessel;
        int richtig = 0, falsch = 0;
    };
    QHash<QString, Stand> endstand;
    int boxen = 0, fehlgeschlagen = 0;
    for (auto& p : tn) {
        if (!p->waitForFinished(zeitgrenze.toInt() * 1000)) {
            p->kill();
            p->waitForFinished();
        }
        if (p->exitStatus() != QProcess::NormalExit || p->exitCode() != 0)
            ++fehlgeschlagen;
        QString titel, key;
        Stand s;
        for (const QByteArray& z : p->readAllStandardOutput().split('\n')) {
            const QStringList f = QString::fromUtf8(z).split(u'\t');
            if (f[0] == QStringLiteral("TITLE"))
                titel = f.value(1);
            else if (f[0] == QStringLiteral("FINAL") && f.size() >= 6) {
                key = f[1];
                s = {f[2], f[3], titel, {}, f[4].toInt(), f[5].toInt()};
            } else if (f[0] == QStringLiteral("KEY"))
                s.schluessel = f.value(1);
            else if (f[0] == QStringLiteral("BOXES"))
                boxen += f.value(1).toInt();
        }
        if (!key.isEmpty())
            endstand.insert(key, s);
    }
    QThread::msleep(kanal == QStringLiteral("file") ? 2000 : 500); // one scan of the teacher
    QFile stop(verz + kStopDatei);
    stop.open(QIODevice::WriteOnly);
    stop.close();
    lehrer.waitForFinished(30000);
    QHash<QString, QString> zeilen;
    int memo = 0;
    QString schluessel;
    for (const QByteArray& z : lehrer.readAllStandardOutput().split('\n')) {
        const QStringList f = QString::fromUtf8(z).split(u'\t');
        if (f[0] == QStringLiteral("ROW") && f.size() >= 3)
            zeilen.insert(f[1], f.mid(2).join(u'\t'));
        else if (f[0] == QStringLiteral("MEMO"))
            memo = f.value(1).toInt();
        else if (f[0] == QStringLiteral("KEY"))
            schluessel = f.value(1);
        else if (f[0] == QStringLiteral("BOXES"))
            boxen += f.value(1).toInt();
    }
    int vollstaendig = 0, gleicheFragen = 0;
    for (auto it = endstand.cbegin(); it != endstand.cend(); ++it) {
        const QString zeile = zeilen.value(it.key());
        const QString zahlen = QStringLiteral("%1%2%3").arg(antworten, 5).arg(it->richtig, 5).arg(it->falsch, 5);
        if (it->folge.size() == antworten && zeile.endsWith(QStringLiteral("  ") + it->folge)
            && zeile.contains(u' ' + it->name + u' ') && zeile.contains(zahlen)
            && it->titel.endsWith(QStringLiteral(" - Teilnehmer: ") + it->name))
            ++vollstaendig;
        if (it->schluessel == schluessel)
            ++gleicheFragen;
    }
    const bool ok = vollstaendig == n && zeilen.size() == n && memo == kKopfZeilen + n && schluessel.size() == antworten
                    && gleicheFragen == n && boxen == 0 && fehlgeschlagen == 0;
    return {ok, QStringLiteral("Kartivo %1: teacher and %2 participants x %3 answers: complete rows %4/%5, rows %6, "
                               "protocol lines %7, answer key questions %8, participants with the key's questions %11/%5, error boxes %9, "
                               "failed processes %10")
                    .arg(kanal == QStringLiteral("udp") ? QStringLiteral("datagram") : QStringLiteral("file"))
                    .arg(n)
                    .arg(antworten)
                    .arg(vollstaendig)
                    .arg(n)
                    .arg(zeilen.size())
                    .arg(memo)
                    .arg(schluessel.size())
                    .arg(boxen)
                    .arg(fehlgeschlagen)
                    .arg(gleicheFragen)};
}

// ---- Burst -------------------------------------------------------------------

int BurstLauf(const Argumente& a)
{
    const int datagramme = a.zahl(QStringLiteral("datagrams"), 10000);
    const int gute = a.zahl(QStringLiteral("good"), 100);
    const int teilnehmer = qMax(1, a.zahl(QStringLiteral("participants"), 12));
    const int verzoegerung = a.zahl(QStringLiteral("delay"), 1);
    const int fragen = (gute + teilnehmer - 1) / teilnehmer;
    if (datagramme < gute || fragen > kMaxNetzFragen) {
        Ausgabe(QStringLiteral("FAIL burst: at most %1 results per participant, and no more results than datagrams")
                    .arg(kMaxNetzFragen));
        return 64;
    }
    ScopedMessageRecorder boxen;
    const quint16 port = FreierPort();
    TMailSlot2 lehrer(nullptr, port, QHostAddress(kLehrer));
    lehrer.SetMailBox(QStringLiteral("Kartivo1"));
    lehrer.SetCheckInterval(200);
    const netzsim::Burst burst = netzsim::BaueBurst(lehrer, datagramme, gute, teilnehmer);

    TeilnehmerProtokoll prot;
    prot.NeuerKopf({}, netzsim::BurstUebungsID(), fragen);
    std::set<QString> gesendet;
    QHash<QString, QString> erwartet; // key -> the row of the participant's last result
    for (const Teilnehmerergebnis& e : burst.Gute) {
        gesendet.insert(e.Schluessel + e.AntwortFolge);
        erwartet.insert(e.Schluessel, ProtokollZeile(e, fragen));
    }
    std::vector<QString> angekommen;
    QElapsedTimer letzte;
    letzte.start();
    QObject::connect(&lehrer, &TMailSlot2::OnNewMessage, [&](QObject*, const QString&, const QString&, const QString& t) {
        if (verzoegerung > 0)
            QThread::msleep(static_cast<unsigned long>(verzoegerung));
        letzte.restart();
        if (const auto e = LeseErgebnisNachricht(t)) {
            angekommen.push_back(e->Schluessel + e->AntwortFolge);
            prot.Aktualisiere(*e);
        }
    });
    lehrer.SetActive(true);
    if (!lehrer.Active()) {
        Ausgabe(QStringLiteral("FAIL burst: port in use"));
        return 2;
    }

    QElapsedTimer dauer;
    dauer.start();
    std::atomic<bool> fertig{false};
    std::thread netz([&] {
        netzsim::SendeBurst(burst, QHostAddress(kLehrer), port, a.zahl(QStringLiteral("pause-every"), 0));
        fertig = true;
    });
    // Until every result is in, or the burst is sent and nothing came for a while.
    const qint64 grenze = a.zahl(QStringLiteral("timeout"), 120) * 1000LL;
    while (dauer.elapsed() < grenze && int(angekommen.size()) < gute && !(fertig && letzte.elapsed() > 1000))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    netz.join();
    const double sekunden = double(dauer.elapsed()) / 1000.0;
    const quint64 systemVerworfen = SystemVerworfen(port);
    lehrer.SetActive(false);

    std::vector<QString> reihenfolge;
    for (const Teilnehmerergebnis& e : burst.Gute)
        reihenfolge.push_back(e.Schluessel + e.AntwortFolge);
    const int gut = int(std::count_if(angekommen.begin(), angekommen.end(),
                                      [&](const QString& k) { return gesendet.count(k) > 0; }));
    // Arrived results in the order they were sent (some may be missing).
    bool inReihe = true;
    size_t j = 0;
    for (const QString& k : angekommen) {
        while (j < reihenfolge.size() && reihenfolge[j] != k)
            ++j;
        inReihe = inReihe && j < reihenfolge.size();
    }
    int veraltet = 0, falsch = 0;
    for (auto it = erwartet.constBegin(); it != erwartet.constEnd(); ++it)
        veraltet += prot.ZeileVon(it.key()) != u' ' + it.value();
    for (const QString& k : prot.TeilnehmerListe())
        falsch += !erwartet.contains(k);
    const bool ok = gut == gute && inReihe && veraltet == 0 && falsch == 0 && lehrer.Verworfen() == 0
                    && boxen.entries().isEmpty();
    Ausgabe((ok ? QStringLiteral("PASS") : QStringLiteral("FAIL"))
            + QStringLiteral(" burst: %1 datagrams in %2 s; results sent %3, arrived %4%5; dropped by the system %6, "
                             "by the slot's queue %7; rows %8 of %9, stale %10, wrong %11; boxes %12")
                  .arg(datagramme)
                  .arg(sekunden, 0, 'f', 2)
                  .arg(gute)
                  .arg(gut)
                  .arg(inReihe ? QStringLiteral(" in order") : QStringLiteral(" out of order"))
                  .arg(systemVerworfen)
                  .arg(lehrer.Verworfen())
                  .arg(prot.TeilnehmerListe().size())
                  .arg(erwartet.size())
                  .arg(veraltet)
                  .arg(falsch)
                  .arg(boxen.entries().size()));
    return ok ? 0 : 1;
}

int Orchestrator(const Argumente& a)
{
    const QString kanal = a.text(QStringLiteral("channel"), QStringLiteral("both"));
    QStringList kanaele = kanal == QStringLiteral("both") ? QStringList{QStringLiteral("file"), QStringLiteral("udp")}
                                                           : QStringList{kanal};
    bool alle = true;
    const bool kartivo = a.werte.contains(QStringLiteral("prog"));
    for (const QString& k : kanaele) {
        const Ergebnis e = kartivo ? KartivoLauf(a, k) : Lauf(a, k);
        Ausgabe((e.ok ? QStringLiteral("PASS ") : QStringLiteral("FAIL ")) + e.text);
        alle = alle && e.ok;
    }
    return alle ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString modus = args.value(1);
    const Argumente a = LeseArgumente(args);
    if (modus == QStringLiteral("teacher"))
        return Lehrer(a);
    if (modus == QStringLiteral("participant"))
        return Teilnehmer(a);
    if (modus == QStringLiteral("run") || modus == QStringLiteral("kartivo"))
        return Orchestrator(a);
    if (modus == QStringLiteral("burst"))
        return BurstLauf(a);
    std::fputs("netzsim run|kartivo|burst|teacher|participant --option value ...\n", stderr);
    return 64;
}
