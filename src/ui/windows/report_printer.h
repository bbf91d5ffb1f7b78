#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>

#include <memory>

class QPaintDevice;
class QPainter;
class QPrinter;
class QTextDocument;
struct YearReport;

// The year report on paper: its HTML laid out as a rich-text document on
// pages of one size, each page the document's slice with a footer naming the
// card, the year and "Page N of M". The entries table's header row repeats at
// the top of every page. Does not choose a printer or a file: the windows do.
class ReportPages
{
public:
    // Lays the report out for `device` (its resolution sizes the fonts) on
    // pages of `pageSize` device pixels, footer included.
    ReportPages(const YearReport& report, QPaintDevice& device, const QSizeF& pageSize);
    ~ReportPages();
    ReportPages(const ReportPages&) = delete;
    ReportPages& operator=(const ReportPages&) = delete;

    int pageCount() const;
    // Page `page`, from 0, drawn with its top left corner at the painter's
    // origin: the document's slice, then the footer under it.
    void drawPage(QPainter& painter, int page) const;

    // "Page 2 of 7".
    QString pageNumberText(int page) const;
    // "Visa Gold, 2026".
    const QString& title() const { return m_title; }
    const QTextDocument& document() const { return *m_document; }

private:
    std::unique_ptr<QTextDocument> m_document;
    QString m_title;
    QFont m_footerFont;
    QSizeF m_pageSize;
    qreal m_bodyHeight = 0;
};

// Prints the report on the printer's paper, within its margins. Returns the
// pages printed. Raises "Could not print to "NAME"" when the printer cannot
// be started or fails.
int printYearReport(const YearReport& report, QPrinter& printer);

// Saves the report as a PDF file at `path`, on A4 paper, or Letter where the
// locale measures in inches. The file is written whole or not at all. Returns
// the pages written. Raises "Could not save "NAME": reason".
int saveYearReportPdf(const YearReport& report, const QString& path);
