#include "calendar/date_selection.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/date_time.h"

namespace paylog {
namespace {

// ---- countWeekdayInMonth ----

struct WeekdayCountCase {
    const char* name;
    int32_t weekdayMondayFirst;
    DateTime when;
    int32_t expected;
};

class CountWeekdayInMonth : public testing::TestWithParam<WeekdayCountCase> {};

TEST_P(CountWeekdayInMonth, CountsTheDaysOfTheMonthOnThatWeekday) {
    const WeekdayCountCase& c = GetParam();
    EXPECT_EQ(countWeekdayInMonth(c.weekdayMondayFirst, c.when), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Months, CountWeekdayInMonth,
    testing::Values(
        WeekdayCountCase{"June2013SaturdaysFromTheFirst", 6, makeDateTime(2013, 6, 1), 5},
        WeekdayCountCase{"June2013SundaysFromTheLast", 7, makeDateTime(2013, 6, 30), 5},
        WeekdayCountCase{"June2013SundaysFromAnAfternoon", 7, makeDateTime(2013, 6, 23, 14), 5},
        WeekdayCountCase{"January2012Saturdays", 6, makeDateTime(2012, 1, 15), 4},
        WeekdayCountCase{"January2012Sundays", 7, makeDateTime(2012, 1, 31), 5},
        WeekdayCountCase{"February2013Mondays", 1, makeDateTime(2013, 2, 10), 4},
        WeekdayCountCase{"NoSuchWeekday", 9, makeDateTime(2013, 6, 1), 0}),
    [](const auto& info) { return info.param.name; });

// ---- dayDefaults ----

std::vector<std::pair<EntryKind, bool>> writes(const DayDefaults& d) {
    std::vector<std::pair<EntryKind, bool>> out;
    for (const RadioWrite& w : d.radioWrites) out.emplace_back(w.kind, w.checked);
    return out;
}

TEST(DayDefaults, SundayRestsUnticksNightShiftAndLeavesTheKind) {
    const DayDefaults d = dayDefaults(makeDateTime(2013, 6, 23));
    EXPECT_TRUE(d.radioWrites.empty());
    EXPECT_EQ(utf8(d.comboText), "休息");
    EXPECT_EQ(d.nightShift, std::optional<bool>(false));
}

TEST(DayDefaults, SaturdayChecksG2FirstAndWritesG1Last) {
    const DayDefaults d = dayDefaults(makeDateTime(2013, 6, 22, 18));
    const std::vector<std::pair<EntryKind, bool>> expected{
        {EntryKind::G2, true},     {EntryKind::G3, false},
        {EntryKind::Absence, false},       {EntryKind::SickLeave, false},
        {EntryKind::PersonalLeave, false}, {EntryKind::G1, false}};
    EXPECT_EQ(writes(d), expected);
    EXPECT_EQ(d.comboText, "10");
    EXPECT_FALSE(d.nightShift.has_value());
}

TEST(DayDefaults, WorkdaysCheckG1) {
    const std::vector<std::pair<EntryKind, bool>> expected{
        {EntryKind::G1, true},  {EntryKind::G2, false},
        {EntryKind::G3, false}, {EntryKind::Absence, false},
        {EntryKind::SickLeave, false},  {EntryKind::PersonalLeave, false}};
    for (int32_t day = 24; day <= 28; ++day) {  // Monday 24 to Friday 28 June 2013
        const DayDefaults d = dayDefaults(makeDateTime(2013, 6, day));
        EXPECT_EQ(writes(d), expected) << day;
        EXPECT_EQ(d.comboText, "2") << day;
        EXPECT_FALSE(d.nightShift.has_value()) << day;
    }
}

// ---- monthLimits and monthLabelTexts ----

struct MonthLimitCase {
    const char* name;
    DateTime when;
    double g1, g2, g3, total;
    const char* holidayLabel;  // UTF-8
};

class MonthLimitsOf : public testing::TestWithParam<MonthLimitCase> {};

TEST_P(MonthLimitsOf, FollowTheWorkingDaysSaturdaysAndHolidays) {
    const MonthLimitCase& c = GetParam();
    const MonthLimits m = monthLimits(c.when);
    EXPECT_EQ(m.g1, c.g1);
    EXPECT_EQ(m.g2, c.g2);
    EXPECT_EQ(m.g3, c.g3);
    EXPECT_EQ(m.total, c.total);
    EXPECT_EQ(m.total, m.g1 + m.g2 + m.g3);
}

TEST_P(MonthLimitsOf, LabelTextsInWritingOrder) {
    const MonthLimitCase& c = GetParam();
    const MonthLabelTexts t = monthLabelTexts(c.when, "6", "10", "8", "0");
    const auto hours = [](const char* label, double v) {
        return std::string(label) + std::to_string(static_cast<int>(v)) + "小时";
    };
    EXPECT_EQ(utf8(t.g1Limit), hours("本月G1最多时数：", c.g1));
    EXPECT_EQ(utf8(t.g2Limit), hours("本月G2最多时数：", c.g2));
    EXPECT_EQ(utf8(t.overtimeSoFar), "6月已加班18小时。");
    EXPECT_EQ(utf8(t.g3Limit), hours("本月G3最多时数：", c.g3));
    EXPECT_EQ(utf8(t.totalLimit), hours("本月最多加班时数：", c.total));
    EXPECT_EQ(utf8(t.holidays), c.holidayLabel);
    EXPECT_EQ(holidayLabelText(c.when), t.holidays);
}

INSTANTIATE_TEST_SUITE_P(
    Months, MonthLimitsOf,
    testing::Values(MonthLimitCase{"June2013OneHoliday", makeDateTime(2013, 6, 23), 38, 50, 10, 98,
                                   "本月法定节假日有：端午节 "},
                    MonthLimitCase{"March2013NoHolidayLeavesTheLabelEmpty",
                                   makeDateTime(2013, 3, 5), 42, 50, 0, 92, ""},
                    MonthLimitCase{"October2013NationalDay", makeDateTime(2013, 10, 9), 40, 40, 30,
                                   110, "本月法定节假日有：国庆 "},
                    MonthLimitCase{"January2012FourHolidays", makeDateTime(2012, 1, 1), 36, 40, 40,
                                   116, "本月法定节假日有：正月初二 春节 除夕 元旦 "},
                    // 31 days, 5 Saturdays, 5 Sundays and five holiday days under the
                    // law from 2025; New Year's Day, a Saturday, counts as both.
                    MonthLimitCase{"January2028FiveHolidays", makeDateTime(2028, 1, 10), 32, 50, 50,
                                   132, "本月法定节假日有：正月初三 正月初二 春节 除夕 元旦 "}),
    [](const auto& info) { return info.param.name; });

struct OvertimeLineCase {
    const char* name;
    const char* month;
    const char *g1, *g2, *g3;  // the hour boxes' texts, UTF-8
    const char* expected;
};

class OvertimeSoFarLine : public testing::TestWithParam<OvertimeLineCase> {};

TEST_P(OvertimeSoFarLine, SumsTheHourBoxesUnderTheLoadedMonth) {
    const OvertimeLineCase& c = GetParam();
    const MonthLabelTexts t =
        monthLabelTexts(makeDateTime(2013, 6, 23), gbk(c.month), gbk(c.g1), gbk(c.g2), gbk(c.g3));
    EXPECT_EQ(utf8(t.overtimeSoFar), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, OvertimeSoFarLine,
    testing::Values(OvertimeLineCase{"WholeHours", "6", "10", "8", "0", "6月已加班18小时。"},
                    // The month is that of the last totals load, not of the date.
                    OvertimeLineCase{"MonthOfTheLastLoad", "5", "1", "2", "3", "5月已加班6小时。"},
                    OvertimeLineCase{"FractionsSumWithoutNoise", "12", "0.1", "0.2", "",
                                     "12月已加班0.3小时。"},
                    OvertimeLineCase{"FullWidthDigitsAndTrailingText", "6", "１２", "2.5小时",
                                     "abc", "6月已加班14.5小时。"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace paylog
