#include "NotesFixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include "shell/Module1.h"
#include "trainees/noteadd.h"

void NotesFixture::SetUp() {
    AppFixture::SetUp();
    MakeDatabase(false);
    Module1::ClassNumberText = QStringLiteral("3");
}

void NotesFixture::AddTrainee(int id, const QString &name, const QString &family, const QString &code) {
    Exec(QStringLiteral("INSERT INTO Karamooz3 (ID, Name, Family, clase, codemeli) VALUES (?, ?, ?, ?, ?)"),
         {id, name, family, QStringLiteral("سوم"), code});
}

void NotesFixture::AddHeading(const QString &name) {
    Exec(QStringLiteral("INSERT INTO relationnotekar (name) VALUES (?)"), {name});
}

qint64 NotesFixture::AddNote(const QString &title, const QString &relation, const QString &name,
                             const QString &context) {
    Exec(QStringLiteral("INSERT INTO notekaramooz (title, source, context, relation, name, kid) VALUES (?,?,?,?,?,?)"),
         {title, QStringLiteral("source"), context, relation, name, QStringLiteral("1111111111")});
    return Scalar(QStringLiteral("SELECT max(ID) FROM notekaramooz")).toLongLong();
}

void NotesFixture::Pick(noteadd &dialog, int id) {
    PickTrainee(dialog.ui().Cmd_Select, id);
    // The dialog is the active window again once the picker has gone.
    if (dialog.IsLoaded()) {
        dialog.Widget()->activateWindow();
        ProcessEvents();
    }
}

// Key by key as a keyboard sends them; Qt's own key clicks know Latin letters only.
void NotesFixture::Type(QWidget *box, const QString &text) {
    box->setFocus();
    for (const QChar c : text) {
        if (c == u'\n') {
            QTest::keyClick(box, Qt::Key_Return);
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
        QApplication::sendEvent(box, &release);
    }
}

void NotesFixture::ExpectMessage(const QString &text, int style) {
    ASSERT_FALSE(msgs.calls.empty());
    EXPECT_EQ(msgs.Last().text, text);
    EXPECT_EQ(msgs.Last().style, style);
    EXPECT_TRUE(msgs.Last().titleGiven);
    EXPECT_EQ(msgs.Last().title, QString());
}
