#pragma once

// Sounds, feedback videos and still pictures, and the small video window they play in.

#include <QDialog>
#include <QImage>
#include <QString>

class QCloseEvent;
class QEvent;

namespace zl
{

class TAnsichtHost;
class THoverPanel;
class TImage;

// The panel a clip is shown in: the current frame centred on the panel's colour.
class TVideoPanel : public QWidget
{
  public:
    explicit TVideoPanel(QWidget* parent = nullptr);
    QColor Farbe;
    QImage Bild;
    void ZeigeBild(const QImage& B);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// The feedback video window. Created once at start-up and reused; shown without waiting
// for a clip or a still picture, and modally by the exercise as its continue prompt.
class TAVIForm : public QDialog
{
  public:
    explicit TAVIForm(QWidget* parent = nullptr);
    // The main window: its option items decide what plays, and the window shows beside
    // it. None: nothing plays.
    TAnsichtHost* Host = nullptr;

    QWidget* Panel1;        // black, 139 x 139
    TVideoPanel* AVIPan;    // 137 x 137 inside it
    TImage* AVIImg;         // the still picture, filling AVIPan; hidden at first
    THoverPanel* WeiterBtn; // "&Weiter" at the bottom; hidden at first

    void WeiterBtnClick();
    // Places the window at the top right of the main window (x = right - width - 10, y = top + 20).
    void Platziere();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
};

// The one window of the run (created at start-up).
inline TAVIForm* AVIForm = nullptr;

// Stops any sound that plays.
void StoppeSound();
// The path of a sound (".wav" in SoundVerz) or clip (".avi" in VideoVerz); empty when it does not exist.
QString SoundDateiPfad(const QString& Name);
QString VideoDateiPfad(const QString& Name);
bool VideoDateiExistiert(const QString& Name);
// All four feedback clips exist (looked for in the order the feedback uses them).
bool VideosVorhanden();
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
// The main window's two hidden still pictures.
QImage ZLRichtigImg1();
QImage ZLFalschImg1();
// The main window's continue picture, shown with the "&Weiter" prompt.
QImage ZLWeiterImg();

} // namespace zl
