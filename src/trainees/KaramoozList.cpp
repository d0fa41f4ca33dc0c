#include "trainees/KaramoozList.h"

#include <QHeaderView>

#include "platform/Bindings.h"
#include "platform/Convert.h"
#include "platform/GridColumns.h"
#include "platform/DataControl.h"
#include "platform/MouseEvents.h"
#include "platform/MsgBox.h"
#include "platform/RecordMoves.h"
#include "shell/MainForm.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"
#include "trainees/FilterForm.h"
#include "trainees/KaramoozTexts.h"
#include "trainees/ListPrint.h"
#include "trainees/ProgressDelayLoop.h"

using namespace Module1;

using KaramoozTexts::Warn;

namespace {
// A back button keeps the mark of the mouse having been over it.
void markHovered(QPushButton *button) {
    QFont font = button->font();
    font.setBold(true);
    button->setFont(font);
}
} // namespace

void KaramoozList::Connect() {
    auto &u = ui();
    Adodc1 = new DataControl(Widget());
    Adodc2 = new DataControl(Widget());
    Adodc4 = new DataControl(Widget());

    Bindings::BindGrid(u.DataGrid1, Adodc1, KaramoozTexts::TraineeGridColumns());
    u.DataGrid1->verticalHeader()->hide();
    GridColumns::FitRowsInView(u.DataGrid1, 84);
    Bindings::Bind(u.NameBoxL, Adodc1, QStringLiteral("Name"));
    Bindings::Bind(u.FamilyBoxL, Adodc1, QStringLiteral("Family"));
    Bindings::Bind(u.txtk, Adodc4, QStringLiteral("karnameh"));

    On(*this, u.SSTab, &QTabWidget::currentChanged, [this](int tab) { SSTab_Click(tab); });
    OnClick(*this, u.Cmd_Radif, &KaramoozList::Cmd_Radif_Click);
    OnClick(*this, u.Cmd_Name, &KaramoozList::Cmd_Name_Click);
    OnClick(*this, u.Cmd_Family, &KaramoozList::Cmd_Family_Click);
    OnClick(*this, u.Cmd_FName, &KaramoozList::Cmd_FName_Click);
    OnClick(*this, u.Cmd_ShSh, &KaramoozList::Cmd_ShSh_Click);
    const QAction *buttons[] = {u.Button1, u.Button2, u.Button3, u.Button4};
    for (int index = 1; index <= 4; ++index)
        On(*this, buttons[index - 1], &QAction::triggered,
                         [this, index] { Toolbar1_ButtonClick(index); });
    OnClick(*this, u.Cmd_Refresh, &KaramoozList::Cmd_Refresh_Click);
    OnClick(*this, u.Cmd_Search, &KaramoozList::Cmd_Search_Click);
    OnClick(*this, u.Cmd_Print, &KaramoozList::Cmd_Print_Click);
    On(*this, u.DataGrid1, &QTableView::doubleClicked, [this] { DataGrid1_DblClick(); });
    OnClick(*this, u.Command5, &KaramoozList::Command5_Click);
    MouseEvents::Install(u.Command5, {.move = [this](Qt::MouseButton, Qt::MouseButtons, QPoint) {
                             Command5_MouseMove();
                         }});
    ConnectCards();
}

void KaramoozList::Disconnect() {
    Adodc1 = nullptr;
    Adodc2 = nullptr;
    Adodc4 = nullptr;
}

void KaramoozList::Form_Load() {
    auto &u = ui();
    u.lblsal->setText(SelectedYearText);
    u.lblclase->setText(SelectedClassName);

    Adodc1->ConnectionString = ConnectionString;
    LoadWholeClass();
    Adodc2->ConnectionString = ConnectionString;
    Adodc4->CommandType = DataControl::adCmdText;
    Adodc4->ConnectionString = ConnectionString;
    Adodc4->RecordSource = QStringLiteral("select * from setting");
    // Without the list there are no cards to open, so a file the user stopped waiting for is not
    // waited for (and asked about) a second time.
    if (!m_listBusy) {
        try {
            Adodc4->Refresh();
            // A settings row without the switch would read as "off" and say nothing.
            Adodc4->Recordset().RequireFields({QStringLiteral("karnameh")});
        } catch (const Db::DbError &error) {
            // The switch then reads 0: the report cards stay closed.
            KaramoozTexts::TellFailure(error, QStringLiteral(" تنظيمات برنامه از پايگاه داده خوانده نشد "));
        }
    }

    u.CountLAB->setText(QString::number(TraineeCount()));
    u.SSTab->setCurrentIndex(ListTab);
    SortList(QStringLiteral("ID"));
    EnableListCommands(TraineeCount() >= 1);
    if (UnlockedFlag == 0) {
        u.SSTab->setTabEnabled(ParticularsTab, false);
        u.cmdback->setEnabled(false);
        u.cmdnext->setEnabled(false);
    }
    if (AccessSwitch() == 0)
        u.SSTab->setTabEnabled(CardsTab, false);
    u.SSTab->setTabVisible(ParticularsTab, false);
    // The keys go to the list, not to the tab strip, whose arrows would turn to the report cards.
    u.DataGrid1->setFocus();
}

