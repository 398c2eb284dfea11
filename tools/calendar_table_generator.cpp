// Turns data/calendar/lunar-months.csv and solar-terms.csv into the compact
// table of calendar/calendar_table.h, as a C++ source for the build tree.
// Usage: calendar_table_generator LUNAR_MONTHS_CSV SOLAR_TERMS_CSV OUTPUT_CPP
//
// The tables are checked while they are read (every year present, months
// without gaps, terms in their months), so that a damaged copy stops the
// build instead of shifting dates silently.

#include <array>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/calendar_table.h"
#include "core/date_time.h"

namespace paylog {
namespace {

struct TableError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The rows of a CSV file after its header, each split at commas.
class CsvReader {
  public:
    CsvReader(const std::string& path, std::string_view expectedHeader) : path_(path), in_(path) {
        if (!in_) throw TableError(path + ": cannot be read");
        std::string header;
        std::getline(in_, header);
        if (header != expectedHeader) fail("unexpected header");
    }

    bool next(std::vector<std::string_view>& fields) {
        if (!std::getline(in_, line_)) return false;
        ++lineNumber_;
        if (!line_.empty() && line_.back() == '\r') line_.pop_back();
        fields.clear();
        std::string_view rest = line_;
        for (size_t comma; (comma = rest.find(',')) != std::string_view::npos;) {
            fields.push_back(rest.substr(0, comma));
            rest.remove_prefix(comma + 1);
        }
        fields.push_back(rest);
        return true;
    }

    [[noreturn]] void fail(const std::string& what) const {
        throw TableError(path_ + ":" + std::to_string(lineNumber_ + 1) + ": " + what);
    }

