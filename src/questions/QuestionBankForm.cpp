#include "questions/QuestionBankForm.h"

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QToolBar>
#include <algorithm>
#include <cmath>

#include "platform/BusyMessages.h"
#include "platform/App.h"
#include "platform/Bindings.h"
#include "platform/Convert.h"
#include "platform/DataControl.h"
#include "platform/MouseEvents.h"
#include "platform/MsgBox.h"
#include "platform/ProgressDelay.h"
#include "platform/RecordMoves.h"
#include "platform/TextLimit.h"
#include "questions/EditPassword.h"
#include "questions/HeldLesson.h"
#include "questions/QuestionManagementPage.h"
#include "questions/QuestionText.h"
#include "questions/frmq3.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"

using namespace Module1;

namespace {
const QString NoLesson = QStringLiteral(" هيچ درس يا دوره اي  تعريف نشده  لطفا تعريف کنيد ");
const QString NoLessonTitle = QStringLiteral("اخطار");
const QString DatabaseBroken = QStringLiteral(" پايگاه داده برنامه دچار مشکل شده و امکان اجراي برنامه وجود ندارد ");
const QString ConfirmDelete = QStringLiteral(" آيا مطمئن به حذف اين گزينه از ليست هستيد ؟   ");
const QString CompleteAll = QStringLiteral(" لطفا همه گزينه ها را تکميل کنيد ");
const QString OptionOutOfRange = QStringLiteral(" گزينه صحيح بايد عددي بين 1 تا 4 باشد ");
const QString LessonsUnreadable = QStringLiteral(" فهرست درس ها از پايگاه داده خوانده نشد ");
const QString QuestionsUnreadable = QStringLiteral(" سوالات اين درس از پايگاه داده خوانده نشد ");
const QString SaveFailed = QStringLiteral(" سوال در پايگاه داده ذخيره نشد ، لطفا دوباره ذخيره کنيد ");
const QString DeleteFailed = QStringLiteral(" سوال از پايگاه داده حذف نشد ");

constexpr int QuestionLength = 255;
constexpr int OptionColumnWidth = 100;
enum Tab { ListTab = 0, DetailsTab = 1, ManagementTab = 2 };
enum EditButton { CancelButton = 1, DeleteButton = 2, SaveButton = 3, EditButton = 4, NewButton = 5 };

void tell(const QString &text) { MsgBox(text, Msg::vbCritical, QString()); }

// A file in use by another workstation is told as such, anything else with the window's own text.
void tellFailure(const Db::DbError &error, const QString &text) {
    if (!Db::TellIfBusy(error))
        tell(text);
}

// The value of an access box: its leading number.
double accessValue(const QLineEdit *box) { return Convert::Val(box->text()); }

// A locked combo shows its text and lets nothing change it.
class ComboLock : public QObject {
    Q_OBJECT
public:
    explicit ComboLock(QComboBox *combo) : QObject(combo) { combo->installEventFilter(this); }
    bool locked = true;

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (!locked)
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
            return true;
        default:
            return false;
        }
    }
};

void setLocked(QWidget *box, bool locked) {
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->setReadOnly(locked);
    else if (auto *text = qobject_cast<QPlainTextEdit *>(box))
        text->setReadOnly(locked);
    else if (auto *combo = qobject_cast<QComboBox *>(box)) {
        auto *lock = combo->findChild<ComboLock *>(QString(), Qt::FindDirectChildrenOnly);
        if (!lock)
            lock = new ComboLock(combo);
        lock->locked = locked;
        if (combo->lineEdit())
            combo->lineEdit()->setReadOnly(locked);
    }
}

void clearCombo(QComboBox *combo) {
    combo->setCurrentIndex(-1);
    combo->clearEditText();
}

// A stored number as the whole number the in-memory copy keeps: halves to even, nothing for a
// missing or unreadable value.
int wholeValue(const QVariant &value) {
    if (value.isNull() || !value.isValid())
        return 0;
    // Stored whole numbers, as the file holds ids and options, need no reading as text.
    if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int)
        return int(std::clamp(value.toLongLong(), qlonglong(INT_MIN), qlonglong(INT_MAX)));
    const QString text = Bindings::DisplayText(value);
    if (!Convert::IsNumeric(text))
        return 0;
    const double v = std::nearbyint(Convert::Val(text));
    return int(std::clamp(v, double(INT_MIN), double(INT_MAX)));
}

