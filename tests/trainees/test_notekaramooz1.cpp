#include <QAccessible>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include "platform/TextLimit.h"
#include "NotesFixture.h"
#include "StorageFaults.h"
#include "shell/MainForm.h"
#include "shell/Module1.h"
#include "trainees/noteadd.h"
#include "trainees/notekaramooz1.h"

using namespace Module1;
using namespace Qt::StringLiterals;

namespace {

const QString NoHeading = u" لطفا سر فصل مورد نظر خود راانتخاب کن "_s;
const QString Herbs = u"گیاهان دارویی"_s;
const QString Stars = u"نجوم"_s;
const QString Quoted = u"کتاب 'خاص' من"_s;
const QString Empty = u"بدون يادداشت"_s;

class NotesWindowTest : public NotesFixture {
protected:
    void SetUp() override {
        NotesFixture::SetUp();
        AddTrainee(7, u"نرگس"_s, u"توکلی"_s, code7);
        for (const QString &heading : {Herbs, Stars, Quoted, Empty})
            AddHeading(heading);
        AddNote(u"ب"_s, Herbs, u"علی  رضایی"_s, u"متن یک"_s);  // 1
        AddNote(u"الف"_s, Stars, u"سارا  احمدی"_s, u"متن دو"_s); // 2
        AddNote(u"پ"_s, Herbs, u"بهاره  نادری"_s);              // 3
        AddNote(u"آ"_s, Herbs, u"زهرا  کریمی"_s);               // 4
        AddNote(u"ت"_s, Quoted);                                // 5
    }

    notekaramooz1 &open() {
        notekaramooz1 &form = Forms::Get<notekaramooz1>();
        form.Show();
        form.Widget()->activateWindow();
        ProcessEvents();
        return form;
    }

    static void choose(notekaramooz1 &form, const QString &heading) {
        QComboBox *combo = form.ui().Combo2;
        const int at = combo->findText(heading);
        ASSERT_GE(at, 0) << heading.toStdString();
        combo->setCurrentIndex(at);
        emit combo->activated(at);
    }

    static QList<int> gridIds(notekaramooz1 &form) {
        QList<int> ids;
        QAbstractItemModel *model = form.ui().DataGrid4->model();
        for (int row = 0; row < model->rowCount(); ++row)
            ids << model->index(row, 0).data().toInt();
        return ids;
    }

    static QList<bool> tabsOn(notekaramooz1 &form) {
        QTabWidget *tabs = form.ui().SSTab1;
        return {tabs->isTabEnabled(0), tabs->isTabEnabled(1), tabs->isTabEnabled(2)};
    }

    static void click(QAbstractButton *button) { QTest::mouseClick(button, Qt::LeftButton); }

    // New note under the chosen heading; the dialog confirms trainee 7 unless told otherwise.
    void newNote(notekaramooz1 &form, bool confirmed = true) {
        modal.On(u"noteadd"_s, [this, confirmed](QDialog &) {
            noteadd &dialog = Forms::Get<noteadd>();
            Pick(dialog, 7);
            if (!confirmed)
                return; // closed by its close box
            Type(dialog.ui().Text7, code7);
            click(dialog.ui().Cmd_Start);
        });
        click(form.ui().cmdnew);
        modal.Forget(u"noteadd"_s);
        form.Widget()->activateWindow();
        ProcessEvents();
    }

    void fill(notekaramooz1 &form, const QString &title, const QString &source, const QString &context) {
        auto &u = form.ui();
        Type(u.Text15, title);
        Type(u.Text2, source);
        Type(u.Text14, context);
    }

    int notes() { return Scalar(u"SELECT count(*) FROM notekaramooz"_s).toInt(); }

    // The window open with a new note under Herbs, typed and not yet saved.
    notekaramooz1 &pendingNote(const QString &title, const QString &source, const QString &context) {
        notekaramooz1 &form = open();
        choose(form, Herbs);
        newNote(form);
        fill(form, title, source, context);
        return form;
    }

