#include "exams/ExamForm.h"

#include <QSizePolicy>
#include <optional>

#include "platform/BusyMessages.h"
#include "exams/RunExamForm.h"
#include "platform/Bindings.h"
#include "platform/Convert.h"
#include "platform/DataControl.h"
#include "platform/MsgBox.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"

using namespace Module1;

namespace {
void warn(const QString &text) { MsgBox(text, Msg::vbExclamation, QString()); }

// Opens a data control on an SQL text; throws Db::DbError.
void open(DataControl &data, const QString &source) {
    data.ConnectionString = ConnectionString;
    data.CommandType = DataControl::adCmdText;
    data.RecordSource = source;
    data.Refresh();
}

// The rows of a table (and condition), counted by the database: a large lesson's questions are not
// read in only to be counted. Throws Db::DbError.
int countOf(DataControl &data, const QString &table, const QString &condition = QString()) {
    data.ConnectionString = ConnectionString;
    return data.CountRows(table, condition);
}

// A saved exam parameter is a byte that must not be 0: anything else would make an exam of the
// wrong size or length, so it is refused instead.
std::optional<uint8_t> savedByte(const QString &text) {
    try {
        const uint8_t value = Convert::CByte(text);
        if (value > 0)
            return value;
    } catch (const Convert::ConversionError &) {
    }
    return std::nullopt;
}
} // namespace

void ExamForm::Connect() {
    Adodc1 = new DataControl(Widget());
    Adodc2 = new DataControl(Widget());
    Adodc3 = new DataControl(Widget());
    Adodc4 = new DataControl(Widget());
    Bindings::Bind(ui().txttellumo, Adodc4, QStringLiteral("tellumo"));
    // The list's width comes from the layout, not from measuring every lesson's name at the first show.
    ui().DarsCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    // The entry code's row keeps its height while the box is hidden: a pick must not move the buttons.
    QSizePolicy entryCode = ui().Text7->sizePolicy();
    entryCode.setRetainSizeWhenHidden(true);
    ui().Text7->setSizePolicy(entryCode);
    On(*this, ui().DarsCombo, &QComboBox::activated, [this] { CheckLessonBank(); });
    On(*this, ui().Cmd_Select, &QPushButton::clicked, [this] { Cmd_Select_Click(); });
    On(*this, ui().Cmd_Start, &QPushButton::clicked, [this] { Cmd_Start_Click(); });
    On(*this, ui().Cmd_Cancel, &QPushButton::clicked, [this] { Cmd_Cancel_Click(); });
}

void ExamForm::Disconnect() { Adodc1 = Adodc2 = Adodc3 = Adodc4 = nullptr; }

void ExamForm::Form_Load() {
    const bool usable = loadSavedParameters();
    StartMode = 0;
    CurrentLessonName.clear();
    fillLessons();
    ui().DarsCombo->setEnabled(usable);
}

bool ExamForm::loadSavedParameters() {
    const QString count = GetSetting(QStringLiteral("Qusetion_Count"));
    const QString seconds = GetSetting(QStringLiteral("Answer_Time"));
    const std::optional<uint8_t> countByte = savedByte(count);
    const std::optional<uint8_t> secondsByte = savedByte(seconds);

    QuestionCount = countByte.value_or(0);
    ui().Text2->setText(countByte ? QString::number(QuestionCount) : count);
    ui().Text3->setText(seconds);
    SecondsPerQuestion = secondsByte.value_or(0);
    // Cut, not rounded: 13.3333333333333 minutes shows as 13.33.
    TotalMinutesText = countByte && secondsByte
                           ? Convert::NumberText(QuestionCount * Convert::Val(seconds) / 60).left(5)
                           : QString();
    ui().Text4->setText(TotalMinutesText);

    if (!countByte)
        warn(QStringLiteral(" تعداد سوالات آزمون در تنظيمات برنامه معتبر نيست (بايد عددي از 1 تا 255 باشد) "
                            "و امکان برگزاري آزمون وجود ندارد "));
    if (!secondsByte)
        warn(QStringLiteral(" زمان پاسخ براي هر سوال در تنظيمات برنامه معتبر نيست (بايد عددي از 1 تا 255 ثانيه "
                            "باشد) و امکان برگزاري آزمون وجود ندارد "));
    return countByte && secondsByte;
}

