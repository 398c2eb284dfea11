#include "app/qt_text.h"

namespace paylog {

// Through core's converters, so that a typed text and a literal written with
// gbk() come out as the same bytes.
QString toQString(const Text& text) { return QString::fromStdString(utf8(text)); }

Text toText(const QString& string) { return gbk(string.toStdString()); }

}  // namespace paylog
