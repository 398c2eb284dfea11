// The holiday finder runs on every change of the date box and before every
// pay calculation; these show what one month, and every month the calendar
// covers, cost.

#include <benchmark/benchmark.h>

#include "calendar/date_selection.h"
#include "calendar/holidays.h"
#include "calendar/lunar_calendar.h"
#include "core/date_time.h"

namespace paylog {
namespace {

// All 1,776 months of 1901..2048 in one iteration.
void BM_HolidaysOfEveryMonth1901To2048(benchmark::State& state) {
    for (auto _ : state) {
        for (int32_t year = 1901; year <= 2048; ++year)
            for (int32_t month = 1; month <= 12; ++month)
                benchmark::DoNotOptimize(holidaysOfMonth(makeDateTime(year, month, 1)));
    }
}
BENCHMARK(BM_HolidaysOfEveryMonth1901To2048)->Unit(benchmark::kMillisecond);

void BM_HolidaysOfOneMonth(benchmark::State& state) {
    const DateTime january2012 = makeDateTime(2012, 1, 15);
    for (auto _ : state) benchmark::DoNotOptimize(holidaysOfMonth(january2012));
}
BENCHMARK(BM_HolidaysOfOneMonth);

// What the date box's change costs: the six label texts of a month.
void BM_MonthLabelTexts(benchmark::State& state) {
    const DateTime june2013 = makeDateTime(2013, 6, 23);
    for (auto _ : state) benchmark::DoNotOptimize(monthLabelTexts(june2013, "6", "10", "8", "0"));
}
BENCHMARK(BM_MonthLabelTexts);

void BM_LunarDateText(benchmark::State& state) {
    const DateTime noon = makeDateTime(2013, 6, 23, 12);
    for (auto _ : state) benchmark::DoNotOptimize(lunarDateText(noon));
}
BENCHMARK(BM_LunarDateText);

}  // namespace
}  // namespace paylog
