#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QTextCursor>
#include <QTextEdit>
#include <QTest>
#include <QTimer>

#include "support/Fixture.h"
#include "exams/ExamForm.h"
#include "platform/Form.h"
#include "shell/MainForm.h"
#include "shell/Module1.h"
#include "shell/SettingForm.h"
#include "shell/frmhelp.h"

using namespace Module1;
using namespace Qt::StringLiterals;

namespace {
const QString NoClassChosen = QStringLiteral(" کلاس و سال تحصيلي مورد نظر خود را انتخاب کنيد  ");
const QString Warning = QStringLiteral("اخطار");
const QString NoClassDefined = QStringLiteral(" هيچ کلاسي  تعريف نشده  لطفا تعريف کنيد ");

class MainFormTest : public AppFixture {
protected:
    MainForm &menu() { return Forms::Get<MainForm>(); }
    Ui::MainForm &ui() { return menu().ui(); }

    // Which of the eight lights are lit (light green).
    QString LitLights() {
        QLabel *lights[] = {ui().L0, ui().L1, ui().L2, ui().L3, ui().L4, ui().L5, ui().L6, ui().L7};
        QString lit;
        for (int i = 0; i < 8; ++i)
            if (lights[i]->palette().color(QPalette::Window) == QColor(128, 255, 128))
                lit += QString::number(i);
            else
                EXPECT_EQ(lights[i]->palette().color(QPalette::Window), QColor(0, 0, 64)) << i;
        return lit;
    }
    QString VisibleCaptions() {
        QString shown;
        for (QLabel *caption : {ui().TL0, ui().TL1, ui().TL2, ui().TL3, ui().TL4, ui().TL6, ui().TL8})
            if (caption->isVisible())
                shown += caption->objectName() + QLatin1Char(' ');
        return shown.trimmed();
    }
};

TEST_F(MainFormTest, EveryLoadStartsAtTheThirdYearAndClassWithTodaysDates) {
    for (int load = 0; load < 2; ++load) {
        EXPECT_EQ(ui().Combosal->currentText(), "90-1389");
        EXPECT_EQ(ui().Comboclase->currentText(), QStringLiteral("سوم"));
        EXPECT_EQ(ui().Combosal->count(), 12);
        EXPECT_EQ(ui().Comboclase->count(), 6);
        EXPECT_EQ(ui().DateText->text(), *PersianDate(QDate::currentDate(), 3));
        EXPECT_EQ(ui().TimeText->text(), QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
        EXPECT_EQ(ui().Label2->text(), QStringLiteral("اين نسخه از برنامه صرفاً براي سازمان آموزش و پروش طراحي شده است - Quorvel"));
        ui().Combosal->setCurrentIndex(11);
        ui().Comboclase->setCurrentIndex(0);
        menu().Unload();
    }
}

TEST_F(MainFormTest, ExamPictureCopiesTheChosenYearAndClass) {
    MakeDatabase();
    SaveSetting("Qusetion_Count", "20");
    SaveSetting("Answer_Time", "40");
    ui().Comboclase->setCurrentIndex(5);
    ui().Combosal->setCurrentIndex(0);
    QTest::mouseClick(ui().Image22, Qt::LeftButton);
    EXPECT_TRUE(msgs.calls.empty());
    EXPECT_EQ(ClassNumberText, "6");
    EXPECT_EQ(SelectedClassName, QStringLiteral("ششم"));
    EXPECT_EQ(SelectedYearText, "88-1387");
    EXPECT_EQ(modal.opened, std::vector<QString>{"ExamForm"});
    Forms::Get<ExamForm>().Unload();
}

// A combo with nothing chosen stops the exam, the report cards and the research notes alike.
TEST_F(MainFormTest, NoYearOrClassChosenWarnsAndLeavesTheGlobals) {
    MakeDatabase();
    const std::pair<const char *, void (MainForm::*)()> entries[] = {
        {"Image22", &MainForm::Image22_Click}, {"IMAGE23", &MainForm::IMAGE23_Click}, {"Image25", &MainForm::Image25_Click}};
    for (const auto &[name, click] : entries)
        for (bool emptyYear : {true, false}) {
            SCOPED_TRACE(std::string(name) + (emptyYear ? " year" : " class"));
            msgs.Clear();
            ClassNumberText = "9";
            (emptyYear ? ui().Combosal : ui().Comboclase)->setCurrentIndex(-1);
            (menu().*click)();
            ASSERT_EQ(msgs.calls.size(), 1u);
            EXPECT_EQ(msgs.Last().text, NoClassChosen);
            EXPECT_EQ(msgs.Last().style, 0);
            EXPECT_EQ(msgs.Last().title, Warning);
            EXPECT_EQ(ClassNumberText, "9");
            EXPECT_TRUE(menu().IsLoaded());
            menu().Unload();
        }
}

TEST_F(MainFormTest, ReportCardsNeedADefinedClass) {
    MakeDatabase();
    Exec("DELETE FROM clase");
    ui().Comboclase->setCurrentIndex(3);
    QTest::mouseClick(ui().IMAGE23, Qt::LeftButton);
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, NoClassDefined);
    EXPECT_EQ(msgs.Last().style, 48);
    EXPECT_TRUE(msgs.Last().titleGiven);
    EXPECT_EQ(msgs.Last().title, QString());
    EXPECT_EQ(ClassNumberText, "4");
    EXPECT_EQ(SelectedYearText, "90-1389");
    EXPECT_TRUE(menu().IsLoaded());

    // With a class the count passes: the trainee list takes the menu's place.
    Exec("INSERT INTO clase (name) VALUES ('x')");
    msgs.Clear();
    menu().IMAGE23_Click();
    EXPECT_TRUE(msgs.calls.empty());
    EXPECT_FALSE(menu().IsLoaded());
    EXPECT_EQ(modal.opened, std::vector<QString>{"KaramoozList"});
}

TEST_F(MainFormTest, ADatabaseFailureWhileCountingClassesIsToldAndNothingOpens) {
    // No database file on the share.
    menu().IMAGE23_Click();
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, u" فهرست کلاس ها از پايگاه داده خوانده نشد "_s);
    EXPECT_EQ(msgs.Last().style, 16);
    EXPECT_TRUE(msgs.Last().titleGiven);
    EXPECT_EQ(msgs.Last().title, QString());
    // The message says the list was not read, not that the program cannot run: and it runs on.
    EXPECT_TRUE(ended.empty());
    EXPECT_TRUE(menu().IsLoaded());
    EXPECT_TRUE(modal.opened.empty());
}

