// The two question bank windows: load, lesson choice, refresh, tabs, reveals and navigation.
#include <QProgressBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include "QuestionBankSupport.h"
#include "StorageFaults.h"
#include "shell/MainForm.h"

using namespace Module1;
using namespace Qt::StringLiterals;

namespace {
const QString NoLesson = u" هيچ درس يا دوره اي  تعريف نشده  لطفا تعريف کنيد "_s;
const QString Warning = u"اخطار"_s;
const QString DatabaseBroken = u" پايگاه داده برنامه دچار مشکل شده و امکان اجراي برنامه وجود ندارد "_s;
const QString Computing = u"مباني کامپيوتر"_s;
const QString Maths = u"رياضي"_s;

class BankWindowTest : public QuestionBankTest {
protected:
    void SetUp() override {
        QuestionBankTest::SetUp();
        MakeLesson(Computing, 12);
        MakeLesson(u"تاريخ"_s, 2, 0, false);
        MakeLesson(Maths, 0);
    }
};

TEST_F(BankWindowTest, BankWindowChoosesAndCountsTheFirstActiveLessonWithItsSpacesRemovedForTheTable) {
    auto &w = open<QuestionForm>();
    auto &u = w.ui();
    EXPECT_EQ(w.Widget()->windowTitle(), u"  < بانک سوالات >"_s);
    ASSERT_EQ(u.DarsCombo->count(), 2) << "the inactive lesson is not listed";
    EXPECT_EQ(u.DarsCombo->itemText(0), Computing);
    EXPECT_EQ(u.DarsCombo->itemText(1), Maths);
    EXPECT_EQ(u.DarsCombo->currentText(), Computing);
    EXPECT_EQ(u.CountLAB->text(), "12");
    EXPECT_EQ(w.Adodc1->Recordset().TableName(), u"Qمبانيکامپيوتر"_s);
    EXPECT_EQ(currentId(w), 1);
    EXPECT_EQ(w.Adodc1->Recordset().SortSpec(), "ID");
    EXPECT_TRUE(u.DataGrid1->isVisible());
    EXPECT_FALSE(u.PBar1->isVisible());
    EXPECT_EQ(u.PBar1->value(), 0);
    EXPECT_EQ(enabledButtons(w, u.Toolbar1), "1234");
    EXPECT_EQ(enabledButtons(w, u.Toolbar3), "1234");
    EXPECT_TRUE(u.Cmd_Refresh->isEnabled());
    EXPECT_TRUE(u.SSTab->isTabEnabled(1));
    EXPECT_TRUE(u.SSTab->isTabVisible(1));
    EXPECT_FALSE(u.SSTab->isTabVisible(2));
    EXPECT_FALSE(u.SSTab->isTabEnabled(2));
    EXPECT_FALSE(u.cmdq3->isVisible());
    EXPECT_FALSE(u.Cmd_Print->isVisible());
    EXPECT_FALSE(u.cmdexport->isVisible());
    EXPECT_TRUE(msgs.calls.empty());
}

TEST_F(BankWindowTest, AnEmptyLessonOffersNoNavigationNorRefreshAndCountsZero) {
    auto &w = open<QuestionForm>();
    auto &u = w.ui();
    choose(w, Maths);
    EXPECT_EQ(u.CountLAB->text(), "0");
    EXPECT_EQ(enabledButtons(w, u.Toolbar1), "");
    EXPECT_EQ(enabledButtons(w, u.Toolbar3), "");
    EXPECT_FALSE(u.Cmd_Refresh->isEnabled());
    EXPECT_FALSE(u.Cmd_Print->isEnabled());
    QTest::mouseDClick(u.DataGrid1->viewport(), Qt::LeftButton);
    EXPECT_EQ(u.SSTab->currentIndex(), 0) << "a double click on an empty lesson does nothing";
    choose(w, Computing);
    EXPECT_EQ(u.CountLAB->text(), "12");
    EXPECT_EQ(enabledButtons(w, u.Toolbar1), "1234");
}

TEST_F(BankWindowTest, BrowseWindowStartsWithNoLessonAndOnlyTheListTab) {
    auto &w = open<frmq2>();
    auto &u = w.ui();
    EXPECT_EQ(w.Widget()->windowTitle(), u"بانک سوالات"_s);
    EXPECT_EQ(u.DarsCombo->count(), 2);
    EXPECT_EQ(u.DarsCombo->currentIndex(), -1);
    EXPECT_FALSE(u.DataGrid1->isVisible());
    EXPECT_TRUE(u.cmdq3->isVisibleTo(u.DetailsPage));
    EXPECT_FALSE(u.cmdq3->isEnabled());
    EXPECT_TRUE(u.SSTab->isTabVisible(0));
    EXPECT_FALSE(u.SSTab->isTabVisible(1));
    EXPECT_FALSE(u.SSTab->isTabVisible(2));
    EXPECT_TRUE(msgs.calls.empty());

    choose(w, Computing);
    EXPECT_TRUE(u.cmdq3->isEnabled());
    EXPECT_TRUE(u.DataGrid1->isVisible());
    EXPECT_EQ(u.CountLAB->text(), "12");
    EXPECT_EQ(CurrentLessonName, Computing) << "the name as displayed, spaces kept";
}

TEST_F(QuestionBankTest, NoActiveLessonWarnsInTheBankWindowOnlyAndLeavesTheGridHidden) {
    MakeLesson(u"تاريخ"_s, 2, 0, false);
    {
        auto &w = open<QuestionForm>();
        ASSERT_EQ(msgs.calls.size(), 1u);
        EXPECT_EQ(msgs.Last().text, NoLesson);
        EXPECT_EQ(msgs.Last().style, 48);
        EXPECT_EQ(msgs.Last().title, Warning);
        EXPECT_EQ(w.ui().DarsCombo->count(), 0);
        EXPECT_FALSE(w.ui().DataGrid1->isVisible());
        EXPECT_TRUE(w.ui().SSTab->isTabVisible(2)) << "the load ended before the switching";
        // No lesson's table is open: the edit bar offers nothing.
        w.ui().SSTab->setCurrentIndex(1);
        EXPECT_EQ(enabledButtons(w, w.ui().Toolbar2), "");
        w.Unload();
    }
    msgs.Clear();
    auto &b = open<frmq2>();
    EXPECT_TRUE(msgs.calls.empty());
    EXPECT_FALSE(b.ui().SSTab->isTabVisible(1));
    EXPECT_FALSE(b.ui().SSTab->isTabVisible(2));
}

TEST_F(BankWindowTest, QuestionAccessOffHidesTheGridAndSwitchesTheDetailsTabOff) {
    Exec(u"UPDATE setting SET Question=0"_s);
    auto &w = open<QuestionForm>();
    EXPECT_FALSE(w.ui().DataGrid1->isVisible());
    EXPECT_FALSE(w.ui().SSTab->isTabEnabled(1));
    choose(w, Computing);
    EXPECT_FALSE(w.ui().DataGrid1->isVisible());
    w.Unload();
    auto &b = open<frmq2>();
    choose(b, Computing);
    EXPECT_FALSE(b.ui().DataGrid1->isVisible()) << "the switch also holds after a lesson is chosen";
    EXPECT_FALSE(b.ui().SSTab->isTabEnabled(1));
}

TEST_F(BankWindowTest, AMissingQuestionTableEndsTheBankWindowsLoadButIsOnlyToldInTheBrowseWindow) {
    Exec(u"DROP TABLE \"Qمبانيکامپيوتر\""_s);
    open<QuestionForm>();
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, DatabaseBroken);
    EXPECT_EQ(msgs.Last().style, 16);
    EXPECT_EQ(msgs.Last().title, "");
    EXPECT_EQ(ended, std::vector<int>{0});
    Forms::Get<QuestionForm>().Unload();

