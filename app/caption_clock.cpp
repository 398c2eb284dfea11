#include "app/caption_clock.h"

#include <QScrollBar>
#include <QTimer>
#include <QWidget>

#include "app/caption_text.h"
#include "app/qt_text.h"

namespace paylog {

void startCaptionClock(QWidget& window, QTimer& timer, DateTime sessionStartTime,
                       DateTimeSource clock) {
    QObject::connect(&timer, &QTimer::timeout, &window,
                     [&window, sessionStartTime, clock = std::move(clock)] {
                         window.setWindowTitle(toQString(captionText(sessionStartTime, clock())));
                     });
    timer.start();
}

void keepProgressAtToday(QScrollBar& bar, DateTimeSource clock) {
    const auto showToday = [&bar, clock = std::move(clock)] { bar.setValue(dayOf(clock())); };
    // A held thumb changes the value as it moves (or, without tracking, when
    // let go), so every move of the user's comes through here.
    QObject::connect(&bar, &QScrollBar::valueChanged, &bar, showToday);
}

}  // namespace paylog
