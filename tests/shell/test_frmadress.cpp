#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QLockFile>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

#include "Fixture.h"
#include "platform/Form.h"
#include "platform/SavedSettings.h"
#include "shell/ConnectionText.h"
#include "shell/MainForm.h"
#include "shell/Module1.h"
#include "shell/frmadress.h"

namespace {

const QString AlreadyRunning = QStringLiteral(" برنامه در حال اجرا بوده و اجراي همزمان آن وجود ندارد ");
const QString NotFound = QStringLiteral("نام کامپيوتر سرور را صحيح وارد کنيدارتباط برقرار نشد");
const QString DatabaseProblem = QStringLiteral(" پايگاه داده برنامه دچار مشکل شده و امکان اجراي برنامه وجود ندارد ");

class StartupTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        Module1::ConnectionString.clear();
    }
    void Confirm(const QString &server = QStringLiteral("server")) {
        startup.Show();
        startup.ui().txt1->setText(server);
        QTest::mouseClick(startup.ui().Command1, Qt::LeftButton);
    }
    QString Saved(const QString &key) { return Module1::GetSetting(key); }
    bool MainMenuShown() { return Forms::Exists<MainForm>() && Forms::Get<MainForm>().IsLoaded(); }
    void TearDown() override {
        startup.Unload();
        AppFixture::TearDown();
    }
    frmadress startup;
};

TEST_F(StartupTest, ConfirmConnectsWritesTheDefaultsAndShowsTheMainMenu) {
    MakeDatabase();
    EXPECT_EQ(startup.ui().txt1->text(), "server");
    Confirm();
    EXPECT_TRUE(msgs.calls.empty()) << msgs.calls.front().text.toStdString();
    EXPECT_EQ(Module1::ConnectionString,
              "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\\\\server\\tellumo\\tellumo.dll;"
              "Jet OLEDB:Database Password=" + ConnectionText::DatabasePassword + ";");
    EXPECT_EQ(ConnectionText::DatabasePassword.size(), 20);
    EXPECT_EQ(Module1::DbConnection.CursorLocation, 3);
    EXPECT_FALSE(Module1::DbConnection.IsOpen());
    EXPECT_EQ(Saved("Pass"), ConnectionText::DefaultEntryPassword);
    EXPECT_EQ(Saved("Pass2"), ConnectionText::DefaultEntryPassword);
    EXPECT_EQ(Saved("Qusetion_Count"), "20");
    EXPECT_EQ(Saved("Answer_Time"), "40");
    EXPECT_EQ(Saved("T_Emtiyaz"), "1");
    EXPECT_EQ(Saved("F_Emtiyaz"), "0");
    EXPECT_FALSE(startup.IsLoaded());
    EXPECT_TRUE(MainMenuShown());
    EXPECT_TRUE(ended.empty());
}

TEST_F(StartupTest, TheServerNameIsTypedInAnyCase) {
    MakeDatabase();
    Confirm(QStringLiteral("SERVER"));
    EXPECT_TRUE(msgs.calls.empty()) << msgs.calls.front().text.toStdString();
    EXPECT_TRUE(Module1::ConnectionString.contains("Data Source=\\\\SERVER\\tellumo\\tellumo.dll;"));
    EXPECT_TRUE(MainMenuShown());
}

TEST_F(StartupTest, DefaultsAreWrittenOnlyWhenPassIsMissing) {
    MakeDatabase();
    Module1::SaveSetting("Pass", "ABC");
    Module1::SaveSetting("Pass2", "P2");
    Module1::SaveSetting("Answer_Time", "55");
    Confirm();
    ASSERT_TRUE(MainMenuShown());
    // Nothing is written when Pass is there: not one of the six keys, missing ones stay missing.
    QSettings file(temp.filePath("config/Quorvel.ini"), QSettings::IniFormat);
    file.beginGroup("Setting");
    EXPECT_EQ(file.childKeys(), QStringList({"Answer_Time", "Pass", "Pass2"}));
    EXPECT_EQ(Saved("Pass"), "ABC");
    EXPECT_EQ(Saved("Pass2"), "P2");
    EXPECT_EQ(Saved("Answer_Time"), "55");
    file.endGroup();

    Forms::DestroyAll();
    Module1::SaveSetting("Pass", "");
    Module1::SaveSetting("Qusetion_Count", "30");
    Confirm();
    EXPECT_EQ(Saved("Qusetion_Count"), "20") << "all six defaults, over what was there";
    EXPECT_EQ(Saved("Pass"), ConnectionText::DefaultEntryPassword);
}

// Saved settings that are there but cannot be read are no first start: nothing is written over them.
TEST_F(StartupTest, UnreadableSavedSettingsEndTheProgramWithoutWritingTheDefaults) {
    MakeDatabase();
    const QString file = temp.filePath("config/Quorvel.ini");
    const QByteArray damaged = "[Setting]\nPass\nAnswer_Time=55\n";
    const std::pair<const char *, std::function<void()>> cases[] = {
        {"damaged", [&] {
             QFile f(file);
             f.open(QIODevice::WriteOnly);
             f.write(damaged);
         }},
        {"a folder in its place", [&] { QDir().mkpath(file); }},
    };
    for (const auto &[name, prepare] : cases) {
        SCOPED_TRACE(name);
        Forms::DestroyAll();
        msgs.Clear();
        ended.clear();
        prepare();
        Confirm();
        ASSERT_EQ(msgs.calls.size(), 1u);
        EXPECT_EQ(msgs.Last().text, DatabaseProblem);
        EXPECT_EQ(msgs.Last().style, 16);
        EXPECT_EQ(ended.size(), 1u);
        EXPECT_FALSE(MainMenuShown());
        if (QFileInfo(file).isFile()) {
            QFile f(file);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.readAll(), damaged); // left as it was
            f.remove();
        } else {
            EXPECT_TRUE(QDir(file).isEmpty());
        }
    }
}