// The correct option as TrueAnswer holds it: a whole number from 1 to 4, else nothing.
std::optional<int> correctOption(const QString &text) {
    if (!Convert::IsNumeric(text))
        return std::nullopt;
    const double v = Convert::Val(text);
    if (v != std::floor(v) || v < 1 || v > 4)
        return std::nullopt;
    return int(v);
}

} // namespace

QAction *QuestionBankForm::Button(QToolBar *bar, int index) {
    return Widget()->findChild<QAction *>(bar->objectName() + QStringLiteral("_Button%1").arg(index));
}

void QuestionBankForm::Connect() {
    auto &u = ui();
    Widget()->setWindowTitle(m_kind.caption);
    Adodc1 = new DataControl(Widget());
    Adodc2 = new DataControl(Widget());
    Adodc3 = new DataControl(Widget());
    Adodc4 = new DataControl(Widget());

    QVector<GridColumn> columns;
    for (const char *field : {"Question", "Answer1", "Answer2", "Answer3", "Answer4", "TrueAnswer"})
        columns.push_back({QString::fromLatin1(field), QString::fromLatin1(field)});
    Bindings::BindGrid(u.DataGrid1, Adodc1, columns);
    // The question takes what the options and the correct option leave.
    QHeaderView *header = u.DataGrid1->horizontalHeader();
    header->setDefaultSectionSize(OptionColumnWidth);
    header->setSectionResizeMode(0, QHeaderView::Stretch);

    Bindings::Bind(u.txtq, Adodc4, QStringLiteral("Question"));
    Bindings::Bind(u.txtp, Adodc4, QStringLiteral("Questionp"));
    Bindings::Bind(u.txtt, Adodc4, QStringLiteral("Questiont"));
    Bindings::Bind(u.txtn, Adodc4, QStringLiteral("Questionn"));
    Bindings::Bind(u.txtedit, Adodc4, QStringLiteral("passedit"));
    Management = new QuestionManagementPage(
        m_kind.managesQuestions ? QuestionManagementPage::FullPage : QuestionManagementPage::CountersOnly, *Adodc1,
        *Adodc2, *Adodc3, [this] { return ui().txtedit->text(); }, u.txtpass, u.ManagementHost);
    u.ManagementHost->layout()->addWidget(Management);

    Bindings::Bind(u.QuestionBox, Adodc1, QStringLiteral("Question"));
    Bindings::Bind(u.TrueAnswerBox, Adodc1, QStringLiteral("TrueAnswer"));
    Bindings::Bind(u.Text1, Adodc1, QStringLiteral("Answer5"));
    if (m_kind.showsRecordBoxes) {
        Bindings::Bind(u.AnswerBox1, Adodc1, QStringLiteral("Answer1"));
        Bindings::Bind(u.AnswerBox2, Adodc1, QStringLiteral("Answer2"));
        Bindings::Bind(u.AnswerBox3, Adodc1, QStringLiteral("Answer3"));
        Bindings::Bind(u.AnswerBox4, Adodc1, QStringLiteral("Answer4"));
        Bindings::Bind(u.Text2, Adodc1, QStringLiteral("id"));
    }
    const bool display = !m_kind.showsRecordBoxes;
    for (QWidget *box : QVector<QWidget *>{u.QuestionBox, u.AnswerBox1, u.AnswerBox2, u.AnswerBox3, u.AnswerBox4})
        box->setVisible(m_kind.showsRecordBoxes);
    for (QWidget *box : QVector<QWidget *>{u.tq, u.ta1, u.ta2, u.ta3, u.Combo1})
        box->setVisible(display);
    u.cmdq3->setVisible(m_kind.hasViewer);
    // The labels reveal their boxes in room kept for them, so that the window keeps its size.
    for (QWidget *box : {static_cast<QWidget *>(u.TrueAnswerBox), static_cast<QWidget *>(u.Text1)}) {
        QSizePolicy policy = box->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        box->setSizePolicy(policy);
    }
    for (QComboBox *combo : {u.Comboa4, u.Combot, u.Combo1})
        clearCombo(combo);
    lockRecordBoxes(true);
    setLocked(u.Combo1, true);
    AlignQuestionLines(u.QuestionBox);
    AlignQuestionLines(u.tq);
    // The question box of the input takes no more than the field holds.
    TextLimit::Install(u.tq, QuestionLength);

    On(*this, u.DarsCombo, &QComboBox::activated, [this] { DarsCombo_Click(); });
    On(*this, u.Cmd_Refresh, &QPushButton::clicked, [this] { Cmd_Refresh_Click(); });
    On(*this, u.SSTab, &QTabWidget::currentChanged, [this](int tab) { SSTab_Click(tab); });
    On(*this, u.Command4, &QPushButton::clicked, [this] { Command4_Click(); });
    On(*this, u.cmdq3, &QPushButton::clicked, [this] { cmdq3_Click(); });
    On(*this, u.DataGrid1, &QTableView::doubleClicked, [this] { DataGrid1_DblClick(); });
    MouseEvents::Install(u.Label5, {.up = [this](Qt::MouseButton b, Qt::MouseButtons, QPoint) {
                             if (b == Qt::LeftButton)
                                 Label5_Click();
                         }});
    MouseEvents::Install(u.Label11, {.up = [this](Qt::MouseButton b, Qt::MouseButtons, QPoint) {
                             if (b == Qt::LeftButton)
                                 Label11_Click();
                         }});
    const std::pair<QToolBar *, void (QuestionBankForm::*)(int)> bars[] = {
        {u.Toolbar1, &QuestionBankForm::Toolbar1_ButtonClick},
        {u.Toolbar2, &QuestionBankForm::Toolbar2_ButtonClick},
        {u.Toolbar3, &QuestionBankForm::Toolbar3_ButtonClick}};
    for (const auto &[bar, handler] : bars)
        for (int index = 1; QAction *action = Button(bar, index); ++index)
            On(*this, action, &QAction::triggered, [this, handler, index] { (this->*handler)(index); });
}

