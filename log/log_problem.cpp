#include "log/log_problem.h"

#include "log/log_backup.h"
#include "log/overtime_log.h"

namespace paylog {

namespace {

Text quotedPath(const std::filesystem::path& path) {
    static const Text kOpen = gbk("“");
    static const Text kClose = gbk("”");
    return joinTexts({kOpen, gbk(path.string()), kClose});
}

// How to put the last backup in place of the log, with both files' full
// names: the user may not know where the program keeps them.
Text restoreAdvice(const RecordStore& store) {
    static const Text kRestore = gbk("用备份恢复：关闭本程序，将备份文件");
    static const Text kCopyAs = gbk("复制为");
    static const Text kStop = gbk("。");
    return joinTexts({kRestore, quotedPath(backupFilePath(store)), kCopyAs,
                      quotedPath(store.tablePath(logTableName())), kStop});
}

}  // namespace

Text writeAdvice(const RecordStore& store) {
    static const Text kCheckFolder = gbk("请确认数据文件夹");
    static const Text kWritable = gbk("可以写入、磁盘没有写满，然后再试。");
    return joinTexts(
        {kCheckFolder, quotedPath(store.tablePath(logTableName()).parent_path()), kWritable});
}

// The detail comes from the store in UTF-8; the window speaks GBK.
Text withDetail(const Text& lead, const StoreResult& result) {
    static const Text kOpen = gbk("（");
    static const Text kClose = gbk("）。");
    static const Text kStop = gbk("。");
    if (result.detail.empty()) return joinTexts({lead, kStop});
    return joinTexts({lead, kOpen, gbk(result.detail), kClose});
}

Text describeLogProblem(const RecordStore& store, const StoreResult& result) {
    static const Text kMissing =
        gbk("找不到加班记录文件“加班.edb”。重新启动本程序会新建一个空的记录文件；也可以先");
    static const Text kWrongPassword = gbk("密码不正确，无法打开加班记录文件“加班.edb”。");
    static const Text kNotALog =
        gbk("文件“加班.edb”不是加班记录文件，无法读取。该文件保持原样未被改动；可");
    static const Text kNewerFormat =
        gbk("加班记录文件“加班.edb”由更新版本的程序写入，无法读取。该文件保持原样未被改动；"
            "请使用新版本的程序，或");
    static const Text kDamaged =
        gbk("加班记录文件“加班.edb”已损坏，无法读取。该文件保持原样未被改动；可");
    static const Text kBusy =
        gbk("加班记录文件“加班.edb”正被另一个运行中的本程序使用，请先关闭那个程序再试。");
    static const Text kIoError = gbk("无法读写加班记录文件“加班.edb”");
    static const Text kFailed = gbk("加班记录操作失败");

    switch (result.status) {
        case StoreStatus::Ok:
            return {};
        case StoreStatus::Missing:
            return joinTexts({kMissing, restoreAdvice(store)});
        case StoreStatus::WrongPassword:
            return kWrongPassword;
        case StoreStatus::NotALog:
            return joinTexts({kNotALog, restoreAdvice(store)});
        case StoreStatus::NewerFormat:
            return joinTexts({kNewerFormat, restoreAdvice(store)});
        case StoreStatus::Damaged:
            return joinTexts({kDamaged, restoreAdvice(store)});
        case StoreStatus::Busy:
            return kBusy;
        case StoreStatus::IoError:
            return joinTexts({withDetail(kIoError, result), writeAdvice(store)});
        case StoreStatus::NothingOpen:
        case StoreStatus::AlreadyOpen:
        case StoreStatus::ReadOnly:
        case StoreStatus::BadArgument:
            break;
    }
    return withDetail(kFailed, result);
}

}  // namespace paylog
