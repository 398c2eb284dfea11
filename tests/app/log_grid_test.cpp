// The grid page: one row per record under the title row, the cells holding
// an entry shaded grey, and the date column kept in view while scrolling.

#include <QCoreApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <fstream>
#include <set>

#include "log_window_fixture.h"

namespace paylog {
namespace {

const QColor kGrey(192, 192, 192);
const std::vector<std::string> kTitles{"日期",     "G1时数", "G2时数", "G3时数", "事假时数",
                                       "病假时数", "备注",   "星期",   "夜班",   "旷工时数"};

class LogGridTest : public LogWindowTest {
  protected:
    QTableWidget& grid() const { return control<QTableWidget>("高级表格1"); }
    std::vector<std::string> rowTexts(int row) const {
        std::vector<std::string> texts;
        for (int column = 0; column < grid().columnCount(); ++column) {
            const QTableWidgetItem* item = grid().item(row, column);
            texts.push_back(item ? item->text().toStdString() : std::string());
        }
        return texts;
    }
    std::set<int> shadedColumns(int row) const {
        std::set<int> shaded;
        for (int column = 0; column < grid().columnCount(); ++column) {
            const QTableWidgetItem* item = grid().item(row, column);
            if (!item) continue;
            const QBrush background = item->background();
            if (background.style() == Qt::NoBrush) continue;
            EXPECT_EQ(background.color(), kGrey) << "row " << row << " column " << column;
            shaded.insert(column);
        }
        return shaded;
    }
    std::vector<std::string> titles() const {
        std::vector<std::string> texts;
        for (int column = 0; column < grid().columnCount(); ++column)
            texts.push_back(grid().horizontalHeaderItem(column)->text().toStdString());
        return texts;
    }
};

TEST_F(LogGridTest, EmptyLogShowsTheTitleRowOnly) {
    startUnlocked("pw");
    click("按钮表格刷新");
    EXPECT_EQ(grid().rowCount(), 0);
    EXPECT_EQ(titles(), kTitles);
    EXPECT_EQ(grid().columnWidth(0), 100);
    for (int column = 1; column < grid().columnCount(); ++column)
        EXPECT_EQ(grid().columnWidth(column), 60) << column;
    EXPECT_TRUE(dialogs_.messages.empty());
}

struct GridRowCase {
    const char* name;
    SeedDay day;
    std::vector<std::string> cells;
    std::set<int> shaded;
};

const std::vector<GridRowCase> kGridRows{
    {"RestDayOvertimeShadedNightFlagNot",
     {makeDateTime(2013, 6, 8), LogField::G2, 10, "", 1},
     {"2013年6月8日", "0", "10", "0", "0", "0", "", "星期六", "1", "0"},
     {2}},
    {"RemarkShadedZeroHoursNot",
     {makeDateTime(2013, 6, 9), LogField::G1, 0, "休息"},
     {"2013年6月9日", "0", "0", "0", "0", "0", "休息", "星期日", "0", "0"},
     {6}},
    {"AbsenceNeverShaded",
     {makeDateTime(2013, 6, 10), LogField::Absence, 8},
     {"2013年6月10日", "0", "0", "0", "0", "0", "", "星期一", "0", "8"},
     {}},
    {"NegativeHoursShownNotShaded",
     {makeDateTime(2013, 6, 11), LogField::G1, -2},
     {"2013年6月11日", "-2", "0", "0", "0", "0", "", "星期二", "0", "0"},
     {}},
    {"SickLeaveShaded",
     {makeDateTime(2013, 6, 12), LogField::SickLeave, 8},
     {"2013年6月12日", "0", "0", "0", "0", "8", "", "星期三", "0", "0"},
     {5}},
    {"PersonalLeaveAndHolidayShaded",
     {makeDateTime(2013, 6, 13), LogField::PersonalLeave, 4},
     {"2013年6月13日", "0", "0", "0", "4", "0", "", "星期四", "0", "0"},
     {4}},
};

TEST_F(LogGridTest, EveryRecordIsOneRowShadedWhereItHoldsAnEntry) {
    std::vector<SeedDay> days;
    for (const GridRowCase& c : kGridRows) days.push_back(c.day);
    startUnlocked("pw", days);
    click("按钮表格刷新");
    ASSERT_EQ(grid().rowCount(), static_cast<int>(kGridRows.size()));
    for (int row = 0; row < grid().rowCount(); ++row) {
        const GridRowCase& c = kGridRows[static_cast<std::size_t>(row)];
        SCOPED_TRACE(c.name);
        EXPECT_EQ(rowTexts(row), c.cells);
        EXPECT_EQ(shadedColumns(row), c.shaded);
        EXPECT_EQ(grid().rowHeight(row), 24);
    }
}

// After the sort moves values between rows, a grey cell still means an entry.
TEST_F(LogGridTest, RefillGivesCellsThatLostTheirEntryTheDefaultBackground) {
    startUnlocked("pw", {{makeDateTime(2013, 6, 20), LogField::G1, 2, "补班"},
                         {makeDateTime(2013, 6, 3), LogField::Absence, 8}});
    click("按钮表格刷新");
    EXPECT_EQ(shadedColumns(0), (std::set<int>{1, 6}));
    EXPECT_EQ(shadedColumns(1), std::set<int>{});
    click("按钮数据库排序");
    click("按钮表格刷新");
    EXPECT_EQ(rowTexts(0)[0], "2013年6月3日");
    EXPECT_EQ(shadedColumns(0), std::set<int>{});
    EXPECT_EQ(shadedColumns(1), (std::set<int>{1, 6}));
}

TEST_F(LogGridTest, RecordsAddedLaterShowOnlyAtTheNextFill) {
    startUnlocked("pw", {{makeDateTime(2013, 6, 3), LogField::G1, 2}});
    click("按钮表格刷新");
    appendDays("pw", {{makeDateTime(2013, 6, 4), LogField::G1, 2}});
    EXPECT_EQ(grid().rowCount(), 1);
    click("按钮表格刷新");
    EXPECT_EQ(grid().rowCount(), 2);
}

TEST_F(LogGridTest, EnteringTheGridPageRefillsItEveryTimeAndOtherPagesDoNot) {
    startUnlocked("pw", {{makeDateTime(2013, 6, 3), LogField::G1, 2}});
    auto& tabs = control<QTabWidget>("高级选择夹1");
    tabs.setCurrentIndex(1);
    EXPECT_EQ(grid().rowCount(), 1);

    appendDays("pw", {{makeDateTime(2013, 6, 4), LogField::G1, 2}});
    tabs.setCurrentIndex(2);
    tabs.setCurrentIndex(0);
    EXPECT_EQ(grid().rowCount(), 1);
    tabs.setCurrentIndex(1);
    EXPECT_EQ(grid().rowCount(), 2);
}

TEST_F(LogGridTest, DateColumnStaysInViewWhenTheGridScrolls) {
    std::vector<SeedDay> days;
    for (int day = 1; day <= 30; ++day)
        days.push_back({makeDateTime(2013, 6, day), LogField::G1, 2});
    for (int day = 1; day <= 31; ++day)
        days.push_back({makeDateTime(2013, 7, day), LogField::G1, 2});
    startUnlocked("pw", days);
    window_->show();
    control<QTabWidget>("高级选择夹1").setCurrentIndex(1);
    click("按钮表格刷新");
    QCoreApplication::processEvents();

    QTableView* dates = nullptr;
    for (QTableView* view : grid().findChildren<QTableView*>())
        if (view != &grid()) dates = view;
    ASSERT_NE(dates, nullptr);
    EXPECT_TRUE(dates->isVisible());
    EXPECT_EQ(dates->width(), 100);
    EXPECT_EQ(dates->model(), grid().model());
    for (int column = 1; column < grid().columnCount(); ++column)
        EXPECT_TRUE(dates->isColumnHidden(column)) << column;

    grid().horizontalScrollBar()->setValue(grid().horizontalScrollBar()->maximum());
    grid().verticalScrollBar()->setValue(40);
    QCoreApplication::processEvents();
    EXPECT_EQ(dates->x(), grid().frameWidth());
    EXPECT_EQ(dates->verticalScrollBar()->value(), grid().verticalScrollBar()->value());
    const QPoint topLeftCell(4, 4);
    EXPECT_EQ(dates->indexAt(topLeftCell).row(), grid().indexAt(topLeftCell).row());
    EXPECT_EQ(dates->indexAt(topLeftCell).column(), 0);
}

TEST_F(LogGridTest, UnreadableLogEmptiesTheGridAndSaysWhy) {
    startUnlocked("pw", {{makeDateTime(2013, 6, 3), LogField::G1, 2}});
    click("按钮表格刷新");
    ASSERT_EQ(grid().rowCount(), 1);
    std::ofstream(logPath(), std::ios::binary | std::ios::trunc) << "spoilt";
    click("按钮表格刷新");
    EXPECT_EQ(grid().rowCount(), 0);
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].icon, MessageIcon::Error);
    EXPECT_NE(messageTexts()[0].find("加班.edb"), std::string::npos) << messageTexts()[0];
}

}  // namespace
}  // namespace paylog
