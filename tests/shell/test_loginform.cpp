// The entry-password window and the path prompt driven through their controls: the password check
// and its key filter, the unlocked flag, and the ways from the prompt to the password window.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

#include "support/Fixture.h"
#include "platform/Form.h"
#include "platform/SavedSettings.h"
#include "shell/LoginForm.h"
#include "shell/Module1.h"
#include "shell/loginform1.h"

namespace {
const QString NotValid = QStringLiteral(" متاسقانه کلمه عبور شما فاقد اعتبار است ");

void Tool(QToolBar *bar, QAction *button) {
    QTest::mouseClick(bar->widgetForAction(button), Qt::LeftButton);
    ProcessEvents();
}
} // namespace

class LoginTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        Module1::SaveSetting("Pass", "ROSE7");
    }
    LoginForm &login() { return Forms::Get<LoginForm>(); }
    loginform1 &prompt() { return Forms::Get<loginform1>(); }
    bool IsOpen(FormBase &form) { return form.IsLoaded() && form.Widget()->isVisible(); }
    void OpenLogin() {
        login().Show();
        ProcessEvents();
    }
    void OpenPrompt() {
        prompt().Show();
        ProcessEvents();
    }
};

TEST_F(LoginTest, TheWindowsCarryTheirCaptions) {
    EXPECT_EQ(login().Widget()->windowTitle(), QStringLiteral(" < ورود به برنامه >"));
    EXPECT_EQ(login().ui().Label1->text(), QStringLiteral("رمز ورودي را وارد کن"));
    EXPECT_EQ(prompt().Widget()->windowTitle(), QStringLiteral("به برنامه خوش آمديد"));
    EXPECT_EQ(prompt().ui().Label1->text(), QStringLiteral("Welcome"));

    const QString shots = qEnvironmentVariable("TELLUMO_SHOTS"); // where to keep pictures for a look
    if (shots.isEmpty())
        return;
    OpenLogin();
    QTest::keyClicks(login().ui().Text1, "rose");
    login().Widget()->grab().save(shots + QStringLiteral("/login.png"));
    OpenPrompt();
    QTest::keyClicks(prompt().ui().Text1, "/mnt/server");
    prompt().Widget()->grab().save(shots + QStringLiteral("/prompt.png"));
    login().Unload();
    prompt().Unload();
}

TEST_F(LoginTest, AMatchIgnoringCaseUnlocksAndCloses) {
    struct Case {
        const char *saved;
        const char *typed;
        bool byEnter; // else the check button
    };
    const Case cases[] = {
        {"ROSE7", "rose7", true},
        {"rose7", "ROSE7", false},
        {"Ab 12", "aB 12", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        Module1::UnlockedFlag = 0;
        Module1::SaveSetting("Pass", c.saved);
        OpenLogin();
        QTest::keyClicks(login().ui().Text1, c.typed);
        if (c.byEnter)
            QTest::keyClick(login().ui().Text1, Qt::Key_Return);
        else
            Tool(login().ui().Toolbar1, login().ui().Button2);
        ProcessEvents();
        EXPECT_TRUE(msgs.calls.empty());
        EXPECT_EQ(Module1::UnlockedFlag, 1);
        EXPECT_FALSE(login().IsLoaded());
    }
}

TEST_F(LoginTest, AMismatchIsToldAndTheWindowWaitsForAnotherTry) {
    OpenLogin();
    for (const char *typed : {"rose8", "", "rose7 "}) {
        SCOPED_TRACE(typed);
        login().ui().Text1->clear();
        QTest::keyClicks(login().ui().Text1, typed);
        QTest::keyClick(login().ui().Text1, Qt::Key_Return);
        ASSERT_EQ(msgs.calls.size(), 1u);
        EXPECT_EQ(msgs.Last().text, NotValid);
        EXPECT_EQ(msgs.Last().style, 16);
        EXPECT_TRUE(msgs.Last().titleGiven);
        EXPECT_EQ(msgs.Last().title, QStringLiteral(" "));
        msgs.Clear();
        EXPECT_EQ(Module1::UnlockedFlag, 0);
        EXPECT_TRUE(IsOpen(login()));
        EXPECT_EQ(login().Widget()->focusWidget(), login().ui().Text1);
        EXPECT_EQ(login().ui().Text1->selectedText(), login().ui().Text1->text());
        EXPECT_EQ(login().ui().Text1->text(), QString(typed).toUpper());
    }
    // The selected text is typed over.
    QTest::keyClicks(login().ui().Text1, "rose7");
    EXPECT_EQ(login().ui().Text1->text(), "ROSE7");
    Tool(login().ui().Toolbar1, login().ui().Button2);
    EXPECT_TRUE(msgs.calls.empty());
    EXPECT_EQ(Module1::UnlockedFlag, 1);
    EXPECT_FALSE(login().IsLoaded());
}

TEST_F(LoginTest, NoSavedPasswordUnlocksNothing) {
    // The saved settings lost or unreadable: an empty box and any typed text are both refused.
    SavedSettings::SetFolder(temp.filePath("elsewhere"));
    OpenLogin();
    for (const char *typed : {"", "rose7"}) {
        SCOPED_TRACE(typed);
        login().ui().Text1->clear();
        QTest::keyClicks(login().ui().Text1, typed);
        Tool(login().ui().Toolbar1, login().ui().Button2);
        ASSERT_EQ(msgs.calls.size(), 1u);
        EXPECT_EQ(msgs.Last().text, NotValid);
        msgs.Clear();
        EXPECT_EQ(Module1::UnlockedFlag, 0);
        EXPECT_TRUE(IsOpen(login()));
    }
}

TEST_F(LoginTest, RefusedKeysEnterNothing) {
    OpenLogin();
    const std::pair<const char *, QString> cases[] = {
        {"ab c9", "AB C9"},
        {"-_.!/@", ""},
        {"x-y", "XY"},
    };
    for (const auto &[typed, shown] : cases) {
        SCOPED_TRACE(typed);
        login().ui().Text1->clear();
        QTest::keyClicks(login().ui().Text1, typed);
        for (const QString &letter : {QStringLiteral("\u0628"), QStringLiteral("\u00e9")}) { // Persian, accented
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, letter);
            QApplication::sendEvent(login().ui().Text1, &press);
        }
        QTest::keyClick(login().ui().Text1, Qt::Key_Escape);
        EXPECT_EQ(login().ui().Text1->text(), shown);
        EXPECT_TRUE(IsOpen(login()));
    }
    EXPECT_TRUE(msgs.calls.empty());
    EXPECT_EQ(Module1::UnlockedFlag, 0);
}

