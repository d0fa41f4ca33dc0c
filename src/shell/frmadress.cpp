#include "shell/frmadress.h"

#include "platform/BusyMessages.h"
#include "platform/App.h"
#include "platform/MsgBox.h"
#include "platform/SavedSettings.h"
#include "platform/Share.h"
#include "platform/SingleInstance.h"
#include "shell/ConnectionText.h"
#include "shell/MainForm.h"
#include "shell/Module1.h"

using namespace Module1;

void frmadress::Connect() {
    On(*this, ui().Command1, &QPushButton::clicked, [this] { Command1_Click(); });
    On(*this, ui().Command2, &QPushButton::clicked, [this] { Command2_Click(); });
}

void frmadress::Command1_Click() {
    if (SingleInstance::PrevInstance()) {
        MsgBox(QStringLiteral(" برنامه در حال اجرا بوده و اجراي همزمان آن وجود ندارد "), Msg::vbCritical, QStringLiteral("Error"));
        App::End();
        return;
    }

    // The search only tells whether the file is somewhere on the share; its path is not used.
    const QString server = ui().txt1->text();
    if (!Share::SearchTreeForFile(ConnectionText::ShareFolder(server), ConnectionText::DatabaseFileName)) {
        MsgBox(QStringLiteral("نام کامپيوتر سرور را صحيح وارد کنيدارتباط برقرار نشد"), Msg::vbExclamation, QString());
        return;
    }

    ConnectionString = ConnectionText::For(server);
    try {
        DbConnection = Db::Connection();
        DbConnection.CursorLocation = 3;
        DbConnection.ConnectionString = ConnectionString;
        DbConnection.Open(QString(), QString(), -1);
        DbConnection.Close();

        // First start for this user: the defaults, all of them, even over keys that are there.
        // Unreadable is not missing: it fails here rather than passing for a first start.
        ScratchValue = SavedSettings::ReadSetting(SettingsApp, SettingsSection, QStringLiteral("Pass"));
        if (ScratchValue.toString().isEmpty()) {
            SaveSetting(QStringLiteral("Pass"), ConnectionText::DefaultEntryPassword);
            SaveSetting(QStringLiteral("Pass2"), ConnectionText::DefaultEntryPassword);
            SaveSetting(QStringLiteral("Qusetion_Count"), QStringLiteral("20"));
            SaveSetting(QStringLiteral("Answer_Time"), QStringLiteral("40"));
            SaveSetting(QStringLiteral("T_Emtiyaz"), QStringLiteral("1"));
            SaveSetting(QStringLiteral("F_Emtiyaz"), QStringLiteral("0"));
        }

        Unload();
        Forms::Get<MainForm>().Show();
    } catch (const Db::BusyError &) {
        // Only in use, not broken: the window stays for another try.
        Db::TellBusy();
    } catch (const std::exception &) {
        MsgBox(QStringLiteral(" پايگاه داده برنامه دچار مشکل شده و امکان اجراي برنامه وجود ندارد "), Msg::vbCritical, QString());
        App::End();
    }
}

void frmadress::Command2_Click() { App::End(); }
