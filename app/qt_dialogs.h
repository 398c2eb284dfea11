#pragma once
// The dialogs as the user sees them: Qt's message box, input dialog and the
// desktop's browser.

#include "app/dialogs.h"

namespace paylog {

class QtDialogs final : public Dialogs {
  public:
    MessageAnswer showMessage(const MessageRequest& request) override;
    bool askText(const InputRequest& request, Text& entry) override;
    bool openAddress(const Text& address) override;
};

}  // namespace paylog
