#include "trainees/TraineeListReport.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPaintEngine>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include "platform/Bindings.h"
#include "platform/Guard.h"
#include "platform/Modal.h"
#include "platform/Recordset.h"
#include "shell/Module1.h"
#include "trainees/KaramoozTexts.h"

using namespace Module1;

namespace {
struct PrintColumn {
    const char *field;
    QString heading;
};

// The list's columns in its order, but the picture's file name, which says nothing on paper.
const PrintColumn Columns[] = {
    {"ID", QStringLiteral("رديف")},          {"Jensiyat", QStringLiteral("جنسيت")},
    {"Name", QStringLiteral("نام")},          {"Family", QStringLiteral("نام خانوادگي")},
    {"clase", QStringLiteral("کلاس")},        {"ShSH", QStringLiteral("شماره شناسنامه")},
    {"BirthDate", QStringLiteral("تاريخ تولد")}, {"fathername", QStringLiteral("نام پدر")},
    {"codmeli", QStringLiteral("کد ملي")},    {"Address", QStringLiteral("نشاني")},
    {"Sabtdate", QStringLiteral("تاريخ ثبت نام")},
};

QString cellText(const Recordset &data, int row, const char *field) {
    const int column = data.FieldIndex(QLatin1String(field));
    if (column < 0)
        return QString();
    const QVariant value = data.ValueAt(row, column);
    if (qstrcmp(field, "Sabtdate") == 0)
        return KaramoozTexts::RegistrationDateText(value);
    return Bindings::DisplayText(value);
}

// Leading is the right edge of a right-to-left block.
QTextBlockFormat rightToLeft(Qt::Alignment alignment = Qt::AlignLeading) {
    QTextBlockFormat format;
    format.setLayoutDirection(Qt::RightToLeft);
    format.setAlignment(alignment);
    return format;
}
} // namespace

void TraineeListReport::Fill(QTextDocument &document) {
    document.clear();
    document.setDefaultFont(QFont(QStringLiteral("Noto Sans Arabic"), 9));
    QTextOption option = document.defaultTextOption();
    option.setTextDirection(Qt::RightToLeft);
    document.setDefaultTextOption(option);

    QTextCursor cursor(&document);
    // One edit: the layout runs once at its end, not after every cell.
    cursor.beginEditBlock();
    QTextCharFormat title;
    title.setFontPointSize(14);
    title.setFontWeight(QFont::Bold);
    cursor.setBlockFormat(rightToLeft(Qt::AlignHCenter));
    cursor.insertText(QStringLiteral("ليست کارآموزان"), title);
    cursor.insertBlock(rightToLeft(Qt::AlignHCenter));
    QTextCharFormat subtitle;
    subtitle.setFontPointSize(11);
    // The year is isolated, so its digits and dash keep their order and the spaces around it stay.
    cursor.insertText(QStringLiteral("سال تحصيلي ") + QChar(0x2068) + SelectedYearText + QChar(0x2069) +
                          QStringLiteral("      کلاس ") + SelectedClassName,
                      subtitle);
    cursor.insertBlock(rightToLeft());

    const int columns = int(std::size(Columns));
    QTextTableFormat table;
    table.setLayoutDirection(Qt::RightToLeft);
    table.setHeaderRowCount(1);
    table.setBorder(0.5);
    table.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    table.setCellPadding(3);
    table.setCellSpacing(0);
    table.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    QTextTable *grid = cursor.insertTable(m_data.RecordCount() + 1, columns, table);

    QTextCharFormat heading;
    heading.setFontWeight(QFont::Bold);
    for (int c = 0; c < columns; ++c) {
        QTextCursor cell = grid->cellAt(0, c).firstCursorPosition();
        cell.setBlockFormat(rightToLeft(Qt::AlignHCenter));
        cell.insertText(Columns[c].heading, heading);
    }
    for (int row = 0; row < m_data.RecordCount(); ++row)
        for (int c = 0; c < columns; ++c) {
            QTextCursor cell = grid->cellAt(row + 1, c).firstCursorPosition();
            cell.setBlockFormat(rightToLeft());
            cell.insertText(cellText(m_data, row, Columns[c].field));
        }
    cursor.endEditBlock();
}

namespace {
// The preview records what is painted and replays its texts laid out afresh, which moves Persian
// runs away from their places. So it gets each page as a picture drawn from the same layout.
constexpr qreal PreviewDotsPerInch = 150;

void drawAsPicture(QPainter &painter, QTextDocument &document, const QRectF &clip, qreal dotsPerInch) {
    const qreal scale = PreviewDotsPerInch / dotsPerInch;
    QImage page((clip.size() * scale).toSize(), QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter onPage(&page);
        onPage.setRenderHint(QPainter::Antialiasing);
        onPage.scale(scale, scale);
        onPage.translate(0, -clip.top());
        document.drawContents(&onPage, clip);
    }
    painter.drawImage(clip, page.convertToFormat(QImage::Format_Grayscale8));
}
} // namespace

// Laid out on the printer's pages with room below each for its number.
void TraineeListReport::Print(QPrinter *printer) {
    QTextDocument document;
    document.documentLayout()->setPaintDevice(printer);
    Fill(document);
    QPainter painter(printer);
    if (!painter.isActive())
        return;
    const bool preview = painter.paintEngine()->type() == QPaintEngine::Picture;
    const QSizeF area = printer->pageLayout().paintRectPixels(printer->resolution()).size();
    const qreal footer = QFontMetricsF(document.defaultFont(), printer).height() * 2;
    document.setPageSize(QSizeF(area.width(), area.height() - footer));
    document.setDocumentMargin(96 / 2.54); // a centimetre, in the layout's own pixels
    const qreal pageHeight = document.pageSize().height();
    const int pages = document.pageCount();
    const int first = printer->fromPage() > 0 ? printer->fromPage() : 1;
    const int last = printer->toPage() > 0 ? std::min(printer->toPage(), pages) : pages;
    painter.setFont(QFont(document.defaultFont(), printer));
    for (int page = first; page <= last; ++page) {
        const QRectF clip(0, (page - 1) * pageHeight, area.width(), pageHeight);
        painter.save();
        painter.translate(0, -clip.top());
        painter.setClipRect(clip);
        if (preview)
            drawAsPicture(painter, document, clip, printer->resolution());
        else
            document.drawContents(&painter, clip);
        painter.restore();
        painter.drawText(QRectF(0, area.height() - footer, area.width(), footer), Qt::AlignCenter,
                         QString::number(page));
        if (page < last)
            printer->newPage();
    }
}

void TraineeListReport::Show() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintPreviewDialog preview(&printer);
    preview.setObjectName(WindowName);
    preview.setLayoutDirection(Qt::RightToLeft);
    Guard::Connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                   [this](QPrinter *printer) { Print(printer); });
    Modal::Exec(preview);
}
