// Nothing is lost when a save fails or the program is killed in the middle
// of one: the file then holds the old table or the new one, and memory
// agrees with the file.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <random>
#include <string>

#include "core/safe_file.h"
#include "log/record_store.h"
#include "record_store_test_support.h"

namespace paylog::testing {
namespace {

const DateTime kFirstDay = makeDateTime(2013, 6, 1);

// Writes at most 1000 bytes per call, so a save takes several writes and
// each of them can be failed in turn.
class ChunkedFailingLayer : public FailingFileLayer {
  public:
    using FailingFileLayer::FailingFileLayer;
    int write(int fd, const char* data, size_t size, size_t& written) override {
        return FailingFileLayer::write(fd, data, std::min<size_t>(size, 1000), written);
    }
};

std::vector<int32_t> g1Column(RecordStore& store) {
    std::vector<int32_t> values;
    for (; !store.atEnd(); store.skipRecord()) values.push_back(store.readInt("G1"));
    return values;
}

bool isTemporary(const std::string& name) { return name.size() > 4 && name.ends_with(".tmp"); }

// ---- a file layer that fails at the n-th call ------------------------------------

struct FailingOperation {
    const char* name;
    StoreResult (*run)(RecordStore&);
    const char* writes;  // the table whose file the operation replaces
};

const FailingOperation kOperations[] = {
    {"AddRecord", [](RecordStore& s) { return s.addRecord(entry(kFirstDay + 10, 9)); }, "加班"},
    {"PurgeDeletedRecords",
     [](RecordStore& s) {
         s.deleteCurrentRecord();
         return s.purgeDeletedRecords();
     },
     "加班"},
    {"ClearTable", [](RecordStore& s) { return s.clearTable(); }, "加班"},
    {"SetNewPassword", [](RecordStore& s) { return s.setTablePassword(gbk("新")); }, "加班"},
    {"RemovePassword", [](RecordStore& s) { return s.setTablePassword(""); }, "加班"},
    {"SortTableInto", [](RecordStore& s) { return s.sortTableInto(gbk("临时加班"), gbk("日期")); },
     "临时加班"},
    {"CopyRecordsInto", [](RecordStore& s) { return s.copyRecordsInto(gbk("临时加班")); },
     "临时加班"},
};

struct FailingCase {
    FailingOperation operation;
    FileOp step;
    const char* stepName;
};

class FailedSaveTest : public DataDirTest, public ::testing::WithParamInterface<FailingCase> {
  protected:
    void SetUp() override {
        DataDirTest::SetUp();
        RecordStore store(dir(), KdfLimits::forTests());
        makeLog(store, {entry(kFirstDay + 2, 1), entry(kFirstDay, 2), entry(kFirstDay + 1, 3)},
                gbk("旧"));
        ASSERT_TRUE(store.createTable(gbk("临时加班"), {{"older", FieldKind::Integer}}));
        logBytes_ = readBytes(logPath());
        targetBytes_ = readBytes(dir() / utf8(gbk("临时加班.EDB")));
    }

    fs::path written() const { return dir() / utf8(gbk(GetParam().operation.writes) + ".EDB"); }
    void restoreFiles() {
        writeBytes(logPath(), logBytes_);
        writeBytes(dir() / utf8(gbk("临时加班.EDB")), targetBytes_);
    }

