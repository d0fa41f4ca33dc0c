#pragma once
// The edit password asked before a question is edited or deleted and before questions are copied or
// deleted in bulk: a small modal prompt and the comparison with the stored password.
#include "platform/Form.h"
#include "ui_EditPasswordPrompt.h"

class QLineEdit;

enum class EditPasswordAnswer {
    Match,     // the command goes on
    Mismatch,  // the caller tells the user and stops
    Cancelled, // the user closed the prompt: the caller stops without a word
};

// Shows the prompt modally; the typed password goes into typedBox (the caller's hidden box, when it
// has one) and is compared with storedPassword, both in upper case, with no trimming.
EditPasswordAnswer AskEditPassword(const QString &storedPassword, QLineEdit *typedBox = nullptr);

// What every caller tells the user on a mismatch: OK only, with the program's own title.
void TellWrongEditPassword();

class EditPasswordPrompt : public UiForm<Ui::EditPasswordPrompt> {
public:
    EditPasswordPrompt() : UiForm(QStringLiteral("EditPasswordPrompt")) {}

    void cmdok_Click();
    void cmdcancel_Click();

    // Set by the last showing: whether it was confirmed, and what was typed.
    bool Confirmed() const { return m_confirmed; }
    const QString &Typed() const { return m_typed; }

protected:
    void Connect() override;
    void Form_Load() override;

private:
    bool m_confirmed = false;
    QString m_typed;
};