void QuestionBankForm::Disconnect() {
    Adodc1 = Adodc2 = Adodc3 = Adodc4 = nullptr;
    Management = nullptr;
}

QVector<QWidget *> QuestionBankForm::recordBoxes() {
    auto &u = ui();
    if (!m_kind.emptiesInputBoxes)
        return {u.QuestionBox, u.TrueAnswerBox};
    return {u.QuestionBox, u.AnswerBox1, u.AnswerBox2, u.AnswerBox3, u.AnswerBox4, u.Text1, u.TrueAnswerBox};
}

QVector<QWidget *> QuestionBankForm::inputBoxes() {
    auto &u = ui();
    return {u.tq, u.ta1, u.ta2, u.ta3, u.Comboa4, u.Combot, u.tt};
}

// Unlocked, the record boxes lie under the input boxes: they take no focus then, so that nothing
// typed goes where it cannot be seen.
void QuestionBankForm::lockRecordBoxes(bool locked) {
    for (QWidget *box : recordBoxes()) {
        setLocked(box, locked);
        box->setFocusPolicy(locked ? Qt::StrongFocus : Qt::NoFocus);
    }
    // Without record boxes the fourth option on display lies under its input box.
    if (!m_kind.showsRecordBoxes)
        ui().Combo1->setFocusPolicy(locked ? Qt::StrongFocus : Qt::NoFocus);
}

int QuestionBankForm::rowCount() {
    Recordset &rs = Adodc1->Recordset();
    return rs.IsOpen() ? rs.RecordCount() : 0;
}

// ---- load

void QuestionBankForm::Form_Load() {
    auto &u = ui();
    if (m_kind.copiesLessonIntoMemory)
        m_detailsPosition = 0;
    m_lessonChosen = false;
    try {
        openSources();
        if (ScratchValue.toInt() == 0 && m_kind.warnsWithoutLessons) {
            MsgBox(NoLesson, Msg::vbExclamation, NoLessonTitle);
            return;
        }
        fillLessonList();
        if (m_kind.choosesFirstLesson) {
            u.DataGrid1->show();
            u.DarsCombo->setCurrentIndex(0);
            if (!ChooseLesson())
                return;
        }
        switchOffTabs(accessValue(u.txtq) == 0);
        if (m_kind.choosesFirstLesson && !ChooseLesson())
            return;
    } catch (const Db::DbError &error) {
        // A file only in use is not broken: the window stays, without its rows.
        if (!Db::TellIfBusy(error)) {
            if (m_kind.endsOnLoadFailure) {
                MsgBox(DatabaseBroken, Msg::vbCritical, QString());
                App::End();
                return;
            }
            tell(LessonsUnreadable);
        }
        switchOffTabs(true);
    }
    u.SSTab->setTabVisible(ManagementTab, false);
    if (m_kind.hidesDetailsTab)
        u.SSTab->setTabVisible(DetailsTab, false);
}