TEST_F(LoginTest, ExitEndsTheProgramFromEitherWindow) {
    OpenLogin();
    Tool(login().ui().Toolbar1, login().ui().Button1);
    EXPECT_EQ(ended, std::vector<int>{0});
    EXPECT_EQ(Module1::UnlockedFlag, 0);
    ended.clear();
    OpenPrompt();
    Tool(prompt().ui().Toolbar1, prompt().ui().Button1);
    EXPECT_EQ(ended, std::vector<int>{0});
    EXPECT_TRUE(modal.opened.empty());
}

TEST_F(LoginTest, ThePromptLeadsToThePasswordWindowByButton3OrEnter) {
    struct Case {
        const char *name;
        bool byEnter;        // else button 3
        bool button3Enabled;
        bool promptOpenBehind; // the prompt still stands while the password window is open
    };
    const Case cases[] = {
        {"button 3", false, true, false},
        {"Enter", true, true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Module1::UnlockedFlag = 0;
        modal.opened.clear();
        bool promptBehind = !c.promptOpenBehind;
        modal.On("LoginForm", [&](QDialog &) {
            promptBehind = prompt().IsLoaded();
            QTest::keyClicks(login().ui().Text1, "rose7");
            QTest::keyClick(login().ui().Text1, Qt::Key_Return);
        });
        OpenPrompt();
        if (c.byEnter)
            QTest::keyClick(prompt().ui().Text1, Qt::Key_Return);
        else
            Tool(prompt().ui().Toolbar1, prompt().ui().Button3);
        ProcessEvents();
        EXPECT_EQ(modal.opened, std::vector<QString>{"LoginForm"});
        EXPECT_EQ(promptBehind, c.promptOpenBehind);
        EXPECT_FALSE(prompt().IsLoaded());
        EXPECT_FALSE(login().IsLoaded());
        EXPECT_EQ(Module1::UnlockedFlag, 1);
    }
}

TEST_F(LoginTest, ThePromptClosesWithoutThePasswordWindow) {
    struct Case {
        const char *name;
        bool byEnter; // else button 2
    };
    for (const Case &c : {Case{"button 2", false}, Case{"Enter while button 3 is off", true}}) {
        SCOPED_TRACE(c.name);
        OpenPrompt();
        prompt().ui().Button3->setEnabled(!c.byEnter);
        if (c.byEnter)
            QTest::keyClick(prompt().ui().Text1, Qt::Key_Return);
        else
            Tool(prompt().ui().Toolbar1, prompt().ui().Button2);
        ProcessEvents();
        EXPECT_TRUE(modal.opened.empty());
        EXPECT_FALSE(prompt().IsLoaded());
        EXPECT_FALSE(Forms::Exists<LoginForm>() && login().IsLoaded());
    }
    EXPECT_TRUE(ended.empty());
}

TEST_F(LoginTest, ThePromptEchoesTheLastKeyAndLabel3ClearsThePath) {
    OpenPrompt();
    auto &u = prompt().ui();
    const std::pair<const char *, const char *> typed[] = {{"/mnt/Share", "e"}, {"/x", "x"}, {"\b", "x"}};
    QString path;
    for (const auto &[keys, echoed] : typed) {
        SCOPED_TRACE(keys);
        QTest::keyClicks(u.Text1, keys);
        path = QString(keys) == "\b" ? path.chopped(1) : path + keys;
        EXPECT_EQ(u.Text1->text(), path); // taken as typed, case kept
        EXPECT_EQ(u.cmd1->text(), echoed);
    }
    QTest::mouseDClick(u.Label3, Qt::LeftButton);
    EXPECT_EQ(u.Text1->text(), "");
    EXPECT_TRUE(IsOpen(prompt()));
    EXPECT_TRUE(modal.opened.empty());
}
