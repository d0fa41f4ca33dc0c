#include "ExamTestSupport.h"

#include <QSqlQuery>
#include <QTest>

#include "exams/RunExamForm.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"

void ExamFixture::SetUp() {
    AppFixture::SetUp();
    MakeDatabase(false);
    Module1::ClassNumberText = QStringLiteral("3");
}

void ExamFixture::SetUpExam(int questions, int seconds, int startMode) {
    Module1::CurrentLessonName = lesson;
    Module1::SelectedTraineeName = QStringLiteral("Sara  Rahimi");
    Module1::EnteredNationalCode = QStringLiteral("1234567890");
    Module1::QuestionCount = uint8_t(questions);
    Module1::SecondsPerQuestion = uint8_t(seconds);
    Module1::TotalMinutesText = QStringLiteral("13.33");
    Module1::StartMode = uint8_t(startMode);
}

RunExamForm &ExamFixture::StartExam() {
    RunExamForm &form = Forms::Get<RunExamForm>();
    form.ShowModal();
    return form;
}

QString ExamFixture::Table() const { return Db::QuoteIdent(SharedDatabase::QuestionTableName(lesson)); }

QList<qint64> ExamFixture::MarkedIds() {
    QList<qint64> ids;
    QSqlQuery query = Db::Exec(TestDb(), QStringLiteral("SELECT ID FROM ") + Table() + QStringLiteral(" WHERE AfterRun<>0"));
    while (query.next())
        ids << query.value(0).toLongLong();
    return ids;
}

void ExamFixture::MarkIds(const QList<qint64> &ids) {
    Exec(QStringLiteral("UPDATE ") + Table() + QStringLiteral(" SET AfterRun=0"));
    for (qint64 id : ids)
        Exec(QStringLiteral("UPDATE ") + Table() + QStringLiteral(" SET AfterRun=-1 WHERE ID=?"), {id});
}

int ExamFixture::ReportCards() { return Scalar(QStringLiteral("SELECT count(*) FROM Karnameh3")).toInt(); }

void AnswerAll(RunExamForm &form, int correct, int wrong) {
    const int n = Module1::QuestionCount;
    for (int q = 0; q < n && form.IsLoaded(); ++q) {
        const int right = form.CurrentCorrectOption;
        const int option = q < correct ? right : (q < correct + wrong ? right % 4 + 1 : 0);
        if (option > 0)
            QTest::mouseClick(ExamControls::From(form.ui()).Check[option - 1], Qt::LeftButton);
        form.Cmd_NextQ_Click();
    }
}
