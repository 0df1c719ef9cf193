#pragma once

// View 4 of the main window: the sliding puzzle's board in its frame, the status
// panel with moves, time and the map's thumbnail, the mouse and the clock.

#include "learning/tools/zl_schieb.h"

#include <QObject>
#include <QWidget>

#include <functional>

class QLabel;
class QTimer;

namespace zl
{

class TAnsichtHost;
class TImage;

// The image control the engine draws on: shows the board picture at its corner
// and forwards the mouse.
class TSchiebImg : public QWidget, public TSchiebZiel
{
  public:
    explicit TSchiebImg(QWidget* parent = nullptr);
    const TSchiebepuzzle* Puzzle = nullptr;
    std::function<void(int X, int Y)> OnMouseDown;
    std::function<void(int X, int Y)> OnMouseMove;

    QSize Groesse() const override { return size(); }
    void Neuzeichnen(const QRect& Bereich) override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

// The main window's places the puzzle lives in.
struct TPuzzleFlaechen {
    QWidget* LernPan = nullptr;           // the map area: the board fills it below the view buttons
    QWidget* SchiebBasisPan = nullptr;    // view 4
    QWidget* PuzzStatusPan = nullptr;     // the status panel
    TImage* StatusHintergrund = nullptr;  // its background (StatBackImg3) ...
    const TImage* StatusBild = nullptr;   // ... showing the status-bar picture (StatBackImg1)
    const QWidget* StatusPlatz = nullptr; // the view button whose place the status panel takes
    QWidget* Logo = nullptr;              // hidden while the status panel reaches under it
    QTimer* ZeitTimer = nullptr;          // the clock of the views 3 and 4
};

class TPuzzleAnsicht : public QObject
{
  public:
    // Creates the controls in the panels of Flaechen; the game is Puzzle's. Host and
    // Puzzle must outlive the view. The main window connects "Schiebe&puzzle" to
    // Schiebepuzzle1Click.
    TPuzzleAnsicht(TAnsichtHost& Host, TSchiebepuzzle& Puzzle, const TPuzzleFlaechen& Flaechen);

    // A new puzzle with the current map. Fragen: ask before leaving the view
    // first (a bookmark restore has asked already). False when no puzzle was
    // started (the view was kept, or the map has no picture).
    bool Schiebepuzzle1Click(bool Fragen = true);
    void OrdnePuzzleFlaeche();
    void SchiebImgMouseDown(int X, int Y);
    void SchiebImgMouseMove(int X, int Y);
    void ZeigePuzzleZuege();
    void ZeigePuzzleZeit();
    void ZeigePuzzleNeustartHinweis();

    // The board's edge in the frame round it.
    static constexpr int kRand = 9;
    // The status panel's width: moves, time and the thumbnail.
    static constexpr int kStatusBreite = 300;

    QWidget* SchiebPan;  // the frame round the board
    QWidget* SchiebPan2; // the board's place in the frame
    TSchiebImg* SchiebImg;
    TImage* MainBackImgSchieb;
    TImage* PuzzHilfImg; // the map's thumbnail
    QLabel *PuzzleZugTitel, *PuzzleZeitTitel;
    QLabel *PuzzleZugLab, *PuzzleZeitLab;

  private:
    void OrdneBasis();
    void OrdneBildbox();
    void RahmeBrett();
    void OrdneStatus();
    void LadeVorschau();
    TAnsichtHost& H;
    TSchiebepuzzle& P_;
    TPuzzleFlaechen Fl;
};

} // namespace zl
