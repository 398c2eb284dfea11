#include "core/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>

namespace paylog {
namespace {

std::string describe(std::string_view step, const std::filesystem::path& file, int error) {
    std::string text(step);
    text += " \"";
    text += file.string();
    text += "\" failed: ";
    text += std::strerror(error);
    return text;
}

class SystemFileLayer : public FileLayer {
  public:
    int createNew(const std::filesystem::path& path, mode_t mode, int& fd) override {
        do {
            fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        } while (fd < 0 && errno == EINTR);
        return fd < 0 ? errno : 0;
    }

    int write(int fd, const char* data, size_t size, size_t& written) override {
        ssize_t n;
        do {
            n = ::write(fd, data, size);
        } while (n < 0 && errno == EINTR);
        written = n < 0 ? 0 : static_cast<size_t>(n);
        return n < 0 ? errno : 0;
    }

    int fsync(int fd) override { return ::fsync(fd) != 0 ? errno : 0; }

    // A close interrupted by a signal has still released the descriptor on
    // Linux, so it is never retried.
    int close(int fd) override { return ::close(fd) != 0 && errno != EINTR ? errno : 0; }

    int rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        return ::rename(from.c_str(), to.c_str()) != 0 ? errno : 0;
    }

    int unlink(const std::filesystem::path& path) override {
        return ::unlink(path.c_str()) != 0 ? errno : 0;
    }

    int fsyncDirectory(const std::filesystem::path& dir) override {
        const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return errno;
        int error = ::fsync(fd) != 0 ? errno : 0;
        ::close(fd);
        // Some file systems cannot sync a directory at all and say EINVAL;
        // there is then nothing to wait for.
        if (error == EINVAL) error = 0;
        return error;
    }
};

// Temporary names only need to be unlikely to collide: O_EXCL catches the
// rest and a collision just means another try. The process id keeps forked
// copies, which share the generator's state, apart.
std::string temporarySuffix() {
    thread_local std::mt19937_64 generator{std::random_device{}()};
    static const char kDigits[] = "0123456789abcdef";
    std::string suffix = std::to_string(::getpid()) + "-";
    uint64_t bits = generator();
    for (int i = 0; i < 12; ++i, bits >>= 4) suffix += kDigits[bits & 15];
    return suffix;
}

std::filesystem::path directoryOf(const std::filesystem::path& file) {
    const std::filesystem::path dir = file.parent_path();
    return dir.empty() ? std::filesystem::path(".") : dir;
}

SaveResult failure(std::string_view step, const std::filesystem::path& file, int error) {
    SaveResult result;
    result.error = error;
    result.detail = describe(step, file, error);
    return result;
}

// Writes everything, carrying on after short writes.
int writeAll(FileLayer& files, int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        size_t written = 0;
        const int error = files.write(fd, bytes.data(), bytes.size(), written);
        if (error != 0) return error;
        if (written == 0) return ENOSPC;  // no progress: never loop for ever
        bytes.remove_prefix(written);
    }
    return 0;
}

ReadResult readUpTo(const std::filesystem::path& file, size_t limit, bool refuseLonger) {
    ReadResult result;
    auto fail = [&](ReadStatus status, int error, std::string_view step) {
        result.status = status;
        result.error = error;
        result.detail = describe(step, file, error);
        result.bytes.clear();
        return result;
    };
    int fd;
    do {
        // Non-blocking, so that a FIFO under the name cannot hang the read: it
        // is refused below as not a file.
        fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int error = errno;
        return fail(error == ENOENT || error == ENOTDIR ? ReadStatus::Missing : ReadStatus::IoError,
                    error, "open");
    }
    struct FdCloser {
        int fd;
        ~FdCloser() { ::close(fd); }
    } closer{fd};

    struct stat info {};
    if (::fstat(fd, &info) != 0) return fail(ReadStatus::IoError, errno, "stat");
    if (S_ISDIR(info.st_mode)) return fail(ReadStatus::IoError, EISDIR, "read");
    if (!S_ISREG(info.st_mode)) return fail(ReadStatus::IoError, EINVAL, "read (not a file)");
    const auto size = static_cast<size_t>(info.st_size);
    if (refuseLonger && size > limit) return fail(ReadStatus::TooLarge, EFBIG, "read");

    // One byte more than allowed shows a file that grew since the stat.
    const size_t capacity = refuseLonger ? limit + 1 : limit;
    result.bytes.resize(std::min(size, limit) + (refuseLonger ? 1 : 0));
    size_t filled = 0;
    while (filled < capacity) {
        if (filled == result.bytes.size())
            result.bytes.resize(std::min(capacity, filled * 2 + 4096));
        const ssize_t n = ::read(fd, result.bytes.data() + filled, result.bytes.size() - filled);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail(ReadStatus::IoError, errno, "read");
        if (n == 0) break;
        filled += static_cast<size_t>(n);
    }
    if (refuseLonger && filled > limit) return fail(ReadStatus::TooLarge, EFBIG, "read");
    result.bytes.resize(filled);
    return result;
}

}  // namespace

