#include "app/frozen_column.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>

namespace paylog {

FrozenColumn::FrozenColumn(QTableView& table) : QTableView(&table), table_(table) {
    setModel(table.model());
    setSelectionModel(table.selectionModel());
    setFocusPolicy(Qt::NoFocus);
    setEditTriggers(table.editTriggers());
    setFrameStyle(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(table.verticalScrollMode());
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(table.verticalHeader()->defaultSectionSize());
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    showOnlyFirstColumn();

    // Drawn above the table's cells, below its scroll bars.
    table.viewport()->stackUnder(this);

    connect(table.model(), &QAbstractItemModel::columnsInserted, this,
            &FrozenColumn::showOnlyFirstColumn);
    connect(table.horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int width) {
                if (column != 0) return;
                setColumnWidth(0, width);
                placeOverTable();
            });
    connect(table.verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int row, int, int height) { setRowHeight(row, height); });
    connect(table.horizontalHeader(), &QHeaderView::geometriesChanged, this,
            &FrozenColumn::placeOverTable);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, table.verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(table.verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    table.installEventFilter(this);
    placeOverTable();
    show();
}

bool FrozenColumn::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &table_ && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        placeOverTable();
    return QTableView::eventFilter(watched, event);
}

void FrozenColumn::showOnlyFirstColumn() {
    for (int column = 1; column < model()->columnCount(); ++column) setColumnHidden(column, true);
    setColumnWidth(0, table_.columnWidth(0));
}

// Over the table's header and viewport, as wide as the first column.
void FrozenColumn::placeOverTable() {
    const int frame = table_.frameWidth();
    horizontalHeader()->setFixedHeight(table_.horizontalHeader()->height());
    setGeometry(frame, frame, table_.columnWidth(0),
                table_.viewport()->height() + table_.horizontalHeader()->height());
}

}  // namespace paylog
