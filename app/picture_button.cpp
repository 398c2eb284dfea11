#include "app/picture_button.h"

#include <QPainter>

namespace paylog {

PictureButton::PictureButton(const QPixmap& picture, QWidget* parent)
    : QAbstractButton(parent), picture_(picture) {
    setCursor(Qt::PointingHandCursor);
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(rect(), picture_);
}

}  // namespace paylog
