#pragma once
// Between the settings file and the window's controls: the wage items'
// edit boxes, the night-shift box and the tax choice on page "设置".

#include <QWidget>
#include <filesystem>

#include "app/settings_file.h"
#include "pay/pay.h"

namespace paylog {

// The stored wage items (or their import defaults) into their edit boxes;
// nothing else changes.
void importWageItems(QWidget& window, const std::filesystem::path& dataDir);

// Everything the shutdown keeps, as the controls stand.
SettingsToSave settingsOfWindow(const QWidget& window);

void showTaxSettings(QWidget& window, const TaxSettings& tax);

// The tax method and deduction of page "设置", for the date box's month.
TaxChoice taxChoiceOf(const QWidget& window);

}  // namespace paylog
