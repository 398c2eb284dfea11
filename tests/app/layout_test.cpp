// Every control of the window: kind, form name, place, size and first text;
// and as the user sees them, nothing cut off and nothing on top of another.

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <vector>

#include "window_fixture.h"

namespace paylog {
namespace {

struct Placed {
    const char* kind;    // class name the control is (or derives from)
    const char* name;    // objectName: the form name
    const char* parent;  // nullptr: placed relative to the tab control; else its group or canvas
    QRect rect;
    const char* text;  // nullptr: written at start-up and checked by the pay tests
};

// Where a size differs from the first plan, the control was widened so that
// its whole text shows in the interface font (noted per row).
// clang-format off
const std::vector<Placed> kLayout{
    // Page 0, left column.
    {"QLabel", "透明标签1", nullptr, {19, 40, 133, 15}, "正常工作时间工资(元)："},  // 125
    {"QLineEdit", "编辑框正常工作时间工资", nullptr, {153, 39, 56, 16}, "1820"},
    {"QLabel", "透明标签12", nullptr, {19, 72, 106, 15}, "考核岗位津贴(元)："},
    {"QLineEdit", "编辑框考核岗位津贴", nullptr, {152, 72, 56, 16}, "200"},
    {"QLabel", "透明标签13", nullptr, {19, 104, 106, 15}, "职务津贴(元)："},
    {"QLineEdit", "编辑框职务津贴", nullptr, {152, 104, 56, 16}, "0"},
    {"QLabel", "透明标签29", nullptr, {19, 136, 106, 15}, "地区津贴(元)："},
    {"QLineEdit", "编辑框地区津贴", nullptr, {152, 136, 56, 16}, "0"},
    {"QLabel", "透明标签37", nullptr, {19, 168, 106, 15}, "技能津贴(元)："},
    {"QLineEdit", "编辑框技能津贴", nullptr, {152, 168, 56, 16}, "300"},
    {"QLabel", "透明标签38", nullptr, {19, 200, 106, 15}, "夜班津贴(元)："},
    {"QLineEdit", "编辑框夜班津贴", nullptr, {152, 200, 56, 16}, "0"},
    {"QLabel", "透明标签39", nullptr, {19, 232, 106, 15}, "特殊岗位津贴(元)："},
    {"QLineEdit", "编辑框特殊岗位津贴", nullptr, {152, 232, 56, 16}, "200"},
    {"QLabel", "透明标签40", nullptr, {19, 264, 133, 15}, "G1加班小时数(小时)："},  // 115
    {"QLineEdit", "编辑框1加班小时数", nullptr, {152, 264, 56, 16}, "0"},
    {"QLabel", "透明标签41", nullptr, {19, 296, 133, 15}, "G2加班小时数(小时)："},  // 115
    {"QLineEdit", "编辑框2加班小时数", nullptr, {152, 296, 56, 16}, "0"},
    {"QLabel", "透明标签42", nullptr, {19, 328, 133, 15}, "G3加班小时数(小时)："},  // 115
    {"QLineEdit", "编辑框3加班小时数", nullptr, {152, 328, 56, 16}, "0"},
    {"QLabel", "透明标签30", nullptr, {19, 360, 106, 15}, "事假小时数(小时)："},
    {"QLineEdit", "编辑框事假时数", nullptr, {152, 360, 56, 16}, "0"},
    {"QLabel", "透明标签31", nullptr, {19, 392, 106, 15}, "病假小时数(小时)："},
    {"QLineEdit", "编辑框病假时数", nullptr, {152, 392, 56, 16}, "0"},
    {"QLabel", "透明标签32", nullptr, {19, 424, 106, 15}, "旷工小时数(小时)："},
    {"QLineEdit", "编辑框旷工时数", nullptr, {152, 424, 56, 16}, "0"},
    {"QLabel", "透明标签33", nullptr, {19, 456, 106, 15}, "社保代扣(元)："},
    {"QLineEdit", "编辑框社保代扣", nullptr, {152, 456, 56, 16}, "175.6"},
    {"QLabel", "透明标签34", nullptr, {19, 488, 133, 15}, "住房公积金代扣(元)："},  // 115
    {"QLineEdit", "编辑框住房公积金代扣", nullptr, {152, 488, 56, 16}, "0"},
    {"QLabel", "透明标签35", nullptr, {19, 520, 106, 15}, "伙食费代扣(元)："},
    {"QLineEdit", "编辑框伙食费代扣", nullptr, {152, 520, 56, 16}, "400"},
    {"QLabel", "透明标签36", nullptr, {19, 552, 106, 15}, "住宿费代扣(元)："},
    {"QLineEdit", "编辑框住宿费代扣", nullptr, {152, 552, 56, 16}, "0"},
    {"QLabel", "透明标签5", nullptr, {19, 584, 115, 15}, "其它减项："},
    {"QLineEdit", "编辑框其它减项", nullptr, {152, 583, 56, 16}, "0"},
    {"QLabel", "透明标签6", nullptr, {19, 616, 115, 15}, "其它加项："},
    {"QLineEdit", "编辑框其它加项", nullptr, {152, 615, 56, 16}, "0"},

    // Page 0, result labels.
    {"QLabel", "标签G1工资", nullptr, {264, 40, 181, 15}, nullptr},
    {"QLabel", "标签G2工资", nullptr, {264, 72, 181, 15}, nullptr},
    {"QLabel", "标签G3工资", nullptr, {264, 104, 181, 15}, nullptr},
    {"QLabel", "标签加班费总和", nullptr, {264, 136, 181, 15}, nullptr},
    {"QLabel", "标签事假减项", nullptr, {264, 168, 181, 15}, nullptr},
    {"QLabel", "标签病假减项", nullptr, {264, 200, 181, 15}, nullptr},
    {"QLabel", "标签旷工减项", nullptr, {264, 232, 181, 15}, nullptr},
    {"QLabel", "标签应发工资", nullptr, {264, 264, 181, 15}, nullptr},
    {"QLabel", "标签个人所得税代扣", nullptr, {264, 296, 181, 15}, nullptr},
    {"QLabel", "标签实发工资", nullptr, {264, 328, 181, 15}, nullptr},
    {"QLabel", "标签正常班时薪", nullptr, {448, 40, 181, 15}, nullptr},
    {"QLabel", "标签正常8小时薪资", nullptr, {448, 72, 181, 15}, nullptr},
    {"QLabel", "标签正常10小时薪资", nullptr, {448, 104, 181, 15}, nullptr},
    {"QLabel", "标签G1时薪", nullptr, {448, 136, 181, 15}, nullptr},
    {"QLabel", "标签G2时薪", nullptr, {448, 168, 181, 15}, nullptr},
    {"QLabel", "标签周六日8小时薪资", nullptr, {448, 200, 181, 15}, nullptr},
    {"QLabel", "标签周六日10小时薪资", nullptr, {448, 232, 181, 15}, nullptr},
    {"QLabel", "标签G3时薪", nullptr, {448, 264, 181, 15}, nullptr},
    {"QLabel", "标签节假日8小时薪资", nullptr, {448, 296, 181, 15}, nullptr},
    {"QLabel", "标签节假日10小时薪资", nullptr, {448, 328, 181, 15}, nullptr},

    // Page 0, month labels.
    {"QLabel", "标签本月G1最多小时数", nullptr, {264, 392, 171, 15}, "标签本月G1最多小时数"},
    {"QLabel", "标签本月G2最多小时数", nullptr, {264, 424, 171, 15}, "标签本月G2最多小时数"},
    {"QLabel", "标签本月G3最多小时数", nullptr, {264, 456, 171, 15}, "标签本月G3最多小时数"},
    {"QLabel", "标签本月最多加班小时数", nullptr, {264, 489, 171, 15}, "标签本月最多加班小时数"},
    {"QLabel", "标签本月已加班", nullptr, {264, 520, 171, 15}, "本月已加班"},
    // 256 × 15 at first, which ran under 分组框2: two lines beside it instead.
    {"QLabel", "标签本月节假日", nullptr, {264, 550, 171, 36}, "标签本月节假日"},

    // Page 0, rate estimates: at (436, 432), 195 × 199 at first, with labels
    // 181 × 15 that cut long rates off; now taller, two lines to a label.
    {"QGroupBox", "分组框2", nullptr, {436, 360, 195, 271}, "以下内容不保证100%正确！"},
    {"QLabel", "标签正常工作日每分钟薪资", "分组框2", {8, 24, 183, 38}, nullptr},
    {"QLabel", "标签周六日每分钟薪资", "分组框2", {8, 64, 183, 38}, nullptr},
    {"QLabel", "标签节假日每分钟薪资", "分组框2", {8, 104, 183, 38}, nullptr},
    {"QLabel", "标签正常工作日每秒钟薪资", "分组框2", {8, 144, 183, 38}, nullptr},
    {"QLabel", "标签周六日每秒钟薪资", "分组框2", {8, 184, 183, 38}, nullptr},
    {"QLabel", "标签节假日每秒钟薪资", "分组框2", {8, 224, 183, 38}, nullptr},

    // Page 0, the log's operations.
    {"QGroupBox", "分组框1", nullptr, {648, 48, 216, 424}, "数据库操作"},
    {"QDateEdit", "日期框1", "分组框1", {20, 37, 117, 16}, "2013/6/24"},
    {"QCheckBox", "选择框夜班", "分组框1", {150, 37, 50, 16}, "夜班"},
    {"QRadioButton", "单选框加班1", "分组框1", {8, 72, 72, 18}, "加班G1"},  // 56
    {"QRadioButton", "单选框加班2", "分组框1", {80, 72, 64, 15}, "加班G2"},  // 56
    {"QRadioButton", "单选框加班3", "分组框1", {144, 72, 64, 15}, "加班G3"},  // 56
    {"QRadioButton", "单选框事假", "分组框1", {8, 96, 72, 15}, "事假"},  // 44
    {"QRadioButton", "单选框病假", "分组框1", {80, 96, 64, 15}, "病假"},  // 44
    {"QRadioButton", "单选框旷工", "分组框1", {144, 96, 64, 15}, "旷工"},  // 44
    {"QLabel", "透明标签2", "分组框1", {25, 128, 112, 16}, "加班小时数或备注："},  // 102
    {"QComboBox", "组合框", "分组框1", {137, 128, 48, 20}, ""},
    {"QPushButton", "按钮加班记录", "分组框1", {64, 168, 88, 22}, "加班记录"},
    {"QPushButton", "按钮刷新", "分组框1", {64, 264, 88, 22}, "刷新"},
    {"QPushButton", "按钮修改数据库密码", "分组框1", {55, 296, 105, 22}, "修改数据库密码"},
    // 176 wide at first, which cut off the day of a two-digit date.
    {"QLabel", "标签当前统计到的加班日期", "分组框1", {8, 344, 204, 15},
     "标签当前统计到的加班日期"},
    {"QPushButton", "按钮读取数据库", "分组框1", {16, 364, 88, 22}, "读取数据库"},
    {"QPushButton", "按钮删除", "分组框1", {112, 366, 88, 22}, "删除记录"},
    {"QPushButton", "按钮数据库排序", "分组框1", {16, 394, 88, 22}, "数据库排序"},
    {"QPushButton", "按钮数据库清空", "分组框1", {112, 392, 88, 22}, "数据库清空"},

    // Page 0, the rest. The bar (912 wide at first) ends at the page's edge,
    // inside the tab control's 1-pixel frame, so that its right arrow shows.
    {"QPushButton", "按钮导入", nullptr, {24, 656, 168, 24}, "导入最后一次输入的数据"},
    {"QPushButton", "按钮结果输出", nullptr, {656, 496, 208, 184}, "结果输出"},
    {"QScrollBar", "进度条1", nullptr, {0, 688, 892, 16}, nullptr},

    // Page 1.
    {"QTableWidget", "高级表格1", nullptr, {0, 24, 832, 696}, nullptr},
    {"QPushButton", "按钮表格刷新", nullptr, {840, 224, 48, 216}, "表格刷新"},

    // Page 2.
    {"QLabel", "透明标签7", nullptr, {272, 64, 344, 24}, "不懂的不要乱改！后续内容以后再添加！"},
    {"QLabel", "透明标签3", nullptr, {40, 56, 104, 17}, "正常工作天数："},  // 76
    {"QLineEdit", "编辑框正常工作天数", nullptr, {144, 56, 76, 17}, "21.75"},
    {"QLabel", "透明标签4", nullptr, {40, 88, 104, 17}, "病假工资比例："},  // 76
    {"QLineEdit", "编辑框病假工资比例", nullptr, {144, 88, 76, 17}, "0.7"},

    // Page 3: the tab control's edge cuts the canvas off on the right.
    {"QWidget", "画板1", nullptr, {0, 24, 916, 691}, nullptr},
    {"QAbstractButton", "图形按钮1", "画板1", {776, 632, 77, 22}, nullptr},
};
// clang-format on

QString shownText(const QWidget& w) {
    if (auto* label = qobject_cast<const QLabel*>(&w)) return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(&w)) return button->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(&w)) return edit->text();
    if (auto* group = qobject_cast<const QGroupBox*>(&w)) return group->title();
    if (auto* combo = qobject_cast<const QComboBox*>(&w)) return combo->currentText();
    if (auto* date = qobject_cast<const QDateEdit*>(&w)) return date->text();
    return {};
}

