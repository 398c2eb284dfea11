// numberToText against a second, independent way of writing the same rule:
// the double's exact decimal expansion comes from big-integer arithmetic
// instead of the library's shortest-digits machinery, and is then rounded
// by hand. Inputs are random but seeded, so a failure always reproduces.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "core/number_text.h"

namespace paylog {
namespace {

// Unsigned integer in base 10^9 limbs, least significant first.
class BigNumber {
  public:
    explicit BigNumber(uint64_t v) {
        do {
            limbs_.push_back(static_cast<uint32_t>(v % kBase));
            v /= kBase;
        } while (v != 0);
    }

    void multiply(uint32_t factor) {
        uint64_t carry = 0;
        for (uint32_t& limb : limbs_) {
            const uint64_t product = uint64_t{limb} * factor + carry;
            limb = static_cast<uint32_t>(product % kBase);
            carry = product / kBase;
        }
        for (; carry != 0; carry /= kBase) limbs_.push_back(static_cast<uint32_t>(carry % kBase));
    }

    std::string decimal() const {
        std::string out = std::to_string(limbs_.back());
        char buffer[16];
        for (auto it = limbs_.rbegin() + 1; it != limbs_.rend(); ++it) {
            std::snprintf(buffer, sizeof buffer, "%09u", *it);
            out += buffer;
        }
        return out;
    }

  private:
    static constexpr uint64_t kBase = 1'000'000'000;
    std::vector<uint32_t> limbs_;
};

// Significant digits and the power of ten of the first one.
struct Decimal {
    std::string digits;
    int exponent;
};

// Exact: a finite positive double is an integer times a power of two, and
// 2^-k = 5^k / 10^k.
Decimal exactDecimal(double v) {
    const auto bits = std::bit_cast<uint64_t>(v);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    uint64_t mantissa = bits & ((uint64_t{1} << 52) - 1);
    int power = -1074;
    if (biased != 0) {
        mantissa |= uint64_t{1} << 52;
        power = biased - 1075;
    }
    BigNumber n(mantissa);
    int decimalShift = 0;
    for (; power > 0; power -= std::min(power, 29)) n.multiply(uint32_t{1} << std::min(power, 29));
    for (; power < 0; power += std::min(-power, 13)) {
        const int step = std::min(-power, 13);
        uint32_t five = 1;
        for (int i = 0; i < step; ++i) five *= 5;
        n.multiply(five);
        decimalShift -= step;
    }
    std::string digits = n.decimal();
    const int exponent = static_cast<int>(digits.size()) - 1 + decimalShift;
    digits.erase(digits.find_last_not_of('0') + 1);
    return {digits, exponent};
}

// Keeps `count` digits; `up` says whether to add one in the last place.
void keepDigits(Decimal& d, size_t count, bool up) {
    d.digits.resize(count, '0');
    if (!up) return;
    for (size_t i = count; i-- > 0;) {
        if (d.digits[i] != '9') {
            ++d.digits[i];
            return;
        }
        d.digits[i] = '0';
    }
    d.digits.insert(0, "1");
    d.digits.pop_back();
    ++d.exponent;
}

std::string expectedText(double v) {
    Decimal d = exactDecimal(std::fabs(v));
    d.digits.resize(std::max<size_t>(d.digits.size(), 18), '0');

    // To 17 digits, nearest with ties to even, as printf does.
    const std::string beyond = d.digits.substr(17);
    const bool exactHalf =
        beyond[0] == '5' && beyond.find_first_not_of('0', 1) == std::string::npos;
    const bool oddLast = (d.digits[16] - '0') % 2 == 1;
    keepDigits(d, 17, beyond[0] > '5' || (beyond[0] == '5' && (!exactHalf || oddLast)));
    // To 13 digits, the 14th alone deciding.
    keepDigits(d, 13, d.digits[13] >= '5');

    std::string text;
    if (d.exponent < -4 || d.exponent >= 13) {
        text = d.digits.substr(0, 1) + "." + d.digits.substr(1);
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
        char exponent[16];
        std::snprintf(exponent, sizeof exponent, "e%c%03d", d.exponent < 0 ? '-' : '+',
                      std::abs(d.exponent));
        text += exponent;
    } else {
        // Place the point in a run of zeros and digits wide enough for both.
        const std::string padded = std::string(13, '0') + d.digits;
        const size_t point = 13 + static_cast<size_t>(d.exponent + 1);
        std::string whole = padded.substr(0, point);
        whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
        std::string fraction = padded.substr(point);
        fraction.erase(fraction.find_last_not_of('0') + 1);
        text = fraction.empty() ? whole : whole + "." + fraction;
    }
    return (v < 0 ? "-" : "") + text;
}

class NumberToTextCrossCheck : public ::testing::Test {
  protected:
    void check(double v) {
        if (!std::isfinite(v) || v == 0) return;
        ++checked_;
        const std::string expected = expectedText(v);
        const std::string actual = numberToText(v);
        if (actual != expected && ++failures_ <= 10) {
            char bits[32];
            std::snprintf(bits, sizeof bits, "%016llx",
                          static_cast<unsigned long long>(std::bit_cast<uint64_t>(v)));
            ADD_FAILURE() << "bits " << bits << ": got " << actual << ", expected " << expected;
        }
    }
    void TearDown() override { EXPECT_EQ(failures_, 0) << "of " << checked_ << " values"; }

    std::mt19937_64 random_{20130623};
    int checked_ = 0;
    int failures_ = 0;
};

TEST_F(NumberToTextCrossCheck, ReferenceAgreesWithWorkedExamples) {
    EXPECT_EQ(expectedText(2.0 / 3), "0.6666666666667");
    EXPECT_EQ(expectedText(12345678901234), "1.234567890123e+013");
    EXPECT_EQ(expectedText(9.99999999999999), "10");
    EXPECT_EQ(expectedText(0.00001234), "1.234e-005");
    EXPECT_EQ(expectedText(-2.5), "-2.5");
}

TEST_F(NumberToTextCrossCheck, RandomBitPatterns) {
    for (int i = 0; i < 100'000; ++i) check(std::bit_cast<double>(random_()));
}

TEST_F(NumberToTextCrossCheck, RandomValuesOfTheFixedForm) {
    for (int i = 0; i < 200'000; ++i) {
        const uint64_t r = random_();
        const double fraction = static_cast<double>(r >> 11) / 9007199254740992.0;  // [0, 1)
        const int power = static_cast<int>(r % 68) - 20;  // about 1e-6 .. 1e14
        check(std::ldexp(1 + fraction, power) * ((r >> 7) % 2 ? -1 : 1));
    }
}

// Values whose 14th digit sits right at the rounding edge, and their
// neighbours on either side.
TEST_F(NumberToTextCrossCheck, ValuesNextToThirteenDigitHalves) {
    for (int i = 0; i < 50'000; ++i) {
        const uint64_t r = random_();
        const uint64_t digits = 1'000'000'000'000 + r % 9'000'000'000'000;
        const int power = static_cast<int>((r >> 50) % 40) - 20;
        const std::string text = std::to_string(digits) + "5e" + std::to_string(power);
        const double v = std::strtod(text.c_str(), nullptr);
        check(v);
        check(std::nextafter(v, 0.0));
        check(std::nextafter(v, 1e308));
    }
}

}  // namespace
}  // namespace paylog
