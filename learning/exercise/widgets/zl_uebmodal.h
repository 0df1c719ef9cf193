#pragma once

// How the exercise windows show their modal dialogs. Tests replace it, so no
// test waits on a modal window; the result is the dialog's (0 for Esc).

#include <QDialog>

#include <functional>

namespace zl
{

inline std::function<int(QDialog*)> UebModalAusfuehren;

inline int UebModal(QDialog* Dialog)
{
    return UebModalAusfuehren ? UebModalAusfuehren(Dialog) : Dialog->exec();
}

} // namespace zl
