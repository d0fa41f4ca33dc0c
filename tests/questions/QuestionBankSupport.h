#pragma once
// Common ground of the question bank tests: lessons in a fresh shared database, the two windows,
// the bars' buttons and the edit-password prompt answered by a script.
#include <QAction>
#include <array>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTableView>
#include <QToolBar>

#include "support/Fixture.h"
#include "questions/EditPassword.h"
#include "questions/QuestionForm.h"
#include "questions/frmq2.h"
#include "platform/DataControl.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"
#include <QSqlQuery>

// Failures show texts as texts.
inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }

// What the user types into the input boxes of a new question.
struct Typed {
    QString question = QStringLiteral("سوال تازه"), a1 = QStringLiteral(" الف "), a2 = QStringLiteral("ب"),
            a3 = QStringLiteral("ج");
    QString a4 = QStringLiteral("همه موارد"), option = QStringLiteral("3"), explanation = QStringLiteral("چون");
};

class QuestionBankTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        MakeDatabase(false);
    }

    template <class W> W &open() {
        W &window = Forms::Get<W>();
        if constexpr (std::is_same_v<W, QuestionForm>)
            window.ShowModal();
        else
            window.Show();
        ProcessEvents();
        return window;
    }

    // The window open on lesson (chosen unless the window chose it itself), its details page in view.
    template <class W> W &details(const QString &lesson) {
        W &w = open<W>();
        if (w.ui().DarsCombo->currentIndex() < 0)
            choose(w, lesson);
        // The browse window's details tab is reached by the grid's double click only.
        doubleClickRow(w, 0);
        EXPECT_EQ(w.ui().SSTab->currentIndex(), 1);
        return w;
    }

    // Both windows open: the bank window, then the browse window beside it.
    std::array<QuestionBankForm *, 2> openBoth() { return {&open<QuestionForm>(), &open<frmq2>()}; }

    // The user picks a lesson in the drop-down list.
    static void choose(QuestionBankForm &w, const QString &lesson) {
        QComboBox *combo = w.ui().DarsCombo;
        const int at = combo->findText(lesson);
        ASSERT_GE(at, 0) << lesson.toStdString();
        combo->setCurrentIndex(at);
        emit combo->activated(at);
    }

    // The user double-clicks a row of the list, which opens the details page on it.
    static void doubleClickRow(QuestionBankForm &w, int row) {
        QTableView *grid = w.ui().DataGrid1;
        const QRect cell = grid->visualRect(grid->model()->index(row, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

    static void click(QuestionBankForm &w, QToolBar *bar, int index) {
        QAction *action = w.Button(bar, index);
        ASSERT_NE(action, nullptr);
        QWidget *button = bar->widgetForAction(action);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    static void type(QuestionBankForm &w, const Typed &t) {
        auto &u = w.ui();
        u.tq->setPlainText(t.question);
        u.ta1->setText(t.a1);
        u.ta2->setText(t.a2);
        u.ta3->setText(t.a3);
        u.Comboa4->setEditText(t.a4);
        u.Combot->setEditText(t.option);
        u.tt->setText(t.explanation);
    }

    static bool enabled(QuestionBankForm &w, QToolBar *bar, int index) { return w.Button(bar, index)->isEnabled(); }

    // The buttons of a bar that are enabled, as their indexes ("1234").
    static std::string enabledButtons(QuestionBankForm &w, QToolBar *bar) {
        std::string on;
        for (int i = 1; QAction *action = w.Button(bar, i); ++i)
            if (action->isEnabled())
                on += char('0' + i);
        return on;
    }

    // The next edit-password prompt: typed and confirmed, or closed by its close box when typed is empty.
    void answerPassword(const QString &typed, bool confirm = true) {
        modal.On(QStringLiteral("EditPasswordPrompt"), [typed, confirm](QDialog &dialog) {
            auto &prompt = Forms::Get<EditPasswordPrompt>();
            // Qt Test types Latin keys only.
            if (std::all_of(typed.begin(), typed.end(), [](QChar c) { return c.unicode() < 0x80; }))
                QTest::keyClicks(prompt.ui().txtpassword, typed);
            else
                prompt.ui().txtpassword->setText(typed);
            if (confirm)
                QTest::mouseClick(prompt.ui().cmdok, Qt::LeftButton);
            else
                dialog.close();
        });
    }

    // The current row's record id.
    static int currentId(QuestionBankForm &w) {
        return w.Adodc1->Recordset().Value(QStringLiteral("ID")).toInt();
    }

    // A question table row by row: its questions in ID order.
    QStringList questions(const QString &lesson) {
        QStringList out;
        QSqlQuery q = Db::Exec(TestDb(), QStringLiteral("SELECT Question FROM ") +
                                             Db::QuoteIdent(SharedDatabase::QuestionTableName(lesson)) +
                                             QStringLiteral(" ORDER BY ID"));
        while (q.next())
            out << q.value(0).toString();
        return out;
    }
};
