#pragma once
// Recording one day of the overtime log: hours of one kind, or a remark
// instead of hours, at most one record per date.

#include <array>
#include <optional>
#include <string_view>

#include "core/date_time.h"
#include "core/entry_kind.h"
#include "core/text.h"
#include "log/log_report.h"
#include "log/record_store.h"

namespace paylog {

// The six kinds of entry, in the order their radio buttons are checked.

// The first ticked kind in the order above, or none.
std::optional<EntryKind> firstTickedEntry(const std::array<bool, kEntryKindCount>& ticked);

struct DayEntry {
    DateTime date = 0;              // the date box value; its time of day plays no part
    std::optional<EntryKind> kind;  // the ticked radio button, if any
    Text comboText;                 // GBK: hours, or a remark when it reads as 0
    bool nightShift = false;        // the night-shift box
};

enum class RecordDayStatus {
    Added,           // "加班记录添加成功！" (information)
    AddFailed,       // "加班记录添加失败！" (warning), reason in store
    Duplicate,       // "今天已经记录过了。" (information)
    NothingTicked,   // hours typed but no kind chosen: nothing added, nothing shown
    LogUnavailable,  // the log could not be opened: nothing added, reason shown
};

struct RecordDayResult {
    RecordDayStatus status = RecordDayStatus::NothingTicked;
    LogReport report;
};

RecordDayResult recordDay(RecordStore& store, std::string_view password, const DayEntry& entry);

}  // namespace paylog
