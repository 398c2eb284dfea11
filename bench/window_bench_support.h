#pragma once
// What the window benchmarks share: a log of ten years of daily entries under
// a password, and dialogs that answer the password prompt with it.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>

#include "app/dialogs.h"
#include "app/program_look.h"
#include "core/date_time.h"
#include "core/text.h"
#include "log/log_password.h"
#include "log/overtime_log.h"
#include "log/record_store.h"

namespace paylog::bench {

inline constexpr int kTenYears = 3650;  // records

inline const Text& password() {
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

// `records` days from 2004-01-01 on, a mix of hours, remarks and night shifts.
inline void writeLog(const std::filesystem::path& dir, int records) {
    RecordStore store(dir, KdfLimits::forTests());
    if (!createLog(store) || !store.openTable(logTableName(), "")) std::abort();
    static const Text kRemark = gbk("休息");
    const DateTime first = makeDateTime(2004, 1, 1);
    for (int i = 0; i < records; ++i) {
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

// The window needs a QApplication with the program's look, without a display.
inline int runWindowBenchmarks(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    applyProgramLook(application);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace paylog::bench
