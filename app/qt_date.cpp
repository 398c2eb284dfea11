#include "app/qt_date.h"

namespace paylog {

QDate toQDate(DateTime value) {
    const DateTimeParts parts = splitDateTime(value);
    return QDate(parts.year, parts.month, parts.day);
}

}  // namespace paylog
