#include "core/register/ofx_statement.h"

#include "core/platform/late_library.h"
#include "core/register/statement_text.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <libofx/libofx.h>

#include <cmath>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

namespace {

// A STMTTRN as our own scan of the bytes finds it: where it starts and the
// date text of its DTPOSTED.
struct ScannedTransaction
{
    int line = 0;
    QByteArray posted;
};

// What libofx hands over for one transaction.
struct OfxTransaction
{
    std::optional<double> amount;
    std::optional<time_t> posted;
    QString name;
    QString memo;
};

bool isBreak(char c)
{
    return c == '\n' || c == '\r';
}

// The value of a leaf element that starts at `from`: up to the next tag or
// line break, blanks dropped ("20251231120000[-5:EST]").
QByteArray leafValue(const QByteArray& bytes, qsizetype from)
{
    qsizetype end = from;
    while (end < bytes.size() && bytes[end] != '<' && !isBreak(bytes[end]))
        ++end;
    return bytes.mid(from, end - from).trimmed();
}

// Every STMTTRN of the file in order, each with the line it opens on. libofx
// does not tell lines, so the entries take theirs from here when the count
// agrees with what libofx found; otherwise they have line 0.
std::vector<ScannedTransaction> scanTransactions(const QByteArray& bytes)
{
    static const QByteArray open = "<STMTTRN>";
    static const QByteArray posted = "<DTPOSTED>";
    const QByteArray upper = bytes.toUpper();
    std::vector<ScannedTransaction> found;
    int line = 1;
    qsizetype counted = 0; // breaks before here are in `line`
    qsizetype at = upper.indexOf(open);
    while (at >= 0) {
        for (; counted < at; ++counted) {
            const char c = bytes[counted];
            if (c == '\n' || (c == '\r' && (counted + 1 >= bytes.size() || bytes[counted + 1] != '\n')))
                ++line;
        }
        ScannedTransaction t;
        t.line = line;
        const qsizetype next = upper.indexOf(open, at + open.size());
        const qsizetype close = upper.indexOf("</STMTTRN>", at + open.size());
        const qsizetype end = close >= 0 && (next < 0 || close < next) ? close : next;
        const qsizetype date = upper.indexOf(posted, at + open.size());
        if (date >= 0 && (end < 0 || date < end))
            t.posted = leafValue(bytes, date + posted.size());
        found.push_back(t);
        at = next;
    }
    return found;
}

// The calendar day of "20251231", "20251231120000.000[-5:EST]": the first
// eight digits, whatever the time and zone after them say.
QDate dateOfPosted(const QByteArray& text)
{
    if (text.size() < 8)
        return {};
    for (int i = 0; i < 8; ++i)
        if (text[i] < '0' || text[i] > '9')
            return {};
    if (text.size() > 8 && text[8] >= '0' && text[8] <= '9' && text.size() < 12)
        return {};
    return QDate(text.left(4).toInt(), text.mid(4, 2).toInt(), text.mid(6, 2).toInt());
}

bool looksLikeOfx(const QByteArray& bytes)
{
    const QByteArray head = bytes.left(4096).toUpper();
    return head.contains("OFXHEADER") || bytes.toUpper().contains("<OFX>");
}

// libofx's parser takes minutes over thousands of aggregates opened inside one
// another ("<OFX><X><X><X>..." with nothing between), and seconds over a tag
// name of a megabyte. A real statement nests a dozen deep and names its tags
// in a few letters, so both are refused before libofx sees them: the fault
// and its line, or nothing.
std::optional<std::pair<int, QString>> structuralFault(const QByteArray& bytes)
{
    constexpr int deepest = 100;
    constexpr qsizetype longestTag = 256;
    int line = 1;
    int run = 0; // opening tags in a row with only blanks between them
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\n' || (c == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')))
            ++line;
        if (c != '<')
            continue;
        qsizetype end = i + 1;
        while (end < bytes.size() && bytes[end] != '>' && bytes[end] != '<' && end - i <= longestTag)
            ++end;
        if (end - i > longestTag)
            return std::pair(line, QStringLiteral("a tag is longer than 256 characters"));
        const char first = i + 1 < bytes.size() ? bytes[i + 1] : '/';
        if (first == '/' || first == '?' || first == '!') {
            run = 0;
            continue;
        }
        qsizetype next = end + 1;
        while (next < bytes.size() && (bytes[next] == ' ' || bytes[next] == '\t' ||
                                       bytes[next] == '\r' || bytes[next] == '\n'))
            ++next;
        run = next < bytes.size() && bytes[next] == '<' ? run + 1 : 0;
        if (run > deepest)
            return std::pair(line, QStringLiteral("elements nest more than 100 deep"));
    }
    return std::nullopt;
}

QString textOf(const char* chars)
{
    return StatementText::decode(QByteArray(chars)).trimmed();
}

int onTransaction(const struct OfxTransactionData data, void* found)
{
    OfxTransaction t;
    if (data.amount_valid)
        t.amount = data.amount;
    if (data.date_posted_valid)
        t.posted = data.date_posted;
    if (data.name_valid)
        t.name = textOf(data.name);
    if (data.memo_valid)
        t.memo = textOf(data.memo);
    static_cast<std::vector<OfxTransaction>*>(found)->push_back(t);
    return 0;
}