// A file that another workstation holds is waited for; a wait given up is told as busy, never as the
// database problem that would tell the user the program cannot run.
TEST_F(MainFormTest, ClassesAreCountedOnceAHeldFileIsFreeOrTheBusyFileIsTold) {
    MakeDatabase();
    Exec("DELETE FROM clase");
    ui().Comboclase->setCurrentIndex(3);
    {
        FileLock other(DatabasePath(), 200);
        menu().IMAGE23_Click();
        EXPECT_FALSE(other.Held());
    }
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, NoClassDefined);

    msgs.Clear();
    Db::SetBusyPatience(50);
    {
        FileLock other(DatabasePath(), 5000);
        msgs.Answer(Msg::vbNo);
        menu().IMAGE23_Click();
    }
    ASSERT_EQ(msgs.calls.size(), 2u);
    EXPECT_EQ(msgs.calls[1].text, BusyTexts::Busy);
    EXPECT_EQ(msgs.calls[1].style, 48);
    EXPECT_TRUE(ended.empty());
    EXPECT_TRUE(menu().IsLoaded());
}

TEST_F(MainFormTest, TheLightWalksOneStepPerTick) {
    EXPECT_EQ(LitLights(), "0");
    const QString walk = "12345670" "12345670";
    for (QChar expected : walk) {
        menu().Timer2_Timer();
        EXPECT_EQ(LitLights(), QString(expected));
    }
    EXPECT_EQ(menu().Timer2->interval(), 500);
    EXPECT_TRUE(menu().Timer2->isActive());
}

TEST_F(MainFormTest, OnlyTheTopAndBottomBandsDragTheWindow) {
    menu().Show();
    menu().Move(3000, 3000);
    struct Case {
        QPoint press; // pixels; 15 twips each
        Qt::MouseButton button;
        bool drags;
    };
    const Case cases[] = {
        {{20, 10}, Qt::LeftButton, true},   // top band
        {{300, 25}, Qt::LeftButton, false}, // on the banner, a control of its own
        {{300, 5}, Qt::LeftButton, true},   // above the banner
        {{300, 53}, Qt::LeftButton, true},  // 795 twips
        {{300, 54}, Qt::LeftButton, false}, // 810 twips
        {{20, 240}, Qt::LeftButton, false}, // middle
        {{300, 420}, Qt::LeftButton, false}, // 6300 twips
        {{300, 470}, Qt::LeftButton, true},  // bottom band
        {{666, 470}, Qt::LeftButton, true}, // 9990 twips
        {{667, 470}, Qt::LeftButton, false}, // 10005 twips
        {{20, 10}, Qt::RightButton, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QStringLiteral("%1,%2").arg(c.press.x()).arg(c.press.y()).toStdString());
        menu().Move(3000, 3000);
        QWidget *window = menu().Widget();
        QTest::mousePress(window, c.button, {}, c.press);
        EXPECT_EQ(window->cursor().shape(), c.drags ? Qt::SizeAllCursor : Qt::ArrowCursor);
        QTest::mouseMove(window, c.press + QPoint(30, 10));
        QTest::mouseRelease(window, c.button, {}, c.press + QPoint(30, 10));
        EXPECT_EQ(menu().Left(), c.drags ? 3450 : 3000);
        EXPECT_EQ(menu().Top(), c.drags ? 3150 : 3000);
        EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
    }
    menu().Unload();
}

