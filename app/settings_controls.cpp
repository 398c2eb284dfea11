#include "app/settings_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "app/control_text.h"
#include "app/date_handling.h"
#include "app/find_control.h"
#include "app/qt_text.h"

namespace paylog {
namespace {

constexpr std::string_view kTaxMethodBox = "组合框个税计算方法";
constexpr std::string_view kSpecialDeductionBox = "编辑框每月专项附加扣除";

TaxSettings taxSettingsOf(const QWidget& window) {
    return {
        static_cast<TaxMethod>(findControl<QComboBox>(window, kTaxMethodBox).currentData().toInt()),
        editText(window, kSpecialDeductionBox)};
}

}  // namespace

void importWageItems(QWidget& window, const std::filesystem::path& dataDir) {
    for (const BoxValue& box : importValues(dataDir))
        setEditText(window, box.objectName, box.value);
}

SettingsToSave settingsOfWindow(const QWidget& window) {
    SettingsToSave settings;
    for (size_t item = 0; item < kWageItemCount; ++item)
        settings.wageItems[item] = editText(window, wageItemSettings()[item].objectName);
    settings.nightShift = findControl<QCheckBox>(window, "选择框夜班").isChecked();
    settings.tax = taxSettingsOf(window);
    return settings;
}

void showTaxSettings(QWidget& window, const TaxSettings& tax) {
    auto& method = findControl<QComboBox>(window, kTaxMethodBox);
    method.setCurrentIndex(method.findData(int(tax.method)));
    setEditText(window, kSpecialDeductionBox, tax.monthlySpecialDeduction);
}

TaxChoice taxChoiceOf(const QWidget& window) {
    TaxSettings tax = taxSettingsOf(window);
    return {tax.method, std::move(tax.monthlySpecialDeduction), monthOf(dateBoxDay(window))};
}

}  // namespace paylog
