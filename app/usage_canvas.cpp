#include "app/usage_canvas.h"

#include <QPaintEvent>
#include <QPainter>

#include "app/qt_text.h"

namespace paylog {

UsageCanvas::UsageCanvas(const QImage& background, QWidget* parent)
    : QWidget(parent), drawing_(background.convertToFormat(QImage::Format_ARGB32_Premultiplied)) {
    // Every pixel comes from the drawing; nothing behind needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void UsageCanvas::moveTo(int32_t x, int32_t y) {
    position_ = QPoint(x, y);
    lineStartX_ = x;
}

void UsageCanvas::write(const Text& text) {
    QPainter painter(&drawing_);
    painter.setFont(font());
    painter.setPen(Qt::black);  // the painter's background mode is transparent
    const QFontMetrics metrics = painter.fontMetrics();
    const QStringList lines = toQString(text).split(QStringLiteral("\r\n"));
    for (qsizetype line = 0; line < lines.size(); ++line) {
        if (line > 0) position_ = QPoint(lineStartX_, position_.y() + metrics.lineSpacing());
        const QString& part = lines[line];
        if (part.isEmpty()) continue;
        painter.drawText(position_ + QPoint(0, metrics.ascent()), part);
        const int advance = metrics.horizontalAdvance(part);
        // Italic overhangs and antialiasing may reach a little past the advance.
        update(QRect(position_, QSize(advance, metrics.height())).adjusted(-2, 0, 2, 0));
        position_.rx() += advance;
    }
}

void UsageCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), drawing_, event->rect());
}

}  // namespace paylog
