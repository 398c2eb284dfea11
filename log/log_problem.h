#pragma once
// What to tell the user when the log cannot be used. One wording for every
// operation, so the window never shows stale or zero figures as if all were
// well; each message says what failed and what the user can do, and an
// unreadable log is named together with where its backup is and how to put
// it back.

#include "core/text.h"
#include "log/record_store.h"

namespace paylog {

// GBK message for a failed result of an operation on the log of `store`;
// empty for success.
Text describeLogProblem(const RecordStore& store, const StoreResult& result);

// What to check when the file system refused a write: the data folder, by
// its full name, and the disk.
Text writeAdvice(const RecordStore& store);

// `lead` followed by the store's detail in brackets, as one sentence.
Text withDetail(const Text& lead, const StoreResult& result);

}  // namespace paylog
