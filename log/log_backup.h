#pragma once
// The daily backup of the log, taken when the program ends: at most one per
// calendar day, only of a log that holds records.

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "core/date_time.h"
#include "log/log_report.h"
#include "log/record_store.h"

namespace paylog {

// yyyymmdd of a DateTime, such as 20130623; 100-01-01 gives 1000101.
int32_t backupDayNumber(DateTime x);

// The file's last-write time as a local DateTime; kMinDateTime when there is
// no such file.
DateTime fileWriteTime(const std::filesystem::path& file);

// A backup is due when the log holds records and the backup was last written
// on an earlier day than today.
bool shouldBackup(int32_t recordCount, DateTime backupWritten, DateTime now);

// "数据库备份/加班备份.edb" in the store's data directory, letter case ignored.
std::filesystem::path backupFilePath(const RecordStore& store);

enum class BackupStatus {
    NotDue,    // empty log, or already backed up today: nothing shown
    BackedUp,  // "数据库已备份。"
    Failed,    // message says why; a previous backup is left as it was
};

struct BackupResult {
    BackupStatus status = BackupStatus::NotDue;
    LogReport report;
};

// Copies the log into the backup file (same fields and password) when due.
BackupResult backupLog(RecordStore& store, std::string_view password, DateTime now);

}  // namespace paylog