bool KaramoozList::LoadWholeClass() {
    Adodc1->CommandType = DataControl::adCmdText;
    Adodc1->RecordSource = SharedDatabase::SelectAll(SharedDatabase::TraineeTableName(ClassNumberText));
    Adodc1->RecordSourceValues.clear();
    return RefreshList();
}

bool KaramoozList::RefreshList() {
    m_listBusy = false;
    try {
        Adodc1->Refresh();
        return true;
    } catch (const Db::DbError &error) {
        m_listBusy = Db::IsBusyFailure(error);
        KaramoozTexts::TellFailure(error, KaramoozTexts::TraineesUnreadable);
        return false;
    }
}

int KaramoozList::TraineeCount() {
    const Recordset &list = Adodc1->Recordset();
    return list.IsOpen() ? list.RecordCount() : 0;
}

double KaramoozList::AccessSwitch() { return Convert::Val(ui().txtk->text()); }

void KaramoozList::EnableListCommands(bool on) {
    auto &u = ui();
    for (QAction *button : {u.Button1, u.Button2, u.Button3, u.Button4})
        button->setEnabled(on);
    u.Cmd_Refresh->setEnabled(on);
    u.Cmd_Print->setEnabled(on);
    u.Cmd_Search->setEnabled(on);
    u.SSTab->setTabEnabled(CardsTab, on);
}

// A class table without the field keeps its order; the list cannot be read as asked.
void KaramoozList::SortList(const QString &field) {
    try {
        if (Adodc1->Recordset().IsOpen())
            Adodc1->Recordset().Sort(field);
    } catch (const Db::DbError &error) {
        KaramoozTexts::TellFailure(error, KaramoozTexts::TraineesUnreadable);
    }
}

// The previous tab does not matter; the access switch is not looked at again here.
void KaramoozList::SSTab_Click(int tab) {
    if (tab == ListTab) {
        RefreshList();
        SortList(QStringLiteral("ID"));
        EnableListCommands(TraineeCount() > 0);
        ui().CountLAB->setText(QString::number(TraineeCount()));
        ui().T7->clear();
    } else if (tab == CardsTab) {
        LoadCards();
    }
}

void KaramoozList::Cmd_Radif_Click() { SortList(QStringLiteral("ID")); }
void KaramoozList::Cmd_Name_Click() { SortList(QStringLiteral("Name")); }
void KaramoozList::Cmd_Family_Click() { SortList(QStringLiteral("Family")); }
void KaramoozList::Cmd_FName_Click() { SortList(QStringLiteral("clase")); }
void KaramoozList::Cmd_ShSh_Click() { SortList(QStringLiteral("ShSH")); }

void KaramoozList::Toolbar1_ButtonClick(int index) {
    if (TraineeCount() > 0)
        RecordMoves::ByButton(Adodc1->Recordset(), index);
}

void KaramoozList::Cmd_Refresh_Click() { ReloadWholeClass(); }

void KaramoozList::Cmd_Search_Click() {
    if (!ReloadWholeClass())
        return;
    FilterForm::ShowFor(Adodc1, ui().SSTab);
}

// The count, the sort and the enabling stay as they were.
bool KaramoozList::ReloadWholeClass() {
    if (!ProgressDelayLoop(ui().PBar1))
        return false;
    LoadWholeClass();
    ResetProgressBar(ui().PBar1);
    return true;
}

void KaramoozList::Cmd_Print_Click() {
    if (!ProgressDelayLoop(ui().PBar1))
        return;
    ResetProgressBar(ui().PBar1);
    try {
        ListPrint::HandOver(*Adodc1);
    } catch (const Db::DbError &error) {
        KaramoozTexts::TellFailure(error, QStringLiteral(" ليست کارآموزان براي چاپ از پايگاه داده خوانده نشد "));
    }
}

// Only the switch's "on" opens the report cards from the list.
void KaramoozList::DataGrid1_DblClick() {
    if (TraineeCount() > 0 && AccessSwitch() == -1)
        ui().SSTab->setCurrentIndex(CardsTab);
}

void KaramoozList::Command5_Click() { BackToMainMenu(); }
void KaramoozList::Command4_Click() { BackToMainMenu(); }
void KaramoozList::Command5_MouseMove() { markHovered(ui().Command5); }
void KaramoozList::Command4_MouseMove() { markHovered(ui().Command4); }

void KaramoozList::BackToMainMenu() {
    Unload();
    Forms::Get<MainForm>().Show();
}
