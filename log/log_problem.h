#pragma once
// What to tell the user when the log cannot be used. One wording for every
// operation, so the window never shows stale or zero figures as if all were
// well, and an unreadable file is named together with where the backup is.

#include "core/text.h"
#include "log/record_store.h"

namespace paylog {

// GBK message for a failed store result; empty for success.
Text describeLogProblem(const StoreResult& result);

// `lead` followed by the store's detail in brackets, as one sentence.
Text withDetail(const Text& lead, const StoreResult& result);

}  // namespace paylog
