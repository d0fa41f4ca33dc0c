#include "shell/Module1.h"

#include "platform/Recordset.h"
#include "platform/SavedSettings.h"

namespace Module1 {

QString GetSetting(const QString &key) { return SavedSettings::GetSetting(SettingsApp, SettingsSection, key); }

void SaveSetting(const QString &key, const QString &value) {
    SavedSettings::SaveSetting(SettingsApp, SettingsSection, key, value);
}

void ResetChartGlobals() {
    UnlockedFlag = 0;
    SelectedTraineeName.clear();
    CurrentLessonName.clear();
    CorrectCount = 0;
    WrongCount = 0;
    BlankCount = 0;
    TotalMinutesText.clear();
    ElapsedTimeText.clear();
    ExamScore = 0;
    SecondsPerQuestion = 0;
    QuestionCount = 0;
    StartMode = 0;
}

void ResetAll() {
    ResetChartGlobals();
    ConnectionString.clear();
    // The print's rows go before the connection they were read through.
    ReportRecordset.reset();
    DbConnection.Close();
    DbConnection = Db::Connection();
    SelectedYearText.clear();
    ClassNumberText.clear();
    SelectedClassName.clear();
    EnteredNationalCode.clear();
    ReportExamDate.clear();
    QuestionTexts = {};
    AnswerTexts = {};
    CorrectOptions = {};
    ScratchValue = QVariant();
    LoopIndex = QVariant();
    LoopIndex2 = QVariant();
    TransferCount = 0;
}

} // namespace Module1
