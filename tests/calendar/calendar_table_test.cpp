// The compiled-in calendar against the reference tables, day by day over the
// whole range the program converts.

#include "calendar/calendar_table.h"

#include <gtest/gtest.h>

#include <map>

#include "calendar/calendar_days.h"
#include "calendar/lunar_calendar.h"
#include "calendar_csv.h"
#include "core/date_time.h"

namespace paylog {
namespace {

using test::CsvLunarMonth;
using test::CsvSolarTerm;

// For failure messages.
std::string dayName(int32_t day) { return utf8(dateTimeToText(day)); }

TEST(CalendarTable, RangeIsFirstLunar1901DayToLastDayOf2048) {
    EXPECT_EQ(kFirstLunarDay, makeDateTime(1901, 2, 19));
    EXPECT_EQ(kLastLunarDay, makeDateTime(2048, 12, 31));
}

TEST(CalendarTable, EveryDayHasTheLunarDateOfTheReferenceTable) {
    const std::vector<CsvLunarMonth> months = test::readLunarMonths();
    ASSERT_FALSE(months.empty());
    int32_t daysChecked = 0;
    for (const CsvLunarMonth& m : months) {
        for (int32_t day = 1; day <= m.length; ++day) {
            const int32_t dayNumber = m.firstDay + day - 1;
            if (dayNumber < kFirstLunarDay || dayNumber > kLastLunarDay) continue;
            LunarDate lunar;
            ASSERT_TRUE(toLunarDate(dayNumber, lunar)) << dayName(dayNumber);
            const LunarDate expected{m.year, m.month, day, m.leap};
            ASSERT_EQ(lunar, expected) << dayName(dayNumber);
            ++daysChecked;
        }
    }
    // The reference months cover the range without a gap or overlap.
    EXPECT_EQ(daysChecked, kLastLunarDay - kFirstLunarDay + 1);
}

TEST(CalendarTable, MonthLengthsAreThoseOfTheReferenceTable) {
    for (const CsvLunarMonth& m : test::readLunarMonths()) {
        const int32_t expected = m.year >= 1901 ? m.length : 0;
        ASSERT_EQ(lunarMonthLength(m.year, m.month, m.leap), expected)
            << m.year << "-" << m.month << (m.leap ? " leap" : "");
    }
}

TEST(CalendarTable, SolarTermMomentsAreThoseOfTheReferenceTableToTheSecond) {
    const std::vector<CsvSolarTerm> terms = test::readSolarTerms();
    ASSERT_EQ(terms.size(), kTableYearCount * kSolarTermsPerYear);
    for (size_t i = 0; i < terms.size(); ++i) {
        const CsvSolarTerm& t = terms[i];
        const SolarTermYearRow& row = kSolarTermYears[t.year - kFirstTableYear];
        const size_t index = i % kSolarTermsPerYear;
        ASSERT_EQ(solarTermNumberAt(index), t.number) << t.name << " " << t.year;
        ASSERT_EQ(row.firstDay, makeDateTime(t.year, 1, 1));
        const int32_t seconds =
            (t.dayNumber - row.firstDay) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
        ASSERT_EQ(row.termSeconds[index], seconds) << t.name << " " << t.year;
    }
}

TEST(CalendarTable, SolarTermOfEveryDayIsThatOfTheReferenceTable) {
    std::map<int32_t, CsvSolarTerm> termOnDay;
    for (const CsvSolarTerm& t : test::readSolarTerms()) termOnDay.emplace(t.dayNumber, t);
    ASSERT_FALSE(termOnDay.empty());
    for (int32_t day = kFirstLunarDay; day <= kLastLunarDay; ++day) {
        LunarDate lunar;
        ASSERT_TRUE(toLunarDate(day, lunar));
        const std::optional<SolarTerm> term = solarTermOfLunarDate(lunar);
        ASSERT_TRUE(term.has_value()) << dayName(day);
        const auto found = termOnDay.find(day);
        if (found == termOnDay.end()) {
            ASSERT_EQ(term->number, 0) << dayName(day);
            ASSERT_EQ(term->name, "") << dayName(day);
        } else {
            ASSERT_EQ(term->number, found->second.number) << dayName(day);
            ASSERT_EQ(utf8(term->name), found->second.name) << dayName(day);
        }
    }
}

}  // namespace
}  // namespace paylog
