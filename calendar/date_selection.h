#pragma once
// What follows from the date chosen in the date box: the default entry for
// that day, and the month's overtime limits and holidays as label texts. The
// window applies these to its controls; nothing here knows of controls.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "core/date_time.h"
#include "core/entry_kind.h"
#include "core/text.h"

namespace paylog {

// How many days of v's month fall on a weekday numbered 1 = Monday ..
// 7 = Sunday (unlike weekdayOf, which counts from Sunday).
int32_t countWeekdayInMonth(int32_t weekdayMondayFirst, DateTime v);

// The six kinds of entry, one radio button each.

struct RadioWrite {
    EntryKind kind;
    bool checked;
};

struct DayDefaults {
    std::span<const RadioWrite> radioWrites;  // in writing order; none on Sunday
    Text comboText;                           // GBK: "休息", "10" or "2"
    std::optional<bool> nightShift;           // set on Sunday only, to unchecked
};

// Sunday: "休息", night shift unchecked, the entry kind left alone.
// Saturday: G2 overtime, "10". Monday to Friday: G1 overtime, "2".
DayDefaults dayDefaults(DateTime v);

// The most overtime hours v's month allows: 2 per working day at G1, 10 per
// Saturday at G2, 10 per holiday day at G3, each holiday day taking 2 from
// G1. A holiday on a Saturday or Sunday still counts as both.
struct MonthLimits {
    double g1 = 0, g2 = 0, g3 = 0, total = 0;
};
MonthLimits monthLimits(DateTime v);

// The month's label texts (GBK), members in the order the window writes them.
struct MonthLabelTexts {
    Text g1Limit;        // "本月G1最多时数：38小时"
    Text g2Limit;        // "本月G2最多时数：50小时"
    Text overtimeSoFar;  // "6月已加班18小时。"
    Text g3Limit;        // "本月G3最多时数：10小时"
    Text totalLimit;     // "本月最多加班时数：98小时"
    Text holidays;       // as holidayLabelText
};

// The labels for date v. The overtime line names selectedMonthText, the month
// whose totals were last loaded, not v's month, and sums the three hour
// boxes' texts as numbers.
MonthLabelTexts monthLabelTexts(DateTime v, std::string_view selectedMonthText,
                                std::string_view g1HoursText, std::string_view g2HoursText,
                                std::string_view g3HoursText);

// "本月法定节假日有：端午节 " (the names keep their trailing spaces), or the
// empty text for a month without a holiday.
Text holidayLabelText(DateTime v);

}  // namespace paylog