TEST_F(MainFormTest, HoveringAnEntryShowsOnlyItsCaption) {
    menu().Show();
    EXPECT_EQ(VisibleCaptions(), "");
    QTest::mouseMove(ui().Image25);
    EXPECT_EQ(VisibleCaptions(), "TL8");
    QTest::mouseMove(ui().IMAGE23);
    EXPECT_EQ(VisibleCaptions(), "TL3");
    QTest::mouseMove(ui().Image26);
    EXPECT_EQ(VisibleCaptions(), "TL6");
    menu().Unload();
}

struct Entry {
    QAbstractButton *picture;
    QLabel *caption; // nullptr: the exit picture, named by its label
    QString text;
};

TEST_F(MainFormTest, EachEntryShowsItsOwnCaptionAndIsNamedByIt) {
    menu().Show();
    const Entry entries[] = {
        {ui().Image2, ui().TL0, u"مشاهده و مرور سوالات موجود در بانک سوالات"_s},
        {ui().Image21, ui().TL1, u"مشاهده و اضافه نمودن سوالات"_s},
        {ui().Image22, ui().TL2, u"آزمون گيري از هر کدام از کارآموزان با سوالات انتخابي"_s},
        {ui().IMAGE23, ui().TL3, u"مشاهده و چاپ کارنامه دانش آموزان"_s},
        {ui().Image24, ui().TL4, u"تنظيمات مربوط به تعداد سوالات آزمون "_s},
        {ui().Image25, ui().TL8, u"ثبت و مشاهده تحقيق و پژوهش  دانش آموزان"_s},
        {ui().Image26, ui().TL6, u"مطالبي در مورد  روش استفاده از برنامه"_s},
        {ui().Image5, nullptr, u"خروج"_s},
    };
    for (const Entry &e : entries) {
        SCOPED_TRACE(e.picture->objectName().toStdString());
        if (e.caption) {
            QTest::mouseMove(e.picture);
            EXPECT_EQ(VisibleCaptions(), e.caption->objectName());
            EXPECT_EQ(e.caption->text(), e.text);
        }
        QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(e.picture);
        ASSERT_NE(reader, nullptr);
        EXPECT_EQ(reader->text(QAccessible::Name), e.text);
    }
    menu().Unload();
}

TEST_F(MainFormTest, HelpOpensModallyWithItsText) {
    modal.On("frmhelp", [](QDialog &) {
        auto &help = Forms::Get<frmhelp>().ui();
        EXPECT_EQ(help.Label1->text(), QStringLiteral("نکاتي در مورد اين برنامه :"));
        EXPECT_TRUE(help.Text1->isReadOnly());
        EXPECT_GT(help.Text1->toPlainText().size(), 1000);
        // Right to left: the first paragraph begins at the right edge, not after a run on the left.
        const QTextCursor start(help.Text1->document());
        EXPECT_GT(help.Text1->cursorRect(start).x(), help.Text1->viewport()->width() - 20);
    });
    QTest::mouseClick(ui().Image26, Qt::LeftButton);
    EXPECT_EQ(modal.opened, std::vector<QString>{"frmhelp"});
    EXPECT_EQ(Forms::Get<frmhelp>().Widget()->windowTitle(), "Help");
    Forms::Get<frmhelp>().Unload();
}

TEST_F(MainFormTest, SettingsOpenModallyWithoutTheClassCheck) {
    MakeDatabase();
    ui().Combosal->setCurrentIndex(-1);
    QTest::mouseClick(ui().Image24, Qt::LeftButton);
    EXPECT_EQ(modal.opened, std::vector<QString>{"SettingForm"});
    EXPECT_TRUE(msgs.calls.empty());
    Forms::Get<SettingForm>().Unload();
}

TEST_F(MainFormTest, ExitEndsTheProgram) {
    QTest::mouseClick(ui().Image5, Qt::LeftButton);
    EXPECT_EQ(ended, std::vector<int>{0});
}
} // namespace
