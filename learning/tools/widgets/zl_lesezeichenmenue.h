#pragma once

// The main window's bookmarks: defining one of the current view, the numbered
// entries of the menu "&Lesezeichen", the dialog, restoring a view, and the
// label-file switch a restore makes.

#include "learning/mapview/zl_zustand.h"
#include "learning/tools/zl_lesezeichendaten.h"

#include <QList>
#include <QObject>

#include <cstdint>
#include <functional>

class QAction;
class QMenu;

namespace zl
{

class TAnsichtHost;
class TPuzzleAnsicht;

// The exercise start a restored exercise bookmark calls, after the restore has set
// the exercise fields of the main window (kind, count, masks, map index, advance).
// Filled by the exercise screen; while it is empty an exercise bookmark cannot be
// restored.
inline std::function<void(const TUebStart&)> StarteLesezeichenUebung;
// The seed a bookmark of the last exercise keeps (0: a new random sequence). Filled
// by the exercise screen; while it is empty the bookmark keeps none.
inline std::function<std::int32_t()> BehaltenerLesezeichenSeed;

class TLesezeichenMenue : public QObject
{
  public:
    // Keeps its entries in Menue below its first three items; restores puzzles
    // through Puzzle. Host and Puzzle must outlive it. The main window connects
    // "Neu &definieren..." and "&Bearbeiten...".
    TLesezeichenMenue(TAnsichtHost& Host, QMenu* Menue, TPuzzleAnsicht& Puzzle);

    // Asks, then sets a bookmark of the view shown (modes 2 to 4) and opens the
    // dialog on it. The exercise selection and result windows call it too.
    void LesezeichenDefinieren1Click();
    // Appends a bookmark (its label file may be given as a full path) and rebuilds the menu.
    void NeuesLesezeichen(LesezeichenDataTyp L);
    void BaueLesezeichenMenue();
    void BearbeiteLesezeichen(bool GeradeDefiniert);
    void LesezeichenAuswahlClick(int Index);
    // Writes the value "Lesezeichen".
    void SpeichereLesezeichen();

    // The numbered entries of the menu, in table order.
    QList<QAction*> Eintraege;

  private:
    void StelleKarteHer(const LesezeichenDataTyp& L);
    void StelleUebungHer(const LesezeichenDataTyp& L);
    void StellePuzzleHer(const LesezeichenDataTyp& L);
    TAnsichtHost& H;
    QMenu* Menue_;
    TPuzzleAnsicht& Puzzle_;
};

// Switches the current label file to the file of that name in the data folder,
// with the box "Wechsel der Kartenobjektdatei (...)" when it is another file.
// When the file cannot be read the reader's box is shown and the current file
// and its labels stay; the result is then false.
bool WechsleObjektdatei(const QString& Name);

} // namespace zl
