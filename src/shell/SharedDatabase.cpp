#include "shell/SharedDatabase.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlQuery>

#include "platform/Db.h"
#include "platform/Schema.h"

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

// Each table's fields, as CREATE TABLE declares them: the one place that names them.
QString settingFields() {
    return yesNo("tellumo", -1) + u',' + yesNo("Question", -1) + u',' + yesNo("Questionp", -1) + u',' +
           yesNo("Questiont", -1) + u',' + yesNo("Questionn", -1) + u',' + yesNo("karnameh", -1) +
           QStringLiteral(", passedit TEXT");
}
QString lessonListFields() { return QStringLiteral("name TEXT, yn TEXT"); }
QString classListFields() { return QStringLiteral("name TEXT"); }
QString questionFields() {
    return QStringLiteral("ID INTEGER PRIMARY KEY AUTOINCREMENT, Question TEXT, Answer1 TEXT, Answer2 TEXT, "
                          "Answer3 TEXT, Answer4 TEXT, TrueAnswer INTEGER, Answer5 TEXT, ") +
           yesNo("AfterRun", 0);
}
QString traineeFields() {
    return QStringLiteral("ID INTEGER, Name TEXT, Family TEXT, fathername TEXT, clase TEXT, codemeli INTEGER, "
                          "ShSH TEXT, Sabtdate DATE, Jensiyat TEXT, BirthDate TEXT, codmeli TEXT, Address TEXT, Pic TEXT");
}
QString reportCardFields() {
    return QStringLiteral("name TEXT, codemeli TEXT, KID INTEGER, Lesson TEXT, ExamDate TEXT, QCount INTEGER, "
                          "AnswerTime TEXT, FullTime TEXT, TAnswer INTEGER, FAnswer INTEGER, NAnswer INTEGER, "
                          "Emtiyaz INTEGER");
}
QString noteFields() {
    return QStringLiteral("ID INTEGER PRIMARY KEY AUTOINCREMENT, title TEXT, source TEXT, context TEXT, "
                          "relation TEXT, name TEXT, kid TEXT");
}
QString headingFields() { return QStringLiteral("id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT"); }

void createTable(const QSqlDatabase &db, const QString &table, const QString &fields) {
    Db::Exec(db, QStringLiteral("CREATE TABLE ") + Db::QuoteIdent(table) + QStringLiteral(" (") + fields + u')');
}

// The names of declared fields: the first word of each declaration (commas inside brackets belong to it).
QStringList fieldNames(const QString &declarations) {
    QStringList names;
    int depth = 0;
    QString part;
    const auto take = [&] {
        const QString name = part.trimmed().section(u' ', 0, 0);
        if (!name.isEmpty())
            names << name;
        part.clear();
    };
    for (const QChar c : declarations) {
        if (c == u'(')
            ++depth;
        else if (c == u')')
            --depth;
        if (c == u',' && depth == 0)
            take();
        else
            part += c;
    }
    take();
    return names;
}

// The declarations of a table that the program makes; empty for a table it does not know.
QString declaredFields(const QString &table) {
    static const QRegularExpression classTable(QStringLiteral("^(Karamooz|Karnameh)[0-9]+$"),
                                               QRegularExpression::CaseInsensitiveOption);
    const std::pair<const char *, QString (*)()> fixed[] = {
        {"setting", settingFields},         {"droos", lessonListFields}, {"clase", classListFields},
        {"notekaramooz", noteFields},       {"relationnotekar", headingFields}};
    for (const auto &[name, fields] : fixed)
        if (table.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return fields();
    if (const auto m = classTable.match(table); m.hasMatch())
        return m.captured(1).compare(QStringLiteral("Karamooz"), Qt::CaseInsensitive) == 0 ? traineeFields()
                                                                                           : reportCardFields();
    if (table.startsWith(u'Q'))
        return questionFields();
    return QString();
}
} // namespace

QStringList FieldsOf(const QString &table) { return fieldNames(declaredFields(table)); }

} // namespace SharedDatabase

bool Schema::HasField(const QString &table, const QString &field) {
    using namespace SharedDatabase;
    QString declarations = declaredFields(table);
    if (table.isEmpty())
        for (QString (*fields)() : {settingFields, lessonListFields, classListFields, questionFields, traineeFields,
                                    reportCardFields, noteFields, headingFields})
            declarations += u',' + fields();
    return fieldNames(declarations).contains(field, Qt::CaseInsensitive);
}

namespace SharedDatabase {

void CreateQuestionTable(const QSqlDatabase &db, const QString &lessonName) {
    createTable(db, QuestionTableName(lessonName), questionFields());
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
    createTable(db, TraineeTableName(classNumberText), traineeFields());
    createTable(db, ReportCardTableName(classNumberText), reportCardFields());
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
            createTable(db, QStringLiteral("setting"), settingFields());
            Db::Exec(db, QStringLiteral("INSERT INTO setting (passedit) VALUES (?)"), {editPassword});
            createTable(db, QStringLiteral("droos"), lessonListFields());
            createTable(db, QStringLiteral("clase"), classListFields());
            for (int c = 1; c <= ClassCount; ++c)
                CreateClassTables(db, QString::number(c));
            createTable(db, QStringLiteral("notekaramooz"), noteFields());
            createTable(db, QStringLiteral("relationnotekar"), headingFields());
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
