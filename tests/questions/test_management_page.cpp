// The browse window's management page, driven through the window's own controls: the lesson choices,
// the toggling list with its preview and work list, and the copy and delete with their checks.
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSqlQuery>
#include <QTest>

#include "TransferSupport.h"
#include "platform/DataControl.h"
#include "questions/EditPassword.h"
#include "questions/QuestionForm.h"
#include "questions/QuestionManagementPage.h"
#include "questions/frmq2.h"
#include "shell/DemoData.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"
#include "ui_EditPasswordPrompt.h"
#include "ui_QuestionManagementPage.h"

using namespace Module1;

namespace {
const QString Source = QStringLiteral("مباني کامپيوتر");
const QString Target = QStringLiteral("شبکه");
const QString Other = QStringLiteral("رياضي");

QStringList texts(const QListWidget *list) {
    QStringList all;
    for (int row = 0; row < list->count(); ++row)
        all << list->item(row)->text();
    return all;
}
} // namespace

class ManagementPageTest : public TransferFixture {
protected:
    void SetUp() override {
        TransferFixture::SetUp();
        Lesson(Source, {"a", "b c", "it's", "a", "d"});
        Lesson(Target, {"bc", "x"});
        Lesson(Other, {"d", "e"});
    }
    // The browse window with its management page switched on, as unlocking it would.
    Ui::QuestionManagementPage &Open() {
        frmq2 &window = Forms::Get<frmq2>();
        window.Show();
        ProcessEvents();
        auto &tabs = *window.ui().SSTab;
        tabs.setTabVisible(2, true);
        tabs.setTabEnabled(2, true);
        tabs.setCurrentIndex(2);
        ProcessEvents();
        return window.Management->ui();
    }
    void Choose(QComboBox *combo, const QString &lesson) {
        const int at = combo->findText(lesson);
        ASSERT_GE(at, 0);
        combo->setCurrentIndex(at);
        emit combo->activated(at);
    }
    void ClickEntry(QListWidget *list, int row) {
        const QRect cell = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    }
    // The password typed into the prompt each time it shows; no value closes it unanswered.
    void Typing(std::optional<QString> password) {
        modal.On(QStringLiteral("EditPasswordPrompt"), [password](QDialog &) {
            if (!password)
                return;
            Forms::Get<EditPasswordPrompt>().ui().txtpassword->setText(*password);
            QTest::mouseClick(Forms::Get<EditPasswordPrompt>().ui().cmdok, Qt::LeftButton);
        });
    }
    int Prompts() { return int(std::count(modal.opened.begin(), modal.opened.end(), QStringLiteral("EditPasswordPrompt"))); }
    // Source chosen and these of its entries picked, target chosen.
    Ui::QuestionManagementPage &Picked(const QList<int> &rows, const QString &target = Target) {
        auto &u = Open();
        Choose(u.Combofrom, Source);
        Choose(u.Comboin, target);
        for (int row : rows)
            ClickEntry(u.ListQ, row);
        return u;
    }
    DataControl &Grid() { return *Forms::Get<frmq2>().Adodc1; }
};

TEST_F(ManagementPageTest, CaptionsAreTheSystemsOwn) {
    auto &u = Open();
    const std::pair<QWidget *, QString> captions[] = {
        {u.Label13, QStringLiteral("کپي از:")},  {u.Label20, QStringLiteral("تعداد سوالات موجود :")}, {u.Label14, QStringLiteral("به:")},
        {u.Label22, QStringLiteral("تعداد سوالات موجود :")},  {u.Label16, QStringLiteral("بانک سوالات (سوالات خود را براي کپي شدن به دوره مورد نظر انتخاب کنيد) :")}, {u.Label15, QStringLiteral("تعداد سوالات انتخابي :")},
        {u.Label17, QStringLiteral("تعداد سوالات کپي شده:")},  {u.Label18, QStringLiteral("تعداد سوالات تکراري کپي نشده :")}, {u.Label26, QStringLiteral("گزينه صحيح :")},
        {u.cmdcopy, QStringLiteral("Copy")}, {u.cmddel, QStringLiteral("Del")},
    };
    for (const auto &[control, caption] : captions) {
        const QString shown = control->property("text").toString();
        EXPECT_EQ(shown, caption) << control->objectName().toStdString();
    }
    EXPECT_FALSE(u.cmdcopy->isEnabled());
    EXPECT_FALSE(u.cmddel->isEnabled());
    EXPECT_FALSE(u.ListCo->isVisible());
    EXPECT_EQ(u.ListQ->selectionMode(), QAbstractItemView::MultiSelection);
    EXPECT_FALSE(u.Combofrom->isEditable());
    EXPECT_FALSE(u.Comboin->isEditable());
}

