// The import button brings the wage items of the settings file back into
// their boxes; the shutdown keeps them, in one save, and says so when it
// cannot.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>

#include "app/qt_text.h"
#include "app/settings_file.h"
#include "window_fixture.h"

namespace paylog {
namespace {

class SettingsWindowTest : public WindowTest {
  protected:
    void importSettings() const {
        QTest::mouseClick(&control<QPushButton>("按钮导入"), Qt::LeftButton);
    }
    QString box(const std::string& name) const { return control<QLineEdit>(name.c_str()).text(); }
};

TEST_F(SettingsWindowTest, ImportWithoutFileGivesTheImportDefaultsOnly) {
    control<QLineEdit>("编辑框夜班津贴").setText("45");
    control<QRadioButton>("单选框病假").setChecked(true);
    importSettings();

    for (const WageItemSetting& item : wageItemSettings()) {
        const char* expected = item.objectName == "编辑框正常工作时间工资" ? "1820"
                               : item.objectName == "编辑框考核岗位津贴"   ? "200"
                                                                           : "0";
        EXPECT_EQ(box(item.objectName), expected) << item.objectName;
    }
    // Nothing else changes until the next calculation.
    EXPECT_EQ(box("编辑框夜班津贴"), "45");
    EXPECT_TRUE(control<QRadioButton>("单选框病假").isChecked());
    EXPECT_EQ(control<QLabel>("标签应发工资").text(), QString::fromUtf8("应发工资：2520元"));
}

TEST_F(SettingsWindowTest, ShutdownKeepsTheBoxesForTheNextImport) {
    control<QLineEdit>("编辑框正常工作时间工资").setText("3000");
    control<QLineEdit>("编辑框职务津贴").clear();
    control<QLineEdit>("编辑框其它加项").setText("12.5");
    control<QCheckBox>("选择框夜班").setChecked(true);
    restartWindow();
    // Start-up reads only the night shift; the boxes start from the form.
    EXPECT_TRUE(control<QCheckBox>("选择框夜班").isChecked());
    EXPECT_EQ(box("编辑框正常工作时间工资"), "1820");

    importSettings();
    EXPECT_EQ(box("编辑框正常工作时间工资"), "3000");
    EXPECT_EQ(box("编辑框职务津贴"), "") << "an empty box comes back empty";
    EXPECT_EQ(box("编辑框其它加项"), "12.5");
    EXPECT_EQ(box("编辑框社保代扣"), "175.6") << "form value saved at the first shutdown";
}

TEST_F(SettingsWindowTest, HandEditedValueIsImportedAsItIsAndCountsAsZero) {
    writeSettingsFile("[工资总项目]\n正常工作时间工资=abc\n");
    importSettings();
    EXPECT_EQ(box("编辑框正常工作时间工资"), "abc");
    QTest::mouseClick(&control<QPushButton>("按钮结果输出"), Qt::LeftButton);
    // Base 0 + 200: 200 / 21.75 / 8 = 1.149... rounds to 1.15.
    EXPECT_EQ(control<QLabel>("标签正常班时薪").text(), QString::fromUtf8("时薪：1.15元"));
}

// A file too large to be settings is never replaced: the user hears that
// this run's inputs were not kept.
TEST_F(SettingsWindowTest, SaveThatFailsIsReportedNotLost) {
    writeSettingsFile("[工资总项目]\n");
    const auto size = std::uintmax_t{64} << 20;
    std::filesystem::resize_file(settingsFile(), size);
    window_.reset();

    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].icon, MessageIcon::Warning);
    EXPECT_NE(utf8(dialogs_.messages[0].text).find("配置项目.ini"), std::string::npos);
    EXPECT_EQ(std::filesystem::file_size(settingsFile()), size);
}

}  // namespace
}  // namespace paylog
