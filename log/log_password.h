#pragma once
// The password side of the log: trying a typed password at start-up and
// setting a new one (first start and the password change).

#include <string_view>

#include "core/text.h"
#include "log/log_report.h"
#include "log/record_store.h"

namespace paylog {

enum class LogAccess {
    Ok,             // the password opens the log
    WrongPassword,  // the file is sound; ask again without a message
    Unreadable,     // damaged, not a log, or from a newer version: left untouched
    Missing,        // the file went away since it was looked for
    Busy,           // another running copy holds the log
    IoError,        // the file system refused
};

struct PasswordTry {
    LogAccess access = LogAccess::Ok;
    StoreResult store;
    Text message;  // GBK; empty for Ok and WrongPassword
};

// Opens the log with the password and closes it again.
PasswordTry tryLogPassword(RecordStore& store, std::string_view password);

// Opens the log with `current`, protects it with `next` (empty: no
// protection) and closes it. On failure the log keeps `current`, and so
// must the caller's copy of the password.
LogReport setLogPassword(RecordStore& store, std::string_view current, std::string_view next);

}  // namespace paylog
