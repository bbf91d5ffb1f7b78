#include "core/register/qif_statement.h"

#include "core/register/statement_text.h"

#include <QStringList>

#include <optional>
#include <vector>

namespace {

// One record as the file has it: the fields the entry needs, and the line of
// its first field.
struct QifRecord
{
    int line = 0;
    std::optional<QString> date;
    std::optional<QString> amount;
    QString payee;
    QString memo;
};

// The three numbers of a date text, and whether it is year first. "1/ 5'26"
// is {1, 5, 26}, "2025-12-31" {2025, 12, 31} year first.
struct DateFields
{
    int first = 0;
    int second = 0;
    int third = 0;
    int thirdDigits = 0;
    bool yearFirst = false;
};

std::optional<DateFields> dateFields(const QString& input)
{
    const QString text = input.trimmed();
    std::vector<QString> runs;
    QString run;
    bool separatorSinceRun = true;
    for (const QChar c : text) {
        if (c.isDigit() && c.unicode() < 128) {
            if (run.isEmpty() && !separatorSinceRun)
                return std::nullopt;
            run += c;
        } else if (c == u'/' || c == u'\'' || c == u'-' || c == u'.' || c == u' ') {
            if (!run.isEmpty()) {
                runs.push_back(run);
                run.clear();
                separatorSinceRun = false;
            }
            if (c != u' ')
                separatorSinceRun = true;
        } else {
            return std::nullopt;
        }
    }
    if (!run.isEmpty())
        runs.push_back(run);
    if (runs.size() != 3)
        return std::nullopt;
    DateFields fields;
    fields.yearFirst = runs[0].size() == 4;
    if (fields.yearFirst ? runs[1].size() > 2 || runs[2].size() > 2
                         : runs[0].size() > 2 || runs[1].size() > 2 ||
                               (runs[2].size() != 4 && runs[2].size() > 2))
        return std::nullopt;
    fields.first = runs[0].toInt();
    fields.second = runs[1].toInt();
    fields.third = runs[2].toInt();
    fields.thirdDigits = static_cast<int>(runs[2].size());
    return fields;
}

QDate dateOf(const DateFields& f, bool dayFirst)
{
    if (f.yearFirst)
        return QDate(f.first, f.second, f.third);
    const int year = f.thirdDigits == 4 ? f.third : StatementText::fullYear(f.third);
    return dayFirst ? QDate(year, f.second, f.first) : QDate(year, f.first, f.second);
}

// Sections whose records are money moving in and out of one account.
bool isTransactionType(const QString& type)
{
    const QString t = type.trimmed().toLower();
    return t == u"bank" || t == u"ccard" || t == u"cash" || t == u"oth l" || t == u"oth a";
}

bool isFieldCode(QChar c)
{
    return (c >= u'A' && c <= u'Z') || c == u'$' || c == u'%' || c == u'&' || c == u'@';
}

} // namespace

Statement parseQif(const QByteArray& bytes, const QString& fileName)
{
    const QString text = StatementText::decode(bytes);
    std::vector<QifRecord> records;
    QifRecord record;
    bool inRecord = false;
    bool takeRecords = true; // a file without a header holds transactions
    bool sawHeader = false;
    bool sawRecord = false;
    bool sawMoneyField = false; // a D, T or U line: without a header, the sign of a QIF

    const auto endRecord = [&] {
        if (inRecord && takeRecords)
            records.push_back(record);
        sawRecord = sawRecord || inRecord;
        record = QifRecord();
        inRecord = false;
    };

    int lineNumber = 0;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const QString line = text.mid(start, end - start);
        // CR LF is one break; a lone CR or a lone LF is one too.
        start = end + (end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n'
                           ? 2
                           : 1);
        ++lineNumber;

        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty())
            continue;
        const QChar code = line[0];
        if (code == u'!') {
            endRecord();
            const QString header = trimmed.toLower();
            if (header.startsWith(u"!type:")) {
                takeRecords = isTransactionType(trimmed.mid(6));
                sawHeader = true;
            } else if (header.startsWith(u"!account")) {
                // An account list: its records name accounts, not money.
                takeRecords = false;
                sawHeader = true;
            } else if (header.startsWith(u"!option") || header.startsWith(u"!clear")) {
                sawHeader = true;
            }
            continue;
        }
        if (code == u'^') {
            endRecord();
            continue;
        }
        if (!isFieldCode(code)) {
            if (!sawHeader && !sawRecord && !inRecord)
                throw StatementText::fileError(fileName, 1, QStringLiteral("not a QIF statement"));
            throw StatementText::fileError(fileName, lineNumber,
                                           StatementText::quoted(trimmed) +
                                               QStringLiteral(" is not a QIF field"));
        }
        if (!inRecord) {
            inRecord = true;
            record.line = lineNumber;
        }
        const QString value = line.mid(1).trimmed();
        sawMoneyField = sawMoneyField || code == u'D' || code == u'T' || code == u'U';
        switch (code.unicode()) {
        case u'D':
            if (!record.date)
                record.date = value;
            break;
        case u'T':
            record.amount = value;
            break;
        case u'U':
            // The same amount as T, written by newer Quicken; T wins.
            if (!record.amount)
                record.amount = value;
            break;
        case u'P':
            if (record.payee.isEmpty())
                record.payee = value;
            break;
        case u'M':
            if (record.memo.isEmpty())
                record.memo = value;
            break;
        default:
            // N (number), C (cleared), L (category), the split lines S, E
            // and $, addresses and letters we do not know: not needed.
            break;
        }
    }
    endRecord();
    // Without a header, lines that merely start with capitals ("Hello") do
    // not make a statement; a date or an amount line does.
    if (!sawHeader && (!sawRecord || !sawMoneyField))
        throw StatementText::fileError(fileName, 1, QStringLiteral("not a QIF statement"));

    // Day first when some date of the file cannot be month first.
    bool dayFirst = false;
    for (const QifRecord& r : records) {
        if (!r.date)
            continue;
        const std::optional<DateFields> fields = dateFields(*r.date);
        if (fields && !fields->yearFirst && fields->first > 12)
            dayFirst = true;
    }

    Statement statement;
    statement.fileName = fileName;
    statement.entries.reserve(records.size());
    for (const QifRecord& r : records) {
        StatementEntry entry;
        entry.line = r.line;
        entry.description = StatementText::joinDescription(r.payee, r.memo);
        if (!r.date || r.date->isEmpty()) {
            entry.problem = QString::fromLatin1(StatementText::noDate);
        } else {
            const std::optional<DateFields> fields = dateFields(*r.date);
            const QDate date = fields ? dateOf(*fields, dayFirst) : QDate();
            if (date.isValid())
                entry.date = date;
            else
                entry.problem = StatementText::notADate(*r.date);
        }
        StatementText::setAmount(entry, r.amount.value_or(QString()), u'.', true);
        statement.entries.push_back(entry);
    }
    return statement;
}

Statement readQifStatement(const QString& path)
{
    return parseQif(StatementText::readStatementBytes(path), StatementText::fileNameOf(path));
}
