#include "questions/QuestionManagementPage.h"

#include <QLineEdit>
#include <algorithm>

#include "platform/BusyMessages.h"
#include "platform/Bindings.h"
#include "platform/DataControl.h"
#include "platform/MsgBox.h"
#include "questions/QuestionText.h"
#include "questions/QuestionTransfer.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"
#include "platform/Guard.h"
#include "ui_QuestionManagementPage.h"

using namespace Module1;
using namespace QuestionTransfer;

namespace {
const QString NoTargetText = QStringLiteral("دوره مورد نظر را انتخاب کن ");
const QString CopyQuestionText = QStringLiteral(" آيا مطمئن به کپي کردن سوالات به دوره مورد نظر هستيد؟   ");
const QString DeleteQuestionText = QStringLiteral(" آيا مطمئن به حذف کردن سوالات هستيد؟   ");
// %1: the lesson's name.
const QString MissingLessonText = QStringLiteral(" سوالات درس %1 در پايگاه داده پيدا نشد ");
const QString ReadFailedText = QStringLiteral(" سوالات درس %1 از پايگاه داده خوانده نشد ");
const QString CopyFailedText = QStringLiteral(" کپي سوالات در پايگاه داده انجام نشد و هيچ سوالي تغيير نکرد . آيا دوباره تلاش شود ؟ ");
const QString DeleteFailedText = QStringLiteral(" حذف سوالات در پايگاه داده انجام نشد و هيچ سوالي تغيير نکرد . آيا دوباره تلاش شود ؟ ");
// %1: how many picked questions the source lesson no longer holds.
const QString NotCopiedText = QStringLiteral(" %1 سوال انتخاب شده در درس مبدا پيدا نشد و کپي نشد ");
const QString NotDeletedText = QStringLiteral(" %1 سوال انتخاب شده در درس مبدا پيدا نشد و حذف نشد ");

const QString Question = QStringLiteral("Question");

bool isMissingTable(const Db::DbError &error) {
    return QString::fromStdString(error.what()).contains(QStringLiteral("no such table"), Qt::CaseInsensitive);
}
} // namespace

QuestionManagementPage::QuestionManagementPage(Layout layout, DataControl &adodc1, DataControl &adodc2,
                                               DataControl &adodc3, std::function<QString()> storedPassword,
                                               QLineEdit *typedBox, QWidget *parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::QuestionManagementPage>()), m_adodc1(adodc1), m_adodc2(adodc2),
      m_adodc3(adodc3), m_storedPassword(std::move(storedPassword)), m_typedBox(typedBox) {
    m_ui->setupUi(this);
    if (layout == CountersOnly) {
        removeAllButCounters();
        return;
    }
    auto &u = ui();
    AlignQuestionLines(u.Text3);
    Bindings::Bind(u.Text3, &m_adodc1, Question);
    Bindings::Bind(u.Text5, &m_adodc1, QStringLiteral("Answer1"));
    Bindings::Bind(u.Text6, &m_adodc1, QStringLiteral("Answer2"));
    Bindings::Bind(u.Text4, &m_adodc1, QStringLiteral("Answer3"));
    Bindings::Bind(u.Text7, &m_adodc1, QStringLiteral("Answer4"));
    Bindings::Bind(u.Text8, &m_adodc1, QStringLiteral("trueAnswer"));
    Guard::Connect(u.Combofrom, &QComboBox::activated, this, [this] { Combofrom_Click(); });
    Guard::Connect(u.Comboin, &QComboBox::activated, this, [this] { Comboin_Click(); });
    Guard::Connect(u.ListQ, &QListWidget::itemSelectionChanged, this, [this] { ListQ_Click(); });
    Guard::Connect(u.cmdcopy, &QPushButton::clicked, this, [this] { cmdcopy_Click(); });
    Guard::Connect(u.cmddel, &QPushButton::clicked, this, [this] { cmddel_Click(); });
}

QuestionManagementPage::~QuestionManagementPage() = default;

