#pragma once

#include <QDialog>

namespace zl {

// The exercise map display dialog. Created once at start-up and reused.
class TUebKartDarstForm : public QDialog {
public:
    explicit TUebKartDarstForm(QWidget* parent = nullptr) : QDialog(parent) { setObjectName(QStringLiteral("UebKartDarstForm")); }
};

// The one window of the run (created at start-up).
inline TUebKartDarstForm* UebKartDarstForm = nullptr;

} // namespace zl
