#pragma once

#include <QDialog>
#include <QCheckBox>

namespace zl {

// The exercise selection window. Created once at start-up and reused.
class TUebAuswForm : public QDialog {
public:
    explicit TUebAuswForm(QWidget* parent = nullptr) : QDialog(parent) { setObjectName(QStringLiteral("UebAuswForm")); }
    // The class-exercise option: ticked on the teacher's installation.
    QCheckBox* NetzwerkUebung1 = new QCheckBox(this);
};

// The one window of the run (created at start-up).
inline TUebAuswForm* UebAuswForm = nullptr;

} // namespace zl
