#pragma once
// 画板1: writes text in black, without background, over its picture and
// keeps what it wrote when covered and uncovered.

#include <QImage>
#include <QWidget>

#include "app/usage_drawing.h"

namespace paylog {

class UsageCanvas final : public QWidget, public WritingCanvas {
    Q_OBJECT
  public:
    UsageCanvas(const QImage& background, QWidget* parent);

    void moveTo(int32_t x, int32_t y) override;
    void write(const Text& text) override;

    QPoint writePosition() const { return position_; }
    // The background with everything written so far.
    const QImage& drawing() const { return drawing_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage drawing_;
    QPoint position_;
    int lineStartX_ = 0;
};

}  // namespace paylog
