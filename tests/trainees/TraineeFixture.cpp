#include "TraineeFixture.h"

#include <QTableView>
#include <QTest>

#include "platform/DataControl.h"
#include "shell/Module1.h"
#include "trainees/KaramoozList.h"

using namespace Module1;
using namespace Qt::StringLiterals;

const QList<TraineeFixture::Trainee> &TraineeFixture::Class() {
    static const QList<Trainee> trainees = {{12, u"زهرا"_s, u"احمدی"_s, 1263450982LL, u"03132245117"_s},
                                            {3, u"محمدرضا"_s, u"ملکی"_s, 1295218471LL, u"09131872604"_s},
                                            {7, u"نرگس"_s, u"توکلی"_s, 1270364898LL, u"03136610293"_s}};
    return trainees;
}

void TraineeFixture::SetUp() {
    AppFixture::SetUp();
    MakeDatabase(false);
    ClassNumberText = u"3"_s;
    SelectedYearText = u"90-1389"_s;
    SelectedClassName = u"سوم"_s;
    const QString dates[] = {u"2024-08-25"_s, u"2024-03-20"_s, u"2023-09-23"_s};
    for (int i = 0; i < Class().size(); ++i) {
        const Trainee &t = Class().at(i);
        Exec(u"INSERT INTO Karamooz3 (ID, Name, Family, fathername, clase, codemeli, ShSH, Sabtdate, codmeli) "
             "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"_s,
             {t.id, t.name, t.family, u"پدر %1"_s.arg(t.id), u"سوم"_s, t.code, QString::number(1000 + t.id),
              dates[i], t.tel});
    }
    SetPoints(u"1"_s, u"0"_s);
}

KaramoozList &TraineeFixture::OpenList() {
    KaramoozList &list = Forms::Get<KaramoozList>();
    list.ShowModal();
    ProcessEvents();
    return list;
}

KaramoozList &TraineeFixture::List() { return Forms::Get<KaramoozList>(); }

void TraineeFixture::SetSwitch(int value) { Exec(u"UPDATE setting SET karnameh=?"_s, {value}); }

void TraineeFixture::SetPoints(const QString &correct, const QString &wrong) {
    SaveSetting(u"T_Emtiyaz"_s, correct);
    SaveSetting(u"F_Emtiyaz"_s, wrong);
}

void TraineeFixture::AddCard(qint64 code, const QString &lesson, const QVariant &count, int right, int wrong,
                             int blank, const QString &examDate) {
    Exec(u"INSERT INTO Karnameh3 (name, codemeli, KID, Lesson, ExamDate, QCount, AnswerTime, FullTime, TAnswer, "
         "FAnswer, NAnswer, Emtiyaz) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s,
         {u"x"_s, QString::number(code), code, lesson, examDate, count, u"05:10"_s, u"13.33"_s, right, wrong, blank,
          right});
}

QList<int> TraineeFixture::GridIds() {
    QAbstractItemModel *model = List().ui().DataGrid1->model();
    QList<int> ids;
    for (int r = 0; r < model->rowCount(); ++r)
        ids << model->index(r, 0).data().toInt();
    return ids;
}

int TraineeFixture::CurrentId() {
    const Recordset &list = List().Adodc1->Recordset();
    return list.IsBOF() || list.IsEOF() ? -1 : list.Value(u"ID"_s).toInt();
}

void TraineeFixture::MakeCurrent(int id) {
    Recordset &list = List().Adodc1->Recordset();
    list.MoveFirst();
    ASSERT_TRUE(list.Find(u"ID"_s, id));
}

void TraineeFixture::DoubleClickRow(int row) {
    QTableView *grid = List().ui().DataGrid1;
    const QRect cell = grid->visualRect(grid->model()->index(row, 2));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

void TraineeFixture::Narrow(int id) {
    List().Adodc1->RecordSource = u"SELECT * FROM Karamooz3 WHERE ID=?"_s;
    List().Adodc1->RecordSourceValues = {id};
    List().Adodc1->Refresh();
}

void TraineeFixture::ClickCard(int row) {
    QTableView *grid = List().ui().DataGrid2;
    const QRect cell = row >= 0 ? grid->visualRect(grid->model()->index(row, 1)) : QRect(5, 5, 2, 2);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}
