#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "TraineeFixture.h"
#include "exams/ChartForm.h"
#include "platform/DataControl.h"
#include "platform/SavedSettings.h"
#include "shell/Module1.h"
#include "trainees/FilterForm.h"
#include "trainees/KaramoozList.h"

using namespace Module1;
using namespace Qt::StringLiterals;

namespace {
const QString CardsUnreadable = u" کارنامه هاي اين کارآموز از پايگاه داده خوانده نشد "_s;
const QString CountsUnfit = u" تعداد سوالات و پاسخهاي اين کارنامه قابل نمايش نيست "_s;

// Trainee 3 has two cards, 12 one, 7 none.
class KaramoozCardsTest : public TraineeFixture {
protected:
    void SetUp() override {
        TraineeFixture::SetUp();
        AddCard(code(3), u"Physics"_s, 20, 10, 3, 7, u"1403/07/05"_s);
        AddCard(code(3), u"Algebra"_s, 20, 1, 5, 14, u"1403/02/11"_s);
        AddCard(code(12), u"Chemistry"_s, 20, 7, 3, 10, u"1402/11/30"_s);
    }
    static qint64 code(int id) {
        for (const Trainee &t : Class())
            if (t.id == id)
                return t.code;
        return 0;
    }
    // The list opened and turned to the cards of one trainee, as the list's own steps do.
    void OpenCards(int id) {
        if (!List().IsLoaded())
            OpenList();
        u().SSTab->setCurrentIndex(KaramoozList::ListTab);
        MakeCurrent(id);
        u().SSTab->setCurrentIndex(KaramoozList::CardsTab);
    }
    QStringList Lessons() {
        QAbstractItemModel *model = u().DataGrid2->model();
        QStringList lessons;
        for (int r = 0; r < model->rowCount(); ++r)
            lessons << model->index(r, 1).data().toString();
        return lessons;
    }
    bool CardCommandsOn() { return u().Cmd_ReMake->isEnabled() && u().Cmd_ShowChart->isEnabled(); }
};

TEST_F(KaramoozCardsTest, DoubleClickLoadsTheTraineesCardsByLesson) {
    OpenList();
    DoubleClickRow(0);
    ASSERT_EQ(u().SSTab->currentIndex(), 2);
    QAbstractItemModel *model = u().DataGrid2->model();
    QStringList captions;
    for (int c = 0; c < model->columnCount(); ++c)
        captions << model->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(captions, (QStringList{u" درس "_s, u"Lesson"_s, u"ExamDate"_s, u"QCount"_s, u"AnswerTime"_s, u"TAnswer"_s, u"FAnswer"_s, u"NAnswer"_s, u"Emtiyaz"_s}));
    EXPECT_EQ(Lessons(), (QStringList{u"Algebra"_s, u"Physics"_s}));
    EXPECT_EQ(model->index(0, 0).data().toString(), u"1295218471"_s);
    EXPECT_TRUE(CardCommandsOn());
    EXPECT_EQ(u().NameBoxL->text(), u"محمدرضا"_s);
    EXPECT_EQ(u().FamilyBoxL->text(), u"ملکی"_s);
    // The boxes follow the current card.
    const std::pair<QLineEdit *, QString> boxes[] = {{u().Text7, u"Algebra"_s}, {u().tdate, u"1403/02/11"_s},
                                                     {u().T1, u"20"_s},        {u().T2, u"1"_s},
                                                     {u().T3, u"5"_s},         {u().T4, u"14"_s},
                                                     {u().T5, u"13.33"_s},     {u().T6, u"05:10"_s}};
    for (const auto &[box, text] : boxes)
        EXPECT_EQ(box->text(), text) << box->objectName().toStdString();
    EXPECT_EQ(u().T7->text(), QString());
    ClickCard(1);
    EXPECT_EQ(u().Text7->text(), u"Physics"_s);

    // Sorting by exam date, and back by lesson.
    QTest::mouseClick(u().Cmd_ExDate, Qt::LeftButton);
    EXPECT_EQ(Lessons(), (QStringList{u"Algebra"_s, u"Physics"_s}));
    AddCard(code(3), u"Biology"_s, 20, 1, 1, 18, u"1401/01/01"_s);
    QTest::mouseClick(u().Cmd_ReMake, Qt::LeftButton);
    // The reload runs the same query and does not sort again: rows in stored order.
    EXPECT_EQ(Lessons(), (QStringList{u"Physics"_s, u"Algebra"_s, u"Biology"_s}));
    EXPECT_FALSE(u().PBar2->isVisible());
    EXPECT_EQ(u().PBar2->value(), 0);
    QTest::mouseClick(u().Cmd_ExDate, Qt::LeftButton);
    EXPECT_EQ(Lessons(), (QStringList{u"Biology"_s, u"Algebra"_s, u"Physics"_s}));
    QTest::mouseClick(u().Cmd_D_Name, Qt::LeftButton);
    EXPECT_EQ(Lessons(), (QStringList{u"Algebra"_s, u"Biology"_s, u"Physics"_s}));
}

TEST_F(KaramoozCardsTest, ATraineeWithoutCardsSwitchesTheGridOffUntilCardsAreLoaded) {
    OpenCards(7);
    EXPECT_EQ(u().DataGrid2->model()->rowCount(), 0);
    EXPECT_FALSE(u().Cmd_ReMake->isEnabled());
    EXPECT_FALSE(u().Cmd_ShowChart->isEnabled());
    ClickCard(-1);
    EXPECT_FALSE(u().DataGrid2->isEnabled());
    EXPECT_EQ(u().T7->text(), QString());
    OpenCards(12);
    EXPECT_TRUE(u().DataGrid2->isEnabled());
    EXPECT_TRUE(CardCommandsOn());
    ClickCard(0);
    EXPECT_EQ(u().T7->text(), u"7"_s);
}

TEST_F(KaramoozCardsTest, ScoreOfTheClickedCardUnderTheSavedPoints) {
    struct Case {
        const char *correctPoints, *wrongPoints;
        int right, wrong;
        QString score;
    };
    const Case cases[] = {
        {"1", "0", 10, 3, u"10"_s},    {"2", "0.5", 10, 3, u"18.5"_s}, {"2", "0.5", 1, 5, u"-0.5"_s},
        {"1", "1", 3, 8, u"-5"_s},     {"1.5", "0", 5, 0, u"7.5"_s},   {"2x", " 1", 4, 10, u"-2"_s},
        {nullptr, nullptr, 10, 3, u"0"_s},
    };
    OpenList();
    for (const Case &c : cases) {
        if (c.correctPoints)
            SetPoints(QString::fromLatin1(c.correctPoints), QString::fromLatin1(c.wrongPoints));
        else
            QFile::remove(QDir(SavedSettings::Folder()).filePath(u"Quorvel.ini"_s));
        Exec(u"DELETE FROM Karnameh3"_s);
        AddCard(code(12), u"Chemistry"_s, 20, c.right, c.wrong, 0);
        OpenCards(12);
        ClickCard(0);
        EXPECT_EQ(u().T7->text(), c.score) << c.right << " " << c.wrong;
        EXPECT_TRUE(u().DataGrid2->isEnabled());
    }
}

TEST_F(KaramoozCardsTest, PreviousAndNextStayAtTheEndsAndReloadTheCards) {
    UnlockedFlag = 1;
    OpenList();
    ASSERT_TRUE(u().cmdnext->isEnabled());
    struct Case {
        int from;
        QPushButton *button;
        int to;
        QStringList lessons;
    };
    const Case cases[] = {
        {12, u().cmdnext, 12, {u"Chemistry"_s, u"Late"_s}},
        {3, u().cmdback, 3, {u"Algebra"_s, u"Physics"_s}},
        {3, u().cmdnext, 7, {}},
        {12, u().cmdback, 7, {}},
    };
    for (const Case &c : cases) {
        OpenCards(c.from);
        ClickCard(0);
        // A card stored since the tab was opened shows only through the reload.
        if (c.from == 12)
            AddCard(code(12), u"Late"_s, 20, 1, 1, 18);
        QTest::mouseClick(c.button, Qt::LeftButton);
        EXPECT_EQ(CurrentId(), c.to) << c.from << " " << c.button->objectName().toStdString();
        EXPECT_EQ(Lessons(), c.lessons) << c.from;
        EXPECT_EQ(u().T7->text(), QString());
        EXPECT_EQ(CardCommandsOn(), !c.lessons.isEmpty());
        Exec(u"DELETE FROM Karnameh3 WHERE Lesson='Late'"_s);
    }
}

TEST_F(KaramoozCardsTest, ChartOpensWithTheChosenCardAndItsOwnDate) {
    ReportExamDate = u"1399/01/01"_s; // an earlier exam's
    OpenCards(3);
    ClickCard(1);
    QString date, trainee, lesson;
    QStringList counts;
    modal.On(u"ChartForm"_s, [&](QDialog &) {
        auto &chart = Forms::Get<ChartForm>().ui();
        date = chart.Date_Lable->text();
        trainee = chart.K_Lable->text();
        lesson = chart.K_Dars->text();
        counts = {chart.T1->text(), chart.T2->text(), chart.T3->text(), chart.T4->text(), chart.T5->text(),
                  chart.T6->text(), chart.T7->text()};
    });
    QTest::mouseClick(u().Cmd_ShowChart, Qt::LeftButton);
    EXPECT_TRUE(msgs.calls.empty());
    EXPECT_EQ(modal.opened.back(), u"ChartForm"_s);
    EXPECT_EQ(date, u"1403/07/05"_s);
    EXPECT_EQ(trainee, u"محمدرضا  ملکی"_s);
    EXPECT_EQ(lesson, u"Physics"_s);
    EXPECT_EQ(counts, (QStringList{u"20"_s, u"10"_s, u"3"_s, u"7"_s, u"13.33"_s, u"05:10"_s, u"10"_s}));
    EXPECT_FALSE(u().PBar2->isVisible());
}

TEST_F(KaramoozCardsTest, ChartWithoutAClickedCardIsRefusedAfterTheAnimation) {
    OpenCards(3);
    ClickCard(0);
    // Back to the list and again to the cards: the score was cleared.
    u().SSTab->setCurrentIndex(KaramoozList::ListTab);
    EXPECT_EQ(u().T7->text(), QString());
    u().SSTab->setCurrentIndex(KaramoozList::CardsTab);
    LoopIndex = QVariant();
    QTest::mouseClick(u().Cmd_ShowChart, Qt::LeftButton);
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, u" دوره مورد نظر را انتخاب کن  "_s);
    EXPECT_EQ(msgs.Last().style, 0);
    EXPECT_FALSE(msgs.Last().titleGiven);
    EXPECT_EQ(LoopIndex.toInt(), 100);
    EXPECT_FALSE(u().PBar2->isVisible());
    EXPECT_EQ(u().PBar2->value(), 0);
    EXPECT_TRUE(std::find(modal.opened.begin(), modal.opened.end(), u"ChartForm"_s) == modal.opened.end());
    // What was filled before the check stays.
    EXPECT_EQ(CurrentLessonName, u"Algebra"_s);
    EXPECT_EQ(QuestionCount, 20);
    EXPECT_EQ(BlankCount, 14);
}

