#include "shell/SettingForm.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>

#include "platform/BusyMessages.h"
#include "platform/Bindings.h"
#include "platform/Convert.h"
#include "platform/DataControl.h"
#include "platform/KeyFilter.h"
#include "platform/MsgBox.h"
#include "platform/SavedSettings.h"
#include "shell/Module1.h"

using namespace Module1;

namespace {
const QString PasswordChars = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ ");
const QString DigitChars = QStringLiteral("0123456789");

// The exam parameters, by box and saved key.
struct ExamParameter {
    QLineEdit *Ui::SettingForm::*box;
    const char *key;
};
const ExamParameter ExamParameters[] = {
    {&Ui::SettingForm::T1, "Qusetion_Count"},
    {&Ui::SettingForm::T2, "Answer_Time"},
    {&Ui::SettingForm::T3, "T_Emtiyaz"},
    {&Ui::SettingForm::T4, "F_Emtiyaz"},
};

// The access switches of the settings row, by check box and field; Text22 holds the edit password.
struct AccessSwitch {
    QCheckBox *Ui::SettingForm::*check;
    const char *field;
};
const AccessSwitch AccessSwitches[] = {
    {&Ui::SettingForm::Check1, "tellumo"},   {&Ui::SettingForm::Check2, "Question"},
    {&Ui::SettingForm::Check3, "Questionp"}, {&Ui::SettingForm::Check4, "karnameh"},
    {&Ui::SettingForm::Check5, "Questiont"},
};
const QString EditPasswordField = QStringLiteral("passedit");

// The box's own enabled state: page 2's boxes count as enabled by a passed check even while the
// page itself is switched off.
bool IsOwnEnabled(const QWidget *box) { return !box->testAttribute(Qt::WA_ForceDisabled); }

// Only spaces are cut, as the passwords are typed.
QString TrimSpaces(const QString &text) {
    qsizetype first = 0, last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.mid(first, last - first);
}
} // namespace

void SettingForm::Connect() {
    auto &u = ui();
    Adodc1 = new DataControl(Widget());
    Bindings::Bind(u.Text22, Adodc1, EditPasswordField);
    for (const auto &access : AccessSwitches)
        Bindings::Bind(u.*access.check, Adodc1, QString::fromLatin1(access.field));

    KeyFilter::Install(u.Text1, PasswordChars, KeyFilter::Allowed, [this] { Cmd_Test_Click(); });
    KeyFilter::Install(u.Text11, PasswordChars, KeyFilter::Allowed, [this] { cmdtest2_Click(); });
    KeyFilter::Install(u.Text2, PasswordChars);
    KeyFilter::Install(u.Text22, PasswordChars);
    for (const auto &parameter : ExamParameters)
        KeyFilter::Install(u.*parameter.box, DigitChars);

    On(*this, u.Cmd_Test, &QPushButton::clicked, [this] { Cmd_Test_Click(); });
    On(*this, u.cmdtest2, &QPushButton::clicked, [this] { cmdtest2_Click(); });
    On(*this, u.SSTab, &QTabWidget::currentChanged, [this](int page) { SSTab_Click(page); });
    On(*this, u.Button1, &QAction::triggered, [this] { Toolbar1_ButtonClick(1); });
    On(*this, u.Button3, &QAction::triggered, [this] { Toolbar1_ButtonClick(3); });
}

void SettingForm::Disconnect() { Adodc1 = nullptr; }

void SettingForm::Form_Load() {
    auto &u = ui();
    Adodc1->ConnectionString = ConnectionString;
    Adodc1->RecordSource = QStringLiteral("SELECT * FROM setting");
    try {
        Adodc1->Refresh();
        if (Adodc1->Recordset().IsEOF())
            throw Db::DbError(QStringLiteral("the setting table has no row"));
    } catch (const Db::BusyError &) {
        Db::TellBusy();
    } catch (const Db::DbError &) {
        MsgBox(QStringLiteral(" تنظيمات دسترسي از پايگاه داده خوانده نشد "), Msg::vbCritical, QString());
    }
    for (const auto &parameter : ExamParameters)
        (u.*parameter.box)->setText(GetSetting(QString::fromLatin1(parameter.key)));
    m_savedPass = GetSetting(QStringLiteral("Pass"));

    // The exam parameters and the edit password with the access switches stay locked.
    for (int page : {1, 2}) {
        u.SSTab->setTabEnabled(page, false);
        if (UnlockedFlag == 0)
            u.SSTab->setTabVisible(page, false);
    }
    // The page in view takes the focus in its first box, as a page change gives it.
    SSTab_Click(u.SSTab->currentIndex());
}

