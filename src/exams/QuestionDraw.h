#pragma once
// The random draw of an exam's questions: the marks (field AfterRun) of a lesson's question table.
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <random>
#include <vector>

namespace QuestionDraw {

// The correct option of a question row: a whole number from 1 to 4, else 0 (the row cannot be asked).
uint8_t CorrectOption(const QVariant &value);

struct Outcome {
    enum Kind { Drawn, TooFewRows, BadCorrectOption };
    Kind kind = Drawn;
    qint64 badId = 0; // BadCorrectOption: the first drawn row, in table order, that cannot be asked
};

// Marks n rows drawn at random and clears every other mark, each pick uniform over the rows not
// picked yet. The picks are made and checked before the write lock is taken; under it only the marks
// that change are written, in one transaction: the marks are either all as they were or exactly the
// n new ones. A table that another workstation changed meanwhile is drawn again. Nothing changes
// when the table has fewer than n rows or a drawn row cannot be asked. Throws Db::DbError.
Outcome Draw(const QSqlDatabase &db, const QString &table, int n);

// Draw, for callers that only need to know whether the new set is marked.
bool MarkRandomRows(const QSqlDatabase &db, const QString &table, int n);

// n picks from ids, each uniform over those not picked yet (a partial Fisher-Yates shuffle).
std::vector<qint64> Pick(std::vector<qint64> ids, int n, std::mt19937 &random);

} // namespace QuestionDraw
