#include "app/caption_text.h"

#include "calendar/lunar_calendar.h"

namespace paylog {

Text captionText(DateTime sessionStartTime, DateTime now) {
    static const Text kTitle = gbk("工资计算与加班记录 ");
    const Text time = dateTimeToText(now, DateTextForm::TimeOnly);
    const Text weekday = weekdayName(weekdayOf(sessionStartTime));
    const Text lunarDate = lunarDateText(sessionStartTime);
    return joinTexts({kTitle, lunarDate, "-", time, "    ", weekday});
}

}  // namespace paylog