// The settings row and the active lessons; ScratchValue is the number of lessons.
void QuestionBankForm::openSources() {
    for (DataControl *data : {Adodc1, Adodc2, Adodc3})
        data->ConnectionString = ConnectionString;
    ui().SSTab->setCurrentIndex(ListTab);
    Adodc4->ConnectionString = ConnectionString;
    Adodc4->RecordSource = QStringLiteral("select * from setting");
    Adodc4->Refresh();
    Adodc1->RecordSource = QStringLiteral("SELECT * FROM droos where yn=?");
    Adodc1->RecordSourceValues = {QStringLiteral("-1")};
    Adodc1->Refresh();
    ScratchValue = Adodc1->Recordset().RecordCount();
    ui().DataGrid1->hide();
}

// In the order the query gives them.
void QuestionBankForm::fillLessonList() {
    Recordset &rs = Adodc1->Recordset();
    const int lessons = ScratchValue.toInt();
    for (int i = 1; i <= lessons; ++i) {
        LoopIndex = i;
        const QString name = Bindings::DisplayText(rs.Value(QStringLiteral("name")));
        ui().DarsCombo->addItem(name);
        LessonListed(name);
        rs.MoveNext();
    }
    // A list box selects its first item when filled; the user's pick is the first choice here.
    if (!m_kind.choosesFirstLesson)
        ui().DarsCombo->setCurrentIndex(-1);
}

void QuestionBankForm::switchOffTabs(bool questionAccessOff) {
    auto &u = ui();
    if (questionAccessOff) {
        u.DataGrid1->hide();
        u.SSTab->setTabEnabled(DetailsTab, false);
    }
    if (UnlockedFlag == 0)
        u.SSTab->setTabEnabled(ManagementTab, false);
}

// ---- lesson choice and refresh

void QuestionBankForm::DarsCombo_Click() {
    try {
        ChooseLesson();
    } catch (const Db::DbError &error) {
        tellFailure(error, QuestionsUnreadable);
        enableByRowCount(true);
        ui().CountLAB->setText(QString::number(rowCount()));
    }
}

bool QuestionBankForm::ChooseLesson() {
    auto &u = ui();
    if (u.DarsCombo->count() == 0)
        return true;
    if (m_kind.hasViewer)
        u.cmdq3->setEnabled(true);
    m_lessonChosen = false;
    Adodc1->RecordSource = SharedDatabase::SelectAll(SharedDatabase::QuestionTableName(u.DarsCombo->currentText()));
    Adodc1->RecordSourceValues.clear();
    Adodc1->Refresh();
    m_lessonChosen = true;
    if (m_kind.copiesLessonIntoMemory)
        CopyLessonIntoMemory();
    if (!RunRefresh())
        return false;
    enableByRowCount(true);
    Adodc1->Recordset().Sort(QStringLiteral("ID"));
    return true;
}

// The lesson in ascending record-id order into the question arrays, from scratch.
void QuestionBankForm::CopyLessonIntoMemory() {
    auto &u = ui();
    Recordset &rs = Adodc1->Recordset();
    rs.Sort(QStringLiteral("ID"));
    // Every field is found before the arrays change: a lesson that lacks one leaves the copy as it was.
    const auto field = [&rs](const QString &name) {
        const int column = rs.FieldIndex(name);
        if (column < 0)
            throw Db::DbError(QStringLiteral("no field named ") + name);
        return column;
    };
    const int question = field(QStringLiteral("Question"));
    int answers[4];
    for (int k = 0; k < 4; ++k)
        answers[k] = field(QStringLiteral("answer%1").arg(k + 1));
    const int trueAnswer = field(QStringLiteral("Trueanswer"));
    const int id = field(QStringLiteral("id"));
    CurrentLessonName = u.DarsCombo->currentText();
    // The question-access switch keeps the list hidden also after a lesson is chosen.
    if (accessValue(u.txtq) != 0)
        u.DataGrid1->show();
    QuestionCount = rs.RecordCount();
    QuestionTexts.ReDim(1, QuestionCount);
    AnswerTexts.ReDim(4, QuestionCount);
    CorrectOptions.ReDim(2, QuestionCount);
    // Read row by row in place: walking the current row would repaint every bound box on the way.
    for (int i = 0; i < QuestionCount; ++i) {
        QuestionTexts(0, i) = Bindings::DisplayText(rs.ValueAt(i, question));
        for (int k = 0; k < 4; ++k)
            AnswerTexts(k, i) = Bindings::DisplayText(rs.ValueAt(i, answers[k]));
        CorrectOptions(0, i) = wholeValue(rs.ValueAt(i, trueAnswer));
        CorrectOptions(1, i) = wholeValue(rs.ValueAt(i, id));
    }
}

