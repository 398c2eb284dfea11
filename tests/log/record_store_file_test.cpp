// The log file on disk: what a password hides, what comes back, and how a
// damaged, foreign, newer or crafted file is told apart.

#include <gtest/gtest.h>
#include <sodium.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "log/key_cache.h"
#include "log/log_file.h"
#include "log/record_store.h"
#include "record_store_test_support.h"

namespace paylog::testing {
namespace {

// The file layout (log/log_file.h).
constexpr size_t kVersionAt = 8;
constexpr size_t kFlagsAt = 12;
constexpr size_t kOpsAt = 16;
constexpr size_t kMemAt = 24;
constexpr size_t kLengthAt = 72;
constexpr size_t kHeaderBytes = 80;
constexpr size_t kChecksumBytes = 32;

const DateTime kMorning = makeDateTime(2013, 6, 24, 8, 30);  // a time of day: stored as a double

void putLittleEndian(std::string& file, size_t at, uint64_t value, size_t bytes) {
    for (size_t i = 0; i < bytes; ++i) file[at + i] = static_cast<char>(value >> (8 * i));
}

// The checksum made good again after a change, as a crafted file would have.
void resealChecksum(std::string& file) {
    const size_t covered = file.size() - kChecksumBytes;
    crypto_generichash(reinterpret_cast<unsigned char*>(file.data()) + covered, kChecksumBytes,
                       reinterpret_cast<const unsigned char*>(file.data()), covered, nullptr, 0);
}

std::string bigEndianBytes(double value) {
    auto bits = std::bit_cast<uint64_t>(value);
    std::string bytes(8, '\0');
    for (int i = 7; i >= 0; --i, bits >>= 8) bytes[i] = static_cast<char>(bits & 0xFF);
    return bytes;
}

bool contains(const std::string& haystack, const std::string& needle) {
    return haystack.find(needle) != std::string::npos;
}

class StoreFileTest : public StoreTest {
  protected:
    // A small log: one entry with a remark, one with a time of day.
    void makeSmallLog(const Text& password) {
        Values morning = entry(kMorning, 3, gbk("早班加班"));
        morning[7] = gbk("星期一");
        makeLog(store(), {entry(makeDateTime(2013, 6, 23), 2, gbk("补班")), morning}, password);
    }

