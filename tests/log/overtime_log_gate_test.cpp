#include <gtest/gtest.h>

#include "log/log_password.h"
#include "log/log_problem.h"
#include "tests/log/overtime_log_fixture.h"

namespace paylog {
namespace {

using paylog::PrintTo;

class FreshDataDirTest : public OvertimeLogTest {
  protected:
    void SetUp() override {
        OvertimeLogTest::SetUp();
        std::filesystem::remove(logPath());
    }
};

TEST_F(FreshDataDirTest, CreatedLogHasTheTenFieldsAndNoPassword) {
    EXPECT_FALSE(logExists(store()));
    ASSERT_TRUE(createLog(store()).ok());
    EXPECT_TRUE(logExists(store()));
    ASSERT_TRUE(store().openTable(logTableName(), "").ok());
    EXPECT_EQ(store().recordCount(), 0);
    const std::vector<FieldInfo>& fields = store().fields();
    ASSERT_EQ(fields.size(), kLogFieldCount);
    const char* names[] = {"日期", "G1",   "G2",   "G3",   "事假",
                           "病假", "备注", "星期", "夜班", "旷工"};
    for (std::size_t i = 0; i < kLogFieldCount; ++i) EXPECT_EQ(fields[i].name, gbk(names[i]));
    EXPECT_EQ(fields[0].kind, FieldKind::DateTime);
    EXPECT_EQ(fields[6].kind, FieldKind::Text);
    EXPECT_EQ(fields[6].maxLength, 20);
    EXPECT_EQ(fields[7].kind, FieldKind::Text);
    EXPECT_EQ(fields[7].maxLength, 6);
    EXPECT_EQ(fields[9].kind, FieldKind::Integer);
    store().closeTable();
}

TEST_F(FreshDataDirTest, FirstStartSetsTheTypedPassword) {
    ASSERT_TRUE(createLog(store()).ok());
    ASSERT_TRUE(setLogPassword(store(), "", "secret").ok());
    EXPECT_EQ(tryLogPassword(store(), "secret").access, LogAccess::Ok);
    EXPECT_EQ(tryLogPassword(store(), "").access, LogAccess::WrongPassword);
}

TEST_F(FreshDataDirTest, LogNamedInOtherLetterCaseIsTheLog) {
    const std::filesystem::path other = dir_ / "加班.EDB";
    std::ofstream(other) << "x";
    EXPECT_TRUE(logExists(store()));
}

TEST_F(FreshDataDirTest, DirectoryInTheLogsPlaceIsNeverReplaced) {
    std::filesystem::create_directory(dir_ / "加班.edb");
    EXPECT_TRUE(logExists(store()));
    EXPECT_FALSE(createLog(store()).ok());
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "加班.edb"));
}

TEST_F(OvertimeLogTest, CreateNeverOverwritesAnExistingLog) {
    LogRecord r;
    r.date = makeDateTime(2013, 6, 23);
    append({r});
    EXPECT_FALSE(createLog(store()).ok());
    EXPECT_EQ(records().size(), 1u);
}

struct TryCase {
    const char* name;
    const char* logPassword;
    const char* typed;
    LogAccess access;
};

class TryPasswordTest : public OvertimeLogTest, public ::testing::WithParamInterface<TryCase> {};

