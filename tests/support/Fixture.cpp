#include "Fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QStringDecoder>
#include <QDir>
#include <QCursor>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>
#include <QWidget>

#include "platform/App.h"
#include "exams/SelectForm.h"
#include "platform/Db.h"
#include "platform/Form.h"
#include "platform/Modal.h"
#include "platform/SavedSettings.h"
#include "platform/Share.h"
#include "platform/SingleInstance.h"
#include "shell/ConnectionText.h"
#include "shell/DemoData.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"

void ProcessEvents() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

void Paste(QWidget *box, const QString &text) {
    QGuiApplication::clipboard()->setText(text);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

bool IsValidUtf8(const QByteArray &bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(bytes);
    return !decoder.hasError();
}

int MsgBoxRecorder::Handle(const Msg::Call &call) {
    calls.push_back(call);
    if (!answers.empty()) {
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    // A wait that never ends (a lock no one releases) fails its test instead of hanging it.
    if (call.text == BusyTexts::KeepWaiting)
        return Msg::vbNo;
    return (call.style & 0x7) == Msg::vbYesNo || (call.style & 0x7) == Msg::vbYesNoCancel ? Msg::vbYes : Msg::vbOK;
}

int ModalScripts::Handle(QDialog &dialog) {
    const QString name = dialog.objectName();
    opened.push_back(name);
    QPointer<QDialog> window(&dialog);
    dialog.show();
    QCoreApplication::processEvents(); // the first activation
    auto it = m_scripts.find(name);
    if (it == m_scripts.end())
        return 0;
    Script script = it->second;
    script(dialog);
    if (window && window->isVisible())
        window->close();
    return 0;
}

void AppFixture::SetUp() {
    ASSERT_TRUE(temp.isValid());
    QDir(temp.path()).mkpath(QStringLiteral("shares/server/tellumo"));
    QDir(temp.path()).mkpath(QStringLiteral("config"));
    Share::SetRoot(temp.filePath(QStringLiteral("shares")));
    SavedSettings::SetFolder(temp.filePath(QStringLiteral("config")));
    SingleInstance::SetLockPath(temp.filePath(QStringLiteral("tellumo.lock")));
    Msg::SetHandler([this](const Msg::Call &call) { return msgs.Handle(call); });
    Modal::SetHandler([this](QDialog &dialog) { return modal.Handle(dialog); });
    App::SetEndHandler([this](int code) { ended.push_back(code); });
    Module1::ResetAll();
    Module1::ConnectionString = ConnectionText::For(QStringLiteral("server"));
    // Long enough for the locks the tests release, short enough that a wait that hangs fails soon.
    Db::SetBusyPatience(3000);
}

void AppFixture::TearDown() {
    Forms::DestroyAll();
    ProcessEvents();
    for (QWidget *w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible()) << "a window was left open: " << w->objectName().toStdString();
    for (QWidget *w : QApplication::topLevelWidgets())
        delete w;
    Db::SetBusyPatience(Db::BusyTimeoutMs);
    Msg::SetHandler(nullptr);
    Modal::SetHandler(nullptr);
    App::SetEndHandler(nullptr);
    SingleInstance::Release();
    Share::SetRoot(QString());
    SavedSettings::SetFolder(QString());
    Module1::ResetAll();
}

AppFixture::~AppFixture() {
    Db::CloseAll();
}

QString AppFixture::ShareRoot() const { return temp.filePath(QStringLiteral("shares")); }

QString AppFixture::DatabasePath() const {
    return temp.filePath(QStringLiteral("shares/server/tellumo/") + ConnectionText::DatabaseFileName);
}

void AppFixture::MakeDatabase(bool demo) {
    SharedDatabase::CreateFile(DatabasePath(), DemoData::EditPassword);
    if (demo)
        DemoData::Fill(TestDb());
}

QSqlDatabase AppFixture::TestDb() {
    const QString name = QStringLiteral("fixture");
    if (QSqlDatabase::contains(name)) {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isOpen())
            return db;
    }
    return SharedDatabase::OpenFile(DatabasePath(), name);
}

QVariant AppFixture::Scalar(const QString &sql, const QVariantList &values) {
    QSqlQuery query = Db::Exec(TestDb(), sql, values);
    return query.next() ? query.value(0) : QVariant();
}

void AppFixture::Exec(const QString &sql, const QVariantList &values) { Db::Exec(TestDb(), sql, values); }

void AppFixture::MakeLesson(const QString &name, int questions, int marked, bool active) {
    QSqlDatabase db = TestDb();
    Db::Transaction transaction(db);
    Db::Exec(db, QStringLiteral("INSERT INTO droos (name, yn) VALUES (?, ?)"),
             {name, active ? QStringLiteral("-1") : QStringLiteral("0")});
    SharedDatabase::CreateQuestionTable(db, name);
    for (int i = 1; i <= questions; ++i)
        SharedDatabase::AddQuestion(db, name,
                                    {QStringLiteral("Question %1").arg(i), QStringLiteral("A%1-1").arg(i),
                                     QStringLiteral("A%1-2").arg(i), QStringLiteral("A%1-3").arg(i),
                                     QStringLiteral("A%1-4").arg(i), QStringLiteral("Why %1").arg(i)},
                                    (i - 1) % 4 + 1, i <= marked);
    transaction.Commit();
}

FileLock::FileLock(const QString &path, int releaseAfterMs, const QStringList &writes) : m_commit(!writes.isEmpty()) {
    static int count = 0;
    m_name = QStringLiteral("other-workstation-%1").arg(++count);
    QSqlDatabase db = SharedDatabase::OpenFile(path, m_name);
    QSqlQuery lock(db);
    m_held = lock.exec(m_commit ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN EXCLUSIVE"));
    for (const QString &sql : writes)
        EXPECT_TRUE(QSqlQuery(db).exec(sql)) << sql.toStdString();
    EXPECT_TRUE(m_held) << "the test could not lock the file";
    QCoreApplication::instance()->installEventFilter(this);
    auto *repaint = new QTimer(this);
    QObject::connect(repaint, &QTimer::timeout, this, [this] {
        if (!m_held)
            return;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible())
                w->update();
    });
    repaint->start(20);
    // The hold is counted from the first wait for it, however long a loaded machine takes to get there.
    Db::SetWaitObserver([this, releaseAfterMs] {
        Db::SetWaitObserver(nullptr);
        QTimer::singleShot(releaseAfterMs, this, [this] {
            m_busyCursorAtRelease =
                QGuiApplication::overrideCursor() && QGuiApplication::overrideCursor()->shape() == Qt::BusyCursor;
            Release();
        });
    });
}

FileLock::~FileLock() {
    Release();
    QSqlDatabase::removeDatabase(m_name);
}

void FileLock::Release() {
    Db::SetWaitObserver(nullptr);
    if (!m_held)
        return;
    m_held = false;
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    QSqlQuery end(db);
    EXPECT_TRUE(end.exec(m_commit ? QStringLiteral("COMMIT") : QStringLiteral("ROLLBACK")));
    db.close();
}

bool FileLock::eventFilter(QObject *watched, QEvent *event) {
    if (m_held && event->type() == QEvent::Paint && watched->isWidgetType())
        ++m_paints;
    return false;
}

void AppFixture::PickTrainee(QAbstractButton *chooseButton, int id) {
    modal.On(QStringLiteral("SelectForm"), [id](QDialog &) {
        QTableView *grid = Forms::Get<SelectForm>().ui().DataGrid1;
        for (int row = 0; row < grid->model()->rowCount(); ++row)
            if (grid->model()->index(row, 0).data().toInt() == id) {
                const QRect cell = grid->visualRect(grid->model()->index(row, 0));
                QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
                QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
                return;
            }
        ADD_FAILURE() << "no trainee " << id;
    });
    QTest::mouseClick(chooseButton, Qt::LeftButton);
    modal.Forget(QStringLiteral("SelectForm"));
}
