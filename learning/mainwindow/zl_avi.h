#pragma once

// Sounds, feedback videos and still pictures, and the small video window they play in.

#include <QDialog>
#include <QImage>
#include <QString>

namespace zl {

// The feedback video window. Created once at start-up and reused.
class TAVIForm : public QDialog {
public:
    explicit TAVIForm(QWidget* parent = nullptr) : QDialog(parent) { setObjectName(QStringLiteral("AVIForm")); }
};

// The one window of the run (created at start-up).
inline TAVIForm* AVIForm = nullptr;

// Stops any sound that plays.
void StoppeSound();
// The path of a sound (".wav" in SoundVerz) or clip (".avi" in VideoVerz); empty when it does not exist.
QString SoundDateiPfad(const QString& Name);
QString VideoDateiPfad(const QString& Name);
bool VideoDateiExistiert(const QString& Name);
// Plays a sound while "&Sound" is checked; a missing file gives an error box.
void SpieleSound(const QString& Name, bool Synchron = false, bool Wiederholen = false);
void SpieleRichtigTon();
void SpieleFalschTon();
void SpieleHoverTon();
// Plays a clip in the video window while "&Aktiviert" is checked; returns when it has ended.
void SpieleVideo(const QString& Name);
void SpieleRichtigVideo();
void SpieleFalschVideo();
// Shows a still picture for 1500 ms while "&Standbild" is checked.
void ZeigeStandbild(const QImage& Bild);
void ZeigeRichtigStandbild();
void ZeigeFalschStandbild();

} // namespace zl
