#pragma once
// The settings file "配置项目.ini" in the data directory: the pay page's wage
// items, the night-shift choice and the tax settings, kept from one run to
// the next. Every value is the control's text as it stood (GBK), unchecked.

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini_file.h"
#include "core/text.h"
#include "pay/pay.h"

namespace paylog {

class FileLayer;

// One wage item of the pay page as the file keeps it.
struct WageItemSetting {
    Text key;                // GBK key in the file
    std::string objectName;  // UTF-8 objectName of its edit box
    Text importDefault;      // GBK, what an import gives when the key is missing
};

inline constexpr size_t kWageItemCount = 18;

// The wage items in the order in which the import and the save handle them.
const std::array<WageItemSetting, kWageItemCount>& wageItemSettings();

// The file the settings live in: "配置项目.ini" in `dataDir`, or the existing
// file whose name differs from it only in letter case.
std::filesystem::path settingsFilePath(const std::filesystem::path& dataDir);

struct BoxValue {
    std::string objectName;  // UTF-8
    Text value;              // GBK
    bool operator==(const BoxValue&) const = default;
};

// The wage items' values for their edit boxes, in order; a missing (or
// unreadable) file or key gives the item's import default, a present empty
// value the empty text.
std::vector<BoxValue> importValues(const std::filesystem::path& dataDir);

// The night-shift choice as stored: "夜班" or "白班" (the default), or
// whatever a hand edit left there.
Text readShiftSetting(const std::filesystem::path& dataDir);

// Whether a stored night-shift choice ticks the night-shift box: only the
// exact text "夜班" does.
bool isNightShift(std::string_view shiftSetting);

// The tax settings, kept as "2011" / "2019" and the deduction box's text.
// Missing keys give the 2011 table and "0"; a method other than "2019" reads
// as the 2011 table.
struct TaxSettings {
    TaxMethod method = TaxMethod::Table2011;
    Text monthlySpecialDeduction = "0";
};
TaxSettings readTaxSettings(const std::filesystem::path& dataDir);

struct SettingsToSave {
    std::array<Text, kWageItemCount> wageItems;  // the boxes' texts, in wageItemSettings() order
    bool nightShift = false;                     // the night-shift box is ticked
    TaxSettings tax;
};

// Writes every key in one atomic save: the file afterwards holds all the new
// values or, on failure, exactly what it held before. Other lines of the file
// stay as they are. A line break in a box's text becomes a blank, since one
// value is one line of the file. `files` is the file system seam; null means
// the real one.
IniResult saveSettings(const std::filesystem::path& dataDir, const SettingsToSave& settings,
                       const std::shared_ptr<FileLayer>& files = nullptr);

}  // namespace paylog
