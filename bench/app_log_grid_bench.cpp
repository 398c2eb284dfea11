// The grid page's refresh over ten years of daily entries (3,650 records
// under a password): the whole click, from opening the log to the last
// shaded cell, should stay well under 50 ms.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <memory>

#include "app/find_control.h"
#include "app/main_window.h"
#include "core/date_time.h"
#include "core/text.h"
#include "log/log_password.h"
#include "log/overtime_log.h"
#include "log/record_store.h"

namespace paylog {
namespace {

constexpr int kRecords = 3650;

const Text& password() {
    static const Text kPassword = gbk("十年的密码");
    return kPassword;
}

// Answers every box with OK and every input dialog with the log's password.
class AnsweringDialogs final : public Dialogs {
  public:
    MessageAnswer showMessage(const MessageRequest&) override { return kAnswerOk; }
    bool askText(const InputRequest&, Text& entry) override {
        entry = password();
        return true;
    }
    bool openAddress(const Text&) override { return true; }
};

// Every day since 2004-01-01, a mix of hours, remarks and night shifts.
void writeTenYears(const std::filesystem::path& dir) {
    RecordStore store(dir, KdfLimits::forTests());
    if (!createLog(store) || !store.openTable(logTableName(), "")) std::abort();
    static const Text kRemark = gbk("休息");
    const DateTime first = makeDateTime(2004, 1, 1);
    for (int i = 0; i < kRecords; ++i) {
        const DateTime day = first + i;
        std::vector<std::optional<FieldValue>> values(kLogFieldCount);
        values[fieldIndex(LogField::Date)] = day;
        if (i % 7 == 0) {
            values[fieldIndex(LogField::Remark)] = kRemark;
        } else {
            values[fieldIndex(i % 3 == 0 ? LogField::G2 : LogField::G1)] = int32_t{2 + i % 9};
        }
        values[fieldIndex(LogField::Weekday)] = weekdayName(weekdayOf(day));
        values[fieldIndex(LogField::NightShift)] = int32_t{i % 2};
        if (!store.addRecord(values)) std::abort();
    }
    store.closeTable();
    if (!setLogPassword(store, "", password()).ok()) std::abort();
}

// range(0) = 1: the grid starts empty each time, as on the first visit of the
// page, so every cell is made anew; 0: the cells of the last fill are reused.
void BM_FillLogGrid(benchmark::State& state) {
    QTemporaryDir dir;
    writeTenYears(dir.path().toStdString());
    AnsweringDialogs dialogs;
    WindowServices services{dialogs,
                            [] { return makeDateTime(2013, 6, 24, 9, 30, 0); },
                            dir.path().toStdString(),
                            [](int32_t) {},
                            KdfLimits::forTests(),
                            Text()};
    auto window = std::make_unique<MainWindow>(std::move(services));
    auto& refresh = findControl<QPushButton>(*window, "按钮表格刷新");
    auto& grid = findControl<QTableWidget>(*window, "高级表格1");
    refresh.click();
    for (auto _ : state) {
        if (state.range(0) == 1) {
            state.PauseTiming();
            grid.setRowCount(0);
            state.ResumeTiming();
        }
        refresh.click();
    }
    if (grid.rowCount() != kRecords) state.SkipWithError("the grid does not list the log");
}
BENCHMARK(BM_FillLogGrid)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace paylog

// The window needs a QApplication, without a display.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
