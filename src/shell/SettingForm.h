#pragma once
// The settings window: the entry password, the exam parameters, the edit password and the access
// switches of the shared settings row. While the program is locked only the entry password's page
// can be reached; the save still writes all of it back.
#include "platform/Form.h"
#include "ui_SettingForm.h"

class DataControl;
class QLineEdit;

class SettingForm : public UiForm<Ui::SettingForm> {
public:
    SettingForm() : UiForm(QStringLiteral("SettingForm")) {}

    // The shared settings row; its access switches and edit password are bound to page 2.
    DataControl *Adodc1 = nullptr;

    void Cmd_Test_Click();
    void cmdtest2_Click();
    void SSTab_Click(int page);
    // Tool bar buttons by their 1-based place: 1 closes, 3 saves.
    void Toolbar1_ButtonClick(int button);

protected:
    void Connect() override;
    void Disconnect() override;
    void Form_Load() override;

private:
    void Save();
    bool OldPasswordMatches(QLineEdit *typed, const QString &stored);
    void SaveNewPassword(QLineEdit *box, const QString &key);
    void UpdateSettingRow();

    // The saved entry password, read at each load.
    QString m_savedPass;
};
