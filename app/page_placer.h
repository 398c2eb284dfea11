#pragma once
// Building the window's controls: each gets its form name as objectName and
// its place as laid out.

#include <QColor>
#include <QPoint>
#include <QRect>
#include <string_view>

class QLabel;
class QPushButton;
class QWidget;

namespace paylog {

QString formName(std::string_view utf8Name);

// A label with a transparent background (QLabel paints none) at `rect` of
// `parent`; black text unless a colour is given.
QLabel* newLabel(QWidget* parent, std::string_view name, std::string_view text, QRect rect,
                 QColor colour = Qt::black);
QPushButton* newButton(QWidget* parent, std::string_view name, std::string_view text, QRect rect);

void setTextColour(QWidget* widget, QColor colour);
// The interface font's face at another pixel size.
void setFontPixelSize(QWidget* widget, int pixels);

// Positions on a page are given relative to the tab control, tab strip
// included; the page itself fills `pageArea` of the tab control.
class PagePlacer {
  public:
    PagePlacer(QWidget* page, QRect pageArea) : page_(page), area_(pageArea) {}

    QWidget* page() const { return page_; }
    QRect pageArea() const { return area_; }
    // `tabRect` in the tab control's coordinates, converted to the page's.
    QRect onPage(QRect tabRect) const { return tabRect.translated(-area_.topLeft()); }

  private:
    QWidget* page_;
    QRect area_;
};

}  // namespace paylog
