#pragma once
// The timed exam: draws or keeps the lesson's question set, shows it one question at a time under
// the clock, counts the answers and stores the report card.
#include "exams/ExamDisplay.h"
#include "platform/DataControl.h"
#include "platform/Form.h"
#include "ui_RunExamForm.h"

class RunExamForm : public UiForm<Ui::RunExamForm>, public ExamDisplay {
public:
    RunExamForm() : UiForm(QStringLiteral("RunExamForm")), ExamDisplay(*this, 1) {}

    uint8_t ChosenOption = 0; // the box ticked last; not cleared between questions

    // The question set (drawn anew in start mode 2), loaded and the first question shown.
    void PrepareExam();
    // Next: counts the question on screen and shows the next one, or finishes the exam.
    void RecordAnswerAndAdvance();
    void Cmd_NextQ_Click() override { RecordAnswerAndAdvance(); }

    DataControl &Adodc1() {
        Widget();
        return *m_adodc1;
    }
    DataControl &Adodc2() {
        Widget();
        return *m_adodc2;
    }

protected:
    void Connect() override;
    void Disconnect() override;
    void Form_Load() override;
    void Form_Activate() override;
    bool Form_QueryUnload() override;

private:
    bool drawQuestionSet();
    bool loadQuestionSet();
    void refuseExam(const QString &message);
    void finish();
    bool computeScore();
    void storeReportCard(bool scored);
    void writeReportCard(const QString &examDate, bool scored, bool reopen);

    DataControl *m_adodc1 = nullptr;
    DataControl *m_adodc2 = nullptr;
    bool m_prepared = false; // the first activation after a load has made the exam
    bool m_noExam = false;   // the exam could not be made: closing asks nothing
};
