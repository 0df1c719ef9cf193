#pragma once

// The bundled media of the learning program, made from nothing: the three feedback and hover
// sounds synthesised as 16-bit mono WAV files, and the four feedback clips as AVI files with
// Motion-JPEG frames (and, in the "snd" clips, the sound as PCM).

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

namespace zl::medien
{

using Proben = std::vector<std::int16_t>;

inline constexpr int kWavRate = 22050;  // the sounds
inline constexpr int kClipRate = 11025; // the clips' sound
inline constexpr int kClipBilder = 10;  // frames per second
inline constexpr int kClipSeite = 136;  // frame width and height

// A WAV file (PCM, 16 bit, mono) of the samples.
QByteArray WavDatei(const Proben& P, int Rate);

// The sounds: "Richtig1" rising chime, "Falsch1" falling buzz, "Hover1" short tick.
Proben RichtigKlang(int Rate);
Proben FalschKlang(int Rate);
Proben HoverKlang(int Rate);

// An AVI file of the frames at a frame rate, each frame coded as JPEG at the quality, with
// the sound (empty: a clip without sound) split into one chunk per frame.
QByteArray AviDatei(const std::vector<QImage>& Bilder, int BilderJeSekunde, int Qualitaet, const Proben& Ton, int Rate);

// The frames of a feedback clip (a right or a wrong answer).
std::vector<QImage> ClipBilder(bool Richtig);

// Writes the three sounds and four clips into the two folders; false with Fehler set.
bool SchreibeAlle(const QString& SoundVerz, const QString& VideoVerz, QString* Fehler);

} // namespace zl::medien