class LayoutTest : public UnstartedWindowTest {
  protected:
    void SetUp() override {
        UnstartedWindowTest::SetUp();
        showFormAsLaidOut();
    }

    TabControl& tabs() const { return control<TabControl>("高级选择夹1"); }

    // Qt places a page only when it becomes the current one.
    void showPageOf(const QWidget& w) const {
        for (int page = 0; page < tabs().count(); ++page)
            if (tabs().widget(page)->isAncestorOf(&w)) tabs().setCurrentIndex(page);
        QApplication::processEvents();
    }
};

TEST_F(LayoutTest, EveryControlHasItsKindPlaceSizeAndFirstText) {
    for (const Placed& row : kLayout) {
        SCOPED_TRACE(row.name);
        const QWidget& w = control<QWidget>(row.name);
        EXPECT_TRUE(w.inherits(row.kind)) << w.metaObject()->className();
        showPageOf(w);
        if (row.parent) {
            EXPECT_EQ(w.parentWidget()->objectName(), QString::fromUtf8(row.parent));
            EXPECT_EQ(w.geometry(), row.rect);
        } else {
            EXPECT_EQ(QRect(w.mapTo(&tabs(), QPoint(0, 0)), w.size()), row.rect);
        }
        if (row.text) {
            EXPECT_EQ(shownText(w), QString::fromUtf8(row.text));
        }
    }
}

