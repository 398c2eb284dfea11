#include "calendar/holidays.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "calendar_csv.h"
#include "core/date_time.h"

namespace paylog {
namespace {

struct MonthCase {
    const char* name;
    int32_t year, month;
    const char* expected;  // UTF-8
};

class HolidaysOfMonth : public testing::TestWithParam<MonthCase> {};

TEST_P(HolidaysOfMonth, NamesLatestFirstThenTheDayCount) {
    const MonthCase& c = GetParam();
    EXPECT_EQ(utf8(holidaysOfMonth(makeDateTime(c.year, c.month, 1))), c.expected);
}

// Years up to 2013: the eve, first and second day of the Spring Festival,
// 1 May, and the rest of the year's holidays.
INSTANTIATE_TEST_SUITE_P(
    LawUntil2013, HolidaysOfMonth,
    testing::Values(MonthCase{"March2013HasNone", 2013, 3, "0"},
                    MonthCase{"January2012NewYearAndSpringFestival", 2012, 1,
                              "正月初二 春节 除夕 元旦 4"},
                    MonthCase{"February2013SpringFestival", 2013, 2, "正月初二 春节 除夕 3"},
                    MonthCase{"April2013Qingming", 2013, 4, "清明 1"},
                    MonthCase{"October2013NationalDay", 2013, 10, "国庆 3"},
                    MonthCase{"September2013MidAutumn", 2013, 9, "中秋节 1"},
                    MonthCase{"June2013DragonBoat", 2013, 6, "端午节 1"},
                    MonthCase{"May2013LabourDay", 2013, 5, "劳动节 1"},
                    MonthCase{"June2009FifthDayOfLeapFifthMonthCountsAgain", 2009, 6, "端午节 1"},
                    MonthCase{"October1995FifteenthOfLeapEighthMonth", 1995, 10, "中秋节 国庆 4"},
                    MonthCase{"February1901EveBeforeTheRange", 1901, 2, "正月初二 春节 2"},
                    MonthCase{"October2049OutsideTheRangeGregorianOnly", 2049, 10, "国庆 3"},
                    MonthCase{"March2049OutsideTheRange", 2049, 3, "0"}),
    [](const auto& info) { return info.param.name; });

// 2014 to 2024: first, second and third day of the Spring Festival, no eve.
INSTANTIATE_TEST_SUITE_P(
    Law2014To2024, HolidaysOfMonth,
    testing::Values(
        MonthCase{"January2014EveNotCounted", 2014, 1, "春节 元旦 2"},
        MonthCase{"February2014SecondAndThirdDay", 2014, 2, "正月初三 正月初二 2"},
        MonthCase{"February2015ThirdDayCountedEveNot", 2015, 2, "正月初三 正月初二 春节 3"},
        MonthCase{"October2020MidAutumnOnNationalDayCountsTwice", 2020, 10, "国庆 中秋节 4"},
        MonthCase{"May2024OneDay", 2024, 5, "劳动节 1"}),
    [](const auto& info) { return info.param.name; });

// From 2025: eve and three days of the Spring Festival, 1 and 2 May.
INSTANTIATE_TEST_SUITE_P(
    LawFrom2025, HolidaysOfMonth,
    testing::Values(MonthCase{"January2025FiveDays", 2025, 1, "正月初三 正月初二 春节 除夕 元旦 5"},
                    MonthCase{"May2025TwoDaysAndDragonBoat", 2025, 5, "端午节 劳动节 3"},
                    MonthCase{"February2026FourDays", 2026, 2, "正月初三 正月初二 春节 除夕 4"},
                    MonthCase{"May2026TwoDays", 2026, 5, "劳动节 2"},
                    MonthCase{"January2028FiveDays", 2028, 1, "正月初三 正月初二 春节 除夕 元旦 5"},
                    MonthCase{"May2049OutsideTheRange", 2049, 5, "劳动节 2"}),
    [](const auto& info) { return info.param.name; });

TEST(HolidaysOfMonthInput, OnlyYearAndMonthMatter) {
    const Text expected = holidaysOfMonth(makeDateTime(2013, 5, 1));
    EXPECT_EQ(holidaysOfMonth(makeDateTime(2013, 5, 31)), expected);
    EXPECT_EQ(holidaysOfMonth(makeDateTime(2013, 5, 17, 23, 59, 59)), expected);
}

TEST(MonthHolidays, SplitsNamesFromTheCount) {
    const MonthHolidays h = monthHolidays(makeDateTime(2012, 1, 15));
    EXPECT_EQ(utf8(h.names), "正月初二 春节 除夕 元旦 ");
    EXPECT_EQ(h.dayCount, 4);
    const MonthHolidays none = monthHolidays(makeDateTime(2013, 3, 15));
    EXPECT_EQ(none.names, "");
    EXPECT_EQ(none.dayCount, 0);
}

// A second, plain reading of the rules straight from the reference tables,
// for every month of 1900..2050.
class ReferenceHolidays {
  public:
    ReferenceHolidays() {
        // The calendar converts 1901-02-19 .. 2048-12-31 only.
        const auto inRange = [](int32_t day) {
            return day >= makeDateTime(1901, 2, 19) && day <= makeDateTime(2048, 12, 31);
        };
        for (const test::CsvLunarMonth& m : test::readLunarMonths())
            for (int32_t d = 1; d <= m.length; ++d)
                if (inRange(m.firstDay + d - 1))
                    lunar_[m.firstDay + d - 1] = {m.month, d, m.length};
        for (const test::CsvSolarTerm& t : test::readSolarTerms())
            if (t.number == 5 && inRange(t.dayNumber)) qingming_.insert(t.dayNumber);
    }

