#include "log/table_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>
#include <utility>

#include "core/file_names.h"

namespace paylog {
namespace {

// The lock file's descriptor; -1 with `unlockable` set when the folder
// lets nobody here create it, or -1 with errno for any other failure.
int openLockFile(const std::filesystem::path& path, bool& unlockable) {
    unlockable = false;
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    } while (fd < 0 && errno == EINTR);
    if (fd >= 0 || (errno != EACCES && errno != EROFS && errno != EPERM)) return fd;
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);  // flock works on it too
    unlockable = fd < 0 && (errno == ENOENT || errno == EACCES);
    return fd;
}

}  // namespace

TableLock::TableLock(TableLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

TableLock& TableLock::operator=(TableLock&& other) noexcept {
    if (this != &other) {
        release();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

TableLock::~TableLock() { release(); }

void TableLock::release() {
    if (fd_ >= 0) ::close(fd_);  // closing drops the lock
    fd_ = -1;
}

StoreResult TableLock::acquire(const std::filesystem::path& tableFile, Mode mode, TableLock& out,
                               std::chrono::milliseconds wait) {
    out.release();
    const std::filesystem::path lockFile =
        resolveIgnoringCase(tableFile.parent_path(), tableFile.filename().string() + ".lock");
    bool unlockable = false;
    const int fd = openLockFile(lockFile, unlockable);
    if (fd < 0) {
        if (unlockable) return {};
        return {StoreStatus::IoError,
                "cannot open the lock file \"" + lockFile.string() + "\": " + std::strerror(errno)};
    }
    TableLock lock;
    lock.fd_ = fd;
    // Polled rather than blocking, so that the wait has a bound; the other
    // holder is a running copy in the middle of one short operation.
    const auto giveUpAt = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (::flock(fd, (mode == Mode::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB) == 0) break;
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK)
            return {StoreStatus::IoError,
                    "cannot lock \"" + lockFile.string() + "\": " + std::strerror(errno)};
        if (std::chrono::steady_clock::now() >= giveUpAt)
            return {StoreStatus::Busy, "another running copy has the table open"};
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    out = std::move(lock);
    return {};
}

}  // namespace paylog
