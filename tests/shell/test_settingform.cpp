// The settings window driven through its controls: the old-password check, the key filters, the
// locked pages and the save, with what it leaves in the saved settings and in the settings row.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <ostream>

#include "support/Fixture.h"
#include "platform/Form.h"
#include "platform/SavedSettings.h"
#include "shell/Module1.h"
#include "shell/SettingForm.h"

static void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }

namespace {
const QString WrongOld = QStringLiteral(" کلمه عبور قبلي شما صحيح نمي باشد ");
const QString EmptyNew = QStringLiteral(" به دليل خالي گذاشتن کلمه عبور جديد ، کلمه عبور قبلي شما تغيير نخواهد کرد ");
const QString Incomplete = QStringLiteral(" کامل نمودن همه گزينه ها براي برگزاري آزمون الزامي است ");
const QString RowNotRead = QStringLiteral(" تنظيمات دسترسي از پايگاه داده خوانده نشد ");
const QString RowNotSaved = QStringLiteral(" تنظيمات دسترسي در پايگاه داده ذخيره نشد ، ساير تنظيمات ذخيره شده است ");
const QString SettingsNotSaved = QStringLiteral(" تنظيمات برنامه در اين کامپيوتر ذخيره نشد ");

const QStringList ExamKeys = {"Qusetion_Count", "Answer_Time", "T_Emtiyaz", "F_Emtiyaz"};
const QStringList ExamValues = {"25", "35", "3", "1"};

QString Style(int style, const QString &text) { return QString::number(style) + u' ' + text; }
} // namespace

class SettingFormTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        MakeDatabase();
        Module1::SaveSetting("Pass", "ROSE7");
        Module1::SaveSetting("Pass2", "ROSE7");
        for (int i = 0; i < ExamKeys.size(); ++i)
            Module1::SaveSetting(ExamKeys[i], ExamValues[i]);
        // Mixed switches, so a save that writes them back wrongly shows.
        Exec("UPDATE setting SET Question=0, karnameh=0");
        // Counts the statements that write the row.
        Exec("CREATE TABLE row_writes (n INTEGER)");
        Exec("INSERT INTO row_writes VALUES (0)");
        Exec("CREATE TRIGGER count_writes AFTER UPDATE ON setting BEGIN UPDATE row_writes SET n = n + 1; END");
    }
    void TearDown() override {
        if (Forms::Exists<SettingForm>())
            form().Unload();
        AppFixture::TearDown();
    }

    SettingForm &form() { return Forms::Get<SettingForm>(); }
    Ui::SettingForm &ui() { return form().ui(); }
    bool IsOpen() { return form().IsLoaded() && form().Widget()->isVisible(); }
    void Open() {
        form().Show();
        ProcessEvents();
    }
    void Tool(QAction *button) {
        QTest::mouseClick(ui().Toolbar1->widgetForAction(button), Qt::LeftButton);
        ProcessEvents();
    }
    void Save() { Tool(ui().Button3); }
    // The old entry password passes its check and a new one is typed.
    void TypeNewPassword(const QString &typed) {
        QTest::keyClicks(ui().Text1, "rose7");
        QTest::keyClick(ui().Text1, Qt::Key_Return);
        QTest::keyClicks(ui().Text2, typed);
    }

    // Every message as "style text"; all of them have the empty title.
    QStringList Shown() {
        QStringList shown;
        for (const auto &call : msgs.calls) {
            EXPECT_TRUE(call.titleGiven && call.title.isEmpty()) << call.title.toStdString();
            shown << Style(call.style, call.text);
        }
        msgs.Clear();
        return shown;
    }
    QStringList ExamSettings() {
        QStringList values;
        for (const QString &key : ExamKeys)
            values << Module1::GetSetting(key);
        return values;
    }
    QVariantList Row() {
        QSqlQuery query = Db::Exec(TestDb(), "SELECT * FROM setting");
        QVariantList values;
        while (query.next())
            for (int i = 0; i < query.record().count(); ++i)
                values << query.value(i);
        return values;
    }
    int RowWrites() { return Scalar("SELECT n FROM row_writes").toInt(); }
};

TEST_F(SettingFormTest, SaveAtOnceWritesEverythingBackUnchangedAndCloses) {
    const QVariantList row = Row();
    Open();
    Save();
    EXPECT_EQ(Shown(), QStringList());
    EXPECT_FALSE(form().IsLoaded());
    EXPECT_EQ(ExamSettings(), ExamValues);
    EXPECT_EQ(Module1::GetSetting("Pass"), "ROSE7");
    EXPECT_EQ(Row(), row);
    EXPECT_EQ(RowWrites(), 1);
}

TEST_F(SettingFormTest, CloseButtonSavesNothing) {
    Open();
    TypeNewPassword("NEW");
    Tool(ui().Button1);
    EXPECT_FALSE(form().IsLoaded());
    EXPECT_EQ(Module1::GetSetting("Pass"), "ROSE7");
    EXPECT_EQ(RowWrites(), 0);
}

