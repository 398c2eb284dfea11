// The overtime log's everyday operations on ten years of daily records, with a
// password as the user would have it: recording a day, the month totals and
// the grid rows. Each must feel instant.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/date_time.h"
#include "log/log_grid.h"
#include "log/log_maintenance.h"
#include "log/log_password.h"
#include "log/month_totals.h"
#include "log/overtime_log.h"
#include "log/record_day.h"

namespace paylog {
namespace {

constexpr int kDays = 3650;
const char* const kPassword = "bench-password";

// Ten years of daily records in a fresh directory, removed at exit.
class TenYearLog {
  public:
    TenYearLog() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "paylog-logops-bench-XXXXXX");
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        dir_ = pattern;
        store_ = std::make_unique<RecordStore>(dir_);
        if (!createLog(*store_) || !setLogPassword(*store_, "", kPassword).ok()) std::abort();
        if (!store_->openTable(logTableName(), kPassword)) std::abort();
        const Text rest = gbk("休息");
        for (int i = 0; i < kDays; ++i) {
            const DateTime day = first() + i;
            const int32_t weekday = weekdayOf(day);
            std::vector<std::optional<FieldValue>> values(kLogFieldCount);
            values[fieldIndex(LogField::Date)] = day;
            values[fieldIndex(LogField::Weekday)] = weekdayName(weekday);
            if (weekday == 1) {
                values[fieldIndex(LogField::Remark)] = rest;
            } else {
                values[fieldIndex(weekday == 7 ? LogField::G2 : LogField::G1)] =
                    weekday == 7 ? 10 : 2;
                values[fieldIndex(LogField::NightShift)] = i % 2;
            }
            if (!store_->addRecord(values)) std::abort();
        }
        store_->closeTable();
    }
    ~TenYearLog() {
        store_.reset();
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    static DateTime first() { return makeDateTime(2004, 1, 1); }
    RecordStore& store() { return *store_; }

  private:
    std::filesystem::path dir_;
    std::unique_ptr<RecordStore> store_;
};

TenYearLog& tenYearLog() {
    static TenYearLog log;
    return log;
}

void BM_RecordDay(benchmark::State& state) {
    RecordStore& store = tenYearLog().store();
    const DayEntry entry{TenYearLog::first() + kDays, EntryKind::G1, "2", true};
    for (auto _ : state) {
        const RecordDayResult result = recordDay(store, kPassword, entry);
        if (result.status != RecordDayStatus::Added) state.SkipWithError("not added");
        state.PauseTiming();
        // Back to ten years, so every round records the same new day.
        if (!deleteLastRecord(store, kPassword).ok()) state.SkipWithError("not deleted");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RecordDay)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MonthTotals(benchmark::State& state) {
    RecordStore& store = tenYearLog().store();
    const DateTime june = makeDateTime(2013, 6, 15);
    for (auto _ : state) {
        const MonthTotals totals = loadMonthTotals(store, kPassword, june);
        if (!totals.report.ok()) state.SkipWithError("log unreadable");
        benchmark::DoNotOptimize(totals);
    }
}
BENCHMARK(BM_MonthTotals)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GridRows(benchmark::State& state) {
    RecordStore& store = tenYearLog().store();
    for (auto _ : state) {
        const LogGrid grid = loadLogGrid(store, kPassword);
        if (grid.rows.size() != kDays) state.SkipWithError("rows missing");
        benchmark::DoNotOptimize(grid);
    }
}
BENCHMARK(BM_GridRows)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace paylog
