#pragma once
// The log as the grid page lists it: one row of ten cell texts per record in
// stored order, with the cells that hold an entry marked for shading.

#include <array>
#include <string_view>
#include <vector>

#include "core/text.h"
#include "log/log_report.h"
#include "log/overtime_log.h"
#include "log/record_store.h"

namespace paylog {

// Column c shows the log field of position c (overtime_log.h).
inline constexpr std::size_t kGridColumnCount = kLogFieldCount;

struct GridCell {
    Text text;            // GBK
    bool shaded = false;  // an entry worth seeing at a glance
};
using GridRow = std::array<GridCell, kGridColumnCount>;

struct LogGrid {
    LogReport report;  // not ok: the log could not be read, rows empty
    std::vector<GridRow> rows;
};

// Titles of row 0: "日期", "G1时数", ... "旷工时数".
const std::array<Text, kGridColumnCount>& logGridTitles();

// Hour columns (1 to 5) are shaded above 0, the remark column when not empty;
// the date, weekday, night flag and absence columns never.
bool isShadedCell(std::size_t column, std::string_view text);

LogGrid loadLogGrid(RecordStore& store, std::string_view password);

}  // namespace paylog
