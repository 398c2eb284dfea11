#pragma once
// The statutory public holidays in one Gregorian month, under the holiday law
// in force in that year.

#include <cstdint>

#include "core/date_time.h"
#include "core/text.h"

namespace paylog {

struct MonthHolidays {
    Text names;            // GBK, latest day first, each name followed by one space
    int32_t dayCount = 0;  // holiday days; a day that is two holidays counts twice
};

// The holidays of the Gregorian month of v (its day and time do not matter).
MonthHolidays monthHolidays(DateTime v);

// The same as one text: the names, then the day count as decimal digits, such
// as "正月初二 春节 除夕 元旦 4"; "0" alone for a month without a holiday.
// The law never puts ten holiday days into one month, so the count is the
// text's last byte.
Text holidaysOfMonth(DateTime v);

}  // namespace paylog
