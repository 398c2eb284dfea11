#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <ctime>

#include "core/date_time.h"
#include "core/safe_file.h"
#include "log/log_backup.h"
#include "tests/log/overtime_log_fixture.h"

namespace paylog {
namespace {

using paylog::PrintTo;

struct DayNumberCase {
    const char* name;
    DateTime x;
    int32_t day;
};

class BackupDayNumberTest : public ::testing::TestWithParam<DayNumberCase> {};

TEST_P(BackupDayNumberTest, IsYearMonthDay) {
    EXPECT_EQ(backupDayNumber(GetParam().x), GetParam().day);
}

INSTANTIATE_TEST_SUITE_P(
    Days, BackupDayNumberTest,
    ::testing::Values(
        DayNumberCase{"midsummer", makeDateTime(2013, 6, 23), 20130623},
        DayNumberCase{"late_evening", makeDateTime(2013, 6, 23, 23, 59, 59), 20130623},
        DayNumberCase{"two_digit_month_and_day", makeDateTime(2013, 12, 31), 20131231},
        DayNumberCase{"new_year", makeDateTime(2014, 1, 1), 20140101},
        DayNumberCase{"missing_file", kMinDateTime, 1000101}),
    [](const auto& info) { return std::string(info.param.name); });

struct DueCase {
    const char* name;
    int32_t records;
    DateTime written;
    bool due;
};

class ShouldBackupTest : public ::testing::TestWithParam<DueCase> {};

TEST_P(ShouldBackupTest, OncePerDayOfALogWithRecords) {
    const DateTime now = makeDateTime(2013, 6, 23, 18, 0);
    EXPECT_EQ(shouldBackup(GetParam().records, GetParam().written, now), GetParam().due);
}

INSTANTIATE_TEST_SUITE_P(
    Decisions, ShouldBackupTest,
    ::testing::Values(DueCase{"empty_log_never", 0, kMinDateTime, false},
                      DueCase{"no_backup_yet", 1, kMinDateTime, true},
                      DueCase{"written_yesterday_evening", 5, makeDateTime(2013, 6, 22, 23, 59),
                              true},
                      DueCase{"written_last_year_same_day", 5, makeDateTime(2012, 6, 23), true},
                      DueCase{"written_this_morning", 5, makeDateTime(2013, 6, 23, 0, 1), false},
                      DueCase{"written_tomorrow", 5, makeDateTime(2013, 6, 24), false}),
    [](const auto& info) { return std::string(info.param.name); });

std::time_t localTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900, t.tm_mon = month - 1, t.tm_mday = day;
    t.tm_hour = hour, t.tm_min = minute, t.tm_sec = second, t.tm_isdst = -1;
    return std::mktime(&t);
}

void setWriteTime(const std::filesystem::path& p, std::time_t when) {
    std::filesystem::last_write_time(
        p, std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(when)));
}

TEST_F(OvertimeLogTest, WriteTimeReadsAsLocalTime) {
    const auto file = dir_ / "stamp";
    std::ofstream(file) << "x";
    setWriteTime(file, localTime(2013, 6, 23, 8, 30, 5));
    EXPECT_EQ(fileWriteTime(file), makeDateTime(2013, 6, 23, 8, 30, 5));
    EXPECT_EQ(fileWriteTime(dir_ / "no such file"), kMinDateTime);
}

class BackupTest : public OvertimeLogTest {
  protected:
    void SetUp() override {
        OvertimeLogTest::SetUp();
        protect("pw");
    }
    void appendDay(int32_t day) {
        LogRecord r;
        r.date = makeDateTime(2013, 6, day);
        r.g1 = day;
        append({r}, "pw");
    }
    std::filesystem::path folder() const { return dir_ / "数据库备份"; }
    std::filesystem::path file() const { return folder() / "加班备份.edb"; }
    // The backup's records, read as a log of its own with the log's password.
    std::vector<int32_t> backupHours() {
        RecordStore backup(folder(), KdfLimits::forTests());
        std::vector<int32_t> hours;
        const StoreResult opened = backup.openTable(gbk("加班备份"), "pw", true);
        EXPECT_TRUE(opened.ok()) << opened.detail;
        if (!opened) return hours;
        EXPECT_EQ(backup.fields().size(), kLogFieldCount);
        for (int32_t i = backup.recordCount(); i > 0; --i, backup.skipRecord()) {
            hours.push_back(backup.readInt(fieldName(LogField::G1)));
        }
        backup.closeTable();
        return hours;
    }
};

TEST_F(BackupTest, EmptyLogIsNeverBackedUpAndMakesNoFolder) {
    const BackupResult result = backupLog(store(), "pw", systemDateTime());
    EXPECT_EQ(result.status, BackupStatus::NotDue);
    EXPECT_TRUE(result.report.message.empty());
    EXPECT_FALSE(std::filesystem::exists(folder()));
}

TEST_F(BackupTest, TwoExitsOnOneDayMakeOneBackup) {
    appendDay(3);
    const BackupResult first = backupLog(store(), "pw", systemDateTime());
    EXPECT_EQ(first.status, BackupStatus::BackedUp);
    EXPECT_EQ(first.report.message, gbk("数据库已备份。"));
    EXPECT_EQ(backupHours(), std::vector<int32_t>{3});

    appendDay(4);
    const BackupResult second = backupLog(store(), "pw", systemDateTime());
    EXPECT_EQ(second.status, BackupStatus::NotDue);
    EXPECT_TRUE(second.report.message.empty());
    EXPECT_EQ(backupHours(), std::vector<int32_t>{3});
}

