// The operations of the record store and what each gives back.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "log/record_store.h"
#include "record_store_test_support.h"

namespace paylog::testing {
namespace {

const DateTime kJune23 = makeDateTime(2013, 6, 23);
const DateTime kJune24 = makeDateTime(2013, 6, 24);
const DateTime kJune25 = makeDateTime(2013, 6, 25);

// Where the salt and the nonce sit in a log file (see log/log_file.h).
std::string saltOf(const std::string& file) { return file.substr(32, 16); }
std::string nonceOf(const std::string& file) { return file.substr(48, 24); }

bool sameFields(const std::vector<FieldInfo>& a, const std::vector<FieldInfo>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].name != b[i].name || a[i].kind != b[i].kind) return false;
        if (a[i].kind == FieldKind::Text && a[i].maxLength != b[i].maxLength) return false;
    }
    return true;
}

// The "G1" values of a table from first to last record.
std::vector<int32_t> g1Column(RecordStore& store) {
    std::vector<int32_t> values;
    for (; !store.atEnd(); store.skipRecord()) values.push_back(store.readInt("G1"));
    return values;
}

// ---- createTable -----------------------------------------------------------

using CreateTableTest = StoreTest;

TEST_F(CreateTableTest, MakesAnEmptyUnprotectedTableAndLeavesItClosed) {
    const StoreResult created = store().createTable(gbk("加班"), logFields());
    ASSERT_TRUE(created) << created.detail;
    EXPECT_FALSE(store().isOpen());
    EXPECT_TRUE(fs::exists(logPath()));

    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    EXPECT_EQ(store().recordCount(), 0);
    EXPECT_TRUE(sameFields(store().fields(), logFields()));
}

TEST_F(CreateTableTest, ReplacesAnExistingTableWithItsRecordsAndPassword) {
    makeLog(store(), {entry(kJune23, 2), entry(kJune24, 3)}, gbk("密码"));
    ASSERT_TRUE(store().createTable(gbk("加班"), logFields()));
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    EXPECT_EQ(store().recordCount(), 0);
}

TEST_F(CreateTableTest, ReplacesEvenAFileThatIsNotALog) {
    writeBytes(logPath(), "some other program's file");
    ASSERT_TRUE(store().createTable(gbk("加班"), logFields()));
    EXPECT_TRUE(store().openTable(gbk("加班"), ""));
}

struct BadFieldList {
    const char* name;
    std::vector<FieldInfo> fields;
};

class CreateTableBadFieldsTest : public StoreTest,
                                 public ::testing::WithParamInterface<BadFieldList> {};

