#pragma once
// Handlers address the window's controls by form name; a name missing from
// the layout is a programming error, so it stops the program at once.

#include <QWidget>
#include <string_view>

#include "app/page_placer.h"

namespace paylog {

template <class Control>
Control& findControl(const QWidget& window, std::string_view name) {
    auto* found = window.findChild<Control*>(formName(name));
    if (!found) qFatal("no control named %.*s", int(name.size()), name.data());
    return *found;
}

}  // namespace paylog
