#include "ui/windows/report_printer.h"

#include "core/platform/save_transaction.h"
#include "core/platform/user_error.h"
#include "core/program/statement_export.h"
#include "core/program/year_report.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace {

// The entries table is the last table of the document: give it one header
// row, which the paged layout repeats at the top of every page it spans.
// The HTML's <thead> gives it already; a format change would lay the whole
// document out again, so it is made only when the importer did not.
void repeatEntriesHeader(QTextDocument& document)
{
    QTextTable* entries = nullptr;
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(frame))
            entries = table;
    }
    if (entries == nullptr || entries->format().headerRowCount() == 1)
        return;
    QTextTableFormat format = entries->format();
    format.setHeaderRowCount(1);
    entries->setFormat(format);
}

} // namespace

ReportPages::ReportPages(const YearReport& report, QPaintDevice& device, const QSizeF& pageSize)
    : m_document(std::make_unique<QTextDocument>()), m_title(reportTitle(report)),
      m_pageSize(pageSize)
{
    // Fonts in points, so that the device's resolution gives them their size
    // on paper: 9 points for the text, 8 for the footer.
    QFont text(QStringLiteral("Sans Serif"), 9);
    m_footerFont = QFont(QStringLiteral("Sans Serif"), 8);
    const QFontMetricsF footer(m_footerFont, &device);
    // The footer's line, with one line's room between it and the body.
    const qreal footerHeight = 2 * footer.lineSpacing();
    m_bodyHeight = std::max<qreal>(pageSize.height() - footerHeight, footer.lineSpacing());

    // Device, font, margin and page size before the text: each change after
    // it would lay the 1000 rows out once more.
    m_document->documentLayout()->setPaintDevice(&device);
    m_document->setDefaultFont(text);
    m_document->setDocumentMargin(0);
    m_document->setPageSize(QSizeF(pageSize.width(), m_bodyHeight));
    m_document->setHtml(reportHtml(report));
    repeatEntriesHeader(*m_document);
}

ReportPages::~ReportPages() = default;

int ReportPages::pageCount() const
{
    return m_document->pageCount();
}

QString ReportPages::pageNumberText(int page) const
{
    return QStringLiteral("Page %1 of %2").arg(page + 1).arg(pageCount());
}

void ReportPages::drawPage(QPainter& painter, int page) const
{
    // The document is one long strip of pages: page N is the slice from N
    // body heights down, moved up to the top and cut to its height.
    const QRectF slice(0, page * m_bodyHeight, m_pageSize.width(), m_bodyHeight);
    painter.save();
    painter.translate(0, -slice.top());
    painter.setClipRect(slice);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = slice;
    context.palette.setColor(QPalette::Text, Qt::black);
    m_document->documentLayout()->draw(&painter, context);
    painter.restore();

    painter.save();
    painter.setFont(m_footerFont);
    painter.setPen(Qt::black);
    const QRectF footer(0, m_bodyHeight, m_pageSize.width(), m_pageSize.height() - m_bodyHeight);
    painter.drawText(footer, Qt::AlignLeft | Qt::AlignBottom, m_title);
    painter.drawText(footer, Qt::AlignRight | Qt::AlignBottom, pageNumberText(page));
    painter.restore();
}

int printYearReport(const YearReport& report, QPrinter& printer)
{
    const QString target =
        printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
    const UserError failed(QStringLiteral("Could not print to \"%1\"")
                               .arg(QDir::toNativeSeparators(target))
                               .toStdString());
    if (!printer.isValid())
        throw failed;
    printer.setDocName(reportTitle(report));

    // The painter's origin is the printable area's top left corner; the
    // pages are that area, in the printer's own pixels.
    const QSizeF area = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    const ReportPages pages(report, printer, area);
    QPainter painter;
    if (!painter.begin(&printer))
        throw failed;
    const int count = pages.pageCount();
    for (int page = 0; page < count; ++page) {
        if (page > 0 && !printer.newPage())
            break;
        pages.drawPage(painter, page);
    }
    painter.end();
    if (printer.printerState() == QPrinter::Error)
        throw failed;
    return count;
}

int saveYearReportPdf(const YearReport& report, const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    // The PDF is made in a folder of its own first; only a whole file is
    // then saved at `path`, through the exports' all-or-nothing save.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        throw DataFile::fileError("save", name, 0, scratch.errorString());
    const QString made = scratch.filePath(QStringLiteral("report.pdf"));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(made);
    const bool inches = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    printer.setPageLayout(QPageLayout(QPageSize(inches ? QPageSize::Letter : QPageSize::A4),
                                      QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                      QPageLayout::Millimeter));
    int pages = 0;
    try {
        pages = printYearReport(report, printer);
    } catch (const UserError&) {
        throw DataFile::fileError("save", name, 0, QStringLiteral("the PDF could not be made"));
    }

    QFile file(made);
    if (!file.open(QIODevice::ReadOnly))
        throw DataFile::fileError("save", name, 0, file.errorString());
    saveExport(path, file.readAll());
    return pages;
}
