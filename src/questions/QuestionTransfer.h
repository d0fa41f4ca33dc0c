#pragma once
// The database work of copying and deleting questions between lessons. Each run is one write
// transaction: all of it is written or none of it, and no other workstation can add a question to
// the target between a duplicate check and the append that follows it.
#include <QString>
#include <QStringList>

#include "platform/Db.h"

class DataControl;

namespace QuestionTransfer {

// The text with every space (U+0020) removed; case and every other character count.
QString SpacelessQuestionKey(const QString &text);

// A lesson whose question table is not in the file.
class MissingLesson : public Db::DbError {
public:
    explicit MissingLesson(const QString &lessonName);
    QString LessonName;
};

struct CopyOutcome {
    int Copied = 0;
    int Duplicates = 0; // entries skipped because the target holds their text, spaces aside
    int Missing = 0;    // entries the source lesson does not hold
};
struct DeleteOutcome {
    int Deleted = 0;
    int Missing = 0;
};

// Each entry in turn: the first row of the source lesson whose question is exactly the entry is
// appended to the target lesson (question, options, correct option; no explanation) unless the target
// already holds it. adodc2 is left on the source lesson. Throws Db::DbError, MissingLesson.
CopyOutcome CopyEntries(DataControl &adodc2, const QString &sourceLesson, const QString &targetLesson,
                        const QStringList &entries);

// Each entry in turn: the first row of the source lesson whose question is exactly the entry is
// deleted; other rows of that text stay. adodc2 is left on the source lesson. Throws as above.
DeleteOutcome DeleteEntries(DataControl &adodc2, const QString &sourceLesson, const QStringList &entries);

} // namespace QuestionTransfer
