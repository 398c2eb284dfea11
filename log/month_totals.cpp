#include "log/month_totals.h"

#include <cstdint>
#include <string>

#include "core/number_text.h"
#include "log/log_problem.h"
#include "log/opened_log.h"
#include "log/overtime_log.h"

namespace paylog {

namespace {

struct Sums {
    int64_t night = 0, g1 = 0, g2 = 0, g3 = 0, personalLeave = 0, absence = 0, sickLeave = 0;
};

// A month of 32-bit hour values can add up beyond 32 bits; show the true sum
// rather than a wrapped one.
Text sumText(int64_t sum) {
    if (sum == static_cast<int32_t>(sum)) return intToText(static_cast<int32_t>(sum));
    return std::to_string(sum);
}

// Walks the cursor from the first record.
Sums sumMonth(RecordStore& store, int32_t year, int32_t month) {
    const Text& date = fieldName(LogField::Date);
    Sums s;
    for (int32_t i = store.recordCount(); i > 0; --i) {
        const DateTime d = store.readDate(date);
        // The year counts too: a log kept for more than a year holds the same
        // month more than once.
        if (yearOf(d) == year && monthOf(d) == month) {
            s.night += store.readInt(fieldName(LogField::NightShift));
            s.g1 += store.readInt(fieldName(LogField::G1));
            s.g2 += store.readInt(fieldName(LogField::G2));
            s.g3 += store.readInt(fieldName(LogField::G3));
            s.personalLeave += store.readInt(fieldName(LogField::PersonalLeave));
            s.absence += store.readInt(fieldName(LogField::Absence));
            s.sickLeave += store.readInt(fieldName(LogField::SickLeave));
        }
        store.skipRecord();
    }
    return s;
}

// An empty log reads its last date as the zero DateTime.
Text reachedLabel(RecordStore& store) {
    static const Text kReached = gbk("当前加班统计到：");
    static const Text kNothing = gbk("当前未加班或未记录加班！！！");
    static const Text kZeroDate = dateTimeToText(0);
    store.goToLastRecord();
    const Text last = dateTimeToText(store.readDate(fieldName(LogField::Date)));
    if (compareText(last, kZeroDate) == 0) return kNothing;
    return joinTexts({kReached, last});
}

}  // namespace

MonthTotals loadMonthTotals(RecordStore& store, std::string_view password, DateTime dateBoxValue) {
    static const Text kUnreadable = gbk("加班记录无法读取，本月加班未统计！");
    MonthTotals totals;
    totals.selectedMonthText = intToText(monthOf(dateBoxValue));

    const OpenedLog log(store, password, /*readOnly=*/true);
    if (!log.ok()) {
        totals.report = {log.result(), describeLogProblem(store, log.result())};
        totals.reachedLabel = kUnreadable;
        return totals;
    }
    const Sums s = sumMonth(store, yearOf(dateBoxValue), monthOf(dateBoxValue));
    totals.reachedLabel = reachedLabel(store);

    const double allowance =
        static_cast<double>(static_cast<long double>(s.night) * kNightShiftAllowance);
    totals.nightAllowance = numberToText(allowance);
    totals.g1Hours = sumText(s.g1);
    totals.g2Hours = sumText(s.g2);
    totals.g3Hours = sumText(s.g3);
    totals.personalLeaveHours = sumText(s.personalLeave);
    totals.absenceHours = sumText(s.absence);
    totals.sickLeaveHours = sumText(s.sickLeave);
    return totals;
}

}  // namespace paylog
