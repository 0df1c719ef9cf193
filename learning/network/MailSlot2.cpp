#include "learning/network/MailSlot2.h"

#include "controls/Dspez.h"
#include "platform/Cp1252.h"
#include "platform/MessageService.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHostInfo>
#include <QPointer>
#include <QUdpSocket>
#include <QVariant>

#include <cerrno>
#include <vector>

#include <poll.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zl {
namespace {

const QString kKennung = QStringLiteral("Message");
const QString kCrLf = QStringLiteral("\r\n");
constexpr int kEmpfangsPuffer = 1 << 20;
constexpr int kWarteScheibe = 50; // ms: how soon a stop request is noticed
constexpr int kLeseStapel = 64; // datagrams read in one call
constexpr int kScheibe = 20; // ms of events before the event loop runs again

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
    o->gebundenerPort_ = ok ? sock.localPort() : 0;
    o->bindFertig_.release();
    if (!ok)
        return;
    const int fd = static_cast<int>(sock.socketDescriptor());
    const int intervall = o->checkInterval_;

    // Many datagrams a call: the socket's queue is emptied faster than a
    // sender on the same machine can fill it. One byte more than the largest
    // message tells an oversized datagram, which is dropped.
    constexpr int kPlatz = TMailSlot2::kMaxNachricht + 1;
    std::vector<char> puffer(size_t(kLeseStapel) * kPlatz);
    std::vector<iovec> iov(kLeseStapel);
    std::vector<mmsghdr> msgs(kLeseStapel);
    std::deque<QByteArray> gelesen;
    while (!o->stop_.load()) {
        for (int i = 0; i < kLeseStapel; ++i) {
            iov[size_t(i)] = {puffer.data() + size_t(i) * kPlatz, size_t(kPlatz)};
            msgs[size_t(i)] = {};
            msgs[size_t(i)].msg_hdr.msg_iov = &iov[size_t(i)];
            msgs[size_t(i)].msg_hdr.msg_iovlen = 1;
        }
        const int n = ::recvmmsg(fd, msgs.data(), kLeseStapel, MSG_DONTWAIT, nullptr);
        for (int i = 0; i < n; ++i) {
            const mmsghdr& m = msgs[size_t(i)];
            // Empty or oversized: dropped.
            if (m.msg_len > 0 && m.msg_len <= unsigned(TMailSlot2::kMaxNachricht) && !(m.msg_hdr.msg_flags & MSG_TRUNC))
                gelesen.emplace_back(static_cast<const char*>(m.msg_hdr.msg_iov->iov_base), qsizetype(m.msg_len));
        }
        if (!gelesen.empty())
            o->Einreihen(gelesen);
        if (n == kLeseStapel)
            continue; // more is waiting
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            QThread::msleep(kWarteScheibe); // a socket error: do not spin on it
        // Wait the interval, waking early for data and in slices for a stop.
        QElapsedTimer t;
        t.start();
        while (!o->stop_.load() && t.elapsed() < intervall) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(qMin<qint64>(kWarteScheibe, intervall - t.elapsed()))) != 0)
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
    thread_->wait();
    thread_.reset();
    gebundenerPort_ = 0;
    // What was received and not yet handled is not delivered after the stop.
    {
        QMutexLocker lock(&eingangSperre_);
        eingang_.clear();
        abarbeitenAngestossen_ = false;
    }
    bereit_.clear();
    wartend_ = 0;
    wartendBytes_ = 0;
}

void TMailSlot2::Einreihen(std::deque<QByteArray>& Gelesen)
{
    bool anstossen = false;
    {
        QMutexLocker lock(&eingangSperre_);
        for (QByteArray& b : Gelesen) {
            if (wartend_.load() >= kMaxWartend || wartendBytes_.load() + b.size() > kMaxWartendBytes) {
                if (verworfen_.fetch_add(1) == 0)
                    qWarning("TMailSlot2: message queue full, messages are dropped");
                continue;
            }
            wartend_.fetch_add(1);
            wartendBytes_.fetch_add(b.size());
            eingang_.push_back(std::move(b));
        }
        if (!eingang_.empty() && !abarbeitenAngestossen_)
            anstossen = abarbeitenAngestossen_ = true;
    }
    Gelesen.clear();
    if (anstossen)
        QMetaObject::invokeMethod(this, &TMailSlot2::Abarbeiten, Qt::QueuedConnection);
}

void TMailSlot2::Abarbeiten()
{
    // An event that runs the event loop (a box, a wait) must not start a
    // second pass: the messages would be handled out of order.
    if (imAbarbeiten_ || !thread_)
        return;
    imAbarbeiten_ = true;
    const QPointer<TMailSlot2> selbst(this); // an event may delete the component
    QElapsedTimer scheibe;
    scheibe.start();
    for (;;) {
        if (bereit_.empty()) {
            QMutexLocker lock(&eingangSperre_);
            if (eingang_.empty()) {
                abarbeitenAngestossen_ = false;
                break;
            }
            bereit_.swap(eingang_);
        }
        if (scheibe.elapsed() >= kScheibe) {
            QMetaObject::invokeMethod(this, &TMailSlot2::Abarbeiten, Qt::QueuedConnection);
            break;
        }
        const QByteArray b = std::move(bereit_.front());
        bereit_.pop_front();
        wartend_.fetch_sub(1);
        wartendBytes_.fetch_sub(b.size());
        FetchMessage(b);
        if (!selbst)
            return;
        if (stop_.load() || !thread_)
            break; // switched off from an event: the rest is not delivered
    }
    imAbarbeiten_ = false;
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
    try {
        emit OnNewMessage(this, rechner, benutzer, text.mid(e3 + 2));
    } catch (...) {
        // Nothing the event does may end reception.
    }
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

quint64 SystemVerworfen(quint16 Port)
{
    // One socket a line: "sl local_address rem_address st ... drops", the
    // address as hex IP ":" hex port, the drop count last.
    quint64 summe = 0;
    for (const char* datei : {"/proc/net/udp", "/proc/net/udp6"}) {
        QFile f(QString::fromLatin1(datei));
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        f.readLine();
        while (!f.atEnd()) {
            const QList<QByteArray> felder = f.readLine().simplified().split(' ');
            if (felder.size() < 13)
                continue;
            const qsizetype d = felder[1].lastIndexOf(':');
            bool ok = false;
            if (d >= 0 && felder[1].mid(d + 1).toUInt(&ok, 16) == Port && ok)
                summe += felder.last().toULongLong();
        }
    }
    return summe;
}

} // namespace zl
