#include "scripted_dialogs.h"

namespace paylog {

MessageAnswer ScriptedDialogs::showMessage(const MessageRequest& request) {
    messages.push_back(request);
    if (messageAnswers.empty()) return kAnswerOk;
    const MessageAnswer answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

bool ScriptedDialogs::askText(const InputRequest& request, Text& entry) {
    inputs.push_back(request);
    if (inputAnswers.empty()) return false;
    const std::optional<Text> answer = inputAnswers.front();
    inputAnswers.pop_front();
    if (!answer) return false;
    entry = *answer;
    return true;
}

bool ScriptedDialogs::openAddress(const Text& address) {
    addresses.push_back(address);
    return true;
}

}  // namespace paylog
