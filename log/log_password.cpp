#include "log/log_password.h"

#include "log/log_problem.h"
#include "log/opened_log.h"

namespace paylog {

namespace {

LogAccess accessOf(StoreStatus status) {
    switch (status) {
        case StoreStatus::Ok:
            return LogAccess::Ok;
        case StoreStatus::WrongPassword:
            return LogAccess::WrongPassword;
        case StoreStatus::NotALog:
        case StoreStatus::NewerFormat:
        case StoreStatus::Damaged:
            return LogAccess::Unreadable;
        case StoreStatus::Missing:
            return LogAccess::Missing;
        case StoreStatus::Busy:
            return LogAccess::Busy;
        case StoreStatus::IoError:
        case StoreStatus::NothingOpen:
        case StoreStatus::AlreadyOpen:
        case StoreStatus::ReadOnly:
        case StoreStatus::BadArgument:
            break;
    }
    return LogAccess::IoError;
}

}  // namespace

PasswordTry tryLogPassword(RecordStore& store, std::string_view password) {
    const OpenedLog log(store, password, /*readOnly=*/true);
    PasswordTry answer{accessOf(log.result().status), log.result(), {}};
    // A wrong password just brings the prompt back.
    if (answer.access != LogAccess::WrongPassword) {
        answer.message = describeLogProblem(store, answer.store);
    }
    return answer;
}

LogReport setLogPassword(RecordStore& store, std::string_view current, std::string_view next) {
    static const Text kFailed = gbk("数据库密码设置失败，密码没有改变。");
    const OpenedLog log(store, current);
    LogReport report{log.result(), {}};
    if (report.ok()) report.store = store.setTablePassword(next);
    if (!report.ok())
        report.message = joinTexts({kFailed, describeLogProblem(store, report.store)});
    return report;
}

}  // namespace paylog
