#pragma once
// An edit box of the pay page for an amount or an hour count.

#include <QLineEdit>

namespace paylog {

// When the box throws away its text so that the user types a value afresh.
enum class EmptyOn { Never, Entry, LeftButtonRelease };

class NumberEdit : public QLineEdit {
    Q_OBJECT
  public:
    // More would not show in the box; texts written by the program are not cut.
    static constexpr int kMaxTypedLength = 10;

    NumberEdit(const QString& text, EmptyOn emptyOn, QWidget* parent);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool acceptsTyped(const QString& typed) const;

    EmptyOn emptyOn_;
};

}  // namespace paylog
