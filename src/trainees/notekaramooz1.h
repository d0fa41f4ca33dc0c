#pragma once
// The research notes: the notes of every class filed under the headings of the shared database.
// Anyone browses them by heading; a trainee confirmed in the new-note dialog files a new one.
// The headings themselves are only read here.
#include "platform/Form.h"
#include "ui_notekaramooz1.h"

class DataControl;
class QLineEdit;
class QTextEdit;

class notekaramooz1 : public UiForm<Ui::notekaramooz1> {
public:
    // The tabs of SSTab1.
    enum Tab { HeadingTab = 0, NotesTab = 1, NoteTab = 2 };

    notekaramooz1() : UiForm(QStringLiteral("notekaramooz1")) {}

    void Combo2_Click();
    void Command20_Click();
    void Command21_Click();
    void Command1_Click();
    void Command3_Click();
    void Command2_Click();
    void DataGrid4_Click();
    void DataGrid4_DblClick();
    void cmdnew_Click();
    void cmd33_Click();
    void cmd11_Click();

protected:
    void Connect() override;
    void Disconnect() override;
    void Form_Load() override;

private:
    // Opens a data control on an SQL text; false (the user told) when the database refuses.
    bool open(DataControl &data, const QString &source);
    void fillHeadings();
    void sortNotes(const QString &field);
    // The heading at the list's current index; empty while none is chosen.
    QString chosenHeading();
    // The note's fields that the program fills: shown in the box and put into the pending row.
    void setBound(QLineEdit *box, const QString &field, const QString &value);
    void setBound(QTextEdit *box, const QString &field, const QString &value);
    void setTabOn(Tab tab, bool on);
    // Save and Cancel end the entry: no more Save or Cancel, every box locked again.
    void endEntry();

    DataControl *Adodc7 = nullptr;  // the notes
    DataControl *Adodc10 = nullptr; // the headings
    DataControl *Adodc11 = nullptr; // the settings row
};
