#include "log/record_day.h"

#include <vector>

#include "core/number_text.h"
#include "log/log_problem.h"
#include "log/opened_log.h"
#include "log/overtime_log.h"

namespace paylog {

namespace {

LogField hoursField(EntryKind kind) {
    switch (kind) {
        case EntryKind::G1:
            return LogField::G1;
        case EntryKind::G2:
            return LogField::G2;
        case EntryKind::G3:
            return LogField::G3;
        case EntryKind::PersonalLeave:
            return LogField::PersonalLeave;
        case EntryKind::SickLeave:
            return LogField::SickLeave;
        case EntryKind::Absence:
            break;
    }
    return LogField::Absence;
}

// Night shifts are paid only on overtime, so leave and absence never carry the flag.
bool carriesNightFlag(EntryKind kind) {
    return kind == EntryKind::G1 || kind == EntryKind::G2 || kind == EntryKind::G3;
}

// Walks the cursor from the first record.
bool hasRecordOn(RecordStore& store, DateTime day) {
    const Text& date = fieldName(LogField::Date);
    for (int32_t i = store.recordCount(); i > 0; --i) {
        if (sameDateTime(store.readDate(date), day)) return true;
        store.skipRecord();
    }
    return false;
}

}  // namespace

std::optional<EntryKind> firstTickedEntry(const std::array<bool, kEntryKindCount>& ticked) {
    for (std::size_t i = 0; i < ticked.size(); ++i) {
        if (ticked[i]) return static_cast<EntryKind>(i);
    }
    return std::nullopt;
}

RecordDayResult recordDay(RecordStore& store, std::string_view password, const DayEntry& entry) {
    static const Text kAdded = gbk("加班记录添加成功！");
    static const Text kAddFailed = gbk("加班记录添加失败！");
    static const Text kDuplicate = gbk("今天已经记录过了。");
    static const Text kEarlyShift = gbk("早班");

    const OpenedLog log(store, password);
    if (!log.ok()) {
        return {RecordDayStatus::LogUnavailable,
                {log.result(), describeLogProblem(store, log.result())}};
    }
    const DateTime day = dayStart(entry.date);
    if (hasRecordOn(store, day)) return {RecordDayStatus::Duplicate, {{}, kDuplicate}};

    const int32_t night = entry.nightShift ? 1 : 0;
    const int32_t hours = textToInt(entry.comboText);
    std::vector<std::optional<FieldValue>> values(kLogFieldCount);
    values[fieldIndex(LogField::Date)] = day;
    values[fieldIndex(LogField::Weekday)] = weekdayName(weekdayOf(day));
    if (hours != 0) {
        if (!entry.kind) return {RecordDayStatus::NothingTicked, {}};
        values[fieldIndex(hoursField(*entry.kind))] = hours;
        if (carriesNightFlag(*entry.kind)) values[fieldIndex(LogField::NightShift)] = night;
    } else {
        // A text without a leading number is a remark. Of the remarks only the
        // early shift is a worked shift, so only it keeps the night allowance.
        values[fieldIndex(LogField::Remark)] = entry.comboText;
        if (compareText(entry.comboText, kEarlyShift) == 0) {
            values[fieldIndex(LogField::NightShift)] = night;
        }
    }
    const StoreResult added = store.addRecord(values);
    if (!added) return {RecordDayStatus::AddFailed, {added, kAddFailed}};
    return {RecordDayStatus::Added, {added, kAdded}};
}

}  // namespace paylog
