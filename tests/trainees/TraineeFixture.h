#pragma once
// The common ground of the trainee-list tests: a class of three trainees, stored out of ID order,
// with report cards for two of them, and the list window driven as the user drives it.
#include <QList>
#include <QString>

#include "support/Fixture.h"
#include "trainees/KaramoozList.h"

class TraineeFixture : public AppFixture {
protected:
    void SetUp() override;

    // Shows the list as the main menu does (modally, without a script it stays open).
    KaramoozList &OpenList();
    KaramoozList &List();
    Ui::KaramoozList &u() { return List().ui(); }
    // The report-card switch in the settings row.
    void SetSwitch(int value);
    void SetPoints(const QString &correct, const QString &wrong);
    // A card of the trainee with the national code.
    void AddCard(qint64 code, const QString &lesson, const QVariant &count, int right, int wrong, int blank,
                 const QString &examDate = QStringLiteral("1403/07/01"));
    // The IDs in the grid's rows, top to bottom, and the current trainee's.
    QList<int> GridIds();
    int CurrentId();
    void MakeCurrent(int id);
    void DoubleClickRow(int row);
    // What a search leaves: the list narrowed to one trainee by a bound value.
    void Narrow(int id);
    void ClickCard(int row);

    // ID, first name, family name, national code and the particular shown under "Tel", in the table's order.
    struct Trainee {
        int id;
        QString name;
        QString family;
        qint64 code;
        QString tel;
    };
    static const QList<Trainee> &Class();
};
