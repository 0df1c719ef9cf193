#pragma once

// The sliding-puzzle engine: the board cut from a map picture, the shuffle, the
// moves and the clock. It draws the board into its own picture and tells its
// target when to repaint; it knows nothing of the main window.

#include "platform/Canvas.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>

namespace zl
{

// What the engine draws on: the size of the box the picture is fitted into, and
// a repaint of the given board rectangle (an empty one: the whole board).
class TSchiebZiel
{
  public:
    virtual ~TSchiebZiel() = default;
    virtual QSize Groesse() const = 0;
    virtual void Neuzeichnen(const QRect& Bereich) = 0;
};

class TSchiebepuzzle
{
  public:
    static constexpr int kMaxTeile = 5;

    // 4 x 4, a navy hole, and a new random start of the program's generator.
    TSchiebepuzzle();

    int TeilBreite = 0;
    int TeilHoehe = 0;
    int Spalten = 4; // 3..5
    int Zeilen = 4;
    int LeerSpalte = -1; // -1: no hole shown (solved view)
    int LeerZeile = -1;
    // Home id of the tile on each cell, [column][row]; the home id of (c, r) is Spalten * r + c.
    int Feld[kMaxTeile][kMaxTeile] = {};
    int Zuege = 0;
    int Falsche = 0;
    std::uint32_t Startzeit = 0;
    // Not owned; set before the first game.
    TSchiebZiel* Zielbild = nullptr;
    TColor Leerfarbe = clNavy;
    // The millisecond tick the clock reads (tests set their own).
    std::function<std::uint32_t()> Uhr;

    // Keeps its own copy of the picture (so a later reload of the shared map
    // cache cannot change the tiles), sets the size (held to 3..5) and lays out
    // the home board with the hole bottom-right. False, with no board, when the
    // picture is empty.
    bool NeuesSpiel(const QImage& Bild, int NeueSpalten, int NeueZeilen);
    // Redraws the current board at the target's current size.
    void NeuAufbauen();
    // Shuffles by a random walk of the hole until a tile is off home, then starts the clock.
    void Mischen();
    // Moves the tile under (X, Y); true when the puzzle is solved (before or by this
    // move). Positions off the board and a board too small to have tiles change nothing.
    bool Klick(int X, int Y, bool NurNachbarn);
    bool KannZiehen(int X, int Y, bool NurNachbarn) const;
    // The whole picture without a hole.
    void ZeigeGeloest();

    int AnzahlZuege() const { return Zuege; }
    int AnzahlFalscheTeile() const { return Falsche; }
    // "mm:ss" since the shuffle; a tick-counter wrap is counted through.
    QString Spielzeit() const;

    // The board picture (the target shows it at its top-left corner).
    const QImage& Brettbild() const { return m_brett; }
    bool HatBrett() const { return TeilBreite > 0 && TeilHoehe > 0; }
    // The cell under a board position; false off the board or without tiles.
    bool ZelleBei(int X, int Y, int& c, int& r) const;

  private:
    enum Modus { Neuzeichnen = 0, Neu = 1, Geloest = 2 };
    void PasseBildAn();
    void Aufbauen(Modus m);
    void ZeichneKante(int c, int r);
    void ZeichneLeerfeld(QImage& Bild) const;
    void VerschiebeLeerfeld(int c, int r, QImage& Bild);
    void ZaehleFalsche();
    void MerkeStartzeit();
    QRect Zelle(int c, int r) const;
    void Zeige(const QRect& Bereich = {});

    QImage m_quelle; // RGB32 copy of the source picture
    QImage m_brett;  // RGB32 board picture
};

// The puzzle screen's texts: the restart hint of the size items and the box
// after a solved puzzle, which quotes the move and time labels.
QString PuzzleNeustartText();
QString PuzzleGeloestText(bool AnredeDu, const QString& Zuege, const QString& Zeit);

} // namespace zl
