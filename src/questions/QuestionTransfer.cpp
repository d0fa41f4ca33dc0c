#include "questions/QuestionTransfer.h"

#include <QSet>
#include <QSqlQuery>

#include "platform/Convert.h"
#include "platform/DataControl.h"
#include "shell/SharedDatabase.h"

namespace QuestionTransfer {

QString SpacelessQuestionKey(const QString &text) {
    QString key = text;
    key.remove(QChar(u' '));
    return key;
}

MissingLesson::MissingLesson(const QString &lessonName)
    : Db::DbError(QStringLiteral("no question table for the lesson ") + lessonName), LessonName(lessonName) {}

namespace {
const QString Question = QStringLiteral("Question");

void requireLesson(const QSqlDatabase &db, const QString &lessonName) {
    QSqlQuery found = Db::Exec(db, QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE"),
                               {SharedDatabase::QuestionTableName(lessonName)});
    if (!Db::Next(found))
        throw MissingLesson(lessonName);
}

// Opens adodc2 on the source lesson inside the caller's transaction, so its rows are the ones written.
Recordset &openSource(DataControl &adodc2, const QString &sourceLesson) {
    adodc2.CommandType = DataControl::adCmdText;
    adodc2.RecordSource = SharedDatabase::SelectAll(SharedDatabase::QuestionTableName(sourceLesson));
    adodc2.RecordSourceValues.clear();
    adodc2.Refresh();
    return adodc2.Recordset();
}

// The first row of the source whose question is exactly the entry becomes current.
bool findEntry(Recordset &source, const QString &entry) {
    if (source.RecordCount() == 0)
        return false;
    source.MoveFirst();
    return source.Find(Question, entry, false, Qt::CaseSensitive);
}

// The correct option travels as a whole number 0..255; what cannot be one is copied as stored.
QVariant carriedOption(const QVariant &stored) {
    if (stored.isNull())
        return stored;
    try {
        return int(Convert::CByte(Convert::Val(stored.toString())));
    } catch (const Convert::ConversionError &) {
        return stored;
    }
}
} // namespace

CopyOutcome CopyEntries(DataControl &adodc2, const QString &sourceLesson, const QString &targetLesson,
                        const QStringList &entries) {
    const QSqlDatabase db = Db::Database(adodc2.ConnectionString);
    Db::Transaction transaction(db);
    requireLesson(db, sourceLesson);
    requireLesson(db, targetLesson);
    Recordset &source = openSource(adodc2, sourceLesson);
    const QString target = Db::QuoteIdent(SharedDatabase::QuestionTableName(targetLesson));

    // The duplicate check of every entry against one reading of the target, kept up to date with
    // what this copy appends.
    QSet<QString> targetKeys;
    for (QSqlQuery rows = Db::Exec(db, QStringLiteral("SELECT Question FROM ") + target); Db::Next(rows);)
        targetKeys.insert(SpacelessQuestionKey(rows.value(0).toString()));

    const QString append = QStringLiteral("INSERT INTO ") + target +
                           QStringLiteral(" (Question, answer1, answer2, answer3, answer4, Trueanswer) VALUES (?, ?, ?, ?, ?, ?)");
    CopyOutcome outcome;
    for (const QString &entry : entries) {
        if (!findEntry(source, entry)) {
            ++outcome.Missing;
            continue;
        }
        const QVariantList buffer = {source.Value(Question), source.Value(QStringLiteral("answer1")),
                                     source.Value(QStringLiteral("answer2")), source.Value(QStringLiteral("answer3")),
                                     source.Value(QStringLiteral("answer4")),
                                     carriedOption(source.Value(QStringLiteral("Trueanswer")))};
        const QString key = SpacelessQuestionKey(buffer[0].toString());
        if (targetKeys.contains(key)) {
            ++outcome.Duplicates;
            continue;
        }
        Db::Exec(db, append, buffer);
        targetKeys.insert(key);
        ++outcome.Copied;
    }
    transaction.Commit();
    return outcome;
}

DeleteOutcome DeleteEntries(DataControl &adodc2, const QString &sourceLesson, const QStringList &entries) {
    const QSqlDatabase db = Db::Database(adodc2.ConnectionString);
    Db::Transaction transaction(db);
    requireLesson(db, sourceLesson);
    Recordset &source = openSource(adodc2, sourceLesson);
    DeleteOutcome outcome;
    for (const QString &entry : entries) {
        if (!findEntry(source, entry)) {
            ++outcome.Missing;
            continue;
        }
        source.Delete();
        ++outcome.Deleted;
    }
    transaction.Commit();
    return outcome;
}

} // namespace QuestionTransfer
