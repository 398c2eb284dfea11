// The log reader on any file (see log_fuzz_input.h for the two ways an input
// is taken). Whatever opens must read consistently: every field of every
// record by number, by name and by the typed readers, the record count
// matching the records walked, zero values past the end. A sound file opens
// with its own password only, and a read-only open leaves the file as it was.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

#include "core/safe_file.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/log_fuzz_input.h"
#include "log/log_file.h"
#include "log/overtime_log.h"
#include "log/record_store.h"
#include "log/table_data.h"
#include "log/table_image.h"

namespace paylog {
namespace {

// The name in other ASCII letter case, leaving two-byte characters whole.
Text otherCase(std::string_view name) {
    Text out(name);
    for (size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 0x80) {
            ++i;
        } else if (c >= 'a' && c <= 'z') {
            out[i] = static_cast<char>(c - 32);
        } else if (c >= 'A' && c <= 'Z') {
            out[i] = static_cast<char>(c + 32);
        }
    }
    return out;
}

bool sameFields(const std::vector<FieldInfo>& a, const std::vector<FieldInfo>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].name != b[i].name || a[i].kind != b[i].kind || a[i].maxLength != b[i].maxLength)
            return false;
    }
    return true;
}

void checkTypedReaders(const RecordStore& store, const FieldInfo& field, const FieldValue& value) {
    const DateTime* date = std::get_if<DateTime>(&value);
    const int32_t* number = std::get_if<int32_t>(&value);
    const Text* text = std::get_if<Text>(&value);
    PAYLOG_FUZZ_CHECK(store.readDate(field.name) == (date ? *date : 0));
    PAYLOG_FUZZ_CHECK(store.readInt(field.name) == (number ? *number : 0));
    PAYLOG_FUZZ_CHECK(store.readText(field.name) == (text ? *text : Text()));
}

// Reads the open table the way the program's readers do; what was read goes
// into `seen`.
void walk(RecordStore& store, TableData& seen) {
    seen.fields = store.fields();
    const std::vector<FieldInfo>& fields = seen.fields;
    PAYLOG_FUZZ_CHECK(fieldListProblem(fields).empty());
    const auto fieldCount = static_cast<int32_t>(fields.size());
    const int32_t count = store.recordCount();
    PAYLOG_FUZZ_CHECK(count >= 0);
    PAYLOG_FUZZ_CHECK(!store.readField(0) && !store.readField(fieldCount + 1));
    PAYLOG_FUZZ_CHECK(!store.readField(Text()));

    while (!store.atEnd()) {
        Record record;
        for (int32_t number = 1; number <= fieldCount; ++number) {
            const FieldInfo& field = fields[static_cast<size_t>(number - 1)];
            const auto byNumber = store.readField(number);
            PAYLOG_FUZZ_CHECK(byNumber && fitsField(*byNumber, field));
            PAYLOG_FUZZ_CHECK(store.readField(field.name) == byNumber);
            PAYLOG_FUZZ_CHECK(store.readField(otherCase(field.name)) == byNumber);
            checkTypedReaders(store, field, *byNumber);
            record.push_back(*byNumber);
        }
        seen.records.push_back(std::move(record));
        PAYLOG_FUZZ_CHECK(seen.records.size() <= static_cast<size_t>(count));
        store.skipRecord();
    }
    PAYLOG_FUZZ_CHECK(seen.records.size() == static_cast<size_t>(count));

    store.skipRecord();
    PAYLOG_FUZZ_CHECK(store.atEnd());
    for (int32_t number = 1; number <= fieldCount; ++number) {
        const FieldInfo& field = fields[static_cast<size_t>(number - 1)];
        PAYLOG_FUZZ_CHECK(store.readField(number) == zeroValue(field.kind));
        checkTypedReaders(store, field, zeroValue(field.kind));
    }
    store.goToLastRecord();
    PAYLOG_FUZZ_CHECK(store.atEnd() == (count == 0));
    if (count > 0) PAYLOG_FUZZ_CHECK(store.readField(1) == seen.records.back().front());
}

StoreResult openAndWalk(std::string_view password, TableData& seen) {
    RecordStore store(ScratchFolder::path(), KdfLimits::forTests());
    StoreResult opened = store.openTable(logTableName(), password, /*readOnly=*/true);
    if (opened) {
        walk(store, seen);
        store.closeTable();
    }
    return opened;
}

// What reading a file may answer: nothing else can go wrong with a file
// that is there and readable.
bool isReadAnswer(StoreStatus status) {
    return status == StoreStatus::Ok || status == StoreStatus::WrongPassword ||
           status == StoreStatus::NotALog || status == StoreStatus::NewerFormat ||
           status == StoreStatus::Damaged;
}

const std::filesystem::path& logFile() {
    static const std::filesystem::path kFile =
        RecordStore(ScratchFolder::path()).tablePath(logTableName());
    return kFile;
}

void checkRawFile(std::string_view bytes) {
    const std::filesystem::path& file = logFile();
    writeScratchFile(file, bytes);
    TableData seen;
    const StoreResult withPassword = openAndWalk(fuzzLogPassword(), seen);
    const StoreResult without = openAndWalk({}, seen);
    PAYLOG_FUZZ_CHECK(isReadAnswer(withPassword.status) && isReadAnswer(without.status));
    PAYLOG_FUZZ_CHECK(!(withPassword.ok() && without.ok()));
    const ReadResult after = readFile(file, bytes.size() + 1);
    PAYLOG_FUZZ_CHECK(after.ok() && after.bytes == bytes);
}

const Protection& protection(bool sealed) {
    static const auto make = [](std::string_view password) {
        Protection p;
        PAYLOG_FUZZ_CHECK(protectionFor(password, KdfLimits::forTests(), p).ok());
        return p;
    };
    // Derived once per process: the key cache keeps the key afterwards.
    static const Protection kSealed = make(fuzzLogPassword());
    static const Protection kPlain = make({});
    return sealed ? kSealed : kPlain;
}

void checkImage(std::string_view image, bool sealed) {
    writeScratchFile(logFile(), encodeLogFile(image, protection(sealed)));
    const std::string_view password = sealed ? std::string_view(fuzzLogPassword()) : "";
    const std::string_view otherPassword = sealed ? "" : std::string_view(fuzzLogPassword());

    const TableResult direct = tableFromImage(image);
    TableData seen;
    const StoreResult opened = openAndWalk(password, seen);
    PAYLOG_FUZZ_CHECK(opened.ok() == direct.problem.empty());
    if (opened) {
        PAYLOG_FUZZ_CHECK(sameFields(seen.fields, direct.table.fields));
        PAYLOG_FUZZ_CHECK(seen.records == direct.table.records);
    } else {
        PAYLOG_FUZZ_CHECK(opened.status == StoreStatus::Damaged);
    }
    TableData ignored;
    PAYLOG_FUZZ_CHECK(openAndWalk(otherPassword, ignored).status == StoreStatus::WrongPassword);
}

}  // namespace
}  // namespace paylog

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace paylog;
    if (size == 0) return 0;
    const std::string_view rest = inputText(data + 1, size - 1);
    if ((data[0] & kImageInputBit) == 0) {
        checkRawFile(rest);
    } else {
        checkImage(rest, (data[0] & kSealedInputBit) != 0);
    }
    return 0;
}
