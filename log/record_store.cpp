#include "log/record_store.h"

#include <sodium.h>

#include <algorithm>
#include <system_error>
#include <utility>

#include "core/file_names.h"
#include "core/safe_file.h"
#include "log/key_cache.h"
#include "log/log_file.h"
#include "log/table_data.h"
#include "log/table_image.h"
#include "log/table_lock.h"

namespace paylog {

KdfLimits KdfLimits::interactive() {
    return {crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE};
}

KdfLimits KdfLimits::forTests() { return {crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN}; }

namespace {

struct WriteOutcome {
    StoreResult result;
    bool replaced = false;  // the file now holds the table written
};

WriteOutcome writeTableFile(const std::filesystem::path& file, const TableData& table,
                            const Protection& protection, const std::shared_ptr<FileLayer>& files) {
    const ImageResult image = tableToImage(table);
    if (!image.problem.empty()) {
        return {{StoreStatus::IoError, "the database image could not be made: " + image.problem}};
    }
    const SaveResult saved = saveFile(file, encodeLogFile(image.image, protection), files);
    if (saved.ok) return {{}, true};
    return {{StoreStatus::IoError, saved.detail}, saved.replaced};
}

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

// Every operation that names a table also needs the crypto library, which
// seals and checksums the file.
StoreResult checkTableName(std::string_view name) {
    if (name.empty()) return {StoreStatus::BadArgument, "a table needs a name"};
    if (!sodiumReady()) return {StoreStatus::IoError, "the crypto library could not start"};
    return {};
}

// Ascending; equal keys keep their order because the sort is stable.
bool valueLess(const FieldValue& a, const FieldValue& b) {
    if (const auto* text = std::get_if<Text>(&a)) return compareText(*text, std::get<Text>(b)) < 0;
    return a < b;  // same alternative: plain comparison of finite numbers
}

}  // namespace

struct RecordStore::Impl {
    std::filesystem::path dataDir;
    KdfLimits limits;
    std::shared_ptr<FileLayer> files;
    std::chrono::milliseconds lockWait = kDefaultLockWait;

    // The open table.
    bool open = false;
    bool readOnly = false;
    std::filesystem::path file;
    TableLock lock;
    TableData table;
    Protection protection;
    size_t cursor = 0;
    std::vector<char> marked;  // deletion marks, one per record

    StoreResult writable() const {
        if (!open) return {StoreStatus::NothingOpen, "no table is open"};
        if (readOnly) return {StoreStatus::ReadOnly, "the table was opened read-only"};
        return {};
    }

    WriteOutcome save() const { return writeTableFile(file, table, protection, files); }

    // Saves the table as it now stands; when the file was not replaced,
    // `undo` puts memory back as it was.
    template <class Undo>
    StoreResult saveOrUndo(Undo undo) {
        WriteOutcome outcome = save();
        if (!outcome.replaced) undo();
        return std::move(outcome.result);
    }

    std::optional<FieldValue> valueAt(size_t position) const {
        if (cursor >= table.records.size()) return zeroValue(table.fields[position].kind);
        return table.records[cursor][position];
    }

