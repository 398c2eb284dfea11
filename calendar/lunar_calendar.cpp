#include "calendar/lunar_calendar.h"

#include <array>

#include "calendar/calendar_days.h"

namespace paylog {
namespace {

const Text& solarTermName(int32_t number) {
    static const std::array<Text, 24> kNames{
        gbk("立春"), gbk("雨水"), gbk("惊蛰"), gbk("春分"), gbk("清明"), gbk("谷雨"),
        gbk("立夏"), gbk("小满"), gbk("芒种"), gbk("夏至"), gbk("小暑"), gbk("大暑"),
        gbk("立秋"), gbk("处暑"), gbk("白露"), gbk("秋分"), gbk("寒露"), gbk("霜降"),
        gbk("立冬"), gbk("小雪"), gbk("大雪"), gbk("冬至"), gbk("小寒"), gbk("大寒")};
    return kNames[number - 1];
}

}  // namespace

bool toLunarDate(DateTime v, LunarDate& out) {
    const std::optional<LunarDay> lunar = lunarDayOf(dayNumberOf(v));
    if (!lunar) return false;
    out = lunar->date;
    return true;
}

int32_t lunarMonthLength(int32_t year, int32_t month, bool leap) {
    // Lunar 1900 began before the range and is not offered.
    if (year < 1901) return 0;
    const LunarYearRow* row = lunarYearRow(year);
    if (row == nullptr) return 0;
    const int32_t index = monthIndexOf(*row, month, leap);
    return index < 0 ? 0 : monthLengthAt(*row, index);
}

std::optional<SolarTerm> solarTermOfLunarDate(const LunarDate& d) {
    const std::optional<int32_t> day = dayOfLunarDate(d);
    if (!day) return std::nullopt;
    const int32_t number = solarTermNumberOn(*day);
    if (number == 0) return SolarTerm{};
    return SolarTerm{solarTermName(number), number};
}

}  // namespace paylog
