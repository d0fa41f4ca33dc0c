#pragma once
// The report-card chart: one exam result from the shared state, its score from the current saved
// points, and the answers charted as percentages of the questions, which can be saved as a picture.
// Openers fill the shared result (ReportExamDate too) before the window loads; after an exam the
// opener enables Command1 once the window is loaded and before it is shown.
#include "platform/Form.h"
#include "ui_ChartForm.h"

class ChartForm : public UiForm<Ui::ChartForm> {
public:
    ChartForm() : UiForm(QStringLiteral("ChartForm")) {}

    void StyleBox_Click();
    void Cmd_SaveChart_Click();
    void Command1_Click();
    void Cmd_End_Click();

    // Where the save dialog opens: the Chart folder beside the program.
    static QString ChartFolder();
    // The program's folder; tests give each run a folder of its own (empty: the program's own).
    static QString ProgramFolder();
    static void SetProgramFolder(const QString &folder);

protected:
    void Connect() override;
    void Form_Load() override;
    void Form_Unload() override;

private:
    bool m_reviewWhenClosed = false;
};
