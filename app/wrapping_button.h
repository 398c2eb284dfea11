#pragma once
// A push button whose caption breaks into lines when the button is narrower
// than the caption, as the tall narrow button beside the grid needs.

#include <QPushButton>

namespace paylog {

class WrappingButton : public QPushButton {
    Q_OBJECT
  public:
    using QPushButton::QPushButton;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace paylog