    StoreResult openLog(const Text& password = {}) {
        store().closeTable();
        return store().openTable(gbk("加班"), password);
    }
};

// ---- what a password hides -------------------------------------------------

TEST_F(StoreFileTest, WithoutThePasswordNothingOfTheContentIsInTheFile) {
    // The same patterns are plainly there in an unprotected file, so their
    // absence below means something.
    makeSmallLog({});
    const std::string plain = readBytes(logPath());
    const std::string patterns[] = {
        gbk("早班"),      gbk("补班"), gbk("星期一"), gbk("备注"), bigEndianBytes(kMorning),
        "SQLite format 3"};
    for (const std::string& pattern : patterns)
        ASSERT_TRUE(contains(plain, pattern)) << utf8(pattern);

    makeSmallLog(gbk("密码"));
    const std::string sealed = readBytes(logPath());
    for (const std::string& pattern : patterns)
        EXPECT_FALSE(contains(sealed, pattern)) << utf8(pattern);
}

TEST_F(StoreFileTest, WithThePasswordEveryFieldComesBackByteForByte) {
    const std::vector<Values> records = {
        {kMinDateTime, std::numeric_limits<int32_t>::min(), int32_t{-1}, int32_t{0}, int32_t{1},
         std::numeric_limits<int32_t>::max(), Text(20, '\xFE'), gbk("星期六"), int32_t{1},
         int32_t{8}},
        {kMaxDateTime, int32_t{10}, int32_t{0}, int32_t{0}, int32_t{0}, int32_t{0},
         // NUL bytes, and GBK second bytes that look like ASCII letters.
         std::string("a\0b\x81\x41\x81\x61 ", 8), Text{}, int32_t{0}, int32_t{0}},
        {kMorning + 1.0 / 86400, int32_t{0}, int32_t{0}, int32_t{0}, int32_t{0}, int32_t{0},
         gbk("早班"), gbk("星期一"), int32_t{0}, int32_t{0}},
        {DateTime{0.5}, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
         std::nullopt, std::nullopt, std::nullopt, std::nullopt},
    };
    makeLog(store(), records, gbk("密码"));
    ASSERT_TRUE(openLog(gbk("密码")));
    ASSERT_EQ(store().recordCount(), static_cast<int32_t>(records.size()));
    for (size_t r = 0; r < records.size(); ++r, store().skipRecord()) {
        for (int32_t f = 1; f <= 10; ++f) {
            SCOPED_TRACE("record " + std::to_string(r + 1) + ", field " + std::to_string(f));
            const auto& given = records[r][static_cast<size_t>(f - 1)];
            const FieldValue expected = given ? *given : store().readField(f).value();
            const FieldValue read = store().readField(f).value();
            ASSERT_EQ(read.index(), expected.index());
            if (const auto* date = std::get_if<DateTime>(&expected)) {
                EXPECT_EQ(std::bit_cast<uint64_t>(std::get<DateTime>(read)),
                          std::bit_cast<uint64_t>(*date));
            } else {
                EXPECT_EQ(read, expected);
            }
        }
    }
}

// SQLite has no negative zero; the store keeps the same instant as +0 from
// the start, so what was read before and after a reopen agrees.
TEST_F(StoreFileTest, NegativeZeroDateIsKeptAsZero) {
    makeLog(store(), {});
    ASSERT_TRUE(openLog());
    ASSERT_TRUE(store().addRecord({DateTime{-0.0}}));
    EXPECT_FALSE(std::signbit(store().readDate(gbk("日期"))));
    ASSERT_TRUE(openLog());
    EXPECT_FALSE(std::signbit(store().readDate(gbk("日期"))));
    EXPECT_EQ(store().readDate(gbk("日期")), 0.0);
}

// ---- damage ----------------------------------------------------------------------

struct LogKind {
    const char* name;
    const char* password;
};

class StoreDamagedFileTest : public StoreFileTest, public ::testing::WithParamInterface<LogKind> {
  protected:
    void SetUp() override {
        StoreFileTest::SetUp();
        makeSmallLog(gbk(GetParam().password));
        sound_ = readBytes(logPath());
    }
    StoreStatus openBytes(const std::string& bytes) {
        writeBytes(logPath(), bytes);
        const StoreResult result = openLog(gbk(GetParam().password));
        store().closeTable();
        return result.status;
    }
    std::string sound_;
};

TEST_P(StoreDamagedFileTest, FlippedByteAnywhereIsDamaged) {
    for (size_t i = 0; i < sound_.size(); ++i) {
        std::string bytes = sound_;
        bytes[i] = static_cast<char>(bytes[i] ^ 0x10);
        const StoreStatus expected = i < 8 ? StoreStatus::NotALog : StoreStatus::Damaged;
        ASSERT_EQ(openBytes(bytes), expected) << "byte " << i << " of " << sound_.size();
    }
    EXPECT_EQ(openBytes(sound_), StoreStatus::Ok);
}

TEST_P(StoreDamagedFileTest, TruncationAtEveryLengthIsDamaged) {
    for (size_t length = 0; length < sound_.size(); ++length) {
        ASSERT_EQ(openBytes(sound_.substr(0, length)), StoreStatus::Damaged) << "cut to " << length;
    }
    EXPECT_EQ(openBytes(sound_ + "x"), StoreStatus::Damaged);
}

// A crafted header has a valid checksum (anyone can compute it), so every
// header value must be checked on its own.
TEST_P(StoreDamagedFileTest, CraftedHeaderValuesAreRefusedBeforeAnyWork) {
    struct Change {
        const char* what;
        size_t at;
        uint64_t value;
        size_t bytes;
    };
    const Change changes[] = {
        {"version 0", kVersionAt, 0, 4},
        {"unknown flag", kFlagsAt, std::string(GetParam().password).empty() ? 2u : 3u, 4},
        {"payload length", kLengthAt, sound_.size(), 8},
        {"ops limit in the billions", kOpsAt, uint64_t{1} << 32, 8},
        {"a terabyte of memory", kMemAt, uint64_t{1} << 40, 8},
    };
    for (const Change& change : changes) {
        std::string bytes = sound_;
        putLittleEndian(bytes, change.at, change.value, change.bytes);
        resealChecksum(bytes);
        EXPECT_EQ(openBytes(bytes), StoreStatus::Damaged) << change.what;
    }
}

TEST_P(StoreDamagedFileTest, NewerFormatIsToldApartFromDamage) {
    std::string bytes = sound_;
    putLittleEndian(bytes, kVersionAt, 2, 4);
    resealChecksum(bytes);
    EXPECT_EQ(openBytes(bytes), StoreStatus::NewerFormat);
}

INSTANTIATE_TEST_SUITE_P(Logs, StoreDamagedFileTest,
                         ::testing::Values(LogKind{"Unprotected", ""},
                                           LogKind{"Protected", "密码"}),
                         [](const auto& info) { return std::string(info.param.name); });

// With the checksum made good, a changed ciphertext is refused by the
// decryption: to the store it looks like a wrong password.
TEST_F(StoreFileTest, ChangedCiphertextWithAGoodChecksumIsRefused) {
    makeSmallLog(gbk("密码"));
    std::string bytes = readBytes(logPath());
    bytes[kHeaderBytes + 100] ^= 1;
    resealChecksum(bytes);
    writeBytes(logPath(), bytes);
    EXPECT_EQ(openLog(gbk("密码")).status, StoreStatus::WrongPassword);
}

// Every byte of an unprotected image changed, and the checksum made good:
// the store may open the table or call it damaged, but never crash, hang or
// hand out a value that does not fit its field.
TEST_F(StoreFileTest, CraftedImageNeverGivesAnUnfitRecord) {
    makeSmallLog({});
    const std::string sound = readBytes(logPath());
    int opened = 0;
    for (size_t i = kHeaderBytes; i < sound.size() - kChecksumBytes; ++i) {
        std::string bytes = sound;
        bytes[i] = static_cast<char>(bytes[i] ^ 0x5A);
        resealChecksum(bytes);
        writeBytes(logPath(), bytes);
        const StoreResult result = openLog();
        ASSERT_TRUE(result.ok() || result.status == StoreStatus::Damaged)
            << "byte " << i << ": " << result.detail;
        if (!result.ok()) continue;
        ++opened;
        for (; !store().atEnd(); store().skipRecord()) {
            for (size_t f = 0; f < store().fields().size(); ++f) {
                const FieldInfo& field = store().fields()[f];
                const FieldValue value = store().readField(static_cast<int32_t>(f + 1)).value();
                ASSERT_EQ(value.index(), static_cast<size_t>(field.kind)) << "byte " << i;
                if (field.kind == FieldKind::Text) {
                    ASSERT_LE(std::get<Text>(value).size(), size_t(field.maxLength));
                } else if (field.kind == FieldKind::DateTime) {
                    ASSERT_TRUE(std::isfinite(std::get<DateTime>(value)));
                }
            }
        }
    }
    EXPECT_GT(opened, 0);  // unused parts of the pages change nothing
}

// ---- foreign files and images -------------------------------------------------------

struct ForeignFile {
    const char* name;
    std::string bytes;
    StoreStatus expected;
};

class StoreForeignFileTest : public StoreFileTest,
                             public ::testing::WithParamInterface<ForeignFile> {};

TEST_P(StoreForeignFileTest, IsToldApart) {
    writeBytes(logPath(), GetParam().bytes);
    EXPECT_EQ(store().openTable(gbk("加班"), "").status, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Files, StoreForeignFileTest,
                         ::testing::Values(ForeignFile{"TextFile", "[工资总项目]\r\nkey=value\r\n",
                                                       StoreStatus::NotALog},
                                           ForeignFile{"SQLiteDatabase",
                                                       std::string("SQLite format 3\0", 16) +
                                                           std::string(4080, '\0'),
                                                       StoreStatus::NotALog},
                                           ForeignFile{"OneByte", "x", StoreStatus::NotALog},
                                           ForeignFile{"EmptyFile", "", StoreStatus::Damaged}),
                         [](const auto& info) { return std::string(info.param.name); });

// A sound SQLite image that is not a table of this program, wrapped in a
// sound file.
std::string imageFromSql(const char* sql) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_int64 size = 0;
    unsigned char* bytes = sqlite3_serialize(db, "main", &size, 0);
    std::string image(reinterpret_cast<char*>(bytes), static_cast<size_t>(size));
    sqlite3_free(bytes);
    sqlite3_close(db);
    return image;
}

// The field list as this program writes it, for hand-made images.
std::string withFieldsTable(const char* sql) {
    return std::string(
               "CREATE TABLE fields(position INTEGER PRIMARY KEY, name BLOB, kind INTEGER, "
               "max_length INTEGER);") +
           sql;
}

// A sound hand-made image opens: the cases below fail for their one defect.
TEST_F(StoreFileTest, HandMadeImageOfOneFieldOpens) {
    writeBytes(
        logPath(),
        encodeLogFile(
            imageFromSql(withFieldsTable("CREATE TABLE records(position INTEGER PRIMARY KEY, f1);"
                                         "INSERT INTO fields VALUES(1, x'4731', 2, 0);"
                                         "INSERT INTO records VALUES(1, 5);")
                             .c_str()),
            Protection{}));
    const StoreResult result = store().openTable(gbk("加班"), "");
    ASSERT_TRUE(result) << result.detail;
    EXPECT_EQ(store().readInt("G1"), 5);
}

struct StrangeImage {
    const char* name;
    std::string sql;
};

class StoreStrangeImageTest : public StoreFileTest,
                              public ::testing::WithParamInterface<StrangeImage> {};

TEST_P(StoreStrangeImageTest, IsDamaged) {
    writeBytes(logPath(), encodeLogFile(imageFromSql(GetParam().sql.c_str()), Protection{}));
    const StoreResult result = store().openTable(gbk("加班"), "");
    EXPECT_EQ(result.status, StoreStatus::Damaged) << result.detail;
}

INSTANTIATE_TEST_SUITE_P(
    Images, StoreStrangeImageTest,
    ::testing::Values(
        StrangeImage{"OtherTables", "CREATE TABLE accounts(id, balance);"},
        StrangeImage{"ExtraView",
                     withFieldsTable("CREATE TABLE records(position INTEGER PRIMARY KEY, f1);"
                                     "INSERT INTO fields VALUES(1, x'4731', 2, 0);"
                                     "CREATE VIEW v AS SELECT 1;")},
        StrangeImage{"NoFields",
                     withFieldsTable("CREATE TABLE records(position INTEGER PRIMARY KEY);")},
        StrangeImage{"TextLongerThanItsField",
                     withFieldsTable("CREATE TABLE records(position INTEGER PRIMARY KEY, f1);"
                                     "INSERT INTO fields VALUES(1, x'4731', 3, 2);"
                                     "INSERT INTO records VALUES(1, x'616263');")},
        StrangeImage{"IntegerBeyond32Bits",
                     withFieldsTable("CREATE TABLE records(position INTEGER PRIMARY KEY, f1);"
                                     "INSERT INTO fields VALUES(1, x'4731', 2, 0);"
                                     "INSERT INTO records VALUES(1, 4294967296);")},
        StrangeImage{"NullValue",
                     withFieldsTable("CREATE TABLE records(position INTEGER PRIMARY KEY, f1);"
                                     "INSERT INTO fields VALUES(1, x'4731', 2, 0);"
                                     "INSERT INTO records VALUES(1, NULL);")},
        StrangeImage{"TextAsSqlText",
                     withFieldsTable("CREATE TABLE records(position INTEGER PRIMARY KEY, f1);"
                                     "INSERT INTO fields VALUES(1, x'4731', 3, 20);"
                                     "INSERT INTO records VALUES(1, 'abc');")},
        StrangeImage{"MissingColumn",
                     withFieldsTable("CREATE TABLE records(position INTEGER PRIMARY KEY, f1);"
                                     "INSERT INTO fields VALUES(1, x'4731', 2, 0);"
                                     "INSERT INTO fields VALUES(2, x'4732', 2, 0);")},
        StrangeImage{"GapInFieldPositions",
                     withFieldsTable("CREATE TABLE records(position INTEGER PRIMARY KEY, f1, f2);"
                                     "INSERT INTO fields VALUES(1, x'4731', 2, 0);"
                                     "INSERT INTO fields VALUES(3, x'4732', 2, 0);")},
        StrangeImage{"UnknownKind",
                     withFieldsTable("CREATE TABLE records(position INTEGER PRIMARY KEY, f1);"
                                     "INSERT INTO fields VALUES(1, x'4731', 9, 0);")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StoreFileTest, FileLargerThanAnyLogIsNotRead) {
    writeBytes(logPath(), "");  // then made sparse and huge
    ASSERT_EQ(::truncate(logPath().c_str(), static_cast<off_t>(kMaxLogFileBytes) + 1), 0);
    EXPECT_EQ(store().openTable(gbk("加班"), "").status, StoreStatus::Damaged);
}

// ---- the key cache ----------------------------------------------------------------------

TEST(StoreKeyCacheTest, DerivesOncePerPasswordSaltAndCost) {
    ASSERT_TRUE(sodiumReady());
    KdfParams params{crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN, {}};
    randombytes_buf(params.salt.data(), params.salt.size());

    const auto key = keyFor("pw", params);
    ASSERT_TRUE(key);
    EXPECT_EQ(keyFor("pw", params), key);  // the same memory: no second derivation
    EXPECT_NE(keyFor("pw2", params), key);

    KdfParams dearer = params;
    dearer.opsLimit += 1;
    const auto dearerKey = keyFor("pw", dearer);
    ASSERT_TRUE(dearerKey);
    EXPECT_NE(std::memcmp(dearerKey->data(), key->data(), kKeyBytes), 0);

    forgetKeys(params.salt);
    const auto again = keyFor("pw", params);
    ASSERT_TRUE(again);
    EXPECT_NE(again, key);
    EXPECT_EQ(std::memcmp(again->data(), key->data(), kKeyBytes), 0);  // same derivation
}

TEST(StoreKeyCacheTest, CostBeyondTheBoundIsNotDerived) {
    KdfParams params{crypto_pwhash_OPSLIMIT_MIN, uint64_t{1} << 40, {}};
    EXPECT_FALSE(keyFor("pw", params));
    EXPECT_FALSE(kdfCostAllowed(0, crypto_pwhash_MEMLIMIT_MIN));
    EXPECT_TRUE(
        kdfCostAllowed(crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE));
}

}  // namespace
}  // namespace paylog::testing
