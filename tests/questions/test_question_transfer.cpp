// The database work of the bulk copy and delete: exact lookups, the duplicate check on texts without
// their spaces, and all or nothing written.
#include <QSqlQuery>

#include "TransferSupport.h"
#include "platform/DataControl.h"
#include "questions/QuestionTransfer.h"
#include "shell/Module1.h"

using namespace QuestionTransfer;

namespace {
const QString Source = QStringLiteral("مباني کامپيوتر");
const QString Target = QStringLiteral("شبکه");
} // namespace

TEST(SpacelessQuestionKeyTest, RemovesOnlyTheSpaceCharacter) {
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral(" a b  c "), QStringLiteral("abc")},
        {QStringLiteral("AB"), QStringLiteral("AB")},
        {QStringLiteral("a\tb"), QStringLiteral("a\tb")},
        {QStringLiteral("a\nb\r"), QStringLiteral("a\nb\r")},
        {QStringLiteral("a\u00A0b"), QStringLiteral("a\u00A0b")},
        {QStringLiteral("a\u200Db\u200C"), QStringLiteral("a\u200Db\u200C")},
        {QStringLiteral("\u3000x"), QStringLiteral("\u3000x")},
        {QStringLiteral("چرا ؟ 'ب'"), QStringLiteral("چرا؟'ب'")},
        {QString(), QString()},
    };
    for (const auto &[text, key] : cases)
        EXPECT_EQ(SpacelessQuestionKey(text), key) << text.toStdString();
}

class TransferTest : public TransferFixture {
protected:
    void SetUp() override {
        TransferFixture::SetUp();
        adodc2.ConnectionString = Module1::ConnectionString;
    }
    void TearDown() override {
        adodc2.Recordset().Close();
        TransferFixture::TearDown();
    }
    DataControl adodc2;
};

TEST_F(TransferTest, CopySkipsWhatTheTargetHoldsOnceSpacesAreRemoved) {
    const struct {
        const char *what;
        QStringList source, target, entries;
        CopyOutcome outcome;
        QStringList targetAfter;
    } cases[] = {
        {"spaces only differ", {"ab"}, {"a b"}, {"ab"}, {0, 1, 0}, {"a b"}},
        {"spaces only differ, the other way", {" a b "}, {"ab"}, {" a b "}, {0, 1, 0}, {"ab"}},
        {"case counts", {"ab"}, {"AB"}, {"ab"}, {1, 0, 0}, {"AB", "ab"}},
        {"a non-breaking space counts", {"ab"}, {"a\u00A0b"}, {"ab"}, {1, 0, 0}, {"a\u00A0b", "ab"}},
        {"a tab and a line break count", {"a\tb", "a\nb"}, {"ab"}, {"a\tb", "a\nb"}, {2, 0, 0}, {"ab", "a\tb", "a\nb"}},
        {"a zero-width joiner counts", {"a\u200Db"}, {"ab"}, {"a\u200Db"}, {1, 0, 0}, {"ab", "a\u200Db"}},
        {"the second of two equal entries finds the first", {"q"}, {}, {"q", "q"}, {1, 1, 0}, {"q"}},
        {"held twice is skipped once", {"q", "r"}, {"q", "q"}, {"q", "r"}, {1, 1, 0}, {"q", "q", "r"}},
        {"apostrophes and quotes", {"it's \"x\"", "'; DROP TABLE droos; --"}, {}, {"it's \"x\"", "'; DROP TABLE droos; --"},
         {2, 0, 0}, {"it's \"x\"", "'; DROP TABLE droos; --"}},
        {"an entry the source no longer holds", {"q"}, {}, {"gone", "q"}, {1, 0, 1}, {"q"}},
        {"lookups are exact", {"Q", "q"}, {}, {"q"}, {1, 0, 0}, {"q"}},
        {"nothing selected", {"q"}, {}, {}, {0, 0, 0}, {}},
    };
    int n = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString source = Source + QString::number(++n), target = Target + QString::number(n);
        Lesson(source, c.source);
        Lesson(target, c.target);
        const CopyOutcome outcome = CopyEntries(adodc2, source, target, c.entries);
        EXPECT_EQ(outcome.Copied, c.outcome.Copied);
        EXPECT_EQ(outcome.Duplicates, c.outcome.Duplicates);
        EXPECT_EQ(outcome.Missing, c.outcome.Missing);
        EXPECT_EQ(Questions(target), c.targetAfter);
        EXPECT_EQ(Questions(source), c.source);
    }
    EXPECT_EQ(Scalar("SELECT count(*) FROM droos").toInt(), 2 * n);
}

