#pragma once
// The program's one window: four tab pages of absolutely placed controls.
// Handlers find their controls by form name, the controls' texts being the
// only store of the calculator's inputs.

#include <QWidget>
#include <string_view>

#include "app/page_placer.h"
#include "app/window_services.h"

namespace paylog {

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    explicit MainWindow(WindowServices services);

  private:
    void buildControls();

    // Handlers, each named after what it does; they take nothing and return
    // nothing, talking to each other only through the controls.
    void onCreated();
    void computePay();

    // The control with this form name; a name missing from the layout is a
    // programming error and stops the program.
    template <class Control>
    Control* control(std::string_view name) const {
        auto* found = findChild<Control*>(formName(name));
        if (!found) qFatal("no control named %.*s", int(name.size()), name.data());
        return found;
    }

    WindowServices services_;
};

}  // namespace paylog
