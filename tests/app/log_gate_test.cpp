// The password gate at start-up: the first start sets the password, every
// start asks for it, and a log file that cannot be read is reported and left
// alone instead of being asked for again and again.

#include <fstream>
#include <iterator>

#include "log_window_fixture.h"

namespace paylog {
namespace {

const char* const kSet = "请设置密码";
const char* const kConfirm = "确认密码";
const char* const kEnter = "请输入密码";
// The label start-up fills once the gate has passed.
const char* const kReached = "标签当前统计到的加班日期";
const char* const kEmptyLogLabel = "当前未加班或未记录加班！！！";

using Answers = std::deque<std::optional<Text>>;
using Titles = std::vector<std::string>;

class LogGateTest : public LogWindowTest {
  protected:
    bool startUpWentOn() const { return text(kReached) == kEmptyLogLabel; }
    bool everyInputMasked() const {
        for (const InputRequest& r : dialogs_.inputs)
            if (!r.password) return false;
        return true;
    }
};

struct FirstStartCase {
    const char* name;
    Answers answers;
    Titles asked;
    const char* opensWith;
    const char* refused;
};

class FirstStart : public LogGateTest, public ::testing::WithParamInterface<FirstStartCase> {};

TEST_P(FirstStart, SetsThePasswordThenAcceptsExactlyIt) {
    const FirstStartCase& c = GetParam();
    startWindow(c.answers);
    EXPECT_EQ(inputTitles(), c.asked);
    EXPECT_TRUE(everyInputMasked());
    EXPECT_TRUE(dialogs_.messages.empty());
    EXPECT_TRUE(startUpWentOn());
    closeWindow();
    EXPECT_EQ(openStatus(c.opensWith), StoreStatus::Ok);
    EXPECT_EQ(openStatus(c.refused), StoreStatus::WrongPassword);
    EXPECT_TRUE(readLog(c.opensWith).empty());
}

INSTANTIATE_TEST_SUITE_P(LogGate, FirstStart,
                         ::testing::Values(FirstStartCase{"ThreeDialogsInARow",
                                                          {"abc", "abc", "abc"},
                                                          {kSet, kConfirm, kEnter},
                                                          "abc",
                                                          ""},
                                           FirstStartCase{"WrongEntryAskedAgainSilently",
                                                          {"abc", "abc", "abd", "", "abc"},
                                                          {kSet, kConfirm, kEnter, kEnter, kEnter},
                                                          "abc",
                                                          "abd"},
                                           FirstStartCase{"EmptyPasswordOpensOnlyWithEmptyEntry",
                                                          {"", "", "x", ""},
                                                          {kSet, kConfirm, kEnter, kEnter},
                                                          "",
                                                          "x"},
                                           FirstStartCase{"CancelledSettingCountsAsEmpty",
                                                          {std::nullopt, std::nullopt, ""},
                                                          {kSet, kConfirm, kEnter},
                                                          "",
                                                          "x"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogGateTest, MismatchStopsThenNextStartAsksOnlyForThePasswordAndTakesTheEmptyOne) {
    startWindow({"abc", "abd"});
    EXPECT_EQ(inputTitles(), (Titles{kSet, kConfirm}));
    ASSERT_EQ(messageTexts(), Titles{"两次密码输入不一致！"});
    EXPECT_EQ(dialogs_.messages[0].icon, MessageIcon::Error);
    EXPECT_FALSE(startUpWentOn());
    closeWindow();
    forgetDialogs();

    startWindow({"abc", ""});
    EXPECT_EQ(inputTitles(), (Titles{kEnter, kEnter}));
    EXPECT_TRUE(startUpWentOn());
}

TEST_F(LogGateTest, ProtectedLogRefusesTheEmptyEntryUntilCancelled) {
    seedLog("pw", {});
    startWindow({"", "", std::nullopt});
    EXPECT_EQ(inputTitles(), (Titles{kEnter, kEnter, kEnter}));
    EXPECT_TRUE(dialogs_.messages.empty());
    EXPECT_FALSE(startUpWentOn());
}

TEST_F(LogGateTest, MissingLogIsCreatedAfreshWithANewPassword) {
    seedLog("old", {{makeDateTime(2013, 6, 3), LogField::G1, 2}});
    std::filesystem::remove(logPath());
    startWindow({"new", "new", "new"});
    EXPECT_EQ(inputTitles(), (Titles{kSet, kConfirm, kEnter}));
    EXPECT_TRUE(startUpWentOn());
    closeWindow();
    EXPECT_TRUE(readLog("new").empty());
}

std::string fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// Ways a log file can be unreadable, each made from a sound log.
struct UnreadableCase {
    const char* name;
    std::string (*spoil)(std::string sound);
};

class UnreadableLog : public LogGateTest, public ::testing::WithParamInterface<UnreadableCase> {};

TEST_P(UnreadableLog, IsNamedWithTheBackupFolderLeftUntouchedAndTheUserMayCancel) {
    seedLog("pw", {{makeDateTime(2013, 6, 3), LogField::G1, 2}});
    const std::string spoilt = GetParam().spoil(fileBytes(logPath()));
    writeBytes(logPath(), spoilt);

    startWindow({"pw", std::nullopt});
    EXPECT_EQ(inputTitles(), (Titles{kEnter, kEnter}));
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    const std::string message = messageTexts()[0];
    EXPECT_NE(message.find("加班.edb"), std::string::npos) << message;
    EXPECT_NE(message.find("数据库备份"), std::string::npos) << message;
    EXPECT_EQ(dialogs_.messages[0].icon, MessageIcon::Error);
    EXPECT_FALSE(startUpWentOn());
    closeWindow();
    EXPECT_EQ(fileBytes(logPath()), spoilt);
}

INSTANTIATE_TEST_SUITE_P(
    LogGate, UnreadableLog,
    ::testing::Values(
        UnreadableCase{"TruncatedLog", [](std::string s) { return s.substr(0, s.size() / 2); }},
        UnreadableCase{"FlippedByte",
                       [](std::string s) {
                           s[s.size() / 2] = static_cast<char>(s[s.size() / 2] ^ 0x01);
                           return s;
                       }},
        UnreadableCase{"ForeignFile",
                       [](std::string) { return std::string("not a log at all\n"); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace paylog
