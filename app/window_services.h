#pragma once
// What the window needs from outside, given once at construction; tests pass
// scripted dialogs, a fixed clock, a temporary directory and a fast wait.

#include <filesystem>

#include "app/dialogs.h"
#include "app/event_wait.h"
#include "core/date_time.h"
#include "core/text.h"
#include "log/record_store.h"

namespace paylog {

struct WindowServices {
    Dialogs& dialogs;  // outlives the window
    DateTimeSource clock;
    std::filesystem::path dataDirectory;  // every file of the program lives here
    WaitRoutine wait;
    // Cost of deriving the log's key; tests pass low limits.
    KdfLimits kdfLimits = KdfLimits::interactive();
    // Month number of the last month totals, "1".."12"; the "月已加班" line
    // repeats it until the totals are loaded again.
    Text selectedMonthText;
};

}  // namespace paylog
