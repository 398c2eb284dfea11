#pragma once
// Page 0 "工资计算": the wage items, the result and month labels, the log's
// entry controls and the month progress bar.

#include "app/page_placer.h"
#include "core/date_time.h"

namespace paylog {

// `today` is the day the date box starts on.
void buildPayPage(const PagePlacer& placer, DateTime today);

}  // namespace paylog
