#pragma once

// The message window that shows a waiting text during long work.

#include "controls/ShadLab.h"
#include "learning/mapview/widgets/zl_gestaltung.h"

#include <QDialog>

namespace zl {

class TMeldForm : public QDialog {
public:
    explicit TMeldForm(QWidget* parent = nullptr);

    TImage* MainBackImg;
    TShadowLabel* InfoLab;

protected:
    void showEvent(QShowEvent* event) override;
};

// The one message window of the run (created at start-up).
inline TMeldForm* MeldForm = nullptr;

// Shows the text (a "|" breaks the line) without waiting and lets the window
// paint before the caller's work begins. The caller hides the window.
void ZeigeMeldung(const QString& Text);

} // namespace zl
