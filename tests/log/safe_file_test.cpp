#include "core/safe_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "record_store_test_support.h"

namespace paylog::testing {
namespace {

// Writes at most 1000 bytes per call, so that a save of a few kilobytes
// takes several writes and each can be failed in turn.
class ChunkedFailingLayer : public FailingFileLayer {
  public:
    using FailingFileLayer::FailingFileLayer;
    int write(int fd, const char* data, size_t size, size_t& written) override {
        return FailingFileLayer::write(fd, data, std::min<size_t>(size, 1000), written);
    }
};

std::string pattern(size_t size, char seed) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(seed + i * 7);
    return bytes;
}

using SaveFileTest = DataDirTest;

TEST_F(SaveFileTest, WritesANewFileOnlyItsOwnerCanRead) {
    const fs::path target = dir() / "new.bin";
    const std::string bytes = pattern(5000, 'a');
    const SaveResult result = saveFile(target, bytes);
    ASSERT_TRUE(result.ok) << result.detail;
    EXPECT_TRUE(result.replaced);
    EXPECT_EQ(readBytes(target), bytes);
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(entriesOf(dir()), std::vector<std::string>{"new.bin"});
}

TEST_F(SaveFileTest, ReplacesAnExistingFileWhole) {
    const fs::path target = dir() / "settings.ini";
    writeBytes(target, pattern(9000, 'x'));
    ASSERT_TRUE(saveFile(target, "short").ok);
    EXPECT_EQ(readBytes(target), "short");
    ASSERT_TRUE(saveFile(target, "").ok);
    EXPECT_EQ(readBytes(target), "");
}

TEST_F(SaveFileTest, MissingDirectoryIsReported) {
    const SaveResult result = saveFile(dir() / "no-such-dir" / "file", "bytes");
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.replaced);
    EXPECT_EQ(result.error, ENOENT);
    EXPECT_NE(result.detail.find("no-such-dir"), std::string::npos) << result.detail;
}

struct FailingStep {
    const char* name;
    FileOp op;
};

class SaveFileFailureTest : public DataDirTest,
                            public ::testing::WithParamInterface<FailingStep> {};

// Whichever call fails, and at whatever point, the old file stays byte for
// byte and no temporary file is left.
TEST_P(SaveFileFailureTest, EveryFailedCallKeepsTheOldFileAndLeavesNoTemporary) {
    const fs::path target = dir() / "log.edb";
    const std::string oldBytes = pattern(3000, 'o');
    const std::string newBytes = pattern(4500, 'n');
    writeBytes(target, oldBytes);

    auto counter = std::make_shared<ChunkedFailingLayer>();
    ASSERT_TRUE(saveFile(target, oldBytes, counter).ok);
    const int calls = counter->calls(GetParam().op);
    ASSERT_GE(calls, 1);

    for (int n = 1; n <= calls; ++n) {
        SCOPED_TRACE("failing call " + std::to_string(n) + " of " + std::to_string(calls));
        auto layer = std::make_shared<ChunkedFailingLayer>(GetParam().op, n, ENOSPC);
        const SaveResult result = saveFile(target, newBytes, layer);
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.replaced);
        EXPECT_EQ(result.error, ENOSPC);
        EXPECT_FALSE(result.detail.empty());
        EXPECT_EQ(readBytes(target), oldBytes);
        EXPECT_EQ(entriesOf(dir()), std::vector<std::string>{"log.edb"});
    }
}

