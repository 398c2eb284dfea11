#pragma once
// Everything the window asks the user outside its own controls goes through
// this seam, so that tests can answer in advance and see what was asked.

#include "core/text.h"

namespace paylog {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel };

// What a message box returns; handlers only ever test for OK.
enum MessageAnswer : int { kAnswerOk = 0, kAnswerCancel = 1 };

// The title every message box has unless a handler gives another.
const Text& defaultMessageTitle();  // "信息："

struct MessageRequest {
    Text text;
    Text title = defaultMessageTitle();
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

// The input dialog's buttons are always "确认输入(&O)" and "取消(&C)".
struct InputRequest {
    Text title;
    Text prompt;  // the line above the entry; may be empty
    bool password = false;
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;

    virtual MessageAnswer showMessage(const MessageRequest& request) = 0;
    // OK stores the entry in `entry` and returns true; Cancel returns false
    // and leaves `entry` as it was.
    virtual bool askText(const InputRequest& request, Text& entry) = 0;
    // In the system's browser; false when no browser could be started.
    virtual bool openAddress(const Text& address) = 0;
};

}  // namespace paylog
