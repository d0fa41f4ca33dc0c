#pragma once
// A right-to-left table over a printer's pages: title lines at the top of the first page, the
// headings at the top of every page, each row as tall as its tallest cell (long texts wrap), and
// the page number at the foot. The page is set up first, every cell is laid out once, and each
// page draws only its own rows, so the work grows in step with the rows.
#include <QFont>
#include <QList>
#include <QString>
#include <deque>
#include <functional>

class QPainter;
class QPrinter;
class QTextLayout;

class TablePages {
public:
    struct Column {
        QString heading;
        // A text the column always holds on one line (a national code, a date); empty for none.
        QString widest;
        // The column's part of the width left once every column has room for its heading and widest text.
        qreal share = 0;
    };
    struct TitleLine {
        QString text;
        qreal pointSize = 0;
        bool bold = false;
    };

    TablePages(QPrinter &printer, QList<Column> columns, QList<TitleLine> title);
    ~TablePages();
    TablePages(const TablePages &) = delete;
    TablePages &operator=(const TablePages &) = delete;

    // Draws the rows on the pages of the printer's page range; cell(row, column) gives each text.
    // Returns the number of pages laid out.
    int Print(int rows, const std::function<QString(int row, int column)> &cell);

private:
    qreal layOut(QTextLayout &layout, const QString &text, qreal width) const;
    qreal layOutRow(std::deque<QTextLayout> &cells, const std::function<QString(int)> &text) const;
    void drawRow(QPainter &painter, std::deque<QTextLayout> &cells, qreal top) const;
    void drawText(QPainter &painter, const QTextLayout &layout, const QPointF &at) const;
    void drawPageNumber(QPainter &painter, int page) const;
    void drawGrid(QPainter &painter, const QList<qreal> &rowEdges) const;

    QPrinter &m_printer;
    QList<Column> m_columns;
    QFont m_body;
    QFont m_bold;
    // Device pixels of the printer: the page's content area and each column's right and left edges.
    qreal m_left = 0, m_right = 0, m_top = 0, m_bottom = 0, m_footer = 0;
    qreal m_padding = 0, m_rule = 0;
    QList<qreal> m_edges;
    std::deque<QTextLayout> m_title;
    QList<qreal> m_titleTops;
    std::deque<QTextLayout> m_headings;
    qreal m_titleHeight = 0, m_headingHeight = 0;
    // A print preview records the page and replays its texts laid out afresh from the left.
    bool m_recorded = false;
};
