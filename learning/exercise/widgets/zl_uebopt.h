#pragma once

#include <QDialog>

namespace zl {

// The question-type dialog. Created once at start-up and reused.
class TUebungsoptForm : public QDialog {
public:
    explicit TUebungsoptForm(QWidget* parent = nullptr) : QDialog(parent) { setObjectName(QStringLiteral("UebungsoptForm")); }
};

// The one window of the run (created at start-up).
inline TUebungsoptForm* UebungsoptForm = nullptr;

} // namespace zl
