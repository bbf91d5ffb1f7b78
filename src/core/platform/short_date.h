#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

#include <optional>

// Dates as the user's short-date text, the form in which they pass between the
// dialogs, the register, the card list and the data files. The format is the
// system locale's short date format; the C/POSIX locale has none of its own,
// so there it is "M/d/yy". A two-digit year lands in the 100 years starting
// 50 years before the current year: in 2026, 27 is 2027, 75 is 2075, 77 is 1977.
namespace ShortDate {

// The format in force: the one set by setFormat, else the system's.
QString format();

// The short date format of `locale`, "M/d/yy" for the C locale.
QString formatOf(const QLocale& locale);

// Makes every later call use `fmt` (a QDate-style pattern such as "dd.MM.yy");
// an empty text returns to the system's format.
void setFormat(const QString& fmt);

QString toText(const QDate& date);

// The date the text names, or nothing when it does not match the format or
// names no real day. Blanks around the text are ignored. A year has one, two
// or four digits: "3/15/202" is no date, where a missing digit would
// otherwise make it the year 202.
std::optional<QDate> tryParse(const QString& text);

// Like tryParse, but a text that is no date raises
// "'<text>' is not a valid date and time".
QDate parse(const QString& text);

// The message that refuses a typed text naming no date, showing the format
// by an example: "'13/45/26' is not a date like 12/31/26." with M/d/yy,
// "'10/31/2028' is not a date like 31/12/2026." with dd/MM/yyyy.
QString notADateMessage(const QString& typed);

// The four-digit year of a one- or two-digit year in the window that starts
// 50 years before `currentYear`.
int windowedYear(int twoDigitYear, int currentYear);

} // namespace ShortDate
