#include "ui/windows/export_dialog.h"

#include "core/platform/clock.h"
#include "core/program/pursewise.h"
#include "core/program/statement_export.h"
#include "core/program/year_ledger.h"
#include "core/program/year_report.h"
#include "ui/kit/dialog_controls.h"
#include "ui/kit/file_chooser.h"
#include "ui/kit/ui.h"
#include "ui/windows/report_printer.h"

#include <QButtonGroup>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int clientWidth = 360;

QRadioButton* radio(QWidget* parent, const char* name, const QString& text, int left, int top)
{
    auto* button = new QRadioButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, top, 160, 24);
    return button;
}

// "Visa Gold 2026" as a file name: letters, digits, blanks and dashes only.
QString plainName(const QString& text)
{
    QString name;
    for (const QChar c : text)
        name += c.isLetterOrNumber() || c == u' ' || c == u'-' ? c : u'_';
    return name.simplified();
}

// "2026" for the year text "26".
QString yearNumber(const Pursewise& p)
{
    return QString::number(calendarYearOf(p.reg.EYr, Clock::today().year()));
}

} // namespace

TExportForm::TExportForm(Ui& ui, QWidget* parent)
    : DialogFrame(ui, QStringLiteral("ExportForm"), std::nullopt, parent)
{
    dressStatementDialog(this, QStringLiteral("Export entries"), clientWidth, 190);

    dialogLabel(this, "LWhich", QStringLiteral("Entries of:"), 20, 14);
    m_year = radio(this, "R1", QStringLiteral("The year on view"), 20, 38);
    m_allYears = radio(this, "R2", QStringLiteral("Every year of the card"), 20, 66);
    dialogLabel(this, "LFormat", QStringLiteral("As:"), 200, 14);
    m_csv = radio(this, "R3", QStringLiteral("CSV"), 200, 38);
    m_qif = radio(this, "R4", QStringLiteral("QIF"), 200, 66);
    auto* which = new QButtonGroup(this);
    which->addButton(m_year);
    which->addButton(m_allYears);
    auto* format = new QButtonGroup(this);
    format->addButton(m_csv);
    format->addButton(m_qif);
    m_year->setChecked(true);
    m_csv->setChecked(true);

    addButtons("OKBtn", {clientWidth / 2 - 95, 140, 85, 27}, "CancelBtn",
               {clientWidth / 2 + 10, 140, 85, 27}, [this] { OKClick(); });
}

void TExportForm::opened()
{
    m_okButton->setFocus();
}

void TExportForm::OKClick()
{
    const Pursewise& p = m_ui.p;
    const bool csv = m_csv->isChecked();
    const bool all = m_allYears->isChecked();
    const QString suggested =
        QStringLiteral("%1 %2.%3")
            .arg(plainName(p.reg.L7), all ? QStringLiteral("all years") : yearNumber(p),
                 csv ? QStringLiteral("csv") : QStringLiteral("qif"));
    const QString path = chooseFile(
        this, FileChoice::Save, QStringLiteral("Export entries"),
        csv ? QStringLiteral("CSV files (*.csv)") : QStringLiteral("QIF files (*.qif)"), suggested);
    if (path.isEmpty())
        return;
    bool done = false;
    handle(m_ui, [&] {
        const std::vector<ExportRow> rows = all ? allYearsRows(m_ui.p) : yearOnViewRows(m_ui.p);
        saveExport(path, csv ? exportCsv(rows) : exportQif(rows));
        done = true;
    });
    if (done)
        accept();
}

TReportForm::TReportForm(Ui& ui, QWidget* parent)
    : DialogFrame(ui, QStringLiteral("ReportForm"), std::nullopt, parent)
{
    dressStatementDialog(this, QStringLiteral("Report of the year"), clientWidth, 130);

    dialogLabel(this, "LReport",
                QStringLiteral("The year on view, with its balances and every entry."), 20, 16);
    auto* print = new QPushButton(QStringLiteral("Print..."), this);
    print->setObjectName(QStringLiteral("PrintBtn"));
    print->setGeometry(20, 70, 95, 27);
    auto* pdf = new QPushButton(QStringLiteral("Save as PDF..."), this);
    pdf->setObjectName(QStringLiteral("PdfBtn"));
    pdf->setGeometry(130, 70, 110, 27);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("CancelBtn"));
    close->setGeometry(255, 70, 85, 27);
    connect(print, &QPushButton::clicked, this, &TReportForm::PrintClick);
    connect(pdf, &QPushButton::clicked, this, &TReportForm::PdfClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void TReportForm::PrintClick()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    bool done = false;
    handle(m_ui, [&] {
        printYearReport(yearReportOf(m_ui.p), printer);
        done = true;
    });
    if (done)
        accept();
}

void TReportForm::PdfClick()
{
    const Pursewise& p = m_ui.p;
    const QString path =
        chooseFile(this, FileChoice::Save, QStringLiteral("Save the report as PDF"),
                   QStringLiteral("PDF files (*.pdf)"),
                   QStringLiteral("%1 %2.pdf").arg(plainName(p.reg.L7), yearNumber(p)));
    if (path.isEmpty())
        return;
    bool done = false;
    handle(m_ui, [&] {
        saveYearReportPdf(yearReportOf(m_ui.p), path);
        done = true;
    });
    if (done)
        accept();
}
