#pragma once
// The common ground of the window tests: a fresh shared database on a temporary share, saved
// settings in a temporary folder, recorded message boxes and scripted modal windows.
#include <QDialog>
#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <vector>

#include "platform/MsgBox.h"

class QAbstractButton;

// Records every message box and answers it: scripted answers first, then the box's first button
// (but No to the question whether to wait on for a busy file).
class MsgBoxRecorder {
public:
    std::vector<Msg::Call> calls;
    std::deque<int> answers;
    void Answer(int result) { answers.push_back(result); }
    void Clear() { calls.clear(); }
    const Msg::Call &Last() const { return calls.back(); }
    int Handle(const Msg::Call &call);
};

// Modal windows in tests: the window is shown, and the script for its name (if any) runs while it is
// "open"; after a script the window is closed, as exec() returns only then. Without a script the
// window stays open and the caller goes on at once.
class ModalScripts {
public:
    using Script = std::function<void(QDialog &)>;
    std::vector<QString> opened;
    void On(const QString &windowName, Script script) { m_scripts[windowName] = std::move(script); }
    void Forget(const QString &windowName) { m_scripts.erase(windowName); }
    int Handle(QDialog &dialog);

private:
    std::map<QString, Script> m_scripts;
};

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The connections close once the test's own members, which may hold their queries, are gone.
    ~AppFixture() override;

    // The share root holds server/tellumo/tellumo.dll; ConnectionString points at it.
    QString ShareRoot() const;
    QString DatabasePath() const;
    // A new shared database at the usual place (demo content unless told otherwise).
    void MakeDatabase(bool demo = true);
    // A connection of the test's own, for setting up rows and checking them.
    QSqlDatabase TestDb();
    QVariant Scalar(const QString &sql, const QVariantList &values = {});
    void Exec(const QString &sql, const QVariantList &values = {});
    // A lesson with n questions (correct options 1..4 in turn), of which the first `marked` are marked.
    void MakeLesson(const QString &name, int questions, int marked = 0, bool active = true);
    // Presses an opener's choose button and, in the trainee picker it opens, double-clicks the trainee with this ID.
    void PickTrainee(QAbstractButton *chooseButton, int id);

    MsgBoxRecorder msgs;
    ModalScripts modal;
    // Exit codes of every App::End the code under test called (the program would have ended there).
    std::vector<int> ended;
    QTemporaryDir temp;
};

// What the user is told of a file that another workstation holds.
namespace BusyTexts {
inline const QString KeepWaiting =
    QStringLiteral(" پايگاه داده در حال استفاده کامپيوتر ديگري است . آيا منتظر آزاد شدن آن مي مانيد ؟ ");
inline const QString Busy = QStringLiteral(" پايگاه داده در حال استفاده کامپيوتر ديگري است . لطفا لحظاتي بعد دوباره سعي کنيد ");
} // namespace BusyTexts

// Another workstation holding the shared file: an exclusive lock taken from a connection of its own
// and released by a timer releaseAfterMs after the code under test first waits for it (never before,
// however slowly a loaded machine gets there). The timer fires only while the code under test lets
// the event loop run, so a release proves that its wait yielded. While the lock is held every shown
// window is asked to repaint now and then, and the paints that arrive are counted.
// With writes, the other workstation holds the write lock only (readers go on), runs them, and
// commits them at the release.
class FileLock : public QObject {
public:
    FileLock(const QString &path, int releaseAfterMs, const QStringList &writes = {});
    ~FileLock() override;
    void Release();
    bool Held() const { return m_held; }
    // The busy cursor was on when the timer released the lock.
    bool BusyCursorAtRelease() const { return m_busyCursorAtRelease; }
    int PaintsWhileHeld() const { return m_paints; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString m_name;
    bool m_commit = false;
    bool m_held = false;
    bool m_busyCursorAtRelease = false;
    int m_paints = 0;
};

// Lets queued work (deferred deletes, queued activations) run.
void ProcessEvents();

// Pastes text into a box as the user does: through the clipboard and Ctrl+V.
void Paste(QWidget *box, const QString &text);
// Whether bytes (a stored text read as a blob) are valid UTF-8, as other SQLite clients require.
bool IsValidUtf8(const QByteArray &bytes);
