#pragma once

#include <QDialog>

namespace zl {

// The network options dialog. Created once at start-up and reused.
class TNetzOptForm : public QDialog {
public:
    explicit TNetzOptForm(QWidget* parent = nullptr) : QDialog(parent) { setObjectName(QStringLiteral("NetzOptForm")); }
};

// The one window of the run (created at start-up).
inline TNetzOptForm* NetzOptForm = nullptr;

} // namespace zl
