#pragma once
// The random draw of an exam's questions: the marks (field AfterRun) of a lesson's question table.
#include <QSqlDatabase>
#include <QString>
#include <cstdint>
#include <random>
#include <vector>

namespace QuestionDraw {

// Clears every mark of the table and marks n rows drawn at random, each pick uniform over the rows
// still unmarked. Both happen in one transaction: whatever fails, the marks are either all as they
// were or exactly the n new ones. False, with nothing changed, when the table has fewer than n rows.
// Throws Db::DbError.
bool MarkRandomRows(const QSqlDatabase &db, const QString &table, int n);

// n picks from ids, each uniform over those not picked yet (a partial Fisher-Yates shuffle).
std::vector<qint64> Pick(std::vector<qint64> ids, int n, std::mt19937 &random);

} // namespace QuestionDraw
