#include "log/table_image.h"

#include <sqlite3.h>

#include <cstring>
#include <limits>
#include <memory>

namespace paylog {
namespace {

// Kinds as numbers of the file format, independent of the enum's order.
constexpr int kDateTimeKind = 1;
constexpr int kIntegerKind = 2;
constexpr int kTextKind = 3;

int kindNumber(FieldKind kind) {
    switch (kind) {
        case FieldKind::DateTime:
            return kDateTimeKind;
        case FieldKind::Integer:
            return kIntegerKind;
        case FieldKind::Text:
            break;
    }
    return kTextKind;
}

std::optional<FieldKind> kindFromNumber(sqlite3_int64 number) {
    switch (number) {
        case kDateTimeKind:
            return FieldKind::DateTime;
        case kIntegerKind:
            return FieldKind::Integer;
        case kTextKind:
            return FieldKind::Text;
        default:
            return std::nullopt;
    }
}

const char* columnType(FieldKind kind) {
    switch (kind) {
        case FieldKind::DateTime:
            return "REAL";
        case FieldKind::Integer:
            return "INTEGER";
        case FieldKind::Text:
            break;
    }
    return "BLOB";
}

struct DatabaseCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using Database = std::unique_ptr<sqlite3, DatabaseCloser>;

struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// A private in-memory database; only what this file does to it can run.
Database openMemoryDatabase(std::string& problem) {
    sqlite3* raw = nullptr;
    const int rc =
        sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    Database db(raw);
    if (rc != SQLITE_OK) {
        problem = raw ? sqlite3_errmsg(raw) : "out of memory";
        return nullptr;
    }
    // The connection lives for one load or save; the lookaside pool it
    // would set up first costs more than it saves.
    sqlite3_db_config(raw, SQLITE_DBCONFIG_LOOKASIDE, nullptr, 0, 0);
    sqlite3_db_config(raw, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(raw, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    return db;
}

Statement prepare(sqlite3* db, const std::string& sql, std::string& problem) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
        problem = sqlite3_errmsg(db);
    }
    return Statement(raw);
}

bool execute(sqlite3* db, const std::string& sql, std::string& problem) {
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK) return true;
    problem = sqlite3_errmsg(db);
    return false;
}

std::string columnList(size_t count) {
    std::string list;
    for (size_t i = 1; i <= count; ++i) list += (i > 1 ? ", f" : "f") + std::to_string(i);
    return list;
}

std::string createRecordsSql(const std::vector<FieldInfo>& fields) {
    std::string sql = "CREATE TABLE records(position INTEGER PRIMARY KEY";
    for (size_t i = 0; i < fields.size(); ++i) {
        sql += ", f" + std::to_string(i + 1) + " " + columnType(fields[i].kind) + " NOT NULL";
    }
    return sql + ") STRICT";
}

// The text must outlive the statement's next step.
void bindText(sqlite3_stmt* insert, int index, std::string_view text) {
    // A zero-length blob must still be a blob, not NULL.
    sqlite3_bind_blob(insert, index, text.empty() ? "" : text.data(), static_cast<int>(text.size()),
                      SQLITE_STATIC);
}

void bindValue(sqlite3_stmt* insert, int index, const FieldValue& value) {
    if (const auto* date = std::get_if<DateTime>(&value)) {
        sqlite3_bind_double(insert, index, *date);
    } else if (const auto* number = std::get_if<int32_t>(&value)) {
        sqlite3_bind_int(insert, index, *number);
    } else {
        bindText(insert, index, std::get<Text>(value));
    }
}

bool stepDone(sqlite3* db, sqlite3_stmt* statement, std::string& problem) {
    if (sqlite3_step(statement) == SQLITE_DONE) return true;
    problem = sqlite3_errmsg(db);
    return false;
}

Text blobText(sqlite3_stmt* statement, int column) {
    const auto* data = static_cast<const char*>(sqlite3_column_blob(statement, column));
    const int size = sqlite3_column_bytes(statement, column);
    return data ? Text(data, static_cast<size_t>(size)) : Text();
}

// The value of a record's column, or nothing when it does not fit the field.
std::optional<FieldValue> readValue(sqlite3_stmt* statement, int column, const FieldInfo& field) {
    FieldValue value;
    switch (sqlite3_column_type(statement, column)) {
        case SQLITE_FLOAT:
            value = DateTime{sqlite3_column_double(statement, column)};
            break;
        case SQLITE_INTEGER: {
            const sqlite3_int64 number = sqlite3_column_int64(statement, column);
            if (number < std::numeric_limits<int32_t>::min() ||
                number > std::numeric_limits<int32_t>::max()) {
                return std::nullopt;
            }
            value = static_cast<int32_t>(number);
            break;
        }
        case SQLITE_BLOB:
            value = blobText(statement, column);
            break;
        default:
            return std::nullopt;
    }
    if (!fitsField(value, field)) return std::nullopt;
    return value;
}

bool quickCheckPasses(sqlite3* db, std::string& problem) {
    Statement check = prepare(db, "PRAGMA quick_check", problem);
    if (!check) return false;
    int rows = 0;
    bool ok = false;
    int rc;
    while ((rc = sqlite3_step(check.get())) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(check.get(), 0));
        ok = ++rows == 1 && text != nullptr && std::strcmp(text, "ok") == 0;
    }
    if (rc != SQLITE_DONE) {
        problem = sqlite3_errmsg(db);
        return false;
    }
    if (!ok) problem = "the database image fails its integrity check";
    return ok;
}

