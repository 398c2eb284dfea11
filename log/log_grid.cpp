#include "log/log_grid.h"

#include "core/date_time.h"
#include "core/number_text.h"
#include "log/log_problem.h"
#include "log/opened_log.h"

namespace paylog {

namespace {

Text cellText(const RecordStore& store, LogField field) {
    const Text& name = fieldName(field);
    switch (field) {
        case LogField::Date:
            return dateTimeToText(store.readDate(name));
        case LogField::Remark:
        case LogField::Weekday:
            return store.readText(name);
        default:
            return intToText(store.readInt(name));
    }
}

}  // namespace

const std::array<Text, kGridColumnCount>& logGridTitles() {
    static const std::array<Text, kGridColumnCount> kTitles = {
        gbk("日期"),     gbk("G1时数"), gbk("G2时数"), gbk("G3时数"), gbk("事假时数"),
        gbk("病假时数"), gbk("备注"),   gbk("星期"),   gbk("夜班"),   gbk("旷工时数"),
    };
    return kTitles;
}

bool isShadedCell(std::size_t column, std::string_view text) {
    if (column >= fieldIndex(LogField::G1) && column <= fieldIndex(LogField::SickLeave)) {
        return textToInt(text) > 0;
    }
    if (column == fieldIndex(LogField::Remark)) return !text.empty();
    return false;
}

LogGrid loadLogGrid(RecordStore& store, std::string_view password) {
    LogGrid grid;
    const OpenedLog log(store, password, /*readOnly=*/true);
    if (!log.ok()) {
        grid.report = {log.result(), describeLogProblem(store, log.result())};
        return grid;
    }
    grid.rows.resize(static_cast<std::size_t>(store.recordCount()));
    for (GridRow& row : grid.rows) {
        for (std::size_t c = 0; c < kGridColumnCount; ++c) {
            row[c].text = cellText(store, static_cast<LogField>(c));
            row[c].shaded = isShadedCell(c, row[c].text);
        }
        store.skipRecord();
    }
    return grid;
}

}  // namespace paylog
