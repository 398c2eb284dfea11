#include "app/qt_dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

#include "app/qt_text.h"

namespace paylog {
namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

// The active window is the parent, so that a box opened by a handler stays
// over the window that caused it.
MessageAnswer QtDialogs::showMessage(const MessageRequest& request) {
    const QMessageBox::StandardButtons buttons = request.buttons == MessageButtons::OkCancel
                                                     ? QMessageBox::Ok | QMessageBox::Cancel
                                                     : QMessageBox::Ok;
    QMessageBox box(qtIcon(request.icon), toQString(request.title), toQString(request.text),
                    buttons, QApplication::activeWindow());
    // Closing the box any other way than with OK counts as Cancel.
    return box.exec() == QMessageBox::Ok ? kAnswerOk : kAnswerCancel;
}

bool QtDialogs::askText(const InputRequest& request, Text& entry) {
    static const QString kOk = toQString(gbk("确认输入(&O)"));
    static const QString kCancel = toQString(gbk("取消(&C)"));
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(toQString(request.title));
    dialog.setLabelText(toQString(request.prompt));
    dialog.setTextEchoMode(request.password ? QLineEdit::Password : QLineEdit::Normal);
    dialog.setOkButtonText(kOk);
    dialog.setCancelButtonText(kCancel);
    if (dialog.exec() != QDialog::Accepted) return false;
    entry = toText(dialog.textValue());
    return true;
}

bool QtDialogs::openAddress(const Text& address) {
    return QDesktopServices::openUrl(QUrl(toQString(address)));
}

}  // namespace paylog
