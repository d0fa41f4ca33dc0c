// The last guard around every handler, and the two kinds of missing field it must keep apart.
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

#include "Fixture.h"
#include "platform/DataControl.h"
#include "platform/Db.h"
#include "platform/Guard.h"
#include "platform/KeyFilter.h"
#include "platform/MouseEvents.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"

using namespace Qt::StringLiterals;

namespace {

const QString DatabaseFailed = u" کار خواسته شده به علت خطاي پايگاه داده انجام نشد "_s;
const QString ProgramFailed = u" کار خواسته شده به علت خطاي داخلي برنامه انجام نشد "_s;

class GuardTest : public AppFixture {};

// What a handler may let through, and how the guard tells it.
struct Escape {
    const char *label;
    std::function<void()> thrower;
    QString text;
    int style;
};

std::vector<Escape> escapes() {
    return {
        {"a database failure", [] { throw Db::DbError(u"disk I/O error"_s); }, DatabaseFailed, 16},
        {"a missing field", [] { throw MissingFieldError(u"no Lesson"_s); }, DatabaseFailed, 16},
        {"a wait given up", [] { throw Db::BusyError(u"held"_s); }, BusyTexts::Busy, 48},
        {"a wrong field name", [] { throw FieldNameError("no field Lesosn"); }, ProgramFailed, 16},
        {"anything else", [] { throw 42; }, ProgramFailed, 16},
    };
}

TEST_F(GuardTest, WhatAHandlerLetsThroughIsToldAndTheProgramRunsOn) {
    QWidget window;
    auto *button = new QPushButton(&window);
    auto *box = new QLineEdit(&window);
    auto *label = new QWidget(&window);
    window.show();
    std::function<void()> handler;
    int after = 0;
    Guard::Connect(button, &QPushButton::clicked, &window, [&] {
        handler();
        ++after;
    });
    KeyFilter::Install(box, {}, KeyFilter::Refused, [&] { handler(); });
    MouseEvents::Install(label, {.up = [&](Qt::MouseButton, Qt::MouseButtons, QPoint) { handler(); }});
    const std::pair<const char *, std::function<void()>> roads[] = {
        {"a click", [&] { QTest::mouseClick(button, Qt::LeftButton); }},
        {"a key's command", [&] { QTest::keyClick(box, Qt::Key_Return); }},
        {"a mouse handler", [&] { QTest::mouseClick(label, Qt::LeftButton); }},
    };
    for (const auto &[road, press] : roads)
        for (const Escape &escape : escapes()) {
            SCOPED_TRACE(std::string(road) + ", " + escape.label);
            msgs.Clear();
            handler = escape.thrower;
            EXPECT_NO_THROW(press());
            ASSERT_EQ(msgs.calls.size(), 1u);
            EXPECT_EQ(msgs.Last().text, escape.text);
            EXPECT_EQ(msgs.Last().style, escape.style);
        }
    EXPECT_EQ(after, 0) << "the handler stops where it failed";
    handler = [] {};
    msgs.Clear();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(after, 1);
    EXPECT_TRUE(msgs.calls.empty());
}

// A lesson whose table lacks the explanation: the file is at fault. A name no table has: the program is.
class MissingFieldKindsTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        MakeDatabase(false);
        SharedDatabase::CreateQuestionTable(TestDb(), u"Old"_s);
        Exec(u"INSERT INTO QOld (Question, TrueAnswer) VALUES ('b', 2), ('a', 1)"_s);
        Exec(u"ALTER TABLE QOld DROP COLUMN Answer5"_s);
        data.ConnectionString = Module1::ConnectionString;
        data.RecordSource = SharedDatabase::SelectAll(u"QOld"_s);
        data.Refresh();
    }
    DataControl data;
};

TEST_F(MissingFieldKindsTest, AFieldTheFileLacksIsADatabaseFailureAWrongNameIsNot) {
    Recordset &rs = data.Recordset();
    rs.Sort(u"Question"_s);
    const std::pair<const char *, std::function<void(const QString &)>> uses[] = {
        {"Value", [&](const QString &f) { rs.Value(f); }},
        {"SetValue", [&](const QString &f) { rs.SetValue(f, u"x"_s); }},
        {"Sort", [&](const QString &f) { rs.Sort(f); }},
        {"SetFilter", [&](const QString &f) { rs.SetFilter(f, u"x"_s); }},
        {"Find", [&](const QString &f) { rs.Find(f, u"x"_s); }},
        {"RequireFields", [&](const QString &f) { rs.RequireFields({u"Question"_s, f}); }},
    };
    for (const auto &[use, run] : uses) {
        SCOPED_TRACE(use);
        EXPECT_THROW(run(u"answer5"_s), MissingFieldError);
        EXPECT_THROW(run(u"Answr5"_s), FieldNameError);
        try {
            run(u"Answr5"_s);
        } catch (const Db::DbError &) {
            ADD_FAILURE() << "a wrong name is told as a database failure";
        } catch (...) {
        }
    }
    // Nothing was changed by the failed uses: the order, the row and the file stay.
    EXPECT_EQ(rs.Value(u"Question"_s).toString(), u"a"_s);
    EXPECT_FALSE(rs.IsDirty());
    EXPECT_EQ(rs.RecordCount(), 2);
    EXPECT_EQ(Scalar(u"SELECT group_concat(Question) FROM QOld"_s).toString(), u"b,a"_s);
}

} // namespace
