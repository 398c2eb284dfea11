#pragma once
// The one crossing between the program's GBK texts and Qt's strings: controls
// are read and written through these two.

#include <QString>

#include "core/text.h"

namespace paylog {

QString toQString(const Text& text);
// Characters GBK lacks become '?', as everywhere else in the program.
Text toText(const QString& string);

}  // namespace paylog
