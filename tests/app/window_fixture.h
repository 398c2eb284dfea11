#pragma once
// A fresh window for every test: its own temporary data directory, scripted
// dialogs, a fixed clock (Monday 2013-06-24, 09:30) and a wait that only
// handles pending events.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <memory>
#include <stdexcept>

#include "app/main_window.h"
#include "app/tab_control.h"
#include "scripted_dialogs.h"

namespace paylog {

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dataDirectory_.isValid());
        window_ = std::make_unique<MainWindow>(
            WindowServices{dialogs_, [this] { return now_; }, dataDirectory_.path().toStdString(),
                           [](int32_t) { QCoreApplication::processEvents(); }});
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    void TearDown() override { window_.reset(); }

    // The control with this form name and kind; a test fails when there is none.
    template <class Control>
    Control& control(const char* name) const {
        auto* found = window_->findChild<Control*>(QString::fromUtf8(name));
        if (!found) throw std::runtime_error(std::string("no control ") + name);
        return *found;
    }

    QTemporaryDir dataDirectory_;
    ScriptedDialogs dialogs_;
    DateTime now_ = makeDateTime(2013, 6, 24, 9, 30, 0);
    std::unique_ptr<MainWindow> window_;
};

}  // namespace paylog
