#include "log/log_maintenance.h"

#include <filesystem>
#include <system_error>

#include "core/date_time.h"
#include "log/log_problem.h"
#include "log/opened_log.h"
#include "log/overtime_log.h"

namespace paylog {

namespace {

// One rename puts the sorted copy in the log's place. The directory is synced
// so that the swap survives a power cut; should that sync fail, the log on
// disk is the old one or the sorted one, which hold the same records, so the
// sort still counts as done.
StoreResult replaceLogWithSortedCopy(FileLayer& files, const std::filesystem::path& sorted,
                                     const std::filesystem::path& log) {
    if (const int error = files.rename(sorted, log); error != 0) {
        // The copy has no use without the swap.
        files.unlink(sorted);
        return {StoreStatus::IoError, std::generic_category().message(error)};
    }
    files.fsyncDirectory(log.parent_path());
    return {};
}

}  // namespace

LogReport deletionQuestion(RecordStore& store, std::string_view password) {
    static const Text kAsk = gbk("确认要删除");
    static const Text kRecord = gbk("的加班记录！");
    const OpenedLog log(store, password, /*readOnly=*/true);
    if (!log.ok()) return {log.result(), describeLogProblem(store, log.result())};
    store.goToLastRecord();
    const Text date = dateTimeToText(store.readDate(fieldName(LogField::Date)));
    return {{}, joinTexts({kAsk, date, kRecord})};
}

LogReport deleteLastRecord(RecordStore& store, std::string_view password) {
    static const Text kFailed = gbk("删除记录失败！");
    const OpenedLog log(store, password);
    LogReport report{log.result(), {}};
    if (report.ok()) {
        store.goToLastRecord();
        store.deleteCurrentRecord();
        report.store = store.purgeDeletedRecords();
    }
    if (!report.ok())
        report.message = joinTexts({kFailed, describeLogProblem(store, report.store)});
    return report;
}

LogReport sortLog(RecordStore& store, std::string_view password,
                  const std::shared_ptr<FileLayer>& files) {
    static const Text kDone = gbk("排序完成！");
    static const Text kFailed = gbk("数据库排序失败，加班记录保持原样。");
    static const Text kNotWritten = gbk("排序结果无法写入");
    const OpenedLog log(store, password);
    if (!log.ok())
        return {log.result(), joinTexts({kFailed, describeLogProblem(store, log.result())})};
    StoreResult sorted = store.sortTableInto(sortTableName(), fieldName(LogField::Date));
    if (sorted) {
        // Swapped while the log is still open and locked, so no other copy of
        // the program can write the log between the sort and the swap.
        sorted = replaceLogWithSortedCopy(files ? *files : *systemFileLayer(),
                                          store.tablePath(sortTableName()),
                                          store.tablePath(logTableName()));
    }
    if (!sorted) return {sorted, joinTexts({kFailed, withDetail(kNotWritten, sorted)})};
    return {{}, kDone};
}

LogReport clearLog(RecordStore& store, std::string_view typedPassword) {
    static const Text kDone = gbk("数据库清空成功！");
    static const Text kWrongPassword = gbk("数据库清空失败！请确认密码是否正确！");
    static const Text kFailed = gbk("数据库清空失败！");
    const OpenedLog log(store, typedPassword);
    LogReport report{log.result(), {}};
    if (report.ok()) report.store = store.clearTable();
    if (report.ok()) {
        report.message = kDone;
    } else if (report.store.status == StoreStatus::WrongPassword) {
        report.message = kWrongPassword;
    } else {
        report.message = joinTexts({kFailed, describeLogProblem(store, report.store)});
    }
    return report;
}

}  // namespace paylog