    void shot(notekaramooz1 &form, const QString &name) {
        ProcessEvents(); // the layout catches up first
        if (const QString shots = qEnvironmentVariable("TELLUMO_SHOTS"); !shots.isEmpty())
            form.Widget()->grab().save(shots + u"/"_s + name + u".png"_s);
    }
};

TEST_F(NotesWindowTest, OpensOnEveryNoteWithTheHeadingsInQueryOrder) {
    AddHeading(Stars); // a second row of the same name gives a second item
    notekaramooz1 &form = open();
    auto &u = form.ui();
    EXPECT_EQ(form.Widget()->windowTitle(), u"تحقيق / پژوهش"_s);
    EXPECT_EQ(u.SSTab1->tabText(0), u"تعريف سرفصل موضوع/تحقيق"_s);
    EXPECT_EQ(u.SSTab1->tabText(1), u"موضوعات و تحقيقات"_s);
    EXPECT_EQ(u.SSTab1->tabText(2), u"مشاهده / وارد نمودن موضوع"_s);
    EXPECT_EQ(tabsOn(form), (QList<bool>{false, true, false}));
    EXPECT_EQ(u.SSTab1->currentIndex(), 2); // greyed, its note shown until tab 1 is picked

    ASSERT_EQ(u.Combo2->count(), 5);
    const QStringList items = {Herbs, Stars, Quoted, Empty, Stars};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(u.Combo2->itemText(i), items[i]);
    EXPECT_EQ(u.Combo2->currentIndex(), -1);

    EXPECT_EQ(gridIds(form), (QList<int>{1, 2, 3, 4, 5}));
    const QStringList noteCaptions = {u"کد"_s, u"عنوان موضوع "_s, u"  سر فصل "_s, u"توسط"_s};
    ASSERT_EQ(u.DataGrid4->model()->columnCount(), 4);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(u.DataGrid4->model()->headerData(c, Qt::Horizontal).toString(), noteCaptions[c]);
    EXPECT_EQ(u.DataGrid4->model()->index(0, 1).data().toString(), u"ب"_s);
    EXPECT_EQ(u.DataGrid4->model()->index(0, 2).data().toString(), Herbs);
    EXPECT_EQ(u.DataGrid4->model()->index(0, 3).data().toString(), u"علی  رضایی"_s);
    EXPECT_EQ(u.Text10->toPlainText(), u"متن یک"_s);

    ASSERT_EQ(u.DataGrid1->model()->columnCount(), 2);
    EXPECT_EQ(u.DataGrid1->model()->headerData(0, Qt::Horizontal).toString(), u"شماره"_s);
    EXPECT_EQ(u.DataGrid1->model()->headerData(1, Qt::Horizontal).toString(), u"درس"_s);
    EXPECT_EQ(u.DataGrid1->model()->rowCount(), 5);
    EXPECT_EQ(u.DataGrid1->model()->index(2, 1).data().toString(), Quoted);

    const std::pair<QAbstractButton *, QString> buttons[] = {
        {u.cmdnew, u"وارد کردن مطلب جديد"_s}, {u.Command20, u"ID"_s},     {u.Command21, u"موضوع/ تحقيق"_s},
        {u.Command1, u"سرفصل"_s},             {u.Command3, u"محقق"_s},    {u.Command2, u"V"_s},
        {u.Command6, u"O"_s},                 {u.cmd33, u"Save"_s},       {u.cmd11, u"Cancel"_s},
        {u.Command5, u"شماره"_s},             {u.Command4, u"تحقيق/ پژوهش"_s}, {u.Command14, u"New"_s},
        {u.Command13, u"Save"_s}};
    for (const auto &[button, caption] : buttons)
        EXPECT_EQ(button->text(), caption) << button->objectName().toStdString();
    const std::pair<QLabel *, QString> labels[] = {
        {u.Label27, u" سرفصل موضوع را از زير انتخاب کنيد"_s}, {u.Label31, u"خلاصه موضوع"_s},
        {u.Label24, u"خلاصه موضوع"_s},                       {u.Label16, u"نام محقق"_s},
        {u.Label1, u"سر قصل"_s},                              {u.Label14, u" عنوان موضوع"_s},
        {u.Label2, u" منبع موضوع"_s},                         {u.Label15, u": تشريح موضوع"_s},
        {u.Label28, u"ايجاد سرفصل جديد براي يادداشت"_s},      {u.Label3, u"سرفصل هاي تعريف شده"_s},
        {u.Label22, u"<<==Creat New Title ==>>"_s}};
    for (const auto &[label, caption] : labels)
        EXPECT_EQ(label->text(), caption) << label->objectName().toStdString();

    for (QWidget *off : {static_cast<QWidget *>(u.cmd33), static_cast<QWidget *>(u.cmd11),
                         static_cast<QWidget *>(u.Command6), static_cast<QWidget *>(u.Text18),
                         static_cast<QWidget *>(u.Command14), static_cast<QWidget *>(u.Command13)})
        EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
    for (QWidget *hidden : {static_cast<QWidget *>(u.Text3), static_cast<QWidget *>(u.txtedit),
                            static_cast<QWidget *>(u.cmd44), static_cast<QWidget *>(u.Command8),
                            static_cast<QWidget *>(u.cmd22), static_cast<QWidget *>(u.txtpass)})
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    EXPECT_TRUE(u.Text13->isReadOnly());
    EXPECT_TRUE(u.Text1->isReadOnly());
    EXPECT_TRUE(u.Text15->isReadOnly());
    EXPECT_TRUE(u.Text2->isReadOnly());
    EXPECT_TRUE(u.Text14->isReadOnly());
    EXPECT_TRUE(u.Text10->isReadOnly());
    EXPECT_EQ(TextLimit::Of(u.Text15), 50);
    EXPECT_EQ(TextLimit::Of(u.Text2), 50);
    EXPECT_EQ(u.txtedit->text(), Scalar(u"SELECT passedit FROM setting"_s).toString());
    shot(form, u"notes-opened"_s);

    // Closed and opened again, the list is filled once more, not twice.
    form.Unload();
    open();
    EXPECT_EQ(form.ui().Combo2->count(), 5);
    form.Unload();
}

// "O" is as wide as "V" and stands over the grid's scroll bar; "V" stands beside the grid.
TEST_F(NotesWindowTest, TheSortBarsEndsAreEquallyWide) {
    notekaramooz1 &form = open();
    auto &u = form.ui();
    ProcessEvents();
    EXPECT_EQ(u.Command6->width(), u.Command2->width());
    const auto left = [&](QWidget *w) { return w->mapTo(u.tab1, QPoint(0, 0)).x(); };
    QWidget *bar = u.DataGrid4->verticalScrollBar();
    EXPECT_LE(left(u.Command6), left(bar));
    EXPECT_GE(left(u.Command6) + u.Command6->width(), left(bar) + bar->width());
    EXPECT_GE(left(u.Command6), left(u.DataGrid4) - u.Command6->width() / 2) << "no further out than the grid";
    EXPECT_EQ(left(u.Command2), left(u.DataGrid4) + u.DataGrid4->width());
    form.Unload();
}

TEST_F(NotesWindowTest, ChoosingAHeadingFiltersItsNotesAndOpensTheNoteTab) {
    Exec(u"UPDATE relationnotekar SET name=? WHERE name=?"_s, {u"نجوم و ستارگان"_s, Stars}); // renamed elsewhere
    const struct {
        QString heading;
        QList<int> ids;
    } cases[] = {
        {Herbs, {1, 3, 4}},
        {Quoted, {5}},
        {Empty, {}},
        {u"نجوم و ستارگان"_s, {}}, // its note still holds the old name
    };
    notekaramooz1 &form = open();
    auto &u = form.ui();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.heading.toStdString());
        choose(form, c.heading);
        EXPECT_EQ(gridIds(form), c.ids);
        EXPECT_EQ(u.Label24->text(), c.heading);
        EXPECT_EQ(tabsOn(form), (QList<bool>{false, true, true}));
        EXPECT_EQ(u.SSTab1->currentIndex(), 2);
        EXPECT_TRUE(u.Command20->isEnabled());
        EXPECT_TRUE(u.Command21->isEnabled());
        EXPECT_TRUE(msgs.calls.empty());
    }
    u.SSTab1->setCurrentIndex(1);
    choose(form, Herbs);
    EXPECT_EQ(u.SSTab1->currentIndex(), 1);
    shot(form, u"notes-heading"_s);
    form.Unload();
}

