// Picking a day in the date box presets the entry by weekday and rewrites
// the month's limit and holiday labels; reference texts are the worked
// examples of the date rules.

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <ostream>

#include "app/qt_text.h"
#include "window_fixture.h"

namespace paylog {
namespace {

constexpr const char* kRadioButtons[] = {"单选框加班1", "单选框加班2", "单选框加班3",
                                         "单选框事假",  "单选框病假",  "单选框旷工"};

struct PickedDay {
    const char* name;
    QDate day;
    const char* checkedRadio;  // the only radio button ticked afterwards
    const char* comboText;
    bool nightShift;  // the night box, ticked before the pick
    const char* g1Limit;
    const char* g2Limit;
    const char* g3Limit;
    const char* totalLimit;
    const char* holidays;
};

void PrintTo(const PickedDay& d, std::ostream* os) { *os << d.name; }

// Before each pick the window shows Thursday 2013-06-20 with the sick-leave
// entry and the night box ticked, so that each default shows as a change.
class DatePickTest : public UnstartedWindowTest, public ::testing::WithParamInterface<PickedDay> {
  protected:
    void SetUp() override {
        UnstartedWindowTest::SetUp();
        now_ = makeDateTime(2013, 6, 20, 8, 0, 0);
        answerGate();
        startWindow();
        control<QRadioButton>("单选框病假").setChecked(true);
        control<QCheckBox>("选择框夜班").setChecked(true);
    }

    QString label(const char* name) const { return control<QLabel>(name).text(); }
};

TEST_P(DatePickTest, PresetsTheEntryAndRewritesTheMonthLabels) {
    const PickedDay& d = GetParam();
    control<QDateEdit>("日期框1").setDate(d.day);

    for (const char* radio : kRadioButtons)
        EXPECT_EQ(control<QRadioButton>(radio).isChecked(),
                  std::string_view(radio) == d.checkedRadio)
            << radio;
    EXPECT_EQ(control<QComboBox>("组合框").currentText(), QString::fromUtf8(d.comboText));
    EXPECT_EQ(control<QCheckBox>("选择框夜班").isChecked(), d.nightShift);
    EXPECT_EQ(label("标签本月G1最多小时数"), QString::fromUtf8(d.g1Limit));
    EXPECT_EQ(label("标签本月G2最多小时数"), QString::fromUtf8(d.g2Limit));
    EXPECT_EQ(label("标签本月G3最多小时数"), QString::fromUtf8(d.g3Limit));
    EXPECT_EQ(label("标签本月最多加班小时数"), QString::fromUtf8(d.totalLimit));
    EXPECT_EQ(label("标签本月节假日"), QString::fromUtf8(d.holidays));
    // The month named there is the one of the last totals load, not the pick.
    EXPECT_EQ(label("标签本月已加班"), QString::fromUtf8("6月已加班0小时。"));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Days, DatePickTest, ::testing::Values(
    PickedDay{"SundayRestsAndLeavesTheKindAlone", QDate(2013, 6, 23), "单选框病假", "休息", false,
              "本月G1最多时数：38小时", "本月G2最多时数：50小时", "本月G3最多时数：10小时",
              "本月最多加班时数：98小时", "本月法定节假日有：端午节 "},
    PickedDay{"SaturdayIsTenHoursOfG2", QDate(2013, 6, 22), "单选框加班2", "10", true,
              "本月G1最多时数：38小时", "本月G2最多时数：50小时", "本月G3最多时数：10小时",
              "本月最多加班时数：98小时", "本月法定节假日有：端午节 "},
    PickedDay{"MondayIsTwoHoursOfG1", QDate(2013, 6, 24), "单选框加班1", "2", true,
              "本月G1最多时数：38小时", "本月G2最多时数：50小时", "本月G3最多时数：10小时",
              "本月最多加班时数：98小时", "本月法定节假日有：端午节 "},
    PickedDay{"MarchWithoutHolidayEmptiesTheHolidayLabel", QDate(2013, 3, 15), "单选框加班1", "2", true,
              "本月G1最多时数：42小时", "本月G2最多时数：50小时", "本月G3最多时数：0小时",
              "本月最多加班时数：92小时", ""},
    PickedDay{"OctoberNamesNationalDay", QDate(2013, 10, 8), "单选框加班1", "2", true,
              "本月G1最多时数：40小时", "本月G2最多时数：40小时", "本月G3最多时数：30小时",
              "本月最多加班时数：110小时", "本月法定节假日有：国庆 "},
    PickedDay{"January2012NamesFourHolidays", QDate(2012, 1, 10), "单选框加班1", "2", true,
              "本月G1最多时数：36小时", "本月G2最多时数：40小时", "本月G3最多时数：40小时",
              "本月最多加班时数：116小时", "本月法定节假日有：正月初二 春节 除夕 元旦 "}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

class OvertimeSoFarTest : public WindowTest {};

TEST_F(OvertimeSoFarTest, DatePickSumsTheThreeHourBoxes) {
    control<QLineEdit>("编辑框1加班小时数").setText("10");
    control<QLineEdit>("编辑框2加班小时数").setText("8");
    control<QLineEdit>("编辑框3加班小时数").setText("0");
    control<QDateEdit>("日期框1").setDate(QDate(2013, 6, 25));
    EXPECT_EQ(control<QLabel>("标签本月已加班").text(), QString::fromUtf8("6月已加班18小时。"));
}

// The pay button runs the date handling first, so a typed hour count shows
// in the line without picking a day.
TEST_F(OvertimeSoFarTest, PayButtonRefreshesTheLineFirst) {
    control<QLineEdit>("编辑框1加班小时数").setText("12");
    control<QComboBox>("组合框").setEditText("8");
    QTest::mouseClick(&control<QPushButton>("按钮结果输出"), Qt::LeftButton);
    EXPECT_EQ(control<QLabel>("标签本月已加班").text(), QString::fromUtf8("6月已加班12小时。"));
    EXPECT_EQ(control<QComboBox>("组合框").currentText(), QString("2"));  // Monday's default again
}

}  // namespace
}  // namespace paylog
