#include "shell/SharedDatabase.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

#include "platform/Db.h"

namespace SharedDatabase {

QString QuestionTableName(const QString &lessonName) {
    QString name = lessonName;
    name.remove(u' ');
    return QStringLiteral("Q") + name;
}

QString TraineeTableName(const QString &classNumberText) { return QStringLiteral("Karamooz") + classNumberText; }

QString ReportCardTableName(const QString &classNumberText) { return QStringLiteral("Karnameh") + classNumberText; }

QString SelectAll(const QString &table) { return QStringLiteral("SELECT * FROM ") + Db::QuoteIdent(table); }

namespace {
QString yesNo(const char *field, int initial) {
    return QStringLiteral("%1 INTEGER NOT NULL DEFAULT %2 CHECK (%1 IN (-1, 0))").arg(QLatin1String(field)).arg(initial);
}
} // namespace

void CreateQuestionTable(const QSqlDatabase &db, const QString &lessonName) {
    Db::Exec(db, QStringLiteral("CREATE TABLE ") + Db::QuoteIdent(QuestionTableName(lessonName)) +
                     QStringLiteral(" (ID INTEGER PRIMARY KEY AUTOINCREMENT, Question TEXT, Answer1 TEXT, "
                                    "Answer2 TEXT, Answer3 TEXT, Answer4 TEXT, TrueAnswer INTEGER, Answer5 TEXT, ") +
                     yesNo("AfterRun", 0) + u')');
}

void AddQuestion(const QSqlDatabase &db, const QString &lessonName, const QStringList &texts,
                 const QVariant &trueAnswer, bool marked) {
    Db::Exec(db,
             QStringLiteral("INSERT INTO ") + Db::QuoteIdent(QuestionTableName(lessonName)) +
                 QStringLiteral(" (Question, Answer1, Answer2, Answer3, Answer4, Answer5, TrueAnswer, AfterRun) "
                                "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
             {texts.value(0), texts.value(1), texts.value(2), texts.value(3), texts.value(4), texts.value(5),
              trueAnswer, Db::YesNo(marked)});
}

void CreateClassTables(const QSqlDatabase &db, const QString &classNumberText) {
    Db::Exec(db, QStringLiteral("CREATE TABLE ") + Db::QuoteIdent(TraineeTableName(classNumberText)) +
                     QStringLiteral(" (ID INTEGER, Name TEXT, Family TEXT, fathername TEXT, clase TEXT, "
                                    "codemeli INTEGER, ShSH TEXT, Sabtdate DATE, Jensiyat TEXT, BirthDate TEXT, "
                                    "codmeli TEXT, Address TEXT, Pic TEXT)"));
    Db::Exec(db, QStringLiteral("CREATE TABLE ") + Db::QuoteIdent(ReportCardTableName(classNumberText)) +
                     QStringLiteral(" (name TEXT, codemeli TEXT, KID INTEGER, Lesson TEXT, ExamDate TEXT, "
                                    "QCount INTEGER, AnswerTime TEXT, FullTime TEXT, TAnswer INTEGER, "
                                    "FAnswer INTEGER, NAnswer INTEGER, Emtiyaz INTEGER)"));
    Db::Exec(db, QStringLiteral("CREATE INDEX ") + Db::QuoteIdent(ReportCardTableName(classNumberText) + "_KID") +
                     QStringLiteral(" ON ") + Db::QuoteIdent(ReportCardTableName(classNumberText)) +
                     QStringLiteral(" (KID)"));
}

QSqlDatabase OpenFile(const QString &path, const QString &connectionName) {
    return Db::OpenChecked(path, connectionName);
}

void CreateFile(const QString &path, const QString &editPassword) {
    if (QFileInfo::exists(path))
        throw Db::DbError(QStringLiteral("the file exists already: ") + path);
    const QString name = QStringLiteral("create-") + path;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open())
            throw Db::DbError(QStringLiteral("cannot create ") + path);
        try {
            // A rollback journal: network shares do not support the write-ahead log.
            Db::Exec(db, QStringLiteral("PRAGMA journal_mode=DELETE"));
            Db::Exec(db, QStringLiteral("PRAGMA application_id=%1").arg(Db::ApplicationId));
            Db::Transaction transaction(db);
            Db::Exec(db, QStringLiteral("CREATE TABLE setting (") + yesNo("tellumo", -1) + u',' +
                             yesNo("Question", -1) + u',' + yesNo("Questionp", -1) + u',' + yesNo("Questiont", -1) +
                             u',' + yesNo("Questionn", -1) + u',' + yesNo("karnameh", -1) +
                             QStringLiteral(", passedit TEXT)"));
            Db::Exec(db, QStringLiteral("INSERT INTO setting (passedit) VALUES (?)"), {editPassword});
            Db::Exec(db, QStringLiteral("CREATE TABLE droos (name TEXT, yn TEXT)"));
            Db::Exec(db, QStringLiteral("CREATE TABLE clase (name TEXT)"));
            for (int c = 1; c <= ClassCount; ++c)
                CreateClassTables(db, QString::number(c));
            Db::Exec(db, QStringLiteral("CREATE TABLE notekaramooz (ID INTEGER PRIMARY KEY AUTOINCREMENT, "
                                        "title TEXT, source TEXT, context TEXT, relation TEXT, name TEXT, kid TEXT)"));
            Db::Exec(db, QStringLiteral("CREATE TABLE relationnotekar (id INTEGER PRIMARY KEY AUTOINCREMENT, "
                                        "name TEXT)"));
            transaction.Commit();
        } catch (...) {
            db.close();
            QSqlDatabase::removeDatabase(name);
            QFile::remove(path);
            throw;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace SharedDatabase
