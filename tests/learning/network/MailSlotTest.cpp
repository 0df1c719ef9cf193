#include "learning/network/MailSlot2.h"
#include "learning/network/zl_netz.h"
#include "learning/network/zl_teilnehmerprotokoll.h"
#include "tools/netzsim/Burst.h"

#include "platform/Cp1252.h"
#include "platform/MessageService.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QUdpSocket>
#include <gtest/gtest.h>

#include <thread>

using namespace zl;

namespace {

const QHostAddress kLoop(QHostAddress::LocalHost);

quint16 FreierPort()
{
    QUdpSocket s;
    s.bind(kLoop, 0, QAbstractSocket::DontShareAddress);
    return s.localPort();
}

struct Empfang {
    QString computer, user, text;
};

// Processes events until the condition holds or the time is up.
template <class F> bool WarteAuf(F f, int ms = 3000)
{
    QElapsedTimer t;
    t.start();
    while (!f() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return f();
}

class MailSlot : public ::testing::Test {
protected:
    void SetUp() override
    {
        port = FreierPort();
        empfaenger = std::make_unique<TMailSlot2>(nullptr, port, kLoop);
        empfaenger->SetMailBox(QStringLiteral("Kartivo1"));
        empfaenger->SetCheckInterval(200);
        QObject::connect(empfaenger.get(), &TMailSlot2::OnNewMessage,
                         [this](QObject*, const QString& c, const QString& u, const QString& t) {
                             empfangen.push_back({c, u, t});
                         });
    }
    void Roh(const QByteArray& bytes)
    {
        QUdpSocket s;
        s.writeDatagram(bytes, kLoop, port);
    }
    quint16 port = 0;
    std::unique_ptr<TMailSlot2> empfaenger;
    std::vector<Empfang> empfangen;
    ScopedMessageRecorder boxen;
};

} // namespace

TEST_F(MailSlot, NachrichtMitDreiTextzeilen)
{
    empfaenger->SetActive(true);
    ASSERT_TRUE(empfaenger->Active());
    Roh(toCp1252(QStringLiteral("Message\r\nanna\r\nPC07\r\neins\r\nzwei\r\ndrei\r\n")));
    ASSERT_TRUE(WarteAuf([&] { return empfangen.size() == 1; }));
    EXPECT_EQ(empfangen[0].computer, QStringLiteral("PC07"));
    EXPECT_EQ(empfangen[0].user, QStringLiteral("anna"));
    EXPECT_EQ(empfangen[0].text, QStringLiteral("eins\r\nzwei\r\ndrei\r\n"));
}

TEST_F(MailSlot, SendenUndFremdesWirdVerworfen)
{
    empfaenger->SetActive(true);
    TMailSlot2 sender(nullptr, port, kLoop);
    sender.SetMailBox(QStringLiteral("Kartivo1"));
    Roh(QByteArray());                                    // empty
    Roh("Hallo\r\nx\r\ny\r\nz\r\n");                       // foreign first line
    Roh("Message\r\nnur zwei");                            // unframed
    Roh("Message\r\nu\r\nc\r\n" + QByteArray(9000, 'x')); // oversized
    sender.Send(QStringLiteral("127.0.0.1"), QStringLiteral("Ergebnis äöü\r\n"));
    ASSERT_TRUE(WarteAuf([&] { return !empfangen.empty(); }));
    WarteAuf([] { return false; }, 300);
    ASSERT_EQ(empfangen.size(), 1u);
    EXPECT_EQ(empfangen[0].text, QStringLiteral("Ergebnis äöü\r\n\r\n"));
    EXPECT_EQ(empfangen[0].computer, sender.Computername());
    EXPECT_EQ(empfangen[0].user, sender.Benutzername());
    // Nobody listens on another name or an unknown computer: dropped silently.
    sender.SetMailBox(QStringLiteral("Anders"));
    sender.Send(QStringLiteral("127.0.0.1"), QStringLiteral("weg\r\n"));
    sender.Send(QStringLiteral("kein-solcher-rechner.invalid"), QStringLiteral("weg\r\n"));
    WarteAuf([] { return false; }, 300);
    EXPECT_EQ(empfangen.size(), 1u);
    EXPECT_TRUE(boxen.entries().isEmpty());
}

TEST_F(MailSlot, BurstWirdVollstaendigUndInReihenfolgeZugestellt)
{
    empfaenger->SetActive(true);
    TMailSlot2 sender(nullptr, port, kLoop);
    sender.SetMailBox(QStringLiteral("Kartivo1"));
    for (int i = 0; i < 500; ++i)
        sender.Send(QStringLiteral("127.0.0.1"), QString::number(i));
    ASSERT_TRUE(WarteAuf([&] { return empfangen.size() == 500; }, 10000)) << empfangen.size();
    for (int i = 0; i < 500; ++i)
        EXPECT_EQ(empfangen[i].text, QString::number(i) + QStringLiteral("\r\n"));
}

TEST_F(MailSlot, ZweiterEmpfaengerBleibtInaktiv)
{
    empfaenger->SetActive(true);
    TMailSlot2 zweiter(nullptr, port, kLoop);
    zweiter.SetMailBox(QStringLiteral("Kartivo1"));
    zweiter.SetActive(true);
    EXPECT_FALSE(zweiter.Active());
    EXPECT_TRUE(empfaenger->Active());
    EXPECT_TRUE(boxen.entries().isEmpty());
}

TEST_F(MailSlot, NamenUndZustaende)
{
    EXPECT_EQ(TMailSlot2().MailBox(), QStringLiteral("MailBox"));
    EXPECT_EQ(TMailSlot2().CheckInterval(), 1000);
    empfaenger->SetMailBox(QStringLiteral("NeunZeich"));
    EXPECT_EQ(boxen.texts(), QStringList{QStringLiteral("MailBox name cannot be greater than 8 characters long.")});
    EXPECT_EQ(empfaenger->MailBox(), QStringLiteral("Kartivo1"));
    empfaenger->SetActive(false); // inactive: nothing happens
    empfaenger->SetActive(true);
    empfaenger->SetActive(true);
    EXPECT_TRUE(empfaenger->Active());
    // Renaming an active slot reopens it under the new name's port.
    empfaenger->SetMailBox(QStringLiteral("Neu"));
    EXPECT_TRUE(empfaenger->Active());
    TMailSlot2 sender(nullptr, port, kLoop);
    sender.SetMailBox(QStringLiteral("Neu"));
    sender.Send(QStringLiteral("127.0.0.1"), QStringLiteral("x"));
    EXPECT_TRUE(WarteAuf([&] { return empfangen.size() == 1; }));
    empfaenger->SetCheckInterval(0);
    EXPECT_EQ(empfaenger->CheckInterval(), 1);
    empfaenger->SetCheckInterval(-5);
    EXPECT_EQ(empfaenger->CheckInterval(), 1);
}

TEST_F(MailSlot, StopWaehrendEinesBurstsIstPromptUndOhneVerklemmung)
{
    empfaenger->SetCheckInterval(5000);
    empfaenger->SetActive(true);
    TMailSlot2 sender(nullptr, port, kLoop);
    sender.SetMailBox(QStringLiteral("Kartivo1"));
    for (int i = 0; i < 200; ++i)
        sender.Send(QStringLiteral("127.0.0.1"), QString::number(i));
    QElapsedTimer t;
    t.start();
    empfaenger->SetActive(false); // the thread may be in a hand-over right now
    EXPECT_LT(t.elapsed(), 1000);
    EXPECT_FALSE(empfaenger->Active());
    const size_t bisher = empfangen.size();
    WarteAuf([] { return false; }, 200);
    EXPECT_EQ(empfangen.size(), bisher); // nothing after the stop
}

TEST_F(MailSlot, AbschaltenAusDemEreignisHeraus)
{
    QObject::connect(empfaenger.get(), &TMailSlot2::OnNewMessage, [this] { empfaenger->SetActive(false); });
    empfaenger->SetActive(true);
    Roh("Message\r\nu\r\nc\r\nx\r\n");
    ASSERT_TRUE(WarteAuf([&] { return empfangen.size() == 1; }));
    EXPECT_FALSE(empfaenger->Active());
    WarteAuf([] { return false; }, 100);
    empfaenger->SetActive(true); // and on again
    EXPECT_TRUE(empfaenger->Active());
    Roh("Message\r\nu\r\nc\r\ny\r\n");
    EXPECT_TRUE(WarteAuf([&] { return empfangen.size() == 2; }));
}

TEST_F(MailSlot, AusnahmeImEreignisBeendetDenEmpfangNicht)
{
    bool werfen = true;
    QObject::connect(empfaenger.get(), &TMailSlot2::OnNewMessage, [&] {
        if (werfen) {
            werfen = false;
            throw std::runtime_error("kaputt");
        }
    });
    empfaenger->SetActive(true);
    Roh("Message\r\nu\r\nc\r\nx\r\n");
    Roh("Message\r\nu\r\nc\r\ny\r\n");
    EXPECT_TRUE(WarteAuf([&] { return empfangen.size() == 2; }));
    EXPECT_TRUE(empfaenger->Active());
}

// A busy school network: thousands of foreign and damaged datagrams around the
// results of a class, while every event takes a millisecond. The reading never
// waits for the events, so no result that reached the computer is lost, and no
// damaged message makes or changes a row.
TEST_F(MailSlot, BurstMitLangsamemEreignisVerliertKeinErgebnis)
{
    TMailSlot2 sender(nullptr, port, kLoop);
    sender.SetMailBox(QStringLiteral("Kartivo1"));
    const netzsim::Burst burst = netzsim::BaueBurst(sender, 10000, 100, 12);
    std::vector<QString> guteGesendet; // key + answers, in sending order
    TeilnehmerProtokoll erwartet;
    erwartet.NeuerKopf({}, netzsim::BurstUebungsID(), 20);
    for (const Teilnehmerergebnis& e : burst.Gute) {
        guteGesendet.push_back(e.Schluessel + e.AntwortFolge);
        erwartet.Aktualisiere(e);
    }

    TeilnehmerProtokoll prot;
    prot.NeuerKopf({}, netzsim::BurstUebungsID(), 20);
    std::vector<QString> guteEmpfangen;
    QObject::connect(empfaenger.get(), &TMailSlot2::OnNewMessage,
                     [&](QObject*, const QString&, const QString&, const QString& text) {
                         QThread::msleep(1);
                         if (const auto e = LeseErgebnisNachricht(text)) {
                             guteEmpfangen.push_back(e->Schluessel + e->AntwortFolge);
                             prot.Aktualisiere(*e);
                         }
                     });
    empfaenger->SetActive(true);
    ASSERT_TRUE(empfaenger->Active());

    std::thread netz([&] { netzsim::SendeBurst(burst, kLoop, port, 5); });
    const bool alle = WarteAuf([&] { return guteEmpfangen.size() == guteGesendet.size(); }, 30000);
    netz.join();
    WarteAuf([] { return false; }, 200); // nothing more comes
    EXPECT_TRUE(alle) << guteEmpfangen.size() << " of " << guteGesendet.size() << " results, the system dropped "
                      << SystemVerworfen(port) << " datagrams, the component " << empfaenger->Verworfen();
    EXPECT_EQ(guteEmpfangen, guteGesendet);
    EXPECT_EQ(prot.TeilnehmerListe(), erwartet.TeilnehmerListe());
    EXPECT_EQ(prot.Zeilen(), erwartet.Zeilen());
    EXPECT_EQ(empfaenger->Verworfen(), 0u);
}

// Messages queued when the slot is switched off are not delivered; the thread
// stops within its wait slice even with a long interval.
TEST_F(MailSlot, AbschaltenVerwirftWasNochWartet)
{
    empfaenger->SetCheckInterval(5000);
    QObject::connect(empfaenger.get(), &TMailSlot2::OnNewMessage, [] { QThread::msleep(5); });
    empfaenger->SetActive(true);
    for (int i = 0; i < 50; ++i)
        Roh("Message\r\nu\r\nc\r\n" + QByteArray::number(i) + "\r\n");
    ASSERT_TRUE(WarteAuf([&] { return !empfangen.empty(); }));
    QElapsedTimer t;
    t.start();
    empfaenger->SetActive(false);
    EXPECT_LT(t.elapsed(), 200);
    const size_t bisher = empfangen.size();
    EXPECT_LT(bisher, 50u);
    WarteAuf([] { return false; }, 100);
    EXPECT_EQ(empfangen.size(), bisher);
    for (size_t i = 0; i < empfangen.size(); ++i)
        EXPECT_EQ(empfangen[i].text, QString::number(i) + QStringLiteral("\r\n"));
}

TEST_F(MailSlot, EreignisDasDenSlotLoeschtBeendetDieZustellung)
{
    QObject::connect(empfaenger.get(), &TMailSlot2::OnNewMessage, [this] { empfaenger.reset(); });
    empfaenger->SetActive(true);
    for (int i = 0; i < 20; ++i)
        Roh("Message\r\nu\r\nc\r\nx\r\n");
    EXPECT_TRUE(WarteAuf([&] { return !empfaenger; }));
    WarteAuf([] { return false; }, 100);
    EXPECT_EQ(empfangen.size(), 1u);
}
