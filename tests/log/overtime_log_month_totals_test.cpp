#include <gtest/gtest.h>

#include "core/date_time.h"
#include "log/log_problem.h"
#include "log/month_totals.h"
#include "tests/log/overtime_log_fixture.h"

namespace paylog {
namespace {

using paylog::PrintTo;

const DateTime kJune2013 = makeDateTime(2013, 6, 15, 9, 0);

LogRecord on(int32_t year, int32_t month, int32_t day) {
    LogRecord r;
    r.date = makeDateTime(year, month, day);
    return r;
}

LogRecord nightG1(int32_t day) {
    LogRecord r = on(2013, 6, day);
    r.g1 = 2;
    r.nightShift = 1;
    return r;
}

TEST_F(OvertimeLogTest, EmptyLogShowsZerosAndNoDate) {
    const MonthTotals t = loadMonthTotals(store(), "", kJune2013);
    EXPECT_TRUE(t.report.ok());
    EXPECT_TRUE(t.report.message.empty());
    EXPECT_EQ(t.selectedMonthText, "6");
    for (const Text* box : {&t.nightAllowance, &t.g1Hours, &t.g2Hours, &t.g3Hours,
                            &t.personalLeaveHours, &t.absenceHours, &t.sickLeaveHours}) {
        EXPECT_EQ(*box, "0");
    }
    EXPECT_EQ(t.reachedLabel, gbk("当前未加班或未记录加班！！！"));
}

TEST_F(OvertimeLogTest, EachFieldGoesToItsOwnBox) {
    LogRecord a = on(2013, 6, 3);
    a.g1 = 1, a.g2 = 2, a.g3 = 3, a.personalLeave = 4, a.sickLeave = 5, a.absence = 6;
    LogRecord b = on(2013, 6, 4);
    b.g1 = 10, b.g2 = 20, b.g3 = 30, b.personalLeave = 40, b.sickLeave = 50, b.absence = 60;
    append({a, b});
    const MonthTotals t = loadMonthTotals(store(), "", kJune2013);
    EXPECT_EQ(t.g1Hours, "11");
    EXPECT_EQ(t.g2Hours, "22");
    EXPECT_EQ(t.g3Hours, "33");
    EXPECT_EQ(t.personalLeaveHours, "44");
    EXPECT_EQ(t.sickLeaveHours, "55");
    EXPECT_EQ(t.absenceHours, "66");
    EXPECT_EQ(t.nightAllowance, "0");
    EXPECT_EQ(t.reachedLabel, gbk("当前加班统计到：2013年6月4日"));
}

struct NightCase {
    const char* name;
    int nights;
    const char* allowance;
};

class NightAllowanceTest : public OvertimeLogTest,
                           public ::testing::WithParamInterface<NightCase> {};

TEST_P(NightAllowanceTest, IsFourAndAHalfPerNight) {
    for (int i = 0; i < GetParam().nights; ++i) append({nightG1(i + 1)});
    append({on(2013, 6, 20)});  // a day without the night flag adds nothing
    EXPECT_EQ(loadMonthTotals(store(), "", kJune2013).nightAllowance, GetParam().allowance);
}

INSTANTIATE_TEST_SUITE_P(Nights, NightAllowanceTest,
                         ::testing::Values(NightCase{"one", 1, "4.5"}, NightCase{"two", 2, "9"},
                                           NightCase{"three", 3, "13.5"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OvertimeLogTest, SameMonthOfAnotherYearIsNotCounted) {
    LogRecord lastYear = on(2012, 6, 10);
    lastYear.g1 = 7;
    lastYear.nightShift = 1;
    LogRecord thisYear = on(2013, 6, 10);
    thisYear.g1 = 3;
    append({lastYear, thisYear});
    const MonthTotals t = loadMonthTotals(store(), "", kJune2013);
    EXPECT_EQ(t.g1Hours, "3");
    EXPECT_EQ(t.nightAllowance, "0");
    EXPECT_EQ(loadMonthTotals(store(), "", makeDateTime(2012, 6, 1)).g1Hours, "7");
}

TEST_F(OvertimeLogTest, OtherMonthsGiveZerosButTheLabelStillShowsTheLastDate) {
    LogRecord may = on(2013, 5, 31);
    may.g2 = 10;
    LogRecord july = on(2013, 7, 1);
    july.g3 = 10;
    append({may, july});
    const MonthTotals t = loadMonthTotals(store(), "", kJune2013);
    EXPECT_EQ(t.g2Hours, "0");
    EXPECT_EQ(t.g3Hours, "0");
    EXPECT_EQ(t.reachedLabel, gbk("当前加班统计到：2013年7月1日"));
}

TEST_F(OvertimeLogTest, EarlyShiftRemarkAddsAllowanceButNoHours) {
    LogRecord early = on(2013, 6, 5);
    early.remark = gbk("早班");
    early.nightShift = 1;
    append({early});
    const MonthTotals t = loadMonthTotals(store(), "", kJune2013);
    EXPECT_EQ(t.nightAllowance, "4.5");
    EXPECT_EQ(t.g1Hours, "0");
}

TEST_F(OvertimeLogTest, LabelNamesTheLastAppendedNotTheLatestDate) {
    append({on(2013, 6, 20), on(2013, 6, 2)});
    EXPECT_EQ(loadMonthTotals(store(), "", kJune2013).reachedLabel,
              gbk("当前加班统计到：2013年6月2日"));
}

TEST_F(OvertimeLogTest, SelectedMonthHasNoLeadingZero) {
    EXPECT_EQ(loadMonthTotals(store(), "", makeDateTime(2013, 12, 31, 23, 0)).selectedMonthText,
              "12");
    EXPECT_EQ(loadMonthTotals(store(), "", makeDateTime(2014, 1, 1)).selectedMonthText, "1");
}

TEST_F(OvertimeLogTest, SumsBeyondThirtyTwoBitsAreNotWrapped) {
    LogRecord a = on(2013, 6, 1);
    a.g1 = 2000000000;
    LogRecord b = on(2013, 6, 2);
    b.g1 = 2000000000;
    append({a, b});
    EXPECT_EQ(loadMonthTotals(store(), "", kJune2013).g1Hours, "4000000000");
}

TEST_F(RemovedLogTest, TotalsSayTheLogCannotBeReadInsteadOfShowingZeros) {
    const MonthTotals t = loadMonthTotals(store(), "", kJune2013);
    EXPECT_FALSE(t.report.ok());
    EXPECT_EQ(t.report.message,
              joinTexts({gbk(""), describeLogProblem(store(), {StoreStatus::Missing, {}})}));
    EXPECT_EQ(t.report.message.rfind(gbk("找不到加班记录文件“加班.edb”。"), 0), 0u);
    EXPECT_EQ(t.selectedMonthText, "6");
    EXPECT_TRUE(t.g1Hours.empty());
    EXPECT_TRUE(t.nightAllowance.empty());
    EXPECT_EQ(t.reachedLabel, gbk("加班记录无法读取，本月加班未统计！"));
}

TEST_F(DamagedLogTest, TotalsNameTheFileAndTheBackupFolder) {
    const MonthTotals t = loadMonthTotals(store(), "", kJune2013);
    EXPECT_EQ(t.report.store.status, StoreStatus::Damaged);
    EXPECT_NE(t.report.message.find(gbk("加班.edb")), Text::npos);
    EXPECT_NE(t.report.message.find(gbk("数据库备份")), Text::npos);
    EXPECT_EQ(fileBytes(logPath()), damaged_);
}

}  // namespace
}  // namespace paylog
