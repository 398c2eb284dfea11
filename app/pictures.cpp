#include "app/pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "app/page_placer.h"

namespace paylog {

QImage usageBackground(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(252, 250, 243));
    sky.setColorAt(1, QColor(234, 243, 246));
    painter.fillRect(image.rect(), sky);

    // Soft hills along the bottom, pale enough to write on.
    const qreal width = size.width();
    const qreal height = size.height();
    const QColor hills[] = {QColor(214, 234, 226, 110), QColor(200, 226, 222, 110)};
    for (int layer = 0; layer < 2; ++layer) {
        const qreal base = height * (0.80 + 0.07 * layer);
        QPainterPath hill(QPointF(0, height));
        hill.lineTo(0, base);
        hill.cubicTo(width * (0.25 + 0.1 * layer), base - 60, width * (0.55 - 0.1 * layer),
                     base + 40, width, base - 20);
        hill.lineTo(width, height);
        hill.closeSubpath();
        painter.fillPath(hill, hills[layer]);
    }
    // A pale sun in the upper right corner, away from the notes.
    QRadialGradient sun(QPointF(width * 0.86, height * 0.12), height * 0.14);
    sun.setColorAt(0, QColor(255, 236, 200, 150));
    sun.setColorAt(1, QColor(255, 236, 200, 0));
    painter.fillRect(image.rect(), sun);
    return image;
}

QPixmap feedbackButtonPicture(QSize size) {
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient face(0, 0, 0, size.height());
    face.setColorAt(0, QColor(240, 247, 255));
    face.setColorAt(1, QColor(214, 230, 250));
    painter.setPen(QColor(112, 146, 196));
    painter.setBrush(face);
    painter.drawRoundedRect(QRectF(picture.rect()).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    QFont font = painter.font();
    font.setPixelSize(13);
    painter.setFont(font);
    painter.setPen(QColor(28, 62, 120));
    painter.drawText(picture.rect(), Qt::AlignCenter, formName("意见反馈"));
    return picture;
}

}  // namespace paylog