std::shared_ptr<FileLayer> systemFileLayer() {
    static const std::shared_ptr<FileLayer> layer = std::make_shared<SystemFileLayer>();
    return layer;
}

FailingFileLayer::FailingFileLayer(FileOp failing, int failAt, int error)
    : real_(systemFileLayer()), failing_(failing), failAt_(failAt), error_(error) {}

bool FailingFileLayer::failsNow(FileOp op) {
    const int count = ++calls_[static_cast<size_t>(op)];
    return op == failing_ && count == failAt_;
}

int FailingFileLayer::createNew(const std::filesystem::path& path, mode_t mode, int& fd) {
    if (failsNow(FileOp::CreateNew)) return error_;
    return real_->createNew(path, mode, fd);
}

int FailingFileLayer::write(int fd, const char* data, size_t size, size_t& written) {
    written = 0;
    if (failsNow(FileOp::Write)) return error_;
    return real_->write(fd, data, size, written);
}

int FailingFileLayer::fsync(int fd) {
    if (failsNow(FileOp::Fsync)) return error_;
    return real_->fsync(fd);
}

// A failed close still releases the descriptor, as the real call does.
int FailingFileLayer::close(int fd) {
    const int error = real_->close(fd);
    return failsNow(FileOp::Close) ? error_ : error;
}

int FailingFileLayer::rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (failsNow(FileOp::Rename)) return error_;
    return real_->rename(from, to);
}

int FailingFileLayer::unlink(const std::filesystem::path& path) {
    if (failsNow(FileOp::Unlink)) return error_;
    return real_->unlink(path);
}

int FailingFileLayer::fsyncDirectory(const std::filesystem::path& dir) {
    if (failsNow(FileOp::FsyncDirectory)) return error_;
    return real_->fsyncDirectory(dir);
}

SaveResult saveFile(const std::filesystem::path& target, std::string_view bytes,
                    const std::shared_ptr<FileLayer>& layer) {
    FileLayer& files = layer ? *layer : *systemFileLayer();
    const std::filesystem::path dir = directoryOf(target);
    const std::string prefix = "." + target.filename().string() + ".";

    std::filesystem::path temp;
    int fd = -1;
    int error = EEXIST;
    for (int attempt = 0; attempt < 16 && error == EEXIST; ++attempt) {
        temp = dir / (prefix + temporarySuffix() + ".tmp");
        error = files.createNew(temp, 0600, fd);
    }
    if (error != 0) return failure("create", temp, error);

    // Until the rename succeeds the temporary file must not outlive the save.
    auto abandon = [&](std::string_view step, const std::filesystem::path& file, bool closed) {
        if (!closed) files.close(fd);
        files.unlink(temp);
        return failure(step, file, error);
    };
    if ((error = writeAll(files, fd, bytes)) != 0) return abandon("write", temp, false);
    if ((error = files.fsync(fd)) != 0) return abandon("fsync", temp, false);
    if ((error = files.close(fd)) != 0) return abandon("close", temp, true);
    if ((error = files.rename(temp, target)) != 0) return abandon("rename onto", target, true);

    SaveResult result;
    result.replaced = true;
    if ((error = files.fsyncDirectory(dir)) != 0) {
        result.error = error;
        result.detail = describe("fsync of the directory", dir, error);
        return result;
    }
    result.ok = true;
    return result;
}

ReadResult readFile(const std::filesystem::path& file, size_t maxBytes) {
    return readUpTo(file, maxBytes, true);
}

ReadResult readFileStart(const std::filesystem::path& file, size_t count) {
    return readUpTo(file, count, false);
}

}  // namespace paylog
