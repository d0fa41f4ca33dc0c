#include "trainees/TablePages.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>
#include <algorithm>
#include <climits>
#include <limits>

namespace {
const QString FontFamily = QStringLiteral("Noto Sans Arabic");
constexpr qreal BodyPoints = 9;

QTextOption rightToLeft(Qt::Alignment alignment) {
    QTextOption option(alignment);
    option.setTextDirection(Qt::RightToLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

// How a replayed text keeps its place: letters of one direction go together (with the marks on
// them), a space is no text, and anything else (a slash, a comma, a bracket) stands alone.
enum class Piece { RightToLeft, LeftToRight, Mark, Space, Alone };

Piece pieceOf(QChar c) {
    switch (c.direction()) {
    case QChar::DirR:
    case QChar::DirAL:
        return Piece::RightToLeft;
    case QChar::DirL:
    case QChar::DirEN:
    case QChar::DirAN:
        return Piece::LeftToRight;
    case QChar::DirNSM:
    case QChar::DirBN:
        return Piece::Mark;
    case QChar::DirWS:
    case QChar::DirS:
    case QChar::DirB:
    case QChar::DirLRE:
    case QChar::DirLRO:
    case QChar::DirRLE:
    case QChar::DirRLO:
    case QChar::DirPDF:
    case QChar::DirLRI:
    case QChar::DirRLI:
    case QChar::DirFSI:
    case QChar::DirPDI:
        return Piece::Space;
    default:
        return c.isSurrogate() ? Piece::LeftToRight : Piece::Alone;
    }
}
} // namespace

TablePages::TablePages(QPrinter &printer, QList<Column> columns, QList<TitleLine> title)
    : m_printer(printer), m_columns(std::move(columns)), m_body(QFont(FontFamily, int(BodyPoints)), &printer),
      m_bold(m_body) {
    m_bold.setBold(true);
    const qreal dpi = printer.resolution();
    const QSizeF area = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    const qreal margin = dpi / 2.54; // a centimetre
    const QFontMetricsF body(m_body, &printer);
    const QFontMetricsF bold(m_bold, &printer);
    m_padding = dpi * 3 / 72;
    m_rule = dpi * 0.5 / 72;
    m_left = margin;
    m_right = area.width() - margin;
    m_top = margin;
    m_footer = body.height() * 2;
    m_bottom = area.height() - margin - m_footer;

    // Every column has room for its heading and its widest text; the rest is shared out.
    QList<qreal> widths;
    qreal needed = 0, shares = 0;
    for (const Column &column : m_columns) {
        widths << std::max(bold.horizontalAdvance(column.heading), body.horizontalAdvance(column.widest)) +
                      2 * m_padding + body.averageCharWidth();
        needed += widths.last();
        shares += column.share;
    }
    const qreal room = m_right - m_left;
    for (int c = 0; c < widths.size(); ++c)
        widths[c] = room >= needed ? widths[c] + (shares > 0 ? (room - needed) * m_columns[c].share / shares : 0)
                                   : widths[c] * room / needed;
    m_edges << m_right;
    for (qreal width : widths)
        m_edges << m_edges.last() - width;

    for (const TitleLine &line : title) {
        QFont font(QFont(FontFamily, int(line.pointSize)), &printer);
        font.setBold(line.bold);
        QTextLayout &layout = m_title.emplace_back(line.text, font, &printer);
        layout.setTextOption(rightToLeft(Qt::AlignHCenter));
        m_titleTops << m_titleHeight;
        m_titleHeight += layOut(layout, line.text, room);
    }
    if (!m_title.empty())
        m_titleHeight += body.height();
    for (const Column &column : m_columns) {
        QTextLayout &layout = m_headings.emplace_back(column.heading, m_bold, &printer);
        layout.setTextOption(rightToLeft(Qt::AlignRight | Qt::AlignAbsolute));
    }
    m_headingHeight = layOutRow(m_headings, [&](int column) { return m_columns[column].heading; });
}

TablePages::~TablePages() = default;

qreal TablePages::layOut(QTextLayout &layout, const QString &text, qreal width) const {
    layout.setText(text);
    layout.beginLayout();
    qreal height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return height;
}

qreal TablePages::layOutRow(std::deque<QTextLayout> &cells, const std::function<QString(int)> &text) const {
    qreal tallest = 0;
    for (int c = 0; c < int(cells.size()); ++c)
        tallest = std::max(tallest, layOut(cells[c], text(c), m_edges[c] - m_edges[c + 1] - 2 * m_padding));
    return tallest + 2 * m_padding;
}

int TablePages::Print(int rows, const std::function<QString(int, int)> &cell) {
    QPainter painter(&m_printer);
    if (!painter.isActive())
        return 0;
    m_recorded = painter.paintEngine()->type() == QPaintEngine::Picture;
    if (m_recorded)
        painter.setLayoutDirection(Qt::LeftToRight);
    const int first = std::max(m_printer.fromPage(), 1);
    const int last = m_printer.toPage() > 0 ? m_printer.toPage() : INT_MAX;

    std::deque<QTextLayout> cells;
    for (int c = 0; c < m_columns.size(); ++c)
        cells.emplace_back(QString(), m_body, &m_printer).setTextOption(rightToLeft(Qt::AlignRight | Qt::AlignAbsolute));

    int page = 0;
    bool anyShown = false;
    qreal y = 0;
    QList<qreal> rowEdges;
    auto shown = [&] { return page >= first && page <= last; };
    auto beginPage = [&] {
        ++page;
        y = m_top;
        if (shown() && anyShown)
            m_printer.newPage();
        anyShown = anyShown || shown();
        if (page == 1) {
            if (shown())
                for (int i = 0; i < int(m_title.size()); ++i)
                    drawText(painter, m_title[i], QPointF(m_left, y + m_titleTops[i]));
            y += m_titleHeight;
        }
        rowEdges = {y};
        if (shown()) {
            painter.fillRect(QRectF(m_edges.last(), y, m_right - m_edges.last(), m_headingHeight), QColor(235, 235, 235));
            drawRow(painter, m_headings, y);
        }
        y += m_headingHeight;
        rowEdges << y;
    };
    auto endPage = [&] {
        if (!shown())
            return;
        drawGrid(painter, rowEdges);
        drawPageNumber(painter, page);
    };

    beginPage();
    for (int row = 0; row < rows; ++row) {
        const qreal height = layOutRow(cells, [&](int column) { return cell(row, column); });
        if (y + height > m_bottom && rowEdges.size() > 2) {
            endPage();
            if (page >= last)
                return page;
            beginPage();
        }
        const qreal bottom = std::min(y + height, m_bottom);
        if (shown()) {
            // A row taller than a whole page keeps to its page.
            painter.save();
            if (bottom < y + height)
                painter.setClipRect(QRectF(m_left, y, m_right - m_left, bottom - y));
            drawRow(painter, cells, y);
            painter.restore();
        }
        y = bottom;
        rowEdges << y;
    }
    endPage();
    return page;
}

void TablePages::drawRow(QPainter &painter, std::deque<QTextLayout> &cells, qreal top) const {
    for (int c = 0; c < int(cells.size()); ++c)
        drawText(painter, cells[c], QPointF(m_edges[c + 1] + m_padding, top + m_padding));
}

// A PDF carries the glyphs in the order they are drawn; drawn line by line from the left, whatever
// their font, the PDF's text readers find each word whole and where it is drawn.
void TablePages::drawText(QPainter &painter, const QTextLayout &layout, const QPointF &at) const {
    if (!m_recorded) {
        const QList<QGlyphRun> runs = layout.glyphRuns();
        struct Glyph {
            QPointF position;
            int run;
            quint32 index;
        };
        QList<Glyph> glyphs;
        for (int r = 0; r < runs.size(); ++r) {
            const QList<quint32> indexes = runs[r].glyphIndexes();
            const QList<QPointF> positions = runs[r].positions();
            for (int i = 0; i < indexes.size(); ++i)
                glyphs << Glyph{positions[i], r, indexes[i]};
        }
        std::stable_sort(glyphs.begin(), glyphs.end(), [](const Glyph &a, const Glyph &b) {
            return a.position.y() != b.position.y() ? a.position.y() < b.position.y() : a.position.x() < b.position.x();
        });
        for (int from = 0; from < glyphs.size();) {
            int to = from + 1;
            while (to < glyphs.size() && glyphs[to].run == glyphs[from].run)
                ++to;
            QGlyphRun piece = runs[glyphs[from].run];
            QList<quint32> indexes;
            QList<QPointF> positions;
            for (int i = from; i < to; ++i) {
                indexes << glyphs[i].index;
                positions << glyphs[i].position;
            }
            piece.setGlyphIndexes(indexes);
            piece.setPositions(positions);
            painter.drawGlyphRun(at, piece);
            from = to;
        }
        return;
    }
    // The preview replays each text from its left edge as if it were left to right; given one
    // direction's letters at a time, each at its own place, it shows what the printer gets.
    const QString text = layout.text();
    painter.setFont(layout.font());
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        const qreal baseline = at.y() + line.y() + line.ascent();
        const int end = line.textStart() + line.textLength();
        for (int start = line.textStart(); start < end;) {
            const Piece piece = pieceOf(text.at(start));
            if (piece == Piece::Space) {
                ++start;
                continue;
            }
            int stop = start + 1;
            if (piece == Piece::RightToLeft || piece == Piece::LeftToRight)
                while (stop < end && (pieceOf(text.at(stop)) == piece || pieceOf(text.at(stop)) == Piece::Mark))
                    ++stop;
            // Where the line put these letters' glyphs, and whether it turned a bracket round.
            qreal left = std::numeric_limits<qreal>::max();
            QString letters = text.mid(start, stop - start);
            for (const QGlyphRun &run : line.glyphRuns(start, stop - start)) {
                for (const QPointF &position : run.positions())
                    left = std::min(left, position.x());
                if (piece == Piece::Alone && text.at(start).hasMirrored() && !run.glyphIndexes().isEmpty() &&
                    run.rawFont().glyphIndexesForString(letters).value(0) != run.glyphIndexes().first())
                    letters = QChar(text.at(start).mirroredChar());
            }
            if (left != std::numeric_limits<qreal>::max())
                painter.drawText(QPointF(at.x() + left, baseline), letters);
            start = stop;
        }
    }
}

void TablePages::drawGrid(QPainter &painter, const QList<qreal> &rowEdges) const {
    painter.save();
    painter.setPen(QPen(Qt::black, m_rule));
    const qreal top = rowEdges.first(), bottom = rowEdges.last();
    for (qreal y : rowEdges)
        painter.drawLine(QLineF(m_edges.last(), y, m_right, y));
    for (qreal x : m_edges)
        painter.drawLine(QLineF(x, top, x, bottom));
    painter.restore();
}

void TablePages::drawPageNumber(QPainter &painter, int page) const {
    painter.setFont(m_body);
    painter.drawText(QRectF(m_left, m_bottom, m_right - m_left, m_footer), Qt::AlignCenter, QString::number(page));
}
