// Recording a day with the entry controls: the radio buttons' usual hours,
// what each combination of kind, text and night box stores, and the refusal
// of a second record for the same date.

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

#include "log_window_fixture.h"

namespace paylog {
namespace {

const DateTime kMonday = makeDateTime(2013, 6, 24);
const std::array<const char*, 6> kRadioButtons{"单选框加班1", "单选框加班2", "单选框加班3",
                                               "单选框事假",  "单选框病假",  "单选框旷工"};

class LogRecordTest : public LogWindowTest {
  protected:
    void SetUp() override { startUnlocked("pw"); }

    void enter(const char* radio, const char* comboText, bool night) {
        control<QRadioButton>(radio).click();
        control<QComboBox>("组合框").setEditText(QString::fromUtf8(comboText));
        control<QCheckBox>("选择框夜班").setChecked(night);
    }
};

struct RadioCase {
    const char* radio;
    const char* usualHours;
};

TEST_F(LogRecordTest, RadioButtonPutsItsUsualHoursAndStandsAlone) {
    const std::array<RadioCase, 6> cases{{{"单选框加班1", "2"},
                                          {"单选框加班2", "10"},
                                          {"单选框加班3", "10"},
                                          {"单选框事假", "8"},
                                          {"单选框病假", "8"},
                                          {"单选框旷工", "8"}}};
    for (const RadioCase& c : cases) {
        SCOPED_TRACE(c.radio);
        control<QComboBox>("组合框").setEditText(QStringLiteral("x"));
        control<QRadioButton>(c.radio).click();
        EXPECT_EQ(text("组合框"), c.usualHours);
        for (const char* other : kRadioButtons)
            EXPECT_EQ(control<QRadioButton>(other).isChecked(), other == c.radio) << other;
    }
}

struct RecordCase {
    const char* name;
    const char* radio;
    const char* comboText;
    bool night;
    LoggedDay stored;
};

LoggedDay monday(LoggedDay d) {
    d.date = kMonday;
    d.weekday = "星期一";
    return d;
}

class RecordDay : public LogRecordTest, public ::testing::WithParamInterface<RecordCase> {};

TEST_P(RecordDay, StoresOneRecordAndSaysSo) {
    const RecordCase& c = GetParam();
    setDateBox(kMonday);
    enter(c.radio, c.comboText, c.night);
    click("按钮加班记录");
    ASSERT_EQ(messageTexts(), std::vector<std::string>{"加班记录添加成功！"});
    EXPECT_EQ(dialogs_.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(readLog("pw"), std::vector<LoggedDay>{c.stored});
}

INSTANTIATE_TEST_SUITE_P(
    LogRecord, RecordDay,
    ::testing::Values(
        RecordCase{"SickLeaveDropsTheNightBox", "单选框病假", "8", true, monday({.sickLeave = 8})},
        RecordCase{"RestDayOvertimeKeepsTheNightBox", "单选框加班2", "10", true,
                   monday({.g2 = 10, .night = 1})},
        RecordCase{"HolidayOvertime", "单选框加班3", "10", false, monday({.g3 = 10})},
        RecordCase{"PersonalLeaveDropsTheNightBox", "单选框事假", "8", true,
                   monday({.personalLeave = 8})},
        RecordCase{"EarlyShiftRemarkKeepsTheNightBox", "单选框病假", "早班", true,
                   monday({.remark = "早班", .night = 1})},
        RecordCase{"RestRemarkDropsTheNightBox", "单选框加班2", "休息", true,
                   monday({.remark = "休息"})},
        RecordCase{"MakeUpDayRemarkDropsTheNightBox", "单选框加班1", "补班", true,
                   monday({.remark = "补班"})},
        RecordCase{"ZeroIsStoredAsARemark", "单选框加班1", "0", false, monday({.remark = "0"})},
        RecordCase{"FractionKeepsTheWholeHours", "单选框加班1", "2.5", false, monday({.g1 = 2})},
        RecordCase{"TrailingWordsAreIgnored", "单选框加班1", "10小时", false, monday({.g1 = 10})},
        RecordCase{"NegativeHoursAreKept", "单选框旷工", "-2", false, monday({.absence = -2})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogRecordTest, SecondRecordOfADateIsRefusedWhateverItsKind) {
    setDateBox(kMonday);
    enter("单选框加班1", "2", false);
    click("按钮加班记录");
    const std::vector<LoggedDay> first = readLog("pw");
    ASSERT_EQ(first.size(), 1u);
    for (const char* comboText : {"10", "早班", "休息"}) {
        for (const char* radio : kRadioButtons) {
            SCOPED_TRACE(std::string(radio) + " " + comboText);
            forgetDialogs();
            enter(radio, comboText, true);
            click("按钮加班记录");
            EXPECT_EQ(messageTexts(), std::vector<std::string>{"今天已经记录过了。"});
        }
    }
    EXPECT_EQ(readLog("pw"), first);
}

TEST_F(LogRecordTest, HoursWithoutAKindAddNothingAndSayNothing) {
    for (const char* radio : kRadioButtons) {
        control<QRadioButton>(radio).setAutoExclusive(false);
        control<QRadioButton>(radio).setChecked(false);
    }
    control<QComboBox>("组合框").setEditText(QStringLiteral("8"));
    click("按钮加班记录");
    EXPECT_TRUE(dialogs_.messages.empty());
    EXPECT_TRUE(readLog("pw").empty());
}

TEST_F(LogRecordTest, LogRemovedWhileRunningIsReportedAndNotMadeAgain) {
    std::filesystem::remove(logPath());
    enter("单选框加班1", "2", false);
    click("按钮加班记录");
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].icon, MessageIcon::Error);
    EXPECT_NE(messageTexts()[0].find("加班.edb"), std::string::npos) << messageTexts()[0];
    EXPECT_FALSE(std::filesystem::exists(logPath()));
}

}  // namespace
}  // namespace paylog
