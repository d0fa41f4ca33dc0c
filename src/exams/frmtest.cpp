#include "exams/frmtest.h"

#include <QPalette>

#include "exams/ChartForm.h"
#include "exams/ExamTexts.h"
#include "shell/Module1.h"

using namespace Module1;

namespace {
const QColor Red(255, 0, 0);
const QColor Green(0, 255, 0);
const QColor Blue(0, 0, 255);

// An invalid background leaves the box transparent.
void colour(QLabel *box, const QColor &background, const QColor &text) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::WindowText, text);
    if (background.isValid())
        palette.setColor(QPalette::Window, background);
    box->setPalette(palette);
    box->setAutoFillBackground(background.isValid());
}
} // namespace

void frmtest::Form_Load() {
    ExamFinished = false;
    QuestionIndex = 0;
    ShowHeader();
    ShowReviewedQuestion();
}

void frmtest::ShowReviewedQuestion() {
    if (!ShowQuestion())
        return;
    const int i = QuestionIndex - 1;
    for (QLabel *box : c.AnsBox)
        colour(box, QColor(), Green);

    const uint8_t chosen = CorrectOptions(1, i);
    QString chosenText, correctText;
    if (chosen >= 1 && chosen <= 4) {
        colour(c.AnsBox[chosen - 1], Red, Blue);
        chosenText = ExamTexts::ChosenOptionTexts[chosen - 1];
    }
    // After the chosen colours: a correct answer shows as correct.
    if (CurrentCorrectOption >= 1 && CurrentCorrectOption <= 4) {
        colour(c.AnsBox[CurrentCorrectOption - 1], Blue, Green);
        correctText = ExamTexts::CorrectOptionTexts[CurrentCorrectOption - 1];
    }

    if (chosen == 0) {
        ui().lblcomment->setText(ExamTexts::BlankVerdict);
        ui().lblcomment1->setText(correctText);
    } else {
        ui().lblcomment->setText(CurrentCorrectOption == chosen ? ExamTexts::CorrectVerdict : ExamTexts::WrongVerdict);
        ui().lblcomment1->setText(chosenText + correctText);
    }
}

void frmtest::Cmd_NextQ_Click() {
    if (NumberShown() != QuestionCount) {
        ShowReviewedQuestion();
        if (NumberShown() == QuestionCount)
            c.Cmd_NextQ->setText(ExamTexts::EndOfQuestionsCaption);
        return;
    }
    Timer1()->stop();
    ExamFinished = true;
    Unload();
    // Newly loaded, so its review button stays disabled: one review per exam.
    Forms::Get<ChartForm>().ShowModal();
}

bool frmtest::Form_QueryUnload() {
    if (ExamFinished)
        return true;
    return ConfirmLeave(ExamTexts::LeaveReviewQuestion);
}
