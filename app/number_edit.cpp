#include "app/number_edit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

namespace paylog {
namespace {

bool isNumberCharacter(QChar c) { return (c >= u'0' && c <= u'9') || c == u'-' || c == u'.'; }

}  // namespace

NumberEdit::NumberEdit(const QString& text, EmptyOn emptyOn, QWidget* parent)
    : QLineEdit(text, parent), emptyOn_(emptyOn) {
    setAlignment(Qt::AlignCenter);
    // An input method would commit its text past the key filter below.
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

// Only typed characters are filtered; control keys, shortcuts (copy, paste,
// undo) and texts set by the program pass as they are.
void NumberEdit::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.front().isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (printable && !acceptsTyped(typed)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

bool NumberEdit::acceptsTyped(const QString& typed) const {
    if (!std::all_of(typed.begin(), typed.end(), isNumberCharacter)) return false;
    // Typing over a selection replaces it.
    const qsizetype kept = text().size() - selectedText().size();
    return kept + typed.size() <= kMaxTypedLength;
}

// Entering means moving to the box (Tab, a click, a shortcut); the window
// getting the focus back, or a popup closing, leaves the text alone.
void NumberEdit::focusInEvent(QFocusEvent* event) {
    const bool entered =
        event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
    if (emptyOn_ == EmptyOn::Entry && entered) clear();
    QLineEdit::focusInEvent(event);
}

void NumberEdit::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (emptyOn_ == EmptyOn::LeftButtonRelease && event->button() == Qt::LeftButton) clear();
}

}  // namespace paylog
