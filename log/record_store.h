#pragma once
// A single-user store of typed records: one table per file, an optional
// password, one table open at a time with a cursor. Files resolve against
// one data directory and their names ignore letter case.

#include <chrono>
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
    ReadOnly,       // the table was opened read-only
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
// libsodium's INTERACTIVE limits; tests may pass low ones. Costs are kept
// between libsodium's minimum and its MODERATE limits (a file asking for
// more is taken as damaged, so that a crafted one cannot stall a run).
struct KdfLimits {
    uint64_t opsLimit;
    uint64_t memLimit;
    static KdfLimits interactive();
    static KdfLimits forTests();  // the lowest that libsodium allows
};

class FileLayer;  // the file system seam (core/safe_file.h)

// Every operation that changes the open table saves it before returning,
// through one save helper (a new file renamed over the old one). When the
// save fails the result says so and the table in memory stays as it was, so
// memory and file agree. (The one exception: the file was replaced but the
// folder could not be synced; the change then stands and the result is
// still IoError.)
//
// A table is held under an advisory lock for the whole open ... close: a
// writable open excludes every other open of the same file, in this process
// or another; read-only opens may overlap one another. An open (and a
// create, sort or copy) waits a little for another holder to let go before
// it gives Busy, so that two running copies, each opening the log around one
// short operation, take turns instead of failing.
//
// A password's key is derived once per run (for the whole process, not per
// store) and kept in guarded memory, so only the first open of a protected
// table pays for Argon2id; later opens take a few milliseconds.
class RecordStore {
  public:
    explicit RecordStore(std::filesystem::path dataDir, KdfLimits limits = KdfLimits::interactive(),
                         std::shared_ptr<FileLayer> files = nullptr);
    ~RecordStore();
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    // The file a table name (GBK) stands for: ".EDB" added when the name has
    // no extension, resolved against the data directory (an absolute name
    // stays), and an existing file whose name differs only in letter case
    // reused.
    std::filesystem::path tablePath(std::string_view name) const;

    // Writes an empty, unprotected table, replacing any file of that name
    // (even one that is not a log); does not open it. AlreadyOpen for the
    // file of the open table, Busy when another store holds it.
    StoreResult createTable(std::string_view name, const std::vector<FieldInfo>& fields);
    // The empty password opens only an unprotected table, and an unprotected
    // table opens only with the empty password. Cursor on the first record.
    StoreResult openTable(std::string_view name, std::string_view password, bool readOnly = false);
    void closeTable();  // drops deletion marks that were not purged
    bool isOpen() const;

    int32_t recordCount() const;  // 0 when nothing is open
    void skipRecord();            // stops past the end
    void goToLastRecord();        // past the end when the table is empty
    bool atEnd() const;

    // Names ignore ASCII letter case. Past the end: the zero value of the
    // field's kind. Nothing open, or an unknown name or number, is a
    // caller's error and gives std::nullopt.
    std::optional<FieldValue> readField(std::string_view name) const;
    std::optional<FieldValue> readField(int32_t number) const;  // 1-based
    DateTime readDate(std::string_view name) const;             // 0 when not a date
    int32_t readInt(std::string_view name) const;               // 0 when not an integer
    Text readText(std::string_view name) const;                 // "" when not a text

    // Values by field position; omitted (nullopt or missing) fields get zero
    // values, texts are cut to their field's maximum (in bytes). BadArgument
    // for more values than fields, a value of another kind, or a date-time
    // that is not finite. A date-time of -0 is kept as 0, the same instant.
    // The new record becomes current.
    StoreResult addRecord(const std::vector<std::optional<FieldValue>>& values);
    // Marks the current record (nothing past the end or when read-only);
    // purgeDeletedRecords removes the marked ones and saves (with nothing
    // marked there is nothing to save). The cursor then stays on its
    // record, or moves to the one after it when it was removed.
    void deleteCurrentRecord();
    StoreResult purgeDeletedRecords();
    StoreResult clearTable();  // fields and password stay
    // Writes the records, stable-sorted ascending by the field (texts
    // byte-wise), to the target table (created or replaced) with the same
    // fields and password; the open table is unchanged. BadArgument when the
    // target is the open table's own file, NotALog when the target exists
    // but is not a log of this program (it is left alone), Busy when another
    // store holds it.
    StoreResult sortTableInto(std::string_view target, std::string_view fieldName);
    StoreResult copyRecordsInto(std::string_view target);  // as sortTableInto, stored order
    // The empty text removes the protection; any other protects the file at
    // once. A new salt only when the password changes.
    StoreResult setTablePassword(std::string_view password);

    // addRecord, purgeDeletedRecords, clearTable, sortTableInto,
    // copyRecordsInto and setTablePassword fail with NothingOpen when no
    // table is open and with ReadOnly on a table opened read-only (the sort
    // and the copy too: a read-only open writes nothing at all).

    const std::vector<FieldInfo>& fields() const;  // empty when nothing is open

    static constexpr std::chrono::milliseconds kDefaultLockWait{2000};
    void setLockWait(std::chrono::milliseconds wait);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace paylog
