#pragma once
// The calendar facts the program works from, compiled into it from the tables
// in data/calendar by tools/calendar_table_generator. Day numbers are the
// whole days of a DateTime (days since 1899-12-30).

#include <array>
#include <cstddef>
#include <cstdint>

namespace paylog {

inline constexpr int32_t kFirstTableYear = 1900;
inline constexpr int32_t kLastTableYear = 2049;
inline constexpr size_t kTableYearCount = kLastTableYear - kFirstTableYear + 1;
inline constexpr size_t kSolarTermsPerYear = 24;

struct LunarYearRow {
    int32_t newYearDay;   // day number of the first day of the first month
    uint16_t longMonths;  // bit i: the year's i-th month, a leap month in its place, has 30 days
    uint8_t leapMonth;    // the month number a leap month repeats; 0 when the year has none
};

// The terms of one Gregorian year in calendar order, from 小寒 (number 23)
// over 立春 (number 1) to 冬至 (number 22), so that the two terms of month m
// sit at 2(m-1) and 2(m-1)+1.
struct SolarTermYearRow {
    int32_t firstDay;                                     // day number of 1 January
    std::array<int32_t, kSolarTermsPerYear> termSeconds;  // since 1 January 00:00, UTC+8
};

// The term number (立春 = 1 .. 大寒 = 24) at a position of a year's row.
constexpr int32_t solarTermNumberAt(size_t index) {
    return static_cast<int32_t>((index + 22) % kSolarTermsPerYear) + 1;
}

extern const std::array<LunarYearRow, kTableYearCount> kLunarYears;          // by lunar year
extern const std::array<SolarTermYearRow, kTableYearCount> kSolarTermYears;  // by Gregorian year

}  // namespace paylog
