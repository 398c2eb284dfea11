// textToDateTime on any bytes: never fails, gives a date in the supported
// range, and its text in every form can be made; the full form and the date
// form read back as the same moment and the same day.

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "core/date_time.h"
#include "core/text.h"
#include "fuzz/fuzz_support.h"

namespace paylog {
namespace {

void checkParts(DateTime v) {
    const DateTimeParts p = splitDateTime(v);
    PAYLOG_FUZZ_CHECK(p.year >= 100 && p.year <= 9999);
    PAYLOG_FUZZ_CHECK(p.month >= 1 && p.month <= 12);
    PAYLOG_FUZZ_CHECK(p.day >= 1 && p.day <= daysInMonth(p.year, p.month));
    PAYLOG_FUZZ_CHECK(p.hour >= 0 && p.hour <= 23);
    PAYLOG_FUZZ_CHECK(p.minute >= 0 && p.minute <= 59);
    PAYLOG_FUZZ_CHECK(p.second >= 0 && p.second <= 59);
    PAYLOG_FUZZ_CHECK(p.weekday >= 1 && p.weekday <= 7 && p.weekday == weekdayOf(v));
    PAYLOG_FUZZ_CHECK(!weekdayName(p.weekday).empty());
}

void check(std::string_view text) {
    const DateTime v = textToDateTime(text);
    // The range holds the midnights of its first and last day, so a time on
    // either day reads (before 1899 the time counts away from zero) but is
    // shown as that midnight.
    PAYLOG_FUZZ_CHECK(std::isfinite(v) && v > kMinDateTime - 1 && v < kMaxDateTime + 1);
    checkParts(v);

    // Texts read from whole seconds, so the full form shows every part.
    const Text full = dateTimeToText(v, DateTextForm::Full);
    PAYLOG_FUZZ_CHECK(textToDateTime(full) == limitDateTime(v));
    const Text date = dateTimeToText(v, DateTextForm::DateOnly);
    PAYLOG_FUZZ_CHECK(textToDateTime(date) == dayStart(v));
    PAYLOG_FUZZ_CHECK(full.starts_with(date));
    const Text time = dateTimeToText(v, DateTextForm::TimeOnly);
    PAYLOG_FUZZ_CHECK(!time.empty());
    // A time alone names no valid year.
    PAYLOG_FUZZ_CHECK(textToDateTime(time) == kMinDateTime);
}

}  // namespace
}  // namespace paylog

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    paylog::check(paylog::inputText(data, size));
    return 0;
}
