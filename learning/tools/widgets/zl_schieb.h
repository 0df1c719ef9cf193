#pragma once

namespace zl {

// The sliding-puzzle engine; the main window keeps one for the whole run.
class TSchiebepuzzle {
public:
    // Tiles off their home cells; 0 for a solved (or not yet started) puzzle.
    int AnzahlFalscheTeile() const { return Falsche; }

    int Falsche = 0;
};

} // namespace zl
