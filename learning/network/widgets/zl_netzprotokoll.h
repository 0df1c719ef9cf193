#pragma once

#include <QDialog>
#include <QString>

namespace zl {

// The teacher's protocol window. Created once at start-up and reused.
class TUebProtForm : public QDialog {
public:
    explicit TUebProtForm(QWidget* parent = nullptr) : QDialog(parent) { setObjectName(QStringLiteral("UebProtForm")); }
    // Start folder of the protocol save dialog.
    QString SaveProtokollVerz;
};

// The one window of the run (created at start-up).
inline TUebProtForm* UebProtForm = nullptr;

} // namespace zl
