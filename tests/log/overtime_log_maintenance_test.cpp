#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <utility>

#include "core/date_time.h"
#include "log/log_maintenance.h"
#include "log/log_password.h"
#include "log/log_problem.h"
#include "tests/log/overtime_log_fixture.h"

namespace paylog {
namespace {

using paylog::PrintTo;

LogRecord entry(int32_t day, int32_t g1, const char* remark, int32_t night) {
    LogRecord r;
    r.date = makeDateTime(2013, 6, day);
    r.g1 = g1;
    r.remark = gbk(remark);
    r.weekday = weekdayName(weekdayOf(r.date));
    r.nightShift = night;
    return r;
}

// Names in the data directory, apart from the store's lock files.
std::set<std::string> filesIn(const std::filesystem::path& dir) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
        const std::string name = e.path().filename().string();
        if (!name.ends_with(".lock")) names.insert(name);
    }
    return names;
}

TEST_F(OvertimeLogTest, DeletionQuestionNamesTheLastStoredDate) {
    append({entry(23, 2, "", 0), entry(3, 2, "", 0)});
    const LogReport q = deletionQuestion(store(), "");
    EXPECT_TRUE(q.ok());
    EXPECT_EQ(q.message, gbk("确认要删除2013年6月3日的加班记录！"));
}

TEST_F(OvertimeLogTest, DeletionQuestionOnEmptyLogNamesTheZeroDate) {
    EXPECT_EQ(deletionQuestion(store(), "").message, gbk("确认要删除1899年12月30日的加班记录！"));
}

TEST_F(OvertimeLogTest, DeleteRemovesExactlyTheLastStoredRecord) {
    const std::vector<LogRecord> all = {entry(10, 2, "", 0), entry(24, 0, "休息", 0),
                                        entry(3, 10, "", 1)};
    append(all);
    const LogReport report = deleteLastRecord(store(), "");
    EXPECT_TRUE(report.ok());
    EXPECT_TRUE(report.message.empty());
    EXPECT_EQ(records(), (std::vector<LogRecord>{all[0], all[1]}));
}

TEST_F(OvertimeLogTest, DeleteOnEmptyLogDeletesNothing) {
    EXPECT_TRUE(deleteLastRecord(store(), "").ok());
    EXPECT_TRUE(records().empty());
}

TEST_F(RemovedLogTest, DeleteReportsTheMissingLogAndCreatesNone) {
    EXPECT_FALSE(deletionQuestion(store(), "").ok());
    const LogReport report = deleteLastRecord(store(), "");
    EXPECT_EQ(report.store.status, StoreStatus::Missing);
    EXPECT_EQ(report.message, joinTexts({gbk("删除记录失败！"),
                                         describeLogProblem(store(), {StoreStatus::Missing, {}})}));
    EXPECT_EQ(report.message.rfind(gbk("删除记录失败！找不到加班记录文件“加班.edb”。"), 0), 0u);
    EXPECT_FALSE(logExists(store()));
}

TEST_F(OvertimeLogTest, SortOrdersByDateKeepingFieldsAndPassword) {
    protect("pw");
    const LogRecord a = entry(24, 2, "", 1), b = entry(3, 0, "早班", 1), c = entry(15, 10, "", 0);
    append({a, b, c}, "pw");
    const auto logName = logPath().filename();

    const LogReport report = sortLog(store(), "pw");
    EXPECT_TRUE(report.ok()) << report.store.detail;
    EXPECT_EQ(report.message, gbk("排序完成！"));
    EXPECT_EQ(records("pw"), (std::vector<LogRecord>{b, c, a}));
    EXPECT_EQ(store().openTable(logTableName(), "").status, StoreStatus::WrongPassword);
    // The sorted copy took the log's place under the log's own name.
    EXPECT_EQ(filesIn(dir_), std::set<std::string>{logName.string()});
}

// A directory where the sorted copy would go: the sort cannot be written.
class SortBlockedTest : public OvertimeLogTest {
  protected:
    void SetUp() override {
        OvertimeLogTest::SetUp();
        append({entry(24, 2, "", 0), entry(3, 8, "", 0)});
        blocker_ = store().tablePath(sortTableName());
        std::filesystem::create_directory(blocker_);
        before_ = fileBytes(logPath());
    }
    std::filesystem::path blocker_;
    std::vector<uint8_t> before_;
};

TEST_F(SortBlockedTest, FailedSortLeavesTheLogAsItWas) {
    const LogReport report = sortLog(store(), "");
    EXPECT_FALSE(report.ok());
    EXPECT_EQ(report.message.rfind(gbk("数据库排序失败，加班记录保持原样。"), 0), 0u);
    EXPECT_EQ(fileBytes(logPath()), before_);
    EXPECT_TRUE(std::filesystem::is_directory(blocker_));
    EXPECT_EQ(filesIn(dir_),
              (std::set<std::string>{logPath().filename().string(), blocker_.filename().string()}));
}

TEST_F(OvertimeLogTest, SortedCopyLeftByAnInterruptedSortIsReplaced) {
    append({entry(24, 2, "", 0), entry(3, 8, "", 0)});
    ASSERT_TRUE(store().createTable(sortTableName(), logFields()).ok());
    EXPECT_TRUE(sortLog(store(), "").ok());
    EXPECT_EQ(records().front().date, makeDateTime(2013, 6, 3));
    EXPECT_EQ(filesIn(dir_), std::set<std::string>{logPath().filename().string()});
}

