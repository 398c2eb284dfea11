#include "app/date_handling.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <array>
#include <span>

#include "app/control_text.h"
#include "app/entry_kind_controls.h"
#include "app/find_control.h"
#include "app/qt_date.h"
#include "app/qt_text.h"
#include "calendar/date_selection.h"

namespace paylog {
namespace {

// The radio buttons share one group box and exclude each other, so a button
// only goes off when another comes on; the last one ticked wins, which is
// what each order of writes intends.
void writeEntryKinds(QWidget& window, std::span<const RadioWrite> writes) {
    for (const RadioWrite& write : writes)
        findControl<QRadioButton>(window, entryKindControl(write.kind).radioButton)
            .setChecked(write.checked);
}

}  // namespace

DateTime dateBoxDay(const QWidget& window) {
    return toDateTime(findControl<QDateEdit>(window, "日期框1").date());
}

void updateDateDependents(QWidget& window, std::string_view selectedMonthText) {
    const DateTime day = dateBoxDay(window);
    const DayDefaults defaults = dayDefaults(day);
    writeEntryKinds(window, defaults.radioWrites);
    findControl<QComboBox>(window, "组合框").setEditText(toQString(defaults.comboText));
    if (defaults.nightShift)
        findControl<QCheckBox>(window, "选择框夜班").setChecked(*defaults.nightShift);

    const MonthLabelTexts labels = monthLabelTexts(
        day, selectedMonthText, editText(window, "编辑框1加班小时数"),
        editText(window, "编辑框2加班小时数"), editText(window, "编辑框3加班小时数"));
    setLabelText(window, "标签本月G1最多小时数", labels.g1Limit);
    setLabelText(window, "标签本月G2最多小时数", labels.g2Limit);
    setLabelText(window, "标签本月已加班", labels.overtimeSoFar);
    setLabelText(window, "标签本月G3最多小时数", labels.g3Limit);
    setLabelText(window, "标签本月最多加班小时数", labels.totalLimit);
    setLabelText(window, "标签本月节假日", labels.holidays);
}

void chooseG1Entry(QWidget& window) {
    static constexpr std::array<RadioWrite, 6> kG1Only{{{EntryKind::G1, true},
                                                        {EntryKind::G2, false},
                                                        {EntryKind::G3, false},
                                                        {EntryKind::PersonalLeave, false},
                                                        {EntryKind::SickLeave, false},
                                                        {EntryKind::Absence, false}}};
    writeEntryKinds(window, kG1Only);
}

void writeHolidayLabel(QWidget& window) {
    setLabelText(window, "标签本月节假日", holidayLabelText(dateBoxDay(window)));
}

}  // namespace paylog