TEST_F(NotesWindowTest, SortButtonsSortTheNotesAndKeepTheFilter) {
    notekaramooz1 &form = open();
    auto &u = form.ui();
    click(u.Command1); // before a heading is chosen: every note, by heading in alphabetical order (ک گ ن)
    EXPECT_EQ(gridIds(form), (QList<int>{5, 1, 3, 4, 2}));
    choose(form, Herbs);
    const std::pair<QAbstractButton *, QList<int>> steps[] = {
        {u.Command21, {4, 1, 3}}, // title
        {u.Command3, {3, 4, 1}},  // researcher
        {u.Command20, {1, 3, 4}}, // ID
        {u.Command1, {1, 3, 4}},  // heading: all equal, the order stays
    };
    for (const auto &[button, ids] : steps) {
        SCOPED_TRACE(button->objectName().toStdString());
        click(button);
        EXPECT_EQ(gridIds(form), ids);
    }
    click(u.Command2); // "V" does nothing
    EXPECT_EQ(gridIds(form), (QList<int>{1, 3, 4}));
    EXPECT_TRUE(msgs.calls.empty());
    EXPECT_EQ(notes(), 5);
    form.Unload();
}

TEST_F(NotesWindowTest, ADoubleClickShowsTheNoteLocked) {
    notekaramooz1 &form = open();
    auto &u = form.ui();
    u.SSTab1->setCurrentIndex(1);
    const QRect cell = u.DataGrid4->visualRect(u.DataGrid4->model()->index(1, 1));
    QTest::mouseClick(u.DataGrid4->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(u.SSTab1->currentIndex(), 1);
    EXPECT_EQ(u.Text10->toPlainText(), u"متن دو"_s);
    QTest::mouseDClick(u.DataGrid4->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(u.SSTab1->currentIndex(), 2);
    EXPECT_EQ(u.Text15->text(), u"الف"_s);
    EXPECT_EQ(u.Text13->text(), u"سارا  احمدی"_s);
    EXPECT_EQ(u.Text1->toPlainText(), Stars);
    EXPECT_EQ(u.Text14->toPlainText(), u"متن دو"_s);
    EXPECT_TRUE(u.Text13->isReadOnly());
    EXPECT_TRUE(u.Text14->isReadOnly());
    EXPECT_TRUE(u.Text15->isReadOnly());
    form.Unload();
}

TEST_F(NotesWindowTest, ANewNoteNeedsAChosenHeading) {
    for (bool headings : {true, false}) {
        SCOPED_TRACE(headings ? "headings exist" : "no headings");
        msgs.Clear();
        if (!headings)
            Exec(u"DELETE FROM relationnotekar"_s);
        notekaramooz1 &form = open();
        EXPECT_EQ(form.ui().Combo2->count(), headings ? 4 : 0);
        click(form.ui().cmdnew);
        ASSERT_EQ(msgs.calls.size(), 1u);
        ExpectMessage(NoHeading, 48);
        EXPECT_TRUE(modal.opened.empty());
        EXPECT_TRUE(CurrentLessonName.isEmpty());
        EXPECT_FALSE(form.ui().cmd33->isEnabled());
        form.Unload();
    }
}

TEST_F(NotesWindowTest, AConfirmedTraineeStartsANoteOnlyTheNoteTabCanHold) {
    notekaramooz1 &form = open();
    auto &u = form.ui();
    choose(form, Herbs);
    u.SSTab1->setCurrentIndex(1);
    newNote(form);
    EXPECT_EQ(modal.opened, (std::vector<QString>{u"noteadd"_s, u"SelectForm"_s}));
    EXPECT_EQ(CurrentLessonName, Herbs);
    EXPECT_EQ(u.SSTab1->currentIndex(), 2);
    EXPECT_EQ(tabsOn(form), (QList<bool>{false, false, true}));
    EXPECT_TRUE(u.cmd33->isEnabled());
    EXPECT_TRUE(u.cmd11->isEnabled());
    EXPECT_FALSE(u.Text15->isReadOnly());
    EXPECT_FALSE(u.Text14->isReadOnly());
    EXPECT_FALSE(u.Text2->isReadOnly());
    EXPECT_TRUE(u.Text13->isReadOnly());
    EXPECT_TRUE(u.Text1->isReadOnly());
    EXPECT_TRUE(u.Text15->hasFocus());
    EXPECT_EQ(u.Text13->text(), name7);
    EXPECT_EQ(u.Text1->toPlainText(), Herbs);
    EXPECT_EQ(u.Text3->text(), code7);
    EXPECT_TRUE(u.Text15->text().isEmpty());
    EXPECT_TRUE(u.Text14->toPlainText().isEmpty());
    EXPECT_EQ(gridIds(form), (QList<int>{1, 3, 4, 0})); // the pending note
    fill(form, u"خواص نعناع"_s, u"کتاب گیاهان"_s, u"نعناع آرام بخش است"_s);
    shot(form, u"notes-new"_s);
    click(u.cmd11);
    form.Unload();
}

TEST_F(NotesWindowTest, ADialogLeftWithoutConfirmStartsNothing) {
    notekaramooz1 &form = open();
    auto &u = form.ui();
    choose(form, Herbs);
    newNote(form, false);
    EXPECT_EQ(StartMode, 0);
    EXPECT_EQ(u.SSTab1->currentIndex(), 2);
    EXPECT_EQ(tabsOn(form), (QList<bool>{false, true, true}));
    EXPECT_FALSE(u.cmd33->isEnabled());
    EXPECT_TRUE(u.Text15->isReadOnly());
    EXPECT_EQ(gridIds(form), (QList<int>{1, 3, 4}));
    form.Unload();
}

TEST_F(NotesWindowTest, SaveRefusesBlankFieldsAndKeepsTheEntryOpen) {
    const QString message = u" : گزينه هاي زير را به صورت صحيح تکميل کنيد  "_s + u"\r\n"_s +
                            u"----------------------------"_s + u"\r\n"_s + u" عنوان موضوع "_s + u"\r\n"_s +
                            u"  منبع موضوع "_s + u"\r\n"_s + u" تشريح موضوع "_s;
    const struct {
        const char *label;
        QString title, source, context;
    } cases[] = {
        {"no title", {}, u"منبع"_s, u"شرح"_s},
        {"blank source", u"عنوان"_s, u"   "_s, u"شرح"_s},
        {"explanation of blanks and a line break", u"عنوان"_s, u"منبع"_s, u"  \n "_s},
        {"nothing at all", {}, {}, {}},
    };
    notekaramooz1 &form = open();
    auto &u = form.ui();
    choose(form, Herbs);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        msgs.Clear();
        newNote(form);
        fill(form, c.title, c.source, c.context);
        click(u.cmd33);
        ASSERT_EQ(msgs.calls.size(), 1u);
        ExpectMessage(message, 524336);
        EXPECT_EQ(notes(), 5);
        EXPECT_TRUE(u.cmd33->isEnabled());
        EXPECT_FALSE(u.Text15->isReadOnly());
        EXPECT_EQ(u.Text15->text(), c.title);
        EXPECT_EQ(u.Text2->text(), c.source);
        EXPECT_EQ(tabsOn(form), (QList<bool>{false, false, true}));
        click(u.cmd11);
    }
    form.Unload();
}

TEST_F(NotesWindowTest, SaveStoresTheNoteWithEveryQuestionMarkAsYehAndListsAllNotesById) {
    notekaramooz1 &form = open();
    auto &u = form.ui();
    choose(form, Herbs);
    click(u.Command21); // sorted by title before the entry
    newNote(form);
    Type(u.Text13, u"کسی دیگر"_s); // the fixed fields take no typing
    Type(u.Text1, u"سرفصل دیگر"_s);
    fill(form, u"چرا؟ ?چه"_s, u"?منبع?"_s, u"سطر یک?\nسطر دو ??"_s);
    click(u.cmd33);
    EXPECT_TRUE(msgs.calls.empty());

    ASSERT_EQ(notes(), 6);
    QSqlQuery row = Db::Exec(TestDb(), u"SELECT title, source, context, relation, name, kid FROM notekaramooz WHERE ID=6"_s);
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.value(0).toString(), u"چرا؟ يچه"_s); // the Persian question mark is another letter
    EXPECT_EQ(row.value(1).toString(), u"يمنبعي"_s);
    EXPECT_EQ(row.value(2).toString(), u"سطر یکي\nسطر دو يي"_s);
    EXPECT_EQ(row.value(3).toString(), Herbs);
    EXPECT_EQ(row.value(4).toString(), name7);
    EXPECT_EQ(row.value(5).toString(), code7);

    EXPECT_EQ(gridIds(form), (QList<int>{1, 2, 3, 4, 5, 6}));
    shot(form, u"notes-saved"_s);
    EXPECT_EQ(u.SSTab1->currentIndex(), 1);
    EXPECT_EQ(tabsOn(form), (QList<bool>{false, true, true}));
    EXPECT_EQ(u.Label24->text(), Herbs);
    EXPECT_EQ(u.Combo2->currentText(), Herbs);
    EXPECT_FALSE(u.cmd33->isEnabled());
    EXPECT_FALSE(u.cmd11->isEnabled());
    for (QWidget *box : {static_cast<QWidget *>(u.Text15), static_cast<QWidget *>(u.Text14),
                         static_cast<QWidget *>(u.Text13), static_cast<QWidget *>(u.Text2)})
        EXPECT_TRUE(box->property("readOnly").toBool()) << box->objectName().toStdString();
    form.Unload();
}

