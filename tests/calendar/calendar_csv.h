#pragma once
// The reference tables of data/calendar, read afresh by the tests so that
// what the generator compiled in can be checked against them.

#include <cstdint>
#include <string>
#include <vector>

namespace paylog::test {

struct CsvLunarMonth {
    int32_t year, month;
    bool leap;
    int32_t firstDay;  // day number (days since 1899-12-30)
    int32_t length;
};

struct CsvSolarTerm {
    int32_t number;
    std::string name;  // UTF-8
    int32_t year, month, day, hour, minute, second;
    int32_t dayNumber;
};

// Both fail the calling test (and return nothing) when the file cannot be read.
std::vector<CsvLunarMonth> readLunarMonths();
std::vector<CsvSolarTerm> readSolarTerms();

}  // namespace paylog::test
