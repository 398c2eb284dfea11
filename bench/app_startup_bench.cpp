// The whole start-up: the window's construction through its created
// handler, with the password answered at once, on an empty log and on ten
// years of entries; beside it a bare Qt window of four tab pages, to show what
// the toolkit alone costs. The key derivation is cached after the first run,
// as in a real session; log_bench measures it on its own.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTabWidget>
#include <QTemporaryDir>
#include <memory>

#include "app/main_window.h"
#include "window_bench_support.h"

namespace paylog {
namespace {

// range(0): records in the log.
void BM_StartUp(benchmark::State& state) {
    QTemporaryDir dir;
    bench::writeLog(dir.path().toStdString(), static_cast<int>(state.range(0)));
    bench::AnsweringDialogs dialogs;
    for (auto _ : state) {
        auto window = std::make_unique<MainWindow>(
            WindowServices{.dialogs = dialogs,
                           .clock = [] { return makeDateTime(2013, 6, 24, 9, 30, 0); },
                           .dataDirectory = dir.path().toStdString(),
                           .wait = [](int32_t) {},
                           .kdfLimits = KdfLimits::forTests(),
                           .selectedMonthText = {}});
        if (!window->startedUp()) state.SkipWithError("the start-up stopped at the gate");
        state.PauseTiming();
        window.reset();  // the shutdown saves the settings: not part of start-up
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUp)->Arg(0)->Arg(bench::kTenYears)->Unit(benchmark::kMillisecond);

void BM_BareTabWindow(benchmark::State& state) {
    for (auto _ : state) {
        QWidget window;
        auto* tabs = new QTabWidget(&window);
        for (const char* title : {"1", "2", "3", "4"}) tabs->addTab(new QWidget, title);
        benchmark::DoNotOptimize(tabs);
    }
}
BENCHMARK(BM_BareTabWindow)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace paylog

int main(int argc, char** argv) { return paylog::bench::runWindowBenchmarks(argc, argv); }