    msgs.Clear();
    auto &b = open<frmq2>();
    choose(b, Computing);
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().style, 16);
    EXPECT_EQ(b.ui().CountLAB->text(), "0");
    EXPECT_EQ(enabledButtons(b, b.ui().Toolbar1), "");
    choose(b, Maths);
    EXPECT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(ended.size(), 1u);
}

// A lesson whose pages are damaged is a broken database, never a shorter lesson: the bank window's
// load ends the program; the browse window tells it, keeps the lesson it held and writes nothing.
TEST_F(QuestionBankTest, ADamagedLessonEndsTheBankWindowsLoadAndIsToldInTheBrowseWindow) {
    const QString damaged = u"درس آسيب ديده"_s;
    MakeLesson(damaged, 3000);
    MakeLesson(Computing, 4);
    Db::CloseAll();
    ASSERT_GE(StorageFaults::DamageTable(DatabasePath(), SharedDatabase::QuestionTableName(damaged)), 8);
    const QByteArray before = StorageFaults::FileDigest(DatabasePath());

    open<QuestionForm>();
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, DatabaseBroken);
    EXPECT_EQ(msgs.Last().style, 16);
    EXPECT_EQ(ended, std::vector<int>{0});
    Forms::Get<QuestionForm>().Unload();

    msgs.Clear();
    UnlockedFlag = 1;
    auto &b = open<frmq2>();
    choose(b, Computing);
    choose(b, damaged);
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, u" سوالات اين درس از پايگاه داده خوانده نشد "_s);
    EXPECT_EQ(msgs.Last().style, 16);
    EXPECT_EQ(b.ui().CountLAB->text(), "0");
    EXPECT_EQ(CurrentLessonName, Computing);
    EXPECT_EQ(QuestionCount, 4);
    // Nothing of the edit bar reaches a lesson that could not be read.
    for (int button : {5, 3})
        click(b, b.ui().Toolbar2, button);
    EXPECT_EQ(ended.size(), 1u);
    b.Unload();
    Db::CloseAll();
    EXPECT_EQ(StorageFaults::FileDigest(DatabasePath()), before);
}