INSTANTIATE_TEST_SUITE_P(Steps, SaveFileFailureTest,
                         ::testing::Values(FailingStep{"Create", FileOp::CreateNew},
                                           FailingStep{"Write", FileOp::Write},
                                           FailingStep{"Fsync", FileOp::Fsync},
                                           FailingStep{"Close", FileOp::Close},
                                           FailingStep{"Rename", FileOp::Rename}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SaveFileTest, SaveThatTakesManyWritesIsComplete) {
    auto layer = std::make_shared<ChunkedFailingLayer>();
    const std::string bytes = pattern(10'500, 'c');
    ASSERT_TRUE(saveFile(dir() / "f", bytes, layer).ok);
    EXPECT_EQ(layer->calls(FileOp::Write), 11);
    EXPECT_EQ(readBytes(dir() / "f"), bytes);
}

// After the rename the new content is in place; a failed directory sync
// cannot undo that, but it must not be reported as a clean success.
TEST_F(SaveFileTest, FailedDirectorySyncIsReportedWithTheFileReplaced) {
    const fs::path target = dir() / "f";
    writeBytes(target, "old");
    auto layer = std::make_shared<FailingFileLayer>(FileOp::FsyncDirectory, 1, EIO);
    const SaveResult result = saveFile(target, "new", layer);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.replaced);
    EXPECT_EQ(result.error, EIO);
    EXPECT_EQ(readBytes(target), "new");
    EXPECT_EQ(entriesOf(dir()), std::vector<std::string>{"f"});
}

TEST_F(SaveFileTest, TakenTemporaryNameIsRetriedWithAnother) {
    auto layer = std::make_shared<FailingFileLayer>(FileOp::CreateNew, 1, EEXIST);
    ASSERT_TRUE(saveFile(dir() / "f", "bytes", layer).ok);
    EXPECT_EQ(layer->calls(FileOp::CreateNew), 2);
    EXPECT_EQ(readBytes(dir() / "f"), "bytes");
}

using SaveFileFullDiskTest = SmallDiskTest;

TEST_F(SaveFileFullDiskTest, FullDiskKeepsTheOldFile) {
    const fs::path target = dir() / "f";
    const std::string oldBytes = pattern(4000, 'o');
    ASSERT_TRUE(saveFile(target, oldBytes).ok);
    fillDisk();
    const SaveResult result = saveFile(target, pattern(20'000, 'n'));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, ENOSPC);
    EXPECT_EQ(readBytes(target), oldBytes);
    freeDisk();
    EXPECT_EQ(entriesOf(dir()), std::vector<std::string>{"f"});
}

TEST_F(SaveFileFullDiskTest, ReadOnlyDiskIsReported) {
    const fs::path target = dir() / "f";
    ASSERT_TRUE(saveFile(target, "old").ok);
    makeReadOnly();
    const SaveResult result = saveFile(target, "new");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, EROFS);
    EXPECT_EQ(readBytes(target), "old");
}

using ReadFileTest = DataDirTest;

TEST_F(ReadFileTest, ReadsAWholeFileUpToItsBound) {
    const std::string bytes = pattern(6000, 'r');
    writeBytes(dir() / "f", bytes);
    const ReadResult exact = readFile(dir() / "f", 6000);
    ASSERT_TRUE(exact.ok()) << exact.detail;
    EXPECT_EQ(exact.bytes, bytes);

    const ReadResult tooLarge = readFile(dir() / "f", 5999);
    EXPECT_EQ(tooLarge.status, ReadStatus::TooLarge);
    EXPECT_TRUE(tooLarge.bytes.empty());

    writeBytes(dir() / "empty", "");
    const ReadResult empty = readFile(dir() / "empty", 10);
    ASSERT_TRUE(empty.ok());
    EXPECT_EQ(empty.bytes, "");
}

TEST_F(ReadFileTest, MissingFileAndDirectoryAreToldApart) {
    EXPECT_EQ(readFile(dir() / "none", 100).status, ReadStatus::Missing);
    EXPECT_EQ(readFile(dir() / "none" / "deeper", 100).status, ReadStatus::Missing);
    fs::create_directory(dir() / "folder");
    const ReadResult folder = readFile(dir() / "folder", 100);
    EXPECT_EQ(folder.status, ReadStatus::IoError);
    EXPECT_EQ(folder.error, EISDIR);
}

// A FIFO nobody writes to would block a plain open for ever.
TEST_F(ReadFileTest, FifoUnderTheNameIsRefusedWithoutWaiting) {
    ASSERT_EQ(mkfifo((dir() / "fifo").c_str(), 0600), 0);
    const ReadResult whole = readFile(dir() / "fifo", 100);
    EXPECT_EQ(whole.status, ReadStatus::IoError);
    EXPECT_EQ(whole.error, EINVAL);
    EXPECT_EQ(readFileStart(dir() / "fifo", 8).status, ReadStatus::IoError);
}

TEST_F(ReadFileTest, StartOfAFileIsReadWithoutTheRest) {
    writeBytes(dir() / "f", pattern(100'000, 's'));
    const ReadResult start = readFileStart(dir() / "f", 8);
    ASSERT_TRUE(start.ok());
    EXPECT_EQ(start.bytes, pattern(8, 's'));
    writeBytes(dir() / "short", "abc");
    EXPECT_EQ(readFileStart(dir() / "short", 8).bytes, "abc");
}

}  // namespace
}  // namespace paylog::testing
