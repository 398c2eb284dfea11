#include "app/qt_date.h"

namespace paylog {

QDate toQDate(DateTime value) {
    const DateTimeParts parts = splitDateTime(value);
    return QDate(parts.year, parts.month, parts.day);
}

DateTime toDateTime(QDate date) { return makeDateTime(date.year(), date.month(), date.day()); }

}  // namespace paylog
