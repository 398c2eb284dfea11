#pragma once
// A fresh window over a fresh log for every test: the log is prepared (or
// left missing) in a temporary data directory before the window starts, the
// gate is answered from the script, and the log is read back directly to see
// what the buttons did.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <array>
#include <deque>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "core/date_time.h"
#include "log/overtime_log.h"
#include "log/record_store.h"
#include "scripted_dialogs.h"

namespace paylog {

// One record of the log with its texts in UTF-8, for readable comparisons.
struct LoggedDay {
    DateTime date = 0;
    int32_t g1 = 0, g2 = 0, g3 = 0, personalLeave = 0, sickLeave = 0;
    std::string remark{};
    std::string weekday{};
    int32_t night = 0;
    int32_t absence = 0;
    bool operator==(const LoggedDay&) const = default;
};
void PrintTo(const LoggedDay& day, std::ostream* out);

// A record to put into the log before the window starts: hours of one field,
// or a remark.
struct SeedDay {
    DateTime date;
    LogField field = LogField::G1;
    int32_t hours = 0;
    const char* remark = "";
    int32_t night = 0;
};

class LogWindowTest : public ::testing::Test {
  protected:
    LogWindowTest();
    void TearDown() override { window_.reset(); }

    // Starts the window; the gate takes its answers from `gateAnswers`
    // (nullopt: Cancel). What was asked during start-up is forgotten only by
    // startUnlocked, so gate tests can see it.
    void startWindow(std::deque<std::optional<Text>> gateAnswers);
    // A log protected by `password` holding `days`, and a window unlocked
    // with it; the dialogs' record starts empty.
    void startUnlocked(const char* password, const std::vector<SeedDay>& days = {});
    // Shutdown as the user closing the program.
    void closeWindow() { window_.reset(); }

    void seedLog(const char* password, const std::vector<SeedDay>& days);
    void appendDays(const char* password, const std::vector<SeedDay>& days);
    std::vector<LoggedDay> readLog(const char* password, const Text& table = logTableName());
    StoreStatus openStatus(const char* password);
    std::filesystem::path logPath() const;
    std::filesystem::path backupPath() const;

    // Controls by form name; a test fails when there is none.
    template <class Control>
    Control& control(const char* name) const {
        auto* found = window_->findChild<Control*>(QString::fromUtf8(name));
        if (!found) throw std::runtime_error(std::string("no control ") + name);
        return *found;
    }
    void click(const char* button);
    void setDateBox(DateTime day);
    std::string text(const char* control) const;  // of a line edit, label or combo box

    // What the dialogs were asked, texts in UTF-8.
    std::vector<std::string> messageTexts() const;
    std::vector<std::string> inputTitles() const;
    void forgetDialogs();

    QTemporaryDir dataDirectory_;
    ScriptedDialogs dialogs_;
    DateTime now_ = makeDateTime(2013, 6, 24, 9, 30, 0);  // a Monday
    std::unique_ptr<MainWindow> window_;
    RecordStore store_;  // the test's own view of the same files
};

}  // namespace paylog
