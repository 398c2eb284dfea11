#pragma once
// Dates between the program's DateTime and Qt's date controls.

#include <QDate>

#include "core/date_time.h"

namespace paylog {

// The calendar day of a DateTime; the time of day is dropped.
QDate toQDate(DateTime value);

// The start (00:00) of a date control's day.
DateTime toDateTime(QDate date);

}  // namespace paylog
