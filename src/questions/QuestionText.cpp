#include "questions/QuestionText.h"

#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextOption>

void AlignQuestionLines(QPlainTextEdit *box) {
    QTextOption option = box->document()->defaultTextOption();
    option.setAlignment(Qt::AlignRight);
    box->document()->setDefaultTextOption(option);
}
