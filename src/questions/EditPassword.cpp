#include "questions/EditPassword.h"

#include <QLineEdit>

#include "platform/Convert.h"
#include "platform/MsgBox.h"

namespace {
const QString WrongPassword = QStringLiteral("رمز شما اشتباه است");
}

EditPasswordAnswer AskEditPassword(const QString &storedPassword, QLineEdit *typedBox) {
    EditPasswordPrompt &prompt = Forms::Get<EditPasswordPrompt>();
    prompt.ShowModal();
    // The close box and Cancel are not an answer.
    if (!prompt.Confirmed())
        return EditPasswordAnswer::Cancelled;
    QString typed = prompt.Typed();
    if (typedBox) {
        typedBox->setText(typed);
        typed = typedBox->text();
    }
    return Convert::UCase(typed) == Convert::UCase(storedPassword) ? EditPasswordAnswer::Match
                                                                    : EditPasswordAnswer::Mismatch;
}

void TellWrongEditPassword() { MsgBox(WrongPassword, Msg::vbOKOnly); }

void EditPasswordPrompt::Connect() {
    On(*this, ui().cmdok, &QPushButton::clicked, [this] { cmdok_Click(); });
    On(*this, ui().cmdcancel, &QPushButton::clicked, [this] { cmdcancel_Click(); });
    On(*this, ui().txtpassword, &QLineEdit::returnPressed, [this] { cmdok_Click(); });
}

// Every showing asks afresh.
void EditPasswordPrompt::Form_Load() {
    m_confirmed = false;
    m_typed.clear();
}

void EditPasswordPrompt::cmdok_Click() {
    m_typed = ui().txtpassword->text();
    m_confirmed = true;
    Unload();
}

void EditPasswordPrompt::cmdcancel_Click() { Unload(); }
