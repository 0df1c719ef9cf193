#pragma once

#include <QDialog>

namespace zl {

// The place-name search dialog. Created once at start-up and reused.
class TKartSuchForm : public QDialog {
public:
    explicit TKartSuchForm(QWidget* parent = nullptr) : QDialog(parent) { setObjectName(QStringLiteral("KartSuchForm")); }
};

// The one window of the run (created at start-up).
inline TKartSuchForm* KartSuchForm = nullptr;

} // namespace zl
