// The report-card tab of the trainee list: the current trainee's cards, the score of the chosen
// card under the points saved now, and its chart.
#include <QHeaderView>

#include "exams/ChartForm.h"
#include "exams/Score.h"
#include "platform/Bindings.h"
#include "platform/Convert.h"
#include "platform/DataControl.h"
#include "platform/MouseEvents.h"
#include "platform/MsgBox.h"
#include "platform/RecordMoves.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"
#include "trainees/KaramoozList.h"
#include "trainees/KaramoozTexts.h"
#include "trainees/ProgressDelayLoop.h"

using namespace Module1;

using KaramoozTexts::Warn;

namespace {
// The field's value on the current card, or nothing when no card is current.
QString cardText(const Recordset &cards, const QString &field) {
    if (!cards.IsOpen() || cards.IsBOF() || cards.IsEOF())
        return QString();
    return Bindings::DisplayText(cards.Value(field));
}
} // namespace

void KaramoozList::ConnectCards() {
    auto &u = ui();
    Bindings::BindGrid(u.DataGrid2, Adodc2, KaramoozTexts::CardColumns);
    u.DataGrid2->verticalHeader()->hide();
    // A card's few columns fit side by side; its exam date carries the weekday.
    u.DataGrid2->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    const std::pair<QLineEdit *, const char *> boxes[] = {
        {u.Text7, "lesson"}, {u.tdate, "ExamDate"}, {u.T1, "QCount"},   {u.T2, "Tanswer"},
        {u.T3, "FAnswer"},   {u.T4, "NAnswer"},     {u.T5, "fulltime"}, {u.T6, "AnswerTime"}};
    for (const auto &[box, field] : boxes)
        Bindings::Bind(box, Adodc2, QLatin1String(field));

    OnClick(*this, u.Cmd_D_Name, &KaramoozList::Cmd_D_Name_Click);
    OnClick(*this, u.Cmd_ExDate, &KaramoozList::Cmd_ExDate_Click);
    // After the press has made the clicked row current; an empty grid has no row to click.
    MouseEvents::Install(u.DataGrid2->viewport(), {.up = [this](Qt::MouseButton button, Qt::MouseButtons, QPoint) {
                             if (button == Qt::LeftButton)
                                 DataGrid2_Click();
                         }});
    OnClick(*this, u.cmdback, &KaramoozList::cmdback_Click);
    OnClick(*this, u.cmdnext, &KaramoozList::cmdnext_Click);
    OnClick(*this, u.Cmd_ReMake, &KaramoozList::Cmd_ReMake_Click);
    OnClick(*this, u.Cmd_ShowChart, &KaramoozList::Cmd_ShowChart_Click);
    OnClick(*this, u.Command4, &KaramoozList::Command4_Click);
    MouseEvents::Install(u.Command4, {.move = [this](Qt::MouseButton, Qt::MouseButtons, QPoint) {
                             Command4_MouseMove();
                         }});
}

void KaramoozList::LoadCards() {
    if (TraineeCount() == 0)
        return;
    ShowCards();
}

// A code that is not a plain number finds no card, where inserted into the text it would break the query.
QString KaramoozList::CardSource(const QString &classNumberText) {
    return SharedDatabase::SelectAll(SharedDatabase::ReportCardTableName(classNumberText)) +
           QStringLiteral(" WHERE KID=?");
}

void KaramoozList::ShowCards() {
    auto &u = ui();
    Adodc2->CommandType = DataControl::adCmdText;
    Adodc2->RecordSource = CardSource(ClassNumberText);
    int cards = 0;
    try {
        // After a search that found nobody no trainee is current: no code, so no one's cards.
        const Recordset &list = Adodc1->Recordset();
        const bool current = !list.IsBOF() && !list.IsEOF();
        Adodc2->RecordSourceValues = {current ? list.Value(QStringLiteral("codemeli")) : QVariant()};
        Adodc2->Refresh();
        Adodc2->Recordset().Sort(QStringLiteral("Lesson"));
        cards = Adodc2->Recordset().RecordCount();
    } catch (const Db::DbError &error) {
        KaramoozTexts::TellFailure(error, KaramoozTexts::CardsUnreadable);
    }
    u.Cmd_ReMake->setEnabled(cards >= 1);
    u.Cmd_ShowChart->setEnabled(cards >= 1);
    // A click on the empty grid of a trainee without cards switched it off.
    if (cards >= 1)
        u.DataGrid2->setEnabled(true);
}

