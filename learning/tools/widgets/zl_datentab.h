#pragma once

// The country data table (non-modal, on top of the main window): one region's
// countries ranked and sortable with a sum row, copied, printed or shown on a map.

#include "learning/tools/zl_laendertabelle.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;

namespace zl
{

class THauptfensterHost;
class TBitBtn2;
class THoverPanel;
class TImage;
class TStringGrid2;

class TDatenTabForm : public QDialog
{
  public:
    explicit TDatenTabForm(QWidget* parent = nullptr);
    // The main window it works for; none: it works alone.
    THauptfensterHost* Host = nullptr;

    void FormActivate();
    void SortPanClick(int Schluessel); // SortPan1Click .. SortPan4Click
    void BasisComboChange() { FuelleDatentabelle(); }
    void ZeigeBtnClick();
    void ZwischenablageBtnClick();
    void DruckBtnClick();
    void OKBtnClick() { close(); }
    void FuelleDatentabelle();
    // The clipboard text of the table as shown.
    QString TabellenText() const;

    QList<int> Laenderliste;
    int Sortierung = kSortName;
    double SummeEinwohner = 0, SummeFlaeche = 0, SummeDichte = 0;

    TImage* MainBackImg;
    QWidget* Panel1;
    QLabel* BasisLab;
    QComboBox* BasisCombo;
    std::array<THoverPanel*, 4> SortPan;
    TStringGrid2* TabGrid;
    TStringGrid2* SumGrid;
    TBitBtn2 *ZeigeBtn, *ZwischenablageBtn, *DruckBtn, *OKBtn;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void ZeigeSortierung();
    int m_tabelleLinks = 0;
};

// Column widths and alignments of the table and its sum row.
inline constexpr std::array<int, 5> kDatenSpalten = {55, 160, 105, 105, 105};
inline constexpr std::array<int, 5> kDatenAusrichtung = {1, 0, 2, 2, 2};

// The one window of the run (created at start-up).
inline TDatenTabForm* DatenTabForm = nullptr;

} // namespace zl