TEST_F(TransferTest, CopiedRowTakesTheOptionsButNotTheExplanationAndGetsItsOwnId) {
    Lesson(Source, {"first", "second", "third"});
    Lesson(Target, {"x", "y"});
    Exec(QStringLiteral("UPDATE ") + Table(Source) + QStringLiteral(" SET AfterRun=-1"));
    // The correct option travels as a whole number; what is none is copied as it stands.
    Exec(QStringLiteral("UPDATE ") + Table(Source) + QStringLiteral(" SET TrueAnswer=2.5 WHERE Question='second'"));
    Exec(QStringLiteral("UPDATE ") + Table(Source) + QStringLiteral(" SET TrueAnswer=300 WHERE Question='first'"));
    EXPECT_EQ(CopyEntries(adodc2, Source, Target, {"third", "second", "first"}).Copied, 3);
    QSqlQuery rows = Db::Exec(TestDb(), QStringLiteral("SELECT ID, Question, Answer1, Answer2, Answer3, Answer4, TrueAnswer, "
                                                       "Answer5, AfterRun FROM ") +
                                            Table(Target) + QStringLiteral(" WHERE ID > 2 ORDER BY ID"));
    const QList<QVariantList> expected = {
        {3, "third", "third 1", "third 2", "third 3", "third 4", 3, QVariant(), 0},
        {4, "second", "second 1", "second 2", "second 3", "second 4", 2, QVariant(), 0},
        {5, "first", "first 1", "first 2", "first 3", "first 4", 300, QVariant(), 0},
    };
    for (const QVariantList &row : expected) {
        ASSERT_TRUE(rows.next());
        for (int f = 0; f < row.size(); ++f)
            EXPECT_EQ(rows.value(f).toString(), row[f].toString()) << f;
        EXPECT_TRUE(rows.isNull(7));
    }
    EXPECT_FALSE(rows.next());
    EXPECT_EQ(adodc2.Recordset().RecordCount(), 3); // left on the source lesson
}

TEST_F(TransferTest, CopyToTheSourceItselfCopiesNothing) {
    Lesson(Source, {"a", "b c", "d"});
    const CopyOutcome outcome = CopyEntries(adodc2, Source, Source, {"a", "b c", "d"});
    EXPECT_EQ(outcome.Copied, 0);
    EXPECT_EQ(outcome.Duplicates, 3);
    EXPECT_EQ(Rows(Source), 3);
}

TEST_F(TransferTest, DeleteRemovesTheFirstRowOfEachEntryExactly) {
    const struct {
        const char *what;
        QStringList rows, entries;
        DeleteOutcome outcome;
        QList<int> idsAfter;
    } cases[] = {
        {"one of several equal rows", {"x", "q", "y", "q"}, {"q"}, {1, 0}, {1, 3, 4}},
        {"two entries of one text", {"q", "q", "q"}, {"q", "q"}, {2, 0}, {3}},
        {"an apostrophe", {"it's", "its"}, {"it's"}, {1, 0}, {2}},
        {"exact text only", {"Q", "q ", "q"}, {"q"}, {1, 0}, {1, 2}},
        {"an entry the source no longer holds", {"q"}, {"gone"}, {0, 1}, {1}},
    };
    int n = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString lesson = Source + QString::number(++n);
        Lesson(lesson, c.rows);
        const DeleteOutcome outcome = DeleteEntries(adodc2, lesson, c.entries);
        EXPECT_EQ(outcome.Deleted, c.outcome.Deleted);
        EXPECT_EQ(outcome.Missing, c.outcome.Missing);
        QList<int> ids;
        for (QSqlQuery rows = Db::Exec(TestDb(), QStringLiteral("SELECT ID FROM ") + Table(lesson) + " ORDER BY ID");
             rows.next();)
            ids << rows.value(0).toInt();
        EXPECT_EQ(ids, c.idsAfter);
    }
}

TEST_F(TransferTest, AFailureLeavesEveryLessonAsItWas) {
    Lesson(Source, {"a", "b", "c"});
    Lesson(Target, {"x"});
    try {
        CopyEntries(adodc2, Source, QStringLiteral("بي جدول"), {"a"});
        ADD_FAILURE() << "a missing target was not told";
    } catch (const MissingLesson &missing) {
        EXPECT_EQ(missing.LessonName, QStringLiteral("بي جدول"));
    }
    EXPECT_THROW(DeleteEntries(adodc2, QStringLiteral("بي جدول"), {"a"}), MissingLesson);

    // The second append is refused: the first is taken back with it.
    Exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON ") + Table(Target) +
         QStringLiteral(" WHEN NEW.Question = 'b' BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    EXPECT_THROW(CopyEntries(adodc2, Source, Target, {"a", "b", "c"}), Db::DbError);
    EXPECT_EQ(Questions(Target), QStringList({"x"}));
    Exec(QStringLiteral("CREATE TRIGGER keep BEFORE DELETE ON ") + Table(Source) +
         QStringLiteral(" WHEN OLD.Question = 'c' BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    EXPECT_THROW(DeleteEntries(adodc2, Source, {"a", "c"}), Db::DbError);
    EXPECT_EQ(Questions(Source), QStringList({"a", "b", "c"}));
}

TEST_F(TransferTest, AnotherWorkstationHoldingTheFileIsToldAsBusy) {
    Lesson(Source, {"a"});
    Lesson(Target, {});
    Db::Exec(Db::Database(Module1::ConnectionString), QStringLiteral("PRAGMA busy_timeout=50"));
    Db::SetBusyPatience(50); // the wait is given up at its question
    Exec(QStringLiteral("BEGIN IMMEDIATE"));
    try {
        CopyEntries(adodc2, Source, Target, {"a"});
        ADD_FAILURE() << "the copy ran beside another writer";
    } catch (const Db::DbError &error) {
        EXPECT_TRUE(Db::IsBusyFailure(error)) << error.what();
        EXPECT_FALSE(dynamic_cast<const MissingLesson *>(&error));
    }
    Exec(QStringLiteral("ROLLBACK"));
    EXPECT_EQ(CopyEntries(adodc2, Source, Target, {"a"}).Copied, 1);
}
