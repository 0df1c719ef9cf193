#include "learning/network/MailSlot2.h"

#include "controls/Dspez.h"
#include "platform/Cp1252.h"
#include "platform/MessageService.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostInfo>
#include <QUdpSocket>
#include <QVariant>

#include <pwd.h>
#include <unistd.h>

namespace zl {
namespace {

const QString kKennung = QStringLiteral("Message");
const QString kCrLf = QStringLiteral("\r\n");
constexpr int kEmpfangsPuffer = 1 << 20;
constexpr int kWarteScheibe = 50; // ms: how soon a stop request is noticed
constexpr qsizetype kStapel = 256; // messages at most in one hand-over

QString LeseBenutzername()
{
    if (const passwd* pw = ::getpwuid(::geteuid()); pw && pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER");
}

} // namespace

void TCheckThread::run()
{
    TMailSlot2* o = owner_;
    QUdpSocket sock;
    const bool ok = sock.bind(o->empfangsAdresse_, o->PortFuer(o->mailBox_), QAbstractSocket::DontShareAddress);
    if (ok)
        sock.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, QVariant(kEmpfangsPuffer));
    o->gebunden_ = ok;
    o->bindFertig_.release();
    if (!ok)
        return;
    const int intervall = o->checkInterval_;
    while (!o->stop_.load()) {
        // Poll: drain every waiting datagram; a burst goes over in one hand-over
        // and its messages are handled in turn, in the order they came.
        while (!o->stop_.load() && sock.hasPendingDatagrams()) {
            QList<QByteArray> stapel;
            while (stapel.size() < kStapel && sock.hasPendingDatagrams()) {
                const qint64 groesse = sock.pendingDatagramSize();
                QByteArray bytes(qBound(qint64(0), groesse, qint64(65536)), Qt::Uninitialized);
                const qint64 n = sock.readDatagram(bytes.data(), bytes.size());
                if (n <= 0 || groesse > TMailSlot2::kMaxNachricht)
                    continue; // empty, failed or oversized: dropped
                bytes.truncate(n);
                stapel.append(bytes);
            }
            if (!stapel.isEmpty())
                QMetaObject::invokeMethod(
                    o,
                    [o, stapel] {
                        for (const QByteArray& b : stapel) {
                            if (o->stop_.load())
                                break; // switched off from an event: the rest is not delivered
                            o->FetchMessage(b);
                        }
                    },
                    Qt::BlockingQueuedConnection);
        }
        // Sleep the interval, waking early for data and in slices for a stop.
        QElapsedTimer t;
        t.start();
        while (!o->stop_.load() && t.elapsed() < intervall) {
            if (sock.waitForReadyRead(static_cast<int>(qMin<qint64>(kWarteScheibe, intervall - t.elapsed()))))
                break;
        }
    }
}

TMailSlot2::TMailSlot2(QObject* parent, quint16 BasisPort, const QHostAddress& Empfangsadresse)
    : QObject(parent), basisPort_(BasisPort), empfangsAdresse_(Empfangsadresse),
      computerName_(HoleComputername()), userName_(LeseBenutzername())
{
}

TMailSlot2::~TMailSlot2()
{
    spaeterSchliessen_ = false;
    if (thread_)
        CloseLocalSlot();
}

void TMailSlot2::SetMailBox(const QString& Name)
{
    if (Name == mailBox_)
        return;
    if (Name.size() > 8) {
        ZeigeWarnung(QStringLiteral("MailBox name cannot be greater than 8 characters long."));
        return;
    }
    mailBox_ = Name;
    if (active_) {
        SetActive(false);
        SetActive(true);
    }
}

void TMailSlot2::SetActive(bool Wert)
{
    if (Wert == active_)
        return;
    active_ = Wert;
    if (Wert) {
        if (!thread_)
            OpenLocalSlot();
    } else if (inUebergabe_) {
        // Called from inside the event: the thread waits for this very call to
        // return, so it is joined once the hand-over is over.
        stop_ = true;
        if (!spaeterSchliessen_) {
            spaeterSchliessen_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (spaeterSchliessen_ && !active_)
                        CloseLocalSlot();
                    spaeterSchliessen_ = false;
                    if (active_ && !thread_)
                        OpenLocalSlot();
                },
                Qt::QueuedConnection);
        }
    } else {
        CloseLocalSlot();
    }
}

