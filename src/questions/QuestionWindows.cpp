#include "questions/QuestionForm.h"
#include "questions/QuestionManagementPage.h"
#include "questions/frmq2.h"

namespace {
const QuestionBankKind BankWindow{
    .caption = QStringLiteral("  < بانک سوالات >"),
    .warnsWithoutLessons = true,
    .choosesFirstLesson = true,
    .endsOnLoadFailure = true,
    .hidesDetailsTab = false,
    .hasViewer = false,
    .copiesLessonIntoMemory = false,
    .refreshBarMoves = true,
    .showsRecordBoxes = true,
    .emptiesInputBoxes = true,
    .rereadsBeforeSave = true,
    .managesQuestions = false,
};

const QuestionBankKind BrowseWindow{
    .caption = QStringLiteral("بانک سوالات"),
    .warnsWithoutLessons = false,
    .choosesFirstLesson = false,
    .endsOnLoadFailure = false,
    .hidesDetailsTab = true,
    .hasViewer = true,
    .copiesLessonIntoMemory = true,
    .refreshBarMoves = false,
    .showsRecordBoxes = false,
    .emptiesInputBoxes = false,
    .rereadsBeforeSave = false,
    .managesQuestions = true,
};
} // namespace

QuestionForm::QuestionForm() : QuestionBankForm(QStringLiteral("QuestionForm"), BankWindow) {}

frmq2::frmq2() : QuestionBankForm(QStringLiteral("frmq2"), BrowseWindow) {}

void frmq2::LessonListed(const QString &name) { Management->AddLesson(name); }