TEST_F(SettingFormTest, OldPasswordIsComparedInUpperCase) {
    // saved, typed
    const std::pair<const char *, const char *> cases[] = {{"ROSE7", "rose7"}, {"rose7", "ROSE7"}};
    for (const auto &[saved, typed] : cases) {
        SCOPED_TRACE(typed);
        Module1::SaveSetting("Pass", saved);
        Open();
        QTest::keyClicks(ui().Text1, typed);
        EXPECT_EQ(ui().Text1->text(), "ROSE7");
        QTest::keyClick(ui().Text1, Qt::Key_Return);
        EXPECT_EQ(Shown(), QStringList());
        EXPECT_TRUE(ui().Text2->isEnabled());
        EXPECT_EQ(form().Widget()->focusWidget(), ui().Text2);
        Tool(ui().Button1);
    }
}

TEST_F(SettingFormTest, EveryOpeningStartsInTheOldPasswordBox) {
    for (int opening = 0; opening < 2; ++opening) {
        Open();
        EXPECT_EQ(form().Widget()->focusWidget(), ui().Text1) << "opening " << opening;
        QTest::keyClicks(QApplication::focusWidget(), "rose7");
        EXPECT_EQ(ui().Text1->text(), "ROSE7");
        ui().Cmd_Test->setFocus();
        form().Unload();
    }
}

TEST_F(SettingFormTest, WrongOldPasswordClearsAndDisablesTheNewOne) {
    Open();
    TypeNewPassword("NEW");
    ui().Text1->clear();
    QTest::keyClicks(ui().Text1, "rose8");
    QTest::mouseClick(ui().Cmd_Test, Qt::LeftButton);
    EXPECT_EQ(Shown(), QStringList{Style(16, WrongOld)});
    EXPECT_EQ(ui().Text2->text(), "");
    EXPECT_FALSE(ui().Text2->isEnabled());
    EXPECT_EQ(ui().Text1->selectedText(), "ROSE8");
    EXPECT_EQ(form().Widget()->focusWidget(), ui().Text1);

    Save();
    EXPECT_FALSE(form().IsLoaded());
    EXPECT_EQ(Module1::GetSetting("Pass"), "ROSE7");
}

TEST_F(SettingFormTest, NewPasswordIsSavedWithoutOuterSpacesAndSpacesOnlyKeepTheOld) {
    struct Case {
        const char *typed;
        QString saved;
        QStringList shown;
    };
    const Case cases[] = {
        {"  new 1  ", "NEW 1", {}},
        {"   ", "ROSE7", {Style(48, EmptyNew)}},
    };
    int writes = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        Module1::SaveSetting("Pass", "ROSE7");
        Open();
        TypeNewPassword(c.typed);
        Save();
        EXPECT_EQ(Shown(), c.shown);
        EXPECT_EQ(Module1::GetSetting("Pass"), c.saved);
        // The save went on to the end.
        EXPECT_FALSE(form().IsLoaded());
        EXPECT_EQ(ExamSettings(), ExamValues);
        EXPECT_EQ(RowWrites(), ++writes);
    }
}

TEST_F(SettingFormTest, EmptyExamParameterStopsTheSaveAfterThePassword) {
    Module1::SaveSetting("F_Emtiyaz", "");
    Open();
    TypeNewPassword("new");
    ui().T1->setText("99"); // its page is locked: changed from here to see whether it is written
    Save();
    EXPECT_EQ(Shown(), QStringList{Style(48, Incomplete)});
    EXPECT_TRUE(IsOpen());
    EXPECT_EQ(Module1::GetSetting("Pass"), "NEW");
    EXPECT_EQ(Module1::GetSetting("Qusetion_Count"), "25");
    EXPECT_EQ(RowWrites(), 0);
}

