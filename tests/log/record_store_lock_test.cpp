// Two stores, in one process or two, never hold one table for writing at
// the same time; an open waits a little for the other holder to let go.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <thread>

#include "log/record_store.h"
#include "record_store_test_support.h"

namespace paylog::testing {
namespace {

class TableLockTest : public StoreTest {
  protected:
    void SetUp() override {
        StoreTest::SetUp();
        makeLog(store(), {entry(makeDateTime(2013, 6, 23), 1)});
        other_ = std::make_unique<RecordStore>(dir(), KdfLimits::forTests());
        // Every holder here keeps the table until the test lets go, so a
        // long wait would only slow the Busy answers down.
        store().setLockWait(kShortWait);
        other_->setLockWait(kShortWait);
    }
    static constexpr std::chrono::milliseconds kShortWait{20};

    // A second running copy of the program: a forked child that opens the
    // table and holds it for `hold` (for ever without one), then exits.
    // Returns once the child has the table open; -1 when it could not.
    pid_t forkHolder(std::optional<std::chrono::milliseconds> hold) {
        int ready[2];
        if (pipe(ready) != 0) return -1;
        const pid_t child = fork();
        if (child == 0) {
            RecordStore held(dir(), KdfLimits::forTests());
            const char opened = held.openTable(gbk("加班"), "") ? 'y' : 'n';
            (void)!write(ready[1], &opened, 1);
            if (!hold) {
                for (;;) pause();
            }
            std::this_thread::sleep_for(*hold);
            held.closeTable();
            _exit(0);
        }
        close(ready[1]);
        char opened = 0;
        const bool holding = child > 0 && read(ready[0], &opened, 1) == 1 && opened == 'y';
        close(ready[0]);
        if (!holding && child > 0) {
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
        }
        return holding ? child : -1;
    }
    void TearDown() override {
        other_.reset();
        StoreTest::TearDown();
    }
    RecordStore& other() { return *other_; }

  private:
    std::unique_ptr<RecordStore> other_;
};

TEST_F(TableLockTest, WritableOpenExcludesEveryOtherOpen) {
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    EXPECT_EQ(other().openTable(gbk("加班"), "").status, StoreStatus::Busy);
    EXPECT_EQ(other().openTable(gbk("加班"), "", true).status, StoreStatus::Busy);
    EXPECT_EQ(other().openTable(gbk("加班.edb"), "").status,
              StoreStatus::Busy);  // same file, other case
    EXPECT_EQ(other().createTable(gbk("加班"), logFields()).status, StoreStatus::Busy);
    EXPECT_FALSE(other().isOpen());

    store().closeTable();
    EXPECT_TRUE(other().openTable(gbk("加班"), ""));
    EXPECT_EQ(store().openTable(gbk("加班"), "", true).status, StoreStatus::Busy);
}

TEST_F(TableLockTest, ReadOnlyOpensShareButKeepWritersOut) {
    ASSERT_TRUE(store().openTable(gbk("加班"), "", true));
    ASSERT_TRUE(other().openTable(gbk("加班"), "", true));
    RecordStore third(dir(), KdfLimits::forTests());
    third.setLockWait(kShortWait);
    EXPECT_EQ(third.openTable(gbk("加班"), "").status, StoreStatus::Busy);
    store().closeTable();
    other().closeTable();
    EXPECT_TRUE(third.openTable(gbk("加班"), ""));
}

TEST_F(TableLockTest, CopyIntoATableHeldElsewhereIsRefused) {
    ASSERT_TRUE(store().createTable("backup", logFields()));
    const std::string before = readBytes(dir() / "backup.EDB");
    ASSERT_TRUE(other().openTable("backup", "", true));
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    EXPECT_EQ(store().copyRecordsInto("backup").status, StoreStatus::Busy);
    EXPECT_EQ(store().sortTableInto("backup", "G1").status, StoreStatus::Busy);
    EXPECT_EQ(readBytes(dir() / "backup.EDB"), before);
}

// A second running copy of the program: a forked child holds the table
// until it is killed, which lets go of it too.
TEST_F(TableLockTest, AnotherProcessHoldingTheTableMakesItBusy) {
    const pid_t child = forkHolder(std::nullopt);
    ASSERT_GT(child, 0);
    EXPECT_EQ(store().openTable(gbk("加班"), "").status, StoreStatus::Busy);
    EXPECT_EQ(store().openTable(gbk("加班"), "", true).status, StoreStatus::Busy);

    kill(child, SIGKILL);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    EXPECT_TRUE(store().openTable(gbk("加班"), ""));
}

// The other copy is in the middle of one operation: the open waits for it
// instead of failing.
TEST_F(TableLockTest, AnotherCopysShortHoldIsWaitedFor) {
    const pid_t child = forkHolder(std::chrono::milliseconds(200));
    ASSERT_GT(child, 0);
    RecordStore waiting(dir(), KdfLimits::forTests());  // the default wait
    const StoreResult result = waiting.openTable(gbk("加班"), "");
    EXPECT_TRUE(result) << result.detail;
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
}

TEST_F(TableLockTest, ForkedCopyCannotOpenWhatThisProcessHolds) {
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        RecordStore second(dir(), KdfLimits::forTests());
        second.setLockWait(kShortWait);
        _exit(second.openTable(gbk("加班"), "").status == StoreStatus::Busy ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace paylog::testing