TEST_F(ManagementPageTest, LessonChoicesListTheSourceAndCountBothAndKeepTheWorkList) {
    auto &u = Open();
    const QStringList lessons = {Source, Target, Other};
    for (QComboBox *combo : {u.Combofrom, u.Comboin}) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        EXPECT_EQ(items, lessons);
        EXPECT_EQ(combo->currentIndex(), -1);
    }
    Choose(u.Combofrom, Source);
    EXPECT_EQ(texts(u.ListQ), QStringList({"a", "b c", "it's", "a", "d"}));
    EXPECT_EQ(u.Label19->text(), "5");
    EXPECT_EQ(Grid().Recordset().RecordCount(), 5); // the list page's grid shows the source too
    EXPECT_EQ(u.Label21->text(), "");
    Choose(u.Comboin, Target);
    EXPECT_EQ(u.Label21->text(), "2");

    ClickEntry(u.ListQ, 0);
    ClickEntry(u.ListQ, 2);
    Choose(u.Combofrom, Other);
    EXPECT_EQ(texts(u.ListQ), QStringList({"d", "e"}));
    EXPECT_TRUE(u.ListQ->selectedItems().isEmpty());
    EXPECT_EQ(u.Label19->text(), "2");
    EXPECT_EQ(u.lblselecte->text(), "2");
    EXPECT_EQ(texts(u.ListCo), QStringList({"a", "it's"}));
    EXPECT_TRUE(u.cmdcopy->isEnabled());
}

TEST_F(ManagementPageTest, EachClickTogglesAnEntryPreviewsItAndRebuildsTheWorkList) {
    SharedDatabase::AddQuestion(TestDb(), Source, {"A", "A 1", "A 2", "A 3", "A 4"}, 2); // case counts
    auto &u = Picked({});
    struct Click {
        int row;
        QString preview;       // Text3; the options are "<preview> 1".."<preview> 4"
        QString correct;       // Text8: the first row of that text
        int rowsOfText;        // the grid's rows while filtered
        QStringList workList;
    };
    const Click clicks[] = {
        {2, "it's", "3", 1, {"it's"}},
        {0, "a", "1", 2, {"a", "it's"}},
        {3, "a", "1", 2, {"a", "it's", "a"}},
        {0, "a", "1", 2, {"it's", "a"}}, // deselecting still previews the clicked entry
        {3, "a", "1", 2, {"it's"}},
        {2, "it's", "3", 1, {}},
        {5, "A", "2", 1, {"A"}},
    };
    for (const Click &click : clicks) {
        SCOPED_TRACE(click.row);
        u.lblco->setText("7");
        u.lblno->setText("7");
        ClickEntry(u.ListQ, click.row);
        EXPECT_EQ(u.lblco->text(), "");
        EXPECT_EQ(u.lblno->text(), "");
        EXPECT_EQ(u.Text3->toPlainText(), click.preview);
        const std::pair<QLineEdit *, QString> options[] = {
            {u.Text5, " 1"}, {u.Text6, " 2"}, {u.Text4, " 3"}, {u.Text7, " 4"}};
        for (const auto &[box, suffix] : options)
            EXPECT_EQ(box->text(), click.preview + suffix) << box->objectName().toStdString();
        EXPECT_EQ(u.Text8->text(), click.correct);
        EXPECT_EQ(Grid().Recordset().RecordCount(), click.rowsOfText);
        EXPECT_EQ(u.lblselecte->text(), QString::number(click.workList.size()));
        EXPECT_EQ(texts(u.ListCo), click.workList);
        EXPECT_EQ(u.cmdcopy->isEnabled(), !click.workList.isEmpty());
        EXPECT_EQ(u.cmddel->isEnabled(), !click.workList.isEmpty());
    }
}

