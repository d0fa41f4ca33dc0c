#pragma once
// Demo content for a new shared database: lessons with their questions, classes, trainees,
// research headings and notes, and a few report cards, so every window has something to show.
#include <QSqlDatabase>
#include <QString>

namespace DemoData {
// The edit password of the demo file.
inline const QString EditPassword = QStringLiteral("1234");
// A lesson that is listed but holds no question.
inline const QString EmptyLesson = QStringLiteral("فیزیک");

// Fills a file made by SharedDatabase::CreateFile. Throws Db::DbError.
void Fill(const QSqlDatabase &db);
} // namespace DemoData
