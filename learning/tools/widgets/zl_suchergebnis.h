#pragma once

#include <QDialog>

namespace zl {

// The search result list. Created once at start-up and reused.
class TSuchErgForm : public QDialog {
public:
    explicit TSuchErgForm(QWidget* parent = nullptr) : QDialog(parent) { setObjectName(QStringLiteral("SuchErgForm")); }
};

// The one window of the run (created at start-up).
inline TSuchErgForm* SuchErgForm = nullptr;

} // namespace zl