TEST_F(ManagementPageTest, CopyAndDeleteStopAtTheirChecksWithNothingChanged) {
    enum Command { Copy, Delete };
    const struct {
        const char *what;
        Command command;
        bool targetChosen;
        std::optional<QString> password;
        int confirmation;
        std::vector<std::tuple<QString, int, bool>> messages; // text, style, own title given (empty)
        int prompts;
        int transferCountAfter;
    } cases[] = {
        {"no target", Copy, false, "1234", Msg::vbYes, {{"دوره مورد نظر را انتخاب کن ", 0, false}}, 0, 5},
        {"wrong password", Copy, true, "12345", Msg::vbYes, {{"رمز شما اشتباه است", 0, false}}, 1, 5},
        {"password with a trailing space", Copy, true, "1234 ", Msg::vbYes, {{"رمز شما اشتباه است", 0, false}}, 1, 5},
        {"prompt closed", Copy, true, std::nullopt, Msg::vbYes, {}, 1, 5},
        {"no at the question", Copy, true, "1234", Msg::vbNo, {{" آيا مطمئن به کپي کردن سوالات به دوره مورد نظر هستيد؟   ", 36, true}}, 1, 0},
        {"delete, wrong password", Delete, false, "0000", Msg::vbYes, {{"رمز شما اشتباه است", 0, false}}, 1, 5},
        {"delete, prompt closed", Delete, false, std::nullopt, Msg::vbYes, {}, 1, 5},
        {"delete, no at the question", Delete, false, "1234", Msg::vbNo, {{" آيا مطمئن به حذف کردن سوالات هستيد؟   ", 36, true}}, 1, 5},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        auto &u = Open();
        Choose(u.Combofrom, Source);
        if (c.targetChosen)
            Choose(u.Comboin, Target);
        ClickEntry(u.ListQ, 0);
        Typing(c.password);
        modal.opened.clear();
        msgs.Clear();
        msgs.Answer(c.confirmation);
        TransferCount = 5;
        QTest::mouseClick(c.command == Copy ? u.cmdcopy : u.cmddel, Qt::LeftButton);
        ASSERT_EQ(msgs.calls.size(), c.messages.size());
        for (size_t i = 0; i < c.messages.size(); ++i) {
            const auto &[text, style, titled] = c.messages[i];
            EXPECT_EQ(msgs.calls[i].text, text);
            EXPECT_EQ(msgs.calls[i].style, style);
            EXPECT_EQ(msgs.calls[i].titleGiven, titled);
            if (titled) {
                EXPECT_EQ(msgs.calls[i].title, "");
            }
        }
        msgs.answers.clear();
        EXPECT_EQ(Prompts(), c.prompts);
        if (!c.targetChosen && c.command == Copy) {
            EXPECT_TRUE(u.Comboin->hasFocus());
        }
        EXPECT_EQ(TransferCount, c.transferCountAfter);
        EXPECT_EQ(Questions(Source), QStringList({"a", "b c", "it's", "a", "d"}));
        EXPECT_EQ(Questions(Target), QStringList({"bc", "x"}));
        EXPECT_EQ(texts(u.ListCo), QStringList({"a"}));
        EXPECT_TRUE(u.ListQ->item(0)->isSelected());
        Forms::Get<frmq2>().Unload();
    }
}

TEST_F(ManagementPageTest, CopyAddsWhatTheTargetLacksAndCountsTheDuplicates) {
    auto &u = Picked({0, 1, 2, 3}); // a, b c, it's, a
    Typing("1234");
    QTest::mouseClick(u.cmdcopy, Qt::LeftButton);
    EXPECT_EQ(Questions(Target), QStringList({"bc", "x", "a", "it's"}));
    EXPECT_EQ(u.lblco->text(), "2");
    EXPECT_EQ(u.lblno->text(), "2"); // "b c" is held as "bc"; the second "a" finds the first
    EXPECT_EQ(u.Label21->text(), "4");
    EXPECT_EQ(TransferCount, 2);
    ASSERT_EQ(msgs.calls.size(), 1u); // the question only: no closing message
    EXPECT_EQ(msgs.calls[0].text, " آيا مطمئن به کپي کردن سوالات به دوره مورد نظر هستيد؟   ");
    EXPECT_TRUE(texts(u.ListCo).isEmpty());
    EXPECT_EQ(texts(u.ListQ), QStringList({"a", "b c", "it's", "a", "d"}));
    EXPECT_TRUE(u.ListQ->selectedItems().isEmpty());
    EXPECT_EQ(Grid().Recordset().RecordCount(), 5); // unfiltered, on the source
    EXPECT_EQ(u.Label19->text(), "5");
    EXPECT_EQ(u.lblselecte->text(), "4");
    EXPECT_TRUE(u.cmdcopy->isEnabled());
    EXPECT_TRUE(u.cmddel->isEnabled());

    // Right after: the password and the question again, and nothing to copy.
    modal.opened.clear();
    QTest::mouseClick(u.cmdcopy, Qt::LeftButton);
    EXPECT_EQ(Prompts(), 1);
    EXPECT_EQ(msgs.calls.size(), 2u);
    EXPECT_EQ(u.lblco->text(), "0");
    EXPECT_EQ(u.lblno->text(), "0");
    EXPECT_EQ(Rows(Target), 4);
}

