#pragma once
// What numberToText promises for any double, checked by the fuzz targets that
// produce numbers (from bytes or from typed texts).

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "core/number_text.h"
#include "fuzz/fuzz_support.h"

namespace paylog {

namespace number_text_checks {

inline bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The text of a non-finite value, from its bits.
inline Text nonFiniteText(double v) {
    const auto bits = std::bit_cast<uint64_t>(v);
    if (bits == std::bit_cast<uint64_t>(undefinedNumber())) return "-1.#IND";
    const Text sign = std::signbit(v) ? "-" : "";
    if (std::isinf(v)) return sign + "1.#INF";
    const bool quiet = (bits & (uint64_t{1} << 51)) != 0;
    return sign + (quiet ? "1.#QNAN" : "1.#SNAN");
}

// "d[.ddd]e±xxx" outside 1e-5 .. 1e13, plain digits inside; never a
// trailing zero after the point, at most 13 significant digits.
inline void checkShape(std::string_view text) {
    std::string_view body = text;
    if (body.starts_with('-')) body.remove_prefix(1);
    PAYLOG_FUZZ_CHECK(!body.empty() && isDigit(body.front()));
    const size_t e = body.find('e');
    const std::string_view mantissa = body.substr(0, e);
    const size_t point = mantissa.find('.');
    if (point != std::string_view::npos) {
        PAYLOG_FUZZ_CHECK(mantissa.back() != '0' && mantissa.back() != '.');
        PAYLOG_FUZZ_CHECK(mantissa.find('.', point + 1) == std::string_view::npos);
    }
    int significant = 0;
    bool leading = true;
    for (char c : mantissa) {
        if (c == '.') continue;
        PAYLOG_FUZZ_CHECK(isDigit(c));
        leading = leading && c == '0';
        if (!leading) ++significant;
    }
    PAYLOG_FUZZ_CHECK(significant >= 1 && significant <= 13);
    if (e == std::string_view::npos) return;
    PAYLOG_FUZZ_CHECK(mantissa.front() != '0' && (point == std::string_view::npos || point == 1));
    const std::string_view exponent = body.substr(e + 1);
    PAYLOG_FUZZ_CHECK(exponent.size() == 4);  // sign and three digits: doubles stop at 308
    PAYLOG_FUZZ_CHECK(exponent.front() == '+' || exponent.front() == '-');
    int value = 0;
    for (char c : exponent.substr(1)) {
        PAYLOG_FUZZ_CHECK(isDigit(c));
        value = value * 10 + (c - '0');
    }
    if (exponent.front() == '-') value = -value;
    PAYLOG_FUZZ_CHECK(value < -4 || value >= 13);
}

}  // namespace number_text_checks

// The text of v has the promised shape and reads back as v rounded to 13
// significant digits; showing the read-back value again gives the same text.
inline void checkNumberText(double v) {
    const Text text = numberToText(v);
    if (!std::isfinite(v)) {
        PAYLOG_FUZZ_CHECK(text == number_text_checks::nonFiniteText(v));
        return;
    }
    if (v == 0) {
        PAYLOG_FUZZ_CHECK(text == "0");
        return;
    }
    number_text_checks::checkShape(text);
    PAYLOG_FUZZ_CHECK(text.starts_with('-') == std::signbit(v));
    const double back = textToNumber(text);
    PAYLOG_FUZZ_CHECK(std::isfinite(back) && std::signbit(back) == std::signbit(v));
    // Half a unit in the 13th digit (the 14th digit alone decides, so a
    // 17-digit expansion ending in 5000 adds a little), plus the last step
    // of reading the decimal into a double.
    const long double error = std::fabs(static_cast<long double>(back) - v);
    const long double bound = 5.001e-13L * std::fabs(static_cast<long double>(v)) +
                              std::numeric_limits<double>::denorm_min();
    PAYLOG_FUZZ_CHECK(error <= bound);
    PAYLOG_FUZZ_CHECK(numberToText(back) == text);
}

}  // namespace paylog