// A file held by another workstation at the bank window's load is waited for; a wait the user gives up
// is told as busy and the program runs on, where a broken file would end it.
TEST_F(BankWindowTest, ABusyFileAtTheBankWindowsLoadIsWaitedForOrToldAsBusyAndNeverEndsTheProgram) {
    {
        FileLock other(DatabasePath(), 200);
        open<QuestionForm>();
        EXPECT_FALSE(other.Held());
    }
    EXPECT_TRUE(msgs.calls.empty());
    EXPECT_EQ(Forms::Get<QuestionForm>().ui().DarsCombo->currentText(), Computing);
    Forms::Get<QuestionForm>().Unload();

    Db::SetBusyPatience(50);
    {
        FileLock other(DatabasePath(), 5000);
        msgs.Answer(Msg::vbNo);
        open<QuestionForm>();
    }
    ASSERT_EQ(msgs.calls.size(), 2u);
    EXPECT_EQ(msgs.calls[0].text, BusyTexts::KeepWaiting);
    EXPECT_EQ(msgs.calls[1].text, BusyTexts::Busy);
    EXPECT_EQ(msgs.calls[1].style, 48);
    EXPECT_TRUE(ended.empty());
    Forms::Get<QuestionForm>().Unload();
}

// A refresh whose wait for a held file is given up is told as busy, not as questions that cannot be read.
TEST_F(BankWindowTest, ARefreshOnAHeldFileIsToldAsBusyWhenTheWaitIsGivenUp) {
    const int steps = QuestionBankForm::RefreshSteps;
    QuestionBankForm::RefreshSteps = 1;
    auto &w = open<QuestionForm>();
    ASSERT_TRUE(msgs.calls.empty());
    Db::SetBusyPatience(50);
    {
        FileLock other(DatabasePath(), 5000);
        msgs.Answer(Msg::vbNo);
        QTest::mouseClick(w.ui().Cmd_Refresh, Qt::LeftButton);
    }
    QuestionBankForm::RefreshSteps = steps;
    ASSERT_EQ(msgs.calls.size(), 2u);
    EXPECT_EQ(msgs.calls[0].text, BusyTexts::KeepWaiting);
    EXPECT_EQ(msgs.calls[1].text, BusyTexts::Busy);
    w.Unload();
}

// The bar as a timer sees it while the refresh's busy loop yields.
int HighestBarDuringRefresh(QuestionBankForm &w) {
    int highest = -1;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] { highest = std::max(highest, w.ui().PBar1->value()); });
    sampler.start(0);
    QTest::mouseClick(w.ui().Cmd_Refresh, Qt::LeftButton);
    sampler.stop();
    return highest;
}