void TMailSlot2::SetCheckInterval(int Ms) { checkInterval_ = qMax(1, Ms); }

void TMailSlot2::SetThreadPriority(QThread::Priority p)
{
    priority_ = p;
    if (thread_ && thread_->isRunning())
        thread_->setPriority(p);
}

void TMailSlot2::OpenLocalSlot()
{
    if (thread_) // a deferred close is pending: finish it first
        CloseLocalSlot();
    stop_ = false;
    gebunden_ = false;
    thread_ = std::make_unique<TCheckThread>(this);
    thread_->start(priority_);
    bindFertig_.acquire();
    if (!gebunden_) {
        thread_->wait();
        thread_.reset();
        active_ = false;
    }
}

void TMailSlot2::CloseLocalSlot()
{
    if (!thread_)
        return;
    stop_ = true;
    // A hand-over already posted must still run, or the thread would never end.
    while (!thread_->wait(10))
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    thread_.reset();
}

void TMailSlot2::FetchMessage(const QByteArray& Bytes)
{
    const QString text = fromCp1252(Bytes);
    const qsizetype e1 = text.indexOf(kCrLf);
    const qsizetype e2 = e1 < 0 ? -1 : text.indexOf(kCrLf, e1 + 2);
    const qsizetype e3 = e2 < 0 ? -1 : text.indexOf(kCrLf, e2 + 2);
    if (e3 < 0 || text.left(e1) != kKennung)
        return;
    const QString benutzer = text.mid(e1 + 2, e2 - e1 - 2);
    const QString rechner = text.mid(e2 + 2, e3 - e2 - 2);
    inUebergabe_ = true;
    try {
        emit OnNewMessage(this, rechner, benutzer, text.mid(e3 + 2));
    } catch (...) {
        // Nothing the event does may end reception.
    }
    inUebergabe_ = false;
}

quint16 TMailSlot2::PortFuer(const QString& Name) const
{
    if (Name.compare(QStringLiteral("Kartivo1"), Qt::CaseInsensitive) == 0 || basisPort_ == 0)
        return basisPort_;
    std::uint32_t h = 2166136261u;
    for (const QChar c : Name.toUpper())
        h = (h ^ c.unicode()) * 16777619u;
    return static_cast<quint16>((basisPort_ + 1u + h % 1000u) % 65536u);
}

QByteArray TMailSlot2::NachrichtBytes(const QString& Text) const
{
    return toCp1252(kKennung + kCrLf + userName_ + kCrLf + computerName_ + kCrLf + Text + kCrLf);
}

QHostAddress TMailSlot2::Adresse(const QString& Computer)
{
    // A lookup must not stall every answer: a found address is kept, a failed
    // lookup is tried again only after a while.
    if (const auto it = adressen_.constFind(Computer); it != adressen_.constEnd()) {
        if (!it->Adresse.isNull() || it->Zeit.elapsed() < 10000)
            return it->Adresse;
    }
    QHostAddress a;
    if (!a.setAddress(Computer)) {
        a.clear();
        for (const QHostAddress& h : QHostInfo::fromName(Computer).addresses())
            if (h.protocol() == QAbstractSocket::IPv4Protocol) {
                a = h;
                break;
            }
    }
    Aufgeloest r{a, {}};
    r.Zeit.start();
    adressen_.insert(Computer, r);
    return a;
}

void TMailSlot2::Send(const QString& Computer, const QString& Text)
{
    const QByteArray bytes = NachrichtBytes(Text);
    if (bytes.size() > kMaxNachricht)
        return;
    const QHostAddress ziel = Adresse(Computer);
    if (ziel.isNull())
        return;
    if (!sender_)
        sender_ = std::make_unique<QUdpSocket>();
    (void)sender_->writeDatagram(bytes, ziel, PortFuer(mailBox_));
}

} // namespace zl
