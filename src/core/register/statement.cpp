#include "core/register/statement_text.h"
#include "core/register/statement_format.h"

#include "core/platform/clock.h"
#include "core/platform/short_date.h"
#include "core/platform/system_reason.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cerrno>

namespace StatementText {

QString fileNameOf(const QString& path)
{
    return QFileInfo(path).fileName();
}

QByteArray readStatementBytes(const QString& path)
{
    const QString name = fileNameOf(path);
    QFile file(path);
    if (QFileInfo(path).isDir())
        throw fileError(name, QStringLiteral("it is a folder, not a file"));
    if (!file.open(QIODevice::ReadOnly)) {
        const int error = errno;
        throw fileError(name, systemReason(error, file.errorString()));
    }
    if (file.size() > largestStatement)
        throw fileError(name, QStringLiteral("the file is larger than 16 MB"));
    // A file that grows while it is read (or a device that reports no size)
    // is still read no further than the limit.
    QByteArray bytes = file.read(largestStatement + 1);
    if (bytes.size() > largestStatement)
        throw fileError(name, QStringLiteral("the file is larger than 16 MB"));
    return bytes;
}

QString decode(const QByteArray& input)
{
    QByteArray bytes = input;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}

QString quoted(const QString& input)
{
    // A control character (a NUL, an escape) would garble the message box.
    QString text = input;
    for (QChar& c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = u'?';
    return QLatin1Char('"') + QString::fromStdString(quotedText(text.toStdString())) +
           QLatin1Char('"');
}

UserError fileError(const QString& fileName, int line, const QString& what)
{
    return fileError(fileName, QStringLiteral("line %1: %2").arg(line).arg(what));
}

UserError fileError(const QString& fileName, const QString& what)
{
    return UserError(
        QStringLiteral("Could not import \"%1\": %2.").arg(fileName, what).toStdString());
}

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Leaves `text` without the sign or brackets around it; true when it was
// negative. Nothing when the signs contradict ("-(5)", "+-5").
std::optional<bool> takeSign(QString& text)
{
    bool negative = false;
    if (text.startsWith(u'(') && text.endsWith(u')') && text.size() >= 2) {
        text = text.mid(1, text.size() - 2).trimmed();
        negative = true;
    }
    // "$-12", "-$12" and "- 12" are all written by some bank.
    bool dollar = false;
    if (text.startsWith(u'$')) {
        text = text.mid(1).trimmed();
        dollar = true;
    }
    if (text.startsWith(u'-') || text.startsWith(u'+')) {
        if (negative && text.startsWith(u'-'))
            return std::nullopt;
        negative = negative || text.startsWith(u'-');
        text = text.mid(1).trimmed();
    }
    if (!dollar && text.startsWith(u'$'))
        text = text.mid(1).trimmed();
    return negative;
}

} // namespace

std::optional<std::int64_t> parseAmount(const QString& input, QChar decimalSeparator)
{
    QString text = input.trimmed();
    const std::optional<bool> negative = takeSign(text);
    if (!negative || text.isEmpty())
        return std::nullopt;
    const QChar grouping = decimalSeparator == u',' ? u'.' : u',';

    std::int64_t whole = 0;
    int wholeDigits = 0;
    int fractionDigits = 0;
    std::int64_t fraction = 0; // the first two decimals, as cents
    bool point = false;
    bool anyDigit = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isDigit(c)) {
            anyDigit = true;
            const int digit = c.unicode() - u'0';
            if (!point) {
                // Leading zeros count for nothing: "007.00" is 7 dollars.
                if (wholeDigits > 0 || digit != 0)
                    ++wholeDigits;
                if (wholeDigits > 13)
                    return std::nullopt;
                whole = whole * 10 + digit;
            } else {
                ++fractionDigits;
                if (fractionDigits <= 2)
                    fraction = fraction * 10 + digit;
                else if (digit != 0)
                    return std::nullopt;
            }
        } else if (c == decimalSeparator && !point) {
            point = true;
        } else if (c == grouping && !point && i > 0 && isDigit(text[i - 1]) &&
                   i + 3 < text.size() && isDigit(text[i + 1]) && isDigit(text[i + 2]) &&
                   isDigit(text[i + 3]) &&
                   (i + 4 == text.size() || text[i + 4] == grouping ||
                    text[i + 4] == decimalSeparator)) {
            // "1,234.56": a thousands mark before each three digits of the
            // whole part; "12,34" with a decimal point is no money.
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    if (fractionDigits == 1)
        fraction *= 10; // "12.5" is 12.50
    const std::int64_t cents = whole * 100 + fraction;
    return *negative ? -cents : cents;
}

QString notAnAmount(const QString& text)
{
    return quoted(text.trimmed()) + QStringLiteral(" is not an amount");
}

QString notADate(const QString& text)
{
    return quoted(text.trimmed()) + QStringLiteral(" is not a date");
}

void setAmount(StatementEntry& entry, const QString& text, QChar decimalSeparator,
               bool negativeIsCharge)
{
    entry.cents = 0;
    entry.kind = EntryKind::None;
    const std::optional<std::int64_t> cents = parseAmount(text, decimalSeparator);
    // A problem found before (the date's) stays the one the preview shows.
    if (!entry.problem.isEmpty())
        return;
    if (text.trimmed().isEmpty())
        entry.problem = QString::fromLatin1(noAmount);
    else if (!cents || *cents == 0)
        entry.problem = notAnAmount(text);
    else {
        entry.cents = *cents < 0 ? -*cents : *cents;
        entry.kind = (*cents < 0) == negativeIsCharge ? EntryKind::Charge : EntryKind::Payment;
    }
}

QString joinDescription(const QString& payee, const QString& memo)
{
    const QString p = payee.trimmed();
    const QString m = memo.trimmed();
    if (m.isEmpty() || m == p)
        return p;
    if (p.isEmpty())
        return m;
    return p + QStringLiteral(" - ") + m;
}

int fullYear(int twoDigitYear)
{
    return ShortDate::windowedYear(twoDigitYear, Clock::today().year());
}

} // namespace StatementText

StatementFormat statementFormatOf(const QString& path, const QByteArray& bytes)
{
    // The first kilobytes are enough: both headers stand at the top.
    QByteArray head = bytes.left(4096);
    if (head.startsWith("\xEF\xBB\xBF"))
        head.remove(0, 3);
    const QByteArray upper = head.toUpper();
    const QByteArray start = upper.trimmed();
    if (upper.contains("OFXHEADER") || start.startsWith("<?OFX") || upper.contains("<OFX>"))
        return StatementFormat::Ofx;
    if (start.startsWith("!TYPE") || start.startsWith("!ACCOUNT") || start.startsWith("!OPTION"))
        return StatementFormat::Qif;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"ofx" || suffix == u"qfx")
        return StatementFormat::Ofx;
    if (suffix == u"qif")
        return StatementFormat::Qif;
    if (suffix == u"csv" || suffix == u"txt")
        return StatementFormat::Csv;
    return StatementFormat::Unknown;
}
