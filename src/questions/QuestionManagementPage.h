#pragma once
// The management page of the question bank windows: a source and a target lesson, the questions of
// the source to pick, and the copy of the picked questions to the target (skipping what it holds) or
// their deletion from the source. The bank window shows only the counters.
#include <QWidget>
#include <functional>
#include <memory>

#include "questions/EditPassword.h"

class DataControl;
class QLineEdit;
namespace Ui {
class QuestionManagementPage;
}

class QuestionManagementPage : public QWidget {
    Q_OBJECT
public:
    enum Layout { FullPage, CountersOnly };
    // The data sources are the host window's: adodc1 is shared with its list page, adodc2 holds the
    // working rows of a copy or delete, adodc3 counts the target lesson. The password is asked
    // against storedPassword's text, the typed text going into typedBox (the host's hidden box).
    QuestionManagementPage(Layout layout, DataControl &adodc1, DataControl &adodc2, DataControl &adodc3,
                           std::function<QString()> storedPassword, QLineEdit *typedBox, QWidget *parent);
    ~QuestionManagementPage() override;

    Ui::QuestionManagementPage &ui() { return *m_ui; }

    // The host's load lists each active lesson in both lesson lists.
    void AddLesson(const QString &name);

    void Combofrom_Click();
    void Comboin_Click();
    void ListQ_Click();
    void cmdcopy_Click() { CopyQuestionsToLesson(); }
    void cmddel_Click() { DeleteSelectedQuestions(); }
    void CopyQuestionsToLesson();
    void DeleteSelectedQuestions();

private:
    void removeAllButCounters();
    bool passwordAccepted();
    // Opens a data control on a lesson's questions; false (after telling the user) when it cannot.
    bool openLesson(DataControl &data, const QString &lessonName);
    // Runs a read of a lesson's questions; false (after telling the user) when it fails.
    bool readLesson(const QString &lessonName, const std::function<void()> &read);
    // The target lesson's number of questions as Label21 shows it; empty (the user told) when unread.
    QString targetCount(const QString &lessonName);
    // Adds every question of Adodc1 to ListQ, in order; rebuilding clears it first.
    void fillListQ();
    void rebuildListQ();
    // Source and work list back on the source lesson after a copy or delete.
    void backToSource();
    QStringList workList() const;
    // Runs one copy or delete until it is done, or the user gives it up; false when nothing was written.
    bool runTransfer(const std::function<void()> &work, const QString &failedText);

    std::unique_ptr<Ui::QuestionManagementPage> m_ui;
    DataControl &m_adodc1;
    DataControl &m_adodc2;
    DataControl &m_adodc3;
    std::function<QString()> m_storedPassword;
    QLineEdit *m_typedBox;
};
