#include "exams/RunExamForm.h"

#include <QDate>
#include <algorithm>

#include "exams/ChartForm.h"
#include "exams/ExamTexts.h"
#include "exams/QuestionDraw.h"
#include "exams/Score.h"
#include "exams/frmtest.h"
#include "platform/Convert.h"
#include "platform/BusyMessages.h"
#include "platform/Db.h"
#include "platform/MouseEvents.h"
#include "platform/MsgBox.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"

using namespace Module1;

void RunExamForm::Connect() {
    FormWidget *widget = Widget();
    m_adodc1 = new DataControl(widget);
    m_adodc2 = new DataControl(widget);
    BindControls(ExamControls::From(ui()));
    for (int k = 0; k < 4; ++k) {
        QCheckBox *box = c.Check[k];
        Guard::Connect(box, &QCheckBox::clicked, widget, [this, k](bool ticked) {
            if (ticked)
                ChosenOption = uint8_t(k + 1);
        });
        // With the mouse at most one box stays ticked; the Space key ticks without unticking the others.
        MouseEvents::Install(box, {.up = [this, k](Qt::MouseButton, Qt::MouseButtons, QPoint) {
                                 for (int other = 0; other < 4; ++other)
                                     if (other != k)
                                         c.Check[other]->setChecked(false);
                             }});
    }
}

void RunExamForm::Disconnect() {
    ReleaseControls();
    m_adodc1 = nullptr;
    m_adodc2 = nullptr;
}

void RunExamForm::Form_Load() {
    m_adodc1->ConnectionString = ConnectionString;
    m_adodc2->ConnectionString = ConnectionString;
    // Opened only to append this exam's row: the class's earlier report cards are not read in.
    m_adodc2->RecordSource = SharedDatabase::SelectAll(SharedDatabase::ReportCardTableName(ClassNumberText)) +
                             QStringLiteral(" WHERE 0");
    try {
        m_adodc2->Refresh();
    } catch (const Db::DbError &) {
        // Opened again when the report card is written; that is where a failure is told.
    }
    ExamFinished = false;
    m_prepared = false;
    m_noExam = false;
}

void RunExamForm::Form_Activate() {
    if (m_prepared)
        return;
    m_prepared = true;
    PrepareExam();
}

void RunExamForm::PrepareExam() {
    ExamFinished = false;
    QuestionIndex = 0;
    try {
        if (StartMode == 2 && !drawQuestionSet())
            return;
        if (!loadQuestionSet())
            return;
    } catch (const Db::BusyError &) {
        refuseExam(Db::BusyMessage);
        return;
    } catch (const Db::DbError &) {
        refuseExam(ExamTexts::DatabaseFailed);
        return;
    }

    QuestionIndex = 0;
    CorrectCount = 0;
    WrongCount = 0;
    BlankCount = 0;
    ShowHeader();
    c.Cmd_NextQ->setEnabled(true);
    c.Cmd_Cancel->setEnabled(true);
    for (QCheckBox *box : c.Check)
        box->setEnabled(true);
    ShowQuestion();
}

// A new set, checked before it is marked: a refused draw leaves the marks as they were.
bool RunExamForm::drawQuestionSet() {
    const QuestionDraw::Outcome drawn = QuestionDraw::Draw(
        Db::Database(ConnectionString), SharedDatabase::QuestionTableName(CurrentLessonName), QuestionCount);
    switch (drawn.kind) {
    case QuestionDraw::Outcome::Drawn:
        return true;
    case QuestionDraw::Outcome::TooFewRows:
        refuseExam(ExamTexts::QuestionSetChanged);
        return false;
    case QuestionDraw::Outcome::BadCorrectOption:
        refuseExam(ExamTexts::BadCorrectOption.arg(drawn.badId));
        return false;
    }
    return false;
}

// The marked rows in table order into the question arrays; false (and the exam refused) when the
// set is not the exam's or a row cannot be asked.
bool RunExamForm::loadQuestionSet() {
    const int n = QuestionCount;
    m_adodc1->RecordSource = SharedDatabase::SelectAll(SharedDatabase::QuestionTableName(CurrentLessonName)) +
                             SharedDatabase::MarkedRows;
    m_adodc1->Refresh();
    Recordset &rows = m_adodc1->Recordset();
    // Another workstation may have drawn or changed the marks since the set-up counted them.
    if (n == 0 || rows.RecordCount() != n) {
        refuseExam(ExamTexts::QuestionSetChanged);
        return false;
    }
    Array2D<QString> questions, answers;
    Array2D<int> options;
    questions.ReDim(1, n);
    answers.ReDim(4, n);
    options.ReDim(2, n);
    for (int i = 0; i < n; ++i, rows.MoveNext()) {
        const uint8_t correct = QuestionDraw::CorrectOption(rows.Value(QStringLiteral("Trueanswer")));
        if (correct == 0) {
            refuseExam(ExamTexts::BadCorrectOption.arg(rows.Value(QStringLiteral("ID")).toString()));
            return false;
        }
        questions(0, i) = rows.Value(QStringLiteral("Question")).toString();
        for (int k = 0; k < 4; ++k)
            answers(k, i) = rows.Value(QStringLiteral("answer%1").arg(k + 1)).toString();
        options(0, i) = correct;
    }
    QuestionTexts = std::move(questions);
    AnswerTexts = std::move(answers);
    CorrectOptions = std::move(options);
    return true;
}

