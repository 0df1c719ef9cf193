#pragma once

#include <QDialog>

namespace zl {

// The print dialog of the country data table. Created once at start-up and reused.
class TTabDruckForm : public QDialog {
public:
    explicit TTabDruckForm(QWidget* parent = nullptr) : QDialog(parent) { setObjectName(QStringLiteral("TabDruckForm")); }
};

// The one window of the run (created at start-up).
inline TTabDruckForm* TabDruckForm = nullptr;

} // namespace zl