TEST_F(ManagementPageTest, ADuplicateIsTheSameTextOnceSpacesAreRemovedAndIsCountedOnce) {
    Lesson(QStringLiteral("منبع"), {"q", "Q", "a\u00A0b", "c d"});
    Lesson(QStringLiteral("مقصد"), {"q", "q", "ab", "cd"});
    auto &u = Open();
    Choose(u.Combofrom, QStringLiteral("منبع"));
    Choose(u.Comboin, QStringLiteral("مقصد"));
    for (int row = 0; row < 4; ++row)
        ClickEntry(u.ListQ, row);
    Typing("1234");
    QTest::mouseClick(u.cmdcopy, Qt::LeftButton);
    EXPECT_EQ(u.lblco->text(), "2"); // the upper-case Q and the non-breaking space are new
    EXPECT_EQ(u.lblno->text(), "2"); // q (held twice) and "c d"
    EXPECT_EQ(Questions(QStringLiteral("مقصد")), QStringList({"q", "q", "ab", "cd", "Q", "a\u00A0b"}));
    EXPECT_EQ(u.Label21->text(), "6");
}

TEST_F(ManagementPageTest, CopyToTheSourceItselfSkipsEveryEntry) {
    auto &u = Picked({0, 2, 4}, Source);
    Typing("1234");
    QTest::mouseClick(u.cmdcopy, Qt::LeftButton);
    EXPECT_EQ(u.lblco->text(), "0");
    EXPECT_EQ(u.lblno->text(), "3");
    EXPECT_EQ(u.Label21->text(), "5");
    EXPECT_EQ(Rows(Source), 5);
}

TEST_F(ManagementPageTest, DeleteRemovesTheFirstRowOfEachPickedText) {
    auto &u = Picked({3, 2}); // it's, then the second "a": the first row of "a" goes
    Typing("1234");
    QTest::mouseClick(u.cmddel, Qt::LeftButton);
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.calls[0].text, " آيا مطمئن به حذف کردن سوالات هستيد؟   ");
    QList<int> ids;
    for (QSqlQuery rows = Db::Exec(TestDb(), "SELECT ID FROM " + Table(Source) + " ORDER BY ID"); rows.next();)
        ids << rows.value(0).toInt();
    EXPECT_EQ(ids, QList<int>({2, 4, 5}));
    EXPECT_EQ(texts(u.ListQ), QStringList({"b c", "a", "d"}));
    EXPECT_EQ(u.Label19->text(), "3");
    EXPECT_EQ(u.lblselecte->text(), "2");
    EXPECT_EQ(u.Label21->text(), "2");
    EXPECT_EQ(Rows(Target), 2);
    EXPECT_TRUE(texts(u.ListCo).isEmpty());
    EXPECT_TRUE(u.cmddel->isEnabled());
}

TEST_F(ManagementPageTest, EntriesTheSourceNoLongerHoldsAreToldApartFromDuplicates) {
    auto &u = Picked({0, 4}); // a, d
    Choose(u.Combofrom, Other); // holds d and e
    Typing("1234");
    QTest::mouseClick(u.cmdcopy, Qt::LeftButton);
    EXPECT_EQ(Questions(Target), QStringList({"bc", "x", "d"}));
    EXPECT_EQ(u.lblco->text(), "1");
    EXPECT_EQ(u.lblno->text(), "0");
    ASSERT_EQ(msgs.calls.size(), 2u);
    EXPECT_EQ(msgs.calls[1].text, " 1 سوال انتخاب شده در درس مبدا پيدا نشد و کپي نشد ");
    EXPECT_EQ(msgs.calls[1].style, Msg::vbExclamation);

    ClickEntry(u.ListQ, 1); // e
    Choose(u.Combofrom, Source);
    msgs.Clear();
    QTest::mouseClick(u.cmddel, Qt::LeftButton);
    ASSERT_EQ(msgs.calls.size(), 2u);
    EXPECT_EQ(msgs.calls[1].text, " 1 سوال انتخاب شده در درس مبدا پيدا نشد و حذف نشد ");
    EXPECT_EQ(Rows(Source), 5);
}

