#include "calendar/date_selection.h"

#include <array>

#include "calendar/holidays.h"
#include "core/number_text.h"

namespace paylog {
namespace {

constexpr int32_t kSunday = 1;  // weekdayOf's numbering
constexpr int32_t kSaturday = 7;

// The window writes every radio button so that exactly one stays checked.
constexpr std::array<RadioWrite, 6> kSaturdayRadios{{
    {EntryKind::G2, true},
    {EntryKind::G3, false},
    {EntryKind::Absence, false},
    {EntryKind::SickLeave, false},
    {EntryKind::PersonalLeave, false},
    {EntryKind::G1, false},
}};
constexpr std::array<RadioWrite, 6> kWorkdayRadios{{
    {EntryKind::G1, true},
    {EntryKind::G2, false},
    {EntryKind::G3, false},
    {EntryKind::Absence, false},
    {EntryKind::SickLeave, false},
    {EntryKind::PersonalLeave, false},
}};

MonthLimits limitsFor(DateTime v, int32_t holidayDays) {
    const DateTimeParts p = splitDateTime(v);
    const long double n = daysInMonth(p.year, p.month);
    const long double sundays = countWeekdayInMonth(7, v);
    const long double saturdays = countWeekdayInMonth(6, v);
    const long double holidays = holidayDays;
    MonthLimits m;
    m.g1 = static_cast<double>((n - saturdays - sundays) * 2 - holidays * 2);
    m.g2 = static_cast<double>(saturdays * 10);
    m.g3 = static_cast<double>(holidays * 10);
    m.total = static_cast<double>((n - saturdays - sundays) * 2 + saturdays * 10 + holidays * 10 -
                                  holidays * 2);
    return m;
}

Text hoursLimitText(const Text& label, double hours) {
    static const Text kHours = gbk("小时");
    return joinTexts({label, numberToText(hours), kHours});
}

Text holidayLabelFor(const MonthHolidays& h) {
    static const Text kLabel = gbk("本月法定节假日有：");
    return h.dayCount == 0 ? Text() : joinTexts({kLabel, h.names});
}

}  // namespace

int32_t countWeekdayInMonth(int32_t weekdayMondayFirst, DateTime v) {
    const int32_t wanted = weekdayMondayFirst + 1 == 8 ? 1 : weekdayMondayFirst + 1;
    const DateTimeParts p = splitDateTime(v);
    const int32_t firstWeekday = weekdayOf(makeDateTime(p.year, p.month, 1));
    int32_t count = 0;
    for (int32_t d = 0, n = daysInMonth(p.year, p.month); d < n; ++d)
        if ((firstWeekday - 1 + d) % 7 + 1 == wanted) ++count;
    return count;
}

DayDefaults dayDefaults(DateTime v) {
    static const Text kRest = gbk("休息");
    switch (weekdayOf(v)) {
        case kSunday:
            return {{}, kRest, false};
        case kSaturday:
            return {kSaturdayRadios, "10", std::nullopt};
        default:
            return {kWorkdayRadios, "2", std::nullopt};
    }
}

MonthLimits monthLimits(DateTime v) { return limitsFor(v, monthHolidays(v).dayCount); }

MonthLabelTexts monthLabelTexts(DateTime v, std::string_view selectedMonthText,
                                std::string_view g1HoursText, std::string_view g2HoursText,
                                std::string_view g3HoursText) {
    static const Text kG1 = gbk("本月G1最多时数：");
    static const Text kG2 = gbk("本月G2最多时数：");
    static const Text kG3 = gbk("本月G3最多时数：");
    static const Text kTotal = gbk("本月最多加班时数：");
    static const Text kSoFar = gbk("月已加班");
    static const Text kSoFarEnd = gbk("小时。");
    const MonthHolidays holidays = monthHolidays(v);
    const MonthLimits limits = limitsFor(v, holidays.dayCount);
    const auto hoursSoFar =
        static_cast<double>(static_cast<long double>(textToNumber(g1HoursText)) +
                            textToNumber(g2HoursText) + textToNumber(g3HoursText));
    return {hoursLimitText(kG1, limits.g1),
            hoursLimitText(kG2, limits.g2),
            joinTexts({selectedMonthText, kSoFar, numberToText(hoursSoFar), kSoFarEnd}),
            hoursLimitText(kG3, limits.g3),
            hoursLimitText(kTotal, limits.total),
            holidayLabelFor(holidays)};
}

Text holidayLabelText(DateTime v) { return holidayLabelFor(monthHolidays(v)); }

}  // namespace paylog
