#include "exams/QuestionDraw.h"

#include <QSqlQuery>
#include <chrono>

#include "platform/Db.h"

namespace QuestionDraw {

std::vector<qint64> Pick(std::vector<qint64> ids, int n, std::mt19937 &random) {
    const size_t count = ids.size();
    for (size_t i = 0; i < size_t(n) && i < count; ++i) {
        std::uniform_int_distribution<size_t> among(i, count - 1);
        std::swap(ids[i], ids[among(random)]);
    }
    ids.resize(std::min(count, size_t(n)));
    return ids;
}

bool MarkRandomRows(const QSqlDatabase &db, const QString &table, int n) {
    const QString quoted = Db::QuoteIdent(table);
    Db::Transaction transaction(db);
    Db::Exec(db, QStringLiteral("UPDATE ") + quoted + QStringLiteral(" SET AfterRun=0 WHERE AfterRun<>0"));

    std::vector<qint64> ids;
    QSqlQuery all = Db::Exec(db, QStringLiteral("SELECT ID FROM ") + quoted + QStringLiteral(" ORDER BY ID"));
    while (all.next())
        ids.push_back(all.value(0).toLongLong());
    if (int(ids.size()) < n)
        return false;

    const auto now = std::chrono::system_clock::now().time_since_epoch().count();
    std::seed_seq seed{uint32_t(now), uint32_t(uint64_t(now) >> 32)};
    std::mt19937 random(seed);
    const std::vector<qint64> picked = Pick(std::move(ids), n, random);

    if (!picked.empty()) {
        QStringList marks;
        QVariantList values;
        for (qint64 id : picked) {
            marks << QStringLiteral("?");
            values << id;
        }
        QSqlQuery mark = Db::Exec(db, QStringLiteral("UPDATE ") + quoted + QStringLiteral(" SET AfterRun=-1 WHERE ID IN (") +
                                          marks.join(u',') + u')',
                                  values);
        if (mark.numRowsAffected() != n)
            throw Db::DbError(QStringLiteral("the draw marked %1 rows of %2").arg(mark.numRowsAffected()).arg(n));
    }
    transaction.Commit();
    return true;
}

} // namespace QuestionDraw
