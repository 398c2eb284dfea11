#include "app/side_pages.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTableWidget>

#include "app/picture_button.h"
#include "app/wrapping_button.h"

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

// Light enough for black text written over it.
QPixmap contactPicture(QSize size) {
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(120, 150, 200));
    painter.setBrush(QColor(225, 236, 252));
    painter.drawRoundedRect(QRectF(picture.rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    painter.setPen(QColor(30, 60, 120));
    painter.drawText(picture.rect(), Qt::AlignCenter, formName("联系作者"));
    return picture;
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
}

// The tab control's right edge cuts the canvas off, as laid out.
void buildUsagePage(const PagePlacer& placer) {
    auto* canvas = new QWidget(placer.page());
    canvas->setObjectName(formName("画板1"));
    canvas->setGeometry(placer.onPage({0, 24, 916, 691}));
    canvas->setAutoFillBackground(true);
    QPalette palette = canvas->palette();
    palette.setColor(QPalette::Window, QColor(250, 248, 240));
    canvas->setPalette(palette);

    const QSize buttonSize(77, 22);
    auto* contact = new PictureButton(contactPicture(buttonSize), canvas);
    contact->setObjectName(formName("图形按钮1"));
    contact->setGeometry({QPoint(776, 632), buttonSize});
}

}  // namespace paylog
