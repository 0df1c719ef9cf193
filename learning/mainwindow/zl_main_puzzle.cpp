// The main window's part of the sliding puzzle: the re-layout and clock hooks
// and the size items of "&Puzzle-Optionen".

#include "learning/mainwindow/zl_main.h"

#include "learning/tools/widgets/zl_schiebansicht.h"

namespace zl
{

void TForm1::OrdnePuzzleFlaeche()
{
    PuzzleAnsicht->OrdnePuzzleFlaeche();
}

void TForm1::ZeigePuzzleZeit()
{
    PuzzleAnsicht->ZeigePuzzleZeit();
}

void TForm1::PuzzleTeileClick(int n)
{
    // The running puzzle keeps its size; the new one applies at the next start.
    if (Zustand.Ansichtsmodus == Schiebepuzzle && Zustand.Wahl.PuzzleTeile != n)
        PuzzleAnsicht->ZeigePuzzleNeustartHinweis();
    Zustand.Wahl.PuzzleTeile = n;
    ZeigeMenueWahl();
    Settings.Schreibe(QStringLiteral("Puzzle-Teile"), Zustand);
}

} // namespace zl
