#include "log/log_problem.h"

namespace paylog {

// The detail comes from the store in UTF-8; the window speaks GBK.
Text withDetail(const Text& lead, const StoreResult& result) {
    static const Text kOpen = gbk("（");
    static const Text kClose = gbk("）。");
    static const Text kStop = gbk("。");
    if (result.detail.empty()) return joinTexts({lead, kStop});
    return joinTexts({lead, kOpen, gbk(result.detail), kClose});
}

Text describeLogProblem(const StoreResult& result) {
    static const Text kMissing = gbk("找不到加班记录文件“加班.edb”。");
    static const Text kWrongPassword = gbk("密码不正确，无法打开加班记录文件“加班.edb”。");
    static const Text kNotALog =
        gbk("文件“加班.edb”不是加班记录文件，无法读取。该文件保持原样未被改动；"
            "可用“数据库备份”文件夹中的备份恢复。");
    static const Text kNewerFormat =
        gbk("加班记录文件“加班.edb”由更新版本的程序写入，无法读取。该文件保持原样未被改动；"
            "请使用新版本的程序，或用“数据库备份”文件夹中的备份恢复。");
    static const Text kDamaged =
        gbk("加班记录文件“加班.edb”已损坏，无法读取。该文件保持原样未被改动；"
            "可用“数据库备份”文件夹中的备份恢复。");
    static const Text kBusy =
        gbk("加班记录文件“加班.edb”正被另一个运行中的本程序使用，请先关闭那个程序再试。");
    static const Text kIoError = gbk("无法读写加班记录文件“加班.edb”");
    static const Text kFailed = gbk("加班记录操作失败");

    switch (result.status) {
        case StoreStatus::Ok:
            return {};
        case StoreStatus::Missing:
            return kMissing;
        case StoreStatus::WrongPassword:
            return kWrongPassword;
        case StoreStatus::NotALog:
            return kNotALog;
        case StoreStatus::NewerFormat:
            return kNewerFormat;
        case StoreStatus::Damaged:
            return kDamaged;
        case StoreStatus::Busy:
            return kBusy;
        case StoreStatus::IoError:
            return withDetail(kIoError, result);
        case StoreStatus::NothingOpen:
        case StoreStatus::AlreadyOpen:
        case StoreStatus::ReadOnly:
        case StoreStatus::BadArgument:
            break;
    }
    return withDetail(kFailed, result);
}

}  // namespace paylog
