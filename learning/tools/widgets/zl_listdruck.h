#pragma once

#include <QDialog>

namespace zl {

// The list print dialog. Created once at start-up and reused.
class TListDruckForm : public QDialog {
public:
    explicit TListDruckForm(QWidget* parent = nullptr) : QDialog(parent) { setObjectName(QStringLiteral("ListDruckForm")); }
};

// The one window of the run (created at start-up).
inline TListDruckForm* ListDruckForm = nullptr;

} // namespace zl
