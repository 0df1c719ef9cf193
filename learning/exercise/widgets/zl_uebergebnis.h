#pragma once

#include <QDialog>
#include <QString>

namespace zl {

// The exercise result window. Created once at start-up and reused.
class TUebErgebForm : public QDialog {
public:
    explicit TUebErgebForm(QWidget* parent = nullptr) : QDialog(parent) { setObjectName(QStringLiteral("UebErgebForm")); }
    // Start folder of the protocol save dialog.
    QString SaveProtokollVerz;
};

// The one window of the run (created at start-up).
inline TUebErgebForm* UebErgebForm = nullptr;

} // namespace zl
