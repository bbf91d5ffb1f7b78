#pragma once

#include <QString>

#include <vector>

class Pursewise;

// The year on view as a report to read or print: the card's particulars, the
// year's balances and its entries, as texts ready to show, and the report as
// HTML for a rich-text document. Takes what the register holds; reads no file
// and changes nothing. Printing it is the windows' work.
struct YearReport
{
    struct Row
    {
        QString date; // the register's short-date text
        QString description;
        QString charge;  // "12.34", empty when the entry is a payment
        QString payment; // "0.05", empty when the entry is a charge
        bool cleared = false;
        QString balance; // the balance owed after the entry, "-20.00" for a credit
    };

    QString cardName;
    int year = 0; // 2026

    QString rate;        // "18.9"
    QString introRate;   // "0"
    QString introExpiry; // short-date text
    QString paymentDay;  // "15"
    QString limit;       // "900.00"

    QString openingBalance; // the year's opening balance owed
    QString owed;           // the balance owed over all years
    QString available;
    QString reconciled;

    std::vector<Row> rows;
};

// The report of the year on view of the open card. Money is written with a
// leading zero below one unit ("0.05"); a text that is no amount is kept as
// the register shows it.
YearReport yearReportOf(const Pursewise& p);

// The report as HTML for QTextDocument: a heading with the card's name and
// the year, a table of the particulars and balances, and one table of the
// entries whose first row is its header (a <thead>, so a paged layout can
// repeat it). Every text is escaped; amounts are right-aligned.
QString reportHtml(const YearReport& report);

// "Visa Gold, 2026": what names the report, as its pages' footers do.
QString reportTitle(const YearReport& report);
