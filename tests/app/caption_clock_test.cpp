// The caption clock and the month progress bar: the caption's pieces on a
// fixed clock, and the bar springing back to today's day however it moves.

#include "app/caption_clock.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTimer>
#include <QWidget>
#include <QtTest/QTest>
#include <string>
#include <vector>

#include "app/caption_text.h"
#include "app/qt_text.h"

namespace paylog {
namespace {

const std::string kTitle = "工资计算与加班记录 ";

struct CaptionCase {
    const char* name;
    DateTime sessionStart;
    DateTime now;
    std::string caption;  // UTF-8, after the fixed title
};

TEST(CaptionText, ShowsStartDayWithRunningTime) {
    const std::vector<CaptionCase> cases{
        {"sunday afternoon", makeDateTime(2013, 6, 23, 8, 0, 0),
         makeDateTime(2013, 6, 23, 14, 5, 9), "癸巳年(蛇)五月十六 2013-6-23-14时5分9秒    星期日"},
        {"nine o'clock without leading zeros", makeDateTime(2013, 6, 23, 8, 0, 0),
         makeDateTime(2013, 6, 23, 9, 0, 0), "癸巳年(蛇)五月十六 2013-6-23-9时0分0秒    星期日"},
        {"past midnight keeps the start day", makeDateTime(2013, 6, 23, 23, 59, 30),
         makeDateTime(2013, 6, 24, 0, 0, 0), "癸巳年(蛇)五月十六 2013-6-23-0时0分0秒    星期日"},
        {"a day later still the start day", makeDateTime(2013, 6, 23, 23, 59, 30),
         makeDateTime(2013, 6, 25, 23, 59, 59),
         "癸巳年(蛇)五月十六 2013-6-23-23时59分59秒    星期日"},
    };
    for (const CaptionCase& row : cases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(utf8(captionText(row.sessionStart, row.now)), kTitle + row.caption);
    }
}

TEST(CaptionClock, EachTickRewritesTheWholeCaption) {
    QWidget window;
    window.setWindowTitle(QStringLiteral("left over"));
    QTimer timer;
    timer.setInterval(1000);
    DateTime now = makeDateTime(2013, 6, 23, 14, 5, 9);
    startCaptionClock(window, timer, makeDateTime(2013, 6, 23, 8, 0, 0), [&now] { return now; });
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(timer.interval(), 1000);

    // A short period instead of a real second, so that the test stays fast.
    timer.setInterval(1);
    const QString first =
        QString::fromStdString(kTitle + "癸巳年(蛇)五月十六 2013-6-23-14时5分9秒    星期日");
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.windowTitle() == first; }, 2000));
    now = makeDateTime(2013, 6, 23, 14, 5, 10);
    const QString second =
        QString::fromStdString(kTitle + "癸巳年(蛇)五月十六 2013-6-23-14时5分10秒    星期日");
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.windowTitle() == second; }, 2000));
}

// Set up as at start-up: a run started on Sunday 2013-06-23, now Monday 24.
class MonthProgress : public ::testing::Test {
  protected:
    void SetUp() override {
        bar_.setRange(1, 30);
        bar_.setValue(23);
        // Connected first, so that it sees each change before the handler.
        QObject::connect(&bar_, &QScrollBar::valueChanged, &bar_,
                         [this](int value) { changes_.push_back(value); });
        keepProgressAtToday(bar_, [this] { return now_; });
    }

    DateTime now_ = makeDateTime(2013, 6, 24, 10, 0, 0);
    QScrollBar bar_{Qt::Horizontal};
    std::vector<int> changes_;
};

TEST_F(MonthProgress, EveryMoveEndsAtToday) {
    struct Move {
        const char* name;
        void (*apply)(QScrollBar&);
    };
    const std::vector<Move> moves{
        {"arrow back",
         [](QScrollBar& bar) { bar.triggerAction(QAbstractSlider::SliderSingleStepSub); }},
        {"click in the track",
         [](QScrollBar& bar) { bar.triggerAction(QAbstractSlider::SliderPageStepAdd); }},
        {"key to the start", [](QScrollBar& bar) { QTest::keyClick(&bar, Qt::Key_Home); }},
        {"program write", [](QScrollBar& bar) { bar.setValue(3); }},
        {"dragged thumb released",
         [](QScrollBar& bar) {
             bar.setSliderDown(true);
             bar.setSliderPosition(5);
             bar.setSliderDown(false);
         }},
    };
    for (const Move& move : moves) {
        SCOPED_TRACE(move.name);
        move.apply(bar_);
        EXPECT_EQ(bar_.value(), 24);
        EXPECT_EQ(bar_.sliderPosition(), 24);
    }
}

TEST_F(MonthProgress, ThumbStillHeldShowsToday) {
    bar_.setSliderDown(true);
    bar_.setSliderPosition(5);
    EXPECT_EQ(bar_.value(), 24);
    EXPECT_EQ(bar_.sliderPosition(), 24);
}

TEST_F(MonthProgress, DragWithoutTrackingEndsAtTodayWhenReleased) {
    bar_.setTracking(false);
    bar_.setSliderDown(true);
    bar_.setSliderPosition(5);
    bar_.setSliderDown(false);
    EXPECT_EQ(bar_.value(), 24);
    EXPECT_EQ(bar_.sliderPosition(), 24);
}

TEST_F(MonthProgress, OwnWriteRunsTheHandlerOnceMore) {
    bar_.setValue(10);
    EXPECT_EQ(changes_, (std::vector<int>{10, 24}));
    changes_.clear();
    bar_.setValue(24);  // already there: no change, no event
    EXPECT_TRUE(changes_.empty());
}

// Started in February, still open on 31 March: the bar stops at its maximum.
TEST(MonthProgressBeyondRange, DayPastMaximumLeavesBarAtMaximum) {
    QScrollBar bar(Qt::Horizontal);
    bar.setRange(1, 28);
    bar.setValue(20);
    keepProgressAtToday(bar, [] { return makeDateTime(2013, 3, 31, 12, 0, 0); });
    bar.triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(bar.value(), 28);
}

}  // namespace
}  // namespace paylog
