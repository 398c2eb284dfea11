#pragma once
// Files written so that a crash or a kill at any moment leaves either the old
// content or the new one, never a mix; and files read with a bound on their
// size, so that a stray huge file cannot exhaust memory.

#include <sys/types.h>

#include <array>
#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace paylog {

// The file system calls a save makes. Each returns 0 or an errno value, so
// that a test can put in a layer that fails where it likes.
class FileLayer {
  public:
    virtual ~FileLayer() = default;
    // A new file for writing, mode `mode`; fails with EEXIST when the name is
    // taken (O_EXCL).
    virtual int createNew(const std::filesystem::path& path, mode_t mode, int& fd) = 0;
    // May write fewer bytes than asked; `written` says how many.
    virtual int write(int fd, const char* data, size_t size, size_t& written) = 0;
    virtual int fsync(int fd) = 0;
    virtual int close(int fd) = 0;
    virtual int rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    virtual int unlink(const std::filesystem::path& path) = 0;
    virtual int fsyncDirectory(const std::filesystem::path& dir) = 0;
};

// The real POSIX calls.
std::shared_ptr<FileLayer> systemFileLayer();

enum class FileOp { CreateNew, Write, Fsync, Close, Rename, Unlink, FsyncDirectory };

// The real calls, except that the `failAt`-th call (1-based) of `failing`
// fails with `error` and does nothing. Counts every call, so that a test can
// first count a save's calls and then fail each one in turn.
class FailingFileLayer : public FileLayer {
  public:
    explicit FailingFileLayer(FileOp failing = FileOp::Write, int failAt = 0, int error = EIO);
    int calls(FileOp op) const { return calls_[static_cast<size_t>(op)]; }

    int createNew(const std::filesystem::path& path, mode_t mode, int& fd) override;
    int write(int fd, const char* data, size_t size, size_t& written) override;
    int fsync(int fd) override;
    int close(int fd) override;
    int rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
    int unlink(const std::filesystem::path& path) override;
    int fsyncDirectory(const std::filesystem::path& dir) override;

  private:
    bool failsNow(FileOp op);

    std::shared_ptr<FileLayer> real_;
    FileOp failing_;
    int failAt_;
    int error_;
    std::array<int, 7> calls_{};
};

struct SaveResult {
    bool ok = false;
    // The target holds the new bytes. Only a failed sync of the directory
    // after the rename leaves this true with `ok` false: the new content is
    // in place but may not survive a power cut.
    bool replaced = false;
    int error = 0;       // errno of the step that failed
    std::string detail;  // UTF-8, names the step and the file
    explicit operator bool() const { return ok; }
};

// Writes `bytes` to a new file (mode 0600) beside `target`, syncs it, renames
// it over `target` and syncs the directory. Every step is checked; on a
// failure before the rename the temporary file is removed and `target` is
// untouched. `files` null means the real file system.
SaveResult saveFile(const std::filesystem::path& target, std::string_view bytes,
                    const std::shared_ptr<FileLayer>& files = nullptr);

enum class ReadStatus { Ok, Missing, TooLarge, IoError };

struct ReadResult {
    ReadStatus status = ReadStatus::Ok;
    std::string bytes;
    int error = 0;
    std::string detail;  // UTF-8
    bool ok() const { return status == ReadStatus::Ok; }
    explicit operator bool() const { return ok(); }
};

// The whole of a regular file; TooLarge (and no bytes) when it holds more
// than `maxBytes`.
ReadResult readFile(const std::filesystem::path& file, size_t maxBytes);

// At most the first `count` bytes of a regular file.
ReadResult readFileStart(const std::filesystem::path& file, size_t count);

}  // namespace paylog
