#include "core/platform/short_date.h"

#include "core/platform/clock.h"
#include "core/platform/user_error.h"

#include <QLocale>

#include <vector>

namespace {

QString overrideFormat;

// One piece of a date pattern: a run of the same field letter, or literal text.
struct Piece
{
    QChar field; // 'd', 'M' or 'y'; null for literal text
    int width = 0;
    QString literal;
};

// Splits a Qt date pattern into fields and literals. Text in single quotes is
// literal, and '' stands for one quote.
std::vector<Piece> splitPattern(const QString& pattern)
{
    std::vector<Piece> pieces;
    auto addLiteral = [&pieces](QChar c) {
        if (pieces.empty() || !pieces.back().field.isNull())
            pieces.push_back(Piece{});
        pieces.back().literal += c;
    };
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (c == u'\'') {
            if (i + 1 < pattern.size() && pattern[i + 1] == u'\'') {
                addLiteral(c);
                i += 2;
                continue;
            }
            ++i;
            while (i < pattern.size()) {
                if (pattern[i] == u'\'') {
                    if (i + 1 < pattern.size() && pattern[i + 1] == u'\'') {
                        addLiteral(u'\'');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                addLiteral(pattern[i++]);
            }
            continue;
        }
        if (c == u'd' || c == u'M' || c == u'y') {
            qsizetype j = i;
            while (j < pattern.size() && pattern[j] == c)
                ++j;
            pieces.push_back(Piece{c, int(j - i), {}});
            i = j;
            continue;
        }
        addLiteral(c);
        ++i;
    }
    return pieces;
}

// Reads up to `maxDigits` digits at `pos`; -1 when there is none.
int readNumber(const QString& text, qsizetype& pos, int maxDigits, int& digitsRead)
{
    int value = 0;
    digitsRead = 0;
    while (pos < text.size() && digitsRead < maxDigits && text[pos].isDigit() &&
           text[pos].unicode() < 128) {
        value = value * 10 + (text[pos].unicode() - u'0');
        ++pos;
        ++digitsRead;
    }
    return digitsRead == 0 ? -1 : value;
}

// Matches one of the locale's month or day names at `pos`, longest first;
// returns its 1-based number, or -1.
int readName(const QString& text, qsizetype& pos, bool months, QLocale::FormatType type)
{
    const QLocale locale = QLocale::system();
    const int count = months ? 12 : 7;
    int best = -1;
    qsizetype bestLength = 0;
    for (int n = 1; n <= count; ++n) {
        const QString name = months ? locale.monthName(n, type) : locale.dayName(n, type);
        if (!name.isEmpty() && name.size() > bestLength &&
            text.mid(pos, name.size()).compare(name, Qt::CaseInsensitive) == 0) {
            best = n;
            bestLength = name.size();
        }
    }
    pos += bestLength;
    return best;
}

} // namespace

namespace ShortDate {

QString format()
{
    return overrideFormat.isEmpty() ? formatOf(QLocale::system()) : overrideFormat;
}

QString formatOf(const QLocale& locale)
{
    // The C locale has no short format of its own; Qt answers "d MMM yyyy".
    if (locale.language() == QLocale::C)
        return QStringLiteral("M/d/yy");
    return locale.dateFormat(QLocale::ShortFormat);
}

void setFormat(const QString& fmt)
{
    overrideFormat = fmt;
}

QString toText(const QDate& date)
{
    return QLocale::system().toString(date, format());
}

int windowedYear(int twoDigitYear, int currentYear)
{
    const int start = currentYear - 50;
    int year = start - start % 100 + twoDigitYear;
    if (year < start)
        year += 100;
    return year;
}

std::optional<QDate> tryParse(const QString& input)
{
    const QString text = input.trimmed();
    int day = -1;
    int month = -1;
    int year = -1;
    qsizetype pos = 0;
    for (const Piece& piece : splitPattern(format())) {
        if (piece.field.isNull()) {
            // Blanks in the pattern match any run of blanks in the text.
            for (const QChar c : piece.literal) {
                if (c.isSpace()) {
                    while (pos < text.size() && text[pos].isSpace())
                        ++pos;
                } else if (pos < text.size() && text[pos] == c) {
                    ++pos;
                } else {
                    return std::nullopt;
                }
            }
            continue;
        }
        int digits = 0;
        const auto nameType = piece.width == 3 ? QLocale::ShortFormat : QLocale::LongFormat;
        if (piece.field == u'd' && piece.width >= 3) {
            if (readName(text, pos, false, nameType) < 0)
                return std::nullopt;
        } else if (piece.field == u'd') {
            day = readNumber(text, pos, 2, digits);
        } else if (piece.field == u'M' && piece.width >= 3) {
            month = readName(text, pos, true, nameType);
        } else if (piece.field == u'M') {
            month = readNumber(text, pos, 2, digits);
        } else {
            year = readNumber(text, pos, 4, digits);
            if (digits == 3)
                return std::nullopt;
            if (year >= 0 && digits <= 2)
                year = windowedYear(year, Clock::today().year());
        }
        if ((piece.field == u'd' && piece.width < 3 && day < 0) ||
            (piece.field == u'M' && month < 0) || (piece.field == u'y' && year < 0))
            return std::nullopt;
    }
    if (pos != text.size() || day < 0 || month < 0 || year < 0)
        return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString notADateMessage(const QString& typed)
{
    const QDate example(Clock::today().year(), 12, 31);
    return QStringLiteral("'%1' is not a date like %2.").arg(typed, toText(example));
}

QDate parse(const QString& text)
{
    if (const auto date = tryParse(text))
        return *date;
    throw conversionError(text.toStdString(), "date and time");
}

} // namespace ShortDate
