#pragma once
// The shared database's tables: their names, their fields, and the creation of an empty file.
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace SharedDatabase {

// "Q" and the lesson's name with every space removed.
QString QuestionTableName(const QString &lessonName);
// "Karamooz" / "Karnameh" and the class number text ("1" to "6").
QString TraineeTableName(const QString &classNumberText);
QString ReportCardTableName(const QString &classNumberText);

// The fields of a table that the program makes, as it makes them; empty for a table it does not know.
QStringList FieldsOf(const QString &table);

// "SELECT * FROM " and a table name, quoted.
QString SelectAll(const QString &table);

// Record-source conditions on the draw's mark (Yes/No fields hold -1 and 0).
inline const QString MarkedRows = QStringLiteral(" WHERE AfterRun<>0");
inline const QString UnmarkedRows = QStringLiteral(" WHERE AfterRun=0");

// The class tables that exist in every file.
inline constexpr int ClassCount = 6;

// Adds one question to a lesson's table: texts are the question, the four options and the explanation.
void AddQuestion(const QSqlDatabase &db, const QString &lessonName, const QStringList &texts,
                 const QVariant &trueAnswer, bool marked = false);

// The tables of a lesson and of a class.
void CreateQuestionTable(const QSqlDatabase &db, const QString &lessonName);
void CreateClassTables(const QSqlDatabase &db, const QString &classNumberText);

// A new, empty shared database at path with every fixed table and the one settings row
// (every access switch on, the edit password given). Refuses a path that exists. Throws Db::DbError.
void CreateFile(const QString &path, const QString &editPassword);

// Opens a file for the administrator's tool and the tests (no shared-connection rules).
QSqlDatabase OpenFile(const QString &path, const QString &connectionName);

} // namespace SharedDatabase
