#include "platform/MsgBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QAbstractButton>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "platform/App.h"
#include "platform/Mnemonics.h"
#include "platform/Modal.h"

namespace Msg {
namespace {
Handler &handler() {
    static Handler h;
    return h;
}

int showReal(const Call &call) {
    QMessageBox box(QApplication::activeWindow());
    // The window system fills an empty title with the program's name; a blank one shows as empty.
    box.setWindowTitle(call.title.isEmpty() ? QStringLiteral(" ") : call.title);
    box.setText(call.text);
    // Screen readers announce a box by its name, which would otherwise be its title: often blank.
    box.setAccessibleName(call.text);
    box.setLayoutDirection(Qt::RightToLeft);
    switch (call.style & 0x70) {
    case vbCritical: box.setIcon(QMessageBox::Critical); break;
    case vbQuestion: box.setIcon(QMessageBox::Question); break;
    case vbExclamation: box.setIcon(QMessageBox::Warning); break;
    case vbInformation: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    switch (call.style & 0x7) {
    case vbOKCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case vbYesNoCancel: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel); break;
    case vbYesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    // The style's button icons crowd the Persian captions out of right-to-left buttons.
    for (QAbstractButton *button : box.buttons()) {
        button->setIcon(QIcon());
        button->setMinimumWidth(90);
    }
    Mnemonics::DropAll(&box);
    // Every line at the right edge, a line of hyphens too (it has no direction of its own).
    if (call.style & vbMsgBoxRight)
        if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
            label->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    switch (box.exec()) {
    case QMessageBox::Yes: return vbYes;
    case QMessageBox::No: return vbNo;
    case QMessageBox::Cancel: return vbCancel;
    default: return vbOK;
    }
}
} // namespace

void SetHandler(Handler h) { handler() = std::move(h); }
} // namespace Msg

int MsgBox(const QString &text, int style, const std::optional<QString> &title) {
    Msg::Call call;
    call.text = text;
    call.style = style;
    call.titleGiven = title.has_value();
    call.title = title.value_or(QString::fromLatin1(App::Title));
    const Modal::Session open;
    if (Msg::handler())
        return Msg::handler()(call);
    return Msg::showReal(call);
}
