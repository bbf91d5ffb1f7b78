#pragma once

#include "core/platform/user_error.h"
#include "core/register/statement.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <cstdint>
#include <optional>

// What the statement readers (QIF, CSV, OFX) share: reading a statement file
// whole, turning its bytes into text, reading a bank's amount text, and the
// texts of their messages. Nothing here knows one format from another.
namespace StatementText {

// A statement of a year of card use is a few hundred kilobytes; anything past
// 16 MiB is no statement and is refused before it is read.
inline constexpr qint64 largestStatement = 16 * 1024 * 1024;

// The file's name as messages say it: "june.qif" for "/home/a/june.qif".
QString fileNameOf(const QString& path);

// The file's bytes. Raises "Could not import "NAME": the file is larger than
// 16 MB." or "Could not import "NAME": <the system's reason>." when it cannot
// be read.
QByteArray readStatementBytes(const QString& path);

// UTF-8 text, or Latin-1 when the bytes are not valid UTF-8; a leading UTF-8
// byte order mark is dropped.
QString decode(const QByteArray& bytes);

// "Could not import "june.qif": line 12: "x" is not a QIF field." — the
// file-level error, `what` without its final point.
UserError fileError(const QString& fileName, int line, const QString& what);
// The same without a line: "Could not import "june.qif": WHAT."
UserError fileError(const QString& fileName, const QString& what);

// The text quoted for a message: at most 40 characters, in double quotes,
// control characters shown as "?".
QString quoted(const QString& text);

// A bank's amount text as signed cents: "-1,234.56" is -123456, "1.234,56"
// with a decimal comma is 123456, "(12.50)" is -1250, "$12" is 1200, "+3.00"
// is 300. Blanks around the number and between the sign and the digits are
// ignored. Nothing for a text that is not money: a stray character, more
// than 13 digits before the point, more than two decimals unless the extra
// ones are zeros ("1.500" is 150 cents, "1.505" nothing).
std::optional<std::int64_t> parseAmount(const QString& text, QChar decimalSeparator);

// Fills the entry's cents and kind from a signed amount text, where a
// negative amount is a charge when `negativeIsCharge` (a card's own
// statement: money spent shows as minus) and a payment otherwise. A blank
// text leaves the problem "no amount", zero or no money
// ""12x.50" is not an amount". An entry that has a problem already keeps it,
// with no amount and no kind.
void setAmount(StatementEntry& entry, const QString& text, QChar decimalSeparator,
               bool negativeIsCharge);

// Entry problems as the import's preview shows them.
QString notAnAmount(const QString& text);
QString notADate(const QString& text);
inline constexpr const char* noAmount = "no amount";
inline constexpr const char* noDate = "no date";

// Joins a payee and a memo into one description: "ACME" and "order 12"
// give "ACME - order 12"; an empty or repeated memo adds nothing, and a
// missing payee leaves the memo alone.
QString joinDescription(const QString& payee, const QString& memo);

// The four-digit year of a two-digit one, in the window the short dates use.
int fullYear(int twoDigitYear);

} // namespace StatementText
