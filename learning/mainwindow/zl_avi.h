#pragma once

#include <QDialog>

namespace zl {

// The feedback video window. Created once at start-up and reused.
class TAVIForm : public QDialog {
public:
    explicit TAVIForm(QWidget* parent = nullptr) : QDialog(parent) { setObjectName(QStringLiteral("AVIForm")); }
};

// The one window of the run (created at start-up).
inline TAVIForm* AVIForm = nullptr;

} // namespace zl
