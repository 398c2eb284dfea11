#include <gtest/gtest.h>

#include "core/date_time.h"
#include "log/log_grid.h"
#include "tests/log/overtime_log_fixture.h"

namespace paylog {
namespace {

using paylog::PrintTo;

const DateTime kSunday = makeDateTime(2013, 6, 23);

std::vector<std::string> texts(const GridRow& row) {
    std::vector<std::string> out;
    for (const GridCell& c : row) out.push_back(utf8(c.text));
    return out;
}

std::vector<bool> shading(const GridRow& row) {
    std::vector<bool> out;
    for (const GridCell& c : row) out.push_back(c.shaded);
    return out;
}

TEST(LogGridTitlesTest, NameTheTenColumns) {
    std::vector<std::string> titles;
    for (const Text& t : logGridTitles()) titles.push_back(utf8(t));
    EXPECT_EQ(titles, (std::vector<std::string>{"日期", "G1时数", "G2时数", "G3时数", "事假时数",
                                                "病假时数", "备注", "星期", "夜班", "旷工时数"}));
}

TEST_F(OvertimeLogTest, EmptyLogGivesNoRows) {
    const LogGrid grid = loadLogGrid(store(), "");
    EXPECT_TRUE(grid.report.ok());
    EXPECT_TRUE(grid.rows.empty());
}

struct GridCase {
    const char* name;
    LogRecord record;  // dated Sunday 23 June 2013
    std::vector<std::string> cells;
    std::vector<bool> shaded;
};

class LogGridRowTest : public OvertimeLogTest, public ::testing::WithParamInterface<GridCase> {};

TEST_P(LogGridRowTest, ShowsAndShadesTheEntry) {
    LogRecord r = GetParam().record;
    r.date = kSunday;
    r.weekday = gbk("星期日");
    append({r});
    const LogGrid grid = loadLogGrid(store(), "");
    ASSERT_EQ(grid.rows.size(), 1u);
    EXPECT_EQ(texts(grid.rows[0]), GetParam().cells);
    EXPECT_EQ(shading(grid.rows[0]), GetParam().shaded);
}

LogRecord make(int32_t g1, int32_t g2, int32_t sick, const char* remark, int32_t night,
               int32_t absence) {
    LogRecord r;
    r.g1 = g1, r.g2 = g2, r.sickLeave = sick, r.remark = gbk(remark), r.nightShift = night;
    r.absence = absence;
    return r;
}

INSTANTIATE_TEST_SUITE_P(
    Entries, LogGridRowTest,
    ::testing::Values(
        GridCase{"g2_shaded_night_flag_not",
                 make(0, 10, 0, "", 1, 0),
                 {"2013年6月23日", "0", "10", "0", "0", "0", "", "星期日", "1", "0"},
                 {false, false, true, false, false, false, false, false, false, false}},
        GridCase{"remark_shaded_zero_hours_not",
                 make(0, 0, 0, "休息", 0, 0),
                 {"2013年6月23日", "0", "0", "0", "0", "0", "休息", "星期日", "0", "0"},
                 {false, false, false, false, false, false, true, false, false, false}},
        GridCase{"absence_never_shaded",
                 make(0, 0, 0, "", 0, 8),
                 {"2013年6月23日", "0", "0", "0", "0", "0", "", "星期日", "0", "8"},
                 {false, false, false, false, false, false, false, false, false, false}},
        GridCase{"negative_hours_shown_not_shaded",
                 make(-2, 0, 0, "", 0, 0),
                 {"2013年6月23日", "-2", "0", "0", "0", "0", "", "星期日", "0", "0"},
                 {false, false, false, false, false, false, false, false, false, false}},
        GridCase{"sick_leave_shaded",
                 make(0, 0, 8, "", 0, 0),
                 {"2013年6月23日", "0", "0", "0", "0", "8", "", "星期日", "0", "0"},
                 {false, false, false, false, false, true, false, false, false, false}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OvertimeLogTest, RowsFollowTheStoredOrder) {
    LogRecord later, earlier;
    later.date = makeDateTime(2013, 6, 24);
    earlier.date = makeDateTime(2013, 6, 3);
    append({later, earlier});
    const LogGrid grid = loadLogGrid(store(), "");
    ASSERT_EQ(grid.rows.size(), 2u);
    EXPECT_EQ(utf8(grid.rows[0][0].text), "2013年6月24日");
    EXPECT_EQ(utf8(grid.rows[1][0].text), "2013年6月3日");
}

struct ShadeCase {
    const char* name;
    std::size_t column;
    const char* text;
    bool shaded;
};

class ShadedCellTest : public ::testing::TestWithParam<ShadeCase> {};

TEST_P(ShadedCellTest, MarksOnlyEntries) {
    EXPECT_EQ(isShadedCell(GetParam().column, gbk(GetParam().text)), GetParam().shaded);
}

INSTANTIATE_TEST_SUITE_P(Cells, ShadedCellTest,
                         ::testing::Values(ShadeCase{"date_never", 0, "2013年6月23日", false},
                                           ShadeCase{"g1_positive", 1, "2", true},
                                           ShadeCase{"g1_zero", 1, "0", false},
                                           ShadeCase{"personal_leave_positive", 4, "8", true},
                                           ShadeCase{"sick_leave_negative", 5, "-8", false},
                                           ShadeCase{"remark_present", 6, "早班", true},
                                           ShadeCase{"remark_empty", 6, "", false},
                                           ShadeCase{"weekday_never", 7, "星期日", false},
                                           ShadeCase{"night_flag_never", 8, "1", false},
                                           ShadeCase{"absence_never", 9, "8", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RemovedLogTest, GridReportsTheMissingLogWithNoRows) {
    const LogGrid grid = loadLogGrid(store(), "");
    EXPECT_EQ(grid.report.store.status, StoreStatus::Missing);
    EXPECT_FALSE(grid.report.message.empty());
    EXPECT_TRUE(grid.rows.empty());
}

}  // namespace
}  // namespace paylog