// Whatever the chart refuses, the bar has run first.
TEST_F(KaramoozCardsTest, TheBusyBarRunsBeforeTheChartsChecks) {
    const struct {
        QVariant count;
        bool clicked;
        QString message;
    } cases[] = {
        {20, false, u" دوره مورد نظر را انتخاب کن  "_s},
        {300, true, CountsUnfit},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        Exec(u"DELETE FROM Karnameh3"_s);
        AddCard(code(12), u"Chemistry"_s, c.count, 7, 3, 10);
        OpenCards(12);
        if (c.clicked)
            ClickCard(0);
        msgs.Clear();
        bool barFirst = false;
        const QObject scope; // the check goes with this pass of the loop
        QTimer::singleShot(0, &scope, [&] { barFirst = u().PBar2->isVisible() && msgs.calls.empty(); });
        QTest::mouseClick(u().Cmd_ShowChart, Qt::LeftButton);
        EXPECT_TRUE(barFirst);
        ASSERT_EQ(msgs.calls.size(), 1u);
        EXPECT_EQ(msgs.Last().text, c.message);
        EXPECT_FALSE(u().PBar2->isVisible());
    }
}

TEST_F(KaramoozCardsTest, TheScoreHandedToTheChartRoundsHalvesToEven) {
    SetPoints(u"0.5"_s, u"0"_s);
    const std::pair<int, int> cases[] = {{5, 2}, {7, 4}, {3, 2}, {9, 4}};
    for (const auto &[right, handed] : cases) {
        Exec(u"DELETE FROM Karnameh3"_s);
        AddCard(code(12), u"Chemistry"_s, 20, right, 0, 20 - right);
        OpenCards(12);
        ClickCard(0);
        // Loaded beforehand, the chart does not recompute on showing: what the list handed over stays.
        Forms::Get<ChartForm>().Load();
        int16_t seen = -1;
        modal.On(u"ChartForm"_s, [&](QDialog &) { seen = ExamScore; });
        QTest::mouseClick(u().Cmd_ShowChart, Qt::LeftButton);
        EXPECT_EQ(seen, handed) << right;
        Forms::Get<ChartForm>().Unload();
    }
}

