#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QDir>
#include <QMessageBox>
#include <QSysInfo>
#include <QWindow>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QLockFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "Fixture.h"
#include "platform/App.h"
#include "platform/Db.h"
#include "platform/Form.h"
#include "platform/KeyFilter.h"
#include "platform/MsgBox.h"
#include "platform/SavedSettings.h"
#include "platform/Share.h"
#include "platform/TextBoxes.h"
#include "platform/SingleInstance.h"
#include "shell/SharedDatabase.h"

namespace {

using PlatformTest = AppFixture;

TEST_F(PlatformTest, MessageBoxTitles) {
    MsgBox(QStringLiteral("a"), Msg::vbExclamation, QString());
    MsgBox(QStringLiteral("b"), Msg::vbCritical);
    ASSERT_EQ(msgs.calls.size(), 2u);
    EXPECT_TRUE(msgs.calls[0].titleGiven);
    EXPECT_EQ(msgs.calls[0].title, QString());
    EXPECT_FALSE(msgs.calls[1].titleGiven);
    EXPECT_EQ(msgs.calls[1].title, QString::fromLatin1(App::Title));
    msgs.Answer(Msg::vbNo);
    EXPECT_EQ(MsgBox(QStringLiteral("c"), 52, QStringLiteral("t")), Msg::vbNo);
}

TEST_F(PlatformTest, AnEmptyTitleShowsAnEmptyTitleBarNoTitleShowsTheProgramsNameAndTheTextNamesTheBox) {
    Msg::SetHandler(nullptr); // real boxes, looked at while open
    const std::pair<std::optional<QString>, QString> cases[] = {
        {QString(), QStringLiteral(" ")},
        {std::nullopt, QStringLiteral("Tellumo")},
        {QStringLiteral("اخطار"), QStringLiteral("اخطار")},
    };
    for (const auto &[given, shown] : cases) {
        SCOPED_TRACE(shown.toStdString());
        QString title, platformTitle, spokenName;
        QTimer::singleShot(0, qApp, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            platformTitle = box->windowHandle() ? box->windowHandle()->title() : QString();
            if (QAccessibleInterface *face = QAccessible::queryAccessibleInterface(box))
                spokenName = face->text(QAccessible::Name);
            box->accept();
        });
        MsgBox(QStringLiteral("متن پيام"), Msg::vbExclamation, given);
        EXPECT_EQ(title, shown);
        // What the window system is handed: never empty, or it would put the program's name there.
        EXPECT_EQ(platformTitle, shown);
        // What a screen reader announces: the message, whatever the title.
        EXPECT_EQ(spokenName, QStringLiteral("متن پيام"));
    }
}

TEST_F(PlatformTest, RealBoxesShowTheirCaptionsJoinedAndRightAlignTheTextWhenAsked) {
    Msg::SetHandler(nullptr);
    const QString text = QStringLiteral(" : گزينه هاي زير را به صورت صحيح تکميل کنيد  \r\n----------------------------\r\n عنوان موضوع ");
    const struct {
        int style;
        bool right;
    } cases[] = {{36, false}, {48, false}, {524336, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.style);
        QStringList captions;
        Qt::Alignment alignment;
        QTimer::singleShot(0, qApp, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            for (QAbstractButton *button : box->buttons())
                captions << button->text();
            if (auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
                alignment = label->alignment();
            if (const QString shots = qEnvironmentVariable("TELLUMO_SHOTS"); !shots.isEmpty())
                box->grab().save(shots + QStringLiteral("/msgbox-%1.png").arg(c.style));
            box->accept();
        });
        MsgBox(text, c.style, QString());
        ASSERT_FALSE(captions.isEmpty());
        // A mnemonic underline would break the letters of a Persian caption apart ("بـله").
        for (const QString &caption : captions)
            EXPECT_FALSE(caption.contains(u'&')) << caption.toStdString();
        // Right means the right edge whatever the direction, so a line of hyphens goes there too.
        EXPECT_EQ(alignment.testFlags(Qt::AlignRight | Qt::AlignAbsolute), c.right);
    }
}

