#include "core/platform/user_error.h"
#include "core/program/year_report.h"
#include "support/temp_dir.h"
#include "ui/windows/report_printer.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <gtest/gtest.h>

namespace {

// A year of `entries` charges of 12.34 on "Test Card".
YearReport reportOf(int entries)
{
    YearReport report;
    report.cardName = QStringLiteral("Test Card");
    report.year = 2026;
    report.rate = QStringLiteral("18.9");
    report.introRate = QStringLiteral("0");
    report.introExpiry = QStringLiteral("6/30/27");
    report.paymentDay = QStringLiteral("15");
    report.limit = QStringLiteral("900000.00");
    report.openingBalance = QStringLiteral("26.00");
    std::int64_t balance = 2600;
    for (int row = 1; row <= entries; ++row) {
        balance += 1234;
        report.rows.push_back({QStringLiteral("12/1/26"),
                               QStringLiteral("Groceries and household, entry %1").arg(row),
                               QStringLiteral("12.34"), QString(), row % 3 == 0,
                               QStringLiteral("%1.%2")
                                   .arg(balance / 100)
                                   .arg(balance % 100, 2, 10, QLatin1Char('0'))});
    }
    report.owed = report.rows.empty() ? QStringLiteral("26.00") : report.rows.back().balance;
    return report;
}

// A page of paper that keeps the texts drawn on it instead of pixels: A4 at
// 96 dots an inch.
class TextRecorder : public QPaintDevice
{
public:
    QStringList texts;

    QPaintEngine* paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return 794;
        case PdmHeight:
            return 1123;
        case PdmWidthMM:
            return 210;
        case PdmHeightMM:
            return 297;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmNumColors:
            return 256;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    class Engine : public QPaintEngine
    {
    public:
        explicit Engine(QStringList& texts) : QPaintEngine(AllFeatures), m_texts(texts) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawTextItem(const QPointF&, const QTextItem& item) override
        {
            m_texts << item.text();
        }
        // Borders and backgrounds leave nothing to record.
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawPath(const QPainterPath&) override {}
        void drawRects(const QRectF*, int) override {}
        void drawLines(const QLineF*, int) override {}
        Type type() const override { return User; }

    private:
        QStringList& m_texts;
    };
    mutable Engine m_engine{texts};
};

// The texts drawn on each page of the report laid out on A4 at 96 dpi.
std::vector<QStringList> textsOfPages(const YearReport& report, int* pageCount = nullptr)
{
    TextRecorder paper;
    const ReportPages pages(report, paper, QSizeF(paper.width(), paper.height()));
    std::vector<QStringList> texts;
    for (int page = 0; page < pages.pageCount(); ++page) {
        paper.texts.clear();
        QPainter painter(&paper);
        pages.drawPage(painter, page);
        painter.end();
        texts.push_back(paper.texts);
    }
    if (pageCount != nullptr)
        *pageCount = pages.pageCount();
    return texts;
}

// The page objects of a PDF file ("/Type /Page", not "/Type /Pages").
int pdfPages(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return int(QString::fromLatin1(pdf).count(page));
}

TEST(ReportPages, OfAThousandEntriesRepeatTheHeaderAndTheFooterOnEveryPage)
{
    int count = 0;
    const std::vector<QStringList> pages = textsOfPages(reportOf(1000), &count);

    ASSERT_GT(count, 10);
    ASSERT_EQ(int(pages.size()), count);
    for (int page = 0; page < count; ++page) {
        SCOPED_TRACE(page + 1);
        const QStringList& texts = pages[std::size_t(page)];
        EXPECT_TRUE(texts.contains(QStringLiteral("Page %1 of %2").arg(page + 1).arg(count)));
        EXPECT_TRUE(texts.contains(QStringLiteral("Test Card, 2026")));
        EXPECT_TRUE(texts.contains(QStringLiteral("Description")));
        EXPECT_TRUE(texts.contains(QStringLiteral("Balance")));
    }
    // Every entry is on some page, the last on the last.
    EXPECT_TRUE(pages.back().contains(QStringLiteral("Groceries and household, entry 1000")));
    EXPECT_TRUE(pages.front().contains(QStringLiteral("Groceries and household, entry 1")));
}

TEST(ReportPages, GiveTheEntriesTableOneHeaderRow)
{
    TextRecorder paper;
    const ReportPages pages(reportOf(3), paper, QSizeF(794, 1123));
    QTextTable* entries = nullptr;
    for (QTextFrame* frame : pages.document().rootFrame()->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(frame))
            entries = table;
    }
    ASSERT_NE(entries, nullptr);
    EXPECT_EQ(entries->format().headerRowCount(), 1);
    EXPECT_EQ(entries->rows(), 4);
    EXPECT_EQ(entries->columns(), 6);
}

TEST(ReportPages, OfAnEmptyYearAreOnePage)
{
    int count = 0;
    const std::vector<QStringList> pages = textsOfPages(reportOf(0), &count);
    EXPECT_EQ(count, 1);
    EXPECT_TRUE(pages.front().contains(QStringLiteral("Page 1 of 1")));
}

TEST(ReportHtmlInADocument, ShowsHostileTextsAsText)
{
    YearReport report = reportOf(0);
    report.cardName = QStringLiteral("<i>Card</i>");
    report.rows.push_back({QStringLiteral("12/1/26"),
                           QStringLiteral("<script>alert(\"x\")</script> & 'more'"),
                           QStringLiteral("1.00"), QString(), false, QStringLiteral("1.00")});
    QTextDocument document;
    document.setHtml(reportHtml(report));
    const QString text = document.toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("<script>alert(\"x\")</script> & 'more'")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("<i>Card</i>")));
}

class ReportPdf : public InTempDir
{};

TEST_F(ReportPdf, OfAThousandEntriesHasThePagesOfItsLayout)
{
    const QString file = path() + QStringLiteral("/report.pdf");
    const int pages = saveYearReportPdf(reportOf(1000), file);

    const QByteArray pdf = bytesOf(file);
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_GT(pages, 10);
    EXPECT_EQ(pdfPages(pdf), pages);
    // Nothing else is left beside it.
    EXPECT_EQ(QDir(path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("report.pdf")});
}

TEST_F(ReportPdf, PrintedToAPdfPrinterHasThePagesItReports)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path() + QStringLiteral("/printed.pdf"));
    const int pages = printYearReport(reportOf(200), printer);

    EXPECT_GT(pages, 1);
    EXPECT_EQ(pdfPages(bytesOf(QStringLiteral("printed.pdf"))), pages);
}

TEST_F(ReportPdf, IntoAMissingFolderNamesTheFileAndTheReasonAndWritesNothing)
{
    try {
        saveYearReportPdf(reportOf(5), path() + QStringLiteral("/nowhere/report.pdf"));
        FAIL() << "no error";
    } catch (const UserError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Could not save \"report.pdf\": No such file or directory");
    }
    EXPECT_TRUE(QDir(path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(ReportPdf, OverAFolderIsRefusedAndLeavesTheFolder)
{
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("report.pdf")));
    try {
        saveYearReportPdf(reportOf(5), path() + QStringLiteral("/report.pdf"));
        FAIL() << "no error";
    } catch (const UserError& error) {
        EXPECT_EQ(std::string(error.what()), "Could not save \"report.pdf\": Is a directory");
    }
    EXPECT_TRUE(QFileInfo(QStringLiteral("report.pdf")).isDir());
}

} // namespace
