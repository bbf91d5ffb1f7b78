#pragma once

#include "core/register/statement.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// Which column of a bank's CSV export holds what: the user picks it once per
// card, after seeing the first rows (csvRows), and it is kept as one line of
// text (toText). Columns count from 1, as the user sees them; 0 is "none".
struct CsvMapping
{
    enum class AmountLayout
    {
        OneColumn,           // one signed amount per row
        ChargeAndPaymentColumns // a column for money spent, one for money paid in
    };

    QChar delimiter = u',';   // ',', ';' or '\t'
    bool hasHeader = true;    // the first row names the columns
    int dateColumn = 1;
    QString dateFormat = QStringLiteral("MM/dd/yyyy"); // as QDate::fromString takes it
    int descriptionColumn = 2;
    int memoColumn = 0;       // appended to the description when set
    AmountLayout layout = AmountLayout::OneColumn;
    int amountColumn = 3;     // OneColumn
    bool chargesArePositive = false; // OneColumn: most banks show money spent as minus
    int chargeColumn = 0;     // ChargeAndPaymentColumns
    int paymentColumn = 0;    // ChargeAndPaymentColumns
    QChar decimalSeparator = u'.'; // '.' or ','

    // True when every column the layout needs is set and the texts are ones
    // the reader knows.
    bool isValid() const;
    // The widest column the mapping reads: a shorter row cannot be an entry.
    int columnsNeeded() const;

    // One line for the settings: "delimiter=comma header=yes date=1
    // description=2 memo=0 amount=3 charges=negative decimal=point
    // dateformat=MM/dd/yyyy". fromText gives nothing for a text it did not
    // write or one that makes no valid mapping.
    QString toText() const;
    static std::optional<CsvMapping> fromText(const QString& text);

    bool operator==(const CsvMapping&) const = default;
};

// The first `maxRows` rows of a CSV file as their fields, empty rows left out,
// for the mapping dialog to show. A file whose quotes do not close gives the
// rows before the fault.
std::vector<QStringList> csvRows(const QByteArray& bytes, QChar delimiter, int maxRows);

// Every row after the header as an entry, its line the one where the row
// starts (a quoted text may hold line breaks). Raises for a quote that is
// never closed or stands where no quote may be, naming the line.
Statement parseCsv(const QByteArray& bytes, const QString& fileName, const CsvMapping& mapping);

// The same for the file at `path`; raises when it cannot be read.
Statement readCsvStatement(const QString& path, const CsvMapping& mapping);
