#include "calendar_csv.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "core/date_time.h"

namespace paylog::test {
namespace {

std::vector<std::string> dataLines(const std::string& file) {
    const std::string path = std::string(PAYLOG_CALENDAR_DATA_DIR) + "/" + file;
    std::ifstream in(path);
    std::vector<std::string> lines;
    if (!in) {
        ADD_FAILURE() << "cannot read " << path;
        return lines;
    }
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

}  // namespace

std::vector<CsvLunarMonth> readLunarMonths() {
    std::vector<CsvLunarMonth> months;
    for (const std::string& line : dataLines("lunar-months.csv")) {
        CsvLunarMonth m{};
        int leap = 0, y = 0, mo = 0, d = 0;
        if (std::sscanf(line.c_str(), "%d,%d,%d,%d-%d-%d,%d", &m.year, &m.month, &leap, &y, &mo, &d,
                        &m.length) != 7) {
            ADD_FAILURE() << "unreadable line: " << line;
            return {};
        }
        m.leap = leap == 1;
        m.firstDay = static_cast<int32_t>(makeDateTime(y, mo, d));
        months.push_back(m);
    }
    return months;
}

std::vector<CsvSolarTerm> readSolarTerms() {
    std::vector<CsvSolarTerm> terms;
    for (const std::string& line : dataLines("solar-terms.csv")) {
        CsvSolarTerm t{};
        const size_t nameStart = line.find(',') + 1;
        const size_t nameEnd = line.find(',', nameStart);
        t.name = line.substr(nameStart, nameEnd - nameStart);
        if (std::sscanf(line.c_str(), "%d", &t.number) != 1 ||
            std::sscanf(line.c_str() + nameEnd + 1, "%d-%d-%d %d:%d:%d", &t.year, &t.month, &t.day,
                        &t.hour, &t.minute, &t.second) != 6) {
            ADD_FAILURE() << "unreadable line: " << line;
            return {};
        }
        t.dayNumber = static_cast<int32_t>(makeDateTime(t.year, t.month, t.day));
        terms.push_back(t);
    }
    return terms;
}

}  // namespace paylog::test
