#include "core/date_time.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <ctime>

#include "core/number_text.h"

namespace paylog {
namespace {

using std::chrono::days;
using std::chrono::sys_days;
using std::chrono::year_month_day;

constexpr int64_t kSecondsPerDay = 86400;
constexpr sys_days kEpoch = sys_days(std::chrono::year(1899) / 12 / 30);

// A limited value as whole seconds, rounded half away from zero. The product
// with 86400 is exact in extended precision, so no second is lost to
// rounding error before the half second is added.
int64_t roundedSeconds(DateTime v) {
    const long double seconds = static_cast<long double>(limitDateTime(v)) * kSecondsPerDay;
    return static_cast<int64_t>(seconds + (seconds < 0 ? -0.5L : 0.5L));
}

// The day counts toward zero and the time of day from the magnitude of the
// rest, so -1.25 is the day before the epoch at 06:00.
int64_t dayNumber(int64_t seconds) { return seconds / kSecondsPerDay; }
int64_t secondOfDay(int64_t seconds) {
    const int64_t rest = seconds % kSecondsPerDay;
    return rest < 0 ? -rest : rest;
}

int32_t weekdayOfDay(int64_t day) {
    return static_cast<int32_t>(std::chrono::weekday(kEpoch + days(day)).c_encoding()) + 1;
}

// Reads at most maxDigits decimal digits at pos; none gives 0.
int32_t readDigits(std::string_view s, size_t& pos, int maxDigits) {
    int32_t value = 0;
    for (int n = 0; n < maxDigits && pos < s.size() && s[pos] >= '0' && s[pos] <= '9'; ++n)
        value = value * 10 + (s[pos++] - '0');
    return value;
}

// Skips one separator at pos when it is one of the ASCII ones or the given
// two-byte character.
void skipSeparator(std::string_view s, size_t& pos, std::string_view ascii, const Text& wide) {
    if (pos < s.size() && ascii.find(s[pos]) != std::string_view::npos) {
        ++pos;
    } else if (s.substr(pos).starts_with(wide)) {
        pos += wide.size();
    }
}

Text timeText(const DateTimeParts& p, int fields) {
    static const Text kHour = gbk("时");
    static const Text kMinute = gbk("分");
    static const Text kSecond = gbk("秒");
    Text out = joinTexts({intToText(p.hour), kHour});
    if (fields >= 2) out += joinTexts({intToText(p.minute), kMinute});
    if (fields >= 3) out += joinTexts({intToText(p.second), kSecond});
    return out;
}

}  // namespace

DateTime limitDateTime(DateTime v) {
    if (std::isnan(v)) return kMinDateTime;  // no date at all reads as the earliest one
    if (v > kMaxDateTime) return kMaxDateTime;
    if (v < kMinDateTime) return kMinDateTime;
    return v;
}

DateTimeParts splitDateTime(DateTime v) {
    const int64_t seconds = roundedSeconds(v);
    const int64_t day = dayNumber(seconds);
    const year_month_day date(kEpoch + days(day));
    const auto time = static_cast<int32_t>(secondOfDay(seconds));
    return {static_cast<int32_t>(date.year()),
            static_cast<int32_t>(static_cast<unsigned>(date.month())),
            static_cast<int32_t>(static_cast<unsigned>(date.day())),
            time / 3600,
            time / 60 % 60,
            time % 60,
            weekdayOfDay(day)};
}

int32_t yearOf(DateTime v) { return splitDateTime(v).year; }
int32_t monthOf(DateTime v) { return splitDateTime(v).month; }
int32_t dayOf(DateTime v) { return splitDateTime(v).day; }
int32_t weekdayOf(DateTime v) { return weekdayOfDay(dayNumber(roundedSeconds(v))); }
int32_t hourOf(DateTime v) { return splitDateTime(v).hour; }
int32_t minuteOf(DateTime v) { return splitDateTime(v).minute; }
int32_t secondOf(DateTime v) { return splitDateTime(v).second; }

int32_t daysInMonth(int32_t year, int32_t month) {
    static constexpr std::array<int32_t, 12> kLengths{31, 28, 31, 30, 31, 30,
                                                      31, 31, 30, 31, 30, 31};
    if (year < 100 || year > 9999 || month < 1 || month > 12) return 0;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return kLengths[month - 1] + (month == 2 && leap ? 1 : 0);
}

DateTime makeDateTime(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
                      int32_t second) {
    const sys_days date(std::chrono::year(year) / static_cast<unsigned>(month) /
                        static_cast<unsigned>(day));
    const auto dayCount = static_cast<long double>((date - kEpoch).count());
    const long double fraction =
        static_cast<long double>(hour * 3600 + minute * 60 + second) / kSecondsPerDay;
    // Before the epoch the time of day is counted away from zero as well.
    return static_cast<double>(dayCount < 0 ? dayCount - fraction : dayCount + fraction);
}

DateTime dayStart(DateTime v) { return static_cast<double>(dayNumber(roundedSeconds(v))); }

bool sameDateTime(DateTime a, DateTime b) { return limitDateTime(a) == limitDateTime(b); }

Text dateTimeToText(DateTime v, DateTextForm form) {
    static const Text kYear = gbk("年");
    static const Text kMonth = gbk("月");
    static const Text kDay = gbk("日");
    const DateTimeParts p = splitDateTime(v);
    if (form == DateTextForm::TimeOnly) return timeText(p, 3);
    Text out =
        joinTexts({intToText(p.year), kYear, intToText(p.month), kMonth, intToText(p.day), kDay});
    if (form == DateTextForm::Full) {
        // Only as much of the time as is not zero.
        const int fields = p.second != 0 ? 3 : p.minute != 0 ? 2 : p.hour != 0 ? 1 : 0;
        if (fields > 0) out += timeText(p, fields);
    }
    return out;
}

DateTime textToDateTime(std::string_view t) {
    static const std::array<Text, 5> kWideSeparators{gbk("年"), gbk("月"), gbk("日"), gbk("时"),
                                                     gbk("分")};
    static const Text kSecond = gbk("秒");
    static constexpr std::array<std::string_view, 5> kAsciiSeparators{"/-:.", "/-:.", "/-:. ",
                                                                      "/-:.", "/-:."};
    const Text s = normaliseFullWidth(t);
    size_t pos = 0;
    std::array<int32_t, 6> f{};  // year, month, day, hour, minute, second
    for (size_t i = 0; i < f.size(); ++i) {
        f[i] = readDigits(s, pos, i == 0 ? 4 : 2);
        if (i < kWideSeparators.size())
            skipSeparator(s, pos, kAsciiSeparators[i], kWideSeparators[i]);
    }
    const bool endsWell = pos == s.size() || std::string_view(s).substr(pos).starts_with(kSecond);
    // daysInMonth is 0 for a year or month out of range, which no day fits.
    const bool valid = endsWell && f[2] >= 1 && f[2] <= daysInMonth(f[0], f[1]) && f[3] <= 23 &&
                       f[4] <= 59 && f[5] <= 59;
    return valid ? makeDateTime(f[0], f[1], f[2], f[3], f[4], f[5]) : kMinDateTime;
}

Text weekdayName(int32_t weekday) {
    static const std::array<Text, 7> kNames{gbk("星期日"), gbk("星期一"), gbk("星期二"),
                                            gbk("星期三"), gbk("星期四"), gbk("星期五"),
                                            gbk("星期六")};
    if (weekday < 1 || weekday > 7) return {};
    return kNames[weekday - 1];
}

DateTime systemDateTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return makeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                        local.tm_min, std::min(local.tm_sec, 59));
}

}  // namespace paylog
