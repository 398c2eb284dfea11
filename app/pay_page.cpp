#include "app/pay_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <algorithm>
#include <array>

#include "app/number_edit.h"
#include "app/qt_date.h"

namespace paylog {
namespace {

const QColor kRed(255, 0, 0);
const QColor kPink(255, 80, 128);
const QColor kBlue(0, 0, 255);
const QColor kSkyBlue(0, 136, 255);

// Red marks the items that make up the base wage, from which every rate follows.
struct WageRow {
    const char* label;
    const char* caption;
    int y;
    int labelWidth;
    const char* box;
    QPoint boxAt;
    const char* initialText;
    bool numberBox;  // amounts and hours; the last two rows take any text
    EmptyOn emptyOn;
    QColor colour;
};

// Captions end where their edit box begins; several are wider than first
// planned so that the whole caption shows in the interface font.
constexpr int kLabelX = 19;
constexpr int kLabelHeight = 15;
constexpr QSize kBoxSize(56, 16);

// clang-format off
const std::array<WageRow, 19> kWageRows{{
    {"透明标签1", "正常工作时间工资(元)：", 40, 133, "编辑框正常工作时间工资", {153, 39}, "1820",
     true, EmptyOn::LeftButtonRelease, kRed},
    {"透明标签12", "考核岗位津贴(元)：", 72, 106, "编辑框考核岗位津贴", {152, 72}, "200", true,
     EmptyOn::Entry, kRed},
    {"透明标签13", "职务津贴(元)：", 104, 106, "编辑框职务津贴", {152, 104}, "0", true,
     EmptyOn::Entry, kRed},
    {"透明标签29", "地区津贴(元)：", 136, 106, "编辑框地区津贴", {152, 136}, "0", true,
     EmptyOn::Entry, kRed},
    {"透明标签37", "技能津贴(元)：", 168, 106, "编辑框技能津贴", {152, 168}, "300", true,
     EmptyOn::Entry, kRed},
    {"透明标签38", "夜班津贴(元)：", 200, 106, "编辑框夜班津贴", {152, 200}, "0", true,
     EmptyOn::Entry, Qt::black},
    {"透明标签39", "特殊岗位津贴(元)：", 232, 106, "编辑框特殊岗位津贴", {152, 232}, "200", true,
     EmptyOn::Entry, Qt::black},
    {"透明标签40", "G1加班小时数(小时)：", 264, 133, "编辑框1加班小时数", {152, 264}, "0", true,
     EmptyOn::Entry, Qt::black},
    {"透明标签41", "G2加班小时数(小时)：", 296, 133, "编辑框2加班小时数", {152, 296}, "0", true,
     EmptyOn::Entry, Qt::black},
    {"透明标签42", "G3加班小时数(小时)：", 328, 133, "编辑框3加班小时数", {152, 328}, "0", true,
     EmptyOn::Entry, Qt::black},
    {"透明标签30", "事假小时数(小时)：", 360, 106, "编辑框事假时数", {152, 360}, "0", true,
     EmptyOn::Entry, Qt::black},
    {"透明标签31", "病假小时数(小时)：", 392, 106, "编辑框病假时数", {152, 392}, "0", true,
     EmptyOn::Entry, Qt::black},
    {"透明标签32", "旷工小时数(小时)：", 424, 106, "编辑框旷工时数", {152, 424}, "0", true,
     EmptyOn::Never, Qt::black},
    {"透明标签33", "社保代扣(元)：", 456, 106, "编辑框社保代扣", {152, 456}, "175.6", true,
     EmptyOn::Never, Qt::black},
    {"透明标签34", "住房公积金代扣(元)：", 488, 133, "编辑框住房公积金代扣", {152, 488}, "0", true,
     EmptyOn::Entry, Qt::black},
    {"透明标签35", "伙食费代扣(元)：", 520, 106, "编辑框伙食费代扣", {152, 520}, "400", true,
     EmptyOn::Entry, Qt::black},
    {"透明标签36", "住宿费代扣(元)：", 552, 106, "编辑框住宿费代扣", {152, 552}, "0", true,
     EmptyOn::Entry, Qt::black},
    {"透明标签5", "其它减项：", 584, 115, "编辑框其它减项", {152, 583}, "0", false, EmptyOn::Never,
     Qt::black},
    {"透明标签6", "其它加项：", 616, 115, "编辑框其它加项", {152, 615}, "0", false, EmptyOn::Never,
     Qt::black},
}};
// clang-format on

// A label showing a figure; until the first calculation it shows its own
// name unless another initial text is given.
struct FigureLabel {
    const char* name;
    QRect rect;
    const char* initialText;  // nullptr: the label's name
    QColor colour;
    bool wraps = false;
};

// clang-format off
const std::array<FigureLabel, 26> kFigureLabels{{
    {"标签G1工资", {264, 40, 181, 15}, nullptr, Qt::black},
    {"标签G2工资", {264, 72, 181, 15}, nullptr, Qt::black},
    {"标签G3工资", {264, 104, 181, 15}, nullptr, Qt::black},
    {"标签加班费总和", {264, 136, 181, 15}, nullptr, Qt::black},
    {"标签事假减项", {264, 168, 181, 15}, nullptr, Qt::black},
    {"标签病假减项", {264, 200, 181, 15}, nullptr, Qt::black},
    {"标签旷工减项", {264, 232, 181, 15}, nullptr, Qt::black},
    {"标签应发工资", {264, 264, 181, 15}, nullptr, kPink},
    {"标签个人所得税代扣", {264, 296, 181, 15}, "个人所得税代扣", Qt::black},
    {"标签实发工资", {264, 328, 181, 15}, nullptr, kPink},
    {"标签正常班时薪", {448, 40, 181, 15}, nullptr, Qt::black},
    {"标签正常8小时薪资", {448, 72, 181, 15}, nullptr, Qt::black},
    {"标签正常10小时薪资", {448, 104, 181, 15}, "标签正常10小时工资", Qt::black},
    {"标签G1时薪", {448, 136, 181, 15}, nullptr, Qt::black},
    {"标签G2时薪", {448, 168, 181, 15}, nullptr, Qt::black},
    {"标签周六日8小时薪资", {448, 200, 181, 15}, nullptr, Qt::black},
    {"标签周六日10小时薪资", {448, 232, 181, 15}, nullptr, Qt::black},
    {"标签G3时薪", {448, 264, 181, 15}, nullptr, Qt::black},
    {"标签节假日8小时薪资", {448, 296, 181, 15}, nullptr, Qt::black},
    {"标签节假日10小时薪资", {448, 328, 181, 15}, nullptr, Qt::black},
    {"标签本月G1最多小时数", {264, 392, 171, 15}, nullptr, kBlue},
    {"标签本月G2最多小时数", {264, 424, 171, 15}, nullptr, kBlue},
    {"标签本月G3最多小时数", {264, 456, 171, 15}, nullptr, kBlue},
    {"标签本月最多加班小时数", {264, 489, 171, 15}, nullptr, kBlue},
    {"标签本月已加班", {264, 520, 171, 15}, "本月已加班", kSkyBlue},
    // A month with four holidays needs more than the room beside 分组框2:
    // the list goes on in a second line instead of running under the group.
    {"标签本月节假日", {264, 550, 171, 36}, nullptr, kSkyBlue, true},
}};
// clang-format on

// Inside 分组框2, relative to it; the initial text is the name less "标签".
// A rate shows up to 13 digits, more than one line of the group holds: each
// label takes two lines, and the group reaches up to the figures' last row
// to make room for them.
// clang-format off
const std::array<FigureLabel, 6> kRateLabels{{
    {"标签正常工作日每分钟薪资", {8, 24, 183, 38}, "正常工作日每分钟薪资", Qt::black, true},
    {"标签周六日每分钟薪资", {8, 64, 183, 38}, "周六日每分钟薪资", Qt::black, true},
    {"标签节假日每分钟薪资", {8, 104, 183, 38}, "节假日每分钟薪资", Qt::black, true},
    {"标签正常工作日每秒钟薪资", {8, 144, 183, 38}, "正常工作日每秒钟薪资", Qt::black, true},
    {"标签周六日每秒钟薪资", {8, 184, 183, 38}, "周六日每秒钟薪资", Qt::black, true},
    {"标签节假日每秒钟薪资", {8, 224, 183, 38}, "节假日每秒钟薪资", Qt::black, true},
}};
// clang-format on

void addFigureLabel(QWidget* parent, const FigureLabel& row, QRect rect) {
    QLabel* label =
        newLabel(parent, row.name, row.initialText ? row.initialText : row.name, rect, row.colour);
    if (row.wraps) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
}

QGroupBox* newGroupBox(QWidget* parent, std::string_view name, std::string_view caption,
                       QRect rect) {
    auto* group = new QGroupBox(formName(caption), parent);
    group->setObjectName(formName(name));
    group->setGeometry(rect);
    return group;
}

template <class Control>
Control* newControl(QWidget* parent, std::string_view name, std::string_view text, QRect rect) {
    auto* control = new Control(formName(text), parent);
    control->setObjectName(formName(name));
    control->setGeometry(rect);
    return control;
}

void addWageRows(const PagePlacer& placer) {
    for (const WageRow& row : kWageRows) {
        newLabel(placer.page(), row.label, row.caption,
                 placer.onPage({kLabelX, row.y, row.labelWidth, kLabelHeight}), row.colour);
        const QString initialText = formName(row.initialText);
        QLineEdit* box = row.numberBox ? new NumberEdit(initialText, row.emptyOn, placer.page())
                                       : new QLineEdit(initialText, placer.page());
        box->setObjectName(formName(row.box));
        box->setAlignment(Qt::AlignCenter);
        box->setGeometry(placer.onPage({row.boxAt, kBoxSize}));
        setTextColour(box, row.colour);
    }
}

// The day to record and the kind of entry, with the log's operations.
void addLogGroup(QWidget* page, QRect rect, DateTime today) {
    QGroupBox* group = newGroupBox(page, "分组框1", "数据库操作", rect);

    auto* date = new QDateEdit(toQDate(today), group);
    date->setObjectName(formName("日期框1"));
    date->setGeometry(20, 37, 117, 16);
    date->setCalendarPopup(true);
    date->setDisplayFormat(QStringLiteral("yyyy/M/d"));
    // Every day the program can hold is open to the picker.
    date->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));

