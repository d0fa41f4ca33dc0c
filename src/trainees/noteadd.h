#pragma once
// The new-note dialog: the trainee proves who he is (picked from the class list, then the national
// code typed as the entry code) before a research note is started under the heading shown.
// StartMode tells the caller the outcome: 1 after a confirmed close, 0 after any other.
#include "exams/SelectForm.h"
#include "platform/Form.h"
#include "ui_noteadd.h"

class DataControl;

class noteadd : public UiForm<Ui::noteadd> {
public:
    noteadd() : UiForm(QStringLiteral("noteadd")) {}

    void Cmd_Select_Click();
    void Cmd_Start_Click();
    void Cmd_Cancel_Click();

protected:
    void Connect() override;
    void Disconnect() override { Adodc3 = nullptr; }
    void Form_Load() override;
    void Form_Unload() override;

private:
    TraineeBoxes traineeBoxes();

    DataControl *Adodc3 = nullptr; // counts the class's trainees
};