    std::string holidaysOf(int32_t year, int32_t month) const {
        std::string names;
        int count = 0;
        const auto add = [&](bool holds, const char* name) {
            if (!holds) return;
            ++count;
            names = name + names;
        };
        const bool eve = year <= 2013 || year >= 2025;
        const bool thirdDay = year >= 2014;
        const bool secondOfMay = year >= 2025;
        for (int32_t d = 1; d <= daysInMonth(year, month); ++d) {
            const auto day = static_cast<int32_t>(makeDateTime(year, month, d));
            const auto found = lunar_.find(day);
            const Lunar l = found != lunar_.end() ? found->second : Lunar{};
            add(month == 1 && d == 1, "元旦 ");
            add(eve && l.month == 12 && l.day == l.length, "除夕 ");
            add(l.month == 1 && l.day == 1, "春节 ");
            add(l.month == 1 && l.day == 2, "正月初二 ");
            add(thirdDay && l.month == 1 && l.day == 3, "正月初三 ");
            add(qingming_.count(day) == 1, "清明 ");
            add(month == 5 && d == 1, "劳动节 ");
            add(secondOfMay && month == 5 && d == 2, "");
            add(l.month == 5 && l.day == 5, "端午节 ");
            add(l.month == 8 && l.day == 15, "中秋节 ");
            add(month == 10 && d == 1, "国庆 ");
            add(month == 10 && d == 2, "");
            add(month == 10 && d == 3, "");
        }
        return names + std::to_string(count);
    }

  private:
    struct Lunar {
        int32_t month = 0, day = 0, length = -1;
    };
    std::map<int32_t, Lunar> lunar_;
    std::set<int32_t> qingming_;
};

TEST(HolidaysOfMonthAgainstReferenceTables, EveryMonthOf1900To2050) {
    const ReferenceHolidays reference;
    for (int32_t year = 1900; year <= 2050; ++year)
        for (int32_t month = 1; month <= 12; ++month)
            ASSERT_EQ(utf8(holidaysOfMonth(makeDateTime(year, month, 1))),
                      reference.holidaysOf(year, month))
                << year << "-" << month;
}

}  // namespace
}  // namespace paylog
