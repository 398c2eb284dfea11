#pragma once
// Dates from the program's DateTime to Qt's date controls.

#include <QDate>

#include "core/date_time.h"

namespace paylog {

// The calendar day of a DateTime; the time of day is dropped.
QDate toQDate(DateTime value);

}  // namespace paylog