// A box whose layout left its alignment alone puts its text at the right edge of a right-to-left window,
// whatever the text's own direction; a box laid out otherwise, or in a left-to-right window, keeps its own.
TEST_F(PlatformTest, TextBoxesOfARightToLeftWindowAlignRight) {
    for (Qt::LayoutDirection direction : {Qt::RightToLeft, Qt::LeftToRight}) {
        SCOPED_TRACE(direction);
        QWidget window;
        window.setLayoutDirection(direction);
        auto *plain = new QLineEdit(QStringLiteral("12"), &window);
        auto *centred = new QLineEdit(&window);
        centred->setAlignment(Qt::AlignCenter);
        auto *leftToRight = new QLineEdit(&window);
        leftToRight->setLayoutDirection(Qt::LeftToRight);
        auto *list = new QComboBox(&window);
        list->setEditable(true);
        TextBoxes::AlignRight(&window);
        const Qt::Alignment right = Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter;
        const Qt::Alignment asMade = Qt::AlignLeft | Qt::AlignVCenter;
        const bool rtl = direction == Qt::RightToLeft;
        EXPECT_EQ(plain->alignment(), rtl ? right : asMade);
        EXPECT_EQ(leftToRight->alignment(), rtl ? right : asMade);
        EXPECT_EQ(list->lineEdit()->alignment(), rtl ? right : asMade);
        EXPECT_EQ(centred->alignment(), Qt::AlignCenter);
    }
}

TEST_F(PlatformTest, SavedSettingsWithoutDefaultAreEmpty) {
    EXPECT_EQ(SavedSettings::GetSetting("Quorvel", "Setting", "Pass"), QString());
    EXPECT_EQ(SavedSettings::GetSetting("Quorvel", "Setting", "Pass", "x"), "x");
    SavedSettings::SaveSetting("Quorvel", "Setting", "Pass", QStringLiteral("رمز 1"));
    EXPECT_EQ(SavedSettings::GetSetting("Quorvel", "Setting", "Pass"), QStringLiteral("رمز 1"));
    EXPECT_TRUE(QFile::exists(temp.filePath("config/Quorvel.ini")));
}

TEST_F(PlatformTest, ShareMapsServerFoldersAndRefusesEscapes) {
    EXPECT_EQ(Share::LocalPath("\\\\server\\tellumo\\").value_or(""), ShareRoot() + "/server/tellumo");
    EXPECT_EQ(Share::LocalPath("\\\\server\\tellumo\\tellumo.dll").value_or(""),
              ShareRoot() + "/server/tellumo/tellumo.dll");
    for (const char *bad : {"\\\\\\tellumo\\", "\\\\..\\tellumo\\", "\\\\a/b\\tellumo\\", "server\\tellumo",
                            "\\\\server\\..\\x"})
        EXPECT_FALSE(Share::LocalPath(QString::fromLatin1(bad)).has_value()) << bad;

    QDir(ShareRoot()).mkpath("server/tellumo/old/deeper");
    QFile(ShareRoot() + "/server/tellumo/old/deeper/tellumo.dll").open(QIODevice::WriteOnly);
    QString found;
    EXPECT_TRUE(Share::SearchTreeForFile("\\\\server\\tellumo\\", "tellumo.dll", &found));
    EXPECT_TRUE(found.endsWith("old/deeper/tellumo.dll"));
    EXPECT_FALSE(Share::SearchTreeForFile("\\\\other\\tellumo\\", "tellumo.dll"));
    EXPECT_FALSE(Share::SearchTreeForFile("\\\\..\\shares\\", "tellumo.dll"));
}

