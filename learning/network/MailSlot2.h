#pragma once

// TMailSlot2: receives short text messages on a local slot and sends messages to
// the slot of the same name on another computer. The slot is a UDP port: one
// datagram carries one message's exact bytes ("Message", user, computer, text,
// each ended by CR LF, Windows-1252). The receiving port is bound exclusively, so
// a second receiver of the same name fails and stays inactive.
//
// While active, a reading thread takes every datagram off the socket as soon as
// it is there and queues it; it never waits for the main thread, so a burst
// cannot overflow the socket while the main thread is busy. The main thread
// takes the queue in arrival order and fires OnNewMessage for each message.
// The queue is bounded; what comes past the bound is dropped and counted.
// Deactivation stops the thread within 50 ms; what it had queued and the main
// thread had not yet handled is not delivered.

#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QHash>
#include <QMutex>
#include <QObject>
#include <QSemaphore>
#include <QString>
#include <QThread>

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>

class QUdpSocket;

namespace zl {

class TMailSlot2;

// The reading thread of an active component.
class TCheckThread : public QThread {
public:
    explicit TCheckThread(TMailSlot2* owner) : owner_(owner) {}

protected:
    void run() override;

private:
    TMailSlot2* owner_;
};

class TMailSlot2 : public QObject {
    Q_OBJECT
public:
    // Slot "Kartivo1" lives on BasisPort; other names on ports derived from it.
    // Empfangsadresse is the address the receiving port is bound to.
    static constexpr quint16 kStandardPort = 29101;
    static constexpr int kMaxNachricht = 8192;
    // Bounds of the messages received and not yet handled.
    static constexpr qsizetype kMaxWartend = 100000;
    static constexpr qsizetype kMaxWartendBytes = qsizetype(64) << 20;

    explicit TMailSlot2(QObject* parent = nullptr, quint16 BasisPort = kStandardPort,
                        const QHostAddress& Empfangsadresse = QHostAddress(QHostAddress::AnyIPv4));
    ~TMailSlot2() override;

    QString MailBox() const { return mailBox_; }
    // A name of more than 8 characters shows "MailBox name cannot be greater than
    // 8 characters long." and is not stored; an active slot is opened anew.
    void SetMailBox(const QString& Name);
    bool Active() const { return active_; }
    // True opens and polls the slot; when it cannot be opened, Active stays false.
    void SetActive(bool Wert);
    int CheckInterval() const { return checkInterval_; }
    // Milliseconds between polls, at least 1.
    void SetCheckInterval(int Ms);
    QThread::Priority ThreadPriority() const { return priority_; }
    void SetThreadPriority(QThread::Priority p);

    // Sends the text to the slot of this name on the computer (a name or an
    // address). Undeliverable or too long messages are dropped without a report.
    void Send(const QString& Computer, const QString& Text);

    // The port a slot name is served on.
    quint16 PortFuer(const QString& Name) const;
    // The bytes sent for a text.
    QByteArray NachrichtBytes(const QString& Text) const;
    const QString& Computername() const { return computerName_; }
    const QString& Benutzername() const { return userName_; }
    // Messages dropped because the queue was full, since construction.
    quint64 Verworfen() const { return verworfen_.load(); }
    // The port the slot is bound to while active, else 0.
    quint16 GebundenerPort() const { return gebundenerPort_; }

signals:
    void OnNewMessage(QObject* Sender, const QString& Computer, const QString& UserName, const QString& Text);

private:
    friend class TCheckThread;
    void OpenLocalSlot();
    void CloseLocalSlot();
    // Reading thread: queues what it read, dropping and counting what is past the bounds.
    void Einreihen(std::deque<QByteArray>& Gelesen);
    // Main thread: handles the queue in arrival order, in slices, so the event
    // loop keeps running during a long burst.
    void Abarbeiten();
    // Main thread: decodes and fires the event.
    void FetchMessage(const QByteArray& Bytes);
    QHostAddress Adresse(const QString& Computer);

    QString mailBox_ = QStringLiteral("MailBox");
    bool active_ = false;
    int checkInterval_ = 1000;
    QThread::Priority priority_ = QThread::NormalPriority;
    quint16 basisPort_;
    QHostAddress empfangsAdresse_;
    QString computerName_;
    QString userName_;
    std::unique_ptr<TCheckThread> thread_;
    std::atomic<bool> stop_{false};
    // Bind result handed from the thread to OpenLocalSlot.
    QSemaphore bindFertig_;
    bool gebunden_ = false;
    quint16 gebundenerPort_ = 0;

    // Filled by the reading thread, taken by the main thread (under eingangSperre_).
    QMutex eingangSperre_;
    std::deque<QByteArray> eingang_;
    bool abarbeitenAngestossen_ = false;
    // Taken from eingang_, not yet handled (main thread only).
    std::deque<QByteArray> bereit_;
    // Messages and bytes in eingang_ and bereit_ together.
    std::atomic<qsizetype> wartend_{0};
    std::atomic<qsizetype> wartendBytes_{0};
    std::atomic<quint64> verworfen_{0};
    bool imAbarbeiten_ = false;
    struct Aufgeloest {
        QHostAddress Adresse;
        QElapsedTimer Zeit;
    };
    QHash<QString, Aufgeloest> adressen_;
    std::unique_ptr<QUdpSocket> sender_;
};

// Datagrams the system dropped at the socket bound to Port because its queue
// was full (IPv4 and IPv6 sockets together); 0 when no such socket is known.
quint64 SystemVerworfen(quint16 Port);

} // namespace zl
