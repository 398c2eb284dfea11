#include "app/page_placer.h"

#include <QLabel>
#include <QPushButton>

namespace paylog {

QString formName(std::string_view utf8Name) {
    return QString::fromUtf8(utf8Name.data(), static_cast<qsizetype>(utf8Name.size()));
}

QLabel* newLabel(QWidget* parent, std::string_view name, std::string_view text, QRect rect,
                 QColor colour) {
    auto* label = new QLabel(formName(text), parent);
    label->setObjectName(formName(name));
    label->setGeometry(rect);
    setTextColour(label, colour);
    return label;
}

QPushButton* newButton(QWidget* parent, std::string_view name, std::string_view text, QRect rect) {
    auto* button = new QPushButton(formName(text), parent);
    button->setObjectName(formName(name));
    button->setGeometry(rect);
    return button;
}

void setTextColour(QWidget* widget, QColor colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

void setFontPixelSize(QWidget* widget, int pixels) {
    QFont font = widget->font();
    font.setPixelSize(pixels);
    widget->setFont(font);
}

}  // namespace paylog
