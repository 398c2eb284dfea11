#pragma once
// The Chinese lunisolar calendar as the program uses it: valid from
// 1901-02-19 (lunar 1901, first month, first day) to 2048-12-31, with the
// solar terms in China Standard Time (UTC+8).

#include <cstdint>
#include <optional>

#include "core/date_time.h"
#include "core/text.h"

namespace paylog {

struct LunarDate {
    int32_t year = 0;   // the Gregorian year in which the lunar year begins
    int32_t month = 0;  // 1..12
    int32_t day = 0;    // 1..30
    bool leap = false;  // an intercalary month, repeating the number of the month before it

    bool operator==(const LunarDate&) const = default;
};

// The lunar date of the day of v. False outside 1901-02-19 .. 2048-12-31;
// `out` is then left as it was.
bool toLunarDate(DateTime v, LunarDate& out);

// 29 or 30. With `leap`, the length of the year's leap month when it repeats
// `month`, else 0. 0 for years outside 1901..2049 or months outside 1..12.
int32_t lunarMonthLength(int32_t year, int32_t month, bool leap);

struct SolarTerm {
    Text name;           // GBK, such as "清明"; empty when no term falls on the day
    int32_t number = 0;  // 立春 = 1, 清明 = 5 … 大寒 = 24; 0 when no term falls on the day
};

// The solar term on the Gregorian day of a lunar date. No value when the
// date does not exist in the calendar or its day lies outside the range that
// toLunarDate converts.
std::optional<SolarTerm> solarTermOfLunarDate(const LunarDate& d);

// "癸巳年(蛇)五月十六 2013-6-23": the stem and branch of the year and its
// animal, the lunar month ("闰" in front for a leap month) and day, then the
// Gregorian year, month and day without leading zeros.
//
// The year's name changes at the moment of 立春, compared to the second with
// the time of day of v. Outside the range of toLunarDate the lunar month and
// day are left out ("己亥年(猪) 1900-1-1"); the year's name still follows the
// moment of 立春 for the years 1900..2049 that the solar-term table covers,
// and beyond them changes on 4 February, the usual day of 立春.
Text lunarDateText(DateTime v);

}  // namespace paylog
