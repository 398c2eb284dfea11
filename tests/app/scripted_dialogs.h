#pragma once
// Dialogs for window tests: answers given in advance, every question kept.

#include <deque>
#include <optional>
#include <vector>

#include "app/dialogs.h"

namespace paylog {

class ScriptedDialogs final : public Dialogs {
  public:
    // Answers are taken in order; with none left a box answers OK and an
    // input dialog is cancelled.
    std::deque<MessageAnswer> messageAnswers;
    std::deque<std::optional<Text>> inputAnswers;  // nullopt: Cancel

    std::vector<MessageRequest> messages;
    std::vector<InputRequest> inputs;
    std::vector<Text> addresses;

    MessageAnswer showMessage(const MessageRequest& request) override;
    bool askText(const InputRequest& request, Text& entry) override;
    bool openAddress(const Text& address) override;
};

}  // namespace paylog
