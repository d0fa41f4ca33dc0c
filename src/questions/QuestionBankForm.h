#pragma once
// The question bank: a lesson's questions in a grid, one question on the details page, and the edit
// bar that adds questions. Two windows share this class; QuestionBankKind holds all they differ in.
#include "platform/Form.h"
#include "ui_QuestionBankForm.h"

class DataControl;
class QuestionManagementPage;
class QAction;
class QToolBar;

struct QuestionBankKind {
    QString caption;
    bool warnsWithoutLessons;    // load: no active lesson is told, and the rest of the set-up skipped
    bool choosesFirstLesson;     // load: the first lesson is chosen (twice)
    bool endsOnLoadFailure;      // load: a database failure ends the program
    bool hidesDetailsTab;        // load: the details tab is hidden too
    bool hasViewer;              // cmdq3 on the details page
    bool copiesLessonIntoMemory; // the lesson choice fills the question arrays; Toolbar3 steps them
    bool refreshBarMoves;        // the refresh bar runs 1..100 (else it stays at 0)
    bool showsRecordBoxes;       // every field has a bound box on the details page (else the display boxes)
    bool emptiesInputBoxes;      // input mode starts empty and unlocks every record box
    bool rereadsBeforeSave;      // the lesson's rows are read again before the new row is added
    bool managesQuestions;       // the management page copies and deletes (else it shows only its counters)
};

class QuestionBankForm : public UiForm<Ui::QuestionBankForm> {
public:
    // The fixed busy animation of the refresh: steps x turns yields (the benchmark sets it to 0).
    inline static int RefreshSteps = 100;
    inline static int RefreshTurns = 100;

    void DarsCombo_Click();
    void Cmd_Refresh_Click();
    void SSTab_Click(int tab);
    void Label5_Click();
    void Label11_Click();
    // Bar buttons by their 1-based index; other indexes do nothing.
    void Toolbar1_ButtonClick(int index);
    void Toolbar2_ButtonClick(int index);
    void Toolbar3_ButtonClick(int index);
    void Command4_Click();
    void DataGrid1_DblClick();
    void cmdq3_Click();

    // A bar's button by its 1-based index.
    QAction *Button(QToolBar *bar, int index);

    bool ListDirty() const { return m_listDirty; }
    int SavedPosition() const { return m_savedPosition; }
    int DetailsPosition() const { return m_detailsPosition; }

    DataControl *Adodc1 = nullptr; // the lesson list at load, then the chosen lesson's questions
    DataControl *Adodc2 = nullptr; // the management page's source lesson
    DataControl *Adodc3 = nullptr; // the management page's target lesson
    DataControl *Adodc4 = nullptr; // the settings row behind the access boxes and txtedit
    QuestionManagementPage *Management = nullptr; // tab 2

protected:
    QuestionBankForm(QString name, const QuestionBankKind &kind) : UiForm(std::move(name)), m_kind(kind) {}
    void Connect() override;
    void Disconnect() override;
    void Form_Load() override;
    // Each lesson that load lists also goes here (the management page's lesson lists).
    virtual void LessonListed(const QString &) {}

private:
    void openSources();
    void fillLessonList();
    void switchOffTabs(bool questionAccessOff);
    // Both are false when the window was closed during the refresh's animation.
    bool ChooseLesson();
    void CopyLessonIntoMemory();
    bool RunRefresh();
    void enableByRowCount(bool lessonChoice);
    void enableEditBar();
    void move(int index, bool hidesReveals);
    void stepDetails(int index);
    void ShowDetailsEntry(int entry);
    int rowCount();
    void hideReveals();
    void focusQuestion();

    void CancelInput();
    void DeleteQuestion();
    void SaveQuestion();
    void EditQuestion();
    void NewQuestion();
    void EnterInputMode();
    void LeaveInputMode();
    void lockRecordBoxes(bool locked);
    QVector<QWidget *> recordBoxes();
    QVector<QWidget *> inputBoxes();

    const QuestionBankKind &m_kind;
    bool m_lessonChosen = false;
    bool m_listDirty = false;
    int m_savedPosition = 0;
    int m_detailsPosition = 0;
};
