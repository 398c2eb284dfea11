#include "calendar/holidays.h"

#include <array>
#include <optional>

#include "calendar/calendar_days.h"
#include "core/number_text.h"

namespace paylog {
namespace {

// One bit per holiday test, so that a law can name the tests it keeps.
enum TestBit : uint32_t {
    kNewYearsDay = 1u << 0,
    kSpringFestivalEve = 1u << 1,
    kSpringFestival = 1u << 2,
    kSpringFestivalDay2 = 1u << 3,
    kSpringFestivalDay3 = 1u << 4,
    kQingming = 1u << 5,
    kLabourDay = 1u << 6,
    kLabourDay2 = 1u << 7,
    kDragonBoatFestival = 1u << 8,
    kMidAutumnFestival = 1u << 9,
    kNationalDay = 1u << 10,
    kNationalDay2 = 1u << 11,
    kNationalDay3 = 1u << 12,
};

enum class DayRule { Gregorian, Lunar, LastDayOfTwelfthMonth, SolarTerm };

struct HolidayTest {
    TestBit bit;
    DayRule rule;
    int32_t month;  // Gregorian or lunar month; the term number for SolarTerm
    int32_t day;
    const char* name;  // UTF-8; empty for days that add to the count only
};

// The tests run for every day in this order; each that holds adds a day and
// puts its name in front of the names found so far. The third day of the
// Spring Festival follows the second, and 2 May follows 1 May.
constexpr std::array<HolidayTest, 13> kHolidayTests{{
    {kNewYearsDay, DayRule::Gregorian, 1, 1, "元旦 "},
    {kSpringFestivalEve, DayRule::LastDayOfTwelfthMonth, 12, 0, "除夕 "},
    {kSpringFestival, DayRule::Lunar, 1, 1, "春节 "},
    {kSpringFestivalDay2, DayRule::Lunar, 1, 2, "正月初二 "},
    {kSpringFestivalDay3, DayRule::Lunar, 1, 3, "正月初三 "},
    {kQingming, DayRule::SolarTerm, 5, 0, "清明 "},
    {kLabourDay, DayRule::Gregorian, 5, 1, "劳动节 "},
    {kLabourDay2, DayRule::Gregorian, 5, 2, ""},
    {kDragonBoatFestival, DayRule::Lunar, 5, 5, "端午节 "},
    {kMidAutumnFestival, DayRule::Lunar, 8, 15, "中秋节 "},
    {kNationalDay, DayRule::Gregorian, 10, 1, "国庆 "},
    {kNationalDay2, DayRule::Gregorian, 10, 2, ""},
    {kNationalDay3, DayRule::Gregorian, 10, 3, ""},
}};

constexpr uint32_t kLawUntil2013 = kNewYearsDay | kSpringFestivalEve | kSpringFestival |
                                   kSpringFestivalDay2 | kQingming | kLabourDay |
                                   kDragonBoatFestival | kMidAutumnFestival | kNationalDay |
                                   kNationalDay2 | kNationalDay3;

// The holiday law by the Gregorian year of the month: each row holds from its
// first year until the next row. A change of the law is one more row.
struct HolidayLaw {
    int32_t firstYear;
    uint32_t tests;
};
constexpr std::array<HolidayLaw, 3> kHolidayLaws{{
    {0, kLawUntil2013},  // every year before 2014
    {2014, (kLawUntil2013 & ~kSpringFestivalEve) | kSpringFestivalDay3},
    {2025, kLawUntil2013 | kSpringFestivalDay3 | kLabourDay2},
}};

uint32_t testsInForce(int32_t year) {
    uint32_t tests = 0;
    for (const HolidayLaw& law : kHolidayLaws)
        if (year >= law.firstYear) tests = law.tests;
    return tests;
}

const Text& testName(size_t index) {
    static const std::array<Text, kHolidayTests.size()> kNames = [] {
        std::array<Text, kHolidayTests.size()> names;
        for (size_t i = 0; i < names.size(); ++i) names[i] = gbk(kHolidayTests[i].name);
        return names;
    }();
    return kNames[index];
}

// What the tests look at for one day. Without a lunar date (outside the
// calendar's range) neither the lunar tests nor the solar term hold.
struct ExaminedDay {
    int32_t month, day;
    std::optional<LunarDay> lunar;
    int32_t solarTerm;
};

bool holds(const HolidayTest& test, const ExaminedDay& d) {
    switch (test.rule) {
        case DayRule::Gregorian:
            return d.month == test.month && d.day == test.day;
        case DayRule::Lunar:
            return d.lunar && d.lunar->date.month == test.month && d.lunar->date.day == test.day;
        case DayRule::LastDayOfTwelfthMonth:
            return d.lunar && d.lunar->date.month == test.month &&
                   d.lunar->date.day == d.lunar->monthLength;
        case DayRule::SolarTerm:
            return d.solarTerm == test.month;
    }
    return false;
}

}  // namespace

MonthHolidays monthHolidays(DateTime v) {
    const DateTimeParts p = splitDateTime(v);
    const uint32_t tests = testsInForce(p.year);
    const int32_t firstDay = dayNumberOf(makeDateTime(p.year, p.month, 1));
    MonthHolidays result;
    for (int32_t d = 1, n = daysInMonth(p.year, p.month); d <= n; ++d) {
        const int32_t day = firstDay + d - 1;
        ExaminedDay examined{p.month, d, lunarDayOf(day), 0};
        if (examined.lunar) examined.solarTerm = solarTermNumberOn(day);
        for (size_t i = 0; i < kHolidayTests.size(); ++i) {
            if ((tests & kHolidayTests[i].bit) == 0 || !holds(kHolidayTests[i], examined)) continue;
            ++result.dayCount;
            result.names.insert(0, testName(i));
        }
    }
    return result;
}

Text holidaysOfMonth(DateTime v) {
    MonthHolidays h = monthHolidays(v);
    return h.names + intToText(h.dayCount);
}

}  // namespace paylog
