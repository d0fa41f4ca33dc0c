#pragma once
// The shared module: the values that windows hand to each other, the loaded questions, the reset
// routine, and (PersianCalendar.h) the Persian calendar routines. One copy of each for the whole run.
#include <QString>
#include <QVariant>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Db.h"
#include "shell/PersianCalendar.h"

class Recordset;

namespace Module1 {

// A two-index array re-dimensioned by its filler, contents discarded: first index 0..rows-1,
// second 0..columns-1 (the question's position).
template <class T> class Array2D {
public:
    void ReDim(int rows, int columns) {
        m_rows = rows;
        m_columns = columns;
        m_data.assign(size_t(rows) * size_t(columns), T{});
    }
    T &operator()(int row, int column) { return m_data.at(index(row, column)); }
    const T &operator()(int row, int column) const { return m_data.at(index(row, column)); }
    int Rows() const { return m_rows; }
    int Columns() const { return m_columns; }

private:
    size_t index(int row, int column) const {
        if (row < 0 || row >= m_rows || column < 0 || column >= m_columns)
            throw std::out_of_range("subscript out of range");
        return size_t(row) * size_t(m_columns) + size_t(column);
    }
    int m_rows = 0;
    int m_columns = 0;
    std::vector<T> m_data;
};

// Connection
inline QString ConnectionString;
inline Db::Connection DbConnection;
inline std::shared_ptr<Recordset> ReportRecordset;

// Class choice (main menu)
inline QString SelectedYearText;
inline QString ClassNumberText;
inline QString SelectedClassName;

// Exam and report-card hand-over
inline QString SelectedTraineeName;
inline QString EnteredNationalCode;
inline QString CurrentLessonName;
// Not a byte: the question bank holds a lesson of any size (an exam draws at most 255).
inline int QuestionCount = 0;
inline uint8_t CorrectCount = 0;
inline uint8_t WrongCount = 0;
inline uint8_t BlankCount = 0;
inline int16_t ExamScore = 0;
inline QString TotalMinutesText;
inline QString ElapsedTimeText;
inline uint8_t SecondsPerQuestion = 0;
inline uint8_t StartMode = 0;
inline QString ReportExamDate;

// Question arrays
inline Array2D<QString> QuestionTexts;  // (0, i): question i
inline Array2D<QString> AnswerTexts;    // (0..3, i): options 1 to 4 of question i
inline Array2D<int> CorrectOptions; // (0, i): correct option; (1, i): chosen option or record id

// Access
inline uint8_t UnlockedFlag = 0;

// Working variables
inline QVariant ScratchValue;
inline QVariant LoopIndex;
inline QVariant LoopIndex2;
inline int16_t TransferCount = 0;

// Saved settings: application and section of every key the program keeps.
inline const QString SettingsApp = QStringLiteral("Quorvel");
inline const QString SettingsSection = QStringLiteral("Setting");
QString GetSetting(const QString &key);
void SaveSetting(const QString &key, const QString &value);

// Clears the result values before a chart and when an exam is left (the class choice stays).
void ResetChartGlobals();

// Back to the state of a fresh start (tests).
void ResetAll();

} // namespace Module1
