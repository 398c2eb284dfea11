// The maintenance buttons of the log group and the backup at shutdown.

#include "app/log_handlers.h"
#include "log/log_backup.h"
#include "log/log_maintenance.h"
#include "log/log_password.h"

namespace paylog {

// Nothing is deleted, and nothing asked, when the log cannot be opened.
void LogHandlers::deleteLastRecord() {
    const LogReport question = deletionQuestion(store_, logPassword_);
    if (!question.ok()) {
        tell(question.message, MessageIcon::Error);
        return;
    }
    if (tell(question.message, MessageIcon::None, MessageButtons::OkCancel) != kAnswerOk) return;
    const LogReport deleted = paylog::deleteLastRecord(store_, logPassword_);
    if (!deleted.ok()) {
        tell(deleted.message, MessageIcon::Error);
        return;
    }
    refresh();
}

void LogHandlers::sortLog() {
    const LogReport sorted = paylog::sortLog(store_, logPassword_);
    tell(sorted.message, sorted.ok() ? MessageIcon::Information : MessageIcon::Error);
}

// Opened with the password typed here, not the one of the run, so that
// clearing asks once more who is at the keyboard.
void LogHandlers::clearLog() {
    static const Text kWarning = gbk("当前操作将清空数据库的所有内容，不可恢复，请确认！");
    static const Text kWarningTitle = gbk("警告");
    static const Text kTitle = gbk("请输入数据库密码");
    static const Text kPrompt = gbk("数据库清空后将不可恢复！");
    MessageRequest warning;
    warning.text = kWarning;
    warning.title = kWarningTitle;
    warning.icon = MessageIcon::Warning;
    warning.buttons = MessageButtons::OkCancel;
    if (services_.dialogs.showMessage(warning) != kAnswerOk) return;
    const Text typed = askPassword(kTitle, kPrompt).value_or(Text());
    const LogReport cleared = paylog::clearLog(store_, typed);
    if (cleared.ok()) {
        tell(cleared.message, MessageIcon::Information);
    } else {
        const bool wrongPassword = cleared.store.status == StoreStatus::WrongPassword;
        tell(cleared.message, wrongPassword ? MessageIcon::Warning : MessageIcon::Error);
    }
}

// The run's password changes only when the log took the new one.
void LogHandlers::changePassword() {
    static const Text kFirst = gbk("请设置新密码");
    static const Text kSecond = gbk("请再次输入新密码");
    static const Text kMismatch = gbk("两次密码输入不一致！");
    static const Text kEmpty = gbk("是否设定空密码？");
    const Text first = askPassword(kFirst).value_or(Text());
    const Text second = askPassword(kSecond).value_or(Text());
    if (first != second) {
        tell(kMismatch, MessageIcon::Error);
        return;
    }
    if (first.empty() &&
        tell(kEmpty, MessageIcon::Question, MessageButtons::OkCancel) != kAnswerOk) {
        return;
    }
    const LogReport changed = setLogPassword(store_, logPassword_, first);
    if (!changed.ok()) {
        tell(changed.message, MessageIcon::Error);
        return;
    }
    logPassword_ = first;
}

void LogHandlers::backupLog() {
    const BackupResult backup = paylog::backupLog(store_, logPassword_, services_.clock());
    switch (backup.status) {
        case BackupStatus::NotDue:
            break;
        case BackupStatus::BackedUp:
            tell(backup.report.message, MessageIcon::Information);
            break;
        case BackupStatus::Failed:
            tell(backup.report.message, MessageIcon::Error);
            break;
    }
}

}  // namespace paylog
