#pragma once
// The trainee list of the class chosen in the main menu, with the report cards of the current
// trainee on its last tab (KaramoozCards.cpp). It only reads the database. The trainee search works
// directly on Adodc1 (record source and bound values, find, position) and on ui().SSTab, whose tab
// changes run the same steps as a click.
#include "platform/Form.h"
#include "ui_KaramoozList.h"

class DataControl;
class QAbstractButton;
class QProgressBar;

class KaramoozList : public UiForm<Ui::KaramoozList> {
public:
    // The tabs of SSTab.
    enum Tab { ListTab = 0, ParticularsTab = 1, CardsTab = 2 };

    KaramoozList() : UiForm(QStringLiteral("KaramoozList")) {}

    // The card query of a class: the trainee's national code is its one bound value.
    static QString CardSource(const QString &classNumberText);

    // The class's trainees; the current one is the current record.
    DataControl *Adodc1 = nullptr;
    // The current trainee's report cards.
    DataControl *Adodc2 = nullptr;
    // The settings row, for the report-card access switch in txtk.
    DataControl *Adodc4 = nullptr;

    // The trainee list.
    void SSTab_Click(int tab);
    void Cmd_Radif_Click();
    void Cmd_Name_Click();
    void Cmd_Family_Click();
    void Cmd_FName_Click();
    void Cmd_ShSh_Click();
    void Toolbar1_ButtonClick(int index);
    void Cmd_Refresh_Click();
    void Cmd_Search_Click();
    void Cmd_Print_Click();
    void DataGrid1_DblClick();
    void Command5_Click();
    void Command5_MouseMove();

    // The report cards.
    void Cmd_D_Name_Click();
    void Cmd_ExDate_Click();
    void DataGrid2_Click();
    void cmdback_Click();
    void cmdnext_Click();
    void Cmd_ReMake_Click();
    void Cmd_ShowChart_Click();
    void Command4_Click();
    void Command4_MouseMove();

protected:
    void Connect() override;
    void Disconnect() override;
    void Form_Load() override;

private:
    void ConnectCards();
    // Cmd_Refresh: the busy animation, then the whole class; false when the press was dropped.
    bool ReloadWholeClass();
    // The whole class again; false (the user told) when it cannot be read.
    bool LoadWholeClass();
    // Runs the list's current query again; false (the user told) when it cannot be read.
    bool RefreshList();
    int TraineeCount();
    // The report-card switch: -1 on, 0 off; the number at the start of txtk.
    double AccessSwitch();
    // The moves, sort and reload buttons and tab 2 follow whether the class has trainees.
    void EnableListCommands(bool on);
    void SortList(const QString &field);
    void SortCards(const QString &field);
    // The report cards of the current trainee; nothing when the class has none.
    void LoadCards();
    // The same, without the class check; no card when no trainee is current.
    void ShowCards();
    // Previous (-1) or next (1) trainee, staying on the first or last.
    void StepTrainee(int direction);
    void BackToMainMenu();

    // The last reading of the list was given up while another workstation held the file.
    bool m_listBusy = false;
};