TEST_F(PlatformTest, ShareNamesMatchWithoutRegardToCase) {
    QDir(ShareRoot()).mkpath("Srv2/TeLLumo");
    QFile(ShareRoot() + "/Srv2/TeLLumo/TELLUMO.DLL").open(QIODevice::WriteOnly);
    const char *servers[] = {"server", "SERVER", "Server", "srv2", "SRV2"};
    for (const char *server : servers) {
        SCOPED_TRACE(server);
        for (const char *folder : {"tellumo", "TELLUMO", "Tellumo"}) {
            const QString share = QStringLiteral("\\\\%1\\%2\\").arg(QLatin1String(server), QLatin1String(folder));
            QDir(ShareRoot()).mkpath("server/tellumo");
            QFile(ShareRoot() + "/server/tellumo/tellumo.dll").open(QIODevice::WriteOnly);
            QString found;
            EXPECT_TRUE(Share::SearchTreeForFile(share, "tellumo.dll", &found)) << folder;
            EXPECT_TRUE(QFileInfo(found).isFile()) << folder;
            const QString file = Share::LocalPath(share + "tellumo.dll").value_or("");
            EXPECT_TRUE(QFileInfo(file).isFile()) << folder;
            EXPECT_EQ(file, found) << folder;
        }
    }
    // A name that matches nothing stays as typed.
    EXPECT_EQ(Share::LocalPath("\\\\Nosuch\\Tellumo\\").value_or(""), ShareRoot() + "/Nosuch/Tellumo");
}

TEST_F(PlatformTest, SecondCopyFindsTheLockTaken) {
    QLockFile first(temp.filePath("tellumo.lock"));
    ASSERT_TRUE(first.tryLock(0));
    EXPECT_TRUE(SingleInstance::PrevInstance());
    first.unlock();
    SingleInstance::Release();
    EXPECT_FALSE(SingleInstance::PrevInstance());
}

TEST_F(PlatformTest, OnlyALockHeldByARunningCopyIsAnotherCopy) {
    QFile plain(temp.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const std::pair<const char *, QString> cannotLock[] = {
        {"folder missing", temp.filePath("no/such/folder/tellumo.lock")},
        {"folder is a file", temp.filePath("plain/tellumo.lock")},
    };
    for (const auto &[name, path] : cannotLock) {
        SingleInstance::SetLockPath(path);
        EXPECT_FALSE(SingleInstance::PrevInstance()) << name;
    }

    // A copy that died left its lock behind: the next start takes it over.
    const QString left = temp.filePath("left.lock");
    QFile dead(left);
    ASSERT_TRUE(dead.open(QIODevice::WriteOnly));
    dead.write("2147483646\n" + QCoreApplication::applicationName().toUtf8() + "\n" +
               QSysInfo::machineHostName().toUtf8() + "\n");
    dead.close();
    SingleInstance::SetLockPath(left);
    EXPECT_FALSE(SingleInstance::PrevInstance());
    SingleInstance::Release();
}

TEST_F(PlatformTest, OnlyOurDatabaseFilesOpen) {
    const QString folder = temp.filePath("files");
    QDir().mkpath(folder);
    const QString missing = folder + "/missing.dll";
    EXPECT_THROW(Db::OpenChecked(missing, "t1"), Db::DbError);
    EXPECT_FALSE(QFile::exists(missing)) << "opening must never create the file";

    QFile text(folder + "/text.dll");
    text.open(QIODevice::WriteOnly);
    text.write("not a database at all, just some text that is long enough");
    text.close();
    EXPECT_THROW(Db::OpenChecked(text.fileName(), "t2"), Db::DbError);

    const QString foreign = folder + "/foreign.dll";
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "make-foreign");
        db.setDatabaseName(foreign);
        ASSERT_TRUE(db.open());
        Db::Exec(db, "CREATE TABLE setting (x)");
        db.close();
    }
    QSqlDatabase::removeDatabase("make-foreign");
    EXPECT_THROW(Db::OpenChecked(foreign, "t3"), Db::DbError);

    const QString ours = folder + "/ours.dll";
    SharedDatabase::CreateFile(ours, "1234");
    EXPECT_NO_THROW(Db::OpenChecked(ours, "t4"));
    EXPECT_THROW(SharedDatabase::CreateFile(ours, "1234"), Db::DbError) << "never overwrites a file";
    QSqlQuery journal = Db::Exec(Db::OpenChecked(ours, "t4"), "PRAGMA journal_mode");
    ASSERT_TRUE(journal.next());
    // The rollback journal: network shares do not carry the write-ahead log's shared memory.
    EXPECT_EQ(journal.value(0).toString(), "delete");
}

