#include "core/platform/messages.h"
#include "core/program/pursewise.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

#include <cstdlib>
#include <map>
#include <optional>
#include <set>

// pursewise-check [--carried-into YY] DIR: starts the program's core in DIR,
// as the program does after a crash (an interrupted save is finished there),
// then reads every data file itself and checks that they agree: each card's
// row in the list, its information file and its ledgers tell the same
// balance owed, available credit and reconciled balance; every ledger's count
// and running balances hold; the totals are the sums of the list; no card is
// half there. With --carried-into, every card's opening balance of that year
// must be its whole balance owed (true when every entry was made in the
// current year, the year before YY). Prints each disagreement and exits 1,
// or prints one line and exits 0.
namespace {

QStringList problems;

void problem(const QString& text)
{
    problems.append(text);
}

// Lines of a file as the program writes them: each ended by CR LF.
std::optional<QStringList> fileLines(const QString& name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QString text = QString::fromUtf8(file.readAll());
    if (!text.isEmpty() && !text.endsWith(QStringLiteral("\r\n")))
        problem(name + QStringLiteral(" does not end with a line break"));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

// Whole cents of a money text ("-925.00", ".05"); nullopt when it is none.
std::optional<qint64> cents(const QString& text)
{
    static const QRegularExpression shape(QStringLiteral("^(-?)(\\d*)\\.(\\d\\d)$"));
    const auto match = shape.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const qint64 value = match.captured(2).toLongLong() * 100 + match.captured(3).toLongLong();
    return match.captured(1).isEmpty() ? value : -value;
}

qint64 money(const QString& text, const QString& where)
{
    const auto value = cents(text);
    if (!value)
        problem(where + QStringLiteral(": \"") + text + QStringLiteral("\" is no amount"));
    return value.value_or(0);
}

using Cells = std::map<std::pair<int, int>, QString>; // (row, column) to text

// Cell lines "COLUMN ROW TEXT" from line `from` on.
Cells cellLines(const QStringList& lines, int from, const QString& name)
{
    Cells cells;
    for (int i = from; i < lines.size(); ++i) {
        const QStringList parts = lines[i].split(u' ');
        bool columnOk = false;
        bool rowOk = false;
        const int column = parts.value(0).toInt(&columnOk);
        const int row = parts.value(1).toInt(&rowOk);
        if (parts.size() < 3 || !columnOk || !rowOk) {
            problem(QStringLiteral("line %1 of %2 is no cell line").arg(i + 1).arg(name));
            continue;
        }
        cells[{row, column}] = lines[i].section(u' ', 2);
    }
    return cells;
}

QString cell(const Cells& cells, int row, int column)
{
    const auto found = cells.find({row, column});
    return found == cells.end() ? QString() : found->second;
}

struct Totals
{
    qint64 owed = 0;
    qint64 reconciled = 0;
};

// One year's ledger: its count, its entries and their running balances.
Totals checkLedger(const QString& name, const Cells& balances, int year)
{
    Totals totals;
    const auto lines = fileLines(name);
    if (!lines)
        return totals;
    bool countOk = false;
    const int count = lines->value(0).toInt(&countOk);
    if (!countOk)
        problem(name + QStringLiteral(" has no count line"));
    const Cells cells = cellLines(*lines, 1, name);
    // A year whose opening balance changed since it was last shown keeps its
    // old running balances until it is shown again.
    const bool stale = cell(balances, year, 0) == u"T";
    const QString opening = cell(balances, year, 1);
    qint64 running = opening.isEmpty() || opening == u"0" ? 0 : money(opening, name);
    int lastRow = 0;
    for (const auto& [at, text] : cells)
        lastRow = std::max(lastRow, at.first);
    if (lastRow != count)
        problem(QStringLiteral("%1 counts %2 entries but has rows up to %3")
                    .arg(name)
                    .arg(count)
                    .arg(lastRow));
    for (int row = 1; row <= lastRow; ++row) {
        const QString where = QStringLiteral("row %1 of %2").arg(row).arg(name);
        const QString charge = cell(cells, row, 3);
        const QString payment = cell(cells, row, 4);
        if (charge.isEmpty() == payment.isEmpty()) {
            problem(where + QStringLiteral(" is not one charge or one payment"));
            continue;
        }
        const qint64 amount = charge.isEmpty() ? -money(payment, where) : money(charge, where);
        running += amount;
        totals.owed += amount;
        if (cell(cells, row, 5) == u"X")
            totals.reconciled += amount;
        if (!stale && money(cell(cells, row, 6), where) != running)
            problem(where + QStringLiteral(" shows %1 owed, not %2")
                                .arg(cell(cells, row, 6))
                                .arg(double(running) / 100, 0, 'f', 2));
    }
    return totals;
}

struct CardRow
{
    QString key;
    qint64 limit = 0;
    qint64 owed = 0;
    qint64 available = 0;
};

void checkCard(const CardRow& card, const QString& carriedInto)
{
    const QString key = card.key;
    const auto info = fileLines(key + QStringLiteral("info.dat"));
    const auto years = fileLines(key + QStringLiteral("yl.dat"));
    if (!info || info->size() < 10 || !years) {
        problem(QStringLiteral("card %1 is listed, but its information or year list is missing")
                    .arg(key));
        return;
    }
    const QString where = key + QStringLiteral("info.dat");
    if (money(info->at(6), where) != card.limit || money(info->at(7), where) != card.owed ||
        money(info->at(8), where) != card.available)
        problem(QStringLiteral("card %1: the list shows %2 %3 %4, its information file %5 %6 %7")
                    .arg(key)
                    .arg(double(card.limit) / 100, 0, 'f', 2)
                    .arg(double(card.owed) / 100, 0, 'f', 2)
                    .arg(double(card.available) / 100, 0, 'f', 2)
                    .arg(info->at(6), info->at(7), info->at(8)));
    const qint64 available = std::clamp(card.limit - card.owed, qint64(0), card.limit);
    if (card.available != available)
        problem(QStringLiteral("card %1 shows %2 available").arg(key).arg(card.available));

    Cells balances;
    if (const auto bb = fileLines(key + QStringLiteral("bb.dat")))
        balances = cellLines(*bb, 0, key + QStringLiteral("bb.dat"));
    Totals all;
    for (const QString& year : *years) {
        const Totals one = checkLedger(key + year + QStringLiteral(".dat"), balances, year.toInt());
        all.owed += one.owed;
        all.reconciled += one.reconciled;
    }
    if (all.owed != card.owed)
        problem(QStringLiteral("card %1 owes %2 by its list, %3 by its ledgers")
                    .arg(key)
                    .arg(double(card.owed) / 100, 0, 'f', 2)
                    .arg(double(all.owed) / 100, 0, 'f', 2));
    if (money(info->at(9), where) != all.reconciled)
        problem(QStringLiteral("card %1 shows %2 reconciled, its ledgers %3")
                    .arg(key, info->at(9))
                    .arg(double(all.reconciled) / 100, 0, 'f', 2));
    if (!carriedInto.isEmpty()) {
        const QString carried = cell(balances, carriedInto.toInt(), 1);
        const qint64 value = carried.isEmpty() ? 0 : money(carried, key + "bb.dat");
        if (value != all.owed)
            problem(QStringLiteral("card %1 opens %2 with %3, not its balance %4")
                        .arg(key, carriedInto, carried)
                        .arg(double(all.owed) / 100, 0, 'f', 2));
    }
}

void checkFolder(const QString& carriedInto)
{
    if (QFile::exists(DataFile::journalName))
        problem(QStringLiteral("the journal is still there after start-up"));
    static const QRegularExpression temporary(QStringLiteral("\\.dat\\.[A-Za-z0-9]{6}$"));
    static const QRegularExpression cardFile(QStringLiteral("^(\\d+)(info|bb|yl|rc)\\.dat$"));
    static const QRegularExpression ledgerFile(QStringLiteral("^(\\d+)\\d\\d\\.dat$"));
    std::set<QString> filedKeys;
    for (const QString& name : QDir().entryList(QDir::Files)) {
        if (temporary.match(name).hasMatch())
            problem(name + QStringLiteral(" is a temporary file left after start-up"));
        if (const auto match = cardFile.match(name); match.hasMatch())
            filedKeys.insert(match.captured(1));
        else if (const auto ledger = ledgerFile.match(name); ledger.hasMatch())
            filedKeys.insert(ledger.captured(1));
    }

    const auto list = fileLines(QStringLiteral("CardList.dat"));
    std::vector<CardRow> cards;
    if (list) {
        const Cells cells = cellLines(*list, 2, QStringLiteral("CardList.dat"));
        for (int row = 1; row <= 24 && !cell(cells, row, 0).isEmpty(); ++row) {
            const QString where = QStringLiteral("row %1 of CardList.dat").arg(row);
            cards.push_back({cell(cells, row, 0).section(u'.', 0, 0),
                             money(cell(cells, row, 4), where), money(cell(cells, row, 5), where),
                             money(cell(cells, row, 6), where)});
        }
        if (list->value(1).toInt() != int(cards.size()))
            problem(QStringLiteral("CardList.dat counts %1 cards and lists %2")
                        .arg(list->value(1))
                        .arg(cards.size()));
    }
    qint64 limits = 0;
    qint64 owed = 0;
    qint64 available = 0;
    for (const CardRow& card : cards) {
        checkCard(card, carriedInto);
        filedKeys.erase(card.key);
        limits += card.limit;
        owed += std::max(card.owed, qint64(0));
        available += card.available;
    }
    for (const QString& key : filedKeys)
        problem(QStringLiteral("card %1 has files but is not listed").arg(key));
    if (const auto summary = fileLines(QStringLiteral("summary.dat")); summary && !cards.empty()) {
        if (summary->size() != 3 || money(summary->at(0), "summary.dat") != limits ||
            money(summary->at(1), "summary.dat") != owed ||
            money(summary->at(2), "summary.dat") != available)
            problem(QStringLiteral("summary.dat reads %1, not the list's totals")
                        .arg(summary->join(u' ')));
    }
    QTextStream(stdout) << (problems.isEmpty() ? "consistent: " : "inconsistent: ")
                        << cards.size() << " cards" << Qt::endl;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    QString carriedInto;
    if (arguments.size() == 3 && arguments[0] == u"--carried-into") {
        carriedInto = arguments[1];
        arguments.remove(0, 2);
    }
    if (arguments.size() != 1 || !QDir::setCurrent(arguments[0])) {
        QTextStream(stderr) << "usage: pursewise-check [--carried-into YY] DIR" << Qt::endl;
        return 2;
    }
    // Any message at start-up (a damaged file, a journal that cannot be
    // finished) is itself a disagreement.
    setMessageSink([](const QString& text) { problem(QStringLiteral("start-up said: ") + text); });
    {
        Pursewise state;
        state.start();
    }
    checkFolder(carriedInto);
    for (const QString& text : problems)
        QTextStream(stdout) << "  " << text << Qt::endl;
    return problems.isEmpty() ? EXIT_SUCCESS : EXIT_FAILURE;
}
