#pragma once
// The lunar calendar by day number (the whole days of a DateTime, days since
// 1899-12-30). The public conversions and the holiday finder both work
// through these, so they always agree; neither parses or builds a date text.

#include <cstdint>
#include <optional>

#include "calendar/calendar_table.h"
#include "calendar/lunar_calendar.h"
#include "core/date_time.h"

namespace paylog {

// The days the lunar calendar converts: lunar 1901, first month, first day
// (1901-02-19) to 2048-12-31.
inline constexpr int32_t kFirstLunarDay = 416;
inline constexpr int32_t kLastLunarDay = 54423;

// The day of a DateTime as its calendar parts (yearOf, dayOf …) see it.
int32_t dayNumberOf(DateTime v);

struct LunarDay {
    LunarDate date;
    int32_t monthLength;  // 29 or 30
};
// No value outside kFirstLunarDay .. kLastLunarDay.
std::optional<LunarDay> lunarDayOf(int32_t day);

// The day of a lunar date; no value when the lunar calendar has no such date
// within kFirstLunarDay .. kLastLunarDay.
std::optional<int32_t> dayOfLunarDate(const LunarDate& d);

// The number of the solar term that falls on a day (立春 = 1 .. 大寒 = 24),
// 0 when none does or the table does not reach the day.
int32_t solarTermNumberOn(int32_t day);

// The table rows of a lunar or Gregorian year; null outside 1900..2049.
const LunarYearRow* lunarYearRow(int32_t lunarYear);
const SolarTermYearRow* solarTermYearRow(int32_t year);

// Position of a month within its lunar year (a leap month in its place),
// -1 when the year has no such month.
int32_t monthIndexOf(const LunarYearRow& row, int32_t month, bool leap);
int32_t monthLengthAt(const LunarYearRow& row, int32_t monthIndex);

}  // namespace paylog
