#pragma once

#include <QDialog>

namespace zl {

// The map-label editor. Created once at start-up and reused.
class TObjEditneuForm : public QDialog {
public:
    explicit TObjEditneuForm(QWidget* parent = nullptr) : QDialog(parent) { setObjectName(QStringLiteral("ObjEditneuForm")); }
};

// The one window of the run (created at start-up).
inline TObjEditneuForm* ObjEditneuForm = nullptr;

} // namespace zl
