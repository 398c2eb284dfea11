#pragma once
// The usage page's drawing: the notes line by line, then the sayings
// character by character, with pauses that keep the window responsive.

#include <cstdint>
#include <functional>

#include "app/event_wait.h"
#include "core/text.h"

namespace paylog {

// A surface with one write position, as the usage canvas offers it.
class WritingCanvas {
  public:
    virtual ~WritingCanvas() = default;
    // Also the x a line break returns to.
    virtual void moveTo(int32_t x, int32_t y) = 0;
    // Leaves the position after the text; "\r\n" goes down one line.
    virtual void write(const Text& text) = 0;
};

// The canvas, or nullptr once it is gone or its window closed. Asked again
// after every wait, since the window may be closed or destroyed meanwhile.
using CanvasFinder = std::function<WritingCanvas*()>;

// Takes about a minute. Entering the page again during a wait starts another
// drawing inside this one; both share the canvas's write position.
void drawUsageNotes(const CanvasFinder& canvas, const WaitRoutine& wait);

}  // namespace paylog
