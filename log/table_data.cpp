#include "log/table_data.h"

#include <cmath>

namespace paylog {
namespace {

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool isLeadByte(char c) { return (static_cast<unsigned char>(c) & 0x80) != 0; }

}  // namespace

bool sameFieldName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (isLeadByte(a[i]) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

std::optional<size_t> fieldPosition(const std::vector<FieldInfo>& fields, std::string_view name) {
    for (size_t i = 0; i < fields.size(); ++i) {
        if (sameFieldName(fields[i].name, name)) return i;
    }
    return std::nullopt;
}

std::string fieldListProblem(const std::vector<FieldInfo>& fields) {
    if (fields.empty()) return "a table needs at least one field";
    if (fields.size() > kMaxFields) return "a table has at most 255 fields";
    for (size_t i = 0; i < fields.size(); ++i) {
        const FieldInfo& field = fields[i];
        const std::string number = "field " + std::to_string(i + 1);
        if (field.name.empty() || field.name.size() > kMaxFieldNameBytes) {
            return number + ": a name has 1 to 16 bytes";
        }
        if (field.kind != FieldKind::DateTime && field.kind != FieldKind::Integer &&
            field.kind != FieldKind::Text) {
            return number + ": unknown kind";
        }
        if (field.kind == FieldKind::Text &&
            (field.maxLength < 1 || field.maxLength > kMaxTextLength)) {
            return number + ": a text field holds 1 to 1024 bytes";
        }
        if (fieldPosition(fields, field.name) != i) return number + ": the name is taken";
    }
    return {};
}

FieldValue zeroValue(FieldKind kind) {
    switch (kind) {
        case FieldKind::DateTime:
            return DateTime{0};
        case FieldKind::Integer:
            return int32_t{0};
        case FieldKind::Text:
            break;
    }
    return Text{};
}

bool fitsField(const FieldValue& value, const FieldInfo& field) {
    switch (field.kind) {
        case FieldKind::DateTime:
            return std::holds_alternative<DateTime>(value) &&
                   std::isfinite(std::get<DateTime>(value));
        case FieldKind::Integer:
            return std::holds_alternative<int32_t>(value);
        case FieldKind::Text:
            return std::holds_alternative<Text>(value) &&
                   std::get<Text>(value).size() <= static_cast<size_t>(field.maxLength);
    }
    return false;
}

}  // namespace paylog
