#include "app/usage_page.h"

#include <QAbstractButton>
#include <QPointer>

#include "app/usage_canvas.h"
#include "app/usage_texts.h"

namespace paylog {

void drawUsagePage(UsageCanvas& canvas, const WaitRoutine& wait) {
    // Closing the window ends the event loop; the waits then return at once,
    // so a hidden window must stop the drawing as well as a destroyed one.
    const QPointer<UsageCanvas> guarded(&canvas);
    drawUsageNotes(
        [guarded]() -> WritingCanvas* {
            if (!guarded || !guarded->window()->isVisible()) return nullptr;
            return guarded.data();
        },
        wait);
}

void connectFeedbackButton(QAbstractButton& button, Dialogs& dialogs) {
    QObject::connect(&button, &QAbstractButton::clicked, &button,
                     [&dialogs] { dialogs.openAddress(Text(kFeedbackAddress)); });
}

}  // namespace paylog