void RunExamForm::refuseExam(const QString &message) {
    if (Timer1())
        Timer1()->stop();
    m_noExam = true;
    MsgBox(message, Msg::vbExclamation, QString());
    ResetChartGlobals();
    Unload();
}

void RunExamForm::RecordAnswerAndAdvance() {
    const int i = QuestionIndex - 1;
    const bool answered = std::any_of(c.Check.begin(), c.Check.end(), [](QCheckBox *box) { return box->isChecked(); });
    if (!answered) {
        Convert::IncByte(BlankCount);
        CorrectOptions(1, i) = 0;
    } else {
        CorrectOptions(1, i) = ChosenOption;
        Convert::IncByte(ChosenOption == CurrentCorrectOption ? CorrectCount : WrongCount);
    }
    for (QCheckBox *box : c.Check)
        box->setChecked(false);

    if (NumberShown() == QuestionCount) {
        finish();
        return;
    }
    ShowQuestion();
    if (NumberShown() == QuestionCount)
        c.Cmd_NextQ->setText(ExamTexts::EndOfExamCaption);
}

void RunExamForm::finish() {
    Timer1()->stop();
    ElapsedTimeText = ElapsedText();
    StartMode = 0;
    const bool scored = computeScore();
    storeReportCard(scored);
    ExamFinished = true;
    if (MsgBox(ExamTexts::ReviewQuestion, Msg::vbYesNo + Msg::vbQuestion, QString()) == Msg::vbYes) {
        Unload();
        Forms::Get<frmtest>().ShowModal();
    } else {
        Unload();
        ChartForm &chart = Forms::Get<ChartForm>();
        chart.ui().Command1->setEnabled(true);
        chart.ShowModal();
    }
}

// A score a 16-bit number cannot hold is told, never wrapped; the row then goes without one.
bool RunExamForm::computeScore() {
    const std::optional<int16_t> score = Score::Exact(CorrectCount, WrongCount);
    ExamScore = score.value_or(0);
    if (!score)
        MsgBox(ExamTexts::ScoreOutOfRange, Msg::vbExclamation, QString());
    return score.has_value();
}

// The exam's one lasting result: asked again until it is stored or the trainee gives it up.
void RunExamForm::storeReportCard(bool scored) {
    const QString examDate = PersianDate(QDate::currentDate(), 3).value_or(QString());
    ReportExamDate = examDate;
    for (bool reopen = false;; reopen = true) {
        try {
            writeReportCard(examDate, scored, reopen);
            return;
        } catch (const Db::DbError &) {
            if (MsgBox(ExamTexts::StoreFailed, Msg::vbYesNo + Msg::vbExclamation, ExamTexts::WarningTitle) != Msg::vbYes)
                return;
        }
    }
}

void RunExamForm::writeReportCard(const QString &examDate, bool scored, bool reopen) {
    Recordset &card = m_adodc2->Recordset();
    // A failed try may leave the snapshot without the table or with a row the file does not have.
    if (reopen || !card.IsOpen())
        m_adodc2->Refresh();
    // All of the row or none of it, whatever fails on the way.
    Db::Transaction transaction(Db::Database(ConnectionString));
    try {
        card.AddNew();
        card.SetValue(QStringLiteral("name"), SelectedTraineeName);
        card.SetValue(QStringLiteral("codemeli"), EnteredNationalCode);
        card.SetValue(QStringLiteral("KID"), EnteredNationalCode);
        card.SetValue(QStringLiteral("Lesson"), CurrentLessonName);
        card.SetValue(QStringLiteral("ExamDate"), examDate);
        card.SetValue(QStringLiteral("Qcount"), int(QuestionCount));
        card.SetValue(QStringLiteral("Answertime"), ElapsedTimeText);
        card.SetValue(QStringLiteral("Fulltime"), c.Full_Time->text());
        card.SetValue(QStringLiteral("TAnswer"), int(CorrectCount));
        card.SetValue(QStringLiteral("fAnswer"), int(WrongCount));
        card.SetValue(QStringLiteral("nAnswer"), int(BlankCount));
        card.SetValue(QStringLiteral("Emtiyaz"), scored ? QVariant(int(ExamScore)) : QVariant());
        card.Update();
        transaction.Commit();
    } catch (const Db::DbError &) {
        card.CancelUpdate();
        throw;
    }
}

bool RunExamForm::Form_QueryUnload() {
    if (ExamFinished || m_noExam)
        return true;
    return ConfirmLeave(ExamTexts::LeaveExamQuestion);
}