    std::string logBytes_;
    std::string targetBytes_;
};

TEST_P(FailedSaveTest, EveryFailingCallKeepsTheOldFileAndTheOldTable) {
    const FailingCase& c = GetParam();
    const std::string before = readBytes(written());

    // Count the calls of one successful run, then fail each in turn.
    auto counter = std::make_shared<ChunkedFailingLayer>();
    {
        RecordStore store(dir(), KdfLimits::forTests(), counter);
        ASSERT_TRUE(store.openTable(gbk("加班"), gbk("旧")));
        const int callsBefore = counter->calls(c.step);
        ASSERT_TRUE(c.operation.run(store));
        ASSERT_GT(counter->calls(c.step), callsBefore);
    }
    const int calls = counter->calls(c.step);
    restoreFiles();

    for (int n = 1; n <= calls; ++n) {
        SCOPED_TRACE("failing call " + std::to_string(n) + " of " + std::to_string(calls));
        auto layer = std::make_shared<ChunkedFailingLayer>(c.step, n, EIO);
        RecordStore store(dir(), KdfLimits::forTests(), layer);
        ASSERT_TRUE(store.openTable(gbk("加班"), gbk("旧")));
        const StoreResult result = c.operation.run(store);
        EXPECT_EQ(result.status, StoreStatus::IoError);
        EXPECT_FALSE(result.detail.empty());
        EXPECT_EQ(readBytes(written()), before);
        EXPECT_EQ(readBytes(logPath()), logBytes_);
        for (const std::string& name : entriesOf(dir())) EXPECT_FALSE(isTemporary(name)) << name;

        // Memory kept the old table and password: the next save writes them.
        EXPECT_EQ(store.recordCount(), 3);
        ASSERT_TRUE(store.addRecord(entry(kFirstDay + 20, 7)));
        store.closeTable();
        ASSERT_TRUE(store.openTable(gbk("加班"), gbk("旧")));
        EXPECT_EQ(g1Column(store), (std::vector<int32_t>{1, 2, 3, 7}));
        store.closeTable();
        restoreFiles();
    }
}

std::vector<FailingCase> failingCases() {
    const std::pair<FileOp, const char*> steps[] = {{FileOp::CreateNew, "Create"},
                                                    {FileOp::Write, "Write"},
                                                    {FileOp::Fsync, "Fsync"},
                                                    {FileOp::Close, "Close"},
                                                    {FileOp::Rename, "Rename"}};
    std::vector<FailingCase> cases;
    for (const FailingOperation& operation : kOperations) {
        for (const auto& [step, name] : steps) cases.push_back({operation, step, name});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Saves, FailedSaveTest, ::testing::ValuesIn(failingCases()),
                         [](const auto& info) {
                             return std::string(info.param.operation.name) + "_" +
                                    info.param.stepName;
                         });

using CreateTableFailureTest = DataDirTest;
using StoreCrashTest = DataDirTest;

TEST_F(CreateTableFailureTest, FailedCreateKeepsTheOldTable) {
    RecordStore maker(dir(), KdfLimits::forTests());
    makeLog(maker, {entry(kFirstDay, 1)}, gbk("旧"));
    const std::string before = readBytes(logPath());
    for (FileOp step :
         {FileOp::CreateNew, FileOp::Write, FileOp::Fsync, FileOp::Close, FileOp::Rename}) {
        RecordStore store(dir(), KdfLimits::forTests(),
                          std::make_shared<FailingFileLayer>(step, 1, ENOSPC));
        EXPECT_EQ(store.createTable(gbk("加班"), logFields()).status, StoreStatus::IoError);
        EXPECT_EQ(readBytes(logPath()), before);
    }
    EXPECT_EQ(entriesOf(dir()).size(), 2u);  // the log and its lock file
}

// The rename has put the new file in place when the folder's sync fails:
// the change stands in memory as on disk, and the caller still hears of
// the failure.
TEST_F(StoreCrashTest, FailedFolderSyncKeepsTheChangeAndReportsIt) {
    RecordStore maker(dir(), KdfLimits::forTests());
    makeLog(maker, {entry(kFirstDay, 1)});
    RecordStore store(dir(), KdfLimits::forTests(),
                      std::make_shared<FailingFileLayer>(FileOp::FsyncDirectory, 1));
    ASSERT_TRUE(store.openTable(gbk("加班"), ""));
    const StoreResult result = store.addRecord(entry(kFirstDay + 1, 2));
    EXPECT_EQ(result.status, StoreStatus::IoError);
    EXPECT_EQ(store.recordCount(), 2);
    store.closeTable();
    ASSERT_TRUE(store.openTable(gbk("加班"), ""));
    EXPECT_EQ(g1Column(store), (std::vector<int32_t>{1, 2}));
}

// ---- killed in the middle of saving --------------------------------------------------

// A child adds records as fast as it can and is killed at a random moment
// after its first record is saved (a slow start, as under a sanitizer, must
// not use up the time); the log must then open with some whole number of the
// child's records.
TEST_F(StoreCrashTest, KillDuringSavesLeavesTheOldOrTheNewLog) {
    {
        RecordStore maker(dir(), KdfLimits::forTests());
        makeLog(maker, {entry(kFirstDay, 0)}, gbk("密码"));
    }
    std::mt19937 random(20130623);
    int32_t expected = 1;  // records so far, each holding its position in G1
    for (int round = 0; round < 60; ++round) {
        int firstSaved[2];
        ASSERT_EQ(pipe(firstSaved), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(firstSaved[0]);
            RecordStore store(dir(), KdfLimits::forTests());
            if (!store.openTable(gbk("加班"), gbk("密码"))) _exit(1);
            for (int32_t next = store.recordCount();; ++next) {
                if (!store.addRecord(entry(kFirstDay + next, next))) _exit(2);
                if (firstSaved[1] >= 0) {
                    if (write(firstSaved[1], "s", 1) != 1) _exit(3);
                    close(firstSaved[1]);
                    firstSaved[1] = -1;
                }
            }
        }
        close(firstSaved[1]);
        char byte = 0;
        const ssize_t got = read(firstSaved[0], &byte, 1);
        close(firstSaved[0]);
        usleep(std::uniform_int_distribution<useconds_t>(0, 10'000)(random));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_EQ(got, 1) << "the child saved nothing, status " << status;
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped by itself, status " << status;

        RecordStore store(dir(), KdfLimits::forTests());
        const StoreResult opened = store.openTable(gbk("加班"), gbk("密码"));
        ASSERT_TRUE(opened) << "round " << round << ": " << opened.detail;
        ASSERT_GT(store.recordCount(), expected);  // the first record was saved before the kill
        expected = store.recordCount();
        for (int32_t i = 0; !store.atEnd(); store.skipRecord(), ++i) {
            ASSERT_EQ(store.readInt("G1"), i);
            ASSERT_EQ(store.readDate(gbk("日期")), kFirstDay + i);
        }
    }
}

// ---- a full disk and a read-only disk -----------------------------------------------

using StoreDiskTest = SmallDiskTest;

TEST_F(StoreDiskTest, FullDiskRefusesTheSaveAndKeepsTheTable) {
    RecordStore store(dir(), KdfLimits::forTests());
    makeLog(store, {entry(kFirstDay, 1)}, gbk("密码"));
    const std::string before = readBytes(logPath());
    ASSERT_TRUE(store.openTable(gbk("加班"), gbk("密码")));
    fillDisk();

    const StoreResult result = store.addRecord(entry(kFirstDay + 1, 2));
    EXPECT_EQ(result.status, StoreStatus::IoError);
    EXPECT_NE(result.detail.find(std::strerror(ENOSPC)), std::string::npos) << result.detail;
    EXPECT_EQ(store.recordCount(), 1);
    EXPECT_EQ(store.setTablePassword(gbk("新")).status, StoreStatus::IoError);
    EXPECT_EQ(readBytes(logPath()), before);

    freeDisk();
    for (const std::string& name : entriesOf(dir())) EXPECT_FALSE(isTemporary(name)) << name;
    ASSERT_TRUE(store.addRecord(entry(kFirstDay + 1, 2)));  // the old password still seals it
    store.closeTable();
    ASSERT_TRUE(store.openTable(gbk("加班"), gbk("密码")));
    EXPECT_EQ(g1Column(store), (std::vector<int32_t>{1, 2}));
}

TEST_F(StoreDiskTest, ReadOnlyDiskStillReadsButRefusesEveryWrite) {
    RecordStore store(dir(), KdfLimits::forTests());
    makeLog(store, {entry(kFirstDay, 1)});
    ASSERT_TRUE(store.createTable("no-lock-yet", logFields()));
    fs::remove(dir() / "no-lock-yet.EDB.lock");
    makeReadOnly();

    ASSERT_TRUE(store.openTable(gbk("加班"), ""));
    const StoreResult added = store.addRecord(entry(kFirstDay + 1, 2));
    EXPECT_EQ(added.status, StoreStatus::IoError);
    EXPECT_NE(added.detail.find(std::strerror(EROFS)), std::string::npos) << added.detail;
    EXPECT_EQ(store.recordCount(), 1);
    EXPECT_EQ(store.copyRecordsInto("copy").status, StoreStatus::IoError);
    store.closeTable();

    EXPECT_EQ(store.createTable(gbk("加班"), logFields()).status, StoreStatus::IoError);
    EXPECT_TRUE(store.openTable("no-lock-yet", "", true));  // no lock file can be made: read anyway
}

}  // namespace
}  // namespace paylog::testing
