#pragma once
// What the window does when the date box's day changes: the entry defaults
// for that weekday and the month's limit and holiday labels.

#include <QWidget>
#include <string_view>

#include "core/date_time.h"

namespace paylog {

// The day in `日期框1`, at 00:00.
DateTime dateBoxDay(const QWidget& window);

// Presets the entry (kind, hours, on Sunday the night box) for the date box's
// day and rewrites the month's six labels. `selectedMonthText` names the
// month of the last totals load in the "月已加班" line.
void updateDateDependents(QWidget& window, std::string_view selectedMonthText);

// Ticks the G1 entry and unticks the five other kinds.
void chooseG1Entry(QWidget& window);

// The date box's month's holidays into `标签本月节假日`.
void writeHolidayLabel(QWidget& window);

}  // namespace paylog
