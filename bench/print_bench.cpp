// The printed trainee list of 100, 1,000 and 10,000 trainees, to a PDF file, against plain QPainter
// rows of the same fields drawn into the same kind of printer: the columns measured once, each cell
// laid out right to left and wrapped to its column, the rows paged under the headings with page
// numbers. Also times the print preview opening on the screen. Prints each pair's times and their ratio.
#include <QApplication>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextLayout>
#include <benchmark/benchmark.h>
#include <deque>

#include "RatioReporter.h"
#include "platform/Bindings.h"
#include "platform/Db.h"
#include "platform/Recordset.h"
#include "shell/Module1.h"
#include "shell/SharedDatabase.h"
#include "trainees/KaramoozTexts.h"
#include "trainees/TraineeListReport.h"

namespace {
const int64_t Sizes[] = {100, 1000, 10000};
QSqlDatabase g_db;
QTemporaryDir *g_dir = nullptr;

QString classOf(int64_t trainees) { return QString::number(trainees == 100 ? 1 : trainees == 1000 ? 2 : 3); }

void fillClass(int64_t trainees) {
    static const QStringList names = {QStringLiteral("آرین"), QStringLiteral("فاطمه‌زهرا"), QStringLiteral("علی"),
                                      QStringLiteral("هستی"), QStringLiteral("محمدرضا"), QStringLiteral("نرگس")};
    static const QStringList families = {QStringLiteral("رضایی"), QStringLiteral("کریمی"), QStringLiteral("احمدی"),
                                         QStringLiteral("موسوی"), QStringLiteral("جعفری"), QStringLiteral("توکلی")};
    static const QStringList streets = {QStringLiteral("اصفهان، خیابان نظر شرقی، کوچه یاس، پلاک "),
                                        QStringLiteral("اصفهان، خیابان هزارجریب، کوچه ۱۴، پلاک "),
                                        QStringLiteral("اصفهان، خیابان کاوه، کوچه گلستان، پلاک ")};
    Db::Transaction transaction(g_db);
    const QString insert = QStringLiteral("INSERT INTO ") +
                           Db::QuoteIdent(SharedDatabase::TraineeTableName(classOf(trainees))) +
                           QStringLiteral(" (ID, Name, Family, fathername, clase, codemeli, ShSH, Sabtdate, Jensiyat, "
                                          "BirthDate, codmeli, Address) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)");
    for (int i = 0; i < trainees; ++i)
        Db::Exec(g_db, insert,
                 {i + 1, names[i % names.size()], families[i * 7 % families.size()], names[i * 5 % names.size()],
                  QStringLiteral("سوم"), 1000000000LL + i * 7919LL, QString::number(1000 + i),
                  QStringLiteral("2024-08-%1").arg(i % 28 + 1, 2, 10, QChar(u'0')),
                  i % 2 ? QStringLiteral("پسر") : QStringLiteral("دختر"), QStringLiteral("1397/02/14"),
                  QStringLiteral("0913%1").arg(i, 7, 10, QChar(u'0')),
                  streets[i % streets.size()] + QString::number(i % 90 + 1)});
    transaction.Commit();
}

void openClass(Recordset &rows, int64_t trainees) {
    rows.Open(g_db, QStringLiteral("SELECT * FROM ") + Db::QuoteIdent(SharedDatabase::TraineeTableName(classOf(trainees))));
}

void toPdf(QPrinter &printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setOutputFileName(g_dir->filePath(QStringLiteral("list.pdf")));
}

void Program(benchmark::State &state) {
    Recordset rows;
    openClass(rows, state.range(0));
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        toPdf(printer);
        TraineeListReport(rows).Print(&printer);
    }
}

