#pragma once
// The window's title bar as a clock, and the month progress bar that always
// shows today's day of the month.

#include "core/date_time.h"

class QScrollBar;
class QTimer;
class QWidget;

namespace paylog {

// Every tick of `timer` (时钟1, 1000 ms) rewrites the whole caption of
// `window`; starts the timer. The caption stays empty until the first tick.
void startCaptionClock(QWidget& window, QTimer& timer, DateTime sessionStartTime,
                       DateTimeSource clock);

// Whatever moves `bar` (arrows, track, thumb, keys or a program write), it
// springs back to today's day, clamped to its range. Its own write moves it
// at most once more, and that second run changes nothing.
void keepProgressAtToday(QScrollBar& bar, DateTimeSource clock);

}  // namespace paylog
