#pragma once

// The search result window (non-modal, on top of the main window): the hits with
// type and map, and the jump to a hit's map.

#include "learning/tools/zl_suchmodell.h"

#include <QDialog>

class QLabel;

namespace zl
{

class THauptfensterHost;
class TBitBtn2;
class TImage;
class TStringGrid2;

class TSuchErgForm : public QDialog
{
  public:
    explicit TSuchErgForm(QWidget* parent = nullptr);
    // The main window it works for; none: it works alone.
    THauptfensterHost* Host = nullptr;

    // Empties the grid and the hit list for a search over the table.
    void LeereErgebnis(const QList<ObjDataTyp>& Tabelle);
    // Appends the label with that table index to the grid and the hit list.
    void FuegeHinzu(int Index);
    // The same for many hits at once (the grid grows once).
    void FuegeHinzu(const QList<int>& Indizes);

    void List1DblClick();
    void NeuSuchBtnClick();
    void CloseBtnClick() { close(); }

    TSuchergebnis Ergebnis;       // TrefferIndizes, TrefferAnzahl
    bool AusDatentabelle = false; // started from the data table, which was minimized for it
    TSuchIndex Index;             // comparison texts of the label table

    TImage* MainBackImg;
    QWidget* Panel1;
    TStringGrid2* List1;
    QLabel* HinweisLab;
    TBitBtn2 *ZeigeBtn, *NeuSuchBtn, *CloseBtn;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void FormShow();
    void SetzeSpalten();
};

// The one window of the run (created at start-up).
inline TSuchErgForm* SuchErgForm = nullptr;

} // namespace zl
