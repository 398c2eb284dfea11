#include "app/log_handlers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <string_view>

#include "app/control_text.h"
#include "app/entry_kind_controls.h"
#include "app/find_control.h"
#include "app/frozen_column.h"
#include "app/log_grid_view.h"
#include "app/qt_date.h"
#include "app/qt_text.h"
#include "core/number_text.h"
#include "log/log_grid.h"
#include "log/log_password.h"
#include "log/log_problem.h"
#include "log/month_totals.h"
#include "log/overtime_log.h"
#include "log/record_day.h"

namespace paylog {
namespace {

// The month's figures, in the order the boxes are written.
struct TotalsBox {
    std::string_view box;
    Text MonthTotals::*figure;
};
constexpr std::array<TotalsBox, 7> kTotalsBoxes{{
    {"编辑框夜班津贴", &MonthTotals::nightAllowance},
    {"编辑框1加班小时数", &MonthTotals::g1Hours},
    {"编辑框2加班小时数", &MonthTotals::g2Hours},
    {"编辑框3加班小时数", &MonthTotals::g3Hours},
    {"编辑框事假时数", &MonthTotals::personalLeaveHours},
    {"编辑框旷工时数", &MonthTotals::absenceHours},
    {"编辑框病假时数", &MonthTotals::sickLeaveHours},
}};

}  // namespace

LogHandlers::LogHandlers(QWidget& window, WindowServices& services,
                         std::function<void()> computePay)
    : QObject(&window),
      window_(window),
      services_(services),
      computePay_(std::move(computePay)),
      store_(services.dataDirectory, services.kdfLimits) {}

LogHandlers::~LogHandlers() = default;

void LogHandlers::connectControls() {
    new FrozenColumn(grid());
    for (std::size_t kind = 0; kind < kEntryKindCount; ++kind) {
        connect(&entryKindButton(kind), &QRadioButton::clicked, this,
                [this, kind] { chooseEntryKind(kind); });
    }
    const auto onClick = [this](std::string_view button, void (LogHandlers::*handler)()) {
        connect(&findControl<QPushButton>(window_, button), &QPushButton::clicked, this, handler);
    };
    onClick("按钮加班记录", &LogHandlers::recordDay);
    onClick("按钮读取数据库", &LogHandlers::loadMonthTotals);
    onClick("按钮刷新", &LogHandlers::refresh);
    onClick("按钮表格刷新", &LogHandlers::fillLogGrid);
    onClick("按钮删除", &LogHandlers::deleteLastRecord);
    onClick("按钮数据库排序", &LogHandlers::sortLog);
    onClick("按钮数据库清空", &LogHandlers::clearLog);
    onClick("按钮修改数据库密码", &LogHandlers::changePassword);
}

// A file that cannot be read as a log is reported and left alone; the prompt
// comes back so that the user can still cancel. Only a wrong password brings
// it back without a word.
bool LogHandlers::unlockLog() {
    static const Text kPrompt = gbk("请输入密码");
    for (;;) {
        if (!logExists(store_) && !createProtectedLog()) return closeWindow();
        const std::optional<Text> entry = askPassword(kPrompt);
        if (!entry) return closeWindow();
        const PasswordTry attempt = tryLogPassword(store_, *entry);
        switch (attempt.access) {
            case LogAccess::Ok:
                logPassword_ = *entry;
                return true;
            case LogAccess::WrongPassword:
            case LogAccess::Missing:  // gone since it was looked for: made afresh
                break;
            case LogAccess::Unreadable:
            case LogAccess::Busy:
            case LogAccess::IoError:
                tell(attempt.message, MessageIcon::Error);
                break;
        }
    }
}

// The first start: an empty log, protected by the password typed twice.
bool LogHandlers::createProtectedLog() {
    static const Text kNotCreated = gbk("无法创建加班记录文件“加班.edb”");
    static const Text kFirst = gbk("请设置密码");
    static const Text kSecond = gbk("确认密码");
    static const Text kMismatch = gbk("两次密码输入不一致！");
    const StoreResult created = createLog(store_);
    if (!created) {
        tell(joinTexts({withDetail(kNotCreated, created), writeAdvice(store_)}),
             MessageIcon::Error);
        return false;
    }
    const Text first = askPassword(kFirst).value_or(Text());
    const Text second = askPassword(kSecond).value_or(Text());
    if (first != second) {
        tell(kMismatch, MessageIcon::Error);
        return false;
    }
    const LogReport protectedLog = setLogPassword(store_, Text(), second);
    if (!protectedLog.ok()) {
        tell(protectedLog.message, MessageIcon::Error);
        return false;
    }
    return true;
}

bool LogHandlers::closeWindow() {
    window_.close();
    return false;
}

void LogHandlers::chooseEntryKind(std::size_t kind) {
    entryText().setEditText(formName(kEntryKindControls[kind].usualHours));
    for (std::size_t other = 0; other < kEntryKindCount; ++other) {
        if (other != kind) entryKindButton(other).setChecked(false);
    }
}

void LogHandlers::recordDay() {
    std::array<bool, kEntryKindCount> ticked{};
    for (std::size_t kind = 0; kind < kEntryKindCount; ++kind)
        ticked[kind] = entryKindButton(kind).isChecked();
    const DayEntry entry{dateBoxValue(), firstTickedEntry(ticked),
                         toText(entryText().currentText()),
                         findControl<QCheckBox>(window_, "选择框夜班").isChecked()};
    const RecordDayResult result = paylog::recordDay(store_, logPassword_, entry);
    switch (result.status) {
        case RecordDayStatus::Added:
        case RecordDayStatus::Duplicate:
            tell(result.report.message, MessageIcon::Information);
            break;
        case RecordDayStatus::AddFailed:
            tell(result.report.message, MessageIcon::Warning);
            break;
        case RecordDayStatus::LogUnavailable:
            tell(result.report.message, MessageIcon::Error);
            break;
        case RecordDayStatus::NothingTicked:
            break;
    }
}

// When the log cannot be read the boxes are emptied rather than left with
// figures that look like this month's, and the user is told why.
void LogHandlers::loadMonthTotals() {
    const MonthTotals totals = paylog::loadMonthTotals(store_, logPassword_, dateBoxValue());
    services_.selectedMonthText = totals.selectedMonthText;
    for (const TotalsBox& box : kTotalsBoxes) setEditText(window_, box.box, totals.*box.figure);
    setLabelText(window_, "标签当前统计到的加班日期", totals.reachedLabel);
    if (!totals.report.ok()) tell(totals.report.message, MessageIcon::Error);
}

void LogHandlers::refresh() {
    loadMonthTotals();
    computePay_();
}

void LogHandlers::fillLogGrid() {
    const LogGrid grid = loadLogGrid(store_, logPassword_);
    showLogGrid(this->grid(), grid);
    if (!grid.report.ok()) tell(grid.report.message, MessageIcon::Error);
}

QComboBox& LogHandlers::entryText() const { return findControl<QComboBox>(window_, "组合框"); }

QRadioButton& LogHandlers::entryKindButton(std::size_t kind) const {
    return findControl<QRadioButton>(window_, kEntryKindControls[kind].radioButton);
}

QTableWidget& LogHandlers::grid() const { return findControl<QTableWidget>(window_, "高级表格1"); }

DateTime LogHandlers::dateBoxValue() const {
    return toDateTime(findControl<QDateEdit>(window_, "日期框1").date());
}

MessageAnswer LogHandlers::tell(const Text& text, MessageIcon icon, MessageButtons buttons) {
    MessageRequest request;
    request.text = text;
    request.icon = icon;
    request.buttons = buttons;
    return services_.dialogs.showMessage(request);
}

std::optional<Text> LogHandlers::askPassword(const Text& title, const Text& prompt) {
    Text entry;
    if (!services_.dialogs.askText({title, prompt, /*password=*/true}, entry)) return std::nullopt;
    return entry;
}

}  // namespace paylog
