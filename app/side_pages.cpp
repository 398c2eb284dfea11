#include "app/side_pages.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include "app/picture_button.h"
#include "app/pictures.h"
#include "app/usage_canvas.h"
#include "app/wrapping_button.h"
#include "pay/pay.h"

namespace paylog {
namespace {

constexpr int kLogColumns = 10;

QLineEdit* newSettingBox(const PagePlacer& placer, std::string_view name, std::string_view text,
                         QRect tabRect) {
    auto* box = new QLineEdit(formName(text), placer.page());
    box->setObjectName(formName(name));
    box->setGeometry(placer.onPage(tabRect));
    return box;
}

}  // namespace

// The title row stays in view as the header; rows are filled from the log.
void buildLogGridPage(const PagePlacer& placer) {
    auto* grid = new QTableWidget(0, kLogColumns, placer.page());
    grid->setObjectName(formName("高级表格1"));
    grid->setGeometry(placer.onPage({0, 24, 832, 696}));
    grid->setHorizontalHeaderLabels(QStringList(kLogColumns, QString()));
    grid->horizontalHeader()->setDefaultSectionSize(60);
    grid->verticalHeader()->setDefaultSectionSize(24);
    grid->verticalHeader()->hide();

    auto* refresh = new WrappingButton(formName("表格刷新"), placer.page());
    refresh->setObjectName(formName("按钮表格刷新"));
    refresh->setGeometry(placer.onPage({840, 224, 48, 216}));
    setFontPixelSize(refresh, 32);
}

void buildSettingsPage(const PagePlacer& placer) {
    QLabel* warning = newLabel(placer.page(), "透明标签7", "不懂的不要乱改！后续内容以后再添加！",
                               placer.onPage({272, 64, 344, 24}), QColor(0, 136, 255));
    setFontPixelSize(warning, 19);
    newLabel(placer.page(), "透明标签3", "正常工作天数：", placer.onPage({40, 56, 104, 17}));
    newSettingBox(placer, "编辑框正常工作天数", "21.75", {144, 56, 76, 17});
    newLabel(placer.page(), "透明标签4", "病假工资比例：", placer.onPage({40, 88, 104, 17}));
    newSettingBox(placer, "编辑框病假工资比例", "0.7", {144, 88, 76, 17});

    // Each method is kept as the item's data, so the settings file and the
    // pay calculation never depend on the order of the items.
    newLabel(placer.page(), "透明标签个税计算方法", "个税计算方法：",
             placer.onPage({40, 120, 104, 17}));
    auto* taxMethod = new QComboBox(placer.page());
    taxMethod->setObjectName(formName("组合框个税计算方法"));
    taxMethod->setGeometry(placer.onPage({144, 118, 272, 22}));
    taxMethod->addItem(formName("2011年版（起征点3500元）"), int(TaxMethod::Table2011));
    taxMethod->addItem(formName("2019年起累计预扣法（起征点5000元）"),
                       int(TaxMethod::CumulativeWithholding2019));
    // The longer caption needs more room than the rows above give a label.
    newLabel(placer.page(), "透明标签每月专项附加扣除", "每月专项附加扣除(元)：",
             placer.onPage({40, 152, 152, 17}));
    newSettingBox(placer, "编辑框每月专项附加扣除", "0", {192, 152, 76, 17});
}

// The tab control's right edge cuts the canvas off, as laid out.
void buildUsagePage(const PagePlacer& placer) {
    const QRect canvasRect = placer.onPage({0, 24, 916, 691});
    auto* canvas = new UsageCanvas(usageBackground(canvasRect.size()), placer.page());
    canvas->setObjectName(formName("画板1"));
    canvas->setGeometry(canvasRect);

    const QSize buttonSize(77, 22);
    auto* contact = new PictureButton(feedbackButtonPicture(buttonSize), canvas);
    contact->setObjectName(formName("图形按钮1"));
    contact->setGeometry({QPoint(776, 632), buttonSize});
}

}  // namespace paylog
