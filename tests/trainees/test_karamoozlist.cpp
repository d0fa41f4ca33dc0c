#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "StorageFaults.h"
#include "TraineeFixture.h"
#include "platform/DataControl.h"
#include "shell/MainForm.h"
#include "shell/Module1.h"
#include "trainees/KaramoozList.h"

using namespace Module1;
using namespace Qt::StringLiterals;

namespace {
const QString SettingsUnreadable = u" تنظيمات برنامه از پايگاه داده خوانده نشد "_s;
const QString TraineesUnreadable = u" فهرست کارآموزان اين کلاس از پايگاه داده خوانده نشد "_s;

class KaramoozListTest : public TraineeFixture {
protected:
    std::vector<bool> ListCommandsEnabled() {
        return {u().Button1->isEnabled(), u().Button2->isEnabled(),   u().Button3->isEnabled(),
                u().Button4->isEnabled(), u().Cmd_Refresh->isEnabled(), u().Cmd_Print->isEnabled(),
                u().Cmd_Search->isEnabled(), u().SSTab->isTabEnabled(KaramoozList::CardsTab)};
    }
};

TEST_F(KaramoozListTest, OpensOnTheWholeClassInIdOrderWithItsCaptions) {
    OpenList();
    EXPECT_EQ(List().Widget()->windowTitle(), u"  <  کارآموزان  >"_s);
    EXPECT_EQ(u().SSTab->tabText(0), u" ليست کارآموزان"_s);
    EXPECT_EQ(u().SSTab->tabText(1), u" مشخصات کارآموز"_s);
    EXPECT_EQ(u().SSTab->tabText(2), u" کارنامه ي کارآموز"_s);
    EXPECT_EQ(u().Cmd_Refresh->text(), u" بازسازي ليست "_s);
    EXPECT_EQ(u().Cmd_Search->text(), u" جستجوي کار آموز "_s);
    EXPECT_EQ(u().Cmd_Print->text(), u" چاپ ليست کار آموزان "_s);
    EXPECT_EQ(u().Command5->text(), u"برگشت به منوي اصلي"_s);
    EXPECT_EQ(u().Button1->text(), u" ابتدا "_s);
    EXPECT_EQ(u().Button4->text(), u" انتها "_s);

    EXPECT_EQ(u().lblsal->text(), u"90-1389"_s);
    EXPECT_EQ(u().lblclase->text(), u"سوم"_s);
    EXPECT_EQ(u().CountLAB->text(), u"3"_s);
    EXPECT_EQ(u().SSTab->currentIndex(), 0);
    EXPECT_EQ(GridIds(), (QList<int>{3, 7, 12}));
    EXPECT_EQ(CurrentId(), 3);
    EXPECT_EQ(u().NameBoxL->text(), u"محمدرضا"_s);
    EXPECT_EQ(u().FamilyBoxL->text(), u"ملکی"_s);
    EXPECT_EQ(ListCommandsEnabled(), std::vector<bool>(8, true));
    // The particulars tab is never reachable; the card steps stay off while the flag is clear.
    EXPECT_FALSE(u().SSTab->isTabVisible(KaramoozList::ParticularsTab));
    EXPECT_FALSE(u().SSTab->isTabEnabled(KaramoozList::ParticularsTab));
    EXPECT_FALSE(u().cmdback->isEnabled());
    EXPECT_FALSE(u().cmdnext->isEnabled());
    EXPECT_FALSE(u().PBar1->isVisible());
}

TEST_F(KaramoozListTest, GridShowsTheDesignedColumnsAndTheRegistrationDateInPersian) {
    // A date stored as text by someone else is shown as it is.
    Exec(u"INSERT INTO Karamooz3 (ID, Name, Sabtdate) VALUES (40, 'x', '1393/07/05'), (41, 'y', NULL)"_s);
    OpenList();
    QAbstractItemModel *model = u().DataGrid1->model();
    QStringList captions;
    for (int c = 0; c < model->columnCount(); ++c)
        captions << model->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(captions, (QStringList{u"ID"_s, u"Jensiyat"_s, u"Name"_s, u"Family"_s, u"FName"_s, u"ShSh"_s, u"BirthDate"_s, u"Madrak"_s, u"Tel"_s, u"Address"_s, u"Pic"_s, u"SabtDate"_s}));
    // Columns by caption: the family, the particular shown under "Tel" and the registration date.
    EXPECT_EQ(model->index(2, 3).data().toString(), u"احمدی"_s);
    EXPECT_EQ(model->index(2, 8).data().toString(), u"03132245117"_s);
    EXPECT_EQ(model->index(2, 11).data().toString(), u"1403/06/04"_s);
    EXPECT_EQ(model->index(0, 11).data().toString(), u"1403/01/01"_s);
    EXPECT_EQ(model->index(1, 11).data().toString(), u"1402/07/01"_s);
    EXPECT_EQ(model->index(3, 11).data().toString(), u"1393/07/05"_s);
    EXPECT_EQ(model->index(4, 11).data().toString(), QString());
}

TEST_F(KaramoozListTest, AnEmptyClassOpensWithItsCommandsAndTheCardsOff) {
    Exec(u"DELETE FROM Karamooz3"_s);
    OpenList();
    EXPECT_EQ(u().CountLAB->text(), u"0"_s);
    EXPECT_EQ(u().DataGrid1->model()->rowCount(), 0);
    EXPECT_EQ(ListCommandsEnabled(), std::vector<bool>(8, false));
    // The sort buttons stay usable and do nothing visible.
    EXPECT_TRUE(u().Cmd_Name->isEnabled());
    QTest::mouseClick(u().Cmd_Name, Qt::LeftButton);
    List().DataGrid1_DblClick();
    EXPECT_EQ(u().SSTab->currentIndex(), 0);
    EXPECT_TRUE(msgs.calls.empty());
}

TEST_F(KaramoozListTest, SortButtonsOrderTheList) {
    OpenList();
    const std::pair<QPushButton *, QList<int>> cases[] = {
        {u().Cmd_Name, {12, 3, 7}},   // زهرا, محمدرضا, نرگس
        {u().Cmd_Family, {12, 7, 3}}, // احمدی, توکلی, ملکی
        {u().Cmd_ShSh, {3, 7, 12}},   // 1003, 1007, 1012
        {u().Cmd_Radif, {3, 7, 12}},
    };
    for (const auto &[button, ids] : cases) {
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(GridIds(), ids) << button->objectName().toStdString();
    }
}

TEST_F(KaramoozListTest, ToolBarMovesAndStaysAtTheEnds) {
    OpenList();
    struct Case {
        int from, button, to;
    };
    const Case cases[] = {{3, 2, 3}, {12, 3, 12}, {3, 3, 7}, {12, 2, 7}, {7, 1, 3}, {7, 4, 12}, {7, 5, 7}};
    for (const Case &c : cases) {
        MakeCurrent(c.from);
        List().Toolbar1_ButtonClick(c.button);
        EXPECT_EQ(CurrentId(), c.to) << "from " << c.from << " button " << c.button;
    }
    // Through the tool bar itself; the grid follows.
    MakeCurrent(3);
    QTest::mouseClick(u().Toolbar1->widgetForAction(u().Button3), Qt::LeftButton);
    EXPECT_EQ(CurrentId(), 7);
    EXPECT_EQ(u().DataGrid1->currentIndex().row(), 1);
}

TEST_F(KaramoozListTest, DoubleClickOpensTheCardsOnlyWithTheSwitchOn) {
    for (const int access : {0, 1, -1}) {
        if (access == 1) {
            // Our files refuse a 1; a settings row written by another program may hold one.
            Exec(u"DROP TABLE setting"_s);
            Exec(u"CREATE TABLE setting (karnameh INTEGER, passedit TEXT)"_s);
            Exec(u"INSERT INTO setting VALUES (1, '')"_s);
        } else {
            SetSwitch(access);
        }
        OpenList();
        // Only 0 switches the tab off at opening.
        EXPECT_EQ(u().SSTab->isTabEnabled(KaramoozList::CardsTab), access != 0) << access;
        DoubleClickRow(1);
        EXPECT_EQ(CurrentId(), 7) << access;
        EXPECT_EQ(u().SSTab->currentIndex(), access == -1 ? 2 : 0) << access;
        List().Command5_Click();
    }
}

TEST_F(KaramoozListTest, ReturningToTheListEnablesTheCardsWhateverTheSwitch) {
    SetSwitch(0);
    OpenList();
    ASSERT_FALSE(u().SSTab->isTabEnabled(KaramoozList::CardsTab));
    // As the search does when it finds a trainee by code.
    u().SSTab->setCurrentIndex(KaramoozList::CardsTab);
    u().SSTab->setCurrentIndex(KaramoozList::ListTab);
    EXPECT_TRUE(u().SSTab->isTabEnabled(KaramoozList::CardsTab));
}

TEST_F(KaramoozListTest, ReturningToTheListRunsItsCurrentQueryAndCountsIt) {
    OpenList();
    Narrow(7);
    u().SSTab->setCurrentIndex(KaramoozList::CardsTab);
    Exec(u"UPDATE Karamooz3 SET Name='تازه' WHERE ID=7"_s);
    u().SSTab->setCurrentIndex(KaramoozList::ListTab);
    EXPECT_EQ(GridIds(), QList<int>{7});
    EXPECT_EQ(u().NameBoxL->text(), u"تازه"_s);
    EXPECT_EQ(u().CountLAB->text(), u"1"_s);

    // The reload brings the whole class back and leaves the count as it was.
    QTest::mouseClick(u().Cmd_Refresh, Qt::LeftButton);
    EXPECT_EQ(GridIds().size(), 3);
    EXPECT_EQ(u().CountLAB->text(), u"1"_s);
    EXPECT_FALSE(u().PBar1->isVisible());
    EXPECT_EQ(u().PBar1->value(), 0);
    EXPECT_EQ(LoopIndex.toInt(), 100);
}

TEST_F(KaramoozListTest, SearchReloadsTheWholeClassFirst) {
    OpenList();
    Narrow(12);
    Exec(u"INSERT INTO Karamooz3 (ID, Name, Family, codemeli) VALUES (20, 'a', 'b', 1)"_s);
    QTest::mouseClick(u().Cmd_Search, Qt::LeftButton);
    EXPECT_EQ(List().Adodc1->Recordset().RecordCount(), 4);
    EXPECT_TRUE(List().Adodc1->RecordSourceValues.isEmpty());
}

TEST_F(KaramoozListTest, PressesDuringTheBusyBarAreDropped) {
    OpenList();
    Narrow(12);
    std::vector<int> seen;
    int value = -1;
    bool visible = false;
    // Pressed while the reload's animation runs: the print does not start, the bar is not driven twice.
    const QObject scope;
    QTimer::singleShot(0, &scope, [&] {
        visible = u().PBar1->isVisible();
        QTest::mouseClick(u().Cmd_Print, Qt::LeftButton);
        QTest::mouseClick(u().Cmd_Search, Qt::LeftButton);
        seen.push_back(LoopIndex.toInt());
        value = u().PBar1->value();
    });
    QTest::mouseClick(u().Cmd_Refresh, Qt::LeftButton);
    EXPECT_TRUE(visible);
    EXPECT_LE(seen.at(0), 100);
    EXPECT_LE(value, 100);
    EXPECT_EQ(LoopIndex.toInt(), 100);
    EXPECT_TRUE(modal.opened == std::vector<QString>{u"KaramoozList"_s});
    EXPECT_TRUE(List().IsLoaded());
    EXPECT_EQ(GridIds().size(), 3);
}

// The close box is not held back: the list closes, and the reload it interrupted does nothing more.
TEST_F(KaramoozListTest, ClosingTheListDuringTheBusyBarClosesIt) {
    for (const bool cards : {false, true}) {
        SCOPED_TRACE(cards);
        AddCard(Class().at(1).code, u"Physics"_s, 20, 10, 3, 7);
        OpenList();
        if (cards)
            u().SSTab->setCurrentIndex(KaramoozList::CardsTab);
        QTimer::singleShot(0, List().Widget(), [this] { List().Widget()->close(); });
        QTest::mouseClick(cards ? u().Cmd_ReMake : u().Cmd_Refresh, Qt::LeftButton);
        ProcessEvents();
        EXPECT_FALSE(List().IsLoaded());
        EXPECT_TRUE(msgs.calls.empty());
    }
}

// Input queued while the bar runs, as the window system delivers it: a move, a sort, the back button.
TEST_F(KaramoozListTest, QueuedPressesDuringTheBusyBarDoNothingAfterIt) {
    OpenList();
    MakeCurrent(3);
    const auto post = [](QWidget *target) {
        const QPoint at = target->rect().center();
        const QPoint global = target->mapToGlobal(at);
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QCoreApplication::postEvent(target, new QMouseEvent(type, QPointF(at), QPointF(global), Qt::LeftButton,
                                                                type == QEvent::MouseButtonPress ? Qt::LeftButton
                                                                                                 : Qt::NoButton,
                                                                Qt::NoModifier));
    };
    const QObject scope;
    QTimer::singleShot(0, &scope, [&] {
        post(u().Toolbar1->widgetForAction(u().Button4));
        post(u().Cmd_Name);
        post(u().Command5);
    });
    QTest::mouseClick(u().Cmd_Refresh, Qt::LeftButton);
    ProcessEvents();
    ASSERT_TRUE(List().IsLoaded());
    EXPECT_FALSE(Forms::Get<MainForm>().IsLoaded());
    EXPECT_EQ(GridIds(), (QList<int>{12, 3, 7}));
    EXPECT_EQ(CurrentId(), 12);
    EXPECT_FALSE(u().PBar1->isVisible());
}

TEST_F(KaramoozListTest, BackButtonsShowTheMainMenuAgainAndKeepTheirHoverMark) {
    for (const bool fromCards : {false, true}) {
        OpenList();
        if (fromCards)
            u().SSTab->setCurrentIndex(KaramoozList::CardsTab);
        QPushButton *back = fromCards ? u().Command4 : u().Command5;
        EXPECT_EQ(back->text(), u"برگشت به منوي اصلي"_s);
        EXPECT_FALSE(back->font().bold());
        QTest::mouseMove(back);
        EXPECT_TRUE(back->font().bold());
        QTest::mouseMove(List().Widget(), QPoint(2, 2));
        EXPECT_TRUE(back->font().bold());
        QTest::mouseClick(back, Qt::LeftButton);
        EXPECT_FALSE(List().IsLoaded());
        ASSERT_TRUE(Forms::Get<MainForm>().IsLoaded());
        EXPECT_TRUE(Forms::Get<MainForm>().Widget()->isVisible());
        Forms::Get<MainForm>().Unload();
    }
}

TEST_F(KaramoozListTest, AnUnreadableClassIsToldAndTheListStaysEmpty) {
    Exec(u"DROP TABLE Karamooz3"_s);
    OpenList();
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, TraineesUnreadable);
    EXPECT_EQ(msgs.Last().style, 48);
    EXPECT_EQ(u().CountLAB->text(), u"0"_s);
    EXPECT_EQ(ListCommandsEnabled(), std::vector<bool>(8, false));
    u().SSTab->setCurrentIndex(KaramoozList::CardsTab);
    u().SSTab->setCurrentIndex(KaramoozList::ListTab);
    EXPECT_EQ(msgs.calls.size(), 2u);
}

