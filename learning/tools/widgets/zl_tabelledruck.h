#pragma once

// The print dialog of the country data table.

#include "learning/tools/widgets/zl_drucker.h"

namespace zl
{

class TStringGrid2;

class TTabDruckForm : public TDruckDialog
{
  public:
    explicit TTabDruckForm(QWidget* parent = nullptr);

    // Prints the table; false when nothing was printed (an error box told why).
    bool Drucke();
    void DruckBtnClick() override { Drucke(); }
    // The table as it is printed from the fields below.
    TTabellenDruck Druckdaten() const;

    // Filled by the caller before showing the dialog.
    TStringGrid2* Tabelle = nullptr; // rows, column widths and alignments; not owned
    int Zeilenanzahl = -1;           // rows of Tabelle that hold data; -1 all
    QString Ueberschrift;            // empty: none
    QString Kopfzeile;               // cells each followed by "~"; empty: none
    QString Summenzeile;             // the same
};

// The one window of the run (created at start-up).
inline TTabDruckForm* TabDruckForm = nullptr;

} // namespace zl
