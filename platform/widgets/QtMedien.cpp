#include "platform/widgets/QtMedien.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QEventLoop>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>

#include <algorithm>
#include <optional>

namespace zl
{

namespace
{

constexpr int kHoechstensMs = 30000;

// Runs a nested loop that handles no user input until Fertig is called or the timer fires.
struct Warteschleife {
    QEventLoop loop;
    QTimer grenze;
    bool abgelaufen = false;
    explicit Warteschleife(int Ms)
    {
        grenze.setSingleShot(true);
        QObject::connect(&grenze, &QTimer::timeout, &loop, [this] {
            abgelaufen = true;
            loop.quit();
        });
        grenze.start(Ms);
    }
    void laufe() { loop.exec(QEventLoop::ExcludeUserInputEvents); }
};

} // namespace

TQtMedienDienst::TQtMedienDienst() = default;
TQtMedienDienst::~TQtMedienDienst() = default;

bool TQtMedienDienst::HatAudioAusgabe() const
{
    if (AudioAusgabeVorhanden)
        return AudioAusgabeVorhanden();
    return !QMediaDevices::defaultAudioOutput().isNull();
}

void TQtMedienDienst::SpieleSound(const QString& Pfad, bool Synchron, bool Wiederholen)
{
    // Nothing to be heard: the sound is skipped, a synchronous one too.
    if (!HatAudioAusgabe()) {
        StoppeSound();
        return;
    }
    if (!m_sound) {
        m_sound = std::make_unique<QMediaPlayer>();
        // A player without an output refuses a sound file.
        m_soundAusgabe = std::make_unique<QAudioOutput>();
        m_sound->setAudioOutput(m_soundAusgabe.get());
    }
    m_sound->stop();
    m_sound->setSource(QUrl::fromLocalFile(Pfad));
    m_sound->setLoops(Wiederholen ? QMediaPlayer::Infinite : 1);
    m_sound->play();
    if (!Synchron || Wiederholen)
        return;
    Warteschleife w(kHoechstensMs);
    auto ende = [&w](QMediaPlayer::MediaStatus s) {
        if (s == QMediaPlayer::EndOfMedia || s == QMediaPlayer::InvalidMedia || s == QMediaPlayer::NoMedia)
            w.loop.quit();
    };
    const auto a = QObject::connect(m_sound.get(), &QMediaPlayer::mediaStatusChanged, &w.loop, ende);
    const auto b = QObject::connect(m_sound.get(), &QMediaPlayer::errorOccurred, &w.loop, [&w] { w.loop.quit(); });
    if (m_sound->playbackState() == QMediaPlayer::PlayingState)
        w.laufe();
    QObject::disconnect(a);
    QObject::disconnect(b);
}

void TQtMedienDienst::StoppeSound()
{
    if (m_sound)
        m_sound->stop();
}

bool TQtMedienDienst::SpieleVideo(const QString& Pfad, const std::function<void(const QImage&)>& Bild, QString* Fehler)
{
    std::optional<QAudioOutput> ausgabe;
    QMediaPlayer spieler;
    QVideoSink senke;
    if (HatAudioAusgabe()) {
        ausgabe.emplace();
        spieler.setAudioOutput(&*ausgabe);
    }
    spieler.setVideoSink(&senke);
    Warteschleife w(LadeGrenzeMs);
    bool ok = false;
    QString grund;
    QObject::connect(&senke, &QVideoSink::videoFrameChanged, &w.loop, [&Bild](const QVideoFrame& f) {
        if (Bild && f.isValid())
            Bild(f.toImage());
    });
    QObject::connect(&spieler, &QMediaPlayer::durationChanged, &w.loop, [&w](qint64 d) {
        if (d > 0)
            w.grenze.start(int(std::min<qint64>(d + 2000, kHoechstensMs)));
    });
    QObject::connect(&spieler, &QMediaPlayer::mediaStatusChanged, &w.loop, [&](QMediaPlayer::MediaStatus s) {
        if (s == QMediaPlayer::EndOfMedia) {
            ok = true;
            w.loop.quit();
        } else if (s == QMediaPlayer::InvalidMedia) {
            grund = spieler.errorString();
            w.loop.quit();
        }
    });
    QObject::connect(&spieler, &QMediaPlayer::errorOccurred, &w.loop, [&](QMediaPlayer::Error, const QString& text) {
        grund = text;
        w.loop.quit();
    });
    spieler.setSource(QUrl::fromLocalFile(Pfad));
    spieler.play();
    if (spieler.error() == QMediaPlayer::NoError)
        w.laufe();
    else
        grund = spieler.errorString();
    spieler.stop();
    if (!ok && Fehler) {
        if (w.abgelaufen)
            *Fehler = QStringLiteral("Das Video %1 ist nicht rechtzeitig zu Ende gegangen.").arg(Pfad);
        else
            *Fehler = QStringLiteral("Das Video %1 kann nicht abgespielt werden.").arg(Pfad) +
                      (grund.isEmpty() ? QString() : QStringLiteral("\n") + grund);
    }
    return ok;
}

void TQtMedienDienst::WarteOhneNachrichten(int Millisekunden)
{
    if (Millisekunden > 0)
        QThread::msleep(static_cast<unsigned long>(Millisekunden));
}

TMedienDienst& MedienDienstOderQt()
{
    if (TMedienDienst* d = medienDienst())
        return *d;
    // Never destroyed: the players must not outlive the application object's teardown.
    static TQtMedienDienst* qt = new TQtMedienDienst;
    setzeMedienDienst(qt);
    return *qt;
}

} // namespace zl
