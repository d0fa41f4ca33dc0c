#include "TransferSupport.h"

#include <QSqlQuery>

#include "platform/Db.h"
#include "shell/SharedDatabase.h"

void TransferFixture::SetUp() {
    AppFixture::SetUp();
    MakeDatabase(false);
}

QString TransferFixture::Table(const QString &lesson) {
    return Db::QuoteIdent(SharedDatabase::QuestionTableName(lesson));
}

void TransferFixture::Lesson(const QString &name, const QStringList &questions) {
    Exec(QStringLiteral("INSERT INTO droos (name, yn) VALUES (?, '-1')"), {name});
    SharedDatabase::CreateQuestionTable(TestDb(), name);
    for (int i = 0; i < questions.size(); ++i) {
        const QString &q = questions[i];
        SharedDatabase::AddQuestion(TestDb(), name,
                                    {q, q + QStringLiteral(" 1"), q + QStringLiteral(" 2"), q + QStringLiteral(" 3"),
                                     q + QStringLiteral(" 4"), QStringLiteral("why ") + q},
                                    i % 4 + 1);
    }
}

QStringList TransferFixture::Questions(const QString &lesson) {
    QStringList texts;
    for (QSqlQuery rows = Db::Exec(TestDb(), QStringLiteral("SELECT Question FROM ") + Table(lesson) +
                                                 QStringLiteral(" ORDER BY ID"));
         rows.next();)
        texts << rows.value(0).toString();
    return texts;
}

int TransferFixture::Rows(const QString &lesson) {
    return Scalar(QStringLiteral("SELECT count(*) FROM ") + Table(lesson)).toInt();
}
