#pragma once

// The media service of the programs: Qt Multimedia plays sounds and clips.

#include "platform/Medien.h"

#include <functional>
#include <memory>

class QAudioOutput;
class QMediaPlayer;

namespace zl
{

class TQtMedienDienst : public TMedienDienst
{
  public:
    TQtMedienDienst();
    ~TQtMedienDienst() override;

    void SpieleSound(const QString& Pfad, bool Synchron, bool Wiederholen) override;
    void StoppeSound() override;
    bool SpieleVideo(const QString& Pfad, const std::function<void(const QImage&)>& Bild, QString* Fehler) override;
    void WarteOhneNachrichten(int Millisekunden) override;

    // How long a clip may take to open before it counts as hanging.
    int LadeGrenzeMs = 10000;
    // Whether the computer has an audio output; unset, Qt's default output device decides.
    // Without one, sounds are skipped and clips play without their sound: an output that
    // cannot be opened would make the player fail the clip.
    std::function<bool()> AudioAusgabeVorhanden;

  private:
    bool HatAudioAusgabe() const;

    std::unique_ptr<QMediaPlayer> m_sound;
    std::unique_ptr<QAudioOutput> m_soundAusgabe;
};

// The installed service, or the Qt one (created once) when none is installed.
TMedienDienst& MedienDienstOderQt();

} // namespace zl