TEST_F(LayoutTest, WindowIsTheTabControlsSizeAndFixed) {
    EXPECT_EQ(window_->size(), QSize(893, 720));
    EXPECT_EQ(window_->minimumSize(), window_->maximumSize());
    EXPECT_EQ(window_->pos(), QPoint(50, 50));
    EXPECT_EQ(window_->windowTitle(), QString());
    EXPECT_EQ(tabs().geometry(), QRect(0, 0, 893, 720));
    QStringList titles;
    for (int page = 0; page < tabs().count(); ++page) titles << tabs().tabText(page);
    EXPECT_EQ(titles.join(u'|'), QString::fromUtf8("工资计算|加班明细|设置|使用说明"));
    EXPECT_EQ(tabs().currentIndex(), 0);
}

TEST_F(LayoutTest, ColoursAndFontsMarkTheirControls) {
    const QColor red(255, 0, 0), pink(255, 80, 128), blue(0, 0, 255), skyBlue(0, 136, 255);
    const struct {
        const char* name;
        QColor colour;
    } coloured[] = {
        {"透明标签1", red},
        {"编辑框正常工作时间工资", red},
        {"透明标签37", red},
        {"编辑框技能津贴", red},
        {"透明标签38", Qt::black},
        {"编辑框夜班津贴", Qt::black},
        {"标签应发工资", pink},
        {"标签实发工资", pink},
        {"标签G1工资", Qt::black},
        {"标签本月G1最多小时数", blue},
        {"标签本月最多加班小时数", blue},
        {"标签本月已加班", skyBlue},
        {"标签本月节假日", skyBlue},
        {"透明标签7", skyBlue},
    };
    for (const auto& [name, colour] : coloured) {
        const QWidget& w = control<QWidget>(name);
        const QPalette::ColorRole role =
            qobject_cast<const QLineEdit*>(&w) ? QPalette::Text : QPalette::WindowText;
        EXPECT_EQ(w.palette().color(role), colour) << name;
    }
    EXPECT_EQ(control<QLineEdit>("编辑框夜班津贴").palette().color(QPalette::Base), Qt::white);
    EXPECT_FALSE(control<QLabel>("透明标签1").autoFillBackground()) << "labels are transparent";

    EXPECT_EQ(control<QPushButton>("按钮结果输出").font().pixelSize(), 24);
    EXPECT_EQ(control<QPushButton>("按钮表格刷新").font().pixelSize(), 32);
    EXPECT_EQ(control<QLabel>("透明标签7").font().pixelSize(), 19);
    EXPECT_EQ(control<QLabel>("透明标签1").font().pixelSize(), 12);
}

