#pragma once
// The entry-password window: the saved entry password, typed again, unlocks the editing pages and
// commands of the other windows for the rest of the run.
#include "platform/Form.h"
#include "ui_LoginForm.h"

class LoginForm : public UiForm<Ui::LoginForm> {
public:
    // Qt draws its own tool bars and boxes: the native common controls this window once had to
    // initialise when it was created have no counterpart here, so nothing is done for them.
    LoginForm() : UiForm(QStringLiteral("LoginForm")) {}

    // Tool bar buttons by their 1-based place: 1 ends the program, 2 checks the password.
    void Toolbar1_ButtonClick(int button);

protected:
    void Connect() override;

private:
    void CheckPassword();
};
