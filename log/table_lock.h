#pragma once
// An advisory lock (flock) on "<table file>.lock", held for a whole
// open ... close, so that two running copies never interleave their writes.
// The lock sits on a file of its own because the table file is replaced by a
// rename at every save, which would drop a lock held on it. flock belongs to
// the open file, so two stores in one process exclude each other too.

#include <chrono>
#include <filesystem>
#include <string>

#include "log/record_store.h"

namespace paylog {

class TableLock {
  public:
    // Shared for reading (readers may overlap), exclusive for writing.
    enum class Mode { Shared, Exclusive };

    TableLock() = default;
    TableLock(TableLock&& other) noexcept;
    TableLock& operator=(TableLock&& other) noexcept;
    ~TableLock();

    // Waits up to `wait` for another holder to let go, then gives Busy. Where
    // the lock file cannot be made (a read-only folder) no lock is taken,
    // since nothing can be saved there either.
    static StoreResult acquire(const std::filesystem::path& tableFile, Mode mode, TableLock& out,
                               std::chrono::milliseconds wait);
    void release();

  private:
    int fd_ = -1;
};

}  // namespace paylog
