#include "calendar/lunar_calendar.h"

#include <gtest/gtest.h>

#include "core/date_time.h"

namespace paylog {
namespace {

DateTime at(int32_t y, int32_t m, int32_t d, int32_t h = 0, int32_t min = 0, int32_t s = 0) {
    return makeDateTime(y, m, d, h, min, s);
}

// ---- toLunarDate ----

struct LunarDateCase {
    const char* name;
    DateTime when;
    LunarDate expected;
};

class ToLunarDate : public testing::TestWithParam<LunarDateCase> {};

TEST_P(ToLunarDate, GivesTheLunarDateOfTheDay) {
    LunarDate lunar;
    ASSERT_TRUE(toLunarDate(GetParam().when, lunar));
    EXPECT_EQ(lunar, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Days, ToLunarDate,
    testing::Values(LunarDateCase{"FirstDayOfTheRange", at(1901, 2, 19), {1901, 1, 1, false}},
                    LunarDateCase{"LastDayOfTheRange", at(2048, 12, 31), {2048, 11, 27, false}},
                    LunarDateCase{"Noon", at(2013, 6, 23, 12), {2013, 5, 16, false}},
                    LunarDateCase{"LeapFourthMonth", at(2012, 5, 21), {2012, 4, 1, true}},
                    LunarDateCase{
                        "FourthMonthBeforeItsLeapMonth", at(2012, 5, 20), {2012, 4, 30, false}},
                    LunarDateCase{"LastDayOfTheYear", at(2013, 2, 9), {2012, 12, 29, false}},
                    // The day is that of the second-rounded value, as everywhere else.
                    LunarDateCase{"HalfASecondBeforeMidnightIsTheNextDay",
                                  41448.0 + 86399.5 / 86400,
                                  {2013, 5, 17, false}}),
    [](const auto& info) { return info.param.name; });

TEST(ToLunarDate, OutsideTheRangeFailsAndLeavesTheDateAlone) {
    const LunarDate untouched{1234, 5, 6, true};
    for (const DateTime when :
         {at(1901, 2, 18), at(2049, 1, 1), at(1900, 1, 31), 0.0, kMinDateTime, kMaxDateTime}) {
        LunarDate lunar = untouched;
        EXPECT_FALSE(toLunarDate(when, lunar)) << when;
        EXPECT_EQ(lunar, untouched) << when;
    }
}

// ---- lunarMonthLength ----

struct MonthLengthCase {
    const char* name;
    int32_t year, month;
    bool leap;
    int32_t expected;
};

class LunarMonthLength : public testing::TestWithParam<MonthLengthCase> {};

TEST_P(LunarMonthLength, IsTheMonthsDaysOrZero) {
    const MonthLengthCase& c = GetParam();
    EXPECT_EQ(lunarMonthLength(c.year, c.month, c.leap), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Months, LunarMonthLength,
    testing::Values(MonthLengthCase{"LongMonth", 2013, 5, false, 30},
                    MonthLengthCase{"ShortMonth", 2013, 4, false, 29},
                    MonthLengthCase{"LeapMonth", 2012, 4, true, 29},
                    MonthLengthCase{"MonthBeforeItsLeapMonth", 2012, 4, false, 30},
                    MonthLengthCase{"LeapFlagOnAMonthWithoutLeap", 2012, 5, true, 0},
                    MonthLengthCase{"LeapFlagInAYearWithoutLeap", 2013, 4, true, 0},
                    MonthLengthCase{"LastYearOffered", 2049, 12, false, 29},
                    MonthLengthCase{"YearBeforeTheRange", 1900, 1, false, 0},
                    MonthLengthCase{"YearAfterTheRange", 2050, 1, false, 0},
                    MonthLengthCase{"MonthZero", 2013, 0, false, 0},
                    MonthLengthCase{"MonthThirteen", 2013, 13, false, 0}),
    [](const auto& info) { return info.param.name; });

// ---- solarTermOfLunarDate ----

TEST(SolarTermOfLunarDate, NamesTheTermOnThatDay) {
    // 清明 2013 fell at 23:02 on 4 April, lunar 2013-2-24.
    const std::optional<SolarTerm> term = solarTermOfLunarDate({2013, 2, 24, false});
    ASSERT_TRUE(term.has_value());
    EXPECT_EQ(utf8(term->name), "清明");
    EXPECT_EQ(term->number, 5);
}

TEST(SolarTermOfLunarDate, DayWithoutTermGivesEmptyNameAndZero) {
    const std::optional<SolarTerm> term = solarTermOfLunarDate({2013, 2, 25, false});
    ASSERT_TRUE(term.has_value());
    EXPECT_EQ(term->name, "");
    EXPECT_EQ(term->number, 0);
}

TEST(SolarTermOfLunarDate, DateThatDoesNotExistGivesNoAnswer) {
    const LunarDate missing[] = {
        {2013, 2, 30, false},  // the second month of 2013 has 29 days
        {2013, 4, 1, true},    // 2013 has no leap month
        {2013, 13, 1, false}, {2013, 1, 0, false}, {1900, 6, 1, false},  // before the range
        {2048, 12, 1, false},  // 2049-01-04, after the range
    };
    for (const LunarDate& d : missing)
        EXPECT_FALSE(solarTermOfLunarDate(d).has_value())
            << d.year << "-" << d.month << "-" << d.day << (d.leap ? " leap" : "");
}

// ---- lunarDateText ----

struct DateTextCase {
    const char* name;
    DateTime when;
    const char* expected;  // UTF-8
};

class LunarDateText : public testing::TestWithParam<DateTextCase> {};

TEST_P(LunarDateText, ReadsAsExpected) {
    EXPECT_EQ(utf8(lunarDateText(GetParam().when)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    InRange, LunarDateText,
    testing::Values(
        DateTextCase{"Noon", at(2013, 6, 23, 12), "癸巳年(蛇)五月十六 2013-6-23"},
        DateTextCase{"YearNameChangesBeforeTheLunarNewYear", at(2013, 2, 5),
                     "癸巳年(蛇)腊月廿五 2013-2-5"},
        DateTextCase{"LeapMonth", at(2012, 5, 21), "壬辰年(龙)闰四月初一 2012-5-21"},
        DateTextCase{"LeapEighthMonth", at(1995, 9, 25), "乙亥年(猪)闰八月初一 1995-9-25"},
        DateTextCase{"EleventhMonth", at(2012, 12, 13), "壬辰年(龙)冬月初一 2012-12-13"},
        DateTextCase{"TenthDay", at(2013, 6, 17), "癸巳年(蛇)五月初十 2013-6-17"},
        DateTextCase{"EleventhDay", at(2013, 6, 18), "癸巳年(蛇)五月十一 2013-6-18"},
        DateTextCase{"NineteenthDay", at(2013, 6, 26), "癸巳年(蛇)五月十九 2013-6-26"},
        DateTextCase{"TwentiethDay", at(2013, 6, 27), "癸巳年(蛇)五月二十 2013-6-27"},
        DateTextCase{"TwentyFirstDay", at(2013, 6, 28), "癸巳年(蛇)五月廿一 2013-6-28"},
        DateTextCase{"TwentyNinthDay", at(2013, 7, 6), "癸巳年(蛇)五月廿九 2013-7-6"},
        DateTextCase{"ThirtiethDay", at(2013, 3, 11), "癸巳年(蛇)正月三十 2013-3-11"}),
    [](const auto& info) { return info.param.name; });

// 立春 2013 fell at 00:13:25 on 4 February; the year's name changes at that
// second, not at the start of the day.
INSTANTIATE_TEST_SUITE_P(
    StartOfSpring, LunarDateText,
    testing::Values(
        DateTextCase{"MinuteBefore", at(2013, 2, 4, 0, 12), "壬辰年(龙)腊月廿四 2013-2-4"},
        DateTextCase{"SecondBefore", at(2013, 2, 4, 0, 13, 24), "壬辰年(龙)腊月廿四 2013-2-4"},
        DateTextCase{"AtTheMoment", at(2013, 2, 4, 0, 13, 25), "癸巳年(蛇)腊月廿四 2013-2-4"},
        DateTextCase{"MinuteAfter", at(2013, 2, 4, 0, 14), "癸巳年(蛇)腊月廿四 2013-2-4"}),
    [](const auto& info) { return info.param.name; });

// Without a lunar date the text keeps the year's name and the Gregorian date.
INSTANTIATE_TEST_SUITE_P(
    OutsideTheRange, LunarDateText,
    testing::Values(
        DateTextCase{"BeforeTheFirstDay", at(1901, 2, 18), "辛丑年(牛) 1901-2-18"},
        DateTextCase{"StartOfTheTable", at(1900, 1, 1), "己亥年(猪) 1900-1-1"},
        DateTextCase{"BeforeStartOfSpring2049", at(2049, 2, 3, 17, 53), "戊辰年(龙) 2049-2-3"},
        DateTextCase{"AfterStartOfSpring2049", at(2049, 2, 3, 17, 54), "己巳年(蛇) 2049-2-3"},
        DateTextCase{"BeyondTheTableBeforeFourthFebruary", at(2100, 2, 3, 23, 59),
                     "己未年(羊) 2100-2-3"},
        DateTextCase{"BeyondTheTableOnFourthFebruary", at(2100, 2, 4), "庚申年(猴) 2100-2-4"},
        DateTextCase{"UnsetDate", 0.0, "己亥年(猪) 1899-12-30"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace paylog
