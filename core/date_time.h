#pragma once
// DateTime: days since 1899-12-30 00:00:00 as a double, the fraction being the
// time of day. Parts are taken after limiting to 100-01-01 .. 9999-12-31 and
// rounding to the nearest second.

#include <cstdint>
#include <functional>
#include <string_view>

#include "core/text.h"

namespace paylog {

using DateTime = double;

inline constexpr DateTime kMinDateTime = -657434.0;  // 100-01-01
inline constexpr DateTime kMaxDateTime = 2958465.0;  // 9999-12-31

// NaN, which names no moment, reads as the earliest date.
DateTime limitDateTime(DateTime v);

struct DateTimeParts {
    int32_t year, month, day, hour, minute, second;
    int32_t weekday;  // 1 = Sunday .. 7 = Saturday
};
DateTimeParts splitDateTime(DateTime v);

int32_t yearOf(DateTime v);
int32_t monthOf(DateTime v);
int32_t dayOf(DateTime v);
int32_t weekdayOf(DateTime v);  // 1 = Sunday .. 7 = Saturday
int32_t hourOf(DateTime v);
int32_t minuteOf(DateTime v);
int32_t secondOf(DateTime v);

// 0 outside years 100..9999 or months 1..12.
int32_t daysInMonth(int32_t year, int32_t month);

// The DateTime of a valid calendar date and time (no checks beyond the
// Gregorian arithmetic; callers pass valid parts).
DateTime makeDateTime(int32_t year, int32_t month, int32_t day, int32_t hour = 0,
                      int32_t minute = 0, int32_t second = 0);

// The same day at 00:00.
DateTime dayStart(DateTime v);

// Equality after range limiting.
bool sameDateTime(DateTime a, DateTime b);

enum class DateTextForm { Full, DateOnly, TimeOnly };
// "2013年6月23日", "8时5分0秒", or the date followed by the non-zero tail of
// the time ("2013年6月23日8时30分").
Text dateTimeToText(DateTime v, DateTextForm form = DateTextForm::Full);

// "2013/6/23", "2013年6月23日", "2013-06-23 08:30", "20130623" and the like;
// an invalid text gives kMinDateTime.
DateTime textToDateTime(std::string_view t);

// "星期日" .. "星期六" for 1..7, empty otherwise.
Text weekdayName(int32_t weekday);

// The local clock in whole seconds, and a replaceable source of it so that
// tests can fix the day.
DateTime systemDateTime();
using DateTimeSource = std::function<DateTime()>;

}  // namespace paylog
