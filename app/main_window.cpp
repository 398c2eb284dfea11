#include "app/main_window.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <array>

#include "app/caption_clock.h"
#include "app/control_text.h"
#include "app/date_handling.h"
#include "app/find_control.h"
#include "app/pay_page.h"
#include "app/qt_text.h"
#include "app/settings_controls.h"
#include "app/side_pages.h"
#include "app/tab_control.h"
#include "app/usage_canvas.h"
#include "app/usage_page.h"
#include "core/number_text.h"
#include "pay/pay.h"

namespace paylog {
namespace {

// The tab control fills the window, which keeps this size.
constexpr QSize kClientSize(893, 720);
constexpr QPoint kWindowPlace(50, 50);
constexpr int kClockPeriodMs = 1000;

}  // namespace

MainWindow::MainWindow(WindowServices services)
    : services_(std::move(services)), logHandlers_(*this, services_, [this] { computePay(); }) {
    move(kWindowPlace);
    setFixedSize(kClientSize);
    buildControls();
    logHandlers_.connectControls();
    connect(&findControl<QPushButton>(*this, "按钮结果输出"), &QPushButton::clicked, this,
            &MainWindow::computePay);
    connect(&findControl<QPushButton>(*this, "按钮导入"), &QPushButton::clicked, this,
            &MainWindow::importSettings);
    connect(&findControl<QDateEdit>(*this, "日期框1"), &QDateEdit::dateChanged, this,
            &MainWindow::updateDateDependents);
    connect(&findControl<TabControl>(*this, "高级选择夹1"), &QTabWidget::currentChanged, this,
            &MainWindow::onPageChanged);
    connectFeedbackButton(findControl<QAbstractButton>(*this, "图形按钮1"), services_.dialogs);
    onCreated();
}

MainWindow::~MainWindow() { shutDown(); }

void MainWindow::buildControls() {
    auto* tabs = new TabControl(this);
    tabs->setObjectName(formName("高级选择夹1"));
    tabs->setGeometry({QPoint(0, 0), kClientSize});
    const std::array<const char*, 4> titles{"工资计算", "加班明细", "设置", "使用说明"};
    const std::array<QWidget*, 4> pages{new QWidget, new QWidget, new QWidget, new QWidget};
    for (size_t i = 0; i < pages.size(); ++i) tabs->addTab(pages[i], formName(titles[i]));
    // Known only now that the tab strip has its tabs.
    const QRect pageArea = tabs->pageArea();
    buildPayPage({pages[0], pageArea}, services_.clock());
    buildLogGridPage({pages[1], pageArea});
    buildSettingsPage({pages[2], pageArea});
    buildUsagePage({pages[3], pageArea});

    auto* clock = new QTimer(this);
    clock->setObjectName(formName("时钟1"));
    clock->setInterval(kClockPeriodMs);
}

// Runs once, before the user can act, so that the first view already shows
// the month's figures. The program's flat look is applied to the whole
// application before any window exists.
void MainWindow::onCreated() {
    sessionStartTime_ = services_.clock();
    services_.selectedMonthText = intToText(monthOf(dateBoxDay(*this)));
    if (!logHandlers_.unlockLog()) return;
    startedUp_ = true;

    const std::filesystem::path& dataDir = services_.dataDirectory;
    findControl<QCheckBox>(*this, "选择框夜班").setChecked(isNightShift(readShiftSetting(dataDir)));
    showTaxSettings(*this, readTaxSettings(dataDir));
    updateDateDependents();
    logHandlers_.loadMonthTotals();
    computePay();

    // The date handling above chose by weekday; a fresh session always
    // starts on a G1 entry of 2 hours.
    chooseG1Entry(*this);
    findControl<QComboBox>(*this, "组合框").setCurrentIndex(0);
    setUpMonthProgress();
    keepProgressAtToday(findControl<QScrollBar>(*this, "进度条1"), services_.clock);
    startCaptionClock(*this, findControl<QTimer>(*this, "时钟1"), sessionStartTime_,
                      services_.clock);
    writeHolidayLabel(*this);
}

// The usage drawing handles events for about a minute and may outlive the
// window, so nothing may follow it.
void MainWindow::onPageChanged() {
    const int page = findControl<TabControl>(*this, "高级选择夹1").currentIndex();
    if (page == 1) logHandlers_.fillLogGrid();
    if (page == 3) drawUsagePage(findControl<UsageCanvas>(*this, "画板1"), services_.wait);
}

void MainWindow::setUpMonthProgress() {
    auto& progress = findControl<QScrollBar>(*this, "进度条1");
    const DateTimeParts start = splitDateTime(sessionStartTime_);
    // The whole range first, so that the day is not clamped to the old one.
    progress.setRange(1, daysInMonth(start.year, start.month));
    progress.setValue(start.day);
}

// Reads every input afresh and rewrites every result label.
void MainWindow::computePay() {
    updateDateDependents();
    PayInputs inputs;
    for (int box = 0; box < kPayInputCount; ++box)
        inputs[box] = editText(*this, kPayInputBoxes[box]);
    for (const PayLabel& label : computePayFigures(inputs, taxChoiceOf(*this)).labels)
        setLabelText(*this, label.control, label.text);
}

void MainWindow::updateDateDependents() {
    paylog::updateDateDependents(*this, services_.selectedMonthText);
}

void MainWindow::importSettings() { importWageItems(*this, services_.dataDirectory); }

void MainWindow::closeEvent(QCloseEvent* event) {
    shutDown();
    event->accept();
}

// Runs once, however the window goes away.
void MainWindow::shutDown() {
    if (shutDown_) return;
    shutDown_ = true;
    // A start-up stopped at the gate filled nothing: the boxes hold the form's
    // defaults, which must not replace the user's saved values. Nor was the
    // log opened, so there is nothing of this run to back up.
    if (!startedUp_) return;
    saveSettingsOrWarn();
    logHandlers_.backupLog();
}

void MainWindow::saveSettingsOrWarn() {
    const IniResult saved = saveSettings(services_.dataDirectory, settingsOfWindow(*this));
    if (saved) return;
    static const Text kCannotSave = gbk("设置未能保存，本次输入的数据将会丢失：");
    static const Text kCheck = gbk("请确认数据文件夹可以写入、磁盘没有写满。");
    services_.dialogs.showMessage(
        {.text = joinTexts({kCannotSave, gbk(settingsFilePath(services_.dataDirectory).string()),
                            "\n", gbk(saved.detail), "\n", kCheck}),
         .icon = MessageIcon::Warning});
}

}  // namespace paylog
