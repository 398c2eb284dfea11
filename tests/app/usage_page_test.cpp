// The usage page: the notes and sayings in their order, places and rhythm,
// a drawing started inside another, and the window closing mid-drawing.

#include "app/usage_page.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <numeric>
#include <set>
#include <string>
#include <vector>

#include "app/usage_canvas.h"
#include "app/usage_drawing.h"
#include "app/usage_texts.h"
#include "window_fixture.h"

namespace paylog {
namespace {

using Steps = std::vector<std::string>;

// Keeps every move, write and wait as one line: "move 10,20",
// "write <UTF-8 text>", "wait 500".
class RecordingCanvas final : public WritingCanvas {
  public:
    explicit RecordingCanvas(Steps& steps) : steps_(steps) {}
    void moveTo(int32_t x, int32_t y) override {
        steps_.push_back("move " + std::to_string(x) + "," + std::to_string(y));
    }
    void write(const Text& text) override { steps_.push_back("write " + utf8(text)); }

  private:
    Steps& steps_;
};

std::string wait(int ms) { return "wait " + std::to_string(ms); }
std::string write(const std::string& utf8Text) { return "write " + utf8Text; }

const std::string kNote1 = "＆红颜色代表该项目将加入底工资！(也就是加班费计算基数。)";
const std::string kNote2 = "＆计算结果仅供参考！";
const std::string kNote3 = "＆准确率在于输入数据的准确程度！";
const std::string kNote4 = "＆界面基本上不会做美化，本人美化技术 差！差！差！！！...........";

class UsageDrawing : public ::testing::Test {
  protected:
    // Runs one drawing; `duringWait` is told how many waits have begun.
    void draw() {
        drawUsageNotes([this]() -> WritingCanvas* { return canvasGone_ ? nullptr : &canvas_; },
                       waitRoutine());
    }

    WaitRoutine waitRoutine() {
        return [this](int32_t ms) {
            steps_.push_back(wait(ms));
            ++waits_;
            if (duringWait) duringWait(waits_);
        };
    }

    std::vector<int> waitTimes() const {
        std::vector<int> times;
        for (const std::string& step : steps_)
            if (step.rfind("wait ", 0) == 0) times.push_back(std::stoi(step.substr(5)));
        return times;
    }

