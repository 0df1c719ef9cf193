// The main window's part of the exercises: the exercise view, its menu items,
// keys, layout and clock.

#include "learning/exercise/widgets/zl_uebflaeche.h"
#include "learning/mainwindow/widgets/zl_main.h"

#include <QKeyEvent>

namespace zl
{

void TForm1::ErzeugeUebungsAnsicht()
{
    UebungsAnsicht = new TUebungsAnsicht(*this, {.UebenPan = UebenPan,
                                                  .UebStatusPan = UebStatusPan,
                                                  .StatusHintergrund = StatBackImg2,
                                                  .StatusBild = StatBackImg1,
                                                  .StatusNachbar = DatentabelleBtn2,
                                                  .Hauptflaeche = Hauptflaeche,
                                                  .UebungenBtn = UebungenBtn,
                                                  .ZeitTimer = ZeitTimer,
                                                  .Lesezeichen = LesezeichenMenue});
    TUebungsAnsicht* A = UebungsAnsicht;
    connect(UebungStart1, &QAction::triggered, A, [A] { A->UebungStart1Click(); });
    connect(LetzteUebung1, &QAction::triggered, A, [A] { A->LetzteUebung1Click(); });
    connect(Fragetypen1, &QAction::triggered, A, [A] { A->Fragetypen1Click(); });
    connect(UebKartDarst, &QAction::triggered, A, [A] { A->UebKartDarstClick(); });
    // A new feedback level shows in the running exercise's status line at once.
    for (QAction* a : {UebRFLevel0, UebRFLevel1, UebRFLevel2})
        connect(a, &QAction::triggered, A, [this, A] {
            if (Zustand.Ansichtsmodus == Uebung && A->Engine().Laeuft())
                A->ZeigeUebungsStatus(Zustand.UebRFLevel);
        });
}

bool TForm1::UebungTaste(QKeyEvent* Key)
{
    return UebungsAnsicht && UebungsAnsicht->Taste(Key);
}

void TForm1::OrdneUebungsFlaeche()
{
    if (UebungsAnsicht)
        UebungsAnsicht->OrdneUebungsFlaeche();
}

void TForm1::ZeigeUebungsZeit()
{
    if (UebungsAnsicht)
        UebungsAnsicht->ZeigeUebungsZeit();
}

} // namespace zl
