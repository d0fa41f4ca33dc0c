#pragma once
// The several-line boxes that show a question.
class QPlainTextEdit;

// Such a box lays its lines out from the left whatever the window's direction; a question is Persian,
// so its lines start at the right, as in the one-line boxes beside it.
void AlignQuestionLines(QPlainTextEdit *box);
