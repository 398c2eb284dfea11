#pragma once
// The window's tab control. Controls are laid out relative to its top-left
// corner, tab strip included, so it tells where its pages sit inside it.

#include <QTabWidget>

namespace paylog {

class TabControl : public QTabWidget {
    Q_OBJECT
  public:
    using QTabWidget::QTabWidget;

    // The rectangle every page fills, in the tab control's coordinates. Known
    // as soon as the pages are added and the control has its size, before the
    // window is shown (Qt places the pages only then).
    QRect pageArea() const;
};

}  // namespace paylog