TEST_F(BackupTest, YesterdaysBackupIsReplaced) {
    appendDay(3);
    ASSERT_EQ(backupLog(store(), "pw", systemDateTime()).status, BackupStatus::BackedUp);
    setWriteTime(file(), std::time(nullptr) - 24 * 60 * 60);
    appendDay(4);
    EXPECT_EQ(backupLog(store(), "pw", systemDateTime()).status, BackupStatus::BackedUp);
    EXPECT_EQ(backupHours(), (std::vector<int32_t>{3, 4}));
}

TEST_F(BackupTest, FileInPlaceOfTheFolderIsReportedAndLeftAlone) {
    appendDay(3);
    std::ofstream(folder()) << "not a folder";
    const BackupResult result = backupLog(store(), "pw", systemDateTime());
    EXPECT_EQ(result.status, BackupStatus::Failed);
    EXPECT_FALSE(result.report.ok());
    EXPECT_EQ(result.report.message.rfind(gbk("数据库备份失败！无法创建备份文件夹“数据库备份”"), 0),
              0u);
    EXPECT_TRUE(std::filesystem::is_regular_file(folder()));
}

TEST_F(BackupTest, FailedCopyKeepsTheGoodBackup) {
    appendDay(3);
    ASSERT_EQ(backupLog(store(), "pw", systemDateTime()).status, BackupStatus::BackedUp);
    setWriteTime(file(), std::time(nullptr) - 24 * 60 * 60);
    const std::vector<uint8_t> good = fileBytes(file());
    appendDay(4);

    RecordStore failing(dir_, KdfLimits::forTests(),
                        std::make_shared<FailingFileLayer>(FileOp::Write, 1, ENOSPC));
    const BackupResult result = backupLog(failing, "pw", systemDateTime());
    EXPECT_EQ(result.status, BackupStatus::Failed);
    EXPECT_EQ(result.report.store.status, StoreStatus::IoError);
    EXPECT_EQ(result.report.message.rfind(gbk("数据库备份失败！无法写入备份文件"), 0), 0u);
    EXPECT_EQ(fileBytes(file()), good);
    std::vector<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(folder())) {
        if (e.path().extension() != ".lock") left.push_back(e.path().filename().string());
    }
    EXPECT_EQ(left, std::vector<std::string>{"加班备份.edb"});
}

TEST_F(BackupTest, BackupWithWrongPasswordFailsAndWritesNothing) {
    appendDay(3);
    const BackupResult result = backupLog(store(), "guess", systemDateTime());
    EXPECT_EQ(result.status, BackupStatus::Failed);
    EXPECT_EQ(result.report.store.status, StoreStatus::WrongPassword);
    EXPECT_FALSE(std::filesystem::exists(folder()));
}

// Skips the syncs, which only slow the many saves below down; nothing here
// tests what survives a power cut.
class UnsyncedLayer : public FailingFileLayer {
  public:
    int fsync(int) override { return 0; }
    int fsyncDirectory(const std::filesystem::path&) override { return 0; }
};

// Yesterday's backup cut short, or with one byte flipped: the new backup
// replaces it when it is still recognisably this program's, else the file is
// left as it was with a message saying what to do. Either way the log itself
// is untouched. Every length and byte of the header is tried, then every
// 61st of the rest (each case rewrites files: thousands of them are slow on
// a disk).
TEST_F(BackupTest, DamagedBackupIsReplacedOrReportedButNeverCrashes) {
    appendDay(3);
    ASSERT_EQ(backupLog(store(), "pw", systemDateTime()).status, BackupStatus::BackedUp);
    const std::vector<uint8_t> good = fileBytes(file());
    appendDay(4);
    const std::vector<uint8_t> log = fileBytes(logPath());
    RecordStore unsynced(dir_, KdfLimits::forTests(), std::make_shared<UnsyncedLayer>());

    std::vector<std::vector<uint8_t>> damaged;
    for (size_t at = 0; at < good.size(); at += at < 128 ? 1 : 61) {
        damaged.emplace_back(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(at));
        damaged.push_back(good);
        damaged.back()[at] ^= 0x5a;
    }
    int replaced = 0;
    for (const std::vector<uint8_t>& bytes : damaged) {
        std::ofstream(file(), std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        setWriteTime(file(), std::time(nullptr) - 24 * 60 * 60);
        const BackupResult result = backupLog(unsynced, "pw", systemDateTime());
        if (result.status == BackupStatus::BackedUp) {
            ++replaced;
            continue;
        }
        ASSERT_EQ(result.status, BackupStatus::Failed) << bytes.size() << " bytes";
        EXPECT_EQ(result.report.message,
                  gbk("数据库备份失败！“数据库备份”文件夹中的“加班备份.edb”不是本程序的备份，"
                      "已保持原样未被改动；请将它移走或改名，下次关闭程序时会重新备份。"));
        ASSERT_EQ(fileBytes(file()), bytes);
    }
    EXPECT_GT(replaced, 0);
    EXPECT_EQ(fileBytes(logPath()), log);
    EXPECT_EQ(backupHours().size(), 2u);  // the last damaged copy was one it replaced
}

}  // namespace
}  // namespace paylog