TEST_F(OvertimeLogTest, ForeignFileUnderTheSortedCopysNameIsLeftAlone) {
    append({entry(24, 2, "", 0), entry(3, 8, "", 0)});
    const std::vector<uint8_t> log = fileBytes(logPath());
    const auto foreign = store().tablePath(sortTableName());
    std::ofstream(foreign) << "someone's notes";
    const LogReport report = sortLog(store(), "");
    EXPECT_EQ(report.store.status, StoreStatus::NotALog);
    EXPECT_EQ(fileBytes(logPath()), log);
    EXPECT_EQ(fileBytes(foreign).size(), std::string("someone's notes").size());
}

struct SwapFailureCase {
    const char* name;
    FileOp failing;
    bool sorted;
};

// The file system refuses one step of putting the sorted copy in place.
class SortSwapFailureTest : public OvertimeLogTest,
                            public ::testing::WithParamInterface<SwapFailureCase> {};

TEST_P(SortSwapFailureTest, LogIsTheOldOrTheSortedOneAndNoCopyStays) {
    append({entry(24, 2, "", 0), entry(3, 8, "", 0)});
    const std::vector<LogRecord> before = records();
    const LogReport report =
        sortLog(store(), "", std::make_shared<FailingFileLayer>(GetParam().failing, 1));
    EXPECT_EQ(report.ok(), GetParam().sorted);
    std::vector<LogRecord> expected = before;
    if (GetParam().sorted) std::swap(expected[0], expected[1]);
    EXPECT_EQ(records(), expected);
    EXPECT_EQ(filesIn(dir_), std::set<std::string>{logPath().filename().string()});
}

INSTANTIATE_TEST_SUITE_P(Steps, SortSwapFailureTest,
                         ::testing::Values(SwapFailureCase{"rename_refused_keeps_old_log",
                                                           FileOp::Rename, false},
                                           // Both versions hold the same records: nothing to lose.
                                           SwapFailureCase{"directory_sync_refused_still_sorted",
                                                           FileOp::FsyncDirectory, true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ClearCase {
    const char* name;
    const char* logPassword;  // "" leaves the log unprotected
    const char* typed;        // "" also stands for a cancelled dialog
    bool cleared;
    const char* message;
};

class ClearLogTest : public OvertimeLogTest, public ::testing::WithParamInterface<ClearCase> {};

TEST_P(ClearLogTest, ClearsOnlyWithTheRightPassword) {
    const ClearCase& c = GetParam();
    if (*c.logPassword) protect(c.logPassword);
    append({entry(3, 2, "", 0), entry(4, 2, "", 0)}, c.logPassword);
    const LogReport report = clearLog(store(), c.typed);
    EXPECT_EQ(report.ok(), c.cleared);
    EXPECT_EQ(report.message, gbk(c.message));
    EXPECT_EQ(records(c.logPassword).size(), c.cleared ? 0u : 2u);
    // Fields and password stay: the log still opens with its password only.
    EXPECT_TRUE(store().openTable(logTableName(), c.logPassword).ok());
    EXPECT_EQ(store().fields().size(), logFields().size());
    store().closeTable();
}

INSTANTIATE_TEST_SUITE_P(Passwords, ClearLogTest,
                         ::testing::Values(ClearCase{"unprotected_with_cancelled_dialog", "", "",
                                                     true, "数据库清空成功！"},
                                           ClearCase{"protected_with_its_password", "pw", "pw",
                                                     true, "数据库清空成功！"},
                                           ClearCase{"protected_with_wrong_password", "pw", "wrong",
                                                     false, "数据库清空失败！请确认密码是否正确！"},
                                           ClearCase{"protected_with_cancelled_dialog", "pw", "",
                                                     false,
                                                     "数据库清空失败！请确认密码是否正确！"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct PasswordChangeCase {
    const char* name;
    const char* from;
    const char* to;
};

class PasswordChangeTest : public OvertimeLogTest,
                           public ::testing::WithParamInterface<PasswordChangeCase> {};

TEST_P(PasswordChangeTest, OnlyTheNewPasswordOpensTheLogAfterwards) {
    const PasswordChangeCase& c = GetParam();
    if (*c.from) protect(c.from);
    append({entry(3, 2, "", 0)}, c.from);
    const LogReport report = setLogPassword(store(), c.from, c.to);
    EXPECT_TRUE(report.ok()) << report.store.detail;
    EXPECT_TRUE(report.message.empty());
    EXPECT_EQ(tryLogPassword(store(), c.to).access, LogAccess::Ok);
    EXPECT_EQ(tryLogPassword(store(), c.from).access, LogAccess::WrongPassword);
    EXPECT_EQ(records(c.to).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Changes, PasswordChangeTest,
                         ::testing::Values(PasswordChangeCase{"set_first", "", "新密码"},
                                           PasswordChangeCase{"replace", "old", "new"},
                                           PasswordChangeCase{"remove", "old", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OvertimeLogTest, PasswordChangeWithWrongCurrentPasswordChangesNothing) {
    protect("old");
    const LogReport report = setLogPassword(store(), "guess", "new");
    EXPECT_FALSE(report.ok());
    EXPECT_EQ(report.message.rfind(gbk("数据库密码设置失败，密码没有改变。"), 0), 0u);
    EXPECT_EQ(tryLogPassword(store(), "old").access, LogAccess::Ok);
}

TEST_F(RemovedLogTest, PasswordChangeReportsTheMissingLog) {
    const LogReport report = setLogPassword(store(), "", "new");
    EXPECT_EQ(report.store.status, StoreStatus::Missing);
    EXPECT_FALSE(logExists(store()));
}

}  // namespace
}  // namespace paylog
