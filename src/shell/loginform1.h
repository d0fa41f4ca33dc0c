#pragma once
// The path prompt: the way into the entry-password window. The folder typed here is not used.
#include "platform/Form.h"
#include "ui_loginform1.h"

class loginform1 : public UiForm<Ui::loginform1> {
public:
    loginform1() : UiForm(QStringLiteral("loginform1")) {}

    // Tool bar buttons by their 1-based place: 1 ends the program, 2 closes, 3 goes on to the password.
    void Toolbar1_ButtonClick(int button);
    // A character typed in Text1; Enter goes on to the password when button 3 allows it.
    void Text1_KeyPress(QChar key);
    void Text1_Enter();
    void Label3_DblClick();

protected:
    void Connect() override;
};
