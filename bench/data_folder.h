#pragma once

// The data folder the benchmarks work in: a fresh temporary folder, in
// /dev/shm when there is one, so that a disk's flush time does not hide the
// program's own work (PURSEWISE_BENCH_DIR chooses another place).

#include "core/platform/clock.h"
#include "core/platform/data_file.h"
#include "core/platform/short_date.h"

#include <QDir>
#include <QTemporaryDir>

inline QString benchRoot()
{
    const QByteArray chosen = qgetenv("PURSEWISE_BENCH_DIR");
    if (!chosen.isEmpty())
        return QString::fromLocal8Bit(chosen);
    return QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm")
                                                     : QDir::tempPath();
}

// A data folder with 24 cards; card 1 holds 1000 entries (or `entries`) in
// 2026 and opening balances for 30 years.
class DataFolder
{
public:
    explicit DataFolder(int entries = 1000)
        : m_dir(benchRoot() + QStringLiteral("/pursewise-bench-XXXXXX"))
    {
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        Clock::fix(QDateTime(QDate(2026, 12, 8), QTime(12, 0)));
        ShortDate::setFormat(QStringLiteral("M/d/yy"));
        writeFiles(entries);
    }
    ~DataFolder()
    {
        QDir::setCurrent(m_previous);
        Clock::unfix();
    }

    static void writeFiles(int entries)
    {
        QStringList list{QStringLiteral("24"), QStringLiteral("24")};
        for (int card = 1; card <= 24; ++card) {
            const QString row = QString::number(card);
            list << QStringLiteral("0 %1 %1. Card number %1").arg(row)
                 << QStringLiteral("1 %1 10/31/27").arg(row) << QStringLiteral("2 %1 0").arg(row)
                 << QStringLiteral("3 %1 18.9").arg(row)
                 << QStringLiteral("4 %1 900000.00").arg(row)
                 << QStringLiteral("5 %1 0.00").arg(row)
                 << QStringLiteral("6 %1 900000.00").arg(row)
                 << QStringLiteral("7 %1 6/30/27").arg(row);
        }
        DataFile::writeLines(QStringLiteral("CardList.dat"), list);
        DataFile::writeLines(QStringLiteral("summary.dat"), {"21600000.00", "0.00", "21600000.00"});

        // Balances of 30 years before this one: 1 unit more each year.
        QStringList balances;
        for (int year = 1; year <= 30; ++year)
            balances << QStringLiteral("0 %1 F").arg(year)
                     << QStringLiteral("1 %1 %2.00").arg(year).arg(year);
        DataFile::writeLines(QStringLiteral("1bb.dat"), balances);
        QStringList years;
        for (int year = 1; year <= 26; ++year)
            years << QStringLiteral("%1").arg(year, 2, 10, QLatin1Char('0'));
        DataFile::writeLines(QStringLiteral("1yl.dat"), years);

        QStringList ledger{QString::number(entries)};
        long long balance = 2600; // cents: year 26 opens at 26.00
        for (int row = 1; row <= entries; ++row) {
            const QString r = QString::number(row);
            balance += 1234;
            ledger << QStringLiteral("1 %1 12/1/26").arg(r)
                   << QStringLiteral("2 %1 Groceries and household, entry %1").arg(r)
                   << QStringLiteral("3 %1 12.34").arg(r);
            if (row % 3 == 0)
                ledger << QStringLiteral("5 %1 X").arg(r);
            ledger << QStringLiteral("6 %1 %2.%3")
                          .arg(r)
                          .arg(balance / 100)
                          .arg(balance % 100, 2, 10, QLatin1Char('0'));
        }
        DataFile::writeLines(QStringLiteral("126.dat"), ledger);
        const QString owed =
            QStringLiteral("%1.%2").arg(balance / 100).arg(balance % 100, 2, 10, QLatin1Char('0'));
        DataFile::writeLines(QStringLiteral("1info.dat"),
                             {"Card number 1", "10/31/27", "18.9", "0", "6/30/27", "15",
                              "900000.00", owed, "880000.00", "0.00"});
    }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};
