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
#include "window_bench_support.h"

namespace paylog {
namespace {

using bench::AnsweringDialogs;
constexpr int kRecords = bench::kTenYears;

// range(0) = 1: the grid starts empty each time, as on the first visit of the
// page, so every cell is made anew; 0: the cells of the last fill are reused.
void BM_FillLogGrid(benchmark::State& state) {
    QTemporaryDir dir;
    bench::writeLog(dir.path().toStdString(), kRecords);
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

int main(int argc, char** argv) { return paylog::bench::runWindowBenchmarks(argc, argv); }