TEST_F(ManagementPageTest, ALessonWithoutItsTableIsToldAndNothingChanges) {
    Exec("INSERT INTO droos (name, yn) VALUES (?, '-1')", {QStringLiteral("بي جدول")});
    const QString missing = QStringLiteral(" سوالات درس بي جدول در پايگاه داده پيدا نشد ");
    auto &u = Picked({0});
    Choose(u.Comboin, QStringLiteral("بي جدول"));
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.calls[0].text, missing);
    EXPECT_EQ(msgs.calls[0].style, Msg::vbExclamation);
    EXPECT_EQ(u.Label21->text(), "");

    Typing("1234");
    msgs.Clear();
    QTest::mouseClick(u.cmdcopy, Qt::LeftButton);
    ASSERT_EQ(msgs.calls.size(), 2u);
    EXPECT_EQ(msgs.calls[1].text, missing);
    EXPECT_EQ(texts(u.ListCo), QStringList({"a"}));
    EXPECT_EQ(Rows(Source), 5);

    msgs.Clear();
    Choose(u.Combofrom, QStringLiteral("بي جدول"));
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.calls[0].text, missing);
    EXPECT_EQ(u.ListQ->count(), 0);
    EXPECT_EQ(u.Label19->text(), "");
}

// Another workstation holding the file: the copy, the delete and the lesson choices wait for it with
// the window painting; the user is asked once per wait, and a wait given up is told as busy with the
// work list kept for another press.
TEST_F(ManagementPageTest, ABusyFileIsWaitedForAndAskedAboutOnce) {
    auto &u = Picked({0, 4});
    Typing("1234");
    {
        FileLock other(DatabasePath(), 300);
        msgs.Answer(Msg::vbYes); // the copy question
        QTest::mouseClick(u.cmdcopy, Qt::LeftButton);
        EXPECT_FALSE(other.Held());
        EXPECT_GT(other.PaintsWhileHeld(), 0);
    }
    EXPECT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(Questions(Target), QStringList({"bc", "x", "a", "d"}));
    EXPECT_EQ(u.lblco->text(), "2");

    Db::SetBusyPatience(50);
    msgs.Clear();
    u.ListQ->clearSelection();
    ClickEntry(u.ListQ, 1);
    {
        FileLock other(DatabasePath(), 5000);
        msgs.Answer(Msg::vbYes); // the delete question
        msgs.Answer(Msg::vbNo);  // stop waiting
        QTest::mouseClick(u.cmddel, Qt::LeftButton);
    }
    ASSERT_EQ(msgs.calls.size(), 3u);
    EXPECT_EQ(msgs.calls[1].text, BusyTexts::KeepWaiting);
    EXPECT_EQ(msgs.calls[2].text, BusyTexts::Busy);
    EXPECT_EQ(msgs.calls[2].style, Msg::vbExclamation);
    EXPECT_EQ(Rows(Source), 5);
    EXPECT_EQ(texts(u.ListCo), QStringList({"b c"}));

    msgs.Clear();
    msgs.Answer(Msg::vbYes);
    QTest::mouseClick(u.cmddel, Qt::LeftButton);
    EXPECT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(Questions(Source), QStringList({"a", "it's", "a", "d"}));

    // A lesson choice whose wait is given up: busy, never a lesson not found or unreadable.
    for (QComboBox *lessons : {u.Combofrom, u.Comboin}) {
        msgs.Clear();
        FileLock other(DatabasePath(), 5000);
        msgs.Answer(Msg::vbNo);
        Choose(lessons, Other);
        ASSERT_EQ(msgs.calls.size(), 2u) << lessons->objectName().toStdString();
        EXPECT_EQ(msgs.calls[0].text, BusyTexts::KeepWaiting);
        EXPECT_EQ(msgs.calls[1].text, BusyTexts::Busy);
    }
    EXPECT_EQ(u.Label19->text(), "");
    EXPECT_EQ(u.Label21->text(), "");
}

TEST_F(ManagementPageTest, TheBankWindowShowsOnlyTheCounters) {
    const int steps = QuestionBankForm::RefreshSteps;
    QuestionBankForm::RefreshSteps = 1;
    QuestionForm &bank = Forms::Get<QuestionForm>();
    bank.Show();
    ProcessEvents();
    QuestionBankForm::RefreshSteps = steps;
    auto &u = bank.Management->ui();
    for (const char *absent : {"Combofrom", "Comboin", "ListQ", "ListCo", "cmdcopy", "cmddel", "Text3", "Text8",
                               "Label13", "Label16", "Label19", "Label22"})
        EXPECT_EQ(bank.Widget()->findChild<QWidget *>(absent), nullptr) << absent;
    const std::pair<QLabel *, QString> counters[] = {
        {u.Label15, "تعداد سوالات انتخابي :"}, {u.Label17, "تعداد سوالات کپي شده:"}, {u.Label18, "تعداد سوالات تکراري کپي نشده :"}};
    for (const auto &[label, caption] : counters)
        EXPECT_EQ(label->text(), caption);
    for (QLabel *counter : {u.lblselecte, u.lblco, u.lblno, u.Label21})
        EXPECT_NE(counter, nullptr);
    bank.Unload();
}
