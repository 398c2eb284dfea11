#include "app/program_look.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyleFactory>

namespace paylog {
namespace {

// Frames in the silver scheme's lavender grey; faces a shade lighter than
// the window so that buttons stand out without a raised edge.
const char* const kFlatSheet = R"(
QPushButton { background-color: rgb(240, 240, 244); border: 1px solid rgb(198, 197, 215);
              padding: 0px 4px; }
QPushButton:hover { background-color: rgb(250, 250, 252); }
QPushButton:pressed { background-color: rgb(212, 211, 224); }
QPushButton:focus { border-color: rgb(140, 138, 170); }
QLineEdit, QComboBox, QDateEdit { background-color: white; border: 1px solid rgb(198, 197, 215);
              padding: 0px 1px; }
QLineEdit:focus, QComboBox:focus, QDateEdit:focus { border-color: rgb(140, 138, 170); }
QGroupBox { border: 1px solid rgb(198, 197, 215); margin-top: 7px; }
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0px 2px; }
QTabWidget::pane { border: 1px solid rgb(198, 197, 215); }
QTabBar::tab { background-color: rgb(214, 213, 222); border: 1px solid rgb(198, 197, 215);
              border-bottom: none; padding: 2px 12px; }
QTabBar::tab:selected { background-color: rgb(228, 227, 233); }
QTableView { border: 1px solid rgb(198, 197, 215); gridline-color: rgb(198, 197, 215); }
QHeaderView::section { background-color: rgb(236, 236, 240); border: none;
              border-right: 1px solid rgb(198, 197, 215); border-bottom: 1px solid rgb(198, 197, 215);
              padding: 0px 2px; }
)";

QPalette silverPalette() {
    const QColor window(228, 227, 233);
    QPalette palette(window);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::Button, QColor(240, 240, 244));
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(244, 244, 247));
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::black);
    palette.setColor(QPalette::Highlight, QColor(178, 180, 191));
    palette.setColor(QPalette::HighlightedText, Qt::black);
    return palette;
}

}  // namespace

void applyProgramLook(QApplication& application) {
    application.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    application.setPalette(silverPalette());
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(12);
    application.setFont(font);
    application.setStyleSheet(QString::fromLatin1(kFlatSheet));
}

}  // namespace paylog
