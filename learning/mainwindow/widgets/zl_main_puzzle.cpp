// The main window's part of the sliding puzzle: the puzzle view in its panels, the
// re-layout and clock hooks and the size items of "&Puzzle-Optionen".

#include "learning/mainwindow/widgets/zl_main.h"

#include "learning/mainwindow/widgets/zl_lernkarte.h"
#include "learning/tools/widgets/zl_schiebansicht.h"

namespace zl
{

void TForm1::ErzeugePuzzleAnsicht()
{
    PuzzleAnsicht = new TPuzzleAnsicht(*this, *Puzzle,
                                       {.LernPan = LernPan,
                                        .SchiebBasisPan = SchiebBasisPan,
                                        .PuzzStatusPan = PuzzStatusPan,
                                        .StatusHintergrund = StatBackImg3,
                                        .StatusBild = StatBackImg1,
                                        .StatusPlatz = SuchBtn2,
                                        .Logo = ZLTextImg1,
                                        .ZeitTimer = ZeitTimer});
    TPuzzleAnsicht* A = PuzzleAnsicht;
    connect(Schiebepuzzle1, &QAction::triggered, A, [A] { A->Schiebepuzzle1Click(); });
    // A new display type shows in the next puzzle only.
    for (QAction* a : LernkarteAnsicht->KartTypPunkt)
        connect(a, &QAction::triggered, A, [this, A] {
            if (Zustand.Ansichtsmodus == Schiebepuzzle)
                A->ZeigePuzzleNeustartHinweis();
        });
}

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
