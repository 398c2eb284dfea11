#pragma once
// What the window needs from outside, given once at construction; tests pass
// scripted dialogs, a fixed clock, a temporary directory and a fast wait.

#include <filesystem>

#include "app/dialogs.h"
#include "app/event_wait.h"
#include "core/date_time.h"

namespace paylog {

struct WindowServices {
    Dialogs& dialogs;  // outlives the window
    DateTimeSource clock;
    std::filesystem::path dataDirectory;  // every file of the program lives here
    WaitRoutine wait;
};

}  // namespace paylog
