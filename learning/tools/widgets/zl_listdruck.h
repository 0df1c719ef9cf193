#pragma once

// The list print dialog: text lines in a fixed-pitch font that shrinks until the
// longest line fits the page width (exercise and network protocols).

#include "learning/tools/widgets/zl_drucker.h"

#include <QStringList>

namespace zl
{

class TListDruckForm : public TDruckDialog
{
  public:
    explicit TListDruckForm(QWidget* parent = nullptr);

    bool Drucke();
    void DruckBtnClick() override { Drucke(); }

    // The caller's lines (for example a memo's), set before showing; not owned.
    const QStringList* Druckzeilen = nullptr;

    QLabel* HinweisLab;

  protected:
    void OrdnePanel(int Breite) override;
};

// The one window of the run (created at start-up).
inline TListDruckForm* ListDruckForm = nullptr;

} // namespace zl
