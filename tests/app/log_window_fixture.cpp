#include "log_window_fixture.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/qt_date.h"
#include "app/qt_text.h"
#include "log/log_password.h"

namespace paylog {

void PrintTo(const LoggedDay& d, std::ostream* out) {
    *out << utf8(dateTimeToText(d.date)) << " G1=" << d.g1 << " G2=" << d.g2 << " G3=" << d.g3
         << " 事假=" << d.personalLeave << " 病假=" << d.sickLeave << " 备注=\"" << d.remark
         << "\" " << d.weekday << " 夜班=" << d.night << " 旷工=" << d.absence;
}

LogWindowTest::LogWindowTest()
    : store_(dataDirectory_.path().toStdString(), KdfLimits::forTests()) {}

void LogWindowTest::startWindow(std::deque<std::optional<Text>> gateAnswers) {
    ASSERT_TRUE(dataDirectory_.isValid());
    dialogs_.inputAnswers = std::move(gateAnswers);
    WindowServices services{
        dialogs_,       [this] { return now_; }, dataDirectory_.path().toStdString(),
        [](int32_t) {}, KdfLimits::forTests(),   Text()};
    window_ = std::make_unique<MainWindow>(std::move(services));
}

void LogWindowTest::startUnlocked(const char* password, const std::vector<SeedDay>& days) {
    seedLog(password, days);
    startWindow({Text(password)});
    ASSERT_EQ(inputTitles(), std::vector<std::string>{"请输入密码"});
    forgetDialogs();
}

void LogWindowTest::seedLog(const char* password, const std::vector<SeedDay>& days) {
    ASSERT_TRUE(createLog(store_).ok());
    appendDays("", days);
    ASSERT_TRUE(setLogPassword(store_, "", password).ok());
}

void LogWindowTest::appendDays(const char* password, const std::vector<SeedDay>& days) {
    ASSERT_TRUE(store_.openTable(logTableName(), password).ok());
    for (const SeedDay& day : days) {
        std::vector<std::optional<FieldValue>> values(kLogFieldCount);
        values[fieldIndex(LogField::Date)] = day.date;
        if (day.hours != 0) values[fieldIndex(day.field)] = day.hours;
        values[fieldIndex(LogField::Remark)] = gbk(day.remark);
        values[fieldIndex(LogField::Weekday)] = weekdayName(weekdayOf(day.date));
        values[fieldIndex(LogField::NightShift)] = day.night;
        EXPECT_TRUE(store_.addRecord(values).ok());
    }
    store_.closeTable();
}

std::vector<LoggedDay> LogWindowTest::readLog(const char* password, const Text& table) {
    std::vector<LoggedDay> days;
    const StoreResult opened = store_.openTable(table, password, /*readOnly=*/true);
    EXPECT_TRUE(opened.ok()) << opened.detail;
    if (!opened) return days;
    for (int32_t i = 0; i < store_.recordCount(); ++i, store_.skipRecord()) {
        const auto number = [&](LogField f) { return store_.readInt(fieldName(f)); };
        const auto words = [&](LogField f) { return utf8(store_.readText(fieldName(f))); };
        days.push_back({store_.readDate(fieldName(LogField::Date)), number(LogField::G1),
                        number(LogField::G2), number(LogField::G3), number(LogField::PersonalLeave),
                        number(LogField::SickLeave), words(LogField::Remark),
                        words(LogField::Weekday), number(LogField::NightShift),
                        number(LogField::Absence)});
    }
    store_.closeTable();
    return days;
}

StoreStatus LogWindowTest::openStatus(const char* password) {
    const StoreResult opened = store_.openTable(logTableName(), password, /*readOnly=*/true);
    if (opened) store_.closeTable();
    return opened.status;
}

std::filesystem::path LogWindowTest::logPath() const { return store_.tablePath(logTableName()); }

std::filesystem::path LogWindowTest::backupPath() const {
    return std::filesystem::path(dataDirectory_.path().toStdString()) / utf8(backupFolderName()) /
           utf8(backupFileName());
}

void LogWindowTest::click(const char* button) { control<QPushButton>(button).click(); }

void LogWindowTest::setDateBox(DateTime day) {
    control<QDateEdit>("日期框1").setDate(toQDate(day));
}

std::string LogWindowTest::text(const char* name) const {
    const QString qname = QString::fromUtf8(name);
    if (auto* box = window_->findChild<QLineEdit*>(qname)) return box->text().toStdString();
    if (auto* label = window_->findChild<QLabel*>(qname)) return label->text().toStdString();
    if (auto* combo = window_->findChild<QComboBox*>(qname))
        return combo->currentText().toStdString();
    throw std::runtime_error(std::string("no text control ") + name);
}

std::vector<std::string> LogWindowTest::messageTexts() const {
    std::vector<std::string> texts;
    for (const MessageRequest& m : dialogs_.messages) texts.push_back(utf8(m.text));
    return texts;
}

std::vector<std::string> LogWindowTest::inputTitles() const {
    std::vector<std::string> titles;
    for (const InputRequest& r : dialogs_.inputs) titles.push_back(utf8(r.title));
    return titles;
}

void LogWindowTest::forgetDialogs() {
    dialogs_.messages.clear();
    dialogs_.inputs.clear();
    dialogs_.messageAnswers.clear();
    dialogs_.inputAnswers.clear();
}

}  // namespace paylog
