// Writes a small example data directory for the screenshots: an October of
// overtime log records under a password, and a settings file with matching
// wage inputs, both through the program's own log and settings code so that
// the program opens them as its own.
// Usage: make_example_log DATA_DIRECTORY PASSWORD
// Prints the local date and time at which the pictures are to be taken
// ("YYYY-MM-DD HH:MM:SS"): the log's last day, so that the pay page sums the
// example month.

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings_file.h"
#include "core/date_time.h"
#include "core/text.h"
#include "log/log_password.h"
#include "log/month_totals.h"
#include "log/overtime_log.h"
#include "log/record_day.h"
#include "log/record_store.h"

namespace paylog {
namespace {

// October 2024: the National Day week (1st to 3rd statutory holidays, 4th to
// 7th rest days), the make-up working Saturday on the 12th, and a week of
// night shifts.
constexpr int32_t kYear = 2024;
constexpr int32_t kMonth = 10;
constexpr int32_t kHourTaken = 18;
constexpr int32_t kMinuteTaken = 30;

struct ExampleDay {
    int32_t day;
    std::optional<EntryKind> kind;  // none for a remark
    const char* comboText;          // UTF-8: hours, or the remark
    bool nightShift;
};

// In date order, one a day, as a worker would have entered them.
const std::vector<ExampleDay>& exampleDays() {
    using enum EntryKind;
    static const std::vector<ExampleDay> kDays = {
        {1, G3, "8", false},       {2, G3, "8", false},
        {3, {}, "休息", false},    {4, G2, "8", false},
        {5, {}, "休息", false},    {6, {}, "休息", false},
        {7, G2, "10", false},      {8, G1, "2", false},
        {9, G1, "2", false},       {10, G1, "3", false},
        {11, G1, "2", false},      {12, {}, "补班", false},
        {13, {}, "休息", false},   {14, G1, "2", false},
        {15, G1, "2", false},      {16, PersonalLeave, "8", false},
        {17, G1, "2", false},      {18, G1, "3", false},
        {19, G2, "8", false},      {20, {}, "休息", false},
        {21, G1, "2", true},       {22, SickLeave, "4", false},
        {23, G1, "2", true},       {24, G1, "2", true},
        {25, G1, "3", true},       {26, G2, "10", false},
        {27, {}, "休息", false},   {28, G1, "2", false},
        {29, Absence, "2", false}, {30, G1, "2", false},
        {31, G1, "2", false},
    };
    return kDays;
}

struct WageInput {
    const char* objectName;  // UTF-8 objectName of the edit box
    const char* value;
};

// A factory worker's month; the hour boxes come from the log instead.
const std::vector<WageInput>& wageInputs() {
    static const std::vector<WageInput> kInputs = {
        {"编辑框正常工作时间工资", "4200"},
        {"编辑框考核岗位津贴", "300"},
        {"编辑框职务津贴", "0"},
        {"编辑框地区津贴", "100"},
        {"编辑框社保代扣", "462"},
        {"编辑框住房公积金代扣", "294"},
        {"编辑框伙食费代扣", "260"},
        {"编辑框住宿费代扣", "150"},
        {"编辑框技能津贴", "300"},
        {"编辑框特殊岗位津贴", "200"},
        {"编辑框其它减项", "0"},
        {"编辑框其它加项", "120"},
    };
    return kInputs;
}

bool fail(std::string_view what, std::string_view detail) {
    std::fprintf(stderr, "make_example_log: %.*s: %.*s\n", int(what.size()), what.data(),
                 int(detail.size()), detail.data());
    return false;
}

bool writeLog(RecordStore& store, const Text& password) {
    if (const StoreResult created = createLog(store); !created)
        return fail("cannot create the log", created.detail);
    if (const LogReport set = setLogPassword(store, Text(), password); !set.ok())
        return fail("cannot set the password", set.store.detail);
    for (const ExampleDay& day : exampleDays()) {
        const RecordDayResult recorded = recordDay(store, password,
                                                   {.date = makeDateTime(kYear, kMonth, day.day),
                                                    .kind = day.kind,
                                                    .comboText = gbk(day.comboText),
                                                    .nightShift = day.nightShift});
        if (recorded.status != RecordDayStatus::Added)
            return fail("cannot record day " + std::to_string(day.day),
                        recorded.report.store.detail);
    }
    return true;
}

// The wage inputs, with the hour boxes as the month totals fill them, so that
// importing them and computing gives the figures of the log.
bool writeSettings(RecordStore& store, const Text& password, const std::filesystem::path& dataDir) {
    const MonthTotals totals = loadMonthTotals(store, password, makeDateTime(kYear, kMonth, 1));
    if (!totals.report.ok()) return fail("cannot sum the month", totals.report.store.detail);
    const std::vector<BoxValue> fromLog = {
        {"编辑框1加班小时数", totals.g1Hours},     {"编辑框2加班小时数", totals.g2Hours},
        {"编辑框3加班小时数", totals.g3Hours},     {"编辑框事假时数", totals.personalLeaveHours},
        {"编辑框病假时数", totals.sickLeaveHours}, {"编辑框旷工时数", totals.absenceHours},
    };
    auto valueOf = [&fromLog](const std::string& objectName) -> std::optional<Text> {
        for (const WageInput& input : wageInputs())
            if (objectName == input.objectName) return gbk(input.value);
        for (const BoxValue& box : fromLog)
            if (objectName == box.objectName) return box.value;
        return std::nullopt;
    };

    SettingsToSave settings;
    for (size_t i = 0; i < kWageItemCount; ++i) {
        const std::string& objectName = wageItemSettings()[i].objectName;
        const std::optional<Text> value = valueOf(objectName);
        if (!value) return fail("no example value for", objectName);
        settings.wageItems[i] = *value;
    }
    settings.tax = {.method = TaxMethod::CumulativeWithholding2019,
                    .monthlySpecialDeduction = "1000"};
    if (const IniResult saved = saveSettings(dataDir, settings); !saved)
        return fail("cannot write the settings file", saved.detail);
    return true;
}

int run(const std::filesystem::path& dataDir, const Text& password) {
    RecordStore store(dataDir, KdfLimits::interactive());
    if (!writeLog(store, password) || !writeSettings(store, password, dataDir)) return 1;
    const DateTime lastDay = makeDateTime(kYear, kMonth, exampleDays().back().day);
    std::printf("%04d-%02d-%02d %02d:%02d:00\n", yearOf(lastDay), monthOf(lastDay), dayOf(lastDay),
                kHourTaken, kMinuteTaken);
    return 0;
}

}  // namespace
}  // namespace paylog

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_example_log DATA_DIRECTORY PASSWORD\n");
        return 2;
    }
    return paylog::run(argv[1], paylog::gbk(argv[2]));
}