    StoreResult writeCopy(const std::filesystem::path& target, const TableData& data) const {
        if (sameFile(target, file))
            return {StoreStatus::BadArgument, "the target is the open table itself"};
        TableLock targetLock;
        if (StoreResult locked =
                TableLock::acquire(target, TableLock::Mode::Exclusive, targetLock, lockWait);
            !locked) {
            return locked;
        }
        const ReadResult start = readFileStart(target, kMagicBytes);
        if (start.ok() && isForeignFileStart(start.bytes)) {
            return {StoreStatus::NotALog,
                    "\"" + target.string() + "\" is not a log and is left alone"};
        }
        if (!start.ok() && start.status != ReadStatus::Missing)
            return {StoreStatus::IoError, start.detail};
        return writeTableFile(target, data, protection, files).result;
    }
};

RecordStore::RecordStore(std::filesystem::path dataDir, KdfLimits limits,
                         std::shared_ptr<FileLayer> files)
    : impl_(std::make_unique<Impl>()) {
    impl_->dataDir = std::move(dataDir);
    impl_->limits = limits;
    impl_->files = files ? std::move(files) : systemFileLayer();
}

RecordStore::~RecordStore() = default;

void RecordStore::setLockWait(std::chrono::milliseconds wait) { impl_->lockWait = wait; }

std::filesystem::path RecordStore::tablePath(std::string_view name) const {
    std::string fileName = utf8(name);
    if (!std::filesystem::path(fileName).has_extension()) fileName += ".EDB";
    return resolveIgnoringCase(impl_->dataDir, fileName);
}

StoreResult RecordStore::createTable(std::string_view name, const std::vector<FieldInfo>& fields) {
    if (StoreResult named = checkTableName(name); !named) return named;
    if (std::string problem = fieldListProblem(fields); !problem.empty()) {
        return {StoreStatus::BadArgument, std::move(problem)};
    }
    const std::filesystem::path file = tablePath(name);
    if (impl_->open && sameFile(file, impl_->file)) {
        return {StoreStatus::AlreadyOpen, "the table is open"};
    }
    TableLock lock;
    if (StoreResult locked =
            TableLock::acquire(file, TableLock::Mode::Exclusive, lock, impl_->lockWait);
        !locked)
        return locked;
    return writeTableFile(file, TableData{fields, {}}, Protection{}, impl_->files).result;
}

StoreResult RecordStore::openTable(std::string_view name, std::string_view password,
                                   bool readOnly) {
    if (impl_->open) return {StoreStatus::AlreadyOpen, "a table is open already"};
    if (StoreResult named = checkTableName(name); !named) return named;
    const std::filesystem::path file = tablePath(name);
    // Looked at before locking so that a missing table leaves no lock file.
    std::error_code error;
    const bool exists = std::filesystem::exists(file, error);
    if (error) return {StoreStatus::IoError, "\"" + file.string() + "\": " + error.message()};
    if (!exists) return {StoreStatus::Missing, "\"" + file.string() + "\" does not exist"};
    TableLock lock;
    const auto mode = readOnly ? TableLock::Mode::Shared : TableLock::Mode::Exclusive;
    if (StoreResult locked = TableLock::acquire(file, mode, lock, impl_->lockWait); !locked)
        return locked;

    ReadResult read = readFile(file, kMaxLogFileBytes);
    switch (read.status) {
        case ReadStatus::Ok:
            break;
        case ReadStatus::Missing:
            return {StoreStatus::Missing, read.detail};
        case ReadStatus::TooLarge:
            return {StoreStatus::Damaged, "\"" + file.string() + "\" is larger than any log"};
        case ReadStatus::IoError:
            return {StoreStatus::IoError, read.detail};
    }
    DecodedLog decoded = decodeLogFile(read.bytes, password);
    if (!decoded.result) return std::move(decoded.result);
    TableResult loaded = tableFromImage(decoded.image);
    if (!loaded.problem.empty()) return {StoreStatus::Damaged, std::move(loaded.problem)};

    Impl& s = *impl_;
    s.open = true;
    s.readOnly = readOnly;
    s.file = file;
    s.lock = std::move(lock);
    s.table = std::move(loaded.table);
    s.protection = std::move(decoded.protection);
    s.cursor = 0;
    s.marked.assign(s.table.records.size(), 0);
    return {};
}

void RecordStore::closeTable() {
    Impl& s = *impl_;
    s.open = false;
    s.readOnly = false;
    s.file.clear();
    s.table = {};
    s.protection = {};
    s.cursor = 0;
    s.marked.clear();
    s.lock.release();
}

bool RecordStore::isOpen() const { return impl_->open; }

int32_t RecordStore::recordCount() const {
    return impl_->open ? static_cast<int32_t>(impl_->table.records.size()) : 0;
}

void RecordStore::skipRecord() {
    if (impl_->open && impl_->cursor < impl_->table.records.size()) ++impl_->cursor;
}

void RecordStore::goToLastRecord() {
    const size_t count = impl_->table.records.size();
    impl_->cursor = count == 0 ? 0 : count - 1;
}

bool RecordStore::atEnd() const {
    return !impl_->open || impl_->cursor >= impl_->table.records.size();
}

std::optional<FieldValue> RecordStore::readField(std::string_view name) const {
    if (!impl_->open) return std::nullopt;
    const auto position = fieldPosition(impl_->table.fields, name);
    if (!position) return std::nullopt;
    return impl_->valueAt(*position);
}

std::optional<FieldValue> RecordStore::readField(int32_t number) const {
    if (!impl_->open || number < 1 || static_cast<size_t>(number) > impl_->table.fields.size()) {
        return std::nullopt;
    }
    return impl_->valueAt(static_cast<size_t>(number - 1));
}

DateTime RecordStore::readDate(std::string_view name) const {
    const auto value = readField(name);
    return value && std::holds_alternative<DateTime>(*value) ? std::get<DateTime>(*value)
                                                             : DateTime{0};
}

int32_t RecordStore::readInt(std::string_view name) const {
    const auto value = readField(name);
    return value && std::holds_alternative<int32_t>(*value) ? std::get<int32_t>(*value) : 0;
}

Text RecordStore::readText(std::string_view name) const {
    auto value = readField(name);
    return value && std::holds_alternative<Text>(*value) ? std::get<Text>(std::move(*value))
                                                         : Text();
}

StoreResult RecordStore::addRecord(const std::vector<std::optional<FieldValue>>& values) {
    Impl& s = *impl_;
    if (StoreResult ok = s.writable(); !ok) return ok;
    const std::vector<FieldInfo>& fields = s.table.fields;
    if (values.size() > fields.size()) {
        return {StoreStatus::BadArgument, "more values than the table has fields"};
    }
    Record record;
    record.reserve(fields.size());
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i >= values.size() || !values[i]) {
            record.push_back(zeroValue(fields[i].kind));
            continue;
        }
        FieldValue value = *values[i];
        if (auto* text = std::get_if<Text>(&value); text && fields[i].kind == FieldKind::Text) {
            *text = textLeft(*text, fields[i].maxLength);
        }
        if (!fitsField(value, fields[i])) {
            return {StoreStatus::BadArgument,
                    "value " + std::to_string(i + 1) + " does not fit its field"};
        }
        // SQLite keeps no negative zero; holding the same instant as +0
        // here keeps memory and file alike.
        if (auto* date = std::get_if<DateTime>(&value); date && *date == 0) *date = 0;
        record.push_back(std::move(value));
    }
    const size_t oldCursor = s.cursor;
    s.table.records.push_back(std::move(record));
    s.marked.push_back(0);
    s.cursor = s.table.records.size() - 1;
    return s.saveOrUndo([&s, oldCursor] {
        s.table.records.pop_back();
        s.marked.pop_back();
        s.cursor = oldCursor;
    });
}