TEST_F(KaramoozCardsTest, CountsThatAByteCannotHoldAreToldAtTheChart) {
    for (const QVariant &count : {QVariant(), QVariant(300)}) {
        Exec(u"DELETE FROM Karnameh3"_s);
        AddCard(code(12), u"Chemistry"_s, count, 7, 3, 10);
        OpenCards(12);
        ClickCard(0);
        msgs.Clear();
        QTest::mouseClick(u().Cmd_ShowChart, Qt::LeftButton);
        ASSERT_EQ(msgs.calls.size(), 1u) << count.toInt();
        EXPECT_EQ(msgs.Last().text, CountsUnfit);
        EXPECT_EQ(msgs.Last().style, 48);
        EXPECT_TRUE(modal.opened.back() != u"ChartForm"_s);
    }
}

// A code search that found nobody leaves no trainee current: the cards tab then shows no one's cards.
TEST_F(KaramoozCardsTest, WithNoTraineeCurrentTheCardsTabShowsNoCards) {
    OpenCards(3);
    ASSERT_EQ(Lessons().size(), 2);
    u().SSTab->setCurrentIndex(KaramoozList::ListTab);
    FilterForm::ShowFor(List().Adodc1, u().SSTab);
    auto &search = Forms::Get<FilterForm>();
    search.ui().T1->setText(u"999"_s);
    QTest::mouseClick(search.ui().cmd_find, Qt::LeftButton);
    QTest::mouseClick(search.ui().Cmd_Cancel, Qt::LeftButton);
    ASSERT_EQ(CurrentId(), -1);
    u().SSTab->setCurrentIndex(KaramoozList::CardsTab);
    EXPECT_EQ(u().NameBoxL->text(), QString());
    EXPECT_EQ(Lessons(), QStringList());
    EXPECT_EQ(u().Text7->text(), QString());
    EXPECT_FALSE(CardCommandsOn());
}

