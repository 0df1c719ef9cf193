#pragma once

// The dressing the class exercise's dialogs share: the dialog background drawn
// from the pattern picture behind every control, and the button colours.

#include "controls/Buttons2.h"
#include "learning/mapview/widgets/zl_gestaltung.h"

#include <QDialog>

namespace zl {

class TNetzDialog : public QDialog {
public:
    explicit TNetzDialog(QWidget* parent = nullptr);
    TImage* MainBackImg;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

// Space between the dialog's edge and its controls: inside the background's frame.
inline constexpr int kNetzRand = 36;

// A dialog button with its caption and object name.
TBitBtn2* NetzKnopf(QWidget* parent, const char* name, const QString& caption);

} // namespace zl