    newControl<QCheckBox>(group, "选择框夜班", "夜班", {150, 37, 50, 16});
    // The radio buttons reach to their right-hand neighbour, wider than first
    // planned, so that each caption shows whole beside its indicator.
    newControl<QRadioButton>(group, "单选框加班1", "加班G1", {8, 72, 72, 18});
    newControl<QRadioButton>(group, "单选框加班2", "加班G2", {80, 72, 64, 15});
    newControl<QRadioButton>(group, "单选框加班3", "加班G3", {144, 72, 64, 15});
    newControl<QRadioButton>(group, "单选框事假", "事假", {8, 96, 72, 15});
    newControl<QRadioButton>(group, "单选框病假", "病假", {80, 96, 64, 15});
    newControl<QRadioButton>(group, "单选框旷工", "旷工", {144, 96, 64, 15});
    newLabel(group, "透明标签2", "加班小时数或备注：", {25, 128, 112, 16});

    auto* entry = new QComboBox(group);
    entry->setObjectName(formName("组合框"));
    entry->setGeometry(137, 128, 48, 20);
    entry->setEditable(true);
    // The typed text is the entry as it stands: never completed from the list,
    // never added to it.
    entry->setCompleter(nullptr);
    entry->setInsertPolicy(QComboBox::NoInsert);
    for (const char* item : {"2", "8", "10", "早班", "休息", "补班"})
        entry->addItem(formName(item));
    entry->setCurrentIndex(-1);

