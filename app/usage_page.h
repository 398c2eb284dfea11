#pragma once
// What the window calls for its usage page: the drawing when the page is
// entered, and the feedback button.

#include "app/dialogs.h"
#include "app/event_wait.h"

class QAbstractButton;

namespace paylog {

class UsageCanvas;

// Runs for about a minute, handling events in every pause. Stops at the
// first pause after the canvas is destroyed or its window closed, touching
// neither again.
void drawUsagePage(UsageCanvas& canvas, const WaitRoutine& wait);

// A click opens the feedback address in the browser; `dialogs` outlives the
// button. A browser that cannot start shows nothing.
void connectFeedbackButton(QAbstractButton& button, Dialogs& dialogs);

}  // namespace paylog
