#pragma once

// The place-name search dialog (modal): the term with its history and the three
// options.

#include <QDialog>
#include <QStringList>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;

namespace zl
{

class THauptfensterHost;
class TBitBtn2;
class TImage;

class TKartSuchForm : public QDialog
{
  public:
    explicit TKartSuchForm(QWidget* parent = nullptr);
    // The main window it works for; none: it works alone.
    THauptfensterHost* Host = nullptr;

    // History update: the term on top (see MerkeSuchbegriff of the search model).
    void MerkeSuchbegriff(const QString& Begriff);
    // The history, most recent first.
    QStringList Verlauf() const;
    void ClearBtnClick();
    // Shows the dialog modally and returns its result (mbOK for "Suchen"). Tests
    // replace it, so no test waits on a modal window.
    std::function<int()> ZeigeModal;

    TImage* MainBackImg;
    QWidget* Panel1;
    QLabel* Label1;
    QComboBox* TextEdit;
    QCheckBox *NurGanzWort, *NurGanzStr, *NurAktKarte;
    TBitBtn2 *SuchBtn, *CloseBtn, *ClearBtn;

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void FormActivate();
};

// The one window of the run (created at start-up).
inline TKartSuchForm* KartSuchForm = nullptr;

} // namespace zl
