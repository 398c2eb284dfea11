// Start-up takes the new window to this month's figures: the gate, the
// night-shift setting, the date handling, the month totals and the pay, then
// a G1 entry of 2 hours, the month progress bar and the holiday label.

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <optional>
#include <ostream>
#include <vector>

#include "app/qt_date.h"
#include "window_fixture.h"

namespace paylog {
namespace {

constexpr const char* kOtherRadioButtons[] = {"单选框加班2", "单选框加班3", "单选框事假",
                                              "单选框病假", "单选框旷工"};

struct StartDay {
    const char* name;
    DateTime now;
    const char* shiftInFile;  // value of key "夜班", or nullptr for no settings file
    bool nightShift;
    int daysInMonth;
    int day;
    const char* monthSoFar;
    const char* g1Limit;
    const char* g2Limit;
    const char* g3Limit;
    const char* totalLimit;
    const char* holidays;
};

void PrintTo(const StartDay& d, std::ostream* os) { *os << d.name; }

class StartDayTest : public UnstartedWindowTest, public ::testing::WithParamInterface<StartDay> {
  protected:
    QString label(const char* name) const { return control<QLabel>(name).text(); }
};

TEST_P(StartDayTest, WindowOpensOnTheDaysMonth) {
    const StartDay& d = GetParam();
    now_ = d.now;
    if (d.shiftInFile) writeSettingsFile(std::string("[工资总项目]\n夜班=") + d.shiftInFile + "\n");
    answerGate();
    startWindow();
    ASSERT_TRUE(window_->startedUp());

    EXPECT_EQ(window_->sessionStartTime(), d.now);
    EXPECT_EQ(control<QDateEdit>("日期框1").date(), toQDate(d.now));
    EXPECT_TRUE(control<QRadioButton>("单选框加班1").isChecked());
    for (const char* radio : kOtherRadioButtons)
        EXPECT_FALSE(control<QRadioButton>(radio).isChecked()) << radio;
    EXPECT_EQ(control<QComboBox>("组合框").currentText(), "2");
    EXPECT_EQ(control<QCheckBox>("选择框夜班").isChecked(), d.nightShift);

    const QScrollBar& progress = control<QScrollBar>("进度条1");
    EXPECT_EQ(progress.minimum(), 1);
    EXPECT_EQ(progress.maximum(), d.daysInMonth);
    EXPECT_EQ(progress.value(), d.day);

    EXPECT_EQ(label("标签本月已加班"), QString::fromUtf8(d.monthSoFar));
    EXPECT_EQ(label("标签本月G1最多小时数"), QString::fromUtf8(d.g1Limit));
    EXPECT_EQ(label("标签本月G2最多小时数"), QString::fromUtf8(d.g2Limit));
    EXPECT_EQ(label("标签本月G3最多小时数"), QString::fromUtf8(d.g3Limit));
    EXPECT_EQ(label("标签本月最多加班小时数"), QString::fromUtf8(d.totalLimit));
    EXPECT_EQ(label("标签本月节假日"), QString::fromUtf8(d.holidays));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Days, StartDayTest, ::testing::Values(
    StartDay{"SundayUnticksTheNightShiftOfTheFile", makeDateTime(2013, 6, 23, 10, 0, 0), "夜班", false,
             30, 23, "6月已加班0小时。", "本月G1最多时数：38小时", "本月G2最多时数：50小时",
             "本月G3最多时数：10小时", "本月最多加班时数：98小时", "本月法定节假日有：端午节 "},
    StartDay{"SaturdayStillEndsOnG1WithTheNightShift", makeDateTime(2013, 6, 22, 7, 45, 0), "夜班", true,
             30, 22, "6月已加班0小时。", "本月G1最多时数：38小时", "本月G2最多时数：50小时",
             "本月G3最多时数：10小时", "本月最多加班时数：98小时", "本月法定节假日有：端午节 "},
    StartDay{"WeekdayWithDayShiftInTheFile", makeDateTime(2013, 6, 24, 9, 30, 0), "白班", false,
             30, 24, "6月已加班0小时。", "本月G1最多时数：38小时", "本月G2最多时数：50小时",
             "本月G3最多时数：10小时", "本月最多加班时数：98小时", "本月法定节假日有：端午节 "},
    StartDay{"EmptyShiftValueIsNoNightShift", makeDateTime(2013, 6, 24, 9, 30, 0), "", false,
             30, 24, "6月已加班0小时。", "本月G1最多时数：38小时", "本月G2最多时数：50小时",
             "本月G3最多时数：10小时", "本月最多加班时数：98小时", "本月法定节假日有：端午节 "},
    StartDay{"LastDayOfFebruaryFillsTheBar", makeDateTime(2013, 2, 28, 23, 59, 59), nullptr, false,
             28, 28, "2月已加班0小时。", "本月G1最多时数：34小时", "本月G2最多时数：40小时",
             "本月G3最多时数：30小时", "本月最多加班时数：104小时", "本月法定节假日有：正月初二 春节 除夕 "},
    StartDay{"LastDayOfJanuaryFillsTheBar", makeDateTime(2013, 1, 31, 12, 0, 0), nullptr, false,
             31, 31, "1月已加班0小时。", "本月G1最多时数：44小时", "本月G2最多时数：40小时",
             "本月G3最多时数：10小时", "本月最多加班时数：94小时", "本月法定节假日有：元旦 "},
    StartDay{"MarchHasAnEmptyHolidayLabel", makeDateTime(2013, 3, 15, 8, 0, 0), nullptr, false,
             31, 15, "3月已加班0小时。", "本月G1最多时数：42小时", "本月G2最多时数：50小时",
             "本月G3最多时数：0小时", "本月最多加班时数：92小时", ""},
    StartDay{"OctoberKeepsTheHolidayNamesTrailingBlank", makeDateTime(2013, 10, 8, 8, 0, 0), nullptr, false,
             31, 8, "10月已加班0小时。", "本月G1最多时数：40小时", "本月G2最多时数：40小时",
             "本月G3最多时数：30小时", "本月最多加班时数：110小时", "本月法定节假日有：国庆 "}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

class LoggedMonthStartTest : public WindowTest {};

// A G1 entry of 2 hours logged on the first run shows in every figure it
// touches on the next: 2 hours at 11.61 x 1.5 = 17.415 are 34.83.
TEST_F(LoggedMonthStartTest, NextStartShowsTheLoggedHoursInEveryFigure) {
    QTest::mouseClick(&control<QPushButton>("按钮加班记录"), Qt::LeftButton);
    restartWindow();
    ASSERT_TRUE(window_->startedUp());

    EXPECT_EQ(control<QLineEdit>("编辑框1加班小时数").text(), "2");
    const std::vector<std::pair<const char*, const char*>> expected{
        {"标签本月已加班", "6月已加班2小时。"},
        {"标签G1工资", "G1工资：34.83元"},
        {"标签G2工资", "G2工资：0元"},
        {"标签加班费总和", "加班费总和：34.83元"},
        {"标签应发工资", "应发工资：2554.83元"},
        {"标签个人所得税代扣", "个人所得税代扣:0元"},
        {"标签实发工资", "实发工资：1979.23元"},
        {"标签正常班时薪", "时薪：11.61元"},
        {"标签本月节假日", "本月法定节假日有：端午节 "},
    };
    for (const auto& [name, text] : expected)
        EXPECT_EQ(control<QLabel>(name).text(), QString::fromUtf8(text)) << name;
}

struct GateEnd {
    const char* name;
    std::vector<std::optional<Text>> answers;  // the first start's password dialogs
};

void PrintTo(const GateEnd& g, std::ostream* os) { *os << g.name; }

class StoppedAtGateTest : public UnstartedWindowTest,
                          public ::testing::WithParamInterface<GateEnd> {};

// The boxes still hold the form's defaults, which must not replace the
// user's saved inputs.
TEST_P(StoppedAtGateTest, ShutdownLeavesTheSettingsFileAlone) {
    writeSettingsFile("[工资总项目]\n正常工作时间工资=5000\n夜班=夜班\n个税计算方法=2019\n");
    const std::string before = settingsFileBytes();
    for (const std::optional<Text>& answer : GetParam().answers)
        dialogs_.inputAnswers.push_back(answer);
    startWindow();
    EXPECT_FALSE(window_->startedUp());
    window_.reset();
    EXPECT_EQ(settingsFileBytes(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Gate, StoppedAtGateTest,
    ::testing::Values(GateEnd{"PasswordPromptCancelled", {Text("pw"), Text("pw"), std::nullopt}},
                      GateEnd{"FirstPasswordsDiffer", {Text("pw"), Text("wp")}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace paylog
