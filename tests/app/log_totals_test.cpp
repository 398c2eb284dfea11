// The month totals: the selected month of the log summed into the pay page's
// hour boxes, the night allowance and the date the log reaches.

#include <QLineEdit>
#include <fstream>

#include "log_window_fixture.h"

namespace paylog {
namespace {

const std::array<const char*, 7> kBoxes{
    "编辑框夜班津贴", "编辑框1加班小时数", "编辑框2加班小时数", "编辑框3加班小时数",
    "编辑框事假时数", "编辑框旷工时数",    "编辑框病假时数"};
const char* const kReached = "标签当前统计到的加班日期";
using Boxes = std::array<const char*, 7>;  // in the order of kBoxes

DateTime june2013(int day) { return makeDateTime(2013, 6, day); }

struct TotalsCase {
    const char* name;
    std::vector<SeedDay> log;
    Boxes boxes;
    const char* label;
};

class MonthTotals : public LogWindowTest, public ::testing::WithParamInterface<TotalsCase> {};

TEST_P(MonthTotals, ReplaceTheBoxesOnReading) {
    const TotalsCase& c = GetParam();
    startUnlocked("pw", c.log);
    for (const char* box : kBoxes) control<QLineEdit>(box).setText(QStringLiteral("99"));
    click("按钮读取数据库");
    for (std::size_t i = 0; i < kBoxes.size(); ++i)
        EXPECT_EQ(text(kBoxes[i]), c.boxes[i]) << kBoxes[i];
    EXPECT_EQ(text(kReached), c.label);
    EXPECT_TRUE(dialogs_.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    LogTotals, MonthTotals,
    ::testing::Values(
        TotalsCase{
            "EmptyLog", {}, {"0", "0", "0", "0", "0", "0", "0"}, "当前未加班或未记录加班！！！"},
        TotalsCase{"EveryKindInItsBox",
                   {{june2013(3), LogField::G1, 2},
                    {june2013(8), LogField::G2, 10},
                    {june2013(12), LogField::G3, 8},
                    {june2013(13), LogField::PersonalLeave, 4},
                    {june2013(14), LogField::Absence, 3},
                    {june2013(17), LogField::SickLeave, 8},
                    {june2013(18), LogField::G1, 3}},
                   {"0", "5", "10", "8", "4", "3", "8"},
                   "当前加班统计到：2013年6月18日"},
        TotalsCase{"ThreeNightEntries",
                   {{june2013(3), LogField::G1, 2, "", 1},
                    {june2013(4), LogField::G1, 2, "", 1},
                    {june2013(5), LogField::G1, 2, "", 1}},
                   {"13.5", "6", "0", "0", "0", "0", "0"},
                   "当前加班统计到：2013年6月5日"},
        TotalsCase{"TwoNightEntries",
                   {{june2013(8), LogField::G2, 10, "", 1}, {june2013(9), LogField::G2, 10, "", 1}},
                   {"9", "0", "20", "0", "0", "0", "0"},
                   "当前加班统计到：2013年6月9日"},
        TotalsCase{"EarlyShiftAddsOnlyTheAllowance",
                   {{june2013(3), LogField::G1, 0, "早班", 1}},
                   {"4.5", "0", "0", "0", "0", "0", "0"},
                   "当前加班统计到：2013年6月3日"},
        TotalsCase{"OnlyOtherMonths",
                   {{makeDateTime(2013, 5, 31), LogField::G1, 2, "", 1},
                    {makeDateTime(2013, 7, 1), LogField::G1, 2}},
                   {"0", "0", "0", "0", "0", "0", "0"},
                   "当前加班统计到：2013年7月1日"},
        TotalsCase{
            "SameMonthOfAnotherYearNotCounted",
            {{makeDateTime(2012, 6, 9), LogField::G2, 10, "", 1}, {june2013(9), LogField::G2, 8}},
            {"0", "0", "8", "0", "0", "0", "0"},
            "当前加班统计到：2013年6月9日"},
        TotalsCase{"LabelNamesTheLastAppendedNotTheLatest",
                   {{june2013(20), LogField::G1, 2}, {june2013(3), LogField::G1, 2}},
                   {"0", "4", "0", "0", "0", "0", "0"},
                   "当前加班统计到：2013年6月3日"}),
    [](const auto& info) { return std::string(info.param.name); });

class LogTotalsTest : public LogWindowTest {};

TEST_F(LogTotalsTest, StartUpAlreadyShowsTheMonth) {
    startUnlocked("pw", {{june2013(3), LogField::G1, 2}});
    EXPECT_EQ(text("编辑框1加班小时数"), "2");
    EXPECT_EQ(text(kReached), "当前加班统计到：2013年6月3日");
}

TEST_F(LogTotalsTest, RefreshLoadsTheTotalsThenComputesThePay) {
    startUnlocked("pw");
    const std::string before = text("标签G1工资");
    appendDays("pw", {{june2013(3), LogField::G1, 2}});

    click("按钮刷新");
    EXPECT_EQ(text("编辑框1加班小时数"), "2");
    EXPECT_NE(text("标签G1工资"), before);
}

TEST_F(LogTotalsTest, UnreadableLogEmptiesTheBoxesAndSaysWhy) {
    startUnlocked("pw", {{june2013(3), LogField::G1, 2, "", 1}});
    std::ofstream(logPath(), std::ios::binary | std::ios::trunc) << "spoilt";
    click("按钮读取数据库");
    for (const char* box : kBoxes) EXPECT_EQ(text(box), "") << box;
    EXPECT_EQ(text(kReached), "加班记录无法读取，本月加班未统计！");
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].icon, MessageIcon::Error);
    EXPECT_NE(messageTexts()[0].find("加班.edb"), std::string::npos) << messageTexts()[0];
}

}  // namespace
}  // namespace paylog