void KaramoozList::SortCards(const QString &field) {
    try {
        if (Adodc2->Recordset().IsOpen())
            Adodc2->Recordset().Sort(field);
    } catch (const Db::DbError &error) {
        KaramoozTexts::TellFailure(error, KaramoozTexts::CardsUnreadable);
    }
}

void KaramoozList::Cmd_D_Name_Click() { SortCards(QStringLiteral("Lesson")); }
void KaramoozList::Cmd_ExDate_Click() { SortCards(QStringLiteral("ExamDate")); }

void KaramoozList::DataGrid2_Click() {
    auto &u = ui();
    const Recordset &cards = Adodc2->Recordset();
    if (!cards.IsOpen() || cards.RecordCount() == 0) {
        u.DataGrid2->setEnabled(false);
        return;
    }
    u.DataGrid2->setEnabled(true);
    const double score = Score::Points(Convert::Val(u.T2->text()), Convert::Val(u.T3->text()));
    u.T7->setText(Convert::NumberText(score));
}

void KaramoozList::cmdback_Click() { StepTrainee(-1); }
void KaramoozList::cmdnext_Click() { StepTrainee(1); }

void KaramoozList::StepTrainee(int direction) {
    Recordset &list = Adodc1->Recordset();
    if (TraineeCount() >= 1) {
        if (direction < 0)
            RecordMoves::PreviousOrFirst(list);
        else
            RecordMoves::NextOrLast(list);
        ShowCards();
    }
    ui().T7->clear();
}

// The same card query again; the lesson order is not set again.
void KaramoozList::Cmd_ReMake_Click() {
    if (!ProgressDelayLoop(ui().PBar2))
        return;
    try {
        Adodc2->Refresh();
    } catch (const Db::DbError &error) {
        KaramoozTexts::TellFailure(error, KaramoozTexts::CardsUnreadable);
    }
    ResetProgressBar(ui().PBar2);
}

void KaramoozList::Cmd_ShowChart_Click() {
    auto &u = ui();
    if (!ProgressDelayLoop(u.PBar2))
        return;
    ResetProgressBar(u.PBar2);
    ResetChartGlobals();
    const Recordset &cards = Adodc2->Recordset();
    try {
        CurrentLessonName = cardText(cards, QStringLiteral("Lesson"));
        // The chart shows this card's own date, never an earlier exam's.
        ReportExamDate = cardText(cards, QStringLiteral("ExamDate"));
    } catch (const Db::DbError &error) {
        KaramoozTexts::TellFailure(error, KaramoozTexts::CardsUnreadable);
        return;
    }
    SelectedTraineeName = u.NameBoxL->text() + QStringLiteral("  ") + u.FamilyBoxL->text();
    try {
        QuestionCount = Convert::CByte(u.T1->text());
        CorrectCount = Convert::CByte(u.T2->text());
        WrongCount = Convert::CByte(u.T3->text());
        BlankCount = Convert::CByte(u.T4->text());
    } catch (const Convert::ConversionError &) {
        // An empty count or one above 255 would chart a wrapped or made-up number.
        Warn(QStringLiteral(" تعداد سوالات و پاسخهاي اين کارنامه قابل نمايش نيست "));
        return;
    }
    TotalMinutesText = u.T5->text();
    ElapsedTimeText = u.T6->text();
    if (u.T7->text().isEmpty()) {
        MsgBox(KaramoozTexts::ChooseCard, Msg::vbOKOnly);
        return;
    }
    ExamScore = Score::Whole(Convert::Val(u.T7->text()));
    Forms::Get<ChartForm>().ShowModal();
}
