// The number conversions on any double, NaNs, infinities and subnormals
// included. Input: 8 bytes of a double (little-endian bits), 4 bytes of a
// count of places, 4 bytes of an integer; missing bytes count as zero.

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

#include "core/number_text.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/number_text_checks.h"

namespace paylog {
namespace {

template <class T>
T takeBits(const uint8_t* data, size_t size, size_t at) {
    unsigned char bytes[sizeof(T)] = {};
    if (at < size) std::memcpy(bytes, data + at, std::min(sizeof(T), size - at));
    return std::bit_cast<T>(bytes);
}

void checkIntText(int32_t n) {
    const Text text = intToText(n);
    PAYLOG_FUZZ_CHECK(textToInt(text) == n);
    PAYLOG_FUZZ_CHECK(textToNumber(text) == static_cast<double>(n));
    PAYLOG_FUZZ_CHECK(numberToText(static_cast<double>(n)) == text);
}

void checkTruncate(double v) {
    const int32_t n = truncateToInt(v);
    if (std::isnan(v)) {
        PAYLOG_FUZZ_CHECK(n == 0);
    } else if (v >= 2147483648.0) {
        PAYLOG_FUZZ_CHECK(n == std::numeric_limits<int32_t>::max());
    } else if (v <= -2147483649.0) {
        PAYLOG_FUZZ_CHECK(n == std::numeric_limits<int32_t>::min());
    } else {
        PAYLOG_FUZZ_CHECK(static_cast<double>(n) == std::trunc(v));
    }
}

void checkRound(double v, int32_t places) {
    const double r = roundNumber(v, places);
    if (v == 0 || !std::isfinite(v)) {
        PAYLOG_FUZZ_CHECK(std::bit_cast<uint64_t>(r) == std::bit_cast<uint64_t>(v));
        return;
    }
    PAYLOG_FUZZ_CHECK(!std::isnan(r));
    PAYLOG_FUZZ_CHECK(r == 0 || std::signbit(r) == std::signbit(v));
    // Within half a unit of the last place kept, and a second rounding
    // changes nothing. Checked where the scaled value is an ordinary double
    // well inside the range, so that the tolerance can be stated simply.
    if (places < -22 || places > 22) return;
    const long double scale = std::pow(10.0L, places);
    const long double scaled = std::fabs(static_cast<long double>(v) * scale);
    if (scaled < 1e-300L || scaled > 1e15L) return;
    PAYLOG_FUZZ_CHECK(std::isfinite(r));
    const long double error = std::fabs((static_cast<long double>(r) - v) * scale);
    PAYLOG_FUZZ_CHECK(error <= 0.5L + 1e-9L + 1e-15L * scaled);
    PAYLOG_FUZZ_CHECK(roundNumber(r, places) == r);
}

}  // namespace
}  // namespace paylog

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace paylog;
    const auto v = takeBits<double>(data, size, 0);
    const auto places = takeBits<int32_t>(data, size, 8);
    const auto n = takeBits<int32_t>(data, size, 12);
    checkNumberText(v);
    checkIntText(n);
    checkTruncate(v);
    checkRound(v, places);
    checkRound(v, 0);
    return 0;
}
