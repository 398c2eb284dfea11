#include "app/event_wait.h"

#include <QEventLoop>
#include <QTimer>

namespace paylog {

void waitHandlingEvents(int32_t milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace paylog
