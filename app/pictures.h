#pragma once
// The usage page's two pictures, drawn by the program itself.

#include <QImage>
#include <QPixmap>

namespace paylog {

// Light and calm, so that black text stays easy to read anywhere on it.
QImage usageBackground(QSize size);
// A light button that says it is the way to give feedback.
QPixmap feedbackButtonPicture(QSize size);

}  // namespace paylog
