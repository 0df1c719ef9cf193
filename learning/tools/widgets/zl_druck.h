#pragma once

#include <QDialog>

namespace zl {

// The map print dialog. Created once at start-up and reused.
class TDruckForm : public QDialog {
public:
    explicit TDruckForm(QWidget* parent = nullptr) : QDialog(parent) { setObjectName(QStringLiteral("DruckForm")); }
};

// The one window of the run (created at start-up).
inline TDruckForm* DruckForm = nullptr;

} // namespace zl
