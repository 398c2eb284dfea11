#pragma once
// The window's handlers of the overtime log: the password gate, recording a
// day, the month totals, the grid page, maintenance and the daily backup.
// They read and write the window's controls by form name and hold the log's
// password for the run.

#include <QObject>
#include <cstddef>
#include <functional>
#include <optional>

#include "app/dialogs.h"
#include "app/window_services.h"
#include "core/text.h"
#include "log/record_store.h"

class QComboBox;
class QRadioButton;
class QTableWidget;
class QWidget;

namespace paylog {

class LogHandlers : public QObject {
    Q_OBJECT
  public:
    // `computePay` is the window's pay handler, run after a refresh.
    LogHandlers(QWidget& window, WindowServices& services, std::function<void()> computePay);
    ~LogHandlers() override;

    // Connects the log buttons and radio buttons of the window.
    void connectControls();

    bool unlockLog();        // start-up gate; false: the window is being closed
    void loadMonthTotals();  // the date box's month from the log into the boxes
    void fillLogGrid();      // page "加班明细"
    void backupLog();        // at shutdown, once a day

  private:
    // The gate's steps; each false means the window is being closed.
    bool createProtectedLog();
    bool closeWindow();

    // Radio buttons by position, in the order they are checked when recording.
    void chooseEntryKind(std::size_t kind);
    void recordDay();
    void refresh();
    void deleteLastRecord();
    void sortLog();
    void clearLog();
    void changePassword();

    // The window's controls exist only once it has built them, after this
    // object was made; they are looked up when needed.
    QComboBox& entryText() const;
    QRadioButton& entryKindButton(std::size_t kind) const;
    QTableWidget& grid() const;
    DateTime dateBoxValue() const;
    MessageAnswer tell(const Text& text, MessageIcon icon,
                       MessageButtons buttons = MessageButtons::Ok);
    // The entry, or nothing when the dialog was cancelled.
    std::optional<Text> askPassword(const Text& title, const Text& prompt = {});

    QWidget& window_;
    WindowServices& services_;
    std::function<void()> computePay_;
    RecordStore store_;
    Text logPassword_;
};

}  // namespace paylog
