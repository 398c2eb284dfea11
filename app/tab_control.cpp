#include "app/tab_control.h"

#include <QStyle>
#include <QStyleOptionTabWidgetFrame>

namespace paylog {

// The same question QTabWidget asks its style when it lays out its pages.
QRect TabControl::pageArea() const {
    ensurePolished();
    QStyleOptionTabWidgetFrame option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this);
}

}  // namespace paylog
