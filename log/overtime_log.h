#pragma once
// The overtime log: one record table, one entry per day. Its names and field
// list live here so that every operation on the log agrees on them.

#include <cstddef>
#include <vector>

#include "core/text.h"
#include "log/record_store.h"

namespace paylog {

// Table and file names (GBK).
const Text& logTableName();      // "加班", the file "加班.edb"
const Text& sortTableName();     // "临时加班", the sorted copy before it replaces the log
const Text& backupFolderName();  // "数据库备份"
const Text& backupFileName();    // "加班备份.edb"

// The log's fields in their stored order; the grid shows them in this order too.
enum class LogField {
    Date,           // "日期", the day at 00:00
    G1,             // "G1" hours
    G2,             // "G2" hours
    G3,             // "G3" hours
    PersonalLeave,  // "事假" hours
    SickLeave,      // "病假" hours
    Remark,         // "备注", text of at most 20 bytes
    Weekday,        // "星期", text of 6 bytes
    NightShift,     // "夜班", 1 or 0
    Absence,        // "旷工" hours
};
inline constexpr std::size_t kLogFieldCount = 10;

// Position in the values addRecord takes, and the grid column.
inline constexpr std::size_t fieldIndex(LogField f) { return static_cast<std::size_t>(f); }
const Text& fieldName(LogField f);

// The ten FieldInfo in their stored order.
const std::vector<FieldInfo>& logFields();

// Whether anything at all stands at the log's name in the store's data
// directory (letter case ignored). Anything there counts, so that a file the
// program cannot read is never replaced by a fresh, empty log.
bool logExists(const RecordStore& store);

// Creates the empty, unprotected log; refuses (IoError) when logExists().
StoreResult createLog(RecordStore& store);

}  // namespace paylog
