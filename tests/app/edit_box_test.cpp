// How the edit boxes react to typing and to being entered.

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "window_fixture.h"

namespace paylog {
namespace {

class EditBoxTest : public WindowTest {
  protected:
    QLineEdit& box(const char* name) const { return control<QLineEdit>(name); }

    // Puts the focus on `name` by a program call (which counts as entering).
    QLineEdit& focus(const char* name) const {
        QLineEdit& edit = box(name);
        edit.setFocus(Qt::OtherFocusReason);
        return edit;
    }

    // Key presses carrying `text`, one character each, as a keyboard sends
    // them (QTest's own helper only types Latin-1).
    static void type(QWidget& widget, const QString& text) {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(&widget, &press);
            QApplication::sendEvent(&widget, &release);
        }
    }

    // Moves the focus from `from` with Tab (or Shift+Tab) and checks that it
    // landed on `to`.
    QLineEdit& tabInto(const char* from, const char* to, bool backwards = false) const {
        QLineEdit& start = box(from);
        start.setFocus(Qt::OtherFocusReason);
        QTest::keyClick(&start, backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                        backwards ? Qt::ShiftModifier : Qt::NoModifier);
        QLineEdit& target = box(to);
        EXPECT_TRUE(target.hasFocus()) << from << " -> " << to;
        return target;
    }
};

// --- Typing into the amount and hour boxes -----------------------------------

struct TypingCase {
    const char* name;
    const char* box;
    QString typed;
    QString expected;
};

void PrintTo(const TypingCase& c, std::ostream* os) { *os << c.name; }

class NumberTypingTest : public EditBoxTest, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(NumberTypingTest, KeepsOnlyWhatTheBoxAccepts) {
    QLineEdit& edit = focus(GetParam().box);
    edit.selectAll();  // what entering left, typed over
    type(edit, GetParam().typed);
    EXPECT_EQ(edit.text(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, NumberTypingTest,
    ::testing::Values(
        TypingCase{"LetterIgnored", "编辑框1加班小时数", "12a.5", "12.5"},
        TypingCase{"MinusAndSecondPointAccepted", "编辑框1加班小时数", "-1.2.3", "-1.2.3"},
        TypingCase{"EleventhCharacterRefused", "编辑框住宿费代扣", "12345678901", "1234567890"},
        TypingCase{"ChineseAndFullWidthIgnored", "编辑框夜班津贴", QString::fromUtf8("4天５ 5"),
                   "45"},
        TypingCase{"SameRuleOnAKeptBox", "编辑框社保代扣", "x", "175.6"}),
    [](const ::testing::TestParamInfo<TypingCase>& info) { return info.param.name; });

TEST_F(EditBoxTest, ControlKeysStillWorkOnAFullBox) {
    QLineEdit& edit = focus("编辑框伙食费代扣");
    type(edit, "1234567890");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Home);
    type(edit, "7");
    EXPECT_EQ(edit.text(), "7123456789");
    // Typing over a selection replaces it, so a full box can still be retyped.
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    type(edit, "5");
    EXPECT_EQ(edit.text(), "5");
}

TEST_F(EditBoxTest, TextsWrittenByTheProgramAreNotFiltered) {
    QLineEdit& edit = box("编辑框1加班小时数");
    const QString written = QString::fromUtf8("12.3456789012 小时");
    edit.setText(written);
    EXPECT_EQ(edit.text(), written);
}

TEST_F(EditBoxTest, OtherItemsTakeAnyTextOfAnyLength) {
    QLineEdit& edit = focus("编辑框其它加项");
    EXPECT_EQ(edit.text(), "0") << "not emptied on entry";
    edit.selectAll();
    const QString typed = QString::fromUtf8("abc 奖金 ") + QString(40, u'9');
    type(edit, typed);
    EXPECT_EQ(edit.text(), typed);
    EXPECT_EQ(box("编辑框其它减项").alignment(), Qt::AlignCenter);
}

// --- Entering a box ------------------------------------------------------------

struct EntryCase {
    const char* name;
    const char* from;
    const char* to;
    bool backwards;
    QString expected;
};

void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.name; }

class TabEntryTest : public EditBoxTest, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(TabEntryTest, EmptiesOnlyTheMarkedBoxes) {
    const EntryCase& c = GetParam();
    EXPECT_EQ(tabInto(c.from, c.to, c.backwards).text(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Tab, TabEntryTest,
    ::testing::Values(
        EntryCase{"PersonalLeaveEmpties", "编辑框3加班小时数", "编辑框事假时数", false, ""},
        EntryCase{"AbsenceKeeps", "编辑框病假时数", "编辑框旷工时数", false, "0"},
        EntryCase{"SocialInsuranceKeeps", "编辑框旷工时数", "编辑框社保代扣", false, "175.6"},
        EntryCase{"HousingFundEmpties", "编辑框社保代扣", "编辑框住房公积金代扣", false, ""},
        EntryCase{"WageKeepsOnShiftTab", "编辑框考核岗位津贴", "编辑框正常工作时间工资", true,
                  "1820"}),
    [](const ::testing::TestParamInfo<EntryCase>& info) { return info.param.name; });

TEST_F(EditBoxTest, ClickIntoAMarkedBoxEmptiesIt) {
    QLineEdit& edit = box("编辑框事假时数");
    QTest::mouseClick(&edit, Qt::LeftButton);
    EXPECT_TRUE(edit.hasFocus());
    EXPECT_EQ(edit.text(), QString());
}

TEST_F(EditBoxTest, WageEmptiesOnReleaseOfTheLeftButton) {
    QLineEdit& wage = box("编辑框正常工作时间工资");
    QTest::mousePress(&wage, Qt::LeftButton);
    EXPECT_TRUE(wage.hasFocus());
    EXPECT_EQ(wage.text(), "1820") << "the press alone keeps the text";
    QTest::mouseRelease(&wage, Qt::LeftButton);
    EXPECT_EQ(wage.text(), QString());

    // Also when the box already has the focus.
    wage.setText("1820");
    QTest::mouseClick(&wage, Qt::LeftButton);
    EXPECT_EQ(wage.text(), QString());

    wage.setText("1820");
    QTest::mouseClick(&wage, Qt::RightButton);
    EXPECT_EQ(wage.text(), "1820") << "only the left button empties";
}

// Coming back to the window (or closing a popup) returns the focus to the
// box the user was typing in; that is not entering it.
TEST_F(EditBoxTest, RegainingTheWindowKeepsTheTypedValue) {
    QLineEdit& edit = focus("编辑框病假时数");
    type(edit, "8");
    for (const Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QFocusEvent in(QEvent::FocusIn, reason);
        QApplication::sendEvent(&edit, &out);
        QApplication::sendEvent(&edit, &in);
        EXPECT_EQ(edit.text(), "8") << reason;
    }
}

TEST_F(EditBoxTest, SettingsBoxesKeepTheirTextAndTakeAnyText) {
    control<TabControl>("高级选择夹1").setCurrentIndex(2);
    QLineEdit& days = box("编辑框正常工作天数");
    QTest::mouseClick(&days, Qt::LeftButton);
    EXPECT_EQ(days.text(), "21.75");
    QTest::keyClick(&days, Qt::Key_End);
    type(days, QString::fromUtf8("天"));
    EXPECT_EQ(days.text(), QString::fromUtf8("21.75天"));

    QLineEdit& factor = tabInto("编辑框正常工作天数", "编辑框病假工资比例");
    EXPECT_EQ(factor.text(), "0.7");
    EXPECT_EQ(factor.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

}  // namespace
}  // namespace paylog
