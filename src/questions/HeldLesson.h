#pragma once
// The lesson that the browse window holds in memory (the shared question arrays), as its details
// page and the question viewer show it.
#include <QString>

#include "shell/Module1.h"

namespace HeldLesson {

// Entries of the question arrays that can be read as a whole question: an exam set-up or a reset may
// have changed the count without the arrays.
int FilledEntries();

// Entry k into the display boxes of a window that has them.
template <class Boxes> void Show(Boxes &u, int k) {
    using namespace Module1;
    u.tq->setPlainText(QuestionTexts(0, k));
    u.ta1->setText(AnswerTexts(0, k));
    u.ta2->setText(AnswerTexts(1, k));
    u.ta3->setText(AnswerTexts(2, k));
    u.Combo1->setEditText(AnswerTexts(3, k));
    u.Combot->setEditText(QString::number(CorrectOptions(0, k)));
    u.Text2->setText(QString::number(CorrectOptions(1, k)));
}

} // namespace HeldLesson
