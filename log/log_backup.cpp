#include "log/log_backup.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <system_error>

#include "core/number_text.h"
#include "core/text.h"
#include "log/log_problem.h"
#include "log/opened_log.h"
#include "log/overtime_log.h"

namespace paylog {

namespace {

Text twoDigits(int32_t v) {
    static const Text kZero = "0";
    return textRight(joinTexts({kZero, intToText(v)}), 2);
}

// Relative to the data directory, so the store resolves it (letter case
// ignored) without the directory's own name passing through GBK.
const Text& backupTableName() {
    static const Text kName = joinTexts({backupFolderName(), "/", backupFileName()});
    return kName;
}

// The folder may already exist; a file of that name is in the way.
StoreResult ensureFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    if (std::filesystem::is_directory(folder, ec)) return {};
    if (std::filesystem::create_directory(folder, ec)) return {};
    return {StoreStatus::IoError, ec ? ec.message() : "cannot create the folder"};
}

BackupResult failed(const StoreResult& store, const Text& reason) {
    static const Text kFailed = gbk("数据库备份失败！");
    return {BackupStatus::Failed, {store, joinTexts({kFailed, reason})}};
}

}  // namespace

int32_t backupDayNumber(DateTime x) {
    return textToInt(joinTexts({intToText(yearOf(x)), twoDigits(monthOf(x)), twoDigits(dayOf(x))}));
}

DateTime fileWriteTime(const std::filesystem::path& file) {
    std::error_code ec;
    const auto written = std::filesystem::last_write_time(file, ec);
    if (ec) return kMinDateTime;
    const auto system = std::chrono::file_clock::to_sys(written);
    const std::time_t seconds =
        std::chrono::system_clock::to_time_t(std::chrono::floor<std::chrono::seconds>(system));
    std::tm local{};
    if (localtime_r(&seconds, &local) == nullptr) return kMinDateTime;
    // A leap second reads as the last second of its minute.
    return makeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                        local.tm_min, std::min(local.tm_sec, 59));
}

bool shouldBackup(int32_t recordCount, DateTime backupWritten, DateTime now) {
    return recordCount > 0 && backupDayNumber(backupWritten) < backupDayNumber(now);
}

std::filesystem::path backupFilePath(const RecordStore& store) {
    return store.tablePath(backupTableName());
}

BackupResult backupLog(RecordStore& store, std::string_view password, DateTime now) {
    static const Text kDone = gbk("数据库已备份。");
    static const Text kNoFolder = gbk("无法创建备份文件夹“数据库备份”");
    static const Text kNotWritten =
        gbk("无法写入备份文件“数据库备份/加班备份.edb”，原有的备份保持不变");
    static const Text kForeign =
        gbk("“数据库备份”文件夹中的“加班备份.edb”不是本程序的备份，已保持原样未被改动；"
            "请将它移走或改名，下次关闭程序时会重新备份。");

    const OpenedLog log(store, password);
    if (!log.ok()) return failed(log.result(), describeLogProblem(store, log.result()));
    const std::filesystem::path file = backupFilePath(store);
    if (!shouldBackup(store.recordCount(), fileWriteTime(file), now)) return {};

    if (const StoreResult folder = ensureFolder(file.parent_path()); !folder) {
        return failed(folder, joinTexts({withDetail(kNoFolder, folder), writeAdvice(store)}));
    }
    // A damaged backup of this program is replaced by a sound one; a file
    // that is no backup of it may be the user's and is left for them.
    if (const StoreResult copied = store.copyRecordsInto(backupTableName()); !copied) {
        if (copied.status == StoreStatus::NotALog) return failed(copied, kForeign);
        return failed(copied, joinTexts({withDetail(kNotWritten, copied), writeAdvice(store)}));
    }
    return {BackupStatus::BackedUp, {{}, kDone}};
}

}  // namespace paylog