// What a careful hand-written print does: the same fields, right to left, wrapped in their columns.
void PlainRows(benchmark::State &state) {
    static const char *fields[] = {"ID",         "Jensiyat", "Name",     "Family",  "clase",   "ShSH",
                                   "BirthDate",  "fathername", "codemeli", "Address", "Sabtdate"};
    static const QStringList headings = {QStringLiteral("رديف"), QStringLiteral("جنسيت"), QStringLiteral("نام"),
                                         QStringLiteral("نام خانوادگي"), QStringLiteral("کلاس"),
                                         QStringLiteral("شماره شناسنامه"), QStringLiteral("تاريخ تولد"),
                                         QStringLiteral("نام پدر"), QStringLiteral("کد ملي"), QStringLiteral("نشاني"),
                                         QStringLiteral("تاريخ ثبت نام")};
    static const qreal shares[] = {0.04, 0.05, 0.09, 0.11, 0.05, 0.09, 0.08, 0.09, 0.09, 0.22, 0.09};
    constexpr int Columns = 11;
    Recordset rows;
    openClass(rows, state.range(0));
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        toPdf(printer);
        QPainter painter(&printer);
        const qreal dpi = printer.resolution();
        const QRectF page = printer.pageLayout().paintRectPixels(int(dpi));
        const qreal margin = dpi / 2.54, padding = dpi * 3 / 72;
        const QFont body(QFont(QStringLiteral("Noto Sans Arabic"), 9), &printer);
        QFont bold(body);
        bold.setBold(true);
        const qreal line = QFontMetricsF(body, &printer).height();
        const qreal right = page.width() - margin, bottom = page.height() - margin - 2 * line;
        qreal edges[Columns + 1] = {right};
        for (int c = 0; c < Columns; ++c)
            edges[c + 1] = edges[c] - (right - margin) * shares[c];
        int column[Columns];
        for (int c = 0; c < Columns; ++c)
            column[c] = rows.FieldIndex(QLatin1String(fields[c]));
        QTextOption option(Qt::AlignRight | Qt::AlignAbsolute);
        option.setTextDirection(Qt::RightToLeft);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        std::deque<QTextLayout> cells;
        for (int c = 0; c < Columns; ++c)
            cells.emplace_back(QString(), body, &printer).setTextOption(option);
        const auto layOut = [&](QTextLayout &layout, const QString &text, int c) {
            layout.setText(text);
            layout.beginLayout();
            qreal height = 0;
            for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
                l.setLineWidth(edges[c] - edges[c + 1] - 2 * padding);
                l.setPosition(QPointF(0, height));
                height += l.height();
            }
            layout.endLayout();
            return height + 2 * padding;
        };
        const auto drawRow = [&](std::deque<QTextLayout> &row, qreal y, qreal height) {
            for (int c = 0; c < Columns; ++c)
                row[c].draw(&painter, QPointF(edges[c + 1] + padding, y + padding));
            painter.drawLine(QLineF(edges[Columns], y + height, right, y + height));
            for (qreal x : edges)
                painter.drawLine(QLineF(x, y, x, y + height));
        };
        std::deque<QTextLayout> headingCells;
        qreal headingHeight = 0;
        for (int c = 0; c < Columns; ++c) {
            headingCells.emplace_back(QString(), bold, &printer).setTextOption(option);
            headingHeight = std::max(headingHeight, layOut(headingCells[c], headings[c], c));
        }
        int pageNumber = 1;
        qreal y = margin;
        painter.setFont(QFont(QFont(QStringLiteral("Noto Sans Arabic"), 14, QFont::Bold), &printer));
        painter.drawText(QRectF(margin, y, right - margin, 2 * line), Qt::AlignCenter, QStringLiteral("ليست کارآموزان"));
        painter.setFont(QFont(QFont(QStringLiteral("Noto Sans Arabic"), 11), &printer));
        painter.drawText(QRectF(margin, y + 2 * line, right - margin, 2 * line), Qt::AlignCenter,
                         QStringLiteral("سال تحصيلي ") + QChar(0x2068) + Module1::SelectedYearText + QChar(0x2069) +
                             QStringLiteral("      کلاس ") + Module1::SelectedClassName);
        painter.setFont(body);
        y += 4 * line;
        const auto headingRow = [&] {
            painter.drawLine(QLineF(edges[Columns], y, right, y));
            drawRow(headingCells, y, headingHeight);
            y += headingHeight;
        };
        headingRow();
        for (int r = 0; r < rows.RecordCount(); ++r) {
            qreal height = 0;
            for (int c = 0; c < Columns; ++c) {
                const QVariant value = rows.ValueAt(r, column[c]);
                height = std::max(height, layOut(cells[c], c == Columns - 1 ? KaramoozTexts::RegistrationDateText(value)
                                                                            : Bindings::DisplayText(value),
                                                 c));
            }
            if (y + height > bottom) {
                painter.drawText(QRectF(margin, bottom, right - margin, 2 * line), Qt::AlignCenter,
                                 QString::number(pageNumber++));
                printer.newPage();
                y = margin;
                headingRow();
            }
            drawRow(cells, y, height);
            y += height;
        }
        painter.drawText(QRectF(margin, bottom, right - margin, 2 * line), Qt::AlignCenter, QString::number(pageNumber));
    }
}

// The preview as the list opens it, until its first page is on the screen.
void Preview(benchmark::State &state) {
    Recordset rows;
    openClass(rows, state.range(0));
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageOrientation(QPageLayout::Landscape);
        QPrintPreviewDialog preview(&printer);
        preview.setLayoutDirection(Qt::RightToLeft);
        TraineeListReport report(rows);
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [&](QPrinter *to) { report.Print(to); });
        preview.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(preview.grab());
        preview.close();
    }
}

void sizes(benchmark::internal::Benchmark *b) {
    for (int64_t trainees : Sizes)
        b->Arg(trainees);
    b->Unit(benchmark::kMillisecond);
}
BENCHMARK(Program)->Apply(sizes);
BENCHMARK(PlainRows)->Apply(sizes);
BENCHMARK(Preview)->Apply(sizes)->Iterations(1);

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    const QString path = dir.filePath(QStringLiteral("tellumo.dll"));
    SharedDatabase::CreateFile(path, QStringLiteral("1234"));
    g_db = SharedDatabase::OpenFile(path, QStringLiteral("bench"));
    for (int64_t trainees : Sizes)
        fillClass(trainees);
    Module1::SelectedYearText = QStringLiteral("90-1389");
    Module1::SelectedClassName = QStringLiteral("سوم");

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-28s %12s %12s %8s\n", "trainees", "program ms", "plain ms", "ratio");
    for (int64_t trainees : Sizes) {
        const std::string args = Arg(trainees);
        reporter.PrintRatio(args.substr(1), "Program" + args, "PlainRows" + args);
    }
    std::printf("\n%-28s %12s\n", "trainees", "preview ms");
    for (int64_t trainees : Sizes) {
        const auto preview = reporter.times.find("Preview/" + std::to_string(trainees) + "/iterations:1");
        if (preview != reporter.times.end())
            std::printf("%-28s %12.3f\n", std::to_string(trainees).c_str(), preview->second);
    }
    g_db.close();
    g_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));
    benchmark::Shutdown();
    return 0;
}