    Steps steps_;
    RecordingCanvas canvas_{steps_};
    bool canvasGone_ = false;
    int waits_ = 0;
    std::function<void(int)> duringWait;
};

TEST_F(UsageDrawing, NotesComeLineByLineThenTheFirstSaying) {
    draw();
    // One line of the canvas a row.
    // clang-format off
    const Steps start{
        "move 10,20", wait(500),
        write(kNote1), write("\r\n"), wait(1000),
        "move 10,40", write(kNote2), write("\r\n"), wait(1000),
        "move 10,60", write(kNote3), write("\r\n"), wait(1000),
        "move 10,80", write(kNote4), write("\r\n"), wait(1000),
        "move 10,100",
    };
    // clang-format on
    ASSERT_GT(steps_.size(), start.size() + 6);
    EXPECT_EQ(Steps(steps_.begin(), steps_.begin() + start.size()), start);

    const std::string note5 = steps_[start.size()];
    EXPECT_EQ(note5.rfind(write("＆"), 0), 0u) << note5;
    const Steps firstSaying{wait(3000), "move 0,150", write(" "), wait(90), write("工")};
    EXPECT_EQ(Steps(steps_.begin() + start.size() + 1, steps_.begin() + start.size() + 6),
              firstSaying);
}

TEST_F(UsageDrawing, SayingsGoToTheirPlacesInOrder) {
    draw();
    Steps moves;
    for (const std::string& step : steps_)
        if (step.rfind("move ", 0) == 0) moves.push_back(step);
    const Steps expected{"move 10,20",  "move 10,40", "move 10,60", "move 10,80",
                         "move 10,100", "move 0,150", "move 0,190", "move 0,230",
                         "move 0,270",  "move 0,310", "move 0,350", "move 0,390",
                         "move 0,430",  "move 0,540", "move 0,580", "move 60,500"};
    EXPECT_EQ(moves, expected);
}

TEST_F(UsageDrawing, LastLineIsTheShortVerseLineIndentedAbove) {
    draw();
    const auto lastMove = std::find(steps_.rbegin(), steps_.rend(), "move 60,500");
    ASSERT_NE(lastMove, steps_.rend());
    std::string written;
    for (auto step = lastMove.base(); step != steps_.end(); ++step)
        if (step->rfind("write ", 0) == 0) written += step->substr(6);
    EXPECT_EQ(written, " 愿 你 岁 岁 平 安 喜 乐");
    EXPECT_EQ(steps_.back(), write("乐"));
}

TEST_F(UsageDrawing, SecondSayingEndsWithAnEmptyPieceAfterItsPause) {
    draw();
    const auto second = std::find(steps_.begin(), steps_.end(), "move 0,190");
    const auto third = std::find(second, steps_.end(), "move 0,230");
    ASSERT_NE(third, steps_.end());
    // The third saying's own pause comes right before its move.
    const Steps tail(third - 7, third - 1);
    EXPECT_EQ(tail, (Steps{write(" "), wait(90), write("。"), write(" "), wait(90), write("")}));
}

TEST_F(UsageDrawing, WaitsAddUpToAboutAMinute) {
    draw();
    const std::vector<int> times = waitTimes();
    EXPECT_EQ(times.size(), 1u + 4u + 11u + 247u);
    EXPECT_EQ(std::accumulate(times.begin(), times.end(), 0),
              500 + 4 * 1000 + 11 * 3000 + 247 * 90);
}

// Entering the page during the first pause: the second drawing runs to its
// end, then the first writes note 1 where the second left the position.
TEST_F(UsageDrawing, ReenteringDuringAPauseDrawsAgainInside) {
    // The inner drawing's waits are counted on from 2, so it starts once.
    duringWait = [this](int count) {
        if (count == 1) draw();
    };
    draw();
    const std::vector<int> times = waitTimes();
    EXPECT_EQ(std::accumulate(times.begin(), times.end(), 0),
              2 * (500 + 4 * 1000 + 11 * 3000 + 247 * 90));
    const Steps start{"move 10,20", wait(500), "move 10,20", wait(500), write(kNote1)};
    EXPECT_EQ(Steps(steps_.begin(), steps_.begin() + start.size()), start);
    // The inner drawing's last character, then the outer one's note 1.
    const auto resumed = std::find(steps_.begin() + 3, steps_.end(), write("乐"));
    ASSERT_NE(resumed, steps_.end());
    EXPECT_EQ(*(resumed + 1), write(kNote1));
    EXPECT_EQ(steps_.back(), write("乐"));
}

TEST_F(UsageDrawing, StopsWithoutTouchingTheCanvasOnceItIsGone) {
    const std::vector<int> stopAfter{1, 2, 5, 6, 7, 100, 263};
    for (int lastWait : stopAfter) {
        SCOPED_TRACE(lastWait);
        steps_.clear();
        waits_ = 0;
        canvasGone_ = false;
        duringWait = [this, lastWait](int count) { canvasGone_ = count >= lastWait; };
        draw();
        EXPECT_EQ(steps_.back().rfind("wait ", 0), 0u) << steps_.back();
        EXPECT_EQ(waits_, lastWait);
    }
}

struct SayingShape {
    const char* name;
    size_t pieces;
    int punctuation;
    int32_t x;
    int32_t y;
};

TEST(UsageSayings, PiecesPunctuationAndPlaces) {
    const std::vector<SayingShape> shapes{
        {"1", 34, 4, 0, 150},
        {"2 ends empty", 27, 4, 0, 190},
        {"3", 19, 2, 0, 230},
        {"4", 29, 4, 0, 270},
        {"5", 30, 3, 0, 310},
        {"6", 30, 2, 0, 350},
        {"7", 18, 3, 0, 390},
        {"8", 22, 3, 0, 430},
        {"9 verse", 15, 0, 0, 540},
        {"10 verse", 15, 0, 0, 580},
        {"11 verse, short", 8, 0, 60, 500},
    };
    static const std::set<std::string> kPunctuation{"，", "。", "！", "？", "；", "：", "、"};
    const auto& sayings = usageSayings();
    ASSERT_EQ(sayings.size(), shapes.size());
    for (size_t i = 0; i < shapes.size(); ++i) {
        const SayingShape& shape = shapes[i];
        SCOPED_TRACE(shape.name);
        EXPECT_EQ(sayings[i].x, shape.x);
        EXPECT_EQ(sayings[i].y, shape.y);
        const std::vector<Text> pieces = splitText(sayings[i].text, " ");
        ASSERT_EQ(pieces.size(), shape.pieces);
        int punctuation = 0;
        for (size_t p = 0; p < pieces.size(); ++p) {
            const bool lastOfSecond = i == 1 && p + 1 == pieces.size();
            // One GBK character each: two bytes, or nothing at the second's end.
            EXPECT_EQ(pieces[p].size(), lastOfSecond ? 0u : 2u) << p;
            punctuation += kPunctuation.count(utf8(pieces[p]));
        }
        EXPECT_EQ(punctuation, shape.punctuation);
        const Text& last = i == 1 ? pieces[pieces.size() - 2] : pieces.back();
        EXPECT_EQ(utf8(last) == "。", i < 8);
    }
}

TEST(UsageNotes, FifthNoteInvitesFeedbackWithoutPersonalContacts) {
    const std::string note = utf8(usageNotes()[4].text);
    EXPECT_EQ(note.rfind("＆", 0), 0u);
    EXPECT_NE(note.find("右下角"), std::string::npos);
    EXPECT_EQ(note.find_first_of("0123456789"), std::string::npos);
}

// The real canvas inside a real window.
class UsageCanvasTest : public WindowTest {
  protected:
    UsageCanvas& canvas() const { return control<UsageCanvas>("画板1"); }

