#include "trainees/TraineeListReport.h"

#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "platform/Bindings.h"
#include "platform/DoEvents.h"
#include "platform/Guard.h"
#include "platform/Modal.h"
#include "platform/Recordset.h"
#include "shell/Module1.h"
#include "trainees/KaramoozTexts.h"
#include "trainees/TablePages.h"

using namespace Module1;

namespace {
struct PrintColumn {
    const char *field;
    QString heading;
    // What the column always holds whole on a line, and its part of the width left over.
    QString widest;
    qreal share;
};

// The list's columns in its order, but the picture's file name, which says nothing on paper, and
// the particular shown in the grid as "Tel".
const QString Digits10 = QStringLiteral("0000000000");
const QString Date = QStringLiteral("0000/00/00");
const PrintColumn Columns[] = {
    {"ID", QStringLiteral("رديف"), QStringLiteral("00000"), 0},
    {"Jensiyat", QStringLiteral("جنسيت"), QString(), 0.5},
    {"Name", QStringLiteral("نام"), QString(), 1.2},
    {"Family", QStringLiteral("نام خانوادگي"), QString(), 1.5},
    {"clase", QStringLiteral("کلاس"), QString(), 0.5},
    {"ShSH", QStringLiteral("شماره شناسنامه"), Digits10, 0},
    {"BirthDate", QStringLiteral("تاريخ تولد"), Date, 0},
    {"fathername", QStringLiteral("نام پدر"), QString(), 1.2},
    {"codemeli", QStringLiteral("کد ملي"), Digits10, 0},
    {"Address", QStringLiteral("نشاني"), QString(), 4},
    {"Sabtdate", QStringLiteral("تاريخ ثبت نام"), Date, 0},
};
} // namespace

void TraineeListReport::Print(QPrinter *printer) {
    const DoEvents::BusyScope busy;
    QList<TablePages::Column> columns;
    QList<int> fields;
    for (const PrintColumn &column : Columns) {
        columns << TablePages::Column{column.heading, column.widest, column.share};
        fields << m_data.FieldIndex(QLatin1String(column.field));
    }
    const int registered = fields.at(int(std::size(Columns)) - 1);
    // The year is isolated, so its digits and dash keep their order and the spaces around it stay.
    TablePages pages(*printer, columns,
                     {{QStringLiteral("ليست کارآموزان"), 14, true},
                      {QStringLiteral("سال تحصيلي ") + QChar(0x2068) + SelectedYearText + QChar(0x2069) +
                           QStringLiteral("      کلاس ") + SelectedClassName,
                       11, false}});
    pages.Print(m_data.RecordCount(), [&](int row, int column) {
        const int field = fields.at(column);
        if (field < 0)
            return QString();
        const QVariant value = m_data.ValueAt(row, field);
        return field == registered ? KaramoozTexts::RegistrationDateText(value) : Bindings::DisplayText(value);
    });
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
