#include "fuzz_support.h"

#include "core/platform/clock.h"
#include "core/platform/messages.h"
#include "core/platform/short_date.h"
#include "core/platform/user_error.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

QString& scratch()
{
    static QString folder;
    return folder;
}

void removeScratch()
{
    if (!scratch().isEmpty())
        QDir(scratch()).removeRecursively();
}

} // namespace

namespace Fuzz {

void setUp()
{
    if (!scratch().isEmpty())
        return;
    // In memory where the system offers it: every save syncs its file to
    // disk, which would otherwise decide the speed of the whole run.
    std::string pattern = QDir(QStringLiteral("/dev/shm")).exists() ? "/dev/shm" : "/tmp";
    pattern += "/pursewise-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr || chdir(pattern.c_str()) != 0)
        fail("no scratch folder");
    scratch() = QString::fromStdString(pattern);
    std::atexit(removeScratch);
    Clock::fix(QDateTime(QDate(2026, 12, 8), QTime(12, 0)));
    ShortDate::setFormat(QStringLiteral("M/d/yy"));
    setMessageSink([](const QString&) {});
}

void clearFolder()
{
    QDir folder(scratch());
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden))
        folder.remove(name);
}

QByteArray bytesOf(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void putBytes(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        fail("could not put the input on disk");
}

bool loads(const std::function<void()>& load)
{
    try {
        load();
        return true;
    } catch (const UserError&) {
        return false;
    }
}

std::vector<QString> cellsOf(const TextGrid& grid)
{
    std::vector<QString> cells;
    for (int row = 0; row < grid.rowCount(); ++row)
        for (int column = 0; column < grid.columnCount(); ++column)
            cells.push_back(grid.cell(column, row));
    return cells;
}

State stateOf(const Pursewise& p)
{
    State state;
    state.sg1 = cellsOf(p.sg1);
    state.ledger = cellsOf(p.ledger);
    state.beginBal = cellsOf(p.beginBalGrid);
    const RegisterFields& r = p.reg;
    state.fields = {p.main.E1,
                    p.main.E2,
                    p.main.E3,
                    p.main.CurrentYr,
                    p.main.SelectedYr,
                    r.L7,
                    r.Edit1,
                    r.E1,
                    r.E2,
                    r.E3,
                    r.E4,
                    r.E5,
                    r.E6,
                    r.E7,
                    r.E8,
                    r.EYr,
                    r.cardKey};
    state.years = p.years.items;
    state.counters = {p.cardList.lastKey(),     p.cardList.cardCount(), p.grid.entryCount(),
                      p.grid.selectedRow(),     p.sg1.currentRow(),     p.ledger.currentRow(),
                      p.beginBal.selectedYear()};
    return state;
}

void fail(const char* what)
{
    std::fprintf(stderr, "pursewise fuzz check failed: %s\n", what);
    std::abort();
}

} // namespace Fuzz
