#include "app/main_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <array>

#include "app/pay_page.h"
#include "app/qt_text.h"
#include "app/side_pages.h"
#include "app/tab_control.h"
#include "pay/pay.h"

namespace paylog {
namespace {

// The tab control fills the window, which keeps this size.
constexpr QSize kClientSize(893, 720);
constexpr QPoint kWindowPlace(50, 50);
constexpr int kClockPeriodMs = 1000;

}  // namespace

MainWindow::MainWindow(WindowServices services) : services_(std::move(services)) {
    move(kWindowPlace);
    setFixedSize(kClientSize);
    buildControls();
    connect(control<QPushButton>("按钮结果输出"), &QPushButton::clicked, this,
            &MainWindow::computePay);
    onCreated();
}

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
// the month's figures.
void MainWindow::onCreated() { computePay(); }

// Reads every input afresh and rewrites every result label.
void MainWindow::computePay() {
    PayInputs inputs;
    for (int box = 0; box < kPayInputCount; ++box)
        inputs[box] = toText(control<QLineEdit>(kPayInputBoxes[box])->text());
    for (const PayLabel& label : computePayFigures(inputs).labels)
        control<QLabel>(label.control)->setText(toQString(label.text));
}

}  // namespace paylog
