#pragma once
// The program's one window: four tab pages of absolutely placed controls.
// Handlers find their controls by form name, the controls' texts being the
// only store of the calculator's inputs.

#include <QWidget>

#include "app/log_handlers.h"
#include "app/window_services.h"
#include "core/date_time.h"

class QCloseEvent;

namespace paylog {

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    // Builds the controls and runs the start-up, password gate included.
    explicit MainWindow(WindowServices services);
    // Runs the shutdown when closing did not already.
    ~MainWindow() override;

    // False when the password gate stopped the start-up: the window is not
    // to be shown, and the program ends.
    bool startedUp() const { return startedUp_; }
    // When the window was created; the caption shows this day.
    DateTime sessionStartTime() const { return sessionStartTime_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();

    // Handlers, each named after what it does; they take nothing and return
    // nothing, talking to each other only through the controls.
    void onCreated();
    void onPageChanged();
    void computePay();
    void updateDateDependents();
    void importSettings();
    void shutDown();

    void saveSettingsOrWarn();
    void setUpMonthProgress();

    WindowServices services_;
    LogHandlers logHandlers_;
    DateTime sessionStartTime_ = 0;
    bool startedUp_ = false;
    bool shutDown_ = false;
};

}  // namespace paylog
