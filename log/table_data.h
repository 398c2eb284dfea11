#pragma once
// A table in memory: its field list and its records in stored order.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log/record_store.h"

namespace paylog {

using Record = std::vector<FieldValue>;  // one value per field, of the field's kind

struct TableData {
    std::vector<FieldInfo> fields;
    std::vector<Record> records;
};

inline constexpr size_t kMaxFieldNameBytes = 16;
inline constexpr size_t kMaxFields = 255;
inline constexpr int32_t kMaxTextLength = 1024;

// Field names match ignoring ASCII letter case; the second byte of a GBK
// character is never folded, though it may look like a letter.
bool sameFieldName(std::string_view a, std::string_view b);

// The 0-based position of a field, if the table has it.
std::optional<size_t> fieldPosition(const std::vector<FieldInfo>& fields, std::string_view name);

// What is wrong with a field list, or empty when it is sound.
std::string fieldListProblem(const std::vector<FieldInfo>& fields);

// DateTime 0, 0 or the empty text.
FieldValue zeroValue(FieldKind kind);

// The value holds the field's kind (a date-time also needs to be finite).
bool fitsField(const FieldValue& value, const FieldInfo& field);

}  // namespace paylog
