#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
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
        const QString file = PrintToPdf();
        QProcess pdftotext;
        pdftotext.start(u"pdftotext"_s, {file, u"-"_s});
        if (!pdftotext.waitForFinished(20000))
            return QString();
        return PlainLetters(QString::fromUtf8(pdftotext.readAllStandardOutput()));
    }
    // The PDF holds the letters' joined forms and direction marks: compare plain letters.
    static QString PlainLetters(const QString &pdfText) {
        QString text = pdfText.normalized(QString::NormalizationForm_KC);
        text.remove(QRegularExpression(u"[\u200e\u200f\u202a-\u202e\u2066-\u2069]"_s));
        return text;
    }

    // A word of the PDF's text layer where the PDF says it lies, in points from the page's top left.
    struct Word {
        QString text;
        QRectF box;
        int page;
    };
    // The words as pdftotext -bbox places them; a right-to-left word comes back in reading order.
    QList<Word> PrintedWords() {
        const QString file = PrintToPdf();
        QProcess pdftotext;
        pdftotext.start(u"pdftotext"_s, {u"-bbox"_s, file, u"-"_s});
        if (!pdftotext.waitForFinished(20000))
            return {};
        static const QRegularExpression page(u"<page "_s);
        static const QRegularExpression word(
            uR"re(<word xMin="([\d.-]+)" yMin="([\d.-]+)" xMax="([\d.-]+)" yMax="([\d.-]+)">([^<]*)</word>)re"_s);
        QList<Word> words;
        int pages = 0;
        for (const QString &line : QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\n')) {
            if (line.contains(page))
                ++pages;
            const QRegularExpressionMatch m = word.match(line);
            if (!m.hasMatch())
                continue;
            // Joined forms are reversed before they are split into letters.
            QString text = m.captured(5);
            if (text.contains(QRegularExpression(u"\\p{Arabic}"_s)))
                std::reverse(text.begin(), text.end());
            text = PlainLetters(text);
            words << Word{text, QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                       QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())),
                          pages};
        }
        return words;
    }
    static const Word *Find(const QList<Word> &words, const QString &text, int nth = 0) {
        for (const Word &w : words)
            if (w.text == text && nth-- == 0)
                return &w;
        return nullptr;
    }

    // Presses the print button; the preview prints to a PDF file.
    QString PrintToPdf() {
        const QString file = temp.filePath(u"list-%1.pdf"_s.arg(++m_prints));
        modal.On(TraineeListReport::WindowName, [&](QDialog &dialog) {
            barHiddenAtPreview = !u().PBar1->isVisible() && u().PBar1->value() == 0;
            previewPages = dialog.findChild<QPrintPreviewWidget *>()->pageCount();
            QPrinter pdf(QPrinter::HighResolution);
            pdf.setOutputFormat(QPrinter::PdfFormat);
            pdf.setPageOrientation(QPageLayout::Landscape);
            pdf.setOutputFileName(file);
            emit static_cast<QPrintPreviewDialog &>(dialog).paintRequested(&pdf);
        });
        QTest::mouseClick(u().Cmd_Print, Qt::LeftButton);
        return file;
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
    int previewPages = 0;

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
    // The preview shows as many pages, and the headings stand where they stood on the first.
    const QList<Word> words = PrintedWords();
    ASSERT_FALSE(words.isEmpty());
    EXPECT_EQ(previewPages, words.last().page);
    const Word *first = Find(words, u"ملي"_s), *second = Find(words, u"ملي"_s, 1);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(second->page, 2);
    EXPECT_NEAR(second->box.left(), first->box.left(), 0.5);
}

// Where the PDF says a text is, it is drawn: the headings from the right edge in the list's order,
// each value of a row at the right edge of its own heading's column (the national code, not the
// particular the grid shows as "Tel") and the row number at the right edge of the table.
TEST_F(ListPrintTest, ThePdfsWordsLieUnderTheirHeadingsWithTheRowNumberAtTheRight) {
    OpenList();
    const QList<Word> words = PrintedWords();
    const auto line = [&](const Word &of) {
        QList<Word> same;
        for (const Word &word : words)
            if (word.page == of.page && std::abs(word.box.top() - of.box.top()) < 1)
                same << word;
        std::sort(same.begin(), same.end(), [](const Word &a, const Word &b) { return a.box.right() > b.box.right(); });
        return same;
    };
    // The headings' words, right to left, gathered into headings where no column gap parts them.
    const Word *idHeading = Find(words, u"رديف"_s);
    ASSERT_TRUE(idHeading);
    QStringList headings;
    QList<qreal> rightEdges;
    qreal left = 1e9;
    for (const Word &word : line(*idHeading)) {
        if (left - word.box.right() > 4) {
            headings << word.text;
            rightEdges << word.box.right();
        } else {
            headings.last() += u' ' + word.text;
        }
        left = word.box.left();
    }
    EXPECT_EQ(headings, (QStringList{u"رديف"_s, u"جنسيت"_s, u"نام"_s, u"نام خانوادگي"_s, u"کلاس"_s,
                                     u"شماره شناسنامه"_s, u"تاريخ تولد"_s, u"نام پدر"_s, u"کد ملي"_s,
                                     u"نشاني"_s, u"تاريخ ثبت نام"_s}));
    ASSERT_EQ(rightEdges.size(), headings.size());
    const auto under = [&](const Word &word) {
        for (qsizetype i = 0; i < rightEdges.size(); ++i)
            if (std::abs(rightEdges[i] - word.box.right()) < 1)
                return headings[i];
        return QString();
    };

    const Trainee &first = Class().first();
    const Word *family = Find(words, first.family);
    ASSERT_TRUE(family);
    const QList<Word> row = line(*family);
    const struct {
        QString text;
        QString heading;
    } values[] = {{first.name, u"نام"_s},
                  {first.family, u"نام خانوادگي"_s},
                  {u"1012"_s, u"شماره شناسنامه"_s},
                  {QString::number(first.code), u"کد ملي"_s}};
    for (const auto &value : values) {
        const Word *word = Find(row, value.text);
        ASSERT_TRUE(word) << value.text.toStdString();
        EXPECT_EQ(under(*word), value.heading) << value.text.toStdString();
    }
    EXPECT_FALSE(Find(row, first.tel));
    // The row number is the row's rightmost word, in the first column (the father's name carries the same digits).
    EXPECT_EQ(row.first().text, QString::number(first.id));
    EXPECT_EQ(under(row.first()), u"رديف"_s);
    EXPECT_GT(row.first().box.right(), 0.9 * 842);
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
