#pragma once
// The one way the program shows a message box. Styles combine buttons, icon and alignment.
#include <QString>
#include <functional>
#include <optional>

namespace Msg {
enum Style : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbMsgBoxRight = 524288,
};
enum Result : int { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

// What a test sees of one message box.
struct Call {
    QString text;
    int style = 0;
    QString title;       // the title shown
    bool titleGiven = false; // false: the box showed the program's own title
};
using Handler = std::function<int(const Call &)>;

// Tests install a handler that records the call and returns a scripted answer; nullptr restores real boxes.
void SetHandler(Handler handler);
} // namespace Msg

// No title means the program's own title; an empty title is shown empty.
int MsgBox(const QString &text, int style = Msg::vbOKOnly, const std::optional<QString> &title = std::nullopt);
