#pragma once

#include <QDialog>

namespace zl {

// The bookmark dialog. Created once at start-up and reused.
class TLesezeichenForm : public QDialog {
public:
    explicit TLesezeichenForm(QWidget* parent = nullptr) : QDialog(parent) { setObjectName(QStringLiteral("LesezeichenForm")); }
};

// The one window of the run (created at start-up).
inline TLesezeichenForm* LesezeichenForm = nullptr;

} // namespace zl
