#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class Pursewise;

// The open card's entries written out for other programs: as CSV for a
// spreadsheet and as QIF for a finance program. Gathers the rows, makes the
// bytes and saves them where the user chose. Reads the card's ledgers but
// never changes one, and never touches what the register shows.

// One entry as an export writes it: plain values, amounts in cents.
struct ExportRow
{
    QString year;     // the two-digit year text of its ledger ("26")
    QDate date;       // invalid when the ledger's text names no date
    QString dateText; // the ledger's date text, written when `date` is invalid
    QString description;
    std::optional<std::int64_t> charge;  // none when the Charges cell is empty
    std::optional<std::int64_t> payment; // none when the Payments cell is empty
    bool cleared = false;
    std::optional<std::int64_t> balance; // the running balance owed after the entry
};

// The entries of the year on view, as the register holds them.
std::vector<ExportRow> yearOnViewRows(const Pursewise& p);

// The entries of every year of the open card, earliest year first: each year
// read from its ledger file with the usual checks, the year on view taken from
// the register. A year whose opening balance changed since its balances were
// written (flagged stale) gets them recomputed here, so no outdated balance is
// exported; nothing is saved. Raises the ledger's message when a year's file
// cannot be read.
std::vector<ExportRow> allYearsRows(const Pursewise& p);

// Whether a CSV cell that a spreadsheet would take for a formula is written
// as it stands or behind an apostrophe.
enum class CsvFormulas
{
    AsData,  // "=SUM(A1)" is written as it is: the file holds the user's text
    Guarded, // "'=SUM(A1)": the spreadsheet shows the text instead of computing it
};

// The rows as CSV after RFC 4180: UTF-8 without a byte order mark, CR LF after
// every record, the header "Date,Description,Charge,Payment,Cleared,Balance",
// dates as 2026-12-01, amounts as 1234.56, 0.05 and -20.00, an empty cell for
// an absent amount, "X" for a cleared entry. A field is quoted only when it
// holds a comma, a quote, a CR or an LF, its quotes doubled.
QByteArray exportCsv(const std::vector<ExportRow>& rows,
                     CsvFormulas formulas = CsvFormulas::AsData);

// The rows as a QIF credit card account: "!Type:CCard", then per entry
// "D12/01/2026", "T-25.00" for a charge or "T1200.00" for a payment, "P" and
// the description, "CX" when cleared, and "^". UTF-8, CR LF line ends.
QByteArray exportQif(const std::vector<ExportRow>& rows);

// Saves `bytes` as the file `path` (any folder, not only the data folder):
// the bytes go to a temporary file beside it that replaces the old file only
// when complete, so a failed export leaves the old file or none, never half a
// file. Raises "Could not save "NAME": reason", NAME being the file's name.
void saveExport(const QString& path, const QByteArray& bytes);

// Money in cents as the exports write it: 123456 is "1234.56", 5 is "0.05",
// -2000 is "-20.00".
QString exportAmount(std::int64_t cents);
