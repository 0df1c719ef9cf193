#pragma once

#include <QString>

namespace zl {

// The display mode as the start-up check reads it.
struct BildschirmModus {
    int breite = 0; // pixels
    int hoehe = 0;
    int farbtiefe = 0; // bits per pixel
    int ppi = 0; // logical pixels per inch
};

// At least 800 x 600 with 15 bits, and with more than 96 ppi at least 1024 x 768.
bool GrafikmodusAusreichend(const BildschirmModus& m);
// The warning's text for a mode.
QString GrafikmodusText(const BildschirmModus& m);

// The primary screen's mode (a QGuiApplication must exist).
BildschirmModus LeseBildschirmModus();

// The start-up check: for an insufficient mode the warning box with "&Ja" and
// "&Nein". Returns whether the program may go on (false: end it at once).
bool PruefeGrafikmodus(const BildschirmModus& m);
bool PruefeGrafikmodus();

// The screen's pixels per inch as the start-up check read them (0 before it ran).
int BildschirmPpi();

} // namespace zl
