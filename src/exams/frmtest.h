#pragma once
// The answer review: the exam just taken once more, question by question, with the chosen and the
// correct option marked and a verdict; it records nothing and ends in the chart.
#include "exams/ExamDisplay.h"
#include "platform/Form.h"
#include "ui_frmtest.h"

class frmtest : public UiForm<Ui::frmtest>, public ExamDisplay {
public:
    frmtest() : UiForm(QStringLiteral("frmtest")), ExamDisplay(*this, 2) {}

    // The next question with its marks and verdict.
    void ShowReviewedQuestion();
    // Next: the next question, or after the last one the chart.
    void Cmd_NextQ_Click() override;

protected:
    void Connect() override { BindControls(ExamControls::From(ui())); }
    void Disconnect() override { ReleaseControls(); }
    void Form_Load() override;
    bool Form_QueryUnload() override;
};