// Exactly the two tables this program writes: nothing else (views,
// triggers) may come along in a file.
bool schemaIsOurs(sqlite3* db, std::string& problem) {
    Statement schema = prepare(db, "SELECT type, name FROM sqlite_schema ORDER BY name", problem);
    if (!schema) return false;
    const char* expected[] = {"fields", "records"};
    int rows = 0;
    bool ok = true;
    while (sqlite3_step(schema.get()) == SQLITE_ROW) {
        const auto* type = reinterpret_cast<const char*>(sqlite3_column_text(schema.get(), 0));
        const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(schema.get(), 1));
        ok = ok && rows < 2 && type && name && std::strcmp(type, "table") == 0 &&
             std::strcmp(name, expected[rows]) == 0;
        ++rows;
    }
    if (!ok || rows != 2) problem = "the database image holds other tables";
    return ok && rows == 2;
}

bool readFields(sqlite3* db, std::vector<FieldInfo>& fields, std::string& problem) {
    Statement select = prepare(
        db, "SELECT position, name, kind, max_length FROM fields ORDER BY position", problem);
    if (!select) return false;
    while (sqlite3_step(select.get()) == SQLITE_ROW) {
        sqlite3_stmt* row = select.get();
        const bool typed = sqlite3_column_type(row, 1) == SQLITE_BLOB &&
                           sqlite3_column_type(row, 2) == SQLITE_INTEGER &&
                           sqlite3_column_type(row, 3) == SQLITE_INTEGER;
        const auto kind = kindFromNumber(sqlite3_column_int64(row, 2));
        const sqlite3_int64 maxLength = sqlite3_column_int64(row, 3);
        if (!typed || !kind ||
            sqlite3_column_int64(row, 0) != static_cast<sqlite3_int64>(fields.size() + 1) ||
            maxLength < std::numeric_limits<int32_t>::min() ||
            maxLength > std::numeric_limits<int32_t>::max() || fields.size() == kMaxFields) {
            problem = "the field list is not valid";
            return false;
        }
        fields.push_back({blobText(row, 1), *kind, static_cast<int32_t>(maxLength)});
    }
    problem = fieldListProblem(fields);
    return problem.empty();
}

bool readRecords(sqlite3* db, const std::vector<FieldInfo>& fields, std::vector<Record>& records,
                 std::string& problem) {
    Statement all = prepare(db, "SELECT * FROM records LIMIT 0", problem);
    if (!all) return false;
    if (sqlite3_column_count(all.get()) != static_cast<int>(fields.size()) + 1) {
        problem = "the records do not match the field list";
        return false;
    }
    Statement select = prepare(
        db, "SELECT " + columnList(fields.size()) + " FROM records ORDER BY position", problem);
    if (!select) return false;
    int rc;
    while ((rc = sqlite3_step(select.get())) == SQLITE_ROW) {
        Record record;
        record.reserve(fields.size());
        for (size_t i = 0; i < fields.size(); ++i) {
            auto value = readValue(select.get(), static_cast<int>(i), fields[i]);
            if (!value) {
                problem =
                    "record " + std::to_string(records.size() + 1) + " does not fit its fields";
                return false;
            }
            record.push_back(std::move(*value));
        }
        records.push_back(std::move(record));
    }
    if (rc != SQLITE_DONE) {
        problem = sqlite3_errmsg(db);
        return false;
    }
    return true;
}

}  // namespace