TEST_F(LayoutTest, EntryControlsStartEmptyAndUnticked) {
    const QComboBox& entry = control<QComboBox>("组合框");
    EXPECT_TRUE(entry.isEditable());
    QStringList items;
    for (int i = 0; i < entry.count(); ++i) items << entry.itemText(i);
    EXPECT_EQ(items.join(u'|'), QString::fromUtf8("2|8|10|早班|休息|补班"));
    EXPECT_EQ(entry.currentIndex(), -1);

    for (const char* name :
         {"单选框加班1", "单选框加班2", "单选框加班3", "单选框事假", "单选框病假", "单选框旷工"})
        EXPECT_FALSE(control<QRadioButton>(name).isChecked()) << name;
    EXPECT_FALSE(control<QCheckBox>("选择框夜班").isChecked());
}

// Typing "1" must stay "1", not become "10" from the list.
TEST_F(LayoutTest, ComboTextIsNeverCompletedFromItsList) {
    QComboBox& entry = control<QComboBox>("组合框");
    entry.setFocus();
    QTest::keyClicks(&entry, "1");
    QTest::keyClick(&entry, Qt::Key_Return);
    EXPECT_EQ(entry.currentText(), "1");
    EXPECT_EQ(entry.count(), 6) << "nothing typed is added to the list";
}