void QuestionManagementPage::removeAllButCounters() {
    auto &u = ui();
    const auto drop = [](auto *&control) {
        delete control;
        control = nullptr;
    };
    drop(u.Label13), drop(u.Combofrom), drop(u.Label20), drop(u.Label19);
    drop(u.Label14), drop(u.Comboin), drop(u.Label22), drop(u.Label16), drop(u.ListQ), drop(u.ListCo);
    drop(u.Text3), drop(u.Text5), drop(u.Text6), drop(u.Text4), drop(u.Text7), drop(u.Text8), drop(u.Label26);
    drop(u.cmdcopy), drop(u.cmddel);
}

void QuestionManagementPage::AddLesson(const QString &name) {
    if (!ui().Combofrom)
        return;
    // Nothing is chosen until the user picks a lesson.
    for (QComboBox *lessons : {ui().Combofrom, ui().Comboin}) {
        lessons->addItem(name);
        lessons->setCurrentIndex(-1);
    }
}

bool QuestionManagementPage::openLesson(DataControl &data, const QString &lessonName) {
    data.CommandType = DataControl::adCmdText;
    data.RecordSource = SharedDatabase::SelectAll(SharedDatabase::QuestionTableName(lessonName));
    data.RecordSourceValues.clear();
    return readLesson(lessonName, [&data] { data.Refresh(); });
}

bool QuestionManagementPage::readLesson(const QString &lessonName, const std::function<void()> &read) {
    try {
        read();
        return true;
    } catch (const Db::DbError &error) {
        // The user has just declined to wait on for the file: that was the question of this wait.
        if (!Db::TellIfBusy(error))
            MsgBox((isMissingTable(error) ? MissingLessonText : ReadFailedText).arg(lessonName), Msg::vbExclamation,
                   QString());
        return false;
    }
}

// The target is only counted: its questions are not read in for that.
QString QuestionManagementPage::targetCount(const QString &lessonName) {
    int count = 0;
    if (!readLesson(lessonName, [&] { count = m_adodc3.CountRows(SharedDatabase::QuestionTableName(lessonName)); }))
        return QString();
    return QString::number(count);
}

void QuestionManagementPage::rebuildListQ() {
    {
        const QSignalBlocker quiet(ui().ListQ);
        ui().ListQ->clear();
    }
    fillListQ();
}

void QuestionManagementPage::fillListQ() {
    auto &u = ui();
    const QSignalBlocker quiet(u.ListQ);
    const Recordset &rows = m_adodc1.Recordset();
    const int column = rows.FieldIndex(Question);
    if (column < 0)
        return;
    QStringList texts;
    texts.reserve(rows.RecordCount());
    for (int row = 0; row < rows.RecordCount(); ++row)
        texts << Bindings::DisplayText(rows.ValueAt(row, column));
    u.ListQ->addItems(texts);
}

void QuestionManagementPage::Combofrom_Click() {
    auto &u = ui();
    const QString source = u.Combofrom->currentText();
    const bool opened = openLesson(m_adodc1, source);
    if (opened)
        openLesson(m_adodc2, source);
    {
        const QSignalBlocker quiet(u.ListQ);
        u.ListQ->clear();
    }
    u.Label19->setText(opened ? QString::number(m_adodc1.Recordset().RecordCount()) : QString());
    fillListQ();
}

void QuestionManagementPage::Comboin_Click() { ui().Label21->setText(targetCount(ui().Comboin->currentText())); }

void QuestionManagementPage::ListQ_Click() {
    auto &u = ui();
    u.lblco->clear();
    u.lblno->clear();
    // The preview: the rows of the clicked question's exact text, whether the click picked it or not.
    if (const QListWidgetItem *clicked = u.ListQ->currentItem()) {
        Recordset &rows = m_adodc1.Recordset();
        if (rows.IsOpen() && rows.FieldIndex(Question) >= 0)
            rows.SetFilter(Question, clicked->text(), Qt::CaseSensitive);
    }
    QStringList picked;
    for (int row = 0; row < u.ListQ->count(); ++row)
        if (u.ListQ->item(row)->isSelected())
            picked << u.ListQ->item(row)->text();
    u.lblselecte->setText(QString::number(picked.size()));
    u.cmdcopy->setEnabled(!picked.isEmpty());
    u.cmddel->setEnabled(!picked.isEmpty());
    u.ListCo->clear();
    u.ListCo->addItems(picked);
}

