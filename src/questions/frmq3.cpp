#include "questions/frmq3.h"

#include <algorithm>

#include "platform/MouseEvents.h"
#include "shell/Module1.h"

using namespace Module1;

void frmq3::Connect() {
    auto &u = ui();
    QObject::connect(u.cmdnext, &QPushButton::clicked, Widget(), [this] { cmdnext_Click(); });
    QObject::connect(u.cmdback, &QPushButton::clicked, Widget(), [this] { cmdback_Click(); });
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
    if (heldCount() >= 1)
        ShowViewerQuestion(0);
}

int frmq3::heldCount() {
    // An exam set-up changes the count before its draw fills the arrays, so the two may disagree.
    if (QuestionTexts.Rows() < 1 || AnswerTexts.Rows() < 4 || CorrectOptions.Rows() < 2)
        return 0;
    return std::min({int(QuestionCount), QuestionTexts.Columns(), AnswerTexts.Columns(), CorrectOptions.Columns()});
}

void frmq3::ShowViewerQuestion(int k) {
    auto &u = ui();
    u.tq->setPlainText(QuestionTexts(0, k));
    u.ta1->setText(AnswerTexts(0, k));
    u.ta2->setText(AnswerTexts(1, k));
    u.ta3->setText(AnswerTexts(2, k));
    u.Combo1->setEditText(AnswerTexts(3, k));
    u.Combot->setEditText(QString::number(CorrectOptions(0, k)));
    u.Text2->setText(QString::number(CorrectOptions(1, k)));
}

void frmq3::cmdnext_Click() {
    if (ViewerPosition + 1 < heldCount()) {
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
