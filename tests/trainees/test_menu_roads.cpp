// The second half of the program as a user walks it from the main menu: the trainee list, the search
// by national code, the report cards and their chart, back to the menu; then the bank window, the
// browse window and the question viewer, back to the menu again, and the exam set-up after them.
// Nothing may be left behind, on screen or in the shared state.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

#include "support/Fixture.h"
#include "exams/ChartForm.h"
#include "exams/ExamForm.h"
#include "platform/Form.h"
#include "questions/QuestionForm.h"
#include "questions/frmq2.h"
#include "questions/frmq3.h"
#include "shell/MainForm.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"
#include "trainees/FilterForm.h"
#include "trainees/KaramoozList.h"

using namespace Module1;

namespace {
const QString ListCaption = QStringLiteral("  <  کارآموزان  >");
const QString ChartCaption = QStringLiteral("  <  نمودار کارنامه  >");
const QString ViewerCaption = QStringLiteral("مشاهده سوالات");

class MenuRoads : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        MakeDatabase();
    }
    MainForm &menu() { return Forms::Get<MainForm>(); }
    // The windows on screen, by name, in one text so that a failure reads well.
    static std::string shown() {
        QStringList names;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible())
                names << w->objectName();
        names.sort();
        return names.join(", ").toStdString();
    }
    static void clickRow(QTableView *grid, int row, int column) {
        const QRect cell = grid->visualRect(grid->model()->index(row, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }
};

TEST_F(MenuRoads, TraineeListSearchReportCardChartAndBackToTheMenu) {
    const qint64 code = Scalar("SELECT codemeli FROM Karamooz3 WHERE ID=2").toLongLong();
    const QString name = Scalar("SELECT Name || '  ' || Family FROM Karamooz3 WHERE ID=2").toString();
    const QString lesson = Scalar("SELECT Lesson FROM Karnameh3 WHERE KID=? ORDER BY rowid", {code}).toString();
    ASSERT_FALSE(lesson.isEmpty());

    bool charted = false, searched = false;
    modal.On("FilterForm", [&](QDialog &) {
        searched = true;
        auto &f = Forms::Get<FilterForm>().ui();
        f.T1->setText(QString::number(code));
        QTest::mouseClick(f.cmd_find, Qt::LeftButton);
        QTest::mouseClick(f.Cmd_Cancel, Qt::LeftButton);
    });
    modal.On("ChartForm", [&](QDialog &dialog) {
        charted = true;
        auto &c = Forms::Get<ChartForm>().ui();
        EXPECT_EQ(dialog.windowTitle(), ChartCaption);
        EXPECT_EQ(c.K_Lable->text(), name);
        EXPECT_EQ(c.K_Dars->text(), lesson);
        EXPECT_EQ(c.T1->text(), "20");
        EXPECT_FALSE(c.Command1->isEnabled()) << "a stored card has no answers to review";
        QTest::mouseClick(c.Cmd_End, Qt::LeftButton);
    });
    modal.On("KaramoozList", [&](QDialog &dialog) {
        KaramoozList &list = Forms::Get<KaramoozList>();
        auto &u = list.ui();
        EXPECT_EQ(dialog.windowTitle(), ListCaption);
        EXPECT_FALSE(menu().IsLoaded()) << "the list takes the menu's place";
        EXPECT_EQ(dialog.focusWidget(), u.DataGrid1) << "the arrows step through the trainees";
        QTest::mouseClick(u.Cmd_Search, Qt::LeftButton);
        ASSERT_TRUE(searched);
        EXPECT_EQ(u.SSTab->currentIndex(), int(KaramoozList::CardsTab));
        EXPECT_EQ(u.NameBoxL->text(), Scalar("SELECT Name FROM Karamooz3 WHERE ID=2").toString());
        clickRow(u.DataGrid2, 0, 1);
        EXPECT_EQ(u.Text7->text(), lesson);
        QTest::mouseClick(u.Cmd_ShowChart, Qt::LeftButton);
        ASSERT_TRUE(charted);
        EXPECT_EQ(QuestionCount, 0) << "the chart's close clears what it was shown";
        EXPECT_EQ(CurrentLessonName, QString());
        EXPECT_EQ(shown(), "KaramoozList");
        QTest::mouseClick(u.Command4, Qt::LeftButton);
    });

    menu().Show();
    QTest::mouseClick(menu().ui().IMAGE23, Qt::LeftButton);
    EXPECT_EQ(modal.opened, (std::vector<QString>{"KaramoozList", "FilterForm", "ChartForm"}));
    ASSERT_TRUE(menu().IsLoaded());
    EXPECT_EQ(shown(), "MainForm");
    EXPECT_EQ(menu().ui().Comboclase->currentIndex(), 2) << "the menu loads afresh";
    EXPECT_TRUE(msgs.calls.empty());
}

TEST_F(MenuRoads, BankWindowBrowseWindowAndViewerBackToTheMenuThenAFreshExamSetUp) {
    const QString lesson = QStringLiteral("مبانی کامپیوتر");
    const QString table = SharedDatabase::QuestionTableName(lesson);
    const QStringList firstTwo = {
        Scalar(QStringLiteral("SELECT Question FROM \"%1\" ORDER BY ID LIMIT 1").arg(table)).toString(),
        Scalar(QStringLiteral("SELECT Question FROM \"%1\" ORDER BY ID LIMIT 1 OFFSET 1").arg(table)).toString()};

    modal.On("QuestionForm", [&](QDialog &) {
        QComboBox *lessons = Forms::Get<QuestionForm>().ui().DarsCombo;
        EXPECT_EQ(lessons->currentIndex(), 0) << "the bank window starts on its first lesson";
        EXPECT_EQ(shown(), "MainForm, QuestionForm");
    });
    bool viewed = false;
    modal.On("frmq3", [&](QDialog &dialog) {
        viewed = true;
        auto &v = Forms::Get<frmq3>().ui();
        EXPECT_EQ(dialog.windowTitle(), ViewerCaption);
        EXPECT_EQ(shown(), "MainForm, frmq3") << "the viewer takes the browse window's place";
        EXPECT_EQ(v.DarsBox->text(), lesson);
        EXPECT_EQ(v.tq->toPlainText(), firstTwo[0]);
        QTest::mouseClick(v.cmdnext, Qt::LeftButton);
        EXPECT_EQ(v.tq->toPlainText(), firstTwo[1]);
    });

    menu().Show();
    QTest::mouseClick(menu().ui().Image21, Qt::LeftButton);
    EXPECT_FALSE(Forms::Get<QuestionForm>().IsLoaded());
    EXPECT_EQ(shown(), "MainForm");

    QTest::mouseClick(menu().ui().Image2, Qt::LeftButton);
    frmq2 &browse = Forms::Get<frmq2>();
    auto &b = browse.ui();
    ASSERT_TRUE(browse.Widget()->isVisible());
    QComboBox *combo = b.DarsCombo;
    const int at = combo->findText(lesson);
    ASSERT_GE(at, 0);
    combo->setCurrentIndex(at);
    emit combo->activated(at);
    ProcessEvents();
    EXPECT_EQ(CurrentLessonName, lesson);

    // The menu's entry pressed again while the browse window is open brings it forward as it stands.
    menu().Widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(menu().Widget()));
    QTest::mouseClick(menu().ui().Image2, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitForWindowActive(browse.Widget()));
    EXPECT_EQ(combo->currentText(), lesson);
    const QRect cell = b.DataGrid1->visualRect(b.DataGrid1->model()->index(0, 0));
    QTest::mouseClick(b.DataGrid1->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(b.DataGrid1->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_TRUE(b.cmdq3->isVisible());
    QTest::mouseClick(b.cmdq3, Qt::LeftButton);

    ASSERT_TRUE(viewed);
    EXPECT_FALSE(browse.IsLoaded());
    EXPECT_EQ(shown(), "MainForm");

    // The exam road taken next starts from its own values, not from the lesson the browse window held.
    SaveSetting("Qusetion_Count", "12");
    SaveSetting("Answer_Time", "30");
    bool setUp = false;
    modal.On("ExamForm", [&](QDialog &) {
        setUp = true;
        auto &e = Forms::Get<ExamForm>().ui();
        EXPECT_EQ(e.DarsCombo->currentText(), QString());
        EXPECT_EQ(e.Text2->text(), "12");
        EXPECT_EQ(e.Text4->text(), "6");
        EXPECT_EQ(e.Text5->text(), QString());
        EXPECT_EQ(CurrentLessonName, QString());
        EXPECT_EQ(QuestionCount, 12);
    });
    QTest::mouseClick(menu().ui().Image22, Qt::LeftButton);
    EXPECT_TRUE(setUp);
    EXPECT_EQ(shown(), "MainForm");
    EXPECT_TRUE(msgs.calls.empty());
}
} // namespace