  private:
    std::string path_;
    std::ifstream in_;
    std::string line_;
    int lineNumber_ = 0;
};

int32_t toInt(const CsvReader& csv, std::string_view s) {
    int32_t value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size())
        csv.fail("not a number: " + std::string(s));
    return value;
}

struct Moment {
    int32_t year, month, day, hour, minute, second;
};

// "YYYY-MM-DD" or "YYYY-MM-DD hh:mm:ss", checked field by field.
Moment toMoment(const CsvReader& csv, std::string_view s, bool withTime) {
    const size_t expected = withTime ? 19 : 10;
    const bool shaped = s.size() == expected && s[4] == '-' && s[7] == '-' &&
                        (!withTime || (s[10] == ' ' && s[13] == ':' && s[16] == ':'));
    if (!shaped) csv.fail("not a date: " + std::string(s));
    Moment m{toInt(csv, s.substr(0, 4)),
             toInt(csv, s.substr(5, 2)),
             toInt(csv, s.substr(8, 2)),
             0,
             0,
             0};
    if (withTime) {
        m.hour = toInt(csv, s.substr(11, 2));
        m.minute = toInt(csv, s.substr(14, 2));
        m.second = toInt(csv, s.substr(17, 2));
    }
    const bool timeValid = m.hour >= 0 && m.hour <= 23 && m.minute >= 0 && m.minute <= 59 &&
                           m.second >= 0 && m.second <= 59;
    if (m.day < 1 || m.day > daysInMonth(m.year, m.month) || !timeValid)
        csv.fail("no such date: " + std::string(s));
    return m;
}

int32_t dayNumber(int32_t year, int32_t month, int32_t day) {
    return static_cast<int32_t>(makeDateTime(year, month, day));
}

std::array<LunarYearRow, kTableYearCount> readLunarYears(const std::string& path) {
    CsvReader csv(path, "lunar_year,month,leap,first_day,length");
    std::array<LunarYearRow, kTableYearCount> years{};
    std::vector<std::string_view> f;
    int32_t year = kFirstTableYear - 1;
    int32_t previousMonth = 0;
    int32_t monthIndex = 0;
    int32_t expectedFirstDay = 0;  // the day after the previous month
    while (csv.next(f)) {
        if (f.size() != 5) csv.fail("expected 5 fields");
        const int32_t rowYear = toInt(csv, f[0]);
        const int32_t month = toInt(csv, f[1]);
        const int32_t leap = toInt(csv, f[2]);
        const Moment first = toMoment(csv, f[3], false);
        const int32_t length = toInt(csv, f[4]);
        const int32_t firstDay = dayNumber(first.year, first.month, first.day);

        if (rowYear != year) {
            if (rowYear != year + 1 || rowYear > kLastTableYear) csv.fail("years out of order");
            if (year >= kFirstTableYear && previousMonth != 12) csv.fail("year without month 12");
            if (month != 1 || leap != 0) csv.fail("a year must begin with month 1");
            year = rowYear;
            monthIndex = 0;
            years[year - kFirstTableYear].newYearDay = firstDay;
        } else if (leap == 1) {
            if (month != previousMonth || years[year - kFirstTableYear].leapMonth != 0)
                csv.fail("a leap month must repeat the month before it, once a year");
            years[year - kFirstTableYear].leapMonth = static_cast<uint8_t>(month);
        } else if (leap != 0 || month != previousMonth + 1) {
            csv.fail("months out of order");
        }
        if (expectedFirstDay != 0 && firstDay != expectedFirstDay)
            csv.fail("month does not follow the one before it");
        if (length != 29 && length != 30) csv.fail("a month has 29 or 30 days");
        if (length == 30) years[year - kFirstTableYear].longMonths |= uint16_t(1u << monthIndex);

        ++monthIndex;
        previousMonth = month;
        expectedFirstDay = firstDay + length;
    }
    if (year != kLastTableYear || previousMonth != 12) csv.fail("table ends early");
    return years;
}

std::array<SolarTermYearRow, kTableYearCount> readSolarTerms(const std::string& path) {
    CsvReader csv(path, "number,name,moment_utc8");
    std::array<SolarTermYearRow, kTableYearCount> years{};
    std::vector<std::string_view> f;
    size_t count = 0;
    while (csv.next(f)) {
        if (f.size() != 3) csv.fail("expected 3 fields");
        const size_t yearIndex = count / kSolarTermsPerYear;
        const size_t index = count % kSolarTermsPerYear;
        const int32_t year = kFirstTableYear + static_cast<int32_t>(yearIndex);
        const Moment m = toMoment(csv, f[2], true);
        if (yearIndex >= kTableYearCount || m.year != year) csv.fail("term outside its year");
        if (toInt(csv, f[0]) != solarTermNumberAt(index)) csv.fail("terms out of order");
        // Every term keeps its Gregorian month, two to a month.
        if (m.month != static_cast<int32_t>(index / 2) + 1) csv.fail("term outside its month");

        SolarTermYearRow& row = years[yearIndex];
        row.firstDay = dayNumber(year, 1, 1);
        const int32_t day = dayNumber(m.year, m.month, m.day) - row.firstDay;
        row.termSeconds[index] = day * 86400 + m.hour * 3600 + m.minute * 60 + m.second;
        if (index > 0 && row.termSeconds[index] <= row.termSeconds[index - 1])
            csv.fail("terms out of order");
        ++count;
    }
    if (count != kTableYearCount * kSolarTermsPerYear) csv.fail("table ends early");
    return years;
}

std::string tableSource(const std::array<LunarYearRow, kTableYearCount>& lunar,
                        const std::array<SolarTermYearRow, kTableYearCount>& terms) {
    std::ostringstream out;
    out << "// Generated by calendar_table_generator from data/calendar; do not edit.\n"
           "#include \"calendar/calendar_table.h\"\n\n"
           "namespace paylog {\n\n"
           "const std::array<LunarYearRow, kTableYearCount> kLunarYears{{\n";
    for (size_t i = 0; i < lunar.size(); ++i) {
        out << "    {" << lunar[i].newYearDay << ", 0x" << std::hex << lunar[i].longMonths
            << std::dec << ", " << int(lunar[i].leapMonth) << "},  // " << kFirstTableYear + int(i)
            << "\n";
    }
    out << "}};\n\n"
           "const std::array<SolarTermYearRow, kTableYearCount> kSolarTermYears{{\n";
    for (size_t i = 0; i < terms.size(); ++i) {
        out << "    {" << terms[i].firstDay << ", {";
        for (size_t t = 0; t < kSolarTermsPerYear; ++t)
            out << (t == 0 ? "" : ", ") << terms[i].termSeconds[t];
        out << "}},  // " << kFirstTableYear + int(i) << "\n";
    }
    out << "}};\n\n}  // namespace paylog\n";
    return out.str();
}

}  // namespace
}  // namespace paylog

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: " << argv[0] << " LUNAR_MONTHS_CSV SOLAR_TERMS_CSV OUTPUT_CPP\n";
        return 2;
    }
    try {
        const std::string source =
            paylog::tableSource(paylog::readLunarYears(argv[1]), paylog::readSolarTerms(argv[2]));
        std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
        out << source;
        out.close();
        if (!out) {
            std::cerr << argv[3] << ": cannot be written\n";
            std::remove(argv[3]);
            return 1;
        }
    } catch (const paylog::TableError& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
