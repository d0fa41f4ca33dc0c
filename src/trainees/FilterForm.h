#pragma once
// The trainee search: finds one trainee of the class by national code and opens his report cards
// (when they are switched on) in the trainee list, or narrows the list to the trainees whose
// particulars match. It has no data of its own; it works on the list's data control and tabs.
// Leaving only hides it, so the mode, the enabled boxes and every text are still there next time.
#include <QPointer>
#include <QTabWidget>

#include "platform/DataControl.h"
#include "platform/Form.h"
#include "ui_FilterForm.h"

class FilterForm : public UiForm<Ui::FilterForm> {
public:
    FilterForm() : UiForm(QStringLiteral("FilterForm")) {}

    // The list's tabs: the trainee list and the report cards of its current trainee.
    static constexpr int TraineeListTab = 0;
    static constexpr int ReportCardTab = 2;

    // The trainee list's search command: shows the search modally over that list.
    static void ShowFor(DataControl *trainees, QTabWidget *tabs);

    void Option1_Click();
    void Option2_Click();
    void cmd_find_Click();
    void Cmd_Cancel_Click();

protected:
    void Connect() override;
    void Form_Load() override;
    // The close box hides the window and keeps it loaded.
    bool Form_QueryUnload() override;

private:
    // Neither mode clears a text.
    void chooseMode(bool byCode);
    // The code box, or the first-name box when searching by particulars.
    void focusFirstBox();
    void findByCode();
    void findByParticulars();
    // The list's record source and its bound values, run at once.
    void showInList(const QString &source, const QVariantList &values);

    QPointer<DataControl> m_trainees;
    QPointer<QTabWidget> m_tabs;
};
