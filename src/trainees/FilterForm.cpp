#include "trainees/FilterForm.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "platform/KeyFilter.h"
#include "platform/MsgBox.h"
#include "platform/SelectOnFocus.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"
#include "trainees/KaramoozTexts.h"

using namespace Module1;
using namespace Qt::StringLiterals;

namespace {

const QString CodeDigits = u"0123456789"_s;
const QString DateCharacters = u"0123456789/"_s;
// Digits and signs have no place in a name.
const QString NotInNames = uR"(0123456789/\?><!@#$%^&*()_-=+{}][~'|;:؟)"_s;

// The comparisons of the registration date, in the order of Combo1's items.
const QString DateComparisons[] = {u"="_s, u">"_s, u"<"_s, u"<>"_s};

using KaramoozTexts::Warn;
void inform(const QString &text) { MsgBox(text, Msg::vbInformation, QString()); }

QString classTrainees() { return SharedDatabase::SelectAll(SharedDatabase::TraineeTableName(ClassNumberText)); }

} // namespace

void FilterForm::ShowFor(DataControl *trainees, QTabWidget *tabs) {
    FilterForm &search = Forms::Get<FilterForm>();
    search.m_trainees = trainees;
    search.m_tabs = tabs;
    search.Load();
    search.focusFirstBox();
    search.ShowModal();
}

void FilterForm::Connect() {
    auto &u = ui();
    const auto find = [this] { cmd_find_Click(); };
    const auto leave = [this] { Cmd_Cancel_Click(); };
    // Escape in the code box is refused like any unlisted character; it does not leave.
    KeyFilter::Install(u.T1, CodeDigits, KeyFilter::Allowed, find);
    for (QLineEdit *box : {u.T2, u.T3, u.T4})
        KeyFilter::Install(box, NotInNames, KeyFilter::Refused, find, leave);
    KeyFilter::Install(u.T5, DateCharacters, KeyFilter::Allowed, find, leave);
    for (QLineEdit *box : {u.T1, u.T2, u.T3, u.T4, u.T5})
        SelectOnFocus::Install(box);
    On(*this, u.Option1, &QRadioButton::clicked, [this] { Option1_Click(); });
    On(*this, u.Option2, &QRadioButton::clicked, [this] { Option2_Click(); });
    On(*this, u.cmd_find, &QPushButton::clicked, find);
    On(*this, u.Cmd_Cancel, &QPushButton::clicked, leave);
}

void FilterForm::Form_Load() { ui().Combo1->setCurrentIndex(0); }

bool FilterForm::Form_QueryUnload() {
    Hide();
    return false;
}

void FilterForm::Option1_Click() { chooseMode(true); }

void FilterForm::Option2_Click() { chooseMode(false); }

void FilterForm::chooseMode(bool byCode) {
    auto &u = ui();
    u.T1->setEnabled(byCode);
    for (QWidget *box : std::initializer_list<QWidget *>{u.T2, u.T3, u.T4, u.T5, u.Combo1})
        box->setEnabled(!byCode);
    focusFirstBox();
}

void FilterForm::focusFirstBox() { (ui().Option1->isChecked() ? ui().T1 : ui().T2)->setFocus(); }

void FilterForm::Cmd_Cancel_Click() { Hide(); }

void FilterForm::cmd_find_Click() {
    if (!m_trainees || !m_tabs)
        return;
    try {
        m_tabs->setCurrentIndex(TraineeListTab);
        if (ui().Option1->isChecked())
            findByCode();
        else
            findByParticulars();
    } catch (const Db::DbError &error) {
        KaramoozTexts::TellFailure(error, KaramoozTexts::TraineesUnreadable);
    }
}

void FilterForm::findByCode() {
    QLineEdit *box = ui().T1;
    if (box->text().trimmed().isEmpty()) {
        Warn(u" لطفا کد کارآموزي را وارد کنيد "_s);
        box->setFocus();
        return;
    }
    m_trainees->Refresh();
    // Codes are compared as numbers, so leading zeros do not matter; a pasted text that is no
    // number matches no code.
    const QString typed = box->text().trimmed();
    bool whole = false;
    const qlonglong code = typed.toLongLong(&whole);
    Recordset &rs = m_trainees->Recordset();
    if (rs.RecordCount() == 0 || !rs.Find(u"codemeli"_s, whole ? QVariant(code) : QVariant(typed))) {
        inform(u" کارآموزي با اين کد در ليست يافت نشد  "_s);
        box->selectAll();
        return;
    }
    // Report cards switched off stay closed: the found trainee is then the list's current one.
    if (m_tabs->isTabEnabled(ReportCardTab))
        m_tabs->setCurrentIndex(ReportCardTab);
}

void FilterForm::findByParticulars() {
    auto &u = ui();
    const QString name = u.T2->text().trimmed();
    const QString family = u.T3->text().trimmed();
    const QString father = u.T4->text().trimmed();
    const QString registered = u.T5->text().trimmed();
    if (name.isEmpty() && family.isEmpty() && father.isEmpty() && registered.isEmpty()) {
        Warn(u"   حداقل بايد يکي از گزينه ها براي جستجو تکميل باشد    "_s);
        return;
    }
    // The date is compared as the day it names; a text the check lets through may name none.
    std::optional<QDate> day;
    if (!registered.isEmpty()) {
        day = IsBadPersianDate(u.T5->text()) ? std::nullopt : PersianTextToDate(registered);
        if (!day) {
            Warn(u" لطفا تاريخ ثبت را به صورت صحيح وارد نماييد "_s);
            u.T5->selectAll();
            u.T5->setFocus();
            return;
        }
    }

    // Typed values are bound, never written into the query. Names compare as the stored ones do
    // elsewhere, Latin letters without regard to case, since the boxes enter them in upper case.
    QString where;
    QVariantList values;
    const auto condition = [&](const QString &test, const QVariant &value) {
        where += (where.isEmpty() ? u" "_s : u" And "_s) + test;
        values << value;
    };
    if (!name.isEmpty())
        condition(u"Name=? COLLATE NOCASE"_s, name);
    if (!family.isEmpty())
        condition(u"Family=? COLLATE NOCASE"_s, family);
    if (!father.isEmpty())
        condition(u"fathername=? COLLATE NOCASE"_s, father);
    if (day) {
        const int comparison = std::clamp(u.Combo1->currentIndex(), 0, int(std::size(DateComparisons)) - 1);
        condition(u"date(Sabtdate)"_s + DateComparisons[comparison] + u"?"_s, day->toString(Qt::ISODate));
    }
    showInList(classTrainees() + u" WHERE"_s + where, values);

    const int matches = m_trainees->Recordset().RecordCount();
    if (matches == 0) {
        inform(u" کارآموزي با اين مشخصات در ليست يافت نشد  "_s);
        showInList(classTrainees(), {});
    } else if (matches == 1) {
        m_tabs->setCurrentIndex(TraineeListTab);
    }
}

void FilterForm::showInList(const QString &source, const QVariantList &values) {
    m_trainees->RecordSource = source;
    m_trainees->RecordSourceValues = values;
    m_trainees->Refresh();
}
