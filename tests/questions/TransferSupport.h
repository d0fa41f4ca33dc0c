#pragma once
// Lessons with chosen question texts for the copy and delete tests.
#include <QStringList>

#include "Fixture.h"

class TransferFixture : public AppFixture {
protected:
    void SetUp() override;
    // An active lesson whose rows hold these questions in this order; options "<q> 1".."<q> 4",
    // correct option 1..4 in turn, explanation "why <q>".
    void Lesson(const QString &name, const QStringList &questions);
    // The lesson's questions in the order of its rows.
    QStringList Questions(const QString &lesson);
    int Rows(const QString &lesson);
    QString Table(const QString &lesson);
};
