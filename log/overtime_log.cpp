#include "log/overtime_log.h"

#include <array>
#include <filesystem>
#include <system_error>

#include "core/file_names.h"

namespace paylog {

const Text& logTableName() {
    static const Text kName = gbk("加班");
    return kName;
}

const Text& sortTableName() {
    static const Text kName = gbk("临时加班");
    return kName;
}

const Text& backupFolderName() {
    static const Text kName = gbk("数据库备份");
    return kName;
}

const Text& backupFileName() {
    static const Text kName = gbk("加班备份.edb");
    return kName;
}

const Text& fieldName(LogField f) {
    static const std::array<Text, kLogFieldCount> kNames = {
        gbk("日期"), gbk("G1"),   gbk("G2"),   gbk("G3"),   gbk("事假"),
        gbk("病假"), gbk("备注"), gbk("星期"), gbk("夜班"), gbk("旷工"),
    };
    return kNames[fieldIndex(f)];
}

const std::vector<FieldInfo>& logFields() {
    static const std::vector<FieldInfo> kFields = {
        {fieldName(LogField::Date), FieldKind::DateTime},
        {fieldName(LogField::G1), FieldKind::Integer},
        {fieldName(LogField::G2), FieldKind::Integer},
        {fieldName(LogField::G3), FieldKind::Integer},
        {fieldName(LogField::PersonalLeave), FieldKind::Integer},
        {fieldName(LogField::SickLeave), FieldKind::Integer},
        {fieldName(LogField::Remark), FieldKind::Text, 20},
        {fieldName(LogField::Weekday), FieldKind::Text, 6},
        {fieldName(LogField::NightShift), FieldKind::Integer},
        {fieldName(LogField::Absence), FieldKind::Integer},
    };
    return kFields;
}

bool logExists(const RecordStore& store) {
    const std::filesystem::path log = store.tablePath(logTableName());
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(log, ec))) return true;
    // The store's name matches files only; a directory or a dangling link
    // spelled in another letter case occupies the name all the same.
    const std::string name = log.filename().string();
    for (std::filesystem::directory_iterator it(log.parent_path(), ec), end; !ec && it != end;
         it.increment(ec)) {
        if (sameNameIgnoringCase(it->path().filename().string(), name)) return true;
    }
    return false;
}

StoreResult createLog(RecordStore& store) {
    if (logExists(store)) {
        return {StoreStatus::IoError, "the overtime log exists already and is left untouched"};
    }
    return store.createTable(logTableName(), logFields());
}

}  // namespace paylog