TEST_F(LayoutTest, DateBoxStartsOnTheClocksDayWithoutLimits) {
    const QDateEdit& date = control<QDateEdit>("日期框1");
    EXPECT_EQ(date.date(), QDate(2013, 6, 24));
    EXPECT_TRUE(date.calendarPopup());
    EXPECT_EQ(date.minimumDate(), QDate(100, 1, 1));
    EXPECT_EQ(date.maximumDate(), QDate(9999, 12, 31));
}

TEST_F(LayoutTest, ProgressBarTimerGridAndCanvasStartAsDesigned) {
    const QScrollBar& bar = control<QScrollBar>("进度条1");
    EXPECT_EQ(bar.orientation(), Qt::Horizontal);
    EXPECT_EQ(bar.minimum(), 0);
    EXPECT_EQ(bar.maximum(), 100);
    EXPECT_EQ(bar.value(), 30);

    const QTimer& clock = control<QTimer>("时钟1");
    EXPECT_EQ(clock.interval(), 1000);
    EXPECT_FALSE(clock.isActive());

    const QTableWidget& grid = control<QTableWidget>("高级表格1");
    EXPECT_EQ(grid.columnCount(), 10);
    EXPECT_EQ(grid.rowCount(), 0);
    EXPECT_EQ(grid.horizontalHeader()->defaultSectionSize(), 60);
    EXPECT_EQ(grid.verticalHeader()->defaultSectionSize(), 24);

    EXPECT_EQ(control<QWidget>("图形按钮1").cursor().shape(), Qt::PointingHandCursor);
}

