#pragma once
// The exam set-up: the lesson, the trainee and the entry code; the question count and the time per
// question come from the saved settings and are only shown.
#include "exams/SelectForm.h"
#include "platform/Form.h"
#include "ui_ExamForm.h"

class DataControl;

class ExamForm : public UiForm<Ui::ExamForm> {
public:
    ExamForm() : UiForm(QStringLiteral("ExamForm")) {}

    void CheckLessonBank();
    void Cmd_Select_Click();
    void Cmd_Start_Click();
    void Cmd_Cancel_Click();

protected:
    void Connect() override;
    void Disconnect() override;
    void Form_Load() override;

private:
    // The saved exam parameters; false when one cannot be a question count or a time (the user told).
    bool loadSavedParameters();
    void fillLessons();
    TraineeBoxes traineeBoxes();

    DataControl *Adodc1 = nullptr; // the active lessons
    DataControl *Adodc2 = nullptr; // the chosen lesson's questions
    DataControl *Adodc3 = nullptr; // the class's trainees
    DataControl *Adodc4 = nullptr; // the access switches
};