ImageResult tableToImage(const TableData& table) {
    ImageResult result;
    std::string& problem = result.problem;
    Database db = openMemoryDatabase(problem);
    if (!db) return result;
    // Small pages: a few days' log stays a few kilobytes, and ten years of
    // records read no slower than with SQLite's default 4096.
    if (!execute(db.get(),
                 "PRAGMA page_size=1024; CREATE TABLE fields(position INTEGER PRIMARY KEY, name "
                 "BLOB NOT NULL, "
                 "kind INTEGER NOT NULL, max_length INTEGER NOT NULL) STRICT;" +
                     createRecordsSql(table.fields) + "; BEGIN",
                 problem)) {
        return result;
    }

    Statement insertField = prepare(db.get(), "INSERT INTO fields VALUES(?, ?, ?, ?)", problem);
    if (!insertField) return result;
    for (size_t i = 0; i < table.fields.size(); ++i) {
        const FieldInfo& field = table.fields[i];
        sqlite3_reset(insertField.get());
        sqlite3_bind_int64(insertField.get(), 1, static_cast<sqlite3_int64>(i + 1));
        bindText(insertField.get(), 2, field.name);
        sqlite3_bind_int(insertField.get(), 3, kindNumber(field.kind));
        sqlite3_bind_int(insertField.get(), 4, field.maxLength);
        if (!stepDone(db.get(), insertField.get(), problem)) return result;
    }

    std::string sql = "INSERT INTO records VALUES(?";
    for (size_t i = 0; i < table.fields.size(); ++i) sql += ", ?";
    Statement insertRecord = prepare(db.get(), sql + ")", problem);
    if (!insertRecord) return result;
    for (size_t r = 0; r < table.records.size(); ++r) {
        const Record& record = table.records[r];
        sqlite3_reset(insertRecord.get());
        sqlite3_bind_int64(insertRecord.get(), 1, static_cast<sqlite3_int64>(r + 1));
        for (size_t i = 0; i < record.size(); ++i)
            bindValue(insertRecord.get(), static_cast<int>(i + 2), record[i]);
        if (!stepDone(db.get(), insertRecord.get(), problem)) return result;
    }
    if (!execute(db.get(), "COMMIT", problem)) return result;

    sqlite3_int64 size = 0;
    unsigned char* bytes = sqlite3_serialize(db.get(), "main", &size, 0);
    if (bytes == nullptr) {
        problem = "the database image could not be made (out of memory)";
        return result;
    }
    result.image.assign(reinterpret_cast<const char*>(bytes), static_cast<size_t>(size));
    sqlite3_free(bytes);
    return result;
}

TableResult tableFromImage(std::string_view image) {
    TableResult result;
    std::string& problem = result.problem;
    if (image.empty()) {
        problem = "the database image is empty";
        return result;
    }
    Database db = openMemoryDatabase(problem);
    if (!db) return result;
    auto* copy = static_cast<unsigned char*>(sqlite3_malloc64(image.size()));
    if (copy == nullptr) {
        problem = "out of memory";
        return result;
    }
    std::memcpy(copy, image.data(), image.size());
    const auto size = static_cast<sqlite3_int64>(image.size());
    // SQLite frees the copy from here on, even when this call fails.
    if (sqlite3_deserialize(db.get(), "main", copy, size, size,
                            SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_READONLY) !=
        SQLITE_OK) {
        problem = sqlite3_errmsg(db.get());
        return result;
    }
    if (!quickCheckPasses(db.get(), problem) || !schemaIsOurs(db.get(), problem) ||
        !readFields(db.get(), result.table.fields, problem) ||
        !readRecords(db.get(), result.table.fields, result.table.records, problem)) {
        result.table = {};
    }
    return result;
}

}  // namespace paylog