TEST_P(CreateTableBadFieldsTest, IsRefusedAndWritesNothing) {
    const StoreResult result = store().createTable("t", GetParam().fields);
    EXPECT_EQ(result.status, StoreStatus::BadArgument);
    EXPECT_FALSE(result.detail.empty());
    EXPECT_TRUE(entriesOf(dir()).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Lists, CreateTableBadFieldsTest,
    ::testing::Values(BadFieldList{"NoField", {}},
                      BadFieldList{"EmptyName", {{"", FieldKind::Integer}}},
                      BadFieldList{"NameOf17Bytes", {{std::string(17, 'n'), FieldKind::Integer}}},
                      BadFieldList{"NamesEqualIgnoringCase",
                                   {{"G1", FieldKind::Integer}, {"g1", FieldKind::Text}}},
                      BadFieldList{"TextOfZeroBytes", {{"remark", FieldKind::Text, 0}}},
                      BadFieldList{"TextOf1025Bytes", {{"remark", FieldKind::Text, 1025}}},
                      BadFieldList{"UnknownKind", {{"x", static_cast<FieldKind>(7)}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CreateTableTest, AcceptsTheLongestNamesAndTexts) {
    const std::vector<FieldInfo> fields = {{std::string(16, 'n'), FieldKind::Text, 1024},
                                           {"x", FieldKind::Text, 1}};
    ASSERT_TRUE(store().createTable("t", fields));
    ASSERT_TRUE(store().openTable("t", ""));
    EXPECT_TRUE(sameFields(store().fields(), fields));
}

// "\x81\x41" and "\x81\x61" are two GBK characters whose second bytes look
// like 'A' and 'a': folding them would merge two different names.
TEST_F(CreateTableTest, SecondByteOfAGbkCharacterIsNeverFolded) {
    ASSERT_TRUE(store().createTable(
        "t", {{"\x81\x41", FieldKind::Integer}, {"\x81\x61", FieldKind::Integer}}));
    ASSERT_TRUE(store().openTable("t", ""));
    ASSERT_TRUE(store().addRecord({int32_t{1}, int32_t{2}}));
    EXPECT_EQ(store().readInt("\x81\x41"), 1);
    EXPECT_EQ(store().readInt("\x81\x61"), 2);
}

TEST_F(CreateTableTest, OpenTablesOwnFileIsNotReplaced) {
    makeLog(store(), {entry(kJune23, 2)});
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    EXPECT_EQ(store().createTable(gbk("加班"), logFields()).status, StoreStatus::AlreadyOpen);
    EXPECT_EQ(store().recordCount(), 1);
    EXPECT_TRUE(store().createTable(gbk("临时加班"), logFields()));  // another table is fine
}

TEST_F(CreateTableTest, MissingFolderIsAnIoError) {
    const StoreResult result = store().createTable("no-such-folder/t", logFields());
    EXPECT_EQ(result.status, StoreStatus::IoError);
    EXPECT_FALSE(result.detail.empty());
}

// ---- openTable and closeTable -----------------------------------------------

using OpenTableTest = StoreTest;

TEST_F(OpenTableTest, MissingTableLeavesNoTrace) {
    EXPECT_EQ(store().openTable(gbk("加班"), "").status, StoreStatus::Missing);
    EXPECT_FALSE(store().isOpen());
    EXPECT_TRUE(entriesOf(dir()).empty());
}

TEST_F(OpenTableTest, OneTableAtATime) {
    makeLog(store(), {});
    ASSERT_TRUE(store().createTable("other", logFields()));
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    EXPECT_EQ(store().openTable(gbk("加班"), "").status, StoreStatus::AlreadyOpen);
    EXPECT_EQ(store().openTable("other", "").status, StoreStatus::AlreadyOpen);
    store().closeTable();
    EXPECT_TRUE(store().openTable("other", ""));
}

TEST_F(OpenTableTest, CursorStartsOnTheFirstRecord) {
    makeLog(store(), {entry(kJune23, 1), entry(kJune24, 2), entry(kJune25, 3)});
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    EXPECT_EQ(store().recordCount(), 3);
    EXPECT_EQ(store().readDate(gbk("日期")), kJune23);
    EXPECT_EQ(g1Column(store()), (std::vector<int32_t>{1, 2, 3}));
}

struct PasswordCase {
    const char* name;
    const char* tablePassword;  // UTF-8; empty: unprotected
    const char* typed;
    StoreStatus expected;
};

class OpenTablePasswordTest : public StoreTest,
                              public ::testing::WithParamInterface<PasswordCase> {};

TEST_P(OpenTablePasswordTest, OpensOnlyWithTheTablesOwnPassword) {
    makeLog(store(), {entry(kJune23, 8)}, gbk(GetParam().tablePassword));
    const StoreResult result = store().openTable(gbk("加班"), gbk(GetParam().typed));
    EXPECT_EQ(result.status, GetParam().expected) << result.detail;
    EXPECT_EQ(store().isOpen(), GetParam().expected == StoreStatus::Ok);
    EXPECT_EQ(store().recordCount(), GetParam().expected == StoreStatus::Ok ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenTablePasswordTest,
    ::testing::Values(
        PasswordCase{"ProtectedRightPassword", "秘密", "秘密", StoreStatus::Ok},
        PasswordCase{"ProtectedEmptyEntry", "秘密", "", StoreStatus::WrongPassword},
        PasswordCase{"ProtectedLongerEntry", "秘密", "秘密x", StoreStatus::WrongPassword},
        PasswordCase{"ProtectedPrefixEntry", "秘密", "秘", StoreStatus::WrongPassword},
        PasswordCase{"ProtectedOtherCase", "Secret", "secret", StoreStatus::WrongPassword},
        PasswordCase{"UnprotectedEmptyEntry", "", "", StoreStatus::Ok},
        PasswordCase{"UnprotectedAnyOtherEntry", "", "x", StoreStatus::WrongPassword}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OpenTableTest, EmptyNameIsRefused) {
    EXPECT_EQ(store().openTable("", "").status, StoreStatus::BadArgument);
}

TEST_F(OpenTableTest, ClosedStoreHasNothingToShow) {
    makeLog(store(), {entry(kJune23, 8)});
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    store().closeTable();
    EXPECT_FALSE(store().isOpen());
    EXPECT_EQ(store().recordCount(), 0);
    EXPECT_TRUE(store().atEnd());
    EXPECT_FALSE(store().readField(gbk("日期")));
    EXPECT_FALSE(store().readField(1));
    EXPECT_TRUE(store().fields().empty());
}

// ---- the cursor and reading --------------------------------------------------

using ReadFieldTest = StoreTest;

TEST_F(ReadFieldTest, NamesIgnoreAsciiLetterCase) {
    makeLog(store(), {entry(kJune23, 7)});
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    EXPECT_EQ(store().readInt("g1"), 7);
    EXPECT_EQ(store().readInt("G1"), 7);
}

TEST_F(ReadFieldTest, NumbersCountFromOne) {
    makeLog(store(), {entry(kJune23, 7, gbk("早班"))});
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    EXPECT_EQ(store().readField(1), FieldValue{kJune23});
    EXPECT_EQ(store().readField(2), FieldValue{int32_t{7}});
    EXPECT_EQ(store().readField(7), FieldValue{gbk("早班")});
    EXPECT_FALSE(store().readField(0));
    EXPECT_FALSE(store().readField(11));
}

TEST_F(ReadFieldTest, UnknownNameIsTheCallersError) {
    makeLog(store(), {entry(kJune23, 7)});
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    EXPECT_FALSE(store().readField("G4"));
    EXPECT_EQ(store().readInt("G4"), 0);
}

TEST_F(ReadFieldTest, PastTheEndEveryKindReadsAsZero) {
    makeLog(store(), {entry(kJune23, 7, gbk("早班"))});
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    store().skipRecord();
    store().skipRecord();  // stays past the end
    EXPECT_TRUE(store().atEnd());
    EXPECT_EQ(store().readField(gbk("日期")), FieldValue{DateTime{0}});
    EXPECT_EQ(store().readField("G1"), FieldValue{int32_t{0}});
    EXPECT_EQ(store().readField(gbk("备注")), FieldValue{Text{}});
}

TEST_F(ReadFieldTest, LastRecordOfAnEmptyTableIsPastTheEnd) {
    makeLog(store(), {});
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    store().goToLastRecord();
    EXPECT_TRUE(store().atEnd());
    EXPECT_EQ(store().readDate(gbk("日期")), 0.0);
}

TEST_F(ReadFieldTest, LastRecordIsTheLastInStoredOrder) {
    makeLog(store(), {entry(kJune25, 1), entry(kJune23, 2)});
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    store().goToLastRecord();
    EXPECT_EQ(store().readDate(gbk("日期")), kJune23);
    EXPECT_FALSE(store().atEnd());
}

TEST_F(ReadFieldTest, TypedReadersGiveZeroForAnotherKind) {
    makeLog(store(), {entry(kJune23, 7, gbk("早班"))});
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    EXPECT_EQ(store().readDate("G1"), 0.0);
    EXPECT_EQ(store().readInt(gbk("备注")), 0);
    EXPECT_EQ(store().readText(gbk("日期")), "");
    EXPECT_EQ(store().readText(gbk("备注")), gbk("早班"));
}

// ---- addRecord ---------------------------------------------------------------

using AddRecordTest = StoreTest;

TEST_F(AddRecordTest, OmittedFieldsAreZero) {
    makeLog(store(), {});
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    ASSERT_TRUE(store().addRecord({kJune23, std::nullopt, int32_t{4}}));
    EXPECT_EQ(store().readDate(gbk("日期")), kJune23);
    EXPECT_EQ(store().readField("G1"), FieldValue{int32_t{0}});
    EXPECT_EQ(store().readInt("G2"), 4);
    EXPECT_EQ(store().readField(gbk("备注")), FieldValue{Text{}});
    EXPECT_EQ(store().readField(gbk("旷工")), FieldValue{int32_t{0}});
}

TEST_F(AddRecordTest, TextsAreCutToTheirMaximumInBytes) {
    makeLog(store(), {});
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    const Text remark = gbk("一二三四五六七八九十甲");  // 22 bytes
    Values values = entry(kJune23, 0, remark);
    values[7] = gbk("星期三");
    ASSERT_TRUE(store().addRecord(values));
    EXPECT_EQ(store().readText(gbk("备注")), remark.substr(0, 20));
    EXPECT_EQ(store().readText(gbk("星期")), gbk("星期三"));  // exactly 6 bytes stays
    values[7] = gbk("星期三") + "x";
    ASSERT_TRUE(store().addRecord(values));
    EXPECT_EQ(store().readText(gbk("星期")), gbk("星期三"));
}

TEST_F(AddRecordTest, NewRecordBecomesCurrentAndIsSavedAtOnce) {
    makeLog(store(), {entry(kJune23, 1)});
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    ASSERT_TRUE(store().addRecord(entry(kJune24, 2)));
    EXPECT_EQ(store().readInt("G1"), 2);
    EXPECT_EQ(store().recordCount(), 2);

    // The file already holds it while the table is still open.
    fs::copy_file(logPath(), dir() / "copy.EDB");
    RecordStore other(dir(), KdfLimits::forTests());
    ASSERT_TRUE(other.openTable("copy", ""));
    EXPECT_EQ(other.recordCount(), 2);
    other.goToLastRecord();
    EXPECT_EQ(other.readDate(gbk("日期")), kJune24);
}

struct BadValues {
    const char* name;
    Values values;
};

class AddRecordBadValuesTest : public StoreTest, public ::testing::WithParamInterface<BadValues> {};

TEST_P(AddRecordBadValuesTest, IsRefusedAndNothingChanges) {
    makeLog(store(), {entry(kJune23, 1)});
    const std::string before = readBytes(logPath());
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    EXPECT_EQ(store().addRecord(GetParam().values).status, StoreStatus::BadArgument);
    EXPECT_EQ(store().recordCount(), 1);
    EXPECT_EQ(store().readDate(gbk("日期")), kJune23);
    EXPECT_EQ(readBytes(logPath()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Values, AddRecordBadValuesTest,
    ::testing::Values(BadValues{"TextForADate", {Text("2013-06-23")}},
                      BadValues{"DateForAnInteger", {kJune23, kJune23}},
                      BadValues{"IntegerForAText",
                                {kJune23, int32_t{1}, int32_t{0}, int32_t{0}, int32_t{0},
                                 int32_t{0}, int32_t{5}}},
                      BadValues{"DateNotANumber", {std::numeric_limits<double>::quiet_NaN()}},
                      BadValues{"DateInfinite", {std::numeric_limits<double>::infinity()}},
                      BadValues{"ElevenValues", Values(11, std::nullopt)}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- deleteCurrentRecord and purgeDeletedRecords ---------------------------------

using DeleteRecordTest = StoreTest;

TEST_F(DeleteRecordTest, PurgeRemovesTheMarkedRecordsAndSaves) {
    makeLog(store(), {entry(kJune23, 1), entry(kJune24, 2), entry(kJune25, 3)});
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    store().goToLastRecord();
    store().deleteCurrentRecord();
    EXPECT_EQ(store().recordCount(), 3);  // only marked so far
    ASSERT_TRUE(store().purgeDeletedRecords());
    EXPECT_EQ(store().recordCount(), 2);
    EXPECT_TRUE(store().atEnd());  // its record is gone; nothing follows
    store().closeTable();

    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    EXPECT_EQ(g1Column(store()), (std::vector<int32_t>{1, 2}));
}

TEST_F(DeleteRecordTest, CursorMovesToTheRecordAfterARemovedOne) {
    makeLog(store(), {entry(kJune23, 1), entry(kJune24, 2), entry(kJune25, 3)});
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    store().deleteCurrentRecord();  // the first
    store().skipRecord();
    store().skipRecord();
    ASSERT_TRUE(store().purgeDeletedRecords());
    EXPECT_EQ(store().readInt("G1"), 3);  // still on its record
}

TEST_F(DeleteRecordTest, PastTheEndNothingIsMarked) {
    makeLog(store(), {entry(kJune23, 1)});
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    store().skipRecord();
    store().deleteCurrentRecord();
    ASSERT_TRUE(store().purgeDeletedRecords());
    EXPECT_EQ(store().recordCount(), 1);
}

TEST_F(DeleteRecordTest, MarksNotPurgedAreDroppedAtClose) {
    makeLog(store(), {entry(kJune23, 1)});
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    store().deleteCurrentRecord();
    store().closeTable();
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    ASSERT_TRUE(store().purgeDeletedRecords());
    EXPECT_EQ(store().recordCount(), 1);
}

// ---- clearTable ------------------------------------------------------------------

TEST_F(StoreTest, ClearTableKeepsFieldsAndPassword) {
    makeLog(store(), {entry(kJune23, 1), entry(kJune24, 2)}, gbk("密码"));
    ASSERT_TRUE(store().openTable(gbk("加班"), gbk("密码")));
    ASSERT_TRUE(store().clearTable());
    EXPECT_EQ(store().recordCount(), 0);
    EXPECT_TRUE(store().atEnd());
    store().closeTable();

    EXPECT_EQ(store().openTable(gbk("加班"), "").status, StoreStatus::WrongPassword);
    ASSERT_TRUE(store().openTable(gbk("加班"), gbk("密码")));
    EXPECT_EQ(store().recordCount(), 0);
    EXPECT_TRUE(sameFields(store().fields(), logFields()));
}

// ---- sortTableInto and copyRecordsInto -------------------------------------------

using SortTableTest = StoreTest;

TEST_F(SortTableTest, WritesAscendingDatesWithFieldsAndPasswordAndLeavesTheSourceAlone) {
    // Two entries share a date: they keep their stored order (G1 2 before 4).
    makeLog(
        store(),
        {entry(kJune25, 1), entry(kJune23, 2), entry(kJune24, 3), entry(kJune23, 4, gbk("早班"))},
        gbk("密码"));
    const std::string sourceBefore = readBytes(logPath());
    ASSERT_TRUE(store().openTable(gbk("加班"), gbk("密码")));
    ASSERT_TRUE(store().sortTableInto(gbk("临时加班"), gbk("日期")));
    EXPECT_EQ(g1Column(store()), (std::vector<int32_t>{1, 2, 3, 4}));  // source order in memory
    store().closeTable();
    EXPECT_EQ(readBytes(logPath()), sourceBefore);

    EXPECT_EQ(store().openTable(gbk("临时加班"), "").status, StoreStatus::WrongPassword);
    ASSERT_TRUE(store().openTable(gbk("临时加班"), gbk("密码")));
    EXPECT_TRUE(sameFields(store().fields(), logFields()));
    EXPECT_EQ(g1Column(store()), (std::vector<int32_t>{2, 4, 3, 1}));
    store().closeTable();
    ASSERT_TRUE(store().openTable(gbk("临时加班"), gbk("密码")));
    store().skipRecord();
    EXPECT_EQ(store().readText(gbk("备注")), gbk("早班"));  // whole records move
}

TEST_F(SortTableTest, TextsSortByteWiseAndIntegersBySign) {
    makeLog(store(), {entry(kJune23, 5, "b"), entry(kJune24, -3, "B"), entry(kJune25, 0, "ab")});
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    ASSERT_TRUE(store().sortTableInto("by-remark", gbk("备注")));
    ASSERT_TRUE(store().sortTableInto("by-g1", "g1"));
    store().closeTable();

    ASSERT_TRUE(store().openTable("by-remark", ""));
    EXPECT_EQ(g1Column(store()), (std::vector<int32_t>{-3, 0, 5}));  // "B" < "ab" < "b"
    store().closeTable();
    ASSERT_TRUE(store().openTable("by-g1", ""));
    EXPECT_EQ(g1Column(store()), (std::vector<int32_t>{-3, 0, 5}));
}

TEST_F(SortTableTest, ReplacesAnEarlierTarget) {
    makeLog(store(), {entry(kJune24, 1), entry(kJune23, 2)});
    ASSERT_TRUE(store().createTable(gbk("临时加班"), {{"other", FieldKind::Integer}}));
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    ASSERT_TRUE(store().sortTableInto(gbk("临时加班"), gbk("日期")));
    store().closeTable();
    ASSERT_TRUE(store().openTable(gbk("临时加班"), ""));
    EXPECT_TRUE(sameFields(store().fields(), logFields()));
    EXPECT_EQ(g1Column(store()), (std::vector<int32_t>{2, 1}));
}

TEST_F(SortTableTest, RefusesItsOwnFileAnUnknownFieldAndAForeignFile) {
    makeLog(store(), {entry(kJune24, 1), entry(kJune23, 2)});
    writeBytes(dir() / "notes.txt", "the user's own notes");
    const std::string before = readBytes(logPath());
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    EXPECT_EQ(store().sortTableInto(gbk("加班.edb"), gbk("日期")).status, StoreStatus::BadArgument);
    EXPECT_EQ(store().sortTableInto(gbk("临时加班"), "G9").status, StoreStatus::BadArgument);
    EXPECT_EQ(store().sortTableInto("notes.txt", gbk("日期")).status, StoreStatus::NotALog);
    EXPECT_EQ(readBytes(dir() / "notes.txt"), "the user's own notes");
    EXPECT_EQ(readBytes(logPath()), before);
    EXPECT_FALSE(fs::exists(dir() / utf8(gbk("临时加班.EDB"))));
}

TEST_F(StoreTest, CopyKeepsStoredOrderAndPasswordInAnotherFolder) {
    makeLog(store(), {entry(kJune25, 1), entry(kJune23, 2)}, gbk("密码"));
    fs::create_directory(dir() / "数据库备份");
    const fs::path backup = dir() / "数据库备份" / "加班备份.edb";
    ASSERT_TRUE(store().openTable(gbk("加班"), gbk("密码")));
    ASSERT_TRUE(store().copyRecordsInto(gbk(backup.string())));
    store().closeTable();

    ASSERT_TRUE(store().openTable(gbk(backup.string()), gbk("密码")));
    EXPECT_EQ(g1Column(store()), (std::vector<int32_t>{1, 2}));
}

TEST_F(StoreTest, CopyIntoAMissingFolderFails) {
    makeLog(store(), {entry(kJune23, 1)});
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    EXPECT_EQ(store().copyRecordsInto(gbk("数据库备份/加班备份.edb")).status, StoreStatus::IoError);
}

// ---- setTablePassword --------------------------------------------------------------

using SetPasswordTest = StoreTest;

TEST_F(SetPasswordTest, ProtectsTheFileAtOnce) {
    makeLog(store(), {entry(kJune23, 1)});
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    ASSERT_TRUE(store().setTablePassword(gbk("新密码")));

    fs::copy_file(logPath(), dir() / "copy.EDB");  // as it is now, still open
    RecordStore other(dir(), KdfLimits::forTests());
    EXPECT_EQ(other.openTable("copy", "").status, StoreStatus::WrongPassword);
    ASSERT_TRUE(other.openTable("copy", gbk("新密码")));
    EXPECT_EQ(other.recordCount(), 1);
}

TEST_F(SetPasswordTest, EmptyPasswordRemovesTheProtection) {
    makeLog(store(), {entry(kJune23, 1)}, gbk("旧"));
    ASSERT_TRUE(store().openTable(gbk("加班"), gbk("旧")));
    ASSERT_TRUE(store().setTablePassword(""));
    store().closeTable();
    EXPECT_EQ(store().openTable(gbk("加班"), gbk("旧")).status, StoreStatus::WrongPassword);
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    EXPECT_EQ(store().recordCount(), 1);
}

TEST_F(SetPasswordTest, NewSaltOnlyWhenThePasswordChangesAndANewNonceEverySave) {
    makeLog(store(), {}, gbk("甲"));
    const std::string first = readBytes(logPath());
    ASSERT_TRUE(store().openTable(gbk("加班"), gbk("甲")));

    ASSERT_TRUE(store().addRecord(entry(kJune23, 1)));
    const std::string second = readBytes(logPath());
    EXPECT_EQ(saltOf(second), saltOf(first));
    EXPECT_NE(nonceOf(second), nonceOf(first));

    ASSERT_TRUE(store().setTablePassword(gbk("甲")));  // the same password again
    const std::string third = readBytes(logPath());
    EXPECT_EQ(saltOf(third), saltOf(first));
    EXPECT_NE(nonceOf(third), nonceOf(second));

    ASSERT_TRUE(store().setTablePassword(gbk("乙")));
    const std::string fourth = readBytes(logPath());
    EXPECT_NE(saltOf(fourth), saltOf(first));
    store().closeTable();
    EXPECT_EQ(store().openTable(gbk("加班"), gbk("甲")).status, StoreStatus::WrongPassword);
    EXPECT_TRUE(store().openTable(gbk("加班"), gbk("乙")));
}

// ---- read-only opens and operations without an open table ----------------------------

// Each writing operation, run on the store's open table (if any).
struct WritingOperation {
    const char* name;
    StoreResult (*run)(RecordStore&);
};

const WritingOperation kWritingOperations[] = {
    {"AddRecord", [](RecordStore& s) { return s.addRecord(entry(kJune25, 9)); }},
    {"PurgeDeletedRecords",
     [](RecordStore& s) {
         s.deleteCurrentRecord();
         return s.purgeDeletedRecords();
     }},
    {"ClearTable", [](RecordStore& s) { return s.clearTable(); }},
    {"SortTableInto", [](RecordStore& s) { return s.sortTableInto("sorted", gbk("日期")); }},
    {"CopyRecordsInto", [](RecordStore& s) { return s.copyRecordsInto("copy"); }},
    {"SetTablePassword", [](RecordStore& s) { return s.setTablePassword("pw"); }},
};

class WritingOperationTest : public StoreTest,
                             public ::testing::WithParamInterface<WritingOperation> {};

TEST_P(WritingOperationTest, ReadOnlyTableRefusesAndWritesNothing) {
    makeLog(store(), {entry(kJune23, 1), entry(kJune24, 2)});
    const std::string before = readBytes(logPath());
    ASSERT_TRUE(store().openTable(gbk("加班"), "", true));
    EXPECT_EQ(GetParam().run(store()).status, StoreStatus::ReadOnly);
    EXPECT_EQ(store().recordCount(), 2);
    store().closeTable();
    EXPECT_EQ(readBytes(logPath()), before);
    EXPECT_EQ(entriesOf(dir()).size(), 2u);  // the log and its lock file
}

TEST_P(WritingOperationTest, NothingOpenFails) {
    EXPECT_EQ(GetParam().run(store()).status, StoreStatus::NothingOpen);
    EXPECT_TRUE(entriesOf(dir()).empty());
}

INSTANTIATE_TEST_SUITE_P(Operations, WritingOperationTest, ::testing::ValuesIn(kWritingOperations),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StoreTest, ReadOnlyTableStillReads) {
    makeLog(store(), {entry(kJune23, 1), entry(kJune24, 2)});
    ASSERT_TRUE(store().openTable(gbk("加班"), "", true));
    EXPECT_EQ(g1Column(store()), (std::vector<int32_t>{1, 2}));
}

// ---- table names ---------------------------------------------------------------------

using TableNameTest = StoreTest;

TEST_F(TableNameTest, DefaultExtensionAndTheDataDirectory) {
    EXPECT_EQ(store().tablePath(gbk("加班")), dir() / utf8(gbk("加班.EDB")));
    EXPECT_EQ(store().tablePath("log.dat"), dir() / "log.dat");
    EXPECT_EQ(store().tablePath(gbk("数据库备份/加班备份")),
              dir() / utf8(gbk("数据库备份/加班备份.EDB")));
    EXPECT_EQ(store().tablePath("/var/tmp/x.edb"), fs::path("/var/tmp/x.edb"));
}

// On a case-sensitive file system "加班.EDB" and "加班.edb" must still be
// one table, never two.
TEST_F(TableNameTest, ExistingFileInAnotherLetterCaseIsTheSameTable) {
    makeLog(store(), {entry(kJune23, 1)});
    const fs::path lower = dir() / utf8(gbk("加班.edb"));
    fs::rename(logPath(), lower);

    EXPECT_EQ(store().tablePath(gbk("加班")), lower);
    ASSERT_TRUE(store().openTable(gbk("加班"), ""));
    ASSERT_TRUE(store().addRecord(entry(kJune24, 2)));
    store().closeTable();
    ASSERT_TRUE(store().openTable(gbk("加班.EdB"), ""));
    EXPECT_EQ(store().recordCount(), 2);
    store().closeTable();

    ASSERT_TRUE(store().createTable(gbk("加班"), logFields()));
    EXPECT_FALSE(fs::exists(logPath()));
    EXPECT_EQ(entriesOf(dir()),
              (std::vector<std::string>{utf8(gbk("加班.EDB.lock")), utf8(gbk("加班.edb"))}));
}

}  // namespace
}  // namespace paylog::testing
