#include "calendar/calendar_days.h"
#include "calendar/lunar_calendar.h"
#include "core/number_text.h"

namespace paylog {
namespace {

constexpr size_t kStartOfSpringIndex = 2;  // 小寒, 大寒, then 立春
constexpr int32_t kSecondsPerDay = 86400;

// Every character below is two GBK bytes, so the n-th is at 2n.
Text character(const Text& list, int32_t n) { return list.substr(2 * static_cast<size_t>(n), 2); }

int32_t positiveModulo(int32_t a, int32_t n) { return (a % n + n) % n; }

bool beforeStartOfSpring(const DateTimeParts& p, int32_t day) {
    if (const SolarTermYearRow* row = solarTermYearRow(p.year)) {
        const int64_t second = int64_t{day - row->firstDay} * kSecondsPerDay + p.hour * 3600 +
                               p.minute * 60 + p.second;
        return second < row->termSeconds[kStartOfSpringIndex];
    }
    return p.month == 1 || (p.month == 2 && p.day < 4);
}

// "癸巳年(蛇)" for the year of the sixty-year cycle that contains the moment.
Text cyclicYearText(const DateTimeParts& p, int32_t day) {
    static const Text kStems = gbk("甲乙丙丁戊己庚辛壬癸");
    static const Text kBranches = gbk("子丑寅卯辰巳午未申酉戌亥");
    static const Text kAnimals = gbk("鼠牛虎兔龙蛇马羊猴鸡狗猪");
    static const Text kYear = gbk("年(");
    const int32_t year = beforeStartOfSpring(p, day) ? p.year - 1 : p.year;
    const int32_t branch = positiveModulo(year - 4, 12);
    return joinTexts({character(kStems, positiveModulo(year - 4, 10)), character(kBranches, branch),
                      kYear, character(kAnimals, branch), ")"});
}

// "闰四月", "冬月", "腊月" …
Text lunarMonthText(const LunarDate& d) {
    static const Text kLeap = gbk("闰");
    static const Text kMonths = gbk("正二三四五六七八九十冬腊");
    static const Text kMonth = gbk("月");
    return joinTexts({d.leap ? kLeap : Text(), character(kMonths, d.month - 1), kMonth});
}

// "初一" … "初十", "十一" … "十九", "二十", "廿一" … "廿九", "三十".
Text lunarDayText(int32_t day) {
    static const Text kDigits = gbk("一二三四五六七八九十");
    static const Text kTensBefore = gbk("初十廿");  // before the ones digit of 1-10, 11-19, 21-29
    static const Text kTwenty = gbk("二十");
    static const Text kThirty = gbk("三十");
    if (day == 20) return kTwenty;
    if (day == 30) return kThirty;
    const int32_t tens = (day - 1) / 10;
    const int32_t ones = day <= 10 ? day : day % 10;
    return character(kTensBefore, tens) + character(kDigits, ones - 1);
}

}  // namespace

Text lunarDateText(DateTime v) {
    const DateTimeParts p = splitDateTime(v);
    const int32_t day = dayNumberOf(v);
    Text text = cyclicYearText(p, day);
    if (const std::optional<LunarDay> lunar = lunarDayOf(day))
        text += lunarMonthText(lunar->date) + lunarDayText(lunar->date.day);
    return joinTexts(
        {text, " ", intToText(p.year), "-", intToText(p.month), "-", intToText(p.day)});
}

}  // namespace paylog