TEST_F(BankWindowTest, RefreshRunsTheBarOnlyInTheBankWindowThenReadsAndCountsTheRowsAgain) {
    auto &w = open<QuestionForm>();
    Exec(u"DELETE FROM \"Qمبانيکامپيوتر\" WHERE ID > 10"_s);
    EXPECT_GE(HighestBarDuringRefresh(w), 99);
    EXPECT_EQ(w.ui().CountLAB->text(), "10");
    EXPECT_FALSE(w.ui().PBar1->isVisible());
    EXPECT_EQ(w.ui().PBar1->value(), 0);
    w.Unload();
    auto &b = open<frmq2>();
    choose(b, Computing);
    EXPECT_EQ(HighestBarDuringRefresh(b), 0);

    Exec(u"ALTER TABLE \"Qمبانيکامپيوتر\" RENAME TO away"_s);
    QTest::mouseClick(b.ui().Cmd_Refresh, Qt::LeftButton);
    ASSERT_EQ(msgs.calls.size(), 1u) << "a failed refresh is told";
    EXPECT_EQ(msgs.Last().style, 16);
    EXPECT_EQ(b.ui().CountLAB->text(), "0");
    EXPECT_FALSE(b.ui().PBar1->isVisible());
}

TEST_F(BankWindowTest, TheMainMenuOpensTheBankWindowModallyAndTheBrowseWindowBesideIt) {
    auto &menu = Forms::Get<MainForm>();
    menu.Show();
    QTest::mouseClick(menu.ui().Image21, Qt::LeftButton);
    EXPECT_EQ(modal.opened, std::vector<QString>{u"QuestionForm"_s});
    EXPECT_TRUE(Forms::Get<QuestionForm>().Widget()->isModal());
    Forms::Get<QuestionForm>().Unload();
    QTest::mouseClick(menu.ui().Image2, Qt::LeftButton);
    ProcessEvents();
    EXPECT_EQ(modal.opened.size(), 1u);
    EXPECT_TRUE(Forms::Get<frmq2>().Widget()->isVisible());
    EXPECT_FALSE(Forms::Get<frmq2>().Widget()->isModal());
    EXPECT_TRUE(menu.Widget()->isVisible());
}

TEST_F(BankWindowTest, NavigationStopsAtBothEnds) {
    auto &w = open<QuestionForm>();
    auto &u = w.ui();
    struct Case {
        QToolBar *bar;
        int start, button, expected;
    } cases[] = {{u.Toolbar1, 1, 2, 1}, {u.Toolbar1, 12, 3, 12}, {u.Toolbar1, 5, 1, 1},  {u.Toolbar1, 5, 4, 12},
                 {u.Toolbar1, 5, 2, 4}, {u.Toolbar1, 5, 3, 6},   {u.Toolbar3, 1, 2, 1},  {u.Toolbar3, 12, 3, 12},
                 {u.Toolbar3, 5, 3, 6}, {u.Toolbar3, 5, 4, 12}};
    for (const Case &c : cases) {
        w.Adodc1->Recordset().SetAbsolutePosition(c.start);
        click(w, c.bar, c.button);
        EXPECT_EQ(w.Adodc1->Recordset().AbsolutePosition(), c.expected)
            << c.bar->objectName().toStdString() << " from " << c.start << " button " << c.button;
        EXPECT_EQ(u.QuestionBox->toPlainText(), QStringLiteral("Question %1").arg(c.expected));
    }
}

