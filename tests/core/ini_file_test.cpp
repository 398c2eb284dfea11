#include "core/ini_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/safe_file.h"

namespace paylog {
namespace {

// GBK pairs whose second byte looks like ASCII: "\x81\x41" and "\x81\x61"
// differ only in what would be a letter's case, and "\x81\x5D" ends in ']'.
const Text kTrailA = "\x81\x41";
const Text kTrailLowerA = "\x81\x61";
const Text kTrailBracket = "\x81\x5D";

// --- reading ---------------------------------------------------------------

struct ReadCase {
    const char* name;
    Text ini;
    Text section;
    Text key;
    std::optional<Text> expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class IniRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniRead, FindsTheFirstValueOfItsSection) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(iniValue(c.ini, c.section, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniRead,
    ::testing::Values(
        ReadCase{"NoText", "", "S", "k", std::nullopt},
        ReadCase{"MissingSection", "[T]\nk=1\n", "S", "k", std::nullopt},
        ReadCase{"MissingKey", "[S]\nj=1\n", "S", "k", std::nullopt},
        ReadCase{"KeyOfAnotherSection", "[S]\nj=1\n[T]\nk=2\n", "S", "k", std::nullopt},
        ReadCase{"KeyBeforeAnySection", "k=0\n[S]\n", "S", "k", std::nullopt},
        ReadCase{"EmptyValueIsEmptyNotMissing", "[S]\nk=\n", "S", "k", ""},
        ReadCase{"BlanksAroundNamesAndValue", " [ S ] \n\t k \t= \t1 2 \t\n", "S", "k", "1 2"},
        ReadCase{"QuotesKeepInnerBlanks", "[S]\nk=\"  a  \"\n", "S", "k", "  a  "},
        ReadCase{"LoneQuoteStays", "[S]\nk=\"\n", "S", "k", "\""},
        ReadCase{"EqualsSignInValue", "[S]\nk=a=b\n", "S", "k", "a=b"},
        ReadCase{"SectionAndKeyIgnoreAsciiCase", "[sEcTiOn]\nKeY=1\n", "SECTION", "key", "1"},
        ReadCase{"GbkSecondByteIsNotFolded", "[S]\n" + kTrailLowerA + "=1\n", "S", kTrailA,
                 std::nullopt},
        ReadCase{"GbkSecondByteIsNotAClosingBracket", "[" + kTrailBracket + "]\nk=1\n",
                 kTrailBracket, "k", "1"},
        ReadCase{"ChineseNames", gbk("[工资总项目]\n夜班=白班\n"), gbk("工资总项目"), gbk("夜班"),
                 gbk("白班")},
        ReadCase{"FirstOfDuplicateKeysWins", "[S]\nk=1\nk=2\n", "S", "k", "1"},
        ReadCase{"SectionsOfOneNameCountAsOne", "[S]\nj=1\n[T]\nk=2\n[s]\nk=3\n", "S", "k", "3"},
        ReadCase{"CommentIsNoKey", "[S]\n;k=1\n#k=2\n", "S", "k", std::nullopt},
        ReadCase{"UnclosedBracketIsNoSection", "[S]\n[T\nk=1\n", "S", "k", "1"},
        ReadCase{"CrlfEndingIsNoPartOfTheValue", "[S]\r\nk=1\r\n", "S", "k", "1"},
        ReadCase{"LastLineWithoutEnding", "[S]\nk=1", "S", "k", "1"},
        ReadCase{"LastLineEndingInBareCr", "[S]\nk=1\r", "S", "k", "1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniReadMany, GivesEachMissingKeyItsFallbackInTheOrderAsked) {
    const Text ini = "[S]\nb=2\na=\n";
    const std::vector<IniKey> keys = {{"a", "x"}, {"b", "y"}, {"c", "z"}};
    EXPECT_EQ(iniValues(ini, "S", keys), (std::vector<Text>{"", "2", "z"}));
    EXPECT_EQ(iniValues(ini, "T", keys), (std::vector<Text>{"x", "y", "z"}));
}

TEST(IniReadMany, ReadsALongValueWhole) {
    const Text value(20000, '7');
    EXPECT_EQ(iniValue("[S]\nk=" + value + "\nj=1\n", "S", "k"), value);
}

// --- writing -------------------------------------------------------------

struct WriteCase {
    const char* name;
    Text before;
    Text section;
    std::vector<IniEntry> entries;
    Text after;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class IniWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniWrite, ChangesOnlyWhatItWrites) {
    const WriteCase& c = GetParam();
    Text ini = c.before;
    ASSERT_TRUE(setIniValues(ini, c.section, c.entries));
    EXPECT_EQ(ini, c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniWrite,
    ::testing::Values(
        WriteCase{
            "EmptyTextGetsSectionAndKeys", "", "S", {{"k", "1"}, {"j", ""}}, "[S]\nk=1\nj=\n"},
        WriteCase{"ReplacesOnlyTheValue",
                  "; note\r\n[T]\nk=0\n\n[S]\r\nx = y\n K = old\t\r\n# end\n",
                  "S",
                  {{"k", "new"}},
                  "; note\r\n[T]\nk=0\n\n[S]\r\nx = y\n K = new\r\n# end\n"},
        WriteCase{"EmptiesAValue", "[S]\nk=1\n", "S", {{"k", ""}}, "[S]\nk=\n"},
        WriteCase{"NewKeyFollowsTheLastEntryOfItsSection",
                  "[S]\na=1\n\n; next\n[T]\n",
                  "S",
                  {{"b", "2"}},
                  "[S]\na=1\nb=2\n\n; next\n[T]\n"},
        WriteCase{"NewKeyInAnEmptySection", "[S]\n[T]\n", "S", {{"b", "2"}}, "[S]\nb=2\n[T]\n"},
        WriteCase{"NewKeyGoesToTheFirstRunOfASplitSection",
                  "[S]\na=1\n[T]\n[S]\nc=3\n",
                  "S",
                  {{"b", "2"}},
                  "[S]\na=1\nb=2\n[T]\n[S]\nc=3\n"},
        WriteCase{"NewSectionFollowsTheFileCrlfStyle",
                  "[T]\r\nk=0\r\n",
                  "S",
                  {{"k", "1"}},
                  "[T]\r\nk=0\r\n[S]\r\nk=1\r\n"},
        WriteCase{"LastLineWithoutEndingGetsOneBeforeANewLine",
                  "[S]\r\na=1",
                  "S",
                  {{"b", "2"}},
                  "[S]\r\na=1\r\nb=2\r\n"},
        WriteCase{
            "LastLineWithoutEndingStaysSoWhenReplaced", "[S]\na=1", "S", {{"a", "2"}}, "[S]\na=2"},
        WriteCase{"FirstOfDuplicateKeysIsReplaced",
                  "[S]\nk=1\nk=2\n",
                  "S",
                  {{"k", "3"}},
                  "[S]\nk=3\nk=2\n"},
        WriteCase{
            "KeyKeepsItsSpellingInTheFile", "[s]\nKEY=1\n", "S", {{"key", "2"}}, "[s]\nKEY=2\n"},
        WriteCase{"ValueWithOuterBlanksIsQuoted", "", "S", {{"k", " a "}}, "[S]\nk=\" a \"\n"},
        WriteCase{"QuotedLookingValueIsQuoted", "", "S", {{"k", "\"a\""}}, "[S]\nk=\"\"a\"\"\n"},
        WriteCase{
            "KeyNamedTwiceEndsWithTheLastValue", "", "S", {{"k", "1"}, {"K", "2"}}, "[S]\nk=2\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusedCase {
    const char* name;
    Text section;
    IniEntry entry;
    IniStatus status;
};

void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }

class IniWriteRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(IniWriteRefused, ChangesNothingWhenOneEntryCannotBeStored) {
    const RefusedCase& c = GetParam();
    const Text before = "[S]\nk=1\n";
    Text ini = before;
    const std::vector<IniEntry> entries = {{"k", "2"}, c.entry};
    EXPECT_EQ(setIniValues(ini, c.section, entries).status, c.status);
    EXPECT_EQ(ini, before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniWriteRefused,
    ::testing::Values(
        RefusedCase{"ValueWithLineFeed", "S", {"j", "a\nb=c"}, IniStatus::BadValue},
        RefusedCase{"ValueWithCarriageReturn", "S", {"j", "a\r"}, IniStatus::BadValue},
        RefusedCase{"EmptyKey", "S", {"", "1"}, IniStatus::BadName},
        RefusedCase{"KeyWithEquals", "S", {"a=b", "1"}, IniStatus::BadName},
        RefusedCase{"KeyWithOuterBlank", "S", {" a", "1"}, IniStatus::BadName},
        RefusedCase{"KeyLikeASection", "S", {"[a]", "1"}, IniStatus::BadName},
        RefusedCase{"KeyLikeAComment", "S", {";a", "1"}, IniStatus::BadName},
        RefusedCase{"KeyLikeAHashComment", "S", {"#a", "1"}, IniStatus::BadName},
        RefusedCase{"KeyWithLineBreak", "S", {"a\nb", "1"}, IniStatus::BadName},
        RefusedCase{"EmptySection", "", {"j", "1"}, IniStatus::BadName},
        RefusedCase{"SectionWithBracket", "a]b", {"j", "1"}, IniStatus::BadName},
        RefusedCase{"SectionWithOuterBlank", "S ", {"j", "1"}, IniStatus::BadName},
        RefusedCase{"SectionWithLineBreak", "S\n[T", {"j", "1"}, IniStatus::BadName},
        // Found by fuzzing: "[\x86]" reads as "[" and one
        // two-byte character, so the section was never found.
        RefusedCase{"SectionEndingInALoneLeadByte", "S\x86", {"j", "1"}, IniStatus::BadName}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniRoundTrip, EveryStorableValueReadsBackAsWritten) {
    for (const Text& value :
         {Text(""), Text(" "), Text("  a  "), Text("\t"), Text("\""), Text("\"\""), Text("\"a\""),
          Text(" \""), Text("a\""), Text("a=b"), Text(";x"), Text("[x]"), Text("#"),
          gbk("其它加项 ¥"), kTrailBracket + kTrailA, Text(20000, 'x')}) {
        SCOPED_TRACE(value.size() < 40 ? value : "long value");
        Text ini = "[S]\nk=old\n";
        const std::vector<IniEntry> entries = {{"k", value}, {"n", value}};
        ASSERT_TRUE(setIniValues(ini, "S", entries));
        EXPECT_EQ(iniValue(ini, "S", "k"), value);
        EXPECT_EQ(iniValue(ini, "S", "n"), value);
    }
}

// Random INI texts from awkward pieces: after writing one key, that key reads
// the new value, every other key reads as before, and the lines are the old
// ones with at most one changed or one or two added.
std::vector<Text> linesWithEndings(const Text& t) {
    std::vector<Text> lines;
    for (size_t begin = 0; begin < t.size();) {
        const size_t lf = t.find('\n', begin);
        const size_t end = lf == Text::npos ? t.size() : lf + 1;
        lines.push_back(t.substr(begin, end - begin));
        begin = end;
    }
    return lines;
}

TEST(IniRoundTrip, RandomTextsKeepEverythingButTheKeyWritten) {
    const std::vector<Text> pieces = {"[S]",
                                      "[s]",
                                      " [ S ] ",
                                      "[T]",
                                      "[" + kTrailBracket + "]",
                                      "[S",
                                      ";[S]",
                                      "k=1",
                                      "K = 2",
                                      "k2=",
                                      "  k3 = \" q \" ",
                                      "junk",
                                      ";k=c",
                                      "#k=3",
                                      "",
                                      "k==x",
                                      kTrailA + "=g",
                                      kTrailLowerA + "=h",
                                      "\tk2\t=\t\"\"",
                                      "=nameless"};
    const std::vector<Text> sections = {"S", "t", kTrailBracket, "New"};
    const std::vector<Text> keys = {"k", "K2", "k3", "new", kTrailA, kTrailLowerA};
    const std::vector<Text> values = {"", " a ", "\"x\"", "v", "a=b", gbk("中")};
    std::mt19937 random(20130623);
    const auto pick = [&random](const std::vector<Text>& from) {
        return from[std::uniform_int_distribution<size_t>(0, from.size() - 1)(random)];
    };
    for (int round = 0; round < 3000; ++round) {
        Text before;
        const int lineCount = std::uniform_int_distribution<int>(0, 8)(random);
        for (int i = 0; i < lineCount; ++i) {
            before += pick(pieces) + (random() % 2 ? "\n" : "\r\n");
        }
        if (random() % 3 == 0) before += pick(pieces);  // a last line without ending
        const Text section = pick(sections);
        const IniEntry entry{pick(keys), pick(values)};
        SCOPED_TRACE("before: \"" + before + "\" writing [" + section + "] " + entry.key);

        Text after = before;
        ASSERT_TRUE(setIniValues(after, section, std::span(&entry, 1)));

        EXPECT_EQ(iniValue(after, section, entry.key), entry.value);
        // The pools hold no two names that match each other ignoring case.
        for (const Text& s : sections) {
            for (const Text& k : keys) {
                if (s == section && k == entry.key) continue;
                EXPECT_EQ(iniValue(after, s, k), iniValue(before, s, k)) << s << " " << k;
            }
        }

        const std::vector<Text> old = linesWithEndings(before);
        const std::vector<Text> now = linesWithEndings(after);
        ASSERT_GE(now.size(), old.size());
        const size_t added = now.size() - old.size();
        ASSERT_LE(added, 2u);
        // Lines the same from the start and from the end; what lies between
        // is the one replaced or the ones added.
        size_t same = 0;
        while (same < old.size() && old[same] == now[same]) ++same;
        size_t sameFromEnd = 0;
        while (sameFromEnd < old.size() - same &&
               old[old.size() - 1 - sameFromEnd] == now[now.size() - 1 - sameFromEnd]) {
            ++sameFromEnd;
        }
        const size_t oldChanged = old.size() - same - sameFromEnd;
        if (added == 0) {
            EXPECT_LE(oldChanged, 1u);
        } else {
            // Only an old last line without an ending may change: it gains one.
            EXPECT_LE(oldChanged, 1u);
            if (oldChanged == 1) {
                EXPECT_EQ(same, old.size() - 1);
                EXPECT_EQ(old.back().find('\n'), Text::npos);
                EXPECT_EQ(now[same].substr(0, old.back().size()), old.back());
            }
        }
    }
}

// --- the file ----------------------------------------------------------------

class IniFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "paylog-ini-XXXXXX");
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::permissions(file(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(dir_, ec);
    }

    std::filesystem::path file() const { return dir_ / "settings.ini"; }
    void put(const std::string& bytes) const { std::ofstream(file(), std::ios::binary) << bytes; }
    std::string bytes() const {
        std::ifstream in(file(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // Nothing but the settings file: no temporary file left behind.
    size_t entriesInDir() const {
        return std::distance(std::filesystem::directory_iterator(dir_),
                             std::filesystem::directory_iterator());
    }

    std::filesystem::path dir_;
};

TEST_F(IniFileTest, MissingFileGivesTheFallbacksAndSaysSo) {
    const std::vector<IniKey> keys = {{"a", "x"}, {"b", ""}};
    const IniReadResult read = readIniFile(file(), "S", keys);
    EXPECT_EQ(read.result.status, IniStatus::Missing);
    EXPECT_EQ(read.values, (std::vector<Text>{"x", ""}));
    EXPECT_EQ(readIniFileValue(file(), "S", "a", "y"), "y");
}

TEST_F(IniFileTest, WriteCreatesTheFileAndEveryKeyReadsBack) {
    const Text value(20000, 'v');
    const std::vector<IniEntry> entries = {{"k", "1"}, {"long", value}, {"empty", ""}};
    ASSERT_TRUE(writeIniFile(file(), "S", entries));
    EXPECT_EQ(bytes(), "[S]\nk=1\nlong=" + value + "\nempty=\n");
    const std::vector<IniKey> keys = {{"k", "d"}, {"long", "d"}, {"empty", "d"}, {"none", "d"}};
    const IniReadResult read = readIniFile(file(), "s", keys);
    EXPECT_TRUE(read.result);
    EXPECT_EQ(read.values, (std::vector<Text>{"1", value, "", "d"}));
    EXPECT_EQ(entriesInDir(), 1u);
}

TEST_F(IniFileTest, WriteKeepsEveryOtherByteOfAHandEditedFile) {
    put("; written by hand\r\n[Other]\r\nk=other\r\n\r\n[S]\r\nunknown = kept \r\nK=old\r\n"
        "; tail\r\n");
    const std::vector<IniEntry> entries = {{"k", "new"}, {"added", "2"}};
    ASSERT_TRUE(writeIniFile(file(), "S", entries));
    EXPECT_EQ(bytes(),
              "; written by hand\r\n[Other]\r\nk=other\r\n\r\n[S]\r\nunknown = kept \r\nK=new\r\n"
              "added=2\r\n; tail\r\n");
}

TEST_F(IniFileTest, RefusedValueLeavesTheFileAlone) {
    put("[S]\nk=1\n");
    const std::vector<IniEntry> entries = {{"k", "2"}, {"j", "a\n[S]"}};
    EXPECT_EQ(writeIniFile(file(), "S", entries).status, IniStatus::BadValue);
    EXPECT_EQ(bytes(), "[S]\nk=1\n");
}

// Every call of a save failing in turn: before the rename the old file stays
// byte for byte; a failed sync of the directory comes after the new content
// is in place. Either way the write reports failure and leaves no temporary
// file.
TEST_F(IniFileTest, FailingFileLayerNeverLosesTheOldFile) {
    const std::string old = "; keep\n[S]\nk=1\n";
    const std::vector<IniEntry> entries = {{"k", "2"}, {"j", Text(100000, 'j')}};
    put(old);
    auto counting = std::make_shared<FailingFileLayer>();
    ASSERT_TRUE(writeIniFile(file(), "S", entries, counting));
    const std::string written = bytes();

    for (FileOp op : {FileOp::CreateNew, FileOp::Write, FileOp::Fsync, FileOp::Close,
                      FileOp::Rename, FileOp::FsyncDirectory}) {
        ASSERT_GT(counting->calls(op), 0);
        for (int n = 1; n <= counting->calls(op); ++n) {
            SCOPED_TRACE(testing::Message() << "step " << static_cast<int>(op) << " call " << n);
            put(old);
            const IniResult result =
                writeIniFile(file(), "S", entries, std::make_shared<FailingFileLayer>(op, n));
            EXPECT_EQ(result.status, IniStatus::SaveFailed);
            EXPECT_FALSE(result.detail.empty());
            EXPECT_EQ(bytes(), op == FileOp::FsyncDirectory ? written : old);
            EXPECT_EQ(entriesInDir(), 1u);
        }
    }
}

// Files that exist but cannot be read are never replaced by a fresh file.
TEST_F(IniFileTest, DirectoryInThePlaceOfTheFileIsLeftAlone) {
    std::filesystem::create_directory(file());
    const std::vector<IniEntry> entries = {{"k", "1"}};
    EXPECT_EQ(writeIniFile(file(), "S", entries).status, IniStatus::Unreadable);
    EXPECT_TRUE(std::filesystem::is_directory(file()));
    EXPECT_EQ(readIniFile(file(), "S", std::vector<IniKey>{{"k", "d"}}).result.status,
              IniStatus::Unreadable);
}

TEST_F(IniFileTest, OversizedFileIsNeitherReadNorReplaced) {
    put("[S]\nk=1\n");
    const auto size = std::uintmax_t{16} << 20 | 1;
    std::filesystem::resize_file(file(), size);  // sparse: no disk needed
    const std::vector<IniEntry> entries = {{"k", "2"}};
    EXPECT_EQ(writeIniFile(file(), "S", entries).status, IniStatus::Unreadable);
    EXPECT_EQ(std::filesystem::file_size(file()), size);
    EXPECT_EQ(readIniFileValue(file(), "S", "k", "d"), "d");
}

TEST_F(IniFileTest, FileWithoutReadPermissionIsLeftAlone) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads any file, so the permission cannot be denied";
    put("[S]\nk=1\n");
    std::filesystem::permissions(file(), std::filesystem::perms::none);
    const std::vector<IniEntry> entries = {{"k", "2"}};
    EXPECT_EQ(writeIniFile(file(), "S", entries).status, IniStatus::Unreadable);
    std::filesystem::permissions(file(), std::filesystem::perms::owner_read);
    EXPECT_EQ(bytes(), "[S]\nk=1\n");
}

TEST_F(IniFileTest, ValuesTooLongForTheFileAreRefused) {
    put("[S]\nk=1\n");
    const std::vector<IniEntry> entries = {{"k", Text((16u << 20) + 1, 'x')}};
    EXPECT_EQ(writeIniFile(file(), "S", entries).status, IniStatus::BadValue);
    EXPECT_EQ(bytes(), "[S]\nk=1\n");
}

}  // namespace
}  // namespace paylog
