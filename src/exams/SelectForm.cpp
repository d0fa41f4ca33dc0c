#include "exams/SelectForm.h"

#include <QHeaderView>

#include "platform/BusyMessages.h"
#include "platform/Bindings.h"
#include "platform/DataControl.h"
#include "platform/KeyFilter.h"
#include "platform/MsgBox.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"

using namespace Module1;

namespace {
// The picker sits this far below and to the right of its opener's top-left corner.
constexpr int BelowOpenerTwips = 3300;
constexpr int RightOfOpenerTwips = 1900;

void warn(const QString &text) { MsgBox(text, Msg::vbExclamation, QString()); }

void tellTraineesUnreadable(const Db::DbError &failure) {
    if (!Db::TellIfBusy(failure))
        warn(QStringLiteral(" فهرست کارآموزان اين کلاس از پايگاه داده خوانده نشد "));
}
} // namespace

bool SelectForm::OpenFor(FormBase &opener, DataControl &trainees, const TraineeBoxes &boxes) {
    trainees.ConnectionString = ConnectionString;
    trainees.CommandType = DataControl::adCmdText;
    trainees.RecordSource = SharedDatabase::SelectAll(SharedDatabase::TraineeTableName(ClassNumberText));
    try {
        trainees.Refresh();
    } catch (const Db::DbError &e) {
        tellTraineesUnreadable(e);
        return false;
    }
    if (trainees.Recordset().RecordCount() == 0) {
        warn(QStringLiteral(" هيچ کارآموزي ثبت نام نشده  لطفا ثبت نام کنيد "));
        return false;
    }
    SelectForm &picker = Forms::Get<SelectForm>();
    picker.SetOpener(boxes);
    picker.Move(opener.Left() + RightOfOpenerTwips, opener.Top() + BelowOpenerTwips);
    picker.ShowModal();
    return true;
}

bool SelectForm::CheckEntry(const TraineeBoxes &boxes, QWidget *selectButton) {
    if (boxes.name->text().trimmed().isEmpty()) {
        warn(QStringLiteral(" کارآموز مورد نظر خود را از ليست انتخاب کنيد "));
        if (selectButton && selectButton->isEnabled())
            selectButton->setFocus();
        return false;
    }
    // Exact: a trailing space or another letter case is a wrong code.
    if (boxes.entryCode->text() != boxes.nationalCode->text()) {
        warn(QStringLiteral("کد ملي خود را صحيح وارد کنيد "));
        boxes.entryCode->clear();
        boxes.entryCode->setReadOnly(false);
        boxes.entryCode->setEnabled(true);
        boxes.entryCode->setFocus();
        return false;
    }
    return true;
}

void SelectForm::Connect() {
    Adodc1 = new DataControl(Widget());
    Bindings::BindGrid(ui().DataGrid1, Adodc1,
                       {{QStringLiteral("  کد"), QStringLiteral("ID")},
                        {QStringLiteral("    نام خانوادگي"), QStringLiteral("family")},
                        {QStringLiteral("     نام "), QStringLiteral("name")},
                        {QStringLiteral("                کلاس"), QStringLiteral("clase")}});
    ui().DataGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    ui().DataGrid1->verticalHeader()->hide();
    On(*this, ui().DataGrid1, &QTableView::doubleClicked, [this] { PickTrainee(); });
    KeyFilter::Install(ui().DataGrid1, QString(), KeyFilter::Refused, [this] { PickTrainee(); },
                       [this] { Command1_Click(); });
    On(*this, ui().cmdfind, &QPushButton::clicked, [this] { cmdfind_Click(); });
    On(*this, ui().Command1, &QPushButton::clicked, [this] { Command1_Click(); });
}

void SelectForm::Form_Load() { loadList(); }

bool SelectForm::loadList() {
    Adodc1->ConnectionString = ConnectionString;
    Adodc1->CommandType = DataControl::adCmdText;
    Adodc1->RecordSource = QStringLiteral("SELECT ID,Name,Family,clase,codemeli FROM ") +
                           Db::QuoteIdent(SharedDatabase::TraineeTableName(ClassNumberText));
    try {
        Adodc1->Refresh();
        Adodc1->Recordset().Sort(QStringLiteral("ID"));
    } catch (const Db::DbError &e) {
        tellTraineesUnreadable(e);
        return false;
    }
    return true;
}

void SelectForm::cmdfind_Click() {
    const QString code = ui().T1->text().trimmed();
    if (code.isEmpty()) {
        warn(QStringLiteral(" لطفا کد کارآموزي را وارد کنيد "));
        ui().T1->setFocus();
        return;
    }
    // Trainee codes are whole numbers; anything else could never match and is not searched for.
    bool whole = false;
    const int id = code.toInt(&whole);
    if (!whole) {
        warn(QStringLiteral(" کد کارآموز بايد يک عدد صحيح باشد "));
        ui().T1->setFocus();
        return;
    }
    // The list is read again, so a find also sees trainees registered since the picker opened.
    if (!loadList())
        return;
    if (!Adodc1->Recordset().Find(QStringLiteral("ID"), id))
        MsgBox(QStringLiteral(" کارآموزي با اين کد در ليست يافت نشد  "), Msg::vbInformation, QString());
}

void SelectForm::Command1_Click() { Unload(); }

void SelectForm::PickTrainee() {
    Recordset &rs = Adodc1->Recordset();
    // An unsuccessful find leaves no row to take.
    if (!rs.IsOpen() || rs.IsBOF() || rs.IsEOF())
        return;
    const QString name = Bindings::DisplayText(rs.Value(QStringLiteral("Name"))) + QStringLiteral("  ") +
                         Bindings::DisplayText(rs.Value(QStringLiteral("Family")));
    SelectedTraineeName = name;
    if (m_opener.name)
        m_opener.name->setText(name);
    if (m_opener.nationalCode)
        m_opener.nationalCode->setText(Bindings::DisplayText(rs.Value(QStringLiteral("codemeli"))));
    if (m_opener.entryCode) {
        m_opener.entryCode->setVisible(true);
        // The code is what the trainee types next.
        m_opener.entryCode->setFocus();
    }
    Unload();
}