// Exams store their date with the weekday: the box and the grid show it whole.
TEST_F(KaramoozCardsTest, TheExamDateIsShownWhole) {
    const QString date = u"چهارشنبه  12  دي  1403"_s;
    Exec(u"UPDATE Karnameh3 SET ExamDate=?"_s, {date});
    OpenCards(3);
    ProcessEvents();
    ASSERT_EQ(u().tdate->text(), date);
    EXPECT_LE(u().tdate->fontMetrics().horizontalAdvance(date) + 8, u().tdate->width());
    QTableView *grid = u().DataGrid2;
    EXPECT_LE(grid->fontMetrics().horizontalAdvance(date) + 8, grid->columnWidth(2));
}

// With the report cards switched off, a code search shows the trainee in the list, not his cards.
TEST_F(KaramoozCardsTest, ACodeSearchKeepsSwitchedOffCardsClosed) {
    for (const int access : {0, -1}) {
        SCOPED_TRACE(access);
        SetSwitch(access);
        OpenList();
        FilterForm::ShowFor(List().Adodc1, u().SSTab);
        auto &search = Forms::Get<FilterForm>();
        search.ui().T1->setText(QString::number(code(12)));
        QTest::mouseClick(search.ui().cmd_find, Qt::LeftButton);
        search.Hide();
        EXPECT_TRUE(msgs.calls.empty());
        EXPECT_EQ(CurrentId(), 12);
        EXPECT_EQ(u().SSTab->currentIndex(), access == 0 ? 0 : 2);
        EXPECT_EQ(Lessons(), access == 0 ? QStringList() : QStringList{u"Chemistry"_s});
        List().Command5_Click();
    }
}

TEST_F(KaramoozCardsTest, ANationalCodeThatIsNoNumberFindsNoCard) {
    Exec(u"UPDATE Karamooz3 SET codemeli='12 OR 1=1' WHERE ID=7"_s);
    OpenCards(7);
    EXPECT_TRUE(msgs.calls.empty());
    EXPECT_EQ(u().DataGrid2->model()->rowCount(), 0);
    EXPECT_FALSE(CardCommandsOn());
}

TEST_F(KaramoozCardsTest, AnUnreadableCardTableIsTold) {
    Exec(u"DROP TABLE Karnameh3"_s);
    OpenCards(3);
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, CardsUnreadable);
    EXPECT_FALSE(CardCommandsOn());
}

} // namespace
