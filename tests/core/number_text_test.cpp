#include "core/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace paylog {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();

// A formula's result as the program stores it: worked out in extended
// precision, then rounded to a double.
double stored(long double x) { return static_cast<double>(x); }

double fromBits(uint64_t bits) { return std::bit_cast<double>(bits); }

TEST(NumberToText, FiniteValues) {
    struct Case {
        const char* name;
        double value;
        const char* text;
    };
    const Case cases[] = {
        {"integer", 2520, "2520"},
        {"two decimals", 10.46, "10.46"},
        {"one decimal", 1944.4, "1944.4"},
        {"binary noise hidden", stored(0.1L + 0.2), "0.3"},
        {"one third", stored(1.0L / 3), "0.3333333333333"},
        {"two thirds rounds up", stored(2.0L / 3), "0.6666666666667"},
        {"thirteen digits with integer part", stored(100.0L / 3), "33.33333333333"},
        {"small rate", stored(10.46L / 3600), "0.002905555555556"},
        {"smallest fixed form", 0.0001, "0.0001"},
        {"below fixed form", 0.00001234, "1.234e-005"},
        {"thirteen digit integer", 1234567890123, "1234567890123"},
        {"fourteen digit integer", 12345678901234, "1.234567890123e+013"},
        {"power of ten", 1e15, "1e+015"},
        {"carry into a new digit", 9.99999999999999, "10"},
        {"negative", -2.5, "-2.5"},
        {"zero", 0.0, "0"},
        {"negative zero", -0.0, "0"},
        {"ten to the thirteenth", 1e13, "1e+013"},
        {"largest fixed integer", 9999999999999, "9999999999999"},
        {"carry into exponent form", 9999999999999.5, "1e+013"},
        {"fourteen nines carry", 99999999999999, "1e+014"},
        {"carry into fixed form", 0.000099999999999999, "0.0001"},
        {"thirteen nines stay small", 0.00009999999999999, "9.999999999999e-005"},
        {"fourteenth digit of the 17-digit expansion decides", 156.14494144755, "156.1449414476"},
        {"negative small", -0.001, "-0.001"},
        {"three digit exponent", 1.5e-300, "1.5e-300"},
        {"smallest subnormal", 5e-324, "4.940656458412e-324"},
        {"largest double", std::numeric_limits<double>::max(), "1.797693134862e+308"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(numberToText(c.value), c.text);
    }
}

TEST(NumberToText, NonFiniteValues) {
    volatile double zero = 0.0;
    struct Case {
        const char* name;
        double value;
        const char* text;
    };
    const Case cases[] = {
        {"division by zero", 1 / zero, "1.#INF"},
        {"negative infinity", -1 / zero, "-1.#INF"},
        {"zero by zero", zero / zero, "-1.#IND"},
        {"undefined value", undefinedNumber(), "-1.#IND"},
        {"positive quiet NaN", fromBits(0x7FF8'0000'0000'0000), "1.#QNAN"},
        {"negative quiet NaN with payload", fromBits(0xFFF8'0000'0000'0001), "-1.#QNAN"},
        {"signalling NaN", fromBits(0x7FF0'0000'0000'0001), "1.#SNAN"},
        {"negative signalling NaN", fromBits(0xFFF4'0000'0000'0000), "-1.#SNAN"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(numberToText(c.value), c.text);
    }
}

TEST(UndefinedNumber, IsWhatAnInvalidOperationGives) {
    volatile double zero = 0.0;
    const double undefined = undefinedNumber();
    EXPECT_EQ(std::bit_cast<uint64_t>(undefined), std::bit_cast<uint64_t>(zero / zero));
    EXPECT_EQ(std::bit_cast<uint64_t>(undefined), std::bit_cast<uint64_t>(undefined * 3));
}

TEST(IntToText, Table) {
    EXPECT_EQ(intToText(0), "0");
    EXPECT_EQ(intToText(2013), "2013");
    EXPECT_EQ(intToText(-5), "-5");
    EXPECT_EQ(intToText(kIntMax), "2147483647");
    EXPECT_EQ(intToText(kIntMin), "-2147483648");
}

TEST(TextToNumber, Table) {
    struct Case {
        const char* name;
        std::string text;
        double value;
    };
    const Case cases[] = {
        {"integer", "1820", 1820},
        {"leading space", " 175.6", 175.6},
        {"trailing text ignored", gbk("21.75天"), 21.75},
        {"full-width digits", gbk("１８２０"), 1820},
        {"full-width space point and minus", gbk("　－８．５"), -8.5},
        {"empty", "", 0},
        {"letters", "abc", 0},
        {"comma ends the number", "1,820", 1},
        {"no digit before the point", ".5", 0.5},
        {"no digit after the point", "5.", 5},
        {"negative", "-3", -3},
        {"plus sign", "+2.25", 2.25},
        {"exponent e", "1e3", 1000},
        {"exponent d", "1d3", 1000},
        {"upper-case exponent with sign", "25E-1", 2.5},
        {"upper-case d exponent", "1D+2", 100},
        {"exponent letter without digits", "1e", 1},
        {"exponent sign without digits", "1e+x", 1},
        {"second point ends the number", "1.2.3", 1.2},
        {"every white space", "\t\n\v\f\r 7", 7},
        {"sign alone", "-", 0},
        {"point alone", ".", 0},
        {"space after sign", "- 3", 0},
        {"hexadecimal not read", "0x10", 0},
        {"infinity word not read", "inf", 0},
        {"nan word not read", "nan", 0},
        {"too large", "1e400", kInf},
        {"too large negative", "-1e400", -kInf},
        {"too small", "1e-400", 0},
        {"nearest double", "0.1", 0.1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(textToNumber(c.text), c.value);
    }
}

TEST(TextToInt, Table) {
    struct Case {
        const char* name;
        std::string text;
        int32_t value;
    };
    const Case cases[] = {
        {"digits", "10", 10},
        {"no digits", gbk("早班"), 0},
        {"leading space", " 8", 8},
        {"plus", "+7", 7},
        {"minus", "-3", -3},
        {"full-width digit", gbk("８"), 8},
        {"fraction dropped", "2.5", 2},
        {"empty", "", 0},
        {"sign alone", "-", 0},
        {"largest", "2147483647", kIntMax},
        {"smallest", "-2147483648", kIntMin},
        {"one past the largest wraps", "2147483648", kIntMin},
        {"wraps modulo 2^32", "4294967297", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(textToInt(c.text), c.value);
    }
}

TEST(TruncateToInt, Table) {
    struct Case {
        const char* name;
        double value;
        int32_t result;
    };
    const Case cases[] = {
        {"positive fraction", 2.9, 2},
        {"negative fraction", -2.9, -2},
        {"just below the largest", 2147483647.9, kIntMax},
        {"just above the smallest", -2147483648.9, kIntMin},
        {"too large saturates", 1e10, kIntMax},
        {"too small saturates", -1e10, kIntMin},
        {"infinity saturates", kInf, kIntMax},
        {"negative infinity saturates", -kInf, kIntMin},
        {"undefined gives zero", undefinedNumber(), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(truncateToInt(c.value), c.result);
    }
}

TEST(RoundNumber, Table) {
    struct Case {
        const char* name;
        double value;
        int32_t places;
        double result;
    };
    const Case cases[] = {
        {"hourly rate to cents", stored(1010.0L / 87), 2, 11.61},
        {"decimal half held below half", 2.675, 2, 2.68},
        {"one hundredth held below half", 1.005, 2, 1.01},
        {"another decimal half", 37.035, 2, 37.04},
        {"negative half away from zero", -2.5, 0, -3},
        {"half up", 0.5, 0, 1},
        {"below half down", 0.49, 0, 0},
        {"tens, below half", 1234.5, -1, 1230},
        {"tens, half", 1235, -1, 1240},
        {"negative decimal half", -1.005, 2, -1.01},
        {"already round", 3500, 2, 3500},
        {"places beyond the digits a double holds", 1e300, 10, 1e300},
        {"huge place count", 123.5, 100000, 123.5},
        {"huge negative place count", 123.5, -100000, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(roundNumber(c.value, c.places), c.result);
    }
}

TEST(RoundNumber, SpecialValuesPassThrough) {
    EXPECT_EQ(roundNumber(kInf, 2), kInf);
    EXPECT_EQ(roundNumber(-kInf, 0), -kInf);
    EXPECT_TRUE(std::signbit(roundNumber(-0.0, 2)));
    EXPECT_EQ(std::bit_cast<uint64_t>(roundNumber(undefinedNumber(), 2)),
              std::bit_cast<uint64_t>(undefinedNumber()));
}

TEST(Exceeds, Table) {
    struct Case {
        const char* name;
        double a, b;
        bool result;
    };
    const Case cases[] = {
        {"clearly larger", 1, 0, true},
        {"equal", 3500, 3500, false},
        {"smaller", 0, 1, false},
        {"difference of exactly the threshold", 1e-7, 0, false},
        {"difference above the threshold", 2e-7, 0, true},
        {"difference below the threshold", 3500.00000005, 3500, false},
        {"difference formed in extended precision", 1e-7, -1e-25, true},
        {"undefined exceeds nothing", undefinedNumber(), 0, false},
        {"nothing exceeds undefined", 1, undefinedNumber(), false},
        {"infinity exceeds a number", kInf, 1e300, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(exceeds(c.a, c.b), c.result);
    }
}

}  // namespace
}  // namespace paylog
