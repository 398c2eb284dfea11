#pragma once
// The answer of a log operation: the store's verdict for the caller's
// decisions, and the text the window shows for it.

#include "core/text.h"
#include "log/record_store.h"

namespace paylog {

struct LogReport {
    StoreResult store;  // why it failed, when it did
    Text message;       // GBK text to show; empty: nothing to show
    bool ok() const { return store.ok(); }
};

}  // namespace paylog
