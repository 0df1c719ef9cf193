#pragma once

#include <QDialog>

namespace zl {

// The country data table. Created once at start-up and reused.
class TDatenTabForm : public QDialog {
public:
    explicit TDatenTabForm(QWidget* parent = nullptr) : QDialog(parent) { setObjectName(QStringLiteral("DatenTabForm")); }
};

// The one window of the run (created at start-up).
inline TDatenTabForm* DatenTabForm = nullptr;

} // namespace zl
