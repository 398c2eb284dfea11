#pragma once
// The log is opened around every operation and closed again; this guard makes
// the close happen on every path out of an operation.

#include <string_view>

#include "log/overtime_log.h"
#include "log/record_store.h"

namespace paylog {

class OpenedLog {
  public:
    OpenedLog(RecordStore& store, std::string_view password, bool readOnly = false)
        : store_(store), result_(store.openTable(logTableName(), password, readOnly)) {}
    ~OpenedLog() {
        if (result_) store_.closeTable();
    }
    OpenedLog(const OpenedLog&) = delete;
    OpenedLog& operator=(const OpenedLog&) = delete;

    const StoreResult& result() const { return result_; }
    bool ok() const { return result_.ok(); }

  private:
    RecordStore& store_;
    StoreResult result_;
};

}  // namespace paylog
