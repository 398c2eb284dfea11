#include "app/wrapping_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace paylog {

// The frame as the style draws it, the caption wrapped inside it.
void WrappingButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.drawItemText(rect(), Qt::AlignCenter | Qt::TextWordWrap, palette(), isEnabled(), text(),
                         QPalette::ButtonText);
}

}  // namespace paylog
