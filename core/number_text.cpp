#include "core/number_text.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace paylog {
namespace {

constexpr uint64_t kSignBit = uint64_t{1} << 63;
constexpr uint64_t kQuietBit = uint64_t{1} << 51;
constexpr uint64_t kUndefinedBits = 0xFFF8'0000'0000'0000;  // what 0.0 / 0.0 gives on x86-64
constexpr int kShownDigits = 13;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

size_t skipWhiteSpace(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && isWhiteSpace(s[i])) ++i;
    return i;
}

Text nonFiniteText(double v) {
    const auto bits = std::bit_cast<uint64_t>(v);
    if (bits == kUndefinedBits) return "-1.#IND";
    const Text sign = (bits & kSignBit) ? "-" : "";
    if (std::isinf(v)) return sign + "1.#INF";
    return sign + ((bits & kQuietBit) ? "1.#QNAN" : "1.#SNAN");
}

std::string_view withoutTrailingZeros(std::string_view digits) {
    const size_t last = digits.find_last_not_of('0');
    return digits.substr(0, last == std::string_view::npos ? 0 : last + 1);
}

Text exponentText(int exponent) {
    Text magnitude = std::to_string(exponent < 0 ? -exponent : exponent);
    if (magnitude.size() < 3) magnitude.insert(0, 3 - magnitude.size(), '0');
    return (exponent < 0 ? "e-" : "e+") + magnitude;
}

// Reading goes through the C locale so that a user's locale with a decimal
// comma cannot change what "1.5" means.
locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

long double powerOfTen(int32_t k) {
    long double result = 1;
    long double base = 10;
    for (; k > 0; k >>= 1) {
        if (k & 1) result *= base;
        base *= base;
    }
    return result;  // exact up to 10^27, which covers every real use
}

}  // namespace

Text numberToText(double v) {
    if (!std::isfinite(v)) return nonFiniteText(v);
    if (v == 0) return "0";

    // 17 significant digits, correctly rounded: "d.dddddddddddddddde±x".
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(v),
                                       std::chars_format::scientific, 16);
    const std::string_view full(buffer, written.ptr);
    std::string digits = std::string(1, full[0]) + std::string(full.substr(2, kShownDigits - 1));
    int exponent = 0;
    const size_t e = full.find('e');
    const size_t exponentStart = e + (full[e + 1] == '+' ? 2 : 1);
    std::from_chars(full.data() + exponentStart, full.data() + full.size(), exponent);

    // The 14th digit alone decides the rounding to 13 digits.
    if (full[2 + kShownDigits - 1] >= '5') {
        int i = kShownDigits - 1;
        for (; i >= 0 && digits[i] == '9'; --i) digits[i] = '0';
        if (i >= 0) {
            ++digits[i];
        } else {
            digits[0] = '1';
            ++exponent;
        }
    }

    Text out = v < 0 ? "-" : "";
    const std::string_view all(digits);
    if (exponent < -4 || exponent >= kShownDigits) {
        out += digits[0];
        const std::string_view rest = withoutTrailingZeros(all.substr(1));
        if (!rest.empty()) out.append(".").append(rest);
        out += exponentText(exponent);
    } else if (exponent >= 0) {
        out.append(all.substr(0, exponent + 1));
        const std::string_view fraction = withoutTrailingZeros(all.substr(exponent + 1));
        if (!fraction.empty()) out.append(".").append(fraction);
    } else {
        out.append("0.").append(-exponent - 1, '0').append(withoutTrailingZeros(all));
    }
    return out;
}

Text intToText(int32_t v) { return std::to_string(v); }

double textToNumber(std::string_view t) {
    const Text s = normaliseFullWidth(t);
    const auto digitsFrom = [&s](size_t at) {
        size_t end = at;
        while (end < s.size() && isDigit(s[end])) ++end;
        return end - at;
    };
    const size_t start = skipWhiteSpace(s);
    size_t i = start;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    const size_t wholeDigits = digitsFrom(i);
    i += wholeDigits;
    size_t fractionDigits = 0;
    if (i < s.size() && s[i] == '.') {
        fractionDigits = digitsFrom(++i);
        i += fractionDigits;
    }
    if (wholeDigits + fractionDigits == 0) return 0;

    // The exponent letters "d" and "D" are read as "e".
    std::string number = s.substr(start, i - start);
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        const size_t sign = (i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-')) ? 1 : 0;
        const size_t exponentDigits = digitsFrom(i + 1 + sign);
        if (exponentDigits > 0) number.append("e").append(s, i + 1, sign + exponentDigits);
    }
    // Out of range: strtod gives an infinity of the sign, or 0.
    return strtod_l(number.c_str(), nullptr, cLocale());
}

int32_t textToInt(std::string_view t) {
    const Text s = normaliseFullWidth(t);
    size_t i = skipWhiteSpace(s);
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    uint32_t value = 0;  // wraps like the 32-bit arithmetic it stands for
    for (; i < s.size() && isDigit(s[i]); ++i)
        value = value * 10 + static_cast<uint32_t>(s[i] - '0');
    return static_cast<int32_t>(negative ? 0u - value : value);
}

int32_t truncateToInt(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483648.0) return std::numeric_limits<int32_t>::max();
    if (v <= -2147483649.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

double roundNumber(double v, int32_t places) {
    if (v == 0 || !std::isfinite(v)) return v;
    // Beyond 400 places either way every double scales to zero or to
    // infinity, so the count is limited there to keep the power finite.
    const int32_t n = std::clamp(places, -400, 400);
    const long double power = powerOfTen(n < 0 ? -n : n);
    const double m = std::fabs(v);

    double s = m;
    if (n > 0) s = static_cast<double>(m * power);
    if (n < 0) s = static_cast<double>(m / power);
    // More places than the value holds digits: scaling overflowed, and the
    // value is already as exact as it can be.
    if (std::isinf(s)) return v;

    const double t = static_cast<double>(static_cast<long double>(s) + 1e-12);
    const double whole = std::trunc(t);
    const double r = (t - whole >= 0.5) ? static_cast<double>(whole + 1.0L) : whole;

    double result = r;
    if (n > 0) result = static_cast<double>(r / power);
    if (n < 0) result = static_cast<double>(r * power);
    return v < 0 ? -result : result;
}

bool exceeds(double a, double b) { return static_cast<long double>(a) - b > 1e-7; }

double undefinedNumber() { return std::bit_cast<double>(kUndefinedBits); }

}  // namespace paylog
