#pragma once
// A fresh window for every test: its own temporary data directory, scripted
// dialogs, a fixed clock (Monday 2013-06-24, 09:30), low key-derivation
// limits and a wait that only handles pending events. The password gate is
// answered with kPassword unless a test scripts it otherwise.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "app/main_window.h"
#include "app/tab_control.h"
#include "scripted_dialogs.h"

namespace paylog {

class WindowTest : public ::testing::Test {
  protected:
    inline static const Text kPassword = "pw";

    void SetUp() override {
        ASSERT_TRUE(dataDirectory_.isValid());
        answerGate();
        startWindow();
    }

    void TearDown() override { window_.reset(); }

    // A first start sets the password (twice) before it asks for it.
    void answerGate() {
        const bool logExists =
            !QDir(dataDirectory_.path()).entryList({"加班.edb"}, QDir::Files).isEmpty();
        for (int answer = logExists ? 1 : 3; answer > 0; --answer)
            dialogs_.inputAnswers.push_back(kPassword);
    }

    // Builds the window, which runs the start-up; shows it when the start-up
    // got past the gate.
    void startWindow() {
        window_ = std::make_unique<MainWindow>(
            WindowServices{.dialogs = dialogs_,
                           .clock = [this] { return now_; },
                           .dataDirectory = dataDirectory_.path().toStdString(),
                           .wait = [](int32_t) { QCoreApplication::processEvents(); },
                           .kdfLimits = KdfLimits::forTests(),
                           .selectedMonthText = {}});
        if (window_->startedUp()) showWindow();
    }

    // The controls as laid out: with the password prompt cancelled the
    // start-up fills nothing, and the window is shown all the same.
    void showFormAsLaidOut() {
        dialogs_.inputAnswers.clear();
        startWindow();
        showWindow();
    }

    void showWindow() {
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    // Closes the window (its shutdown runs) and starts a new one on the same
    // data directory, the gate answered with kPassword.
    void restartWindow() {
        window_.reset();
        answerGate();
        startWindow();
    }

    // The control with this form name and kind; a test fails when there is none.
    template <class Control>
    Control& control(const char* name) const {
        auto* found = window_->findChild<Control*>(QString::fromUtf8(name));
        if (!found) throw std::runtime_error(std::string("no control ") + name);
        return *found;
    }

    std::filesystem::path settingsFile() const {
        return std::filesystem::path(dataDirectory_.path().toStdString()) / "配置项目.ini";
    }
    // The settings file as a user would leave it; `utf8Content` is stored in GBK.
    void writeSettingsFile(std::string_view utf8Content) const {
        std::ofstream(settingsFile(), std::ios::binary) << gbk(utf8Content);
    }
    // Its bytes; empty when there is no file.
    std::string settingsFileBytes() const {
        std::ifstream in(settingsFile(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    QTemporaryDir dataDirectory_;
    ScriptedDialogs dialogs_;
    DateTime now_ = makeDateTime(2013, 6, 24, 9, 30, 0);
    std::unique_ptr<MainWindow> window_;
};

// For tests that set the clock, the settings file or the gate's answers
// before the window starts: nothing is built until the test calls
// startWindow().
class UnstartedWindowTest : public WindowTest {
  protected:
    void SetUp() override { ASSERT_TRUE(dataDirectory_.isValid()); }
};

}  // namespace paylog