// A class whose pages are damaged is told as unreadable, never shown short, and nothing is written.
TEST_F(KaramoozListTest, ADamagedClassIsToldNotShownShort) {
    Exec(u"WITH RECURSIVE n(i) AS (SELECT 100 UNION ALL SELECT i + 1 FROM n WHERE i < 2099) "
         "INSERT INTO Karamooz3 (ID, Name, Family, clase, codemeli) "
         "SELECT i, 'نام ' || i, 'خانواده ' || i, 'سوم', 5000000000 + i FROM n"_s);
    Db::CloseAll();
    ASSERT_GE(StorageFaults::DamageTable(DatabasePath(), u"Karamooz3"_s), 8);
    const QByteArray before = StorageFaults::FileDigest(DatabasePath());
    OpenList();
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, TraineesUnreadable);
    EXPECT_EQ(u().CountLAB->text(), u"0"_s);
    EXPECT_EQ(u().DataGrid1->model()->rowCount(), 0);
    EXPECT_EQ(ListCommandsEnabled(), std::vector<bool>(8, false));
    List().Unload();
    Db::CloseAll();
    EXPECT_EQ(StorageFaults::FileDigest(DatabasePath()), before);
}

// A file without its settings table is not taken for ours: nothing of it is read, and each part says so.
TEST_F(KaramoozListTest, AFileWithoutItsSettingsIsToldAndKeepsTheCardsClosed) {
    Exec(u"ALTER TABLE setting RENAME TO setting_old"_s);
    OpenList();
    ASSERT_EQ(msgs.calls.size(), 2u);
    EXPECT_EQ(msgs.calls[0].text, TraineesUnreadable);
    EXPECT_EQ(msgs.calls[1].text, SettingsUnreadable);
    EXPECT_EQ(msgs.calls[1].style, 48);
    EXPECT_EQ(u().CountLAB->text(), u"0"_s);
    EXPECT_FALSE(u().SSTab->isTabEnabled(KaramoozList::CardsTab));
}

} // namespace

// The list opened while another workstation holds the file waits for it; a wait the user gives up is
// told as busy, never as a list or settings that cannot be read.
TEST_F(KaramoozListTest, AHeldFileIsWaitedForOrToldAsBusy) {
    {
        FileLock other(DatabasePath(), 200);
        OpenList();
        EXPECT_FALSE(other.Held());
    }
    EXPECT_TRUE(msgs.calls.empty());
    EXPECT_EQ(GridIds(), (QList<int>{3, 7, 12}));
    List().Unload();

    Db::SetBusyPatience(50);
    {
        FileLock other(DatabasePath(), 5000);
        OpenList();
    }
    // One wait, one question, one answer: the settings are not waited for after the list was given up.
    ASSERT_EQ(msgs.calls.size(), 2u);
    EXPECT_EQ(msgs.calls[0].text, BusyTexts::KeepWaiting);
    EXPECT_EQ(msgs.calls[1].text, BusyTexts::Busy);
    EXPECT_FALSE(u().SSTab->isTabEnabled(KaramoozList::CardsTab));
    List().Unload();
}
