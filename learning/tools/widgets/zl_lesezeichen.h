#pragma once

// The bookmark dialog "Lesezeichen bearbeiten": rename and delete bookmarks.

#include "learning/tools/zl_lesezeichendaten.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;

namespace zl
{

class TBitBtn2;
class TImage;

class TLesezeichenForm : public QDialog
{
  public:
    explicit TLesezeichenForm(QWidget* parent = nullptr);

    // Fills the list from the table (not owned), selects the last entry and
    // remembers whether the entry was just defined (the edit then gets the focus).
    void Fuelle(QList<LesezeichenDataTyp>* Tabelle, bool GeradeDefiniert);

    void List1Click();
    void ZuweisBtnClick();
    void DelBtnClick();

    // The table was changed since Fuelle.
    bool Geaendert = false;

    QWidget* Panel1; // the inner panel
    TImage* MainBackImg;
    QLabel* Label1;
    QListWidget* List1;
    QLineEdit* Edit1;
    TBitBtn2 *ZuweisBtn, *DelBtn, *SchliessenBtn;

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Waehle(int i);
    QList<LesezeichenDataTyp>* tabelle_ = nullptr;
    bool geradeDefiniert_ = false;
};

// The one window of the run (created at start-up).
inline TLesezeichenForm* LesezeichenForm = nullptr;

} // namespace zl
