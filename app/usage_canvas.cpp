#include "app/usage_canvas.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "app/qt_text.h"

namespace paylog {

UsageCanvas::UsageCanvas(const QImage& background, QWidget* parent)
    : QWidget(parent),
      background_(background.convertToFormat(QImage::Format_ARGB32_Premultiplied)),
      drawing_(background_) {
    // Every pixel comes from the drawing; nothing behind needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void UsageCanvas::moveTo(int32_t x, int32_t y) {
    position_ = QPoint(x, y);
    lineStartX_ = x;
}

void UsageCanvas::write(const Text& text) {
    followPixelRatio();
    QPainter painter(&drawing_);
    painter.setFont(font());
    const QFontMetrics metrics = painter.fontMetrics();
    const QStringList lines = toQString(text).split(QStringLiteral("\r\n"));
    for (qsizetype line = 0; line < lines.size(); ++line) {
        if (line > 0) position_ = QPoint(lineStartX_, position_.y() + metrics.lineSpacing());
        const QString& part = lines[line];
        if (part.isEmpty()) continue;
        const WrittenText written{position_ + QPoint(0, metrics.ascent()), part, font()};
        paint(painter, written);
        keep(written);
        const int advance = metrics.horizontalAdvance(part);
        // Italic overhangs and antialiasing may reach a little past the advance.
        update(QRect(position_, QSize(advance, metrics.height())).adjusted(-2, 0, 2, 0));
        position_.rx() += advance;
    }
}

// Every drawing of the page writes the same texts in the same places, so
// keeping each once bounds the list however often the page is entered.
void UsageCanvas::keep(WrittenText written) {
    if (std::find(written_.begin(), written_.end(), written) == written_.end())
        written_.push_back(std::move(written));
}

void UsageCanvas::paint(QPainter& painter, const WrittenText& written) {
    painter.setFont(written.font);
    painter.setPen(Qt::black);  // the painter's background mode is transparent
    painter.drawText(written.baseline, written.text);
}

// A drawing scaled up from one pixel per logical pixel would blur the text on
// a high-density screen, so the drawing is made afresh at the screen's ratio:
// the background scaled (it has no sharp edges), the texts written again.
void UsageCanvas::followPixelRatio() {
    const qreal ratio = devicePixelRatioF();
    if (drawing_.devicePixelRatio() == ratio) return;
    drawing_ = background_.scaled(background_.size() * ratio, Qt::IgnoreAspectRatio,
                                  Qt::SmoothTransformation);
    drawing_.setDevicePixelRatio(ratio);
    QPainter painter(&drawing_);
    for (const WrittenText& written : written_) paint(painter, written);
    update();
}

void UsageCanvas::paintEvent(QPaintEvent* event) {
    followPixelRatio();
    const QRectF area(event->rect());
    const qreal ratio = drawing_.devicePixelRatio();
    QPainter painter(this);
    painter.drawImage(area, drawing_, QRectF(area.topLeft() * ratio, area.size() * ratio));
}

}  // namespace paylog