TEST_F(PlatformTest, TransactionRollsBackUnlessCommitted) {
    MakeDatabase(false);
    QSqlDatabase db = TestDb();
    {
        Db::Transaction t(db);
        Db::Exec(db, "INSERT INTO clase (name) VALUES ('x')");
    }
    EXPECT_EQ(Scalar("SELECT count(*) FROM clase").toInt(), 0);
    {
        Db::Transaction t(db);
        Db::Exec(db, "INSERT INTO clase (name) VALUES ('x')");
        t.Commit();
    }
    EXPECT_EQ(Scalar("SELECT count(*) FROM clase").toInt(), 1);
}

TEST(KeyFilterRule, UpperCasesControlCodesPassAndListsDecide) {
    const QString letters = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ ");
    EXPECT_EQ(KeyFilter::Filter(u'a', letters, KeyFilter::Allowed), QChar(u'A'));
    EXPECT_EQ(KeyFilter::Filter(QChar(8), letters, KeyFilter::Allowed), QChar(8));
    EXPECT_EQ(KeyFilter::Filter(QChar(13), letters, KeyFilter::Allowed), QChar(13));
    EXPECT_FALSE(KeyFilter::Filter(QChar(27), letters, KeyFilter::Allowed));
    EXPECT_FALSE(KeyFilter::Filter(u'-', letters, KeyFilter::Allowed));
    EXPECT_FALSE(KeyFilter::Filter(u'x', QStringLiteral("X"), KeyFilter::Refused));
    EXPECT_EQ(KeyFilter::Filter(u'y', QStringLiteral("X"), KeyFilter::Refused), QChar(u'Y'));
}

TEST(KeyFilterBox, TypedTextIsEnteredInUpperCaseAndEnterRunsTheCommand) {
    QLineEdit box;
    int entered = 0;
    KeyFilter::Install(&box, QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ "), KeyFilter::Allowed,
                       [&] { ++entered; });
    QTest::keyClicks(&box, QStringLiteral("ab-1 c"));
    EXPECT_EQ(box.text(), "AB1 C");
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(box.text(), "AB1 ");
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(entered, 1);
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_EQ(box.text(), "AB1 ");
}

// A window with one box and a timer, to watch the lifecycle.
struct TestUi {
    QLineEdit *Text1 = nullptr;
    void setupUi(QDialog *w) {
        Text1 = new QLineEdit(w);
        Text1->setObjectName("Text1");
        Text1->setText("design");
    }
};
class TestForm : public UiForm<TestUi> {
public:
    TestForm() : UiForm(QStringLiteral("TestForm")) {}
    int loads = 0;
    int ownValue = 0;
    bool allowClose = true;
    int ticks = 0;
    QTimer *timer = nullptr;

protected:
    void Connect() override {
        timer = new QTimer(Widget());
        QObject::connect(timer, &QTimer::timeout, Widget(), [this] { ++ticks; });
    }
    void Disconnect() override { timer = nullptr; }
    void Form_Load() override { ++loads; }
    bool Form_QueryUnload() override { return allowClose; }
};

TEST_F(PlatformTest, WindowsReloadFromDesignButKeepTheirOwnVariables) {
    TestForm &form = Forms::Get<TestForm>();
    EXPECT_EQ(&form, &Forms::Get<TestForm>());
    EXPECT_FALSE(form.IsLoaded());
    form.ui().Text1->setText("changed"); // touching a control loads the window
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_EQ(form.loads, 1);
    form.ownValue = 7;
    form.Show();

    form.allowClose = false;
    form.Widget()->close(); // the close box
    EXPECT_TRUE(form.IsLoaded());
    form.allowClose = true;
    form.timer->start(0);
    EXPECT_TRUE(form.Unload());
    EXPECT_FALSE(form.IsLoaded());
    ProcessEvents();
    EXPECT_EQ(form.ticks, 0) << "a timer of an unloaded window must not fire";

    EXPECT_EQ(form.ui().Text1->text(), "design");
    EXPECT_EQ(form.loads, 2);
    EXPECT_EQ(form.ownValue, 7);
    form.Unload();
}

} // namespace