// An assistive tool puts text into a box as a whole, through the box's accessible interface: no key
// is pressed. What the boxes show is what Save stores, whichever box was filled first.
TEST_F(NotesWindowTest, TextPutInByAnAssistiveToolIsStoredAsShown) {
    using Put = void (*)(QWidget *, const QString &);
    const struct {
        const char *label;
        Put put;
    } ways[] = {
        {"value set", [](QWidget *box, const QString &text) {
             QAccessible::queryAccessibleInterface(box)->setText(QAccessible::Value, text);
         }},
        {"text inserted", [](QWidget *box, const QString &text) {
             QAccessibleInterface *face = QAccessible::queryAccessibleInterface(box);
             ASSERT_NE(face->editableTextInterface(), nullptr);
             face->editableTextInterface()->insertText(0, text);
         }},
        {"text set by the widget", [](QWidget *box, const QString &text) {
             if (auto *line = qobject_cast<QLineEdit *>(box))
                 line->setText(text);
             else
                 qobject_cast<QTextEdit *>(box)->setPlainText(text);
         }},
    };
    notekaramooz1 &form = open();
    auto &u = form.ui();
    choose(form, Herbs);
    int id = 5;
    for (const auto &way : ways) {
        SCOPED_TRACE(way.label);
        for (bool explanationFirst : {false, true}) {
            SCOPED_TRACE(explanationFirst ? "explanation first" : "explanation last");
            newNote(form);
            const QString title = u"عنوان %1"_s.arg(++id), source = u"منبع %1"_s.arg(id);
            if (explanationFirst)
                way.put(u.Text14, u"شرح"_s);
            way.put(u.Text15, title);
            way.put(u.Text2, source);
            if (!explanationFirst)
                way.put(u.Text14, u"شرح"_s);
            EXPECT_EQ(u.Text15->text(), title);
            EXPECT_EQ(u.Text2->text(), source);
            click(u.cmd33);
            EXPECT_TRUE(msgs.calls.empty()) << msgs.Last().text.toStdString();
            msgs.Clear();
            QSqlQuery row = Db::Exec(TestDb(), u"SELECT title, source, context FROM notekaramooz WHERE ID=?"_s, {id});
            ASSERT_TRUE(row.next());
            EXPECT_EQ(row.value(0).toString(), title);
            EXPECT_EQ(row.value(1).toString(), source);
            EXPECT_EQ(row.value(2).toString(), u"شرح"_s);
        }
    }
    form.Unload();
}