class CutOffTest : public LayoutTest {
  protected:
    // Every label's text within the label, in the real interface font.
    void expectLabelsShowWholeTexts() const {
        for (const QLabel* label : window_->findChildren<QLabel*>()) {
            const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
            const QRect needed =
                label->fontMetrics().boundingRect(label->contentsRect(), flags, label->text());
            EXPECT_LE(needed.width(), label->contentsRect().width())
                << label->objectName().toStdString();
            // A one-line label may be lower than the font's line; its glyphs still show.
            if (label->wordWrap()) {
                EXPECT_LE(needed.height(), label->contentsRect().height())
                    << label->objectName().toStdString();
            }
        }
    }
};

TEST_F(CutOffTest, FirstViewShowsEveryTextWhole) {
    // The longest list of holidays a month has.
    control<QLabel>("标签本月节假日")
        .setText(QString::fromUtf8("本月法定节假日有：正月初二 春节 除夕 元旦 "));
    expectLabelsShowWholeTexts();

    for (const QAbstractButton* button : window_->findChildren<QAbstractButton*>()) {
        const std::string name = button->objectName().toStdString();
        if (qobject_cast<const QRadioButton*>(button) || qobject_cast<const QCheckBox*>(button)) {
            EXPECT_LE(button->sizeHint().width(), button->width()) << name;
        } else if (qobject_cast<const QPushButton*>(button)) {
            const QRect needed = button->fontMetrics().boundingRect(
                button->rect(), Qt::AlignCenter | Qt::TextWordWrap, button->text());
            EXPECT_TRUE(button->rect().contains(needed)) << name;
        }
    }
}

// Rates per minute and second of up to 13 digits and a date of two-digit
// month and day show whole too.
TEST_F(CutOffTest, FiguresOfABusyMonthShowWhole) {
    for (const auto& [name, text] : {std::pair{"编辑框正常工作时间工资", "3000"},
                                     {"编辑框1加班小时数", "20"},
                                     {"编辑框2加班小时数", "16"},
                                     {"编辑框3加班小时数", "8"},
                                     {"编辑框病假时数", "8"},
                                     {"编辑框住房公积金代扣", "120"}})
        control<QLineEdit>(name).setText(text);
    QTest::mouseClick(&control<QPushButton>("按钮结果输出"), Qt::LeftButton);
    control<QLabel>("标签当前统计到的加班日期")
        .setText(QString::fromUtf8("当前加班统计到：2028年12月28日"));
    expectLabelsShowWholeTexts();
}

// Controls of one parent never cover each other, except the canvas, which
// the tab control cuts off by design and which holds its own button.
TEST_F(LayoutTest, NoControlCoversAnother) {
    std::vector<QWidget*> parents{tabs().widget(0),
                                  tabs().widget(1),
                                  tabs().widget(2),
                                  tabs().widget(3),
                                  &control<QWidget>("分组框1"),
                                  &control<QWidget>("分组框2")};
    for (QWidget* parent : parents) {
        const QList<QWidget*> children = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (qsizetype i = 0; i < children.size(); ++i)
            for (qsizetype j = i + 1; j < children.size(); ++j)
                EXPECT_FALSE(children[i]->geometry().intersects(children[j]->geometry()))
                    << children[i]->objectName().toStdString() << " and "
                    << children[j]->objectName().toStdString();
    }
}

}  // namespace
}  // namespace paylog
