#pragma once

#include <QDialog>

namespace zl {

// The participant's start dialog. Created once at start-up and reused.
class TNetzUebungTnStartForm : public QDialog {
public:
    explicit TNetzUebungTnStartForm(QWidget* parent = nullptr) : QDialog(parent) { setObjectName(QStringLiteral("NetzUebungTnStartForm")); }
};

// The one window of the run (created at start-up).
inline TNetzUebungTnStartForm* NetzUebungTnStartForm = nullptr;

} // namespace zl