    newButton(group, "按钮加班记录", "加班记录", {64, 168, 88, 22});
    newButton(group, "按钮刷新", "刷新", {64, 264, 88, 22});
    newButton(group, "按钮修改数据库密码", "修改数据库密码", {55, 296, 105, 22});
    // As wide as the group allows: a date of two-digit month and day fits whole.
    newLabel(group, "标签当前统计到的加班日期", "标签当前统计到的加班日期", {8, 344, 204, 15});
    newButton(group, "按钮读取数据库", "读取数据库", {16, 364, 88, 22});
    newButton(group, "按钮删除", "删除记录", {112, 366, 88, 22});
    newButton(group, "按钮数据库排序", "数据库排序", {16, 394, 88, 22});
    newButton(group, "按钮数据库清空", "数据库清空", {112, 392, 88, 22});
}

}  // namespace

void buildPayPage(const PagePlacer& placer, DateTime today) {
    QWidget* page = placer.page();
    addWageRows(placer);
    for (const FigureLabel& row : kFigureLabels) addFigureLabel(page, row, placer.onPage(row.rect));

    QGroupBox* rates = newGroupBox(page, "分组框2", "以下内容不保证100%正确！",
                                   placer.onPage({436, 360, 195, 271}));
    for (const FigureLabel& row : kRateLabels) addFigureLabel(rates, row, row.rect);

    addLogGroup(page, placer.onPage({648, 48, 216, 424}), today);

    newButton(page, "按钮导入", "导入最后一次输入的数据", placer.onPage({24, 656, 168, 24}));
    QPushButton* compute =
        newButton(page, "按钮结果输出", "结果输出", placer.onPage({656, 496, 208, 184}));
    setFontPixelSize(compute, 24);

    // Ends at the page's right edge so that both arrow buttons stay visible.
    auto* progress = new QScrollBar(Qt::Horizontal, page);
    progress->setObjectName(formName("进度条1"));
    progress->setGeometry(
        placer.onPage({0, 688, std::min(912, placer.pageArea().right() + 1), 16}));
    progress->setRange(0, 100);
    progress->setValue(30);
}

}  // namespace paylog