QStringList QuestionManagementPage::workList() const {
    QStringList entries;
    for (int row = 0; row < m_ui->ListCo->count(); ++row)
        entries << m_ui->ListCo->item(row)->text();
    return entries;
}

bool QuestionManagementPage::passwordAccepted() {
    switch (AskEditPassword(m_storedPassword(), m_typedBox)) {
    case EditPasswordAnswer::Match:
        return true;
    case EditPasswordAnswer::Mismatch:
        TellWrongEditPassword();
        return false;
    case EditPasswordAnswer::Cancelled:
        break;
    }
    return false;
}

bool QuestionManagementPage::runTransfer(const std::function<void()> &work, const QString &failedText) {
    for (;;) {
        try {
            work();
            return true;
        } catch (const MissingLesson &missing) {
            MsgBox(MissingLessonText.arg(missing.LessonName), Msg::vbExclamation, QString());
            return false;
        } catch (const Db::DbError &error) {
            // A wait the user declined was asked about already; the work list stays for another press.
            if (Db::TellIfBusy(error))
                return false;
            if (MsgBox(failedText, Msg::vbYesNo + Msg::vbExclamation, QString()) != Msg::vbYes)
                return false;
        }
    }
}

void QuestionManagementPage::backToSource() {
    // Adodc2 already stands on the source: the copy or delete opened it there.
    if (openLesson(m_adodc1, ui().Combofrom->currentText()))
        rebuildListQ();
    else
        ui().ListQ->clear();
}

void QuestionManagementPage::CopyQuestionsToLesson() {
    auto &u = ui();
    if (u.Comboin->currentIndex() < 0 || u.Comboin->currentText().isEmpty()) {
        MsgBox(NoTargetText);
        u.Comboin->setFocus();
        return;
    }
    if (!passwordAccepted())
        return;
    TransferCount = 0;
    if (MsgBox(CopyQuestionText, Msg::vbYesNo + Msg::vbQuestion, QString()) != Msg::vbYes)
        return;

    const QString target = u.Comboin->currentText();
    const QStringList entries = workList();
    CopyOutcome outcome;
    if (!entries.isEmpty()) {
        if (!runTransfer([&] { outcome = CopyEntries(m_adodc2, u.Combofrom->currentText(), target, entries); },
                         CopyFailedText))
            return;
        u.ListCo->clear();
        backToSource();
    }
    TransferCount = int16_t(std::min(outcome.Copied, int(INT16_MAX)));

    u.lblco->setText(QString::number(outcome.Copied));
    // Only the entries skipped as duplicates: an entry the source no longer holds is told apart.
    u.lblno->setText(QString::number(outcome.Duplicates));
    u.Label21->setText(targetCount(target));
    if (outcome.Missing > 0)
        MsgBox(NotCopiedText.arg(outcome.Missing), Msg::vbExclamation, QString());
}

void QuestionManagementPage::DeleteSelectedQuestions() {
    auto &u = ui();
    if (!passwordAccepted())
        return;
    if (MsgBox(DeleteQuestionText, Msg::vbYesNo + Msg::vbQuestion, QString()) != Msg::vbYes)
        return;

    const QStringList entries = workList();
    DeleteOutcome outcome;
    if (!entries.isEmpty()) {
        if (!runTransfer([&] { outcome = DeleteEntries(m_adodc2, u.Combofrom->currentText(), entries); },
                         DeleteFailedText))
            return;
        u.ListCo->clear();
    }
    backToSource();
    u.Label19->setText(m_adodc1.Recordset().IsOpen() ? QString::number(m_adodc1.Recordset().RecordCount()) : QString());
    if (outcome.Missing > 0)
        MsgBox(NotDeletedText.arg(outcome.Missing), Msg::vbExclamation, QString());
}
