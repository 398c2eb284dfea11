// textToInt on any bytes: never fails, agrees with textToNumber on the
// integer both read, and what it gives survives intToText and back.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/number_text.h"
#include "core/text.h"
#include "fuzz/fuzz_support.h"

namespace paylog {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The sign and the run of digits the readers start with, found on the
// normalised text.
struct LeadingInteger {
    bool negative = false;
    std::string digits;
    char after = '\0';  // the byte after the digits, 0 at the end
};

LeadingInteger leadingInteger(const Text& s) {
    LeadingInteger out;
    size_t i = 0;
    while (i < s.size() && isWhiteSpace(s[i])) ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) out.negative = s[i++] == '-';
    while (i < s.size() && isDigit(s[i])) out.digits += s[i++];
    if (i < s.size()) out.after = s[i];
    return out;
}

void check(std::string_view text) {
    const int32_t n = textToInt(text);
    PAYLOG_FUZZ_CHECK(textToInt(intToText(n)) == n);
    PAYLOG_FUZZ_CHECK(textToInt(joinTexts({" ", text})) == n);

    // The digits taken modulo 2^32, the way the 32-bit arithmetic wraps.
    const LeadingInteger lead = leadingInteger(normaliseFullWidth(text));
    uint32_t wrapped = 0;
    for (char c : lead.digits) wrapped = wrapped * 10u + static_cast<uint32_t>(c - '0');
    if (lead.negative) wrapped = 0u - wrapped;
    PAYLOG_FUZZ_CHECK(n == static_cast<int32_t>(wrapped));

    // Where the number reader stops at the same place, both read one value.
    const bool numberGoesOn = lead.after == '.' || lead.after == 'e' || lead.after == 'E' ||
                              lead.after == 'd' || lead.after == 'D';
    if (!lead.digits.empty() && lead.digits.size() <= 9 && !numberGoesOn) {
        PAYLOG_FUZZ_CHECK(textToNumber(text) == static_cast<double>(n));
    }
}

}  // namespace
}  // namespace paylog

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    paylog::check(paylog::inputText(data, size));
    return 0;
}
