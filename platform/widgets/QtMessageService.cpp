#include "platform/widgets/QtMessageService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace zl {

MsgButton QtMessageService::show(const MessageRequest& r)
{
    QMessageBox box(QApplication::activeWindow());
    switch (r.kind) {
    case MsgKind::Warnung:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgKind::Fehler:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgKind::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgKind::Bestaetigung:
        box.setIcon(QMessageBox::Question);
        break;
    }
    box.setWindowTitle(r.caption.isEmpty() ? msgKindCaption(r.kind) : r.caption);
    box.setText(r.text);
    QList<QPair<QPushButton*, MsgButton>> buttons;
    for (MsgButton b : r.buttons) {
        const auto role = (b == mbCancel || b == mbNo || b == mbAbort) ? QMessageBox::RejectRole
                                                                       : QMessageBox::AcceptRole;
        QPushButton* pb = box.addButton(msgButtonCaption(b), role);
        buttons.append({pb, b});
        if (b == r.defaultButton)
            box.setDefaultButton(pb);
    }
    box.exec();
    for (const auto& [pb, b] : buttons)
        if (box.clickedButton() == pb)
            return b;
    // Closed by Esc or the window's close box.
    for (MsgButton b : r.buttons)
        if (b == mbCancel || b == mbNo)
            return b;
    return r.buttons.isEmpty() ? mbOK : r.buttons.last();
}

} // namespace zl