TEST_F(StartupTest, UnknownServerKeepsTheWindowOpen) {
    MakeDatabase();
    for (const QString &server : {QStringLiteral("nosuch"), QString(), QStringLiteral(".."),
                                  QStringLiteral("../shares/server")}) {
        msgs.Clear();
        Confirm(server);
        ASSERT_EQ(msgs.calls.size(), 1u) << server.toStdString();
        EXPECT_EQ(msgs.Last().text, NotFound);
        EXPECT_EQ(msgs.Last().style, 48);
        EXPECT_TRUE(msgs.Last().titleGiven);
        EXPECT_EQ(msgs.Last().title, QString());
        EXPECT_TRUE(startup.IsLoaded());
        EXPECT_EQ(Module1::ConnectionString, QString());
    }
    EXPECT_TRUE(ended.empty());
    EXPECT_FALSE(MainMenuShown());
    EXPECT_EQ(Saved("Pass"), QString());
}

// The file is found on the share, but what is at the fixed path is no database of ours.
TEST_F(StartupTest, ABadDatabaseEndsTheProgramWithoutWritingAnything) {
    const QString share = ShareRoot() + "/server/tellumo";
    const std::vector<std::pair<const char *, std::function<void()>>> cases = {
        {"only in a sub-folder",
         [&] {
             QDir(share).mkpath("backup");
             QFile(share + "/backup/tellumo.dll").open(QIODevice::WriteOnly);
         }},
        {"not a database",
         [&] {
             QFile f(DatabasePath());
             f.open(QIODevice::WriteOnly);
             f.write("just text, not a database file of any kind");
         }},
        {"an SQLite file without the schema",
         [&] {
             QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bare");
             db.setDatabaseName(DatabasePath());
             db.open();
             Db::Exec(db, "CREATE TABLE other (x)");
             db.close();
         }},
    };
    for (const auto &[name, prepare] : cases) {
        QDir(share).removeRecursively();
        QDir().mkpath(share);
        prepare();
        QSqlDatabase::removeDatabase("bare");
        msgs.Clear();
        ended.clear();
        Confirm();
        ASSERT_EQ(msgs.calls.size(), 1u) << name;
        EXPECT_EQ(msgs.Last().text, DatabaseProblem) << name;
        EXPECT_EQ(msgs.Last().style, 16);
        EXPECT_EQ(msgs.Last().title, QString());
        EXPECT_EQ(ended.size(), 1u) << name;
        EXPECT_EQ(Saved("Pass"), QString()) << name;
        EXPECT_FALSE(MainMenuShown());
    }
}

TEST_F(StartupTest, ASecondCopyIsToldAtConfirmAndEnds) {
    MakeDatabase();
    QLockFile first(temp.filePath("tellumo.lock"));
    ASSERT_TRUE(first.tryLock(0));
    Confirm(QStringLiteral("nosuch"));
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, AlreadyRunning);
    EXPECT_EQ(msgs.Last().style, 16);
    EXPECT_EQ(msgs.Last().title, "Error");
    EXPECT_EQ(ended.size(), 1u);
    EXPECT_EQ(Saved("Pass"), QString());
}

TEST_F(StartupTest, ExitEndsWithoutTouchingAnything) {
    startup.Show();
    QTest::mouseClick(startup.ui().Command2, Qt::LeftButton);
    EXPECT_EQ(ended.size(), 1u);
    EXPECT_TRUE(msgs.calls.empty());
    EXPECT_EQ(Saved("Pass"), QString());
}

} // namespace

namespace {
// Another workstation holds the file while Confirm runs: the start-up waits with its window painting
// and goes on to the main menu once the file is free; never the database-problem message.
TEST_F(StartupTest, ConfirmWaitsForAFileHeldByAnotherWorkstation) {
    MakeDatabase();
    startup.Show();
    FileLock other(DatabasePath(), 300);
    Confirm();
    EXPECT_FALSE(other.Held());
    EXPECT_TRUE(other.BusyCursorAtRelease());
    EXPECT_GT(other.PaintsWhileHeld(), 0);
    EXPECT_TRUE(msgs.calls.empty()) << msgs.calls.front().text.toStdString();
    EXPECT_TRUE(ended.empty());
    EXPECT_TRUE(MainMenuShown());
    Forms::Get<MainForm>().Unload();
}

// A wait the user gives up is told as busy; the window stays, and the next Confirm goes through.
TEST_F(StartupTest, AGivenUpWaitIsToldAsBusyAndConfirmCanBeTriedAgain) {
    MakeDatabase();
    Db::SetBusyPatience(50);
    {
        FileLock other(DatabasePath(), 5000);
        msgs.Answer(Msg::vbNo);
        Confirm();
    }
    ASSERT_EQ(msgs.calls.size(), 2u);
    EXPECT_EQ(msgs.calls[0].text, BusyTexts::KeepWaiting);
    EXPECT_EQ(msgs.calls[0].style, 52);
    EXPECT_EQ(msgs.calls[1].text, BusyTexts::Busy);
    EXPECT_EQ(msgs.calls[1].style, 48);
    EXPECT_TRUE(msgs.calls[1].titleGiven && msgs.calls[1].title.isEmpty());
    EXPECT_TRUE(ended.empty()) << "a busy file must not end the program";
    EXPECT_TRUE(startup.IsLoaded());
    EXPECT_FALSE(MainMenuShown());

    msgs.Clear();
    Confirm();
    EXPECT_TRUE(msgs.calls.empty());
    EXPECT_TRUE(MainMenuShown());
    Forms::Get<MainForm>().Unload();
}
} // namespace