void RecordStore::deleteCurrentRecord() {
    Impl& s = *impl_;
    if (s.open && !s.readOnly && s.cursor < s.table.records.size()) s.marked[s.cursor] = 1;
}

StoreResult RecordStore::purgeDeletedRecords() {
    Impl& s = *impl_;
    if (StoreResult ok = s.writable(); !ok) return ok;
    if (std::find(s.marked.begin(), s.marked.end(), 1) == s.marked.end()) return {};

    std::vector<Record> kept;
    size_t newCursor = 0;
    for (size_t i = 0; i < s.table.records.size(); ++i) {
        if (s.marked[i]) continue;
        if (i < s.cursor) ++newCursor;
        kept.push_back(s.table.records[i]);
    }
    std::vector<Record> old = std::exchange(s.table.records, std::move(kept));
    std::vector<char> oldMarks =
        std::exchange(s.marked, std::vector<char>(s.table.records.size(), 0));
    const size_t oldCursor = std::exchange(s.cursor, newCursor);
    return s.saveOrUndo([&] {
        s.table.records = std::move(old);
        s.marked = std::move(oldMarks);
        s.cursor = oldCursor;
    });
}

StoreResult RecordStore::clearTable() {
    Impl& s = *impl_;
    if (StoreResult ok = s.writable(); !ok) return ok;
    std::vector<Record> old = std::exchange(s.table.records, {});
    std::vector<char> oldMarks = std::exchange(s.marked, {});
    const size_t oldCursor = std::exchange(s.cursor, 0);
    return s.saveOrUndo([&] {
        s.table.records = std::move(old);
        s.marked = std::move(oldMarks);
        s.cursor = oldCursor;
    });
}

StoreResult RecordStore::sortTableInto(std::string_view target, std::string_view fieldName) {
    Impl& s = *impl_;
    if (StoreResult ok = s.writable(); !ok) return ok;
    if (StoreResult named = checkTableName(target); !named) return named;
    const auto position = fieldPosition(s.table.fields, fieldName);
    if (!position) return {StoreStatus::BadArgument, "the table has no such field"};
    TableData sorted = s.table;
    std::stable_sort(
        sorted.records.begin(), sorted.records.end(),
        [p = *position](const Record& a, const Record& b) { return valueLess(a[p], b[p]); });
    return s.writeCopy(tablePath(target), sorted);
}

StoreResult RecordStore::copyRecordsInto(std::string_view target) {
    Impl& s = *impl_;
    if (StoreResult ok = s.writable(); !ok) return ok;
    if (StoreResult named = checkTableName(target); !named) return named;
    return s.writeCopy(tablePath(target), s.table);
}

StoreResult RecordStore::setTablePassword(std::string_view password) {
    Impl& s = *impl_;
    if (StoreResult ok = s.writable(); !ok) return ok;
    Protection next;
    if (!password.empty() && s.protection.encrypted &&
        passwordDigest(password) == s.protection.password) {
        next = s.protection;  // the same password keeps its salt
    } else if (StoreResult made = protectionFor(password, s.limits, next); !made) {
        return made;
    }
    Protection old = std::exchange(s.protection, next);
    WriteOutcome outcome = s.save();
    const bool newSalt = next.encrypted && (!old.encrypted || next.kdf.salt != old.kdf.salt);
    if (!outcome.replaced) {
        s.protection = std::move(old);
        if (newSalt) forgetKeys(next.kdf.salt);
    } else if (old.encrypted && old.kdf.salt != next.kdf.salt) {
        forgetKeys(old.kdf.salt);  // the old password's key has no more use
    }
    return std::move(outcome.result);
}

const std::vector<FieldInfo>& RecordStore::fields() const {
    static const std::vector<FieldInfo> kNone;
    return impl_->open ? impl_->table.fields : kNone;
}

}  // namespace paylog
