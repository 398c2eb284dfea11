#pragma once
// The texts of edit boxes and labels as the program's GBK texts: how every
// handler reads an input and writes a result.

#include <QLabel>
#include <QLineEdit>
#include <string_view>

#include "app/find_control.h"
#include "app/qt_text.h"
#include "core/text.h"

namespace paylog {

inline Text editText(const QWidget& window, std::string_view box) {
    return toText(findControl<QLineEdit>(window, box).text());
}

inline void setEditText(QWidget& window, std::string_view box, const Text& text) {
    findControl<QLineEdit>(window, box).setText(toQString(text));
}

inline void setLabelText(QWidget& window, std::string_view label, const Text& text) {
    findControl<QLabel>(window, label).setText(toQString(text));
}

}  // namespace paylog
