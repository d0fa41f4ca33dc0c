#include "shell/DemoData.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>

#include "platform/Db.h"
#include "shell/PersianCalendar.h"
#include "shell/SharedDatabase.h"

namespace DemoData {
namespace {

QJsonObject readJson(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Db::DbError(QStringLiteral("demo content missing: ") + path);
    return QJsonDocument::fromJson(file.readAll()).object();
}

void addLesson(const QSqlDatabase &db, const QJsonObject &lesson) {
    const QString name = lesson.value(QStringLiteral("name")).toString();
    const bool active = lesson.value(QStringLiteral("active")).toBool(true);
    Db::Exec(db, QStringLiteral("INSERT INTO droos (name, yn) VALUES (?, ?)"),
             {name, active ? QStringLiteral("-1") : QStringLiteral("0")});
    SharedDatabase::CreateQuestionTable(db, name);
    for (const QJsonValue &v : lesson.value(QStringLiteral("questions")).toArray()) {
        const QJsonObject q = v.toObject();
        const QJsonArray answers = q.value(QStringLiteral("answers")).toArray();
        SharedDatabase::AddQuestion(db, name,
                                    {q.value(QStringLiteral("question")).toString(), answers.at(0).toString(),
                                     answers.at(1).toString(), answers.at(2).toString(), answers.at(3).toString(),
                                     q.value(QStringLiteral("explanation")).toString()},
                                    q.value(QStringLiteral("correct")).toInt());
    }
}

QString displayName(const QJsonObject &trainee) {
    return trainee.value(QStringLiteral("name")).toString() + QStringLiteral("  ") +
           trainee.value(QStringLiteral("family")).toString();
}

// A few finished exams for the first trainees of some classes, each row consistent with itself.
void addReportCards(const QSqlDatabase &db, const QString &classNumber, const QJsonArray &trainees,
                    const QStringList &lessons, int traineesWithCards) {
    const QString insert = QStringLiteral("INSERT INTO ") +
                           Db::QuoteIdent(SharedDatabase::ReportCardTableName(classNumber)) +
                           QStringLiteral(" (name, codemeli, KID, Lesson, ExamDate, QCount, AnswerTime, FullTime, "
                                          "TAnswer, FAnswer, NAnswer, Emtiyaz) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)");
    int seed = classNumber.toInt() * 7;
    for (int t = 0; t < traineesWithCards && t < trainees.size(); ++t) {
        const QJsonObject trainee = trainees.at(t).toObject();
        const qint64 code = trainee.value(QStringLiteral("codemeli")).toInteger();
        for (int e = 0; e < 2; ++e) {
            seed = (seed * 37 + 11) % 101;
            const int count = 20;
            const int right = 8 + seed % 12;
            const int wrong = (count - right) * 2 / 3;
            const int blank = count - right - wrong;
            const int seconds = 300 + (seed * 13) % 480;
            const QDate date = QDate(2024, 10, 5).addDays(seed + 9 * e);
            Db::Exec(db, insert,
                     {displayName(trainee), QString::number(code), code, lessons.at((t + e) % lessons.size()),
                      *Module1::PersianDate(date, 3), count,
                      QStringLiteral("%1:%2").arg(seconds / 60, 2, 10, QChar(u'0')).arg(seconds % 60, 2, 10, QChar(u'0')),
                      QStringLiteral("13.33"), right, wrong, blank, right});
        }
    }
}

} // namespace

void Fill(const QSqlDatabase &db) {
    Db::Transaction transaction(db);
    Db::Exec(db, QStringLiteral("UPDATE setting SET passedit=?"), {EditPassword});

    QStringList activeLessons;
    const QDir content(QStringLiteral(":/demo"));
    for (const QString &file : content.entryList({QStringLiteral("lessons-*.json")}, QDir::Files, QDir::Name)) {
        for (const QJsonValue &lesson : readJson(content.filePath(file)).value(QStringLiteral("lessons")).toArray()) {
            addLesson(db, lesson.toObject());
            if (lesson.toObject().value(QStringLiteral("active")).toBool(true))
                activeLessons << lesson.toObject().value(QStringLiteral("name")).toString();
        }
    }
    addLesson(db, QJsonObject{{QStringLiteral("name"), EmptyLesson}, {QStringLiteral("active"), true}});

    const QJsonObject people = readJson(content.filePath(QStringLiteral("people.json")));
    for (const QJsonValue &name : people.value(QStringLiteral("classes")).toArray())
        Db::Exec(db, QStringLiteral("INSERT INTO clase (name) VALUES (?)"), {name.toString()});

    const QJsonObject trainees = people.value(QStringLiteral("trainees")).toObject();
    for (auto it = trainees.begin(); it != trainees.end(); ++it) {
        const QString insert = QStringLiteral("INSERT INTO ") +
                               Db::QuoteIdent(SharedDatabase::TraineeTableName(it.key())) +
                               QStringLiteral(" (ID, Name, Family, fathername, clase, codemeli, ShSH, Sabtdate, "
                                              "Jensiyat, BirthDate, codmeli, Address) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)");
        for (const QJsonValue &v : it.value().toArray()) {
            const QJsonObject t = v.toObject();
            const qint64 code = t.value(QStringLiteral("codemeli")).toInteger();
            Db::Exec(db, insert,
                     {t.value(QStringLiteral("id")).toInt(), t.value(QStringLiteral("name")).toString(),
                      t.value(QStringLiteral("family")).toString(), t.value(QStringLiteral("fathername")).toString(),
                      t.value(QStringLiteral("clase")).toString(), code, t.value(QStringLiteral("shsh")).toString(),
                      t.value(QStringLiteral("sabtdate")).toString(), t.value(QStringLiteral("jensiyat")).toString(),
                      t.value(QStringLiteral("birthdate")).toString(), t.value(QStringLiteral("tel")).toString(),
                      t.value(QStringLiteral("address")).toString()});
        }
    }
    addReportCards(db, QStringLiteral("3"), trainees.value(QStringLiteral("3")).toArray(), activeLessons, 5);
    addReportCards(db, QStringLiteral("1"), trainees.value(QStringLiteral("1")).toArray(), activeLessons, 2);

    for (const QJsonValue &heading : people.value(QStringLiteral("headings")).toArray())
        Db::Exec(db, QStringLiteral("INSERT INTO relationnotekar (name) VALUES (?)"), {heading.toString()});
    for (const QJsonValue &v : people.value(QStringLiteral("notes")).toArray()) {
        const QJsonObject note = v.toObject();
        const QString classNumber = note.value(QStringLiteral("class")).toString();
        QJsonObject trainee;
        for (const QJsonValue &t : trainees.value(classNumber).toArray())
            if (t.toObject().value(QStringLiteral("id")).toInt() == note.value(QStringLiteral("traineeId")).toInt())
                trainee = t.toObject();
        Db::Exec(db,
                 QStringLiteral("INSERT INTO notekaramooz (title, source, context, relation, name, kid) "
                                "VALUES (?,?,?,?,?,?)"),
                 {note.value(QStringLiteral("title")).toString(), note.value(QStringLiteral("source")).toString(),
                  note.value(QStringLiteral("context")).toString(), note.value(QStringLiteral("relation")).toString(),
                  displayName(trainee), QString::number(trainee.value(QStringLiteral("codemeli")).toInteger())});
    }
    transaction.Commit();
}

} // namespace DemoData
