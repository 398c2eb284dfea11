#pragma once
// The month's totals of the overtime log, as the pay page shows them: hours
// per kind, the night-shift allowance, and the date the log reaches.

#include <string_view>

#include "core/date_time.h"
#include "core/text.h"
#include "log/log_report.h"
#include "log/record_store.h"

namespace paylog {

// Allowance per night entry.
inline constexpr long double kNightShiftAllowance = 4.5L;

struct MonthTotals {
    // Not ok: the log could not be read. The figures are then empty (not
    // zero, which would look like a month without overtime), the label says
    // the log could not be read, and the message says why.
    LogReport report;
    Text selectedMonthText;  // month of the date box, "1" .. "12"
    // The box texts, in the order the boxes are written.
    Text nightAllowance;      // 编辑框夜班津贴: night entries × 4.5
    Text g1Hours;             // 编辑框1加班小时数
    Text g2Hours;             // 编辑框2加班小时数
    Text g3Hours;             // 编辑框3加班小时数
    Text personalLeaveHours;  // 编辑框事假时数
    Text absenceHours;        // 编辑框旷工时数
    Text sickLeaveHours;      // 编辑框病假时数
    Text reachedLabel;        // 标签当前统计到的加班日期
};

// Sums the entries of the date box's year and month; the label names the date
// of the last record in stored order.
MonthTotals loadMonthTotals(RecordStore& store, std::string_view password, DateTime dateBoxValue);

}  // namespace paylog
