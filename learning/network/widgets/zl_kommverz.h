#pragma once

#include <QDialog>
#include <QRadioButton>

namespace zl {

// The communication-folder dialog. Created once at start-up and reused.
class TKommVerzForm : public QDialog {
public:
    explicit TKommVerzForm(QWidget* parent = nullptr) : QDialog(parent) { setObjectName(QStringLiteral("KommVerzForm")); }
    // The participant's channel: result files or mailslot messages.
    QRadioButton* KomRadioDatei = new QRadioButton(this);
    QRadioButton* KomRadioMailslot = new QRadioButton(this);
};

// The one window of the run (created at start-up).
inline TKommVerzForm* KommVerzForm = nullptr;

} // namespace zl
