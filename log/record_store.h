#pragma once
// A single-user store of typed records: one table per file, an optional
// password, one table open at a time with a cursor. Files resolve against
// one data directory and their names ignore letter case.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/date_time.h"
#include "core/text.h"

namespace paylog {

enum class FieldKind { DateTime, Integer, Text };

struct FieldInfo {
    Text name;  // GBK, at most 16 bytes, unique ignoring case
    FieldKind kind;
    int32_t maxLength = 20;  // bytes, texts only (1..1024)
};

using FieldValue = std::variant<DateTime, int32_t, Text>;

// Why an operation failed; the caller decides what to tell the user.
enum class StoreStatus {
    Ok,
    NothingOpen,    // the operation needs an open table
    Missing,        // no such file
    AlreadyOpen,    // a table is open already
    WrongPassword,  // the file is sound but the password does not open it
    NotALog,        // not a file of this program
    NewerFormat,    // written by a newer version
    Damaged,        // bad length, checksum or database image
    Busy,           // another running copy holds the table
    IoError,        // the file system refused (detail says what)
    BadArgument,    // unknown field, bad field list
};

struct StoreResult {
    StoreStatus status = StoreStatus::Ok;
    std::string detail;  // UTF-8, for messages and diagnostics
    bool ok() const { return status == StoreStatus::Ok; }
    explicit operator bool() const { return ok(); }
};

// Cost of the password key derivation (Argon2id). New files use at least
// libsodium's INTERACTIVE limits; tests may pass low ones.
struct KdfLimits {
    uint64_t opsLimit;
    uint64_t memLimit;
    static KdfLimits interactive();
    static KdfLimits forTests();  // the lowest that libsodium allows
};

class FileLayer;  // the file system seam (core/safe_file.h)

class RecordStore {
public:
    explicit RecordStore(std::filesystem::path dataDir, KdfLimits limits = KdfLimits::interactive(),
                         std::shared_ptr<FileLayer> files = nullptr);
    ~RecordStore();
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    // The file a table name stands for: ".EDB" added when the name has no
    // extension, resolved against the data directory (an absolute name stays),
    // and an existing file whose name differs only in letter case reused.
    std::filesystem::path tablePath(std::string_view name) const;

    StoreResult createTable(std::string_view name, const std::vector<FieldInfo>& fields);
    StoreResult openTable(std::string_view name, std::string_view password, bool readOnly = false);
    void closeTable();
    bool isOpen() const;

    int32_t recordCount() const;
    void skipRecord();
    void goToLastRecord();
    bool atEnd() const;

    // Past the end: the zero value of the field's kind. An unknown name or
    // number with a table open is a caller's error and gives std::nullopt.
    std::optional<FieldValue> readField(std::string_view name) const;
    std::optional<FieldValue> readField(int32_t number) const;  // 1-based
    DateTime readDate(std::string_view name) const;             // 0 when not a date
    int32_t readInt(std::string_view name) const;               // 0 when not an integer
    Text readText(std::string_view name) const;                 // "" when not a text

    // Values by field position; omitted (nullopt or missing) fields get zero
    // values, texts are cut to their field's maximum. Saved before returning.
    StoreResult addRecord(const std::vector<std::optional<FieldValue>>& values);
    void deleteCurrentRecord();
    StoreResult purgeDeletedRecords();
    StoreResult clearTable();
    StoreResult sortTableInto(std::string_view target, std::string_view fieldName);
    StoreResult copyRecordsInto(std::string_view target);
    StoreResult setTablePassword(std::string_view password);

    const std::vector<FieldInfo>& fields() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace paylog