// libofx keeps its settings in globals and is not made for two readers at once.
// The parts of libofx the reader uses, looked up once; libofx is loaded at
// the first OFX import (core/platform/late_library.h).
struct Libofx
{
    decltype(&libofx_get_new_context) getNewContext = nullptr;
    decltype(&ofx_set_transaction_cb) setTransactionCallback = nullptr;
    decltype(&libofx_proc_file) processFile = nullptr;
    decltype(&libofx_free_context) freeContext = nullptr;
    std::vector<int*> messageSwitches;
    QString missing; // why libofx cannot be used, or nothing
};

Libofx loadLibofx()
{
    static LateLibrary library(QStringLiteral(PURSEWISE_LIBOFX));
    Libofx ofx;
    bool complete = library.find(ofx.getNewContext, "libofx_get_new_context") &&
                    library.find(ofx.setTransactionCallback, "ofx_set_transaction_cb") &&
                    library.find(ofx.processFile, "libofx_proc_file") &&
                    library.find(ofx.freeContext, "libofx_free_context");
    for (const char* name :
         {"ofx_PARSER_msg", "ofx_DEBUG_msg", "ofx_DEBUG1_msg", "ofx_DEBUG2_msg", "ofx_DEBUG3_msg",
          "ofx_DEBUG4_msg", "ofx_DEBUG5_msg", "ofx_STATUS_msg", "ofx_INFO_msg", "ofx_WARNING_msg",
          "ofx_ERROR_msg", "ofx_show_position"}) {
        int* messages = nullptr;
        complete = library.find(messages, name) && complete;
        ofx.messageSwitches.push_back(messages);
    }
    if (!complete)
        ofx.missing = library.reason();
    return ofx;
}

// libofx ready to use, or a message that it is not installed as it should be.
const Libofx& libofx(const QString& fileName)
{
    static const Libofx ofx = loadLibofx();
    if (!ofx.missing.isEmpty())
        throw StatementText::fileError(
            fileName, QStringLiteral("the OFX reader cannot be loaded (%1)").arg(ofx.missing));
    return ofx;
}

std::mutex& libofxLock()
{
    static std::mutex lock;
    return lock;
}

std::vector<OfxTransaction> transactionsOf(const QByteArray& bytes, const QString& fileName)
{
    // libofx reads files only. The copy goes to a folder of our own, named
    // absolutely so that the working directory plays no part, and goes away
    // with the folder; libofx's own working copy it removes itself.
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/pursewise-ofx-XXXXXX"));
    const QString path = folder.filePath(QStringLiteral("statement.ofx"));
    QFile file(path);
    if (!folder.isValid() || !file.open(QIODevice::WriteOnly) ||
        file.write(bytes) != bytes.size() || !file.flush())
        throw StatementText::fileError(fileName, QStringLiteral("no room for a working copy"));
    file.close();

    const Libofx& ofx = libofx(fileName);
    std::vector<OfxTransaction> found;
    const std::lock_guard<std::mutex> guard(libofxLock());
    // Quiet: libofx otherwise writes its progress and complaints to the console.
    for (int* messages : ofx.messageSwitches)
        *messages = 0;
    LibofxContextPtr context = ofx.getNewContext();
    ofx.setTransactionCallback(context, &onTransaction, &found);
    ofx.processFile(context, QFile::encodeName(path).constData(), OFX);
    ofx.freeContext(context);
    return found;
}

} // namespace

Statement parseOfx(const QByteArray& bytes, const QString& fileName)
{
    if (!looksLikeOfx(bytes))
        throw StatementText::fileError(fileName, 1, QStringLiteral("not an OFX statement"));
    if (const auto fault = structuralFault(bytes))
        throw StatementText::fileError(fileName, fault->first, fault->second);

    const std::vector<OfxTransaction> found = transactionsOf(bytes, fileName);
    const std::vector<ScannedTransaction> scanned = scanTransactions(bytes);
    const bool matched = scanned.size() == found.size();

    Statement statement;
    statement.fileName = fileName;
    statement.entries.reserve(found.size());
    for (std::size_t i = 0; i < found.size(); ++i) {
        const OfxTransaction& t = found[i];
        StatementEntry entry;
        entry.line = matched ? scanned[i].line : 0;
        entry.description = StatementText::joinDescription(t.name, t.memo);
        // libofx turns DTPOSTED into a moment, moved by the zone the file names
        // and read back in ours; "20251231230000[-5:EST]" can come back as
        // January 1. The file's own digits say the day the bank meant.
        // Unmatched, libofx's moment read back in local time is the best left.
        if (matched)
            entry.date = dateOfPosted(scanned[i].posted);
        else if (t.posted)
            entry.date = QDateTime::fromSecsSinceEpoch(*t.posted).date();
        if (!entry.date.isValid())
            entry.problem = matched && !scanned[i].posted.isEmpty()
                                ? StatementText::notADate(QString::fromLatin1(scanned[i].posted))
                                : QString::fromLatin1(StatementText::noDate);
        if (!entry.problem.isEmpty()) {
        } else if (!t.amount) {
            entry.problem = QString::fromLatin1(StatementText::noAmount);
        } else if (!std::isfinite(*t.amount) || std::fabs(*t.amount) >= 1e13 ||
                   std::llround(*t.amount * 100) == 0) {
            entry.problem = StatementText::notAnAmount(QString::number(*t.amount, 'f', 2));
        } else {
            const long long cents = std::llround(*t.amount * 100);
            entry.cents = cents < 0 ? -cents : cents;
            entry.kind = cents < 0 ? EntryKind::Charge : EntryKind::Payment;
        }
        statement.entries.push_back(entry);
    }
    return statement;
}

Statement readOfxStatement(const QString& path)
{
    return parseOfx(StatementText::readStatementBytes(path), StatementText::fileNameOf(path));
}
