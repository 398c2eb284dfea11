#include <gtest/gtest.h>

#include <optional>

#include "core/date_time.h"
#include "log/log_problem.h"
#include "log/record_day.h"
#include "tests/log/overtime_log_fixture.h"

namespace paylog {
namespace {

using paylog::PrintTo;

// Monday 24 June 2013, 08:30 in the date box.
const DateTime kMonday = makeDateTime(2013, 6, 24, 8, 30);
const DateTime kMondayMidnight = makeDateTime(2013, 6, 24);

struct RecordCase {
    const char* name;
    std::optional<EntryKind> kind;
    const char* combo;  // UTF-8
    bool night;
    LogRecord stored;  // date and weekday filled in by the test
};

class RecordDayTableTest : public OvertimeLogTest,
                           public ::testing::WithParamInterface<RecordCase> {};

TEST_P(RecordDayTableTest, StoresOneRecordOfTheEntry) {
    const RecordCase& c = GetParam();
    const RecordDayResult result = recordDay(store(), "", {kMonday, c.kind, gbk(c.combo), c.night});
    EXPECT_EQ(result.status, RecordDayStatus::Added);
    EXPECT_EQ(result.report.message, gbk("加班记录添加成功！"));
    LogRecord expected = c.stored;
    expected.date = kMondayMidnight;
    expected.weekday = gbk("星期一");
    EXPECT_EQ(records(), std::vector<LogRecord>{expected});
}

LogRecord hours(int32_t g1, int32_t g2, int32_t g3, int32_t personal, int32_t sick, int32_t absence,
                int32_t night) {
    LogRecord r;
    r.g1 = g1, r.g2 = g2, r.g3 = g3, r.personalLeave = personal, r.sickLeave = sick;
    r.absence = absence, r.nightShift = night;
    return r;
}

LogRecord remark(const char* text, int32_t night) {
    LogRecord r;
    r.remark = gbk(text);
    r.nightShift = night;
    return r;
}

INSTANTIATE_TEST_SUITE_P(
    Entries, RecordDayTableTest,
    ::testing::Values(
        RecordCase{"G1_two_hours_by_day", EntryKind::G1, "2", false, hours(2, 0, 0, 0, 0, 0, 0)},
        RecordCase{"G2_at_night_keeps_flag", EntryKind::G2, "10", true,
                   hours(0, 10, 0, 0, 0, 0, 1)},
        RecordCase{"G3_at_night_keeps_flag", EntryKind::G3, "10", true,
                   hours(0, 0, 10, 0, 0, 0, 1)},
        RecordCase{"personal_leave_drops_night", EntryKind::PersonalLeave, "8", true,
                   hours(0, 0, 0, 8, 0, 0, 0)},
        RecordCase{"sick_leave_drops_night", EntryKind::SickLeave, "8", true,
                   hours(0, 0, 0, 0, 8, 0, 0)},
        RecordCase{"absence_drops_night", EntryKind::Absence, "8", true,
                   hours(0, 0, 0, 0, 0, 8, 0)},
        RecordCase{"fraction_cut_to_whole_hours", EntryKind::G1, "2.5", false,
                   hours(2, 0, 0, 0, 0, 0, 0)},
        RecordCase{"hours_with_unit", EntryKind::G2, "10小时", false, hours(0, 10, 0, 0, 0, 0, 0)},
        RecordCase{"negative_hours", EntryKind::G1, "-2", false, hours(-2, 0, 0, 0, 0, 0, 0)},
        RecordCase{"full_width_digits", EntryKind::G1, "３", false, hours(3, 0, 0, 0, 0, 0, 0)},
        RecordCase{"early_shift_keeps_night", EntryKind::G1, "早班", true, remark("早班", 1)},
        RecordCase{"early_shift_by_day", EntryKind::G1, "早班", false, remark("早班", 0)},
        RecordCase{"rest_drops_night", EntryKind::G2, "休息", true, remark("休息", 0)},
        RecordCase{"make_up_day_drops_night", EntryKind::SickLeave, "补班", true,
                   remark("补班", 0)},
        RecordCase{"zero_is_a_remark", EntryKind::G1, "0", true, remark("0", 0)},
        RecordCase{"remark_without_kind", std::nullopt, "休息", false, remark("休息", 0)},
        RecordCase{"long_remark_cut_to_20_bytes", EntryKind::G1, "今天在家休息一整天没有加班",
                   false, remark("今天在家休息一整天没", 0)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OvertimeLogTest, SecondRecordOfADateIsRefusedWhateverTheTimeAndKind) {
    ASSERT_EQ(recordDay(store(), "", {kMonday, EntryKind::G1, "2", false}).status,
              RecordDayStatus::Added);
    const RecordDayResult again = recordDay(
        store(), "", {makeDateTime(2013, 6, 24, 23, 59, 59), EntryKind::SickLeave, "8", false});
    EXPECT_EQ(again.status, RecordDayStatus::Duplicate);
    EXPECT_EQ(again.report.message, gbk("今天已经记录过了。"));
    EXPECT_EQ(records().size(), 1u);
}

TEST_F(OvertimeLogTest, NextDayIsNotADuplicate) {
    ASSERT_EQ(recordDay(store(), "", {kMonday, EntryKind::G1, "2", false}).status,
              RecordDayStatus::Added);
    EXPECT_EQ(recordDay(store(), "", {kMonday + 1, EntryKind::G1, "2", false}).status,
              RecordDayStatus::Added);
    EXPECT_EQ(records().size(), 2u);
}

TEST_F(OvertimeLogTest, HoursWithoutAKindAddNothingAndSayNothing) {
    const RecordDayResult result = recordDay(store(), "", {kMonday, std::nullopt, "8", false});
    EXPECT_EQ(result.status, RecordDayStatus::NothingTicked);
    EXPECT_TRUE(result.report.message.empty());
    EXPECT_TRUE(records().empty());
}

TEST_F(OvertimeLogTest, ProtectedLogRecordsWithItsPassword) {
    protect("pw");
    EXPECT_EQ(recordDay(store(), "pw", {kMonday, EntryKind::G1, "2", false}).status,
              RecordDayStatus::Added);
    EXPECT_EQ(records("pw").size(), 1u);
}

TEST_F(OvertimeLogTest, WrongPasswordIsNeverReportedAsAdded) {
    protect("pw");
    const RecordDayResult result =
        recordDay(store(), "other", {kMonday, EntryKind::G1, "2", false});
    EXPECT_EQ(result.status, RecordDayStatus::LogUnavailable);
    EXPECT_FALSE(result.report.message.empty());
    EXPECT_TRUE(records("pw").empty());
}

TEST_F(RemovedLogTest, RecordingReportsTheMissingLogAndCreatesNone) {
    const RecordDayResult result = recordDay(store(), "", {kMonday, EntryKind::G1, "2", false});
    EXPECT_EQ(result.status, RecordDayStatus::LogUnavailable);
    EXPECT_EQ(result.report.store.status, StoreStatus::Missing);
    EXPECT_EQ(result.report.message,
              joinTexts({gbk(""), describeLogProblem(store(), {StoreStatus::Missing, {}})}));
    EXPECT_EQ(result.report.message.rfind(gbk("找不到加班记录文件“加班.edb”。"), 0), 0u);
    EXPECT_FALSE(logExists(store()));
}

TEST_F(DamagedLogTest, RecordingLeavesTheDamagedFileAlone) {
    const RecordDayResult result = recordDay(store(), "", {kMonday, EntryKind::G1, "2", false});
    EXPECT_EQ(result.status, RecordDayStatus::LogUnavailable);
    EXPECT_EQ(result.report.store.status, StoreStatus::Damaged);
    EXPECT_EQ(fileBytes(logPath()), damaged_);
}

struct TickCase {
    const char* name;
    std::array<bool, kEntryKindCount> ticked;
    std::optional<EntryKind> first;
};

class FirstTickedEntryTest : public ::testing::TestWithParam<TickCase> {};

TEST_P(FirstTickedEntryTest, FollowsTheButtonOrder) {
    EXPECT_EQ(firstTickedEntry(GetParam().ticked), GetParam().first);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, FirstTickedEntryTest,
    ::testing::Values(
        TickCase{"none", {false, false, false, false, false, false}, std::nullopt},
        TickCase{"g1", {true, false, false, false, false, false}, EntryKind::G1},
        TickCase{"g3", {false, false, true, false, false, false}, EntryKind::G3},
        TickCase{"absence_last", {false, false, false, false, false, true}, EntryKind::Absence},
        TickCase{"g2_before_sick_leave", {false, true, false, false, true, false}, EntryKind::G2}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace paylog
