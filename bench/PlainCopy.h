#pragma once
// The copy of picked questions as a careful hand-written program does it: in one write transaction,
// the source's rows and the target's question texts (spaces removed) are read once each, then every
// entry is looked up in them and appended unless the target holds it. Returns how many were appended.
#include <QHash>
#include <QSet>
#include <QSqlQuery>
#include <QStringList>
#include <QVariantList>

#include "platform/Db.h"

inline int PlainCopy(const QSqlDatabase &db, const QString &sourceTable, const QString &targetTable,
                     const QStringList &entries) {
    const auto spaceless = [](QString text) { return text.remove(u' '); };
    Db::Transaction transaction(db);
    QHash<QString, QVariantList> source;
    QSqlQuery rows(db);
    rows.setForwardOnly(true);
    rows.exec(QStringLiteral("SELECT Question, Answer1, Answer2, Answer3, Answer4, TrueAnswer FROM ") + sourceTable +
              QStringLiteral(" ORDER BY ID"));
    while (rows.next()) {
        const QString question = rows.value(0).toString();
        if (!source.contains(question))
            source.insert(question, {rows.value(0), rows.value(1), rows.value(2), rows.value(3), rows.value(4),
                                     rows.value(5)});
    }
    QSet<QString> held;
    QSqlQuery target(db);
    target.setForwardOnly(true);
    target.exec(QStringLiteral("SELECT Question FROM ") + targetTable);
    while (target.next())
        held.insert(spaceless(target.value(0).toString()));
    QSqlQuery append(db);
    append.prepare(QStringLiteral("INSERT INTO ") + targetTable +
                   QStringLiteral(" (Question, Answer1, Answer2, Answer3, Answer4, TrueAnswer) VALUES (?, ?, ?, ?, ?, ?)"));
    int copied = 0;
    for (const QString &entry : entries) {
        const auto row = source.constFind(entry);
        if (row == source.constEnd())
            continue;
        const QString key = spaceless(entry);
        if (held.contains(key))
            continue;
        for (int i = 0; i < row->size(); ++i)
            append.bindValue(i, row->at(i));
        append.exec();
        held.insert(key);
        ++copied;
    }
    transaction.Commit();
    return copied;
}