bool SettingForm::OldPasswordMatches(QLineEdit *typed, const QString &stored) {
    if (Convert::UCase(typed->text()) == Convert::UCase(stored))
        return true;
    MsgBox(QStringLiteral(" کلمه عبور قبلي شما صحيح نمي باشد "), Msg::vbCritical, QString());
    return false;
}

void SettingForm::Cmd_Test_Click() {
    auto &u = ui();
    if (OldPasswordMatches(u.Text1, m_savedPass)) {
        u.Text2->setEnabled(true);
        u.Text2->setFocus();
        return;
    }
    u.Text2->clear();
    u.Text2->setEnabled(false);
    u.Text1->selectAll();
    u.Text1->setFocus();
}

void SettingForm::cmdtest2_Click() {
    auto &u = ui();
    // Text22 holds the stored edit password.
    if (OldPasswordMatches(u.Text11, u.Text22->text())) {
        u.Text22->setVisible(true);
        u.Text22->setEnabled(true);
        u.Text22->setFocus();
        return;
    }
    u.Text22->setEnabled(false);
    u.Text11->selectAll();
    u.Text11->setFocus();
}

void SettingForm::SSTab_Click(int page) {
    auto &u = ui();
    QLineEdit *first[] = {u.Text1, u.T1, u.Text11};
    if (page >= 0 && page < 3)
        first[page]->setFocus();
}

void SettingForm::Toolbar1_ButtonClick(int button) {
    if (button == 1)
        Unload();
    else if (button == 3)
        Save();
}

void SettingForm::SaveNewPassword(QLineEdit *box, const QString &key) {
    if (!IsOwnEnabled(box))
        return;
    const QString password = TrimSpaces(box->text());
    if (password.isEmpty())
        MsgBox(QStringLiteral(" به دليل خالي گذاشتن کلمه عبور جديد ، کلمه عبور قبلي شما تغيير نخواهد کرد "), Msg::vbExclamation, QString());
    else
        SaveSetting(key, password);
}

// One UPDATE statement carries the whole row, so the file holds either all of it or none.
void SettingForm::UpdateSettingRow() {
    Recordset &rs = Adodc1->Recordset();
    // The bound controls keep the row's values as they stand; all of them are written back.
    QStringList fields{EditPasswordField};
    for (const auto &access : AccessSwitches)
        fields << QString::fromLatin1(access.field);
    for (const QString &field : fields)
        rs.SetValue(field, rs.Value(field));
    rs.Update();
}

void SettingForm::Save() {
    auto &u = ui();
    try {
        SaveNewPassword(u.Text2, QStringLiteral("Pass"));
        SaveNewPassword(u.Text22, QStringLiteral("Pass2"));
        for (const auto &parameter : ExamParameters) {
            if ((u.*parameter.box)->text().isEmpty()) {
                MsgBox(QStringLiteral(" کامل نمودن همه گزينه ها براي برگزاري آزمون الزامي است "), Msg::vbExclamation, QString());
                return;
            }
        }
        // All four are there before the first is written.
        for (const auto &parameter : ExamParameters)
            SaveSetting(QString::fromLatin1(parameter.key), (u.*parameter.box)->text());
    } catch (const SavedSettings::SettingsError &) {
        MsgBox(QStringLiteral(" تنظيمات برنامه در اين کامپيوتر ذخيره نشد "), Msg::vbCritical, QString());
        return;
    }
    try {
        UpdateSettingRow();
    } catch (const Db::BusyError &) {
        // The window stays, so the row can be saved again once the file is free.
        Db::TellBusy();
        return;
    } catch (const Db::DbError &) {
        MsgBox(QStringLiteral(" تنظيمات دسترسي در پايگاه داده ذخيره نشد ، ساير تنظيمات ذخيره شده است "), Msg::vbCritical, QString());
        return;
    }
    Unload();
}
