#include "questions/frmq3.h"

#include "platform/MouseEvents.h"
#include "questions/HeldLesson.h"
#include "questions/QuestionText.h"
#include "shell/Module1.h"

using namespace Module1;

void frmq3::Connect() {
    auto &u = ui();
    AlignQuestionLines(u.tq);
    On(*this, u.cmdnext, &QPushButton::clicked, [this] { cmdnext_Click(); });
    On(*this, u.cmdback, &QPushButton::clicked, [this] { cmdback_Click(); });
    MouseEvents::Install(u.Label5, {.up = [this](Qt::MouseButton button, Qt::MouseButtons, QPoint pos) {
                             if (button == Qt::LeftButton && ui().Label5->rect().contains(pos))
                                 Label5_Click();
                         }});
}

void frmq3::Form_Load() {
    ui().DarsBox->setText(CurrentLessonName);
    ViewerPosition = 0;
}

void frmq3::Form_Activate() {
    ViewerPosition = 0;
    if (HeldLesson::FilledEntries() >= 1)
        ShowViewerQuestion(0);
}

void frmq3::ShowViewerQuestion(int k) { HeldLesson::Show(ui(), k); }

void frmq3::cmdnext_Click() {
    if (ViewerPosition + 1 < HeldLesson::FilledEntries()) {
        ++ViewerPosition;
        ShowViewerQuestion(ViewerPosition);
    }
    ui().Combot->setVisible(false);
}

void frmq3::cmdback_Click() {
    if (ViewerPosition > 0) {
        --ViewerPosition;
        ShowViewerQuestion(ViewerPosition);
    }
    ui().Combot->setVisible(false);
}

// No access switch is asked here.
void frmq3::Label5_Click() { ui().Combot->setVisible(true); }
