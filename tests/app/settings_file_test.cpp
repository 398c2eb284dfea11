#include "app/settings_file.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "core/safe_file.h"

namespace paylog {

// Found by argument lookup, so outside the unnamed namespace.
void PrintTo(const BoxValue& b, std::ostream* os) {
    *os << b.objectName << "=\"" << utf8(b.value) << "\"";
}

namespace {

// The file's keys in their order, with their boxes and import defaults, as
// the program's users know them (UTF-8 here, so that the expectations do not
// go through the table under test).
struct KeyRow {
    const char* key;
    const char* box;
    const char* importDefault;
};
const KeyRow kKeys[] = {
    {"正常工作时间工资", "编辑框正常工作时间工资", "1820"},
    {"考核岗位津贴", "编辑框考核岗位津贴", "200"},
    {"职务津贴", "编辑框职务津贴", "0"},
    {"地区津贴", "编辑框地区津贴", "0"},
    {"事假小时数", "编辑框事假时数", "0"},
    {"病假小时数", "编辑框病假时数", "0"},
    {"旷工小时数", "编辑框旷工时数", "0"},
    {"社保代扣", "编辑框社保代扣", "0"},
    {"住房公积金代扣", "编辑框住房公积金代扣", "0"},
    {"伙食费代扣", "编辑框伙食费代扣", "0"},
    {"住宿费代扣", "编辑框住宿费代扣", "0"},
    {"技能津贴", "编辑框技能津贴", "0"},
    {"特殊岗位津贴", "编辑框特殊岗位津贴", "0"},
    {"G1加班小时数", "编辑框1加班小时数", "0"},
    {"G2加班小时数", "编辑框2加班小时数", "0"},
    {"G3加班小时数", "编辑框3加班小时数", "0"},
    {"其它减项", "编辑框其它减项", "0"},
    {"其它加项", "编辑框其它加项", "0"},
};

// The boxes as an import fills them: the defaults, with some texts replaced.
std::vector<BoxValue> boxes(const std::vector<std::pair<size_t, Text>>& changed = {}) {
    std::vector<BoxValue> result;
    for (const KeyRow& row : kKeys) result.push_back({row.box, gbk(row.importDefault)});
    for (const auto& [index, value] : changed) result[index].value = value;
    return result;
}

// Boxes as the form fills them at start (where they differ from the import
// defaults) and a ticked night-shift box.
SettingsToSave formSettings() {
    SettingsToSave s;
    for (size_t i = 0; i < kWageItemCount; ++i) s.wageItems[i] = kKeys[i].importDefault;
    s.wageItems[7] = "175.6";  // 社保代扣
    s.wageItems[9] = "400";    // 伙食费代扣
    s.wageItems[11] = "300";   // 技能津贴
    s.wageItems[12] = "200";   // 特殊岗位津贴
    s.nightShift = true;
    return s;
}

class SettingsFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "paylog-settings-XXXXXX");
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    std::filesystem::path file(const char* name = "配置项目.ini") const { return dir_ / name; }
    void put(const std::string& gbkBytes, const char* name = "配置项目.ini") const {
        std::ofstream(file(name), std::ios::binary) << gbkBytes;
    }
    std::string bytes(const char* name = "配置项目.ini") const {
        std::ifstream in(file(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    size_t entriesInDir() const {
        return std::distance(std::filesystem::directory_iterator(dir_),
                             std::filesystem::directory_iterator());
    }

    std::filesystem::path dir_;
};

TEST_F(SettingsFileTest, KeysAndBoxesInTheirOrder) {
    ASSERT_EQ(wageItemSettings().size(), std::size(kKeys));
    for (size_t i = 0; i < kWageItemCount; ++i) {
        SCOPED_TRACE(kKeys[i].key);
        EXPECT_EQ(wageItemSettings()[i].key, gbk(kKeys[i].key));
        EXPECT_EQ(wageItemSettings()[i].objectName, kKeys[i].box);
        EXPECT_EQ(wageItemSettings()[i].importDefault, gbk(kKeys[i].importDefault));
    }
}

TEST_F(SettingsFileTest, ImportWithoutFileGivesTheImportDefaults) {
    // "1820", "200" and sixteen "0", 社保代扣 and 伙食费代扣 included.
    EXPECT_EQ(importValues(dir_), boxes());
    EXPECT_EQ(readShiftSetting(dir_), gbk("白班"));
    const TaxSettings tax = readTaxSettings(dir_);
    EXPECT_EQ(tax.method, TaxMethod::Table2011);
    EXPECT_EQ(tax.monthlySpecialDeduction, "0");
}

TEST_F(SettingsFileTest, SaveWritesEveryKeyInOrderIntoANewFile) {
    SettingsToSave s = formSettings();
    s.tax = {TaxMethod::CumulativeWithholding2019, "1500"};
    ASSERT_TRUE(saveSettings(dir_, s));
    EXPECT_EQ(bytes(), gbk("[工资总项目]\n"
                           "正常工作时间工资=1820\n考核岗位津贴=200\n职务津贴=0\n地区津贴=0\n"
                           "事假小时数=0\n病假小时数=0\n旷工小时数=0\n社保代扣=175.6\n"
                           "住房公积金代扣=0\n伙食费代扣=400\n住宿费代扣=0\n技能津贴=300\n"
                           "特殊岗位津贴=200\nG1加班小时数=0\nG2加班小时数=0\nG3加班小时数=0\n"
                           "其它减项=0\n其它加项=0\n夜班=夜班\n个税计算方法=2019\n"
                           "每月专项附加扣除=1500\n"));
    EXPECT_EQ(entriesInDir(), 1u);
}

TEST_F(SettingsFileTest, SavedValuesComeBackAsTheyWere) {
    SettingsToSave s = formSettings();
    s.wageItems[0] = "";                 // emptied by its focus handler
    s.wageItems[17] = gbk("奖金 300 ");  // any text, outer blank included
    s.wageItems[16] = Text(20000, '9');  // any length
    s.nightShift = false;
    s.tax.monthlySpecialDeduction = "";
    ASSERT_TRUE(saveSettings(dir_, s));

    EXPECT_EQ(importValues(dir_), boxes({{0, ""},
                                         {7, "175.6"},
                                         {9, "400"},
                                         {11, "300"},
                                         {12, "200"},
                                         {16, Text(20000, '9')},
                                         {17, gbk("奖金 300 ")}}));
    EXPECT_EQ(readShiftSetting(dir_), gbk("白班"));
    EXPECT_EQ(readTaxSettings(dir_).monthlySpecialDeduction, "");
}

TEST_F(SettingsFileTest, HandEditedValuesAreImportedUnchecked) {
    put(gbk("[工资总项目]\n考核岗位津贴=abc\n其它加项=\n"));
    EXPECT_EQ(importValues(dir_), boxes({{1, "abc"}, {17, ""}}));
}

TEST_F(SettingsFileTest, LineBreakInABoxBecomesABlankAndTheRestIsSaved) {
    SettingsToSave s = formSettings();
    s.wageItems[16] = "a\r\nb\nc";
    ASSERT_TRUE(saveSettings(dir_, s));
    const std::vector<BoxValue> imported = importValues(dir_);
    EXPECT_EQ(imported[16].value, "a  b c");
    EXPECT_EQ(imported[11].value, "300");
    EXPECT_EQ(readShiftSetting(dir_), gbk("夜班"));
}

TEST_F(SettingsFileTest, SaveKeepsEverythingElseOfAHandEditedFile) {
    const std::string before =
        gbk("; 手工改过\r\n"
            "[其它]\r\n夜班=不是这里\r\n\r\n"
            "[工资总项目]\r\n"
            "正常工作时间工资 = 3000\r\n"
            "自定义项目=保留\r\n"
            "; 注释\r\n"
            "夜班=夜班\r\n"
            "\r\n"
            "[后面]\r\nx=1\r\n");
    put(before);
    ASSERT_TRUE(saveSettings(dir_, formSettings()));
    EXPECT_EQ(bytes(), gbk("; 手工改过\r\n"
                           "[其它]\r\n夜班=不是这里\r\n\r\n"
                           "[工资总项目]\r\n"
                           "正常工作时间工资 = 1820\r\n"
                           "自定义项目=保留\r\n"
                           "; 注释\r\n"
                           "夜班=夜班\r\n"
                           "考核岗位津贴=200\r\n职务津贴=0\r\n地区津贴=0\r\n"
                           "事假小时数=0\r\n病假小时数=0\r\n旷工小时数=0\r\n社保代扣=175.6\r\n"
                           "住房公积金代扣=0\r\n伙食费代扣=400\r\n住宿费代扣=0\r\n技能津贴=300\r\n"
                           "特殊岗位津贴=200\r\nG1加班小时数=0\r\nG2加班小时数=0\r\n"
                           "G3加班小时数=0\r\n其它减项=0\r\n其它加项=0\r\n个税计算方法=2011\r\n"
                           "每月专项附加扣除=0\r\n"
                           "\r\n"
                           "[后面]\r\nx=1\r\n"));
}

TEST_F(SettingsFileTest, FileAndKeyNamesIgnoreLetterCase) {
    put(gbk("[工资总项目]\ng1加班小时数=7\n"), "配置项目.INI");
    EXPECT_EQ(importValues(dir_), boxes({{13, "7"}}));
    ASSERT_TRUE(saveSettings(dir_, formSettings()));
    EXPECT_EQ(entriesInDir(), 1u);  // the same file, not a second one
    EXPECT_NE(bytes("配置项目.INI").find(gbk("\ng1加班小时数=0\n")), std::string::npos);
}

struct ShiftCase {
    const char* name;
    const char* fileText;  // UTF-8, nullptr for no file
    const char* expected;  // UTF-8
    bool night;
};
void PrintTo(const ShiftCase& c, std::ostream* os) { *os << c.name; }

class ShiftSettingTest : public SettingsFileTest,
                         public ::testing::WithParamInterface<ShiftCase> {};

TEST_P(ShiftSettingTest, OnlyTheExactNightShiftTextTicksTheBox) {
    const ShiftCase& c = GetParam();
    if (c.fileText) put(gbk(c.fileText));
    const Text shift = readShiftSetting(dir_);
    EXPECT_EQ(shift, gbk(c.expected));
    EXPECT_EQ(isNightShift(shift), c.night);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShiftSettingTest,
    ::testing::Values(ShiftCase{"NoFile", nullptr, "白班", false},
                      ShiftCase{"NoSection", "[别的]\n夜班=夜班\n", "白班", false},
                      ShiftCase{"NoKey", "[工资总项目]\n其它加项=1\n", "白班", false},
                      ShiftCase{"NightShift", "[工资总项目]\n夜班=夜班\n", "夜班", true},
                      ShiftCase{"DayShift", "[工资总项目]\n夜班=白班\n", "白班", false},
                      ShiftCase{"EmptyValue", "[工资总项目]\n夜班=\n", "", false},
                      ShiftCase{"OtherText", "[工资总项目]\n夜班=夜班吧\n", "夜班吧", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFileTest, TaxSettingsRoundTripAndUnknownMethodIsThe2011Table) {
    SettingsToSave s = formSettings();
    s.tax = {TaxMethod::CumulativeWithholding2019, "2000"};
    ASSERT_TRUE(saveSettings(dir_, s));
    TaxSettings tax = readTaxSettings(dir_);
    EXPECT_EQ(tax.method, TaxMethod::CumulativeWithholding2019);
    EXPECT_EQ(tax.monthlySpecialDeduction, "2000");

    put(gbk("[工资总项目]\n个税计算方法=abc\n"));
    tax = readTaxSettings(dir_);
    EXPECT_EQ(tax.method, TaxMethod::Table2011);
    EXPECT_EQ(tax.monthlySpecialDeduction, "0");
}

// A shutdown whose save fails at any step before the new file is in place
// must leave the previous settings whole, and no temporary file behind.
TEST_F(SettingsFileTest, FailedSaveKeepsTheOldFile) {
    const std::string before = gbk("[工资总项目]\n正常工作时间工资=5000\n夜班=夜班\n");
    for (FileOp op :
         {FileOp::CreateNew, FileOp::Write, FileOp::Fsync, FileOp::Close, FileOp::Rename}) {
        put(before);
        auto counting = std::make_shared<FailingFileLayer>(op, 0);
        ASSERT_TRUE(saveSettings(dir_, formSettings(), counting));
        ASSERT_GT(counting->calls(op), 0);
        for (int n = 1; n <= counting->calls(op); ++n) {
            SCOPED_TRACE(testing::Message() << "step " << static_cast<int>(op) << ", call " << n);
            put(before);
            const IniResult result =
                saveSettings(dir_, formSettings(), std::make_shared<FailingFileLayer>(op, n));
            EXPECT_EQ(result.status, IniStatus::SaveFailed);
            EXPECT_EQ(bytes(), before);
            EXPECT_EQ(entriesInDir(), 1u);
        }
    }
}

// A settings file cut short at every length or with any one byte flipped
// reads without harm as far as it goes, and the next save writes every
// setting whole again. (The save is tried on every 16th case: each one
// replaces a file, which is slow on a disk.)
TEST_F(SettingsFileTest, DamagedFileReadsAndIsSavedWholeAgain) {
    ASSERT_TRUE(saveSettings(dir_, formSettings()));
    const std::string good = bytes();
    std::vector<std::string> damaged;
    for (size_t at = 0; at < good.size(); ++at) {
        damaged.push_back(good.substr(0, at));
        damaged.push_back(good);
        damaged.back()[at] = static_cast<char>(damaged.back()[at] ^ 0x5a);
    }
    SettingsToSave next = formSettings();
    next.wageItems[0] = "4321";
    next.nightShift = false;
    next.tax = {TaxMethod::CumulativeWithholding2019, "1500"};
    for (size_t i = 0; i < damaged.size(); ++i) {
        const std::filesystem::path caseDir = dir_ / std::to_string(i);
        std::filesystem::create_directory(caseDir);
        std::ofstream(caseDir / "配置项目.ini", std::ios::binary) << damaged[i];
        EXPECT_EQ(importValues(caseDir).size(), kWageItemCount);
        readShiftSetting(caseDir);
        readTaxSettings(caseDir);
        if (i % 16 != 0) continue;

        ASSERT_TRUE(saveSettings(caseDir, next)) << "case " << i;
        EXPECT_EQ(importValues(caseDir),
                  boxes({{0, "4321"}, {7, "175.6"}, {9, "400"}, {11, "300"}, {12, "200"}}))
            << "case " << i;
        EXPECT_EQ(readShiftSetting(caseDir), gbk("白班")) << "case " << i;
        const TaxSettings tax = readTaxSettings(caseDir);
        EXPECT_EQ(tax.method, TaxMethod::CumulativeWithholding2019);
        EXPECT_EQ(tax.monthlySpecialDeduction, "1500");
    }
}

TEST_F(SettingsFileTest, FileThatCannotBeReadIsNotReplaced) {
    put(gbk("[工资总项目]\n正常工作时间工资=5000\n"));
    const auto size = std::uintmax_t{64} << 20;
    std::filesystem::resize_file(file(), size);  // sparse: too big to be settings
    EXPECT_EQ(saveSettings(dir_, formSettings()).status, IniStatus::Unreadable);
    EXPECT_EQ(std::filesystem::file_size(file()), size);
    EXPECT_EQ(importValues(dir_), boxes());
}

}  // namespace
}  // namespace paylog
