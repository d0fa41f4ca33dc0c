#pragma once
// The printed trainee list: a right-to-left page with the school year and class as its title, a
// table of the trainees under Persian headings (repeated on every page) and page numbers, shown in
// a print preview from which it goes to a printer or to a PDF file.
#include <QString>

class QPrinter;
class Recordset;

class TraineeListReport {
public:
    explicit TraineeListReport(Recordset &data) : m_data(data) {}

    // The preview, modal; its print button prints.
    void Show();
    // Lays the list out on the printer's pages, rows in the recordset's order, and draws them.
    void Print(QPrinter *printer);

    // The preview's window name.
    static inline const QString WindowName = QStringLiteral("TraineeListReport");

private:
    Recordset &m_data;
};
