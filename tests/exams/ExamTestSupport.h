#pragma once
// The common ground of the exam and review tests: a lesson, the shared state that the exam set-up
// leaves behind, and the exam window started as the set-up starts it.
#include <QList>
#include <QString>

#include "support/Fixture.h"

class RunExamForm;

class ExamFixture : public AppFixture {
protected:
    void SetUp() override;

    // The shared state of a set-up that chose the lesson, the trainee and the mode.
    void SetUpExam(int questions, int seconds, int startMode);
    // Shows the exam window modally; its first activation makes the exam.
    RunExamForm &StartExam();
    // Ticks of the clock, as the one-second timer would give them; stops when the window closes.
    template <class Window> static void Tick(Window &window, int ticks) {
        for (int t = 0; t < ticks && window.IsLoaded(); ++t)
            window.ExamClockTick();
    }
    // Record ids of the marked rows, in table order.
    QList<qint64> MarkedIds();
    void MarkIds(const QList<qint64> &ids);
    QString Table() const;
    int ReportCards();

    const QString lesson = QStringLiteral("Lesson A");
};

// Ticks the options of an exam on screen: the first `correct` questions right, the next `wrong`
// ones wrong, the rest left blank; Next after each.
void AnswerAll(RunExamForm &form, int correct, int wrong);
