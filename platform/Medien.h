#pragma once

// Sound and video playing behind one service: the programs use Qt Multimedia
// (platform/widgets/QtMedien.h), tests install the recorder below.

#include <QImage>
#include <QList>
#include <QString>

#include <functional>

namespace zl
{

class TMedienDienst
{
  public:
    virtual ~TMedienDienst() = default;
    // Plays a sound file; a new sound stops the one playing. Synchron returns at its end;
    // Wiederholen repeats it (always in the background) until the next sound or
    // StoppeSound. Without an audio device nothing is heard, and that is no error.
    virtual void SpieleSound(const QString& Pfad, bool Synchron, bool Wiederholen) = 0;
    virtual void StoppeSound() = 0;
    // Plays a clip, handing each frame to Bild, and returns when it has ended; user input
    // waits meanwhile. Without an audio device it plays without its sound. False with Fehler
    // when the clip cannot be opened or played, or when it does not end within its length
    // and two seconds (at most 30 s).
    virtual bool SpieleVideo(const QString& Pfad, const std::function<void(const QImage&)>& Bild, QString* Fehler) = 0;
    // Waits without processing any message (the program does not react meanwhile).
    virtual void WarteOhneNachrichten(int Millisekunden) = 0;
};

// The installed service; null when none is installed.
TMedienDienst* medienDienst();
// Installs a service (not owned) and returns the previous one.
TMedienDienst* setzeMedienDienst(TMedienDienst* Dienst);

// Test double: logs every call; videos "play" the frames given and end with the scripted
// result; waits return at once.
class TMedienRecorder : public TMedienDienst
{
  public:
    struct Aufruf {
        enum Art { Sound, Stopp, Video, Warten } art;
        QString pfad;
        bool synchron = false;
        bool wiederholen = false;
        int millisekunden = 0;
    };
    void SpieleSound(const QString& Pfad, bool Synchron, bool Wiederholen) override;
    void StoppeSound() override;
    bool SpieleVideo(const QString& Pfad, const std::function<void(const QImage&)>& Bild, QString* Fehler) override;
    void WarteOhneNachrichten(int Millisekunden) override;

    const QList<Aufruf>& Aufrufe() const { return m_aufrufe; }
    // Short form of the calls: "Sound <file name>", "Stopp", "Video <file name>", "Warten <ms>".
    QStringList Protokoll() const;
    void Leeren() { m_aufrufe.clear(); }

    // What the next videos do: the frames they show and their result.
    QList<QImage> VideoBilder;
    bool VideoOk = true;
    QString VideoFehler;
    // Called at every call, after it is logged (for tests that look at the screen meanwhile).
    std::function<void(const Aufruf&)> BeiAufruf;

  private:
    QList<Aufruf> m_aufrufe;
};

// Installs a recorder for one scope and restores the previous service after.
class TMedienRecorderBereich : public TMedienRecorder
{
  public:
    TMedienRecorderBereich() : m_vorher(setzeMedienDienst(this)) {}
    ~TMedienRecorderBereich() override { setzeMedienDienst(m_vorher); }

  private:
    TMedienDienst* m_vorher;
};

} // namespace zl