void QuestionBankForm::Cmd_Refresh_Click() {
    try {
        RunRefresh();
    } catch (const Db::DbError &error) {
        tellFailure(error, QuestionsUnreadable);
    }
}

// The fixed busy animation, then the rows read again (which drops the sort) and counted.
bool QuestionBankForm::RunRefresh() {
    auto &u = ui();
    u.PBar1->show();
    const QPointer<FormWidget> window = Widget();
    ProgressDelayLoop(u.PBar1, RefreshSteps, RefreshTurns, m_kind.refreshBarMoves);
    // The animation lets the close box through: a window closed meanwhile does no more.
    if (!window || !IsLoaded() || Widget() != window)
        return false;
    try {
        Adodc1->Refresh();
    } catch (const Db::DbError &) {
        u.PBar1->hide();
        u.PBar1->setValue(0);
        u.CountLAB->setText(QStringLiteral("0"));
        throw;
    }
    u.PBar1->hide();
    u.PBar1->setValue(0);
    u.CountLAB->setText(QString::number(rowCount()));
    return true;
}

void QuestionBankForm::enableByRowCount(bool lessonChoice) {
    auto &u = ui();
    const bool rows = rowCount() >= 1;
    for (int i = 1; i <= 4; ++i) {
        Button(u.Toolbar1, i)->setEnabled(rows);
        if (lessonChoice)
            Button(u.Toolbar3, i)->setEnabled(rows);
    }
    u.Cmd_Refresh->setEnabled(rows);
    if (!rows)
        u.Cmd_Print->setEnabled(false);
    else if (!lessonChoice || accessValue(u.txtq) == -1)
        u.Cmd_Print->setEnabled(true);
}

// ---- tabs, reveals, navigation

void QuestionBankForm::SSTab_Click(int tab) {
    auto &u = ui();
    hideReveals();
    if (tab == ListTab) {
        // The browse window's details page is reached only through the grid.
        if (m_kind.hidesDetailsTab)
            u.SSTab->setTabVisible(DetailsTab, false);
        if (m_listDirty) {
            try {
                if (!ChooseLesson())
                    return;
                m_listDirty = false;
            } catch (const Db::DbError &error) {
                // Read again at the next visit: the rows on the page are not the lesson's.
                tellFailure(error, QuestionsUnreadable);
            }
        }
        enableByRowCount(false);
        u.CountLAB->setText(QString::number(rowCount()));
    } else if (tab == DetailsTab) {
        enableEditBar();
    }
    u.DarsBox->setText(u.DarsCombo->currentText());
}

void QuestionBankForm::enableEditBar() {
    auto &u = ui();
    const bool rows = rowCount() >= 1;
    if (!m_lessonChosen) {
        // Until a lesson's table is open there is nothing to edit.
        for (int b : {DeleteButton, EditButton, NewButton})
            Button(u.Toolbar2, b)->setEnabled(false);
        return;
    }
    if (UnlockedFlag != 0) {
        Button(u.Toolbar2, DeleteButton)->setEnabled(rows);
        Button(u.Toolbar2, SaveButton)->setEnabled(false);
        Button(u.Toolbar2, EditButton)->setEnabled(rows);
        Button(u.Toolbar2, NewButton)->setEnabled(true);
    } else {
        Button(u.Toolbar2, DeleteButton)->setEnabled(false);
        Button(u.Toolbar2, EditButton)->setEnabled(false);
        Button(u.Toolbar2, NewButton)->setEnabled(false);
    }
    if (accessValue(u.txtn) == -1)
        Button(u.Toolbar2, NewButton)->setEnabled(true);
}

void QuestionBankForm::hideReveals() {
    ui().TrueAnswerBox->hide();
    ui().Text1->hide();
}

void QuestionBankForm::Label5_Click() {
    if (accessValue(ui().txtp) == -1)
        ui().TrueAnswerBox->show();
}

