#pragma once

// The feedback picture of the video window: a green tick for a right answer, a red cross for
// a wrong one, drawn in as the clip runs. The bundled clips are made of these frames and the
// still pictures are their last frame.

#include <QImage>
#include <QSize>

namespace zl
{

// The frame at Fortschritt 0..1 (held to that range) of the size; 1 is the finished picture.
QImage RueckmeldeBild(bool Richtig, double Fortschritt, QSize Groesse = QSize(137, 137));
// The continue picture: an arrow to the right above the room the "&Weiter" button takes.
QImage WeiterBild(QSize Groesse = QSize(137, 137));

} // namespace zl