    // Dark pixels of the drawing inside `area`, where only text is that dark.
    int darkPixels(QRect area) const {
        const QImage& image = canvas().drawing();
        int dark = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (qGray(image.pixel(x, y)) < 100) ++dark;
        return dark;
    }
};

TEST_F(UsageCanvasTest, BackgroundIsLightEverywhere) {
    EXPECT_EQ(canvas().drawing().size(), QSize(916, 691));
    EXPECT_EQ(darkPixels(canvas().drawing().rect()), 0);
}

TEST_F(UsageCanvasTest, WritingAdvancesAndLineBreakReturnsToLineStart) {
    const QFontMetrics metrics(canvas().font());
    canvas().moveTo(10, 20);
    canvas().write(gbk("ab"));
    EXPECT_EQ(canvas().writePosition(), QPoint(10 + metrics.horizontalAdvance("ab"), 20));
    canvas().write(gbk("\r\ncd"));
    EXPECT_EQ(canvas().writePosition(),
              QPoint(10 + metrics.horizontalAdvance("cd"), 20 + metrics.lineSpacing()));
    EXPECT_GT(darkPixels({10, 20, 40, metrics.height()}), 0);
    EXPECT_GT(darkPixels({10, 20 + metrics.lineSpacing(), 40, metrics.height()}), 0);
}

// What was written stays when the canvas is covered and shown again. Written
// where the usage drawing writes nothing, should entering the page start it.
TEST_F(UsageCanvasTest, KeepsItsDrawingWhenShownAgain) {
    auto& tabs = control<TabControl>("高级选择夹1");
    tabs.setCurrentIndex(3);
    canvas().moveTo(650, 240);
    canvas().write(gbk("工资"));
    tabs.setCurrentIndex(0);
    tabs.setCurrentIndex(3);
    const QImage shown = canvas().grab().toImage();
    int dark = 0;
    for (int y = 240; y < 260; ++y)
        for (int x = 650; x < 680; ++x) dark += qGray(shown.pixel(x, y)) < 100;
    EXPECT_GT(dark, 0);
}

TEST_F(UsageCanvasTest, FullDrawingEndsAfterTheShortVerseLine) {
    std::vector<int32_t> waits;
    drawUsagePage(canvas(), [&waits](int32_t ms) {
        waits.push_back(ms);
        QCoreApplication::processEvents();
    });
    EXPECT_EQ(waits.size(), 263u);
    EXPECT_EQ(canvas().writePosition().y(), 500);
    EXPECT_GT(canvas().writePosition().x(), 60);
    for (int y : {20, 40, 60, 80, 100, 150, 190, 230, 270, 310, 350, 390, 430, 500, 540, 580})
        EXPECT_GT(darkPixels({0, y, 300, 12}), 0) << y;
}

// Catches every warning Qt gives while a test body runs.
class QtWarnings {
  public:
    QtWarnings() { previous_ = qInstallMessageHandler(&QtWarnings::keep); }
    ~QtWarnings() { qInstallMessageHandler(previous_); }
    static std::vector<QString>& seen() {
        static std::vector<QString> messages;
        return messages;
    }

