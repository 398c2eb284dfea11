#pragma once
// 画板1: writes text in black, without background, over its picture and
// keeps what it wrote when covered and uncovered.

#include <QFont>
#include <QImage>
#include <QWidget>
#include <vector>

#include "app/usage_drawing.h"

namespace paylog {

class UsageCanvas final : public QWidget, public WritingCanvas {
    Q_OBJECT
  public:
    UsageCanvas(const QImage& background, QWidget* parent);

    void moveTo(int32_t x, int32_t y) override;
    void write(const Text& text) override;

    QPoint writePosition() const { return position_; }
    // The background with everything written so far, in device pixels of
    // the screen it was last drawn for (its device pixel ratio says which).
    const QImage& drawing() const { return drawing_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // One line of text as written, kept so that the drawing can be made
    // again at another device pixel ratio.
    struct WrittenText {
        QPoint baseline;
        QString text;
        QFont font;
        bool operator==(const WrittenText&) const = default;
    };

    void followPixelRatio();
    void keep(WrittenText written);
    static void paint(QPainter& painter, const WrittenText& written);

    QImage background_;  // as given, one pixel per logical pixel
    QImage drawing_;
    std::vector<WrittenText> written_;
    QPoint position_;
    int lineStartX_ = 0;
};

}  // namespace paylog
