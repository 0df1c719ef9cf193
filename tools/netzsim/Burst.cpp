#include "tools/netzsim/Burst.h"

#include <QUdpSocket>

#include <chrono>
#include <random>
#include <thread>

namespace zl::netzsim {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

} // namespace

QString BurstUebungsID() { return QStringLiteral("BURSTBURSTBURSTBURSTBURSTBURST"); }

Teilnehmerergebnis Teilnehmerstand(int p, int k)
{
    Teilnehmerergebnis e;
    e.Schluessel = QStringLiteral("ZLTNX_TEILNEHMER%1.dat").arg(p, 2, 10, QChar(u'0'));
    e.UebungsID = BurstUebungsID();
    e.Rechner = QStringLiteral("PC%1").arg(p);
    e.Name = QStringLiteral("Schüler %1").arg(p);
    e.Start = 46000.25;
    for (int i = 0; i < k; ++i) {
        const bool richtig = (p + i) % 3 != 0;
        e.AntwortFolge += richtig ? u'+' : u'-';
        (richtig ? e.Richtig : e.Falsch) += 1;
    }
    e.FrageNr = k;
    e.Quote = k ? 100.0 * e.Richtig / k : 0;
    e.NoteKurz = k ? QStringLiteral("  2     ") : kNoteKurzStart;
    e.Millisekunden = 1000 * k;
    return e;
}

Burst BaueBurst(const TMailSlot2& Sender, int Datagramme, int Gute, int Teilnehmer, unsigned Seed)
{
    Burst b;
    std::mt19937 zufall(Seed);
    std::vector<int> antworten(size_t(qMax(1, Teilnehmer)), 0);
    const int abstand = qMax(1, Datagramme / qMax(1, Gute));
    for (int i = 0; i < Datagramme; ++i) {
        const int p = i % qMax(1, Teilnehmer);
        if (i % abstand == abstand / 2 && int(b.Gute.size()) < Gute) {
            const int q = int(b.Gute.size()) % qMax(1, Teilnehmer);
            b.Gute.push_back(Teilnehmerstand(q, antworten[size_t(q)]++));
            b.Datagramme.push_back(Sender.NachrichtBytes(ErgebnisText(b.Gute.back())));
            continue;
        }
        QStringList falsch = ErgebnisText(Teilnehmerstand(p, 3)).split(kCrLf);
        switch (i % 20) {
        case 0: // the participant's own key with numbers no exercise sends
            falsch[6] = QStringLiteral("2147483647");
            falsch[10] = QStringLiteral("2147483647");
            b.Datagramme.push_back(Sender.NachrichtBytes(falsch.join(kCrLf)));
            break;
        case 5:
            falsch[0].clear();
            b.Datagramme.push_back(Sender.NachrichtBytes(falsch.join(kCrLf)));
            break;
        case 10:
            b.Datagramme.push_back(Sender.NachrichtBytes(QString(3000, u'\r')));
            break;
        case 15:
            falsch[3] = QStringLiteral("UNG01 \n x");
            b.Datagramme.push_back(Sender.NachrichtBytes(falsch.join(kCrLf)));
            break;
        default: {
            QByteArray fremd(i % 500 == 1 ? 9000 : int(zufall() % 600 + 1), Qt::Uninitialized);
            for (char& c : fremd)
                c = char(zufall());
            b.Datagramme.push_back(fremd);
        }
        }
    }
    return b;
}

void SendeBurst(const Burst& B, const QHostAddress& Ziel, quint16 Port, int PauseAlle)
{
    QUdpSocket s;
    for (size_t i = 0; i < B.Datagramme.size(); ++i) {
        // A full send queue is waited out a while, as a sending computer would.
        for (int versuch = 0; versuch < 1000 && s.writeDatagram(B.Datagramme[i], Ziel, Port) < 0
                              && s.error() == QAbstractSocket::TemporaryError;
             ++versuch)
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        if (PauseAlle > 0 && i % size_t(PauseAlle) == size_t(PauseAlle - 1))
            std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
}

} // namespace zl::netzsim
