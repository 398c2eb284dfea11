#include "app/log_grid_view.h"

#include <QTableWidget>

#include "app/qt_text.h"

namespace paylog {
namespace {

constexpr int kDateColumnWidth = 100;

void showTitles(QTableWidget& table) {
    QStringList titles;
    for (const Text& title : logGridTitles()) titles << toQString(title);
    table.setHorizontalHeaderLabels(titles);
}

void showCell(QTableWidget& table, int row, int column, const GridCell& cell) {
    QTableWidgetItem* item = table.item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        table.setItem(row, column, item);
    }
    item->setText(toQString(cell.text));
    item->setBackground(cell.shaded ? QBrush(kEntryShade) : QBrush());
}

}  // namespace

void showLogGrid(QTableWidget& table, const LogGrid& grid) {
    table.setColumnCount(static_cast<int>(kGridColumnCount));
    table.setColumnWidth(0, kDateColumnWidth);
    showTitles(table);
    // One repaint for the whole fill instead of one per cell.
    table.setUpdatesEnabled(false);
    table.setRowCount(static_cast<int>(grid.rows.size()));
    for (int row = 0; row < table.rowCount(); ++row) {
        const GridRow& cells = grid.rows[static_cast<std::size_t>(row)];
        for (int column = 0; column < table.columnCount(); ++column)
            showCell(table, row, column, cells[static_cast<std::size_t>(column)]);
    }
    table.setUpdatesEnabled(true);
}

}  // namespace paylog
