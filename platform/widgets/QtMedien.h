#pragma once

// The media service of the programs: Qt Multimedia plays sounds and clips.

#include "platform/Medien.h"

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

  private:
    std::unique_ptr<QMediaPlayer> m_sound;
    std::unique_ptr<QAudioOutput> m_soundAusgabe;
};

// The installed service, or the Qt one (created once) when none is installed.
TMedienDienst& MedienDienstOderQt();

} // namespace zl
