#include "shell/LoginForm.h"

#include <QAction>

#include "platform/App.h"
#include "platform/Convert.h"
#include "platform/KeyFilter.h"
#include "platform/MsgBox.h"
#include "shell/Module1.h"

using namespace Module1;

namespace {
// Typed letters are upper-cased before the list is looked at, so the lower-case ones never count.
const QString PasswordChars = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabc ");
} // namespace

void LoginForm::Connect() {
    auto &u = ui();
    KeyFilter::Install(u.Text1, PasswordChars, KeyFilter::Allowed, [this] { CheckPassword(); });
    On(*this, u.Button1, &QAction::triggered, [this] { Toolbar1_ButtonClick(1); });
    On(*this, u.Button2, &QAction::triggered, [this] { Toolbar1_ButtonClick(2); });
}

void LoginForm::Toolbar1_ButtonClick(int button) {
    if (button == 1)
        App::End();
    else if (button == 2)
        CheckPassword();
}

void LoginForm::CheckPassword() {
    auto &u = ui();
    // Start-up always saves a password; none at all means the saved settings could not be read,
    // and an empty box must not unlock the program then.
    const QString saved = GetSetting(QStringLiteral("Pass"));
    if (!saved.isEmpty() && Convert::UCase(u.Text1->text()) == Convert::UCase(saved)) {
        UnlockedFlag = 1;
        Unload();
        return;
    }
    MsgBox(QStringLiteral(" متاسقانه کلمه عبور شما فاقد اعتبار است "), Msg::vbCritical, QStringLiteral(" "));
    u.Text1->setFocus();
    u.Text1->selectAll();
}