// The 50-character limits count characters: "a" and 30 emoji fit whole, one character beyond the
// limit is cut between characters, and the stored note is valid UTF-8 for any SQLite client.
TEST_F(NotesWindowTest, PastedTitlesAreCutBetweenCharactersAndStoredAsValidUtf8) {
    const QString emoji = u"\U0001F600"_s;
    const struct {
        const char *label;
        QString title, source, storedTitle, storedSource;
    } cases[] = {
        {"fits", u"a"_s + emoji.repeated(30), emoji.repeated(50), u"a"_s + emoji.repeated(30), emoji.repeated(50)},
        {"beyond", u"a"_s + emoji.repeated(50), u"b"_s + emoji.repeated(60), u"a"_s + emoji.repeated(49),
         u"b"_s + emoji.repeated(49)},
    };
    notekaramooz1 &form = open();
    auto &u = form.ui();
    choose(form, Herbs);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        newNote(form);
        Paste(u.Text15, c.title);
        Paste(u.Text2, c.source);
        Type(u.Text14, u"شرح"_s);
        click(u.cmd33);
        EXPECT_TRUE(msgs.calls.empty());
        QSqlQuery row = Db::Exec(TestDb(), u"SELECT CAST(title AS BLOB), CAST(source AS BLOB) FROM notekaramooz "
                                            "WHERE ID = (SELECT max(ID) FROM notekaramooz)"_s);
        ASSERT_TRUE(row.next());
        for (int i = 0; i < 2; ++i) {
            const QByteArray bytes = row.value(i).toByteArray();
            EXPECT_TRUE(IsValidUtf8(bytes)) << i;
            EXPECT_EQ(QString::fromUtf8(bytes), i == 0 ? c.storedTitle : c.storedSource) << i;
        }
    }
    form.Unload();
}

