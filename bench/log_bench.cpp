// The record store with ten years of daily entries (3,650 records) under a
// password: the actions the window runs around every click, each of which
// should stay well inside one frame (16 ms), and the one-time key
// derivation at libsodium's INTERACTIVE cost.

#include <benchmark/benchmark.h>
#include <sodium.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/date_time.h"
#include "core/text.h"
#include "log/key_cache.h"
#include "log/log_file.h"
#include "log/record_store.h"
#include "log/table_data.h"
#include "log/table_image.h"

namespace paylog {
namespace {

constexpr int kRecords = 3650;

std::vector<FieldInfo> logFields() {
    return {
        {gbk("日期"), FieldKind::DateTime}, {gbk("G1"), FieldKind::Integer},
        {gbk("G2"), FieldKind::Integer},    {gbk("G3"), FieldKind::Integer},
        {gbk("事假"), FieldKind::Integer},  {gbk("病假"), FieldKind::Integer},
        {gbk("备注"), FieldKind::Text, 20}, {gbk("星期"), FieldKind::Text, 6},
        {gbk("夜班"), FieldKind::Integer},  {gbk("旷工"), FieldKind::Integer},
    };
}

const Text& password() {
    static const Text kPassword = gbk("十年的密码");
    return kPassword;
}

// A data directory holding the ten-year log, written once per run. Adding
// 3,650 records one save at a time would take minutes, so the file is
// assembled from the store's own parts.
class TenYearLog {
  public:
    static TenYearLog& instance() {
        static TenYearLog log;
        return log;
    }
    const std::filesystem::path& dir() const { return dir_; }

    // The log as first written, for benchmarks that let it grow.
    void restore() const {
        std::filesystem::copy_file(pristine_, dir_ / "加班.EDB",
                                   std::filesystem::copy_options::overwrite_existing);
    }

    ~TenYearLog() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

  private:
    TenYearLog() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "paylog-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        dir_ = pattern;
        pristine_ = dir_ / "pristine.bin";

        TableData table{logFields(), {}};
        const DateTime first = makeDateTime(2014, 1, 1);
        for (int day = 0; day < kRecords; ++day) {
            const DateTime date = first + day;
            const int32_t hours = day % 7 == 0 ? 8 : 2;
            table.records.push_back({date, hours, int32_t{0}, int32_t{0}, int32_t{0}, int32_t{0},
                                     day % 5 == 0 ? gbk("早班") : Text{},
                                     weekdayName(weekdayOf(date)), int32_t{day % 3 == 0},
                                     int32_t{0}});
        }
        Protection protection;
        if (!protectionFor(password(), KdfLimits::interactive(), protection)) std::abort();
        std::ofstream(pristine_, std::ios::binary)
            << encodeLogFile(tableToImage(table).image, protection);
        restore();
    }

    std::filesystem::path dir_;
    std::filesystem::path pristine_;
};

// Opening and closing the log, as every action does; the key was derived
// by an earlier open in the run.
void BM_OpenWithCachedKey(benchmark::State& state) {
    TenYearLog& log = TenYearLog::instance();
    RecordStore store(log.dir());
    if (!store.openTable(gbk("加班"), password())) state.SkipWithError("the log does not open");
    store.closeTable();
    for (auto _ : state) {
        if (!store.openTable(gbk("加班"), password())) state.SkipWithError("the log does not open");
        benchmark::DoNotOptimize(store.recordCount());
        store.closeTable();
    }
}
BENCHMARK(BM_OpenWithCachedKey)->Unit(benchmark::kMillisecond);

// One new day's entry, saved (image, encryption, write, fsync, rename)
// before addRecord returns.
void BM_AddRecord(benchmark::State& state) {
    TenYearLog& log = TenYearLog::instance();
    log.restore();
    RecordStore store(log.dir());
    if (!store.openTable(gbk("加班"), password())) state.SkipWithError("the log does not open");
    DateTime date = makeDateTime(2024, 1, 1);
    for (auto _ : state) {
        const std::vector<std::optional<FieldValue>> values = {date, int32_t{2}};
        if (!store.addRecord(values)) state.SkipWithError("the save failed");
        date += 1;
    }
    store.closeTable();
    log.restore();
}
BENCHMARK(BM_AddRecord)->Unit(benchmark::kMillisecond);

// What the month totals do: open, read the date and the seven summed fields
// of every record, close.
void BM_ReadAllRecords(benchmark::State& state) {
    TenYearLog& log = TenYearLog::instance();
    RecordStore store(log.dir());
    static const Text kSummed[] = {gbk("G1"),   gbk("G2"),   gbk("G3"),  gbk("事假"),
                                   gbk("病假"), gbk("夜班"), gbk("旷工")};
    static const Text kDate = gbk("日期");
    for (auto _ : state) {
        if (!store.openTable(gbk("加班"), password())) state.SkipWithError("the log does not open");
        int64_t sum = 0;
        for (; !store.atEnd(); store.skipRecord()) {
            sum += monthOf(store.readDate(kDate));
            for (const Text& name : kSummed) sum += store.readInt(name);
        }
        benchmark::DoNotOptimize(sum);
        store.closeTable();
    }
}
BENCHMARK(BM_ReadAllRecords)->Unit(benchmark::kMillisecond);

// The first open of a run with a password: one Argon2id derivation at
// INTERACTIVE cost. Paid once; every later open uses the kept key.
void BM_KeyDerivationInteractive(benchmark::State& state) {
    if (!sodiumReady()) state.SkipWithError("libsodium does not start");
    const KdfLimits limits = KdfLimits::interactive();
    KdfParams params{limits.opsLimit, limits.memLimit, {}};
    for (auto _ : state) {
        randombytes_buf(params.salt.data(), params.salt.size());
        if (!keyFor(password(), params)) state.SkipWithError("out of memory");
        forgetKeys(params.salt);
    }
}
BENCHMARK(BM_KeyDerivationInteractive)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace paylog
