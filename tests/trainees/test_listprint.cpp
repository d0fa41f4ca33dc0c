#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "TraineeFixture.h"
#include "platform/DataControl.h"
#include "shell/Module1.h"
#include "trainees/KaramoozList.h"
#include "trainees/TraineeListReport.h"

using namespace Module1;
using namespace Qt::StringLiterals;

namespace {
const QString PrintUnreadable = u" ليست کارآموزان براي چاپ از پايگاه داده خوانده نشد "_s;

class ListPrintTest : public TraineeFixture {
protected:

    // Presses the print button; the preview prints to a PDF file, whose text comes back in reading order.
    QString PrintedText() {
        const QString file = temp.filePath(u"list-%1.pdf"_s.arg(++m_prints));
        modal.On(TraineeListReport::WindowName, [&](QDialog &dialog) {
            barHiddenAtPreview = !u().PBar1->isVisible() && u().PBar1->value() == 0;
            QPrinter pdf(QPrinter::HighResolution);
            pdf.setOutputFormat(QPrinter::PdfFormat);
            pdf.setPageOrientation(QPageLayout::Landscape);
            pdf.setOutputFileName(file);
            emit static_cast<QPrintPreviewDialog &>(dialog).paintRequested(&pdf);
        });
        QTest::mouseClick(u().Cmd_Print, Qt::LeftButton);
        QProcess pdftotext;
        pdftotext.start(u"pdftotext"_s, {file, u"-"_s});
        if (!pdftotext.waitForFinished(20000))
            return QString();
        // The PDF holds the letters' joined forms and direction marks: compare plain letters.
        QString text = QString::fromUtf8(pdftotext.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
        text.remove(QRegularExpression(u"[\u200e\u200f\u202a-\u202e\u2066-\u2069]"_s));
        return text;
    }
    // Where each text first appears after the one before; -1 where it does not.
    static QList<qsizetype> InReadingOrder(const QString &text, const QStringList &parts) {
        QList<qsizetype> at;
        qsizetype from = 0;
        for (const QString &part : parts) {
            const qsizetype i = text.indexOf(part, from);
            at << i;
            if (i >= 0)
                from = i + part.size();
        }
        return at;
    }

    bool barHiddenAtPreview = false;

private:
    int m_prints = 0;
};

TEST_F(ListPrintTest, PrintsTheClassInTheQueryOrderUnderItsTitleAndHeadings) {
    OpenList();
    const QString text = PrintedText();
    EXPECT_TRUE(barHiddenAtPreview);
    EXPECT_EQ(LoopIndex.toInt(), 100);
    for (const QString &part : {u"ليست کارآموزان"_s, u"سال تحصيلي 90-1389"_s, u"کلاس سوم"_s, u"رديف"_s,
                                u"خانوادگي"_s, u"تاريخ ثبت نام"_s, u"احمدی"_s, u"ملکی"_s, u"توکلی"_s,
                                u"1403/06/04"_s, u"1295218471"_s})
        EXPECT_TRUE(text.contains(part)) << part.toStdString();
    // The query's order, not the grid's: the rows as stored.
    EXPECT_FALSE(InReadingOrder(text, {u"زهرا"_s, u"محمدرضا"_s, u"نرگس"_s}).contains(-1)) << text.toStdString();
    EXPECT_EQ(GridIds(), (QList<int>{3, 7, 12})); // the list itself stays as it was
}

TEST_F(ListPrintTest, ALongListRunsOverNumberedPagesWithTheHeadingsOnEach) {
    QStringList names;
    for (int i = 0; i < 80; ++i) {
        names << u"نام%1"_s.arg(100 + i);
        Exec(u"INSERT INTO Karamooz3 (ID, Name, Family, codemeli) VALUES (?, ?, ?, ?)"_s,
             {100 + i, names.last(), u"خانواده"_s, 5000 + i});
    }
    OpenList();
    const QString text = PrintedText();
    EXPECT_FALSE(InReadingOrder(text, names).contains(-1)) << text.toStdString();
    EXPECT_GE(text.count(u"خانوادگي"_s), 2);
    EXPECT_TRUE(text.contains(u"\n2\n"_s) || text.contains(u" 2\n"_s)) << text.toStdString();
}

TEST_F(ListPrintTest, AfterASearchOnlyTheNarrowedListIsPrinted) {
    OpenList();
    Narrow(7);
    const QString text = PrintedText();
    EXPECT_TRUE(text.contains(u"نرگس"_s));
    EXPECT_FALSE(text.contains(u"زهرا"_s));
    EXPECT_FALSE(text.contains(u"محمدرضا"_s));
    EXPECT_EQ(ReportRecordset->Source(), u"SELECT * FROM Karamooz3 WHERE ID=?"_s);
}

TEST_F(ListPrintTest, PrintingAgainClosesTheFirstPrintRecordset) {
    OpenList();
    EXPECT_FALSE(DbConnection.IsOpen());
    PrintedText();
    const std::shared_ptr<Recordset> first = ReportRecordset;
    ASSERT_TRUE(first && first->IsOpen());
    EXPECT_TRUE(DbConnection.IsOpen());
    EXPECT_EQ(first->RecordCount(), 3);
    PrintedText();
    EXPECT_FALSE(first->IsOpen());
    ASSERT_NE(ReportRecordset, first);
    EXPECT_TRUE(ReportRecordset->IsOpen());
}

TEST_F(ListPrintTest, AListThatCannotBeReadIsToldAndTheNextPrintStartsAfresh) {
    OpenList();
    PrintedText();
    List().Adodc1->RecordSource = u"SELECT * FROM Karamooz9"_s;
    List().Adodc1->RecordSourceValues.clear();
    modal.opened.clear();
    QTest::mouseClick(u().Cmd_Print, Qt::LeftButton);
    ASSERT_EQ(msgs.calls.size(), 1u);
    EXPECT_EQ(msgs.Last().text, PrintUnreadable);
    EXPECT_EQ(msgs.Last().style, 48);
    EXPECT_TRUE(modal.opened.empty());

    QTest::mouseClick(u().Cmd_Refresh, Qt::LeftButton);
    EXPECT_TRUE(PrintedText().contains(u"نرگس"_s));
}

} // namespace
