#include "core/program/year_report.h"

#include "core/amounts/cc_math.h"
#include "core/platform/user_error.h"
#include "core/platform/clock.h"
#include "core/program/pursewise.h"
#include "core/program/year_ledger.h"
#include "core/program/statement_export.h"
#include "core/register/card_info.h"
#include "core/register/ledger_entry.h"

namespace {

// "0.05" for ".05"; a text that is no amount stays as it is, since a report
// shows what the register holds rather than refusing to print.
QString money(const TccMath& math, const QString& text)
{
    if (text.isEmpty())
        return text;
    try {
        return exportAmount(math.AmountToCents(text.toStdString()));
    } catch (const UserError&) {
        return text;
    }
}

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

void addParticular(QString& html, const QString& caption, const QString& value, bool amount)
{
    html += QStringLiteral("<tr><td>%1</td><td%2>%3</td></tr>\n")
                .arg(escaped(caption), amount ? QStringLiteral(" align=\"right\"") : QString(),
                     escaped(value));
}

} // namespace

YearReport yearReportOf(const Pursewise& p)
{
    const TccMath& math = p.math;
    YearReport report;
    report.cardName = p.reg.L7;
    report.year = calendarYearOf(p.main.SelectedYr, Clock::today().year());
    report.rate = p.reg.E1;
    report.introRate = p.reg.E2;
    report.introExpiry = p.reg.E3;
    report.paymentDay = p.reg.E4;
    report.limit = money(math, orZero(p.reg.E5));
    report.openingBalance =
        money(math, p.beginBal.openingBalance(p.main.SelectedYr.trimmed().toInt()));
    report.owed = money(math, orZero(p.reg.E6));
    report.available = money(math, orZero(p.reg.E7));
    report.reconciled = money(math, orZero(p.reg.E8));

    const int count = p.grid.entryCount();
    report.rows.reserve(std::size_t(std::max(count, 0)));
    for (int row = 1; row <= count; ++row) {
        const LedgerEntry entry = entryAt(p.ledger, row);
        report.rows.push_back({entry.date, entry.description, money(math, entry.charge),
                               money(math, entry.payment), entry.cleared,
                               money(math, entry.balance)});
    }
    return report;
}

QString reportTitle(const YearReport& report)
{
    return QStringLiteral("%1, %2").arg(report.cardName).arg(report.year);
}

QString reportHtml(const YearReport& report)
{
    QString html;
    // About 150 characters an entry: one allocation for a 1000-entry year.
    html.reserve(2000 + qsizetype(report.rows.size()) * 160);
    html += QStringLiteral("<html><head><meta charset=\"utf-8\"><title>%1</title></head><body>\n")
                .arg(escaped(reportTitle(report)));
    html += QStringLiteral("<h2>%1</h2>\n<p>Register for %2</p>\n")
                .arg(escaped(report.cardName))
                .arg(report.year);

    html += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\">\n");
    addParticular(html, QStringLiteral("Rate"), report.rate + u'%', false);
    addParticular(html, QStringLiteral("Introductory rate"),
                  QStringLiteral("%1% until %2").arg(report.introRate, report.introExpiry), false);
    addParticular(html, QStringLiteral("Payment day"), report.paymentDay, false);
    addParticular(html, QStringLiteral("Credit limit"), report.limit, true);
    addParticular(html, QStringLiteral("Opening balance of %1").arg(report.year),
                  report.openingBalance, true);
    addParticular(html, QStringLiteral("Balance owed"), report.owed, true);
    addParticular(html, QStringLiteral("Available"), report.available, true);
    addParticular(html, QStringLiteral("Reconciled"), report.reconciled, true);
    html += QStringLiteral("</table>\n<p></p>\n");

    html += QStringLiteral(
        "<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n"
        "<thead><tr><th align=\"left\">Date</th><th align=\"left\">Description</th>"
        "<th align=\"right\">Charge</th><th align=\"right\">Payment</th>"
        "<th align=\"center\">X</th><th align=\"right\">Balance</th></tr></thead>\n<tbody>\n");
    for (const YearReport::Row& row : report.rows) {
        html += QStringLiteral("<tr><td>");
        html += escaped(row.date);
        html += QStringLiteral("</td><td>");
        html += escaped(row.description);
        html += QStringLiteral("</td><td align=\"right\">");
        html += escaped(row.charge);
        html += QStringLiteral("</td><td align=\"right\">");
        html += escaped(row.payment);
        html += QStringLiteral("</td><td align=\"center\">");
        if (row.cleared)
            html += u'X';
        html += QStringLiteral("</td><td align=\"right\">");
        html += escaped(row.balance);
        html += QStringLiteral("</td></tr>\n");
    }
    html += QStringLiteral("</tbody></table>\n</body></html>\n");
    return html;
}