void QuestionBankForm::Label11_Click() {
    if (accessValue(ui().txtt) == -1)
        ui().Text1->show();
}

void QuestionBankForm::Toolbar1_ButtonClick(int index) { move(index, false); }

void QuestionBankForm::Toolbar3_ButtonClick(int index) {
    if (m_kind.copiesLessonIntoMemory)
        stepDetails(index);
    else
        move(index, true);
}

void QuestionBankForm::move(int index, bool hidesReveals) {
    Recordset &rs = Adodc1->Recordset();
    if ((index == 2 || index == 3) && hidesReveals)
        hideReveals();
    if (!rs.IsOpen() || rs.RecordCount() == 0)
        return;
    RecordMoves::ByButton(rs, index);
}

// Previous and next step the in-memory entry with the record; first and last move the record alone.
void QuestionBankForm::stepDetails(int index) {
    if (index != 2 && index != 3) {
        move(index, false);
        return;
    }
    hideReveals();
    // Another window may have replaced or emptied the arrays since the last step.
    const int entries = HeldLesson::FilledEntries();
    m_detailsPosition = std::clamp(m_detailsPosition, 0, std::max(0, entries - 1));
    if (index == 2 && m_detailsPosition > 0)
        ShowDetailsEntry(--m_detailsPosition);
    if (index == 3 && m_detailsPosition < entries - 1)
        ShowDetailsEntry(++m_detailsPosition);
    move(index, false);
}

void QuestionBankForm::ShowDetailsEntry(int entry) {
    HeldLesson::Show(ui(), entry);
}

void QuestionBankForm::Command4_Click() {
    try {
        Adodc1->Recordset().Sort(QStringLiteral("ID"));
    } catch (const Db::DbError &) {
    }
}

void QuestionBankForm::DataGrid1_DblClick() {
    auto &u = ui();
    if (rowCount() < 1)
        return;
    u.SSTab->setTabVisible(DetailsTab, true);
    u.SSTab->setCurrentIndex(DetailsTab);
}

// The viewer takes this window's place: closing it leaves the main menu.
void QuestionBankForm::cmdq3_Click() {
    if (!Unload())
        return;
    Forms::Get<frmq3>().ShowModal();
}

// ---- the edit bar and input mode

void QuestionBankForm::Toolbar2_ButtonClick(int index) {
    if (!m_lessonChosen)
        return;
    switch (index) {
    case CancelButton:
        CancelInput();
        break;
    case DeleteButton:
        DeleteQuestion();
        break;
    case SaveButton:
        SaveQuestion();
        break;
    case EditButton:
        EditQuestion();
        break;
    case NewButton:
        NewQuestion();
        break;
    default:
        break;
    }
}

// The question's box in view: in input mode the input box, which lies over the record's.
void QuestionBankForm::focusQuestion() {
    if (m_kind.showsRecordBoxes && ui().tq->isHidden())
        ui().QuestionBox->setFocus();
    else
        ui().tq->setFocus();
}

void QuestionBankForm::CancelInput() {
    m_listDirty = false;
    try {
        Adodc1->Refresh();
    } catch (const Db::DbError &error) {
        tellFailure(error, QuestionsUnreadable);
        // The list tab reads the rows again.
        m_listDirty = true;
    }
    LeaveInputMode();
    const int rows = rowCount();
    // Rows deleted meanwhile: the last row is the nearest to the one remembered.
    if (m_savedPosition > 0 && rows > 0)
        Adodc1->Recordset().SetAbsolutePosition(std::min(m_savedPosition, rows));
    focusQuestion();
}

void QuestionBankForm::DeleteQuestion() {
    auto &u = ui();
    const EditPasswordAnswer answer = AskEditPassword(u.txtedit->text(), u.txtpass);
    if (answer == EditPasswordAnswer::Cancelled)
        return;
    if (answer == EditPasswordAnswer::Mismatch) {
        TellWrongEditPassword();
        focusQuestion();
        return;
    }
    if (MsgBox(ConfirmDelete, Msg::vbYesNo | Msg::vbQuestion, QString()) != Msg::vbYes)
        return;
    Recordset &rs = Adodc1->Recordset();
    if (!rs.IsOpen() || rs.IsBOF() || rs.IsEOF())
        return;
    try {
        rs.Delete();
    } catch (const Db::DbError &error) {
        tellFailure(error, DeleteFailed);
        focusQuestion();
        return;
    }
    m_listDirty = true;
    u.SSTab->setCurrentIndex(ListTab);
    focusQuestion();
}

