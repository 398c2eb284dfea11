// textToNumber on any bytes: never fails, never gives NaN, ignores what
// follows the number and blanks before it, and what it reads survives being
// shown and read again.

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "core/number_text.h"
#include "core/text.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/number_text_checks.h"

namespace paylog {
namespace {

bool sameBits(double a, double b) {
    return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

void check(std::string_view text) {
    const double v = textToNumber(text);
    PAYLOG_FUZZ_CHECK(!std::isnan(v));
    PAYLOG_FUZZ_CHECK(sameBits(textToNumber(joinTexts({" ", text})), v));
    // 'x' is no digit, no exponent letter and no second byte of a full-width
    // form, so it cannot join the number.
    PAYLOG_FUZZ_CHECK(sameBits(textToNumber(joinTexts({text, "x"})), v));
    if (std::isfinite(v)) checkNumberText(v);
}

}  // namespace
}  // namespace paylog

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    paylog::check(paylog::inputText(data, size));
    return 0;
}
