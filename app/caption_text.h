#pragma once
// The window caption that works as a clock: the start day's lunar and
// Gregorian date, the running time of day and the start day's weekday.

#include "core/date_time.h"
#include "core/text.h"

namespace paylog {

// Only the time of day follows `now`; every date piece keeps describing the
// day the program was started, also past midnight.
Text captionText(DateTime sessionStartTime, DateTime now);

}  // namespace paylog