void QuestionBankForm::SaveQuestion() {
    auto &u = ui();
    const QString texts[] = {u.tq->toPlainText(), u.ta1->text(),          u.ta2->text(),
                             u.ta3->text(),       u.Comboa4->currentText(), u.Combot->currentText()};
    if (std::any_of(std::begin(texts), std::end(texts), [](const QString &t) { return t.trimmed().isEmpty(); })) {
        MsgBox(CompleteAll, Msg::vbExclamation, QString());
        return;
    }
    // TrueAnswer holds a whole option; anything else would make every exam of the lesson refuse to start.
    const std::optional<int> option = correctOption(u.Combot->currentText().trimmed());
    if (!option) {
        MsgBox(OptionOutOfRange, Msg::vbExclamation, QString());
        return;
    }
    Recordset &rs = Adodc1->Recordset();
    try {
        if (m_kind.rereadsBeforeSave)
            Adodc1->Refresh();
        rs.AddNew();
        rs.SetValue(QStringLiteral("Question"), texts[0]);
        rs.SetValue(QStringLiteral("Answer1"), texts[1]);
        rs.SetValue(QStringLiteral("Answer2"), texts[2]);
        rs.SetValue(QStringLiteral("Answer3"), texts[3]);
        rs.SetValue(QStringLiteral("Answer4"), texts[4]);
        rs.SetValue(QStringLiteral("TrueAnswer"), *option);
        rs.SetValue(QStringLiteral("Answer5"), u.tt->text());
        rs.Update();
    } catch (const Db::DbError &error) {
        // The typed question stays for another try.
        rs.CancelUpdate();
        tellFailure(error, SaveFailed);
        return;
    }
    m_listDirty = true;
    LeaveInputMode();
    if (m_savedPosition == 0)
        rs.MoveLast();
    focusQuestion();
}

void QuestionBankForm::EditQuestion() {
    auto &u = ui();
    const EditPasswordAnswer answer = AskEditPassword(u.txtedit->text(), u.txtpass);
    if (answer == EditPasswordAnswer::Mismatch)
        TellWrongEditPassword();
    if (answer == EditPasswordAnswer::Match) {
        m_savedPosition = std::max(0, Adodc1->Recordset().AbsolutePosition());
        EnterInputMode();
    }
    focusQuestion();
}

void QuestionBankForm::NewQuestion() {
    EnterInputMode();
    focusQuestion();
}

void QuestionBankForm::EnterInputMode() {
    auto &u = ui();
    lockRecordBoxes(false);
    Button(u.Toolbar2, CancelButton)->setEnabled(true);
    Button(u.Toolbar2, DeleteButton)->setEnabled(false);
    Button(u.Toolbar2, SaveButton)->setEnabled(true);
    Button(u.Toolbar2, EditButton)->setEnabled(false);
    Button(u.Toolbar2, NewButton)->setEnabled(false);
    u.SSTab->setTabEnabled(ListTab, false);
    u.Toolbar3->setEnabled(false);
    // The question goes into the lesson on the page: no other may be chosen under the input.
    u.DarsCombo->setEnabled(false);
    for (QWidget *box : inputBoxes())
        box->show();
    if (m_kind.emptiesInputBoxes) {
        u.tq->clear();
        u.ta1->clear();
        u.ta2->clear();
        u.ta3->clear();
        clearCombo(u.Comboa4);
        clearCombo(u.Combot);
    }
}

void QuestionBankForm::LeaveInputMode() {
    auto &u = ui();
    lockRecordBoxes(true);
    Button(u.Toolbar2, CancelButton)->setEnabled(false);
    Button(u.Toolbar2, SaveButton)->setEnabled(false);
    Button(u.Toolbar2, NewButton)->setEnabled(true);
    u.SSTab->setTabEnabled(ListTab, true);
    u.Toolbar3->setEnabled(true);
    u.DarsCombo->setEnabled(true);
    for (QWidget *box : inputBoxes())
        box->hide();
    // Without record boxes the page shows its question in four of the input boxes.
    if (!m_kind.showsRecordBoxes)
        for (QWidget *box : QVector<QWidget *>{u.tq, u.ta1, u.ta2, u.ta3})
            box->show();
}

#include "QuestionBankForm.moc"
