// The tax method and monthly special deduction of page "设置": the pay
// calculation uses them with the date box's month, and they survive a
// restart.

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <ostream>

#include "app/qt_text.h"
#include "window_fixture.h"

namespace paylog {
namespace {

constexpr int k2011Table = 0;
constexpr int kCumulative2019 = 1;

class TaxChoiceTest : public WindowTest {
  protected:
    QComboBox& method() const { return control<QComboBox>("组合框个税计算方法"); }
    QLineEdit& deduction() const { return control<QLineEdit>("编辑框每月专项附加扣除"); }
};

TEST_F(TaxChoiceTest, StartsWithThe2011TableAndNoDeduction) {
    EXPECT_EQ(method().currentIndex(), k2011Table);
    EXPECT_EQ(method().currentText(), QString::fromUtf8("2011年版（起征点3500元）"));
    EXPECT_EQ(method().itemText(kCumulative2019),
              QString::fromUtf8("2019年起累计预扣法（起征点5000元）"));
    EXPECT_EQ(deduction().text(), "0");
    EXPECT_EQ(method().count(), 2);
}

TEST_F(TaxChoiceTest, LongestMethodShowsWhole) {
    EXPECT_LE(method().sizeHint().width(), method().width());
}

TEST_F(TaxChoiceTest, ChoiceSurvivesARestart) {
    method().setCurrentIndex(kCumulative2019);
    deduction().setText("1500");
    restartWindow();
    EXPECT_EQ(method().currentIndex(), kCumulative2019);
    EXPECT_EQ(deduction().text(), "1500");
}

struct TaxCase {
    const char* name;
    int method;
    const char* deduction;
    QDate day;  // the date box's month is the month paid
    const char* taxLabel;
};

void PrintTo(const TaxCase& c, std::ostream* os) { *os << c.name; }

class TaxFigureTest : public TaxChoiceTest, public ::testing::WithParamInterface<TaxCase> {};

// Gross 20000 with 1000 social insurance: 14000 a month above 5000 under the
// cumulative method, 15500 above 3500 under the 2011 table.
TEST_P(TaxFigureTest, PayButtonUsesTheChosenMethod) {
    const TaxCase& c = GetParam();
    for (const char* zero :
         {"编辑框考核岗位津贴", "编辑框职务津贴", "编辑框地区津贴", "编辑框技能津贴",
          "编辑框特殊岗位津贴", "编辑框夜班津贴", "编辑框住房公积金代扣"})
        control<QLineEdit>(zero).setText("0");
    control<QLineEdit>("编辑框正常工作时间工资").setText("20000");
    control<QLineEdit>("编辑框社保代扣").setText("1000");
    method().setCurrentIndex(c.method);
    deduction().setText(c.deduction);
    control<QDateEdit>("日期框1").setDate(c.day);

    QTest::mouseClick(&control<QPushButton>("按钮结果输出"), Qt::LeftButton);
    EXPECT_EQ(control<QLabel>("标签应发工资").text(), QString::fromUtf8("应发工资：20000元"));
    EXPECT_EQ(control<QLabel>("标签个人所得税代扣").text(), QString::fromUtf8(c.taxLabel));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Methods, TaxFigureTest, ::testing::Values(
    // 15500 at 25 % less 1005.
    TaxCase{"Table2011IgnoresTheDeduction", k2011Table, "1000", QDate(2013, 8, 15), "个人所得税代扣:2870元"},
    // 112000 at 10 % less 2520, minus 98000 at 10 % less 2520.
    TaxCase{"CumulativeInAugust", kCumulative2019, "0", QDate(2013, 8, 15), "个人所得税代扣:1400元"},
    // 104000 and 91000 with 1000 a month deducted.
    TaxCase{"CumulativeWithSpecialDeduction", kCumulative2019, "1000", QDate(2013, 8, 15), "个人所得税代扣:1300元"},
    // 14000 at 3 %.
    TaxCase{"CumulativeInJanuary", kCumulative2019, "0", QDate(2013, 1, 15), "个人所得税代扣:420元"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace paylog
