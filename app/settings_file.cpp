#include "app/settings_file.h"

#include <algorithm>
#include <span>
#include <utility>

#include "core/file_names.h"

namespace paylog {
namespace {

const Text& sectionName() {
    static const Text kSection = gbk("工资总项目");
    return kSection;
}

const Text& shiftKey() {
    static const Text kKey = gbk("夜班");
    return kKey;
}
const Text& nightShiftValue() {
    static const Text kNight = gbk("夜班");
    return kNight;
}
const Text& dayShiftValue() {
    static const Text kDay = gbk("白班");
    return kDay;
}

const Text& taxMethodKey() {
    static const Text kKey = gbk("个税计算方法");
    return kKey;
}
const Text& specialDeductionKey() {
    static const Text kKey = gbk("每月专项附加扣除");
    return kKey;
}
const Text kTaxMethod2011 = "2011";
const Text kTaxMethod2019 = "2019";

WageItemSetting item(std::string_view key, std::string_view objectName,
                     std::string_view importDefault) {
    return {gbk(key), std::string(objectName), gbk(importDefault)};
}

// The edit boxes are single-line, but a paste can still bring a line break.
// It would make the value's tail a line of its own, so it becomes a blank.
Text oneLine(Text value) {
    std::replace_if(
        value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return value;
}

std::vector<Text> readSettings(const std::filesystem::path& dataDir, std::span<const IniKey> keys) {
    return readIniFile(settingsFilePath(dataDir), sectionName(), keys).values;
}

}  // namespace

const std::array<WageItemSetting, kWageItemCount>& wageItemSettings() {
    // Four import defaults ("0") differ from the form's: 技能津贴, 特殊岗位津贴,
    // 社保代扣 and 伙食费代扣.
    static const std::array<WageItemSetting, kWageItemCount> kItems = {
        item("正常工作时间工资", "编辑框正常工作时间工资", "1820"),
        item("考核岗位津贴", "编辑框考核岗位津贴", "200"),
        item("职务津贴", "编辑框职务津贴", "0"),
        item("地区津贴", "编辑框地区津贴", "0"),
        item("事假小时数", "编辑框事假时数", "0"),
        item("病假小时数", "编辑框病假时数", "0"),
        item("旷工小时数", "编辑框旷工时数", "0"),
        item("社保代扣", "编辑框社保代扣", "0"),
        item("住房公积金代扣", "编辑框住房公积金代扣", "0"),
        item("伙食费代扣", "编辑框伙食费代扣", "0"),
        item("住宿费代扣", "编辑框住宿费代扣", "0"),
        item("技能津贴", "编辑框技能津贴", "0"),
        item("特殊岗位津贴", "编辑框特殊岗位津贴", "0"),
        item("G1加班小时数", "编辑框1加班小时数", "0"),
        item("G2加班小时数", "编辑框2加班小时数", "0"),
        item("G3加班小时数", "编辑框3加班小时数", "0"),
        item("其它减项", "编辑框其它减项", "0"),
        item("其它加项", "编辑框其它加项", "0"),
    };
    return kItems;
}

std::filesystem::path settingsFilePath(const std::filesystem::path& dataDir) {
    return resolveIgnoringCase(dataDir, "配置项目.ini");
}

std::vector<BoxValue> importValues(const std::filesystem::path& dataDir) {
    std::vector<IniKey> keys;
    for (const WageItemSetting& s : wageItemSettings()) keys.push_back({s.key, s.importDefault});
    std::vector<Text> values = readSettings(dataDir, keys);
    std::vector<BoxValue> boxes;
    for (size_t i = 0; i < kWageItemCount; ++i) {
        boxes.push_back({wageItemSettings()[i].objectName, std::move(values[i])});
    }
    return boxes;
}

Text readShiftSetting(const std::filesystem::path& dataDir) {
    return readIniFileValue(settingsFilePath(dataDir), sectionName(), shiftKey(), dayShiftValue());
}

bool isNightShift(std::string_view shiftSetting) { return shiftSetting == nightShiftValue(); }

TaxSettings readTaxSettings(const std::filesystem::path& dataDir) {
    TaxSettings tax;
    const std::vector<IniKey> keys = {{taxMethodKey(), kTaxMethod2011},
                                      {specialDeductionKey(), tax.monthlySpecialDeduction}};
    std::vector<Text> values = readSettings(dataDir, keys);
    tax.method =
        values[0] == kTaxMethod2019 ? TaxMethod::CumulativeWithholding2019 : TaxMethod::Table2011;
    tax.monthlySpecialDeduction = std::move(values[1]);
    return tax;
}

IniResult saveSettings(const std::filesystem::path& dataDir, const SettingsToSave& settings,
                       const std::shared_ptr<FileLayer>& files) {
    std::vector<IniEntry> entries;
    for (size_t i = 0; i < kWageItemCount; ++i) {
        entries.push_back({wageItemSettings()[i].key, oneLine(settings.wageItems[i])});
    }
    entries.push_back({shiftKey(), settings.nightShift ? nightShiftValue() : dayShiftValue()});
    const bool cumulative = settings.tax.method == TaxMethod::CumulativeWithholding2019;
    entries.push_back({taxMethodKey(), cumulative ? kTaxMethod2019 : kTaxMethod2011});
    entries.push_back({specialDeductionKey(), oneLine(settings.tax.monthlySpecialDeduction)});
    return writeIniFile(settingsFilePath(dataDir), sectionName(), entries, files);
}

}  // namespace paylog
