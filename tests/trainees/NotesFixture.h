#pragma once
// The common ground of the research-note tests: trainees of class 3, headings and notes as another
// program would have filed them, and the trainee pick in the new-note dialog.
#include <QString>
#include <QVariant>

#include "support/Fixture.h"

class noteadd;

class NotesFixture : public AppFixture {
public:
    // Types into a box as the user does (the box has the focus first).
    static void Type(QWidget *box, const QString &text);

protected:
    void SetUp() override;

    void AddTrainee(int id, const QString &name, const QString &family, const QString &code);
    void AddHeading(const QString &name);
    // Returns the note's ID.
    qint64 AddNote(const QString &title, const QString &relation, const QString &name = QStringLiteral("Sara  Rahimi"),
                   const QString &context = QStringLiteral("text"));
    // In the dialog on screen: the choose button, then a double click on the trainee with this ID.
    void Pick(noteadd &dialog, int id);
    // The last message box: this text and style, and an empty title (not the program's own).
    void ExpectMessage(const QString &text, int style);

    // Trainee 7 of class 3.
    const QString name7 = QStringLiteral("نرگس  توکلی");
    const QString code7 = QStringLiteral("1270364898");
};
