#include "exams/QuestionDraw.h"

#include <QSqlQuery>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <iterator>
#include <limits>

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

// Enough to tell whether the rows or their marks changed: counts and sums of the ids, of all the
// rows and of the marked ones (the squares keep two different sets from adding up alike).
struct Fingerprint {
    qint64 rows = 0, ids = 0, squares = 0, marked = 0, markedIds = 0, markedSquares = 0;
    bool operator==(const Fingerprint &) const = default;
};

constexpr qint64 SquareModulus = 2147483647;
qint64 squareOf(qint64 id) {
    const qint64 r = id % SquareModulus;
    return r * r % SquareModulus;
}

struct Rows {
    std::vector<qint64> ids;    // in table order
    std::vector<qint64> marked; // in table order

    Fingerprint Print() const {
        Fingerprint f;
        f.rows = qint64(ids.size());
        for (qint64 id : ids) {
            f.ids += id;
            f.squares += squareOf(id);
        }
        f.marked = qint64(marked.size());
        for (qint64 id : marked) {
            f.markedIds += id;
            f.markedSquares += squareOf(id);
        }
        return f;
    }
};

// Read in short pieces, so that another workstation's write never waits long for this reading.
constexpr int ScanPiece = 4096;

Rows scan(const QSqlDatabase &db, const QString &table) {
    Rows rows;
    const QString piece = QStringLiteral("SELECT ID, AfterRun FROM ") + table +
                          QStringLiteral(" WHERE ID > ? ORDER BY ID LIMIT %1").arg(ScanPiece);
    qint64 after = std::numeric_limits<qint64>::min();
    for (int read = ScanPiece; read == ScanPiece;) {
        QSqlQuery query = Db::Exec(db, piece, {after});
        for (read = 0; Db::Next(query); ++read) {
            after = query.value(0).toLongLong();
            rows.ids.push_back(after);
            if (query.value(1).toInt() != 0)
                rows.marked.push_back(after);
        }
    }
    return rows;
}

Fingerprint fingerprintOf(const QSqlDatabase &db, const QString &table) {
    const QString square = QStringLiteral("(ID % %1) * (ID % %1) % %1").arg(SquareModulus);
    QSqlQuery query = Db::Exec(
        db, QStringLiteral("SELECT count(*), coalesce(sum(ID), 0), coalesce(sum(%1), 0), "
                           "count(CASE WHEN AfterRun<>0 THEN 1 END), "
                           "coalesce(sum(CASE WHEN AfterRun<>0 THEN ID END), 0), "
                           "coalesce(sum(CASE WHEN AfterRun<>0 THEN %1 END), 0) FROM ")
                .arg(square) +
                table);
    Fingerprint f;
    if (Db::Next(query))
        f = {query.value(0).toLongLong(), query.value(1).toLongLong(), query.value(2).toLongLong(),
             query.value(3).toLongLong(), query.value(4).toLongLong(), query.value(5).toLongLong()};
    return f;
}

// Changes when another connection commits to the file.
qint64 dataVersion(const QSqlDatabase &db) {
    QSqlQuery version = Db::Exec(db, QStringLiteral("PRAGMA data_version"));
    return Db::Next(version) ? version.value(0).toLongLong() : -1;
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
        while (Db::Next(rows))
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
            // Something was written since the reading; what matters is whether this table changed.
            if (fingerprintOf(db, quoted) != before.Print()) {
                if (attempt < RedrawsOutsideTheLock)
                    continue;
                now = scan(db, quoted);
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