TEST_P(TryPasswordTest, OpensOnlyWithTheLogsPassword) {
    if (*GetParam().logPassword) protect(GetParam().logPassword);
    const PasswordTry answer = tryLogPassword(store(), GetParam().typed);
    EXPECT_EQ(answer.access, GetParam().access);
    EXPECT_TRUE(answer.message.empty());  // a wrong password just asks again
    EXPECT_FALSE(store().isOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Passwords, TryPasswordTest,
    ::testing::Values(TryCase{"protected_right", "pw", "pw", LogAccess::Ok},
                      TryCase{"protected_wrong", "pw", "pW", LogAccess::WrongPassword},
                      TryCase{"protected_empty_refused", "pw", "", LogAccess::WrongPassword},
                      TryCase{"unprotected_empty", "", "", LogAccess::Ok},
                      TryCase{"unprotected_refuses_any_text", "", "pw", LogAccess::WrongPassword}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DamagedLogTest, DamagedLogIsNamedWithTheBackupFolderAndLeftUntouched) {
    const PasswordTry answer = tryLogPassword(store(), "");
    EXPECT_EQ(answer.access, LogAccess::Unreadable);
    EXPECT_EQ(answer.message,
              joinTexts({gbk("加班记录文件“加班.edb”已损坏，无法读取。该文件保持原样未被改动；"
                             "可用备份恢复：关闭本程序，将备份文件“"),
                         gbk((dir_ / "数据库备份" / "加班备份.edb").string()), gbk("”复制为“"),
                         gbk(logPath().string()), gbk("”。")}));
    EXPECT_EQ(fileBytes(logPath()), damaged_);
}

// Some other program's file under the log's name.
class ForeignFileTest : public OvertimeLogTest {
  protected:
    void SetUp() override {
        OvertimeLogTest::SetUp();
        std::ofstream(logPath(), std::ios::trunc) << "[section]\nkey=value\n";
        foreign_ = fileBytes(logPath());
    }
    std::vector<uint8_t> foreign_;
};

TEST_F(ForeignFileTest, ForeignFileIsReportedAndLeftUntouched) {
    const PasswordTry answer = tryLogPassword(store(), "");
    EXPECT_EQ(answer.access, LogAccess::Unreadable);
    EXPECT_NE(answer.message.find(gbk("数据库备份")), Text::npos);
    EXPECT_EQ(fileBytes(logPath()), foreign_);
}

TEST_F(OvertimeLogTest, LogHeldByAnotherRunningCopyIsBusy) {
    RecordStore other(dir_, KdfLimits::forTests());
    ASSERT_TRUE(other.openTable(logTableName(), "").ok());
    store().setLockWait(std::chrono::milliseconds(20));  // held until let go: no use waiting
    const PasswordTry answer = tryLogPassword(store(), "");
    EXPECT_EQ(answer.access, LogAccess::Busy);
    EXPECT_EQ(answer.message,
              gbk("加班记录文件“加班.edb”正被另一个运行中的本程序使用，请先关闭那个程序再试。"));
    other.closeTable();
    EXPECT_EQ(tryLogPassword(store(), "").access, LogAccess::Ok);
}

TEST_F(RemovedLogTest, TryingAPasswordOnAVanishedLogSaysItIsMissing) {
    const PasswordTry answer = tryLogPassword(store(), "");
    EXPECT_EQ(answer.access, LogAccess::Missing);
    EXPECT_FALSE(answer.message.empty());
}

struct ProblemCase {
    const char* name;
    StoreResult result;
    const char* message;
};

// A store on a folder that need not exist: only the file names are asked for.
class DescribeLogProblemTest : public ::testing::TestWithParam<ProblemCase> {
  protected:
    RecordStore store_{"/srv/薪资", KdfLimits::forTests()};
};

TEST_P(DescribeLogProblemTest, SaysWhatWentWrongAndWhatToDo) {
    EXPECT_EQ(utf8(describeLogProblem(store_, GetParam().result)), GetParam().message);
}

#define PAYLOG_RESTORE                                                                                                              \
    "用备份恢复：关闭本程序，将备份文件“/srv/薪资/数据库备份/加班备份.edb”复制为“/srv/薪资/" \
    "加班.EDB”。"

INSTANTIATE_TEST_SUITE_P(
    Statuses, DescribeLogProblemTest,
    ::testing::Values(
        ProblemCase{"ok_says_nothing", {StoreStatus::Ok, {}}, ""},
        ProblemCase{"missing",
                    {StoreStatus::Missing, {}},
                    "找不到加班记录文件“加班.edb”。重新启动本程序会新建一个空的记录文件；"
                    "也可以先" PAYLOG_RESTORE},
        ProblemCase{"not_a_log",
                    {StoreStatus::NotALog, {}},
                    "文件“加班.edb”不是加班记录文件，无法读取。该文件保持原样未被改动；"
                    "可" PAYLOG_RESTORE},
        ProblemCase{"newer_format",
                    {StoreStatus::NewerFormat, {}},
                    "加班记录文件“加班.edb”由更新版本的程序写入，无法读取。该文件保持原样未被改动；"
                    "请使用新版本的程序，或" PAYLOG_RESTORE},
        ProblemCase{"damaged",
                    {StoreStatus::Damaged, "the checksum does not match"},
                    "加班记录文件“加班.edb”已损坏，无法读取。该文件保持原样未被改动；"
                    "可" PAYLOG_RESTORE},
        ProblemCase{"wrong_password",
                    {StoreStatus::WrongPassword, {}},
                    "密码不正确，无法打开加班记录文件“加班.edb”。"},
        ProblemCase{"busy",
                    {StoreStatus::Busy, {}},
                    "加班记录文件“加班.edb”正被另一个运行中的本程序使用，请先关闭那个程序再试。"},
        ProblemCase{"io_error_with_detail",
                    {StoreStatus::IoError, "No space left on device"},
                    "无法读写加班记录文件“加班.edb”（No space left on device）。"
                    "请确认数据文件夹“/srv/薪资”可以写入、磁盘没有写满，然后再试。"},
        ProblemCase{"io_error_without_detail",
                    {StoreStatus::IoError, {}},
                    "无法读写加班记录文件“加班.edb”。"
                    "请确认数据文件夹“/srv/薪资”可以写入、磁盘没有写满，然后再试。"}),
    [](const auto& info) { return std::string(info.param.name); });

#undef PAYLOG_RESTORE

}  // namespace
}  // namespace paylog