  private:
    static void keep(QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type != QtDebugMsg && type != QtInfoMsg) seen().push_back(message);
    }
    QtMessageHandler previous_;
};

TEST_F(UsageCanvasTest, ClosingTheWindowDuringAPauseStopsTheDrawing) {
    QtWarnings warnings;
    QtWarnings::seen().clear();
    int waits = 0;
    drawUsagePage(canvas(), [this, &waits](int32_t) {
        if (++waits == 3) window_->close();
        QCoreApplication::processEvents();
    });
    EXPECT_EQ(waits, 3);
    EXPECT_TRUE(QtWarnings::seen().empty()) << QtWarnings::seen().front().toStdString();
}

TEST_F(UsageCanvasTest, DestroyedCanvasStopsTheDrawing) {
    QtWarnings warnings;
    QtWarnings::seen().clear();
    int waits = 0;
    QPointer<UsageCanvas> guarded(&canvas());
    drawUsagePage(canvas(), [&](int32_t) {
        if (++waits == 20) delete guarded.data();
        QCoreApplication::processEvents();
    });
    EXPECT_EQ(waits, 20);
    EXPECT_TRUE(guarded.isNull());
    EXPECT_TRUE(QtWarnings::seen().empty()) << QtWarnings::seen().front().toStdString();
}

// The drawing waits with events handled, so the calculator goes on working
// meanwhile. Nothing else handles events between posting the click and
// entering the page, so the click can only run inside the drawing's waits.
TEST_F(UsageCanvasTest, PayButtonWorksWhileTheDrawingRuns) {
    bool clicked = false;
    QTimer::singleShot(0, [&] {
        control<QLineEdit>("编辑框正常工作时间工资").setText("3000");
        control<QPushButton>("按钮结果输出").click();
        clicked = true;
    });
    EXPECT_EQ(control<QLabel>("标签正常班时薪").text(), "时薪：11.61元");
    control<QTabWidget>("高级选择夹1").setCurrentIndex(3);
    EXPECT_TRUE(clicked);
    EXPECT_EQ(control<QLabel>("标签正常班时薪").text(), "时薪：18.39元");
}

TEST_F(UsageCanvasTest, FeedbackButtonOpensTheProjectAddress) {
    auto& button = control<QAbstractButton>("图形按钮1");
    EXPECT_EQ(button.cursor().shape(), Qt::PointingHandCursor);
    button.click();
    EXPECT_EQ(dialogs_.addresses, std::vector<Text>{"https://paylog.example.org/feedback"});
}

}  // namespace
}  // namespace paylog