TEST_F(SettingFormTest, KeyFiltersTakeTheirListsInUpperCaseAndDropEscape) {
    Open();
    // The exam page is locked in this program; it is opened here to reach its boxes.
    ui().SSTab->setTabEnabled(1, true);
    ui().SSTab->setTabVisible(1, true);
    ui().SSTab->setCurrentIndex(1);
    EXPECT_EQ(form().Widget()->focusWidget(), ui().T1);

    struct Case {
        QLineEdit *box;
        const char *typed;
        QString shown;
    };
    const Case cases[] = {
        {ui().Text1, "ab c9-_.!", "AB C9"},
        {ui().T1, "1a2 b.3-", "123"},
        {ui().T4, "0.5", "05"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        c.box->clear();
        QTest::keyClicks(c.box, c.typed);
        QTest::keyClick(c.box, Qt::Key_Escape);
        EXPECT_EQ(c.box->text(), c.shown);
        EXPECT_TRUE(IsOpen());
    }
    EXPECT_EQ(Shown(), QStringList());
}

TEST_F(SettingFormTest, ExamAndAccessPagesAreOffAtEveryLoad) {
    for (int load = 1; load <= 2; ++load) {
        SCOPED_TRACE(load);
        Open();
        for (int page : {1, 2}) {
            EXPECT_FALSE(ui().SSTab->isTabEnabled(page));
            EXPECT_FALSE(ui().SSTab->isTabVisible(page));
        }
        QTest::keyClick(ui().SSTab, Qt::Key_Tab, Qt::ControlModifier);
        QTest::keyClick(ui().SSTab, Qt::Key_PageDown, Qt::ControlModifier);
        EXPECT_EQ(ui().SSTab->currentIndex(), 0);
        Tool(ui().Button1);
    }
}

// The settings row made unreadable or unwritable by another hand.
struct RowFailure {
    const char *name;
    const char *beforeLoad;
    const char *afterLoad;
    bool readable; // the load sees the row
};

class SettingRowFailure : public SettingFormTest, public ::testing::WithParamInterface<RowFailure> {};

TEST_P(SettingRowFailure, IsToldAndKeepsWhatWasSavedBeforeIt) {
    const RowFailure &f = GetParam();
    if (*f.beforeLoad)
        Exec(f.beforeLoad);
    Open();
    EXPECT_EQ(Shown(), f.readable ? QStringList() : QStringList{Style(16, RowNotRead)});
    if (*f.afterLoad)
        Exec(f.afterLoad);
    const bool tablePresent = Scalar("SELECT count(*) FROM sqlite_master WHERE name='setting'").toInt() == 1;
    const QVariantList row = tablePresent ? Row() : QVariantList();

    TypeNewPassword("new");
    ui().Check1->setChecked(!ui().Check1->isChecked()); // a changed switch must not reach the file
    Save();
    EXPECT_EQ(Shown(), QStringList{Style(16, RowNotSaved)});
    EXPECT_TRUE(IsOpen());
    EXPECT_EQ(Module1::GetSetting("Pass"), "NEW");
    EXPECT_EQ(ExamSettings(), ExamValues);
    if (tablePresent) {
        EXPECT_EQ(Row(), row);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingRowFailure,
    ::testing::Values(RowFailure{"TableMissing", "DROP TABLE setting", "", false},
                      RowFailure{"NoRow", "DELETE FROM setting", "", false},
                      RowFailure{"TableDroppedAfterLoad", "", "DROP TABLE setting", true},
                      RowFailure{"UpdatesRefused", "",
                                 "CREATE TRIGGER refuse BEFORE UPDATE ON setting "
                                 "BEGIN SELECT RAISE(ABORT, 'locked'); END",
                                 true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(SettingFormTest, UnwritableSavedSettingsAreToldAndTheRowIsLeftAlone) {
    Open();
    TypeNewPassword("new");
    // The saved settings' folder turns out to be a plain file.
    const QString blocked = temp.filePath("blocked");
    QFile file(blocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    SavedSettings::SetFolder(blocked);
    Save();
    EXPECT_EQ(Shown(), QStringList{Style(16, SettingsNotSaved)});
    EXPECT_TRUE(IsOpen());
    EXPECT_EQ(RowWrites(), 0);
}


// Another workstation holds the file while the window opens and again while it saves: both wait with
// the window painting, and the row read under the lock is written back as from any other.
TEST_F(SettingFormTest, OpeningAndSavingWaitForAHeldFile) {
    const QVariantList row = Row();
    {
        FileLock other(DatabasePath(), 200);
        Open();
        EXPECT_FALSE(other.Held());
        EXPECT_TRUE(other.BusyCursorAtRelease());
    }
    {
        FileLock other(DatabasePath(), 200);
        Save();
        EXPECT_FALSE(other.Held());
        EXPECT_GT(other.PaintsWhileHeld(), 0);
    }
    EXPECT_EQ(Shown(), QStringList());
    EXPECT_FALSE(form().IsLoaded());
    EXPECT_EQ(Row(), row);
    EXPECT_EQ(RowWrites(), 1);
}

// A save whose wait the user gives up is told as busy, and the window stays for another save.
TEST_F(SettingFormTest, ASaveGivenUpOnAHeldFileIsToldAsBusyAndCanBeMadeAgain) {
    Open();
    Db::SetBusyPatience(50);
    {
        FileLock other(DatabasePath(), 5000);
        msgs.Answer(Msg::vbNo);
        Save();
    }
    EXPECT_EQ(Shown(), (QStringList{Style(52, BusyTexts::KeepWaiting), Style(48, BusyTexts::Busy)}));
    EXPECT_TRUE(IsOpen());
    EXPECT_EQ(RowWrites(), 0);
    Save();
    EXPECT_EQ(Shown(), QStringList());
    EXPECT_FALSE(form().IsLoaded());
    EXPECT_EQ(RowWrites(), 1);
}