TEST_F(NotesWindowTest, CancelStoresNothingAndMakesTheFirstNoteCurrent) {
    notekaramooz1 &form = open();
    auto &u = form.ui();
    choose(form, Herbs);
    click(u.Command3);
    newNote(form);
    fill(form, u"عنوان"_s, u"منبع"_s, u"شرح"_s);
    click(u.cmd11);
    EXPECT_TRUE(msgs.calls.empty());
    EXPECT_EQ(notes(), 5);
    EXPECT_EQ(gridIds(form), (QList<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(u.DataGrid4->currentIndex().row(), 0);
    EXPECT_EQ(u.Text10->toPlainText(), u"متن یک"_s);
    EXPECT_EQ(u.Text15->text(), u"ب"_s);
    EXPECT_EQ(u.SSTab1->currentIndex(), 1);
    EXPECT_EQ(tabsOn(form), (QList<bool>{false, true, true}));
    EXPECT_FALSE(u.cmd33->isEnabled());
    EXPECT_FALSE(u.cmd11->isEnabled());
    EXPECT_TRUE(u.Text15->isReadOnly());
    EXPECT_TRUE(u.Text14->isReadOnly());
    EXPECT_TRUE(u.Text2->isReadOnly());
    form.Unload();
}

TEST_F(NotesWindowTest, TheCloseBoxUnderAPendingNoteStoresNothingAndTheNextOpeningStartsAfresh) {
    notekaramooz1 &form = open();
    choose(form, Herbs);
    newNote(form);
    fill(form, u"عنوان"_s, u"منبع"_s, u"شرح"_s);
    form.Widget()->close();
    ProcessEvents();
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_TRUE(msgs.calls.empty());
    EXPECT_EQ(notes(), 5);
    open();
    auto &u = form.ui();
    EXPECT_EQ(gridIds(form), (QList<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(tabsOn(form), (QList<bool>{false, true, false}));
    EXPECT_FALSE(u.cmd33->isEnabled());
    EXPECT_TRUE(u.Text15->isReadOnly());
    form.Unload();
    EXPECT_EQ(notes(), 5);
}

TEST_F(NotesWindowTest, ANoteTheDatabaseRefusesStaysPendingWithWhatWasTyped) {
    notekaramooz1 &form = pendingNote(u"عنوان؟"_s, u"منبع"_s, u"شرح کامل"_s);
    auto &u = form.ui();
    Exec(u"CREATE TRIGGER refuse BEFORE INSERT ON notekaramooz BEGIN SELECT RAISE(ABORT, 'refused'); END"_s);
    click(u.cmd33);
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().style, 48);
    EXPECT_EQ(notes(), 5);
    EXPECT_EQ(u.Text15->text(), u"عنوان؟"_s);
    EXPECT_EQ(u.Text2->text(), u"منبع"_s);
    EXPECT_EQ(u.Text14->toPlainText(), u"شرح کامل"_s);
    EXPECT_TRUE(u.cmd33->isEnabled());
    EXPECT_TRUE(u.cmd11->isEnabled());
    EXPECT_FALSE(u.Text15->isReadOnly());
    EXPECT_EQ(tabsOn(form), (QList<bool>{false, false, true}));

    Exec(u"DROP TRIGGER refuse"_s);
    click(u.cmd33);
    EXPECT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(notes(), 6);
    EXPECT_EQ(Scalar(u"SELECT count(*) FROM notekaramooz WHERE title=? AND name=? AND kid=?"_s,
                     {u"عنوان؟"_s, name7, code7})
                  .toInt(),
              1);
    EXPECT_EQ(u.SSTab1->currentIndex(), 1);
    form.Unload();
}

// The file took the note and only reading it back failed: the note is stored once and told as stored.
TEST_F(NotesWindowTest, ANoteWhoseReadBackFailsIsStoredOnceAndNotToldAsLost) {
    notekaramooz1 &form = pendingNote(u"عنوان"_s, u"منبع"_s, u"شرح"_s);
    auto &u = form.ui();
    StorageFaults::FailingReadBack fault(Db::Database(ConnectionString), u"notekaramooz"_s);
    click(u.cmd33);
    EXPECT_TRUE(fault.Refused());
    EXPECT_TRUE(msgs.calls.empty());
    EXPECT_FALSE(u.cmd33->isEnabled());
    click(u.cmd33);
    EXPECT_EQ(notes(), 6);
    EXPECT_EQ(gridIds(form), (QList<int>{1, 2, 3, 4, 5, 6}));
    form.Unload();
}

TEST_F(NotesWindowTest, NotesThatCannotBeReadAreToldOnce) {
    Exec(u"DROP TABLE notekaramooz"_s);
    notekaramooz1 &form = open();
    ASSERT_EQ(msgs.calls.size(), 1u);
    ExpectMessage(u" اطلاعات تحقيق ها از پايگاه داده خوانده نشد "_s, 48);
    EXPECT_EQ(form.ui().DataGrid4->model()->rowCount(), 0);
    EXPECT_EQ(form.ui().Combo2->count(), 0);
    click(form.ui().cmdnew);
    ExpectMessage(NoHeading, 48);
    EXPECT_TRUE(modal.opened.empty());
    form.Unload();
}

TEST_F(NotesWindowTest, TheMainMenuOpensTheNotesAfterTheClassCheck) {
    MainForm &menu = Forms::Get<MainForm>();
    menu.Show();
    ProcessEvents();
    menu.ui().Comboclase->setCurrentIndex(5);
    click(menu.ui().Image25);
    EXPECT_EQ(modal.opened, std::vector<QString>{u"notekaramooz1"_s});
    EXPECT_EQ(ClassNumberText, u"6"_s);
    Forms::Get<notekaramooz1>().Unload();
    menu.Unload();
}

} // namespace

// A wait for a file held by another workstation that the user gives up is told as busy, never as
// notes that cannot be read.
TEST_F(NotesWindowTest, NotesOnAHeldFileAreToldAsBusyWhenTheWaitIsGivenUp) {
    Db::SetBusyPatience(50);
    {
        FileLock other(DatabasePath(), 5000);
        open().Unload();
    }
    ASSERT_FALSE(msgs.calls.empty());
    EXPECT_EQ(msgs.Last().text, BusyTexts::Busy);
    for (const Msg::Call &call : msgs.calls)
        EXPECT_TRUE(call.text == BusyTexts::KeepWaiting || call.text == BusyTexts::Busy) << call.text.toStdString();
}

// Each step of the notes that reads or writes waits for a file another workstation holds for a
// moment, with the windows on screen painting, and then goes on as if the file had been free.
TEST_F(NotesWindowTest, EachStepWaitsForAFileHeldForAMomentWithTheWindowPainting) {
    notekaramooz1 *form = nullptr;
    const auto held = [this](const char *what, const std::function<void()> &step, bool onScreen = true) {
        FileLock other(DatabasePath(), 300);
        step();
        EXPECT_FALSE(other.Held()) << what << " went on while the file was held";
        if (onScreen) {
            EXPECT_GT(other.PaintsWhileHeld(), 0) << what;
        }
        EXPECT_TRUE(other.BusyCursorAtRelease()) << what;
    };
    held("the opening", [&] { form = &open(); }, false);
    auto &u = form->ui();
    EXPECT_EQ(gridIds(*form), (QList<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(u.Combo2->count(), 4);
    choose(*form, Herbs);

    // The trainee pick of the new-note dialog reads the class while the file is held.
    modal.On(u"noteadd"_s, [&](QDialog &) {
        noteadd &dialog = Forms::Get<noteadd>();
        held("the trainee pick", [&] { Pick(dialog, 7); });
        EXPECT_EQ(dialog.ui().Text5->text(), name7);
        Type(dialog.ui().Text7, code7);
        click(dialog.ui().Cmd_Start);
    });
    click(u.cmdnew);
    modal.Forget(u"noteadd"_s);
    form->Widget()->activateWindow();
    ProcessEvents();
    ASSERT_TRUE(u.cmd33->isEnabled());

    fill(*form, u"عنوان"_s, u"منبع"_s, u"شرح"_s);
    held("the save", [&] { click(u.cmd33); });
    EXPECT_EQ(Scalar(u"SELECT count(*) FROM notekaramooz WHERE title=? AND name=? AND kid=?"_s,
                     {u"عنوان"_s, name7, code7})
                  .toInt(),
              1);
    EXPECT_EQ(gridIds(*form), (QList<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_FALSE(u.cmd33->isEnabled());
    EXPECT_TRUE(msgs.calls.empty());
    form->Unload();
}

// A save whose wait the user gives up keeps the note pending with what was typed, and is told as a
// file in use, as everywhere else; the next Save stores it once.
TEST_F(NotesWindowTest, ASaveWhoseWaitIsGivenUpKeepsWhatWasTyped) {
    notekaramooz1 &form = pendingNote(u"عنوان"_s, u"منبع"_s, u"شرح کامل"_s);
    auto &u = form.ui();
    Db::SetBusyPatience(50);
    {
        FileLock other(DatabasePath(), 5000);
        msgs.Answer(Msg::vbNo);
        click(u.cmd33);
    }
    ASSERT_EQ(msgs.calls.size(), 2u);
    EXPECT_EQ(msgs.calls[0].text, BusyTexts::KeepWaiting);
    EXPECT_EQ(msgs.calls[1].text, BusyTexts::Busy);
    EXPECT_EQ(msgs.calls[1].style, 48);
    EXPECT_EQ(notes(), 5);
    EXPECT_EQ(u.Text15->text(), u"عنوان"_s);
    EXPECT_EQ(u.Text2->text(), u"منبع"_s);
    EXPECT_EQ(u.Text14->toPlainText(), u"شرح کامل"_s);
    EXPECT_TRUE(u.cmd33->isEnabled());

    click(u.cmd33);
    EXPECT_EQ(msgs.calls.size(), 2u);
    EXPECT_EQ(Scalar(u"SELECT count(*) FROM notekaramooz WHERE title=? AND name=?"_s, {u"عنوان"_s, name7}).toInt(), 1);
    form.Unload();
}
