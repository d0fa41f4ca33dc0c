#include "exams/QuestionDraw.h"

#include <QSqlQuery>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <iterator>

#include "platform/Convert.h"
#include "platform/Db.h"

namespace QuestionDraw {

uint8_t CorrectOption(const QVariant &value) {
    if (value.isNull() || !Convert::IsNumeric(value.toString()))
        return 0;
    const double option = Convert::Val(value.toString());
    return option == std::floor(option) && option >= 1 && option <= 4 ? uint8_t(option) : 0;
}

std::vector<qint64> Pick(std::vector<qint64> ids, int n, std::mt19937 &random) {
    const size_t count = ids.size();
    for (size_t i = 0; i < size_t(n) && i < count; ++i) {
        std::uniform_int_distribution<size_t> among(i, count - 1);
        std::swap(ids[i], ids[among(random)]);
    }
    ids.resize(std::min(count, size_t(n)));
    return ids;
}

namespace {
// Times another workstation may change the table under a draw before it is drawn under the lock.
constexpr int RedrawsOutsideTheLock = 3;
// Ids bound to one statement at most.
constexpr size_t ChunkSize = 500;

struct Rows {
    std::vector<qint64> ids;    // in table order
    std::vector<qint64> marked; // in table order
};

Rows scan(const QSqlDatabase &db, const QString &table) {
    Rows rows;
    QSqlQuery all = Db::Exec(db, QStringLiteral("SELECT ID, AfterRun FROM ") + table + QStringLiteral(" ORDER BY ID"));
    while (all.next()) {
        const qint64 id = all.value(0).toLongLong();
        rows.ids.push_back(id);
        if (all.value(1).toInt() != 0)
            rows.marked.push_back(id);
    }
    return rows;
}

// Changes when another connection commits to the file.
qint64 dataVersion(const QSqlDatabase &db) {
    QSqlQuery version = Db::Exec(db, QStringLiteral("PRAGMA data_version"));
    return version.next() ? version.value(0).toLongLong() : -1;
}

// "(?,?,...)" and the ids it binds, from ids[from] on.
struct Chunk {
    QString list;
    QVariantList values;
};
Chunk chunkAt(const std::vector<qint64> &ids, size_t from) {
    QStringList marks;
    Chunk chunk;
    for (size_t i = from; i < std::min(ids.size(), from + ChunkSize); ++i) {
        marks << QStringLiteral("?");
        chunk.values << ids[i];
    }
    chunk.list = u'(' + marks.join(u',') + u')';
    return chunk;
}

// Runs sql + "(?, ?, ...)" over ids in chunks; returns the rows changed.
int forEachChunk(const QSqlDatabase &db, const QString &sql, const std::vector<qint64> &ids) {
    int changed = 0;
    for (size_t from = 0; from < ids.size(); from += ChunkSize) {
        const Chunk chunk = chunkAt(ids, from);
        changed += Db::Exec(db, sql + chunk.list, chunk.values).numRowsAffected();
    }
    return changed;
}

// The first of ids (sorted) whose correct option cannot be asked, or 0.
qint64 firstUnaskable(const QSqlDatabase &db, const QString &table, const std::vector<qint64> &ids) {
    for (size_t from = 0; from < ids.size(); from += ChunkSize) {
        const Chunk chunk = chunkAt(ids, from);
        QSqlQuery rows = Db::Exec(db, QStringLiteral("SELECT ID, TrueAnswer FROM ") + table +
                                          QStringLiteral(" WHERE ID IN ") + chunk.list +
                                          QStringLiteral(" ORDER BY ID"),
                                  chunk.values);
        while (rows.next())
            if (CorrectOption(rows.value(1)) == 0)
                return rows.value(0).toLongLong();
    }
    return 0;
}

std::vector<qint64> sortedPick(const std::vector<qint64> &ids, int n, std::mt19937 &random) {
    std::vector<qint64> picked = Pick(ids, n, random);
    std::sort(picked.begin(), picked.end());
    return picked;
}

std::vector<qint64> without(const std::vector<qint64> &from, const std::vector<qint64> &these) {
    std::vector<qint64> rest;
    std::set_difference(from.begin(), from.end(), these.begin(), these.end(), std::back_inserter(rest));
    return rest;
}

std::mt19937 seeded() {
    const auto now = std::chrono::system_clock::now().time_since_epoch().count();
    std::seed_seq seed{uint32_t(now), uint32_t(uint64_t(now) >> 32)};
    return std::mt19937(seed);
}
} // namespace

Outcome Draw(const QSqlDatabase &db, const QString &table, int n) {
    const QString quoted = Db::QuoteIdent(table);
    std::mt19937 random = seeded();
    for (int attempt = 0;; ++attempt) {
        // The long part, the reading and the picking, runs while other workstations may write.
        const qint64 version = dataVersion(db);
        const Rows before = scan(db, quoted);
        if (int(before.ids.size()) < n)
            return {Outcome::TooFewRows};
        std::vector<qint64> picked = sortedPick(before.ids, n, random);
        if (const qint64 bad = firstUnaskable(db, quoted, picked))
            return {Outcome::BadCorrectOption, bad};

        Db::Transaction transaction(db);
        Rows now = before;
        if (dataVersion(db) != version) {
            // Something was written since the reading: the rows and their marks are read again.
            now = scan(db, quoted);
            if (now.ids != before.ids) {
                if (attempt < RedrawsOutsideTheLock)
                    continue;
                if (int(now.ids.size()) < n)
                    return {Outcome::TooFewRows};
                picked = sortedPick(now.ids, n, random);
            }
            if (const qint64 bad = firstUnaskable(db, quoted, picked))
                return {Outcome::BadCorrectOption, bad};
        }
        const std::vector<qint64> cleared = without(now.marked, picked);
        const std::vector<qint64> marked = without(picked, now.marked);
        const int changed =
            forEachChunk(db, QStringLiteral("UPDATE ") + quoted + QStringLiteral(" SET AfterRun=0 WHERE AfterRun<>0 AND ID IN "), cleared) +
            forEachChunk(db, QStringLiteral("UPDATE ") + quoted + QStringLiteral(" SET AfterRun=-1 WHERE AfterRun=0 AND ID IN "), marked);
        if (changed != int(cleared.size() + marked.size()))
            throw Db::DbError(QStringLiteral("the draw changed %1 marks of %2").arg(changed).arg(cleared.size() + marked.size()));
        transaction.Commit();
        return {Outcome::Drawn};
    }
}

bool MarkRandomRows(const QSqlDatabase &db, const QString &table, int n) {
    return Draw(db, table, n).kind == Outcome::Drawn;
}

} // namespace QuestionDraw
