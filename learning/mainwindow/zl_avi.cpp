#include "learning/mainwindow/zl_avi.h"

namespace zl {

// Media are not played yet: every routine does nothing.
void StoppeSound() {}
QString SoundDateiPfad(const QString&) { return {}; }
QString VideoDateiPfad(const QString&) { return {}; }
bool VideoDateiExistiert(const QString& Name) { return !VideoDateiPfad(Name).isEmpty(); }
void SpieleSound(const QString&, bool, bool) {}
void SpieleRichtigTon() {}
void SpieleFalschTon() {}
void SpieleHoverTon() {}
void SpieleVideo(const QString&) {}
void SpieleRichtigVideo() {}
void SpieleFalschVideo() {}
void ZeigeStandbild(const QImage&) {}
void ZeigeRichtigStandbild() {}
void ZeigeFalschStandbild() {}

} // namespace zl
