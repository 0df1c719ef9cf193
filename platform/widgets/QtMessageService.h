#pragma once

#include "platform/MessageService.h"

namespace zl {

// The programs' message boxes: modal QMessageBox with German buttons.
class QtMessageService : public MessageService {
public:
    MsgButton show(const MessageRequest& request) override;
};

} // namespace zl