TEST_F(BankWindowTest, RevealsFollowTheirSwitchesAndHideOnPreviousNextAndEveryTabChange) {
    auto &w = open<QuestionForm>();
    auto &u = w.ui();
    u.SSTab->setCurrentIndex(1);
    QTest::mouseClick(u.Label5, Qt::LeftButton);
    QTest::mouseClick(u.Label11, Qt::LeftButton);
    EXPECT_TRUE(u.TrueAnswerBox->isVisible());
    EXPECT_TRUE(u.Text1->isVisible());
    EXPECT_EQ(u.TrueAnswerBox->currentText(), "1");
    EXPECT_EQ(u.Text1->text(), "Why 1");
    for (int button : {1, 4}) {
        click(w, u.Toolbar3, button);
        EXPECT_TRUE(u.Text1->isVisible()) << button;
    }
    for (int button : {2, 3}) {
        QTest::mouseClick(u.Label11, Qt::LeftButton);
        click(w, u.Toolbar3, button);
        EXPECT_FALSE(u.Text1->isVisible()) << button;
        EXPECT_FALSE(u.TrueAnswerBox->isVisible()) << button;
    }
    QTest::mouseClick(u.Label11, Qt::LeftButton);
    u.SSTab->setCurrentIndex(0);
    u.SSTab->setCurrentIndex(1);
    EXPECT_FALSE(u.Text1->isVisible());
    w.Unload();

    Exec(u"UPDATE setting SET Questionp=0, Questiont=0"_s);
    auto &again = open<QuestionForm>();
    again.ui().SSTab->setCurrentIndex(1);
    QTest::mouseClick(again.ui().Label5, Qt::LeftButton);
    QTest::mouseClick(again.ui().Label11, Qt::LeftButton);
    EXPECT_FALSE(again.ui().TrueAnswerBox->isVisible());
    EXPECT_FALSE(again.ui().Text1->isVisible());
}

TEST_F(BankWindowTest, GridDoubleClickOpensTheDetailsPageAlsoWhereItIsHidden) {
    for (QuestionBankForm *w : openBoth()) {
        auto &u = w->ui();
        if (u.DarsCombo->currentIndex() < 0)
            choose(*w, Computing);
        doubleClickRow(*w, 2);
        EXPECT_EQ(u.SSTab->currentIndex(), 1) << w->Name().toStdString();
        EXPECT_TRUE(u.DetailsPage->isVisible());
        EXPECT_EQ(u.DarsBox->text(), Computing);
        EXPECT_EQ(currentId(*w), 3);
        u.SSTab->setCurrentIndex(0);
        EXPECT_EQ(u.SSTab->isTabVisible(1), w->Name() == u"QuestionForm"_s) << "hidden again in the browse window";
        w->Unload();
    }
}

TEST_F(BankWindowTest, TheDetailsTabSetsTheEditBarByTheLockAndTheNewQuestionSwitch) {
    struct Case {
        int unlocked;
        int newAccess;
        const char *lesson;
        std::string buttons;
    } cases[] = {{0, -1, "c", "5"}, {0, 0, "c", ""},     {1, 0, "c", "245"},
                 {1, 0, "m", "5"},  {1, -1, "m", "5"},  {1, -1, "c", "245"}};
    for (const Case &c : cases) {
        UnlockedFlag = uint8_t(c.unlocked);
        Exec(u"UPDATE setting SET Questionn=?"_s, {c.newAccess});
        auto &w = open<QuestionForm>();
        choose(w, c.lesson[0] == 'c' ? Computing : Maths);
        w.ui().SSTab->setCurrentIndex(1);
        EXPECT_EQ(enabledButtons(w, w.ui().Toolbar2), c.buttons)
            << "unlocked " << c.unlocked << " new " << c.newAccess << " lesson " << c.lesson;
        w.Unload();
    }
}
// The busy animation lets the window's own close box through: the window closes, and what the
// refresh had still to do is dropped with it.
TEST_F(BankWindowTest, ClosingTheWindowDuringTheRefreshClosesIt) {
    for (QuestionBankForm *w : openBoth()) {
        SCOPED_TRACE(w->Name().toStdString());
        if (w->ui().DarsCombo->currentIndex() < 0)
            choose(*w, Computing);
        for (int start : {0, 1}) {
            if (!w->IsLoaded())
                w->Show();
            QTimer::singleShot(0, w->Widget(), [w] { w->Widget()->close(); });
            if (start == 0)
                QTest::mouseClick(w->ui().Cmd_Refresh, Qt::LeftButton);
            else
                choose(*w, Maths);
            ProcessEvents();
            EXPECT_FALSE(w->IsLoaded()) << start;
        }
    }
}
} // namespace
