#pragma once
// Keeps a table's first column in view while the rest scrolls sideways: a
// second view over the same model, showing only that column, laid over the
// table's left edge and scrolled up and down with it.

#include <QTableView>

namespace paylog {

class FrozenColumn : public QTableView {
    Q_OBJECT
  public:
    // Becomes a child of `table` and follows its rows, widths and scrolling.
    explicit FrozenColumn(QTableView& table);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void showOnlyFirstColumn();
    void placeOverTable();

    QTableView& table_;
};

}  // namespace paylog
