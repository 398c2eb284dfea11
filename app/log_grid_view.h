#pragma once
// Writes the log, as log/log_grid.h lays it out, into the grid page's table.

#include <QColor>

#include "log/log_grid.h"

class QTableWidget;

namespace paylog {

// The background of a cell that holds an entry.
inline const QColor kEntryShade{192, 192, 192};

// Titles in the title row, the date column widened, one row per record.
// Every cell gets its background afresh, so a grey cell always means an
// entry, whatever the row held before.
void showLogGrid(QTableWidget& table, const LogGrid& grid);

}  // namespace paylog