void ExamForm::fillLessons() {
    try {
        open(*Adodc1, QStringLiteral("SELECT * FROM droos where yn='") + QStringLiteral("-1'"));
        // Added at once: the list is laid out once however many lessons there are.
        QStringList names;
        for (Recordset &lessons = Adodc1->Recordset(); !lessons.IsEOF(); lessons.MoveNext())
            names << Bindings::DisplayText(lessons.Value(QStringLiteral("name")));
        ui().DarsCombo->addItems(names);
        ui().DarsCombo->setCurrentIndex(-1);
        open(*Adodc4, QStringLiteral("select * from setting"));
    } catch (const Db::BusyError &) {
        Db::TellBusy();
    } catch (const Db::DbError &) {
        warn(QStringLiteral(" اطلاعات آزمون از پايگاه داده خوانده نشد "));
    }
}

void ExamForm::CheckLessonBank() {
    auto &u = ui();
    const QString lessonTable = SharedDatabase::QuestionTableName(u.DarsCombo->currentText());
    for (QWidget *control : {static_cast<QWidget *>(u.Cmd_Select), static_cast<QWidget *>(u.Option1),
                             static_cast<QWidget *>(u.Option2), static_cast<QWidget *>(u.Cmd_Start)})
        control->setEnabled(false);

    int marked = 0;
    try {
        const int count = countOf(*Adodc2, lessonTable);
        u.Text1->setText(QString::number(count));
        if (count == 0) {
            warn(QStringLiteral(" هيچ سوالي براي اين درس ثبت نشده.لطفا درس ديگري را براي آزمون انتخاب کنيد "));
            u.DarsCombo->setFocus();
            return;
        }
        // Equal is enough: a bank of exactly the exam's size passes.
        if (Convert::Val(u.Text2->text()) > count) {
            warn(QStringLiteral(" سوالات موجود در بانک کمتر از سوالات مورد نياز براي آزمون است "));
            u.DarsCombo->setFocus();
            return;
        }
        marked = countOf(*Adodc2, lessonTable, SharedDatabase::MarkedRows);
    } catch (const Db::DbError &e) {
        u.Text1->clear();
        if (!Db::TellIfBusy(e))
            warn(QStringLiteral(" سوالات اين درس در پايگاه داده پيدا نشد.لطفا درس ديگري را براي آزمون انتخاب کنيد "));
        u.DarsCombo->setFocus();
        return;
    }

    if (Convert::Val(u.txttellumo->text()) == -1)
        u.Cmd_Select->setEnabled(true);
    u.Cmd_Start->setEnabled(true);
    // The questions chosen before can be kept only when the last draw marked exactly as many.
    u.Option1->setEnabled(marked == Convert::Val(u.Text2->text()));
    u.Option2->setEnabled(true);
    u.Option2->setChecked(true);
}

TraineeBoxes ExamForm::traineeBoxes() { return {ui().Text5, ui().Text6, ui().Text7}; }

void ExamForm::Cmd_Select_Click() { SelectForm::OpenFor(*this, *Adodc3, traineeBoxes()); }

void ExamForm::Cmd_Start_Click() {
    if (!SelectForm::CheckEntry(traineeBoxes(), ui().Cmd_Select))
        return;
    CurrentLessonName = ui().DarsCombo->currentText();
    SelectedTraineeName = ui().Text5->text();
    EnteredNationalCode = ui().Text7->text();
    if (ui().Option1->isChecked())
        StartMode = 1;
    else if (ui().Option2->isChecked())
        StartMode = 2;
    Unload();
    Forms::Get<RunExamForm>().ShowModal();
}

void ExamForm::Cmd_Cancel_Click() { Unload(); }
