#include "calendar/calendar_days.h"

#include <algorithm>

namespace paylog {
namespace {

int32_t monthsIn(const LunarYearRow& row) { return row.leapMonth == 0 ? 12 : 13; }

// Month number and leap flag of the month at a position of its year.
LunarDate monthAt(const LunarYearRow& row, int32_t index) {
    LunarDate d;
    d.leap = row.leapMonth != 0 && index == row.leapMonth;
    d.month = row.leapMonth != 0 && index >= row.leapMonth ? index : index + 1;
    return d;
}

}  // namespace

int32_t dayNumberOf(DateTime v) { return static_cast<int32_t>(dayStart(v)); }

const LunarYearRow* lunarYearRow(int32_t lunarYear) {
    if (lunarYear < kFirstTableYear || lunarYear > kLastTableYear) return nullptr;
    return &kLunarYears[lunarYear - kFirstTableYear];
}

const SolarTermYearRow* solarTermYearRow(int32_t year) {
    if (year < kFirstTableYear || year > kLastTableYear) return nullptr;
    return &kSolarTermYears[year - kFirstTableYear];
}

int32_t monthIndexOf(const LunarYearRow& row, int32_t month, bool leap) {
    if (month < 1 || month > 12) return -1;
    if (leap) return row.leapMonth == month ? month : -1;
    return row.leapMonth != 0 && month > row.leapMonth ? month : month - 1;
}

int32_t monthLengthAt(const LunarYearRow& row, int32_t monthIndex) {
    return (row.longMonths >> monthIndex & 1u) != 0 ? 30 : 29;
}

std::optional<LunarDay> lunarDayOf(int32_t day) {
    if (day < kFirstLunarDay || day > kLastLunarDay) return std::nullopt;
    // The last year whose new year is not after the day.
    const auto next =
        std::upper_bound(kLunarYears.begin(), kLunarYears.end(), day,
                         [](int32_t d, const LunarYearRow& row) { return d < row.newYearDay; });
    const LunarYearRow& row = *(next - 1);
    int32_t offset = day - row.newYearDay;
    for (int32_t i = 0; i < monthsIn(row); ++i) {
        const int32_t length = monthLengthAt(row, i);
        if (offset < length) {
            LunarDate d = monthAt(row, i);
            d.year = kFirstTableYear + static_cast<int32_t>(&row - kLunarYears.data());
            d.day = offset + 1;
            return LunarDay{d, length};
        }
        offset -= length;
    }
    return std::nullopt;  // not reached: the next year's new year follows the last month
}

std::optional<int32_t> dayOfLunarDate(const LunarDate& d) {
    const LunarYearRow* row = lunarYearRow(d.year);
    if (row == nullptr) return std::nullopt;
    const int32_t index = monthIndexOf(*row, d.month, d.leap);
    if (index < 0 || d.day < 1 || d.day > monthLengthAt(*row, index)) return std::nullopt;
    int32_t day = row->newYearDay + d.day - 1;
    for (int32_t i = 0; i < index; ++i) day += monthLengthAt(*row, i);
    if (day < kFirstLunarDay || day > kLastLunarDay) return std::nullopt;
    return day;
}

int32_t solarTermNumberOn(int32_t day) {
    const auto next =
        std::upper_bound(kSolarTermYears.begin(), kSolarTermYears.end(), day,
                         [](int32_t d, const SolarTermYearRow& row) { return d < row.firstDay; });
    if (next == kSolarTermYears.begin()) return 0;
    const SolarTermYearRow& row = *(next - 1);
    const int64_t dayStartSecond = int64_t{day - row.firstDay} * 86400;
    for (size_t i = 0; i < kSolarTermsPerYear; ++i) {
        const int64_t offset = row.termSeconds[i] - dayStartSecond;
        if (offset >= 0 && offset < 86400) return solarTermNumberAt(i);
    }
    return 0;
}

}  // namespace paylog
