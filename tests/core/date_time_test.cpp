#include "core/date_time.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <ctime>
#include <limits>
#include <string>

#include "core/number_text.h"

namespace paylog {
namespace {

constexpr DateTime kSunday23June2013 = 41448;
constexpr double kSecond = 1.0 / 86400;

TEST(DateTimeToText, Table) {
    struct Case {
        const char* name;
        DateTime value;
        DateTextForm form;
        const char* text;  // UTF-8
    };
    const Case cases[] = {
        {"midnight shows the date alone", kSunday23June2013, DateTextForm::Full, "2013年6月23日"},
        {"hour and minute", kSunday23June2013 + 8.5 / 24, DateTextForm::Full,
         "2013年6月23日8时30分"},
        {"whole hour", kSunday23June2013 + 8.0 / 24, DateTextForm::Full, "2013年6月23日8时"},
        {"seconds show every field", kSunday23June2013 + (8 * 3600 + 9) * kSecond,
         DateTextForm::Full, "2013年6月23日8时0分9秒"},
        {"unset value", 0, DateTextForm::Full, "1899年12月30日"},
        {"earliest date", kMinDateTime, DateTextForm::Full, "100年1月1日"},
        {"above the range is limited", 2958466, DateTextForm::Full, "9999年12月31日"},
        {"far below the range is limited", -1e12, DateTextForm::Full, "100年1月1日"},
        {"undefined reads as the earliest date", undefinedNumber(), DateTextForm::Full,
         "100年1月1日"},
        {"date only drops the time", kSunday23June2013 + 8.5 / 24, DateTextForm::DateOnly,
         "2013年6月23日"},
        {"time only", (14 * 3600 + 5 * 60 + 9) * kSecond, DateTextForm::TimeOnly, "14时5分9秒"},
        {"time only at midnight", kSunday23June2013, DateTextForm::TimeOnly, "0时0分0秒"},
        {"half a second rounds up", kSunday23June2013 + 3599.5001 * kSecond, DateTextForm::Full,
         "2013年6月23日1时"},
        {"less than half a second rounds down", kSunday23June2013 + 0.4 * kSecond,
         DateTextForm::Full, "2013年6月23日"},
        {"rounding may reach the next day", kSunday23June2013 + 86399.6 * kSecond,
         DateTextForm::Full, "2013年6月24日"},
        {"negative fraction counts from the day toward zero", -0.25, DateTextForm::Full,
         "1899年12月30日6时"},
        {"negative day with a time", -1.25, DateTextForm::Full, "1899年12月29日6时"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(utf8(dateTimeToText(c.value, c.form)), c.text);
    }
}

TEST(DateTimeParts, OfAnAfternoon) {
    const DateTimeParts p = splitDateTime(kSunday23June2013 + (14 * 3600 + 5 * 60 + 9) * kSecond);
    EXPECT_EQ(p.year, 2013);
    EXPECT_EQ(p.month, 6);
    EXPECT_EQ(p.day, 23);
    EXPECT_EQ(p.hour, 14);
    EXPECT_EQ(p.minute, 5);
    EXPECT_EQ(p.second, 9);
    EXPECT_EQ(p.weekday, 1);
    const DateTime v = kSunday23June2013 + 0.75;
    EXPECT_EQ(yearOf(v), 2013);
    EXPECT_EQ(monthOf(v), 6);
    EXPECT_EQ(dayOf(v), 23);
    EXPECT_EQ(hourOf(v), 18);
    EXPECT_EQ(minuteOf(v), 0);
    EXPECT_EQ(secondOf(v), 0);
}

TEST(WeekdayOf, Table) {
    struct Case {
        const char* name;
        DateTime value;
        int32_t weekday;
    };
    const Case cases[] = {
        {"a Sunday", kSunday23June2013, 1},
        {"the Monday after", kSunday23June2013 + 1, 2},
        {"late on the Sunday", kSunday23June2013 + 0.99, 1},
        {"unset value is a Saturday", 0, 7},
        {"the Friday before it", -1, 6},
        {"earliest date, a Friday", kMinDateTime, 6},
        {"latest date, a Friday", kMaxDateTime, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(weekdayOf(c.value), c.weekday);
    }
}

TEST(WeekdayName, Table) {
    const char* names[] = {"",       "星期日", "星期一", "星期二", "星期三",
                           "星期四", "星期五", "星期六", ""};
    for (int32_t i = 0; i <= 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(utf8(weekdayName(i)), names[i]);
    }
    EXPECT_EQ(weekdayName(-1), "");
}

TEST(DaysInMonth, Table) {
    struct Case {
        const char* name;
        int32_t year, month, days;
    };
    const Case cases[] = {
        {"leap year", 2012, 2, 29},
        {"century not a leap year", 1900, 2, 28},
        {"fourth century a leap year", 2000, 2, 29},
        {"common year", 2013, 2, 28},
        {"thirty days", 2013, 4, 30},
        {"thirty-one days", 2013, 12, 31},
        {"first year", 100, 2, 28},
        {"last year", 9999, 12, 31},
        {"month too large", 2013, 13, 0},
        {"month zero", 2013, 0, 0},
        {"year too small", 99, 1, 0},
        {"year too large", 10000, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(daysInMonth(c.year, c.month), c.days);
    }
}

// Walks the whole range one day at a time: each day must follow its
// predecessor in the calendar, which checks the day-to-date conversion
// against the month lengths independently of any formula.
TEST(Calendar, EveryDayFollowsThePreviousOne) {
    DateTimeParts previous = splitDateTime(kMinDateTime);
    ASSERT_EQ(previous.year, 100);
    ASSERT_EQ(previous.month, 1);
    ASSERT_EQ(previous.day, 1);
    int failures = 0;
    for (double d = kMinDateTime + 1; d <= kMaxDateTime && failures < 5; ++d) {
        const DateTimeParts p = splitDateTime(d);
        const bool nextInMonth =
            p.year == previous.year && p.month == previous.month && p.day == previous.day + 1;
        const bool monthChanged =
            p.day == 1 && previous.day == daysInMonth(previous.year, previous.month) &&
            (p.month == previous.month + 1
                 ? p.year == previous.year
                 : p.month == 1 && previous.month == 12 && p.year == previous.year + 1);
        const bool weekdayAdvanced = p.weekday == previous.weekday % 7 + 1;
        const bool roundTrip = makeDateTime(p.year, p.month, p.day) == d;
        if (!(nextInMonth || monthChanged) || !weekdayAdvanced || !roundTrip) {
            ADD_FAILURE() << "day " << d << " is " << p.year << "-" << p.month << "-" << p.day;
            ++failures;
        }
        previous = p;
    }
    EXPECT_EQ(previous.year, 9999);
    EXPECT_EQ(previous.month, 12);
    EXPECT_EQ(previous.day, 31);
}

TEST(MakeDateTime, TimeOfDayBeforeTheEpochCountsAwayFromZero) {
    EXPECT_EQ(makeDateTime(1899, 12, 29, 6), -1.25);
    EXPECT_EQ(makeDateTime(1899, 12, 30, 6), 0.25);
    EXPECT_EQ(makeDateTime(2013, 6, 23), kSunday23June2013);
    EXPECT_EQ(makeDateTime(100, 1, 1), kMinDateTime);
    EXPECT_EQ(makeDateTime(9999, 12, 31), kMaxDateTime);
    const DateTimeParts p = splitDateTime(makeDateTime(1850, 3, 4, 23, 59, 59));
    EXPECT_EQ((std::array{p.year, p.month, p.day, p.hour, p.minute, p.second}),
              (std::array{1850, 3, 4, 23, 59, 59}));
}

TEST(DayStart, DropsTheTimeOfDay) {
    EXPECT_EQ(dayStart(kSunday23June2013 + 0.75), kSunday23June2013);
    EXPECT_EQ(dayStart(-1.25), -1);
    EXPECT_EQ(dayStart(kSunday23June2013 + 86399.6 * kSecond), kSunday23June2013 + 1);
    EXPECT_EQ(dayStart(1e9), kMaxDateTime);
}

TEST(SameDateTime, ComparesLimitedValues) {
    EXPECT_TRUE(sameDateTime(3e6, kMaxDateTime));
    EXPECT_TRUE(sameDateTime(kMinDateTime - 1, kMinDateTime));
    EXPECT_TRUE(sameDateTime(kSunday23June2013, kSunday23June2013));
    EXPECT_FALSE(sameDateTime(kSunday23June2013, kSunday23June2013 + kSecond / 10));
    EXPECT_EQ(limitDateTime(kSunday23June2013), kSunday23June2013);
    EXPECT_EQ(limitDateTime(undefinedNumber()), kMinDateTime);
}

TEST(TextToDateTime, Table) {
    struct Case {
        const char* name;
        std::string text;  // UTF-8
        DateTime value;
    };
    const DateTime kHalfPastEight = kSunday23June2013 + 8.5 / 24;
    const DateTime kWithSeconds = kSunday23June2013 + (8 * 3600 + 30 * 60 + 15) * kSecond;
    const Case cases[] = {
        {"slashes", "2013/6/23", kSunday23June2013},
        {"Chinese separators", "2013年6月23日", kSunday23June2013},
        {"full-width digits", "２０１３年６月２３日", kSunday23June2013},
        {"full-width hyphens", "２０１３－０６－２３", kSunday23June2013},
        {"leap day", "2012/2/29", 40968},
        {"digits only", "20130623", kSunday23June2013},
        {"points", "2013.6.23", kSunday23June2013},
        {"trailing separator", "2013/6/23/", kSunday23June2013},
        {"date and time", "2013-06-23 08:30", kHalfPastEight},
        {"Chinese time", "2013年6月23日8时30分", kHalfPastEight},
        {"seconds", "2013/6/23 8:30:15", kWithSeconds},
        {"text after the second mark ignored", "2013年6月23日8时30分15秒左右", kWithSeconds},
        {"earliest date", "100/1/1", kMinDateTime},
        {"latest date", "9999/12/31", kMaxDateTime},
        {"no leap day", "2013/2/29", kMinDateTime},
        {"empty", "", kMinDateTime},
        {"no such day", "2013/2/30", kMinDateTime},
        {"missing day", "2013/6", kMinDateTime},
        {"two-digit year", "13/6/23", kMinDateTime},
        {"month thirteen", "2013/13/1", kMinDateTime},
        {"empty month", "2013//23", kMinDateTime},
        {"hour 24", "2013/6/23 24:00", kMinDateTime},
        {"minute 60", "2013/6/23 23:60", kMinDateTime},
        {"second 60", "2013/6/23 23:59:60", kMinDateTime},
        {"text after the second", "2013/6/23 8:30:15x", kMinDateTime},
        {"text after the day", "2013/6/23abc", kMinDateTime},
        {"space after the year", "2013 6 23", kMinDateTime},
        {"two separators", "2013//6/23", kMinDateTime},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(textToDateTime(gbk(c.text)), c.value);
    }
}

TEST(SystemDateTime, IsTheLocalClockInWholeSeconds) {
    const std::time_t before = std::time(nullptr);
    const DateTime now = systemDateTime();
    const std::time_t after = std::time(nullptr);
    const double seconds = now * 86400;
    EXPECT_NEAR(seconds, std::round(seconds), 1e-3);

    std::tm local{};
    localtime_r(&before, &local);
    const DateTime earliest = makeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                           local.tm_hour, local.tm_min, local.tm_sec);
    EXPECT_GE(now, earliest - kSecond / 2);
    EXPECT_LE(now, earliest + (after - before + 0.5) * kSecond);
}

}  // namespace
}  // namespace paylog
