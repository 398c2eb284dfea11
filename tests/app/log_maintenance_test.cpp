// The maintenance buttons (delete the last record, sort, clear, change the
// password) and the daily backup at shutdown.

#include <QLineEdit>
#include <chrono>
#include <fstream>
#include <iterator>

#include "log_window_fixture.h"

namespace paylog {
namespace {

using Texts = std::vector<std::string>;

DateTime june2013(int day) { return makeDateTime(2013, 6, day); }

std::string fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

class LogMaintenanceTest : public LogWindowTest {
  protected:
    // Appended out of date order, three kinds of entry.
    const std::vector<SeedDay> kUnsorted{{june2013(20), LogField::G1, 2, "", 1},
                                         {june2013(9), LogField::G1, 0, "休息"},
                                         {june2013(3), LogField::G1, 3}};
};

// ---- deleting the last record

TEST_F(LogMaintenanceTest, DeletionAsksNamingTheDateAndCancelKeepsTheRecord) {
    startUnlocked("pw", kUnsorted);
    const std::vector<LoggedDay> before = readLog("pw");
    dialogs_.messageAnswers = {kAnswerCancel};
    click("按钮删除");
    ASSERT_EQ(messageTexts(), Texts{"确认要删除2013年6月3日的加班记录！"});
    EXPECT_EQ(dialogs_.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(dialogs_.messages[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(utf8(dialogs_.messages[0].title), "信息：");
    EXPECT_EQ(readLog("pw"), before);
}

TEST_F(LogMaintenanceTest, ConfirmedDeletionRemovesTheLastAppendedAndRefreshesAtOnce) {
    startUnlocked("pw", kUnsorted);
    std::vector<LoggedDay> expected = readLog("pw");
    EXPECT_EQ(text("编辑框1加班小时数"), "5");
    const std::string payBefore = text("标签G1工资");

    click("按钮删除");
    expected.pop_back();
    EXPECT_EQ(readLog("pw"), expected);
    EXPECT_EQ(text("编辑框1加班小时数"), "2");
    EXPECT_EQ(text("标签当前统计到的加班日期"), "当前加班统计到：2013年6月9日");
    EXPECT_NE(text("标签G1工资"), payBefore);
    EXPECT_EQ(messageTexts().size(), 1u);
}

TEST_F(LogMaintenanceTest, DeletingFromAnEmptyLogNamesTheZeroDateAndDeletesNothing) {
    startUnlocked("pw");
    click("按钮删除");
    EXPECT_EQ(messageTexts(), Texts{"确认要删除1899年12月30日的加班记录！"});
    EXPECT_TRUE(readLog("pw").empty());
    EXPECT_EQ(text("标签当前统计到的加班日期"), "当前未加班或未记录加班！！！");
}

TEST_F(LogMaintenanceTest, DeletionFromAnUnreadableLogSaysWhyAndAsksNothing) {
    startUnlocked("pw", kUnsorted);
    writeBytes(logPath(), "spoilt");
    click("按钮删除");
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].icon, MessageIcon::Error);
    EXPECT_NE(messageTexts()[0].find("加班.edb"), std::string::npos) << messageTexts()[0];
    EXPECT_EQ(fileBytes(logPath()), "spoilt");
}

// ---- sorting

TEST_F(LogMaintenanceTest, SortOrdersByDateKeepingValuesAndPassword) {
    startUnlocked("pw", kUnsorted);
    const std::vector<LoggedDay> before = readLog("pw");
    click("按钮数据库排序");
    ASSERT_EQ(messageTexts(), Texts{"排序完成！"});
    EXPECT_EQ(dialogs_.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(readLog("pw"), (std::vector<LoggedDay>{before[2], before[1], before[0]}));
    EXPECT_EQ(openStatus(""), StoreStatus::WrongPassword);
    EXPECT_FALSE(std::filesystem::exists(store_.tablePath(sortTableName())));
}

TEST_F(LogMaintenanceTest, SortOfAnUnreadableLogSaysSoAndLeavesTheFile) {
    startUnlocked("pw", kUnsorted);
    writeBytes(logPath(), "spoilt");
    click("按钮数据库排序");
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].icon, MessageIcon::Error);
    EXPECT_NE(messageTexts()[0], "排序完成！");
    EXPECT_EQ(fileBytes(logPath()), "spoilt");
}

// ---- clearing

struct ClearCase {
    const char* name;
    const char* logPassword;
    MessageAnswer warningAnswer;
    std::deque<std::optional<Text>> typed;  // nullopt: the dialog cancelled
    Texts messages;                         // after the warning
    bool cleared;
};

class ClearLog : public LogMaintenanceTest, public ::testing::WithParamInterface<ClearCase> {};

TEST_P(ClearLog, WarnsAsksForThePasswordAndClearsOnlyWithIt) {
    const ClearCase& c = GetParam();
    startUnlocked(c.logPassword, kUnsorted);
    dialogs_.messageAnswers = {c.warningAnswer};
    dialogs_.inputAnswers = c.typed;
    click("按钮数据库清空");

    ASSERT_FALSE(dialogs_.messages.empty());
    const MessageRequest& warning = dialogs_.messages[0];
    EXPECT_EQ(utf8(warning.text), "当前操作将清空数据库的所有内容，不可恢复，请确认！");
    EXPECT_EQ(utf8(warning.title), "警告");
    EXPECT_EQ(warning.icon, MessageIcon::Warning);
    EXPECT_EQ(warning.buttons, MessageButtons::OkCancel);
    Texts after = messageTexts();
    after.erase(after.begin());
    EXPECT_EQ(after, c.messages);
    if (c.warningAnswer == kAnswerOk) {
        ASSERT_EQ(dialogs_.inputs.size(), 1u);
        EXPECT_EQ(utf8(dialogs_.inputs[0].title), "请输入数据库密码");
        EXPECT_EQ(utf8(dialogs_.inputs[0].prompt), "数据库清空后将不可恢复！");
        EXPECT_TRUE(dialogs_.inputs[0].password);
    } else {
        EXPECT_TRUE(dialogs_.inputs.empty());
    }
    EXPECT_EQ(readLog(c.logPassword).empty(), c.cleared);
}

INSTANTIATE_TEST_SUITE_P(
    LogMaintenance, ClearLog,
    ::testing::Values(ClearCase{"CancelAtTheWarning", "pw", kAnswerCancel, {}, {}, false},
                      ClearCase{
                          "RightPassword", "pw", kAnswerOk, {"pw"}, {"数据库清空成功！"}, true},
                      ClearCase{"WrongPassword",
                                "pw",
                                kAnswerOk,
                                {"pq"},
                                {"数据库清空失败！请确认密码是否正确！"},
                                false},
                      ClearCase{"CancelledDialogOnAProtectedLog",
                                "pw",
                                kAnswerOk,
                                {std::nullopt},
                                {"数据库清空失败！请确认密码是否正确！"},
                                false},
                      ClearCase{"CancelledDialogOnAnUnprotectedLog",
                                "",
                                kAnswerOk,
                                {std::nullopt},
                                {"数据库清空成功！"},
                                true}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- changing the password

struct PasswordCase {
    const char* name;
    std::deque<std::optional<Text>> typed;  // the new password, then again
    std::deque<MessageAnswer> answers;
    Texts messages;
    const char* opensWith;
};

class ChangePassword : public LogMaintenanceTest,
                       public ::testing::WithParamInterface<PasswordCase> {};

TEST_P(ChangePassword, TakesTheNewPasswordOnlyWhenConfirmed) {
    const PasswordCase& c = GetParam();
    startUnlocked("pw", kUnsorted);
    dialogs_.inputAnswers = c.typed;
    dialogs_.messageAnswers = c.answers;
    click("按钮修改数据库密码");
    EXPECT_EQ(inputTitles(), (Texts{"请设置新密码", "请再次输入新密码"}));
    EXPECT_EQ(messageTexts(), c.messages);
    EXPECT_EQ(openStatus(c.opensWith), StoreStatus::Ok);
    // The run goes on with the password the log has.
    forgetDialogs();
    click("按钮读取数据库");
    EXPECT_TRUE(dialogs_.messages.empty());
    EXPECT_EQ(text("编辑框1加班小时数"), "5");
}

INSTANTIATE_TEST_SUITE_P(
    LogMaintenance, ChangePassword,
    ::testing::Values(PasswordCase{"NewPassword", {"new", "new"}, {}, {}, "new"},
                      PasswordCase{"Mismatch", {"new", "neu"}, {}, {"两次密码输入不一致！"}, "pw"},
                      PasswordCase{
                          "EmptyConfirmed", {"", ""}, {kAnswerOk}, {"是否设定空密码？"}, ""},
                      PasswordCase{"BothCancelledThenCancel",
                                   {std::nullopt, std::nullopt},
                                   {kAnswerCancel},
                                   {"是否设定空密码？"},
                                   "pw"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogMaintenanceTest, PasswordChangeBoxesHaveTheirIcons) {
    startUnlocked("pw");
    dialogs_.inputAnswers = {"a", "b", std::nullopt, std::nullopt};
    dialogs_.messageAnswers = {kAnswerOk, kAnswerCancel};
    click("按钮修改数据库密码");
    click("按钮修改数据库密码");
    ASSERT_EQ(dialogs_.messages.size(), 2u);
    EXPECT_EQ(dialogs_.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(dialogs_.messages[1].icon, MessageIcon::Question);
    EXPECT_EQ(dialogs_.messages[1].buttons, MessageButtons::OkCancel);
    for (const InputRequest& r : dialogs_.inputs) EXPECT_TRUE(r.password);
}

TEST_F(LogMaintenanceTest, EmptyPasswordSetInTheRunIsTheOnlyOneTheNextStartTakes) {
    startUnlocked("pw");
    dialogs_.inputAnswers = {"", ""};
    click("按钮修改数据库密码");
    closeWindow();
    forgetDialogs();
    startWindow({"pw", ""});
    EXPECT_EQ(inputTitles(), (Texts{"请输入密码", "请输入密码"}));
    EXPECT_EQ(text("标签当前统计到的加班日期"), "当前未加班或未记录加班！！！");
}

TEST_F(LogMaintenanceTest, FailedPasswordChangeSaysSoAndKeepsTheOldPassword) {
    startUnlocked("pw", kUnsorted);
    const std::string sound = fileBytes(logPath());
    writeBytes(logPath(), "spoilt");
    dialogs_.inputAnswers = {"new", "new"};
    click("按钮修改数据库密码");
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].icon, MessageIcon::Error);
    EXPECT_NE(messageTexts()[0].find("密码"), std::string::npos) << messageTexts()[0];

    writeBytes(logPath(), sound);
    forgetDialogs();
    click("按钮读取数据库");
    EXPECT_TRUE(dialogs_.messages.empty());
    EXPECT_EQ(text("编辑框1加班小时数"), "5");
}

// ---- the backup at shutdown (file times are real, so the clock is too)

class LogBackupTest : public LogMaintenanceTest {
  protected:
    void SetUp() override { now_ = systemDateTime(); }
    Text backupTable() const { return joinTexts({backupFolderName(), "/", backupFileName()}); }
    // An empty, unprotected backup, last written `age` ago.
    void placeOldBackup(std::chrono::hours age) {
        std::filesystem::create_directories(backupPath().parent_path());
        ASSERT_TRUE(store_.createTable(backupTable(), logFields()).ok());
        makeOlder(age);
    }
    void makeOlder(std::chrono::hours age) {
        std::filesystem::last_write_time(backupPath(),
                                         std::filesystem::file_time_type::clock::now() - age);
    }
    bool backedUp() const {
        for (const std::string& m : messageTexts())
            if (m == "数据库已备份。") return true;
        return false;
    }
};

TEST_F(LogBackupTest, OnlyTheFirstExitOfTheDayBacksUp) {
    startUnlocked("pw", kUnsorted);
    const std::vector<LoggedDay> days = readLog("pw");
    closeWindow();
    EXPECT_TRUE(backedUp());
    EXPECT_EQ(readLog("pw", backupTable()), days);

    forgetDialogs();
    startWindow({"pw"});
    closeWindow();
    EXPECT_FALSE(backedUp());
}

TEST_F(LogBackupTest, YesterdaysBackupIsReplaced) {
    startUnlocked("pw", kUnsorted);
    placeOldBackup(std::chrono::hours(24));
    closeWindow();
    EXPECT_TRUE(backedUp());
    EXPECT_EQ(readLog("pw", backupTable()).size(), kUnsorted.size());
}

TEST_F(LogBackupTest, FileInThePlaceOfTheBackupIsLeftAloneAndTheFailureShown) {
    startUnlocked("pw", kUnsorted);
    std::filesystem::create_directories(backupPath().parent_path());
    writeBytes(backupPath(), "not a backup");
    makeOlder(std::chrono::hours(24));
    closeWindow();
    EXPECT_FALSE(backedUp());
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].icon, MessageIcon::Error);
    EXPECT_NE(messageTexts()[0].find("数据库备份失败"), std::string::npos) << messageTexts()[0];
    EXPECT_EQ(fileBytes(backupPath()), "not a backup");
}

TEST_F(LogBackupTest, TodaysBackupIsKept) {
    startUnlocked("pw", kUnsorted);
    placeOldBackup(std::chrono::hours(0));
    closeWindow();
    EXPECT_FALSE(backedUp());
    EXPECT_TRUE(readLog("", backupTable()).empty());
}

TEST_F(LogBackupTest, EmptyLogIsNeverBackedUp) {
    startUnlocked("pw");
    closeWindow();
    EXPECT_FALSE(backedUp());
    EXPECT_FALSE(std::filesystem::exists(backupPath().parent_path()));
}

}  // namespace
}  // namespace paylog
