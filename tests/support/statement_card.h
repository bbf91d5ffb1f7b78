#pragma once

#include "core/program/pursewise.h"
#include "core/register/statement.h"
#include "support/program_fixture.h"

#include <QStringList>

#include <initializer_list>
#include <map>

// Card 1 "Visa" (limit 900.00), added on 20 December 2025 and opened again on
// 8 December 2026: its years are 25 and 26, and the register shows 26.
class TwoYearCardTest : public ProgramTest
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        Clock::fix(QDateTime(QDate(2025, 12, 20), QTime(12, 0)));
        restart();
        p().tc.AddCard(sampleCard(QStringLiteral("Visa"), QStringLiteral("900.00")));
        Clock::fix(QDateTime(QDate(2026, 12, 8), QTime(12, 0)));
        restart();
        clickCard(1);
        mainWindow().B1Click();
        ASSERT_EQ(p().years.items, (QStringList{"25", "26"}));
    }

    // The user shows another year of the card.
    void showYear(const char* year)
    {
        p().tc.SelectYear(QString::fromLatin1(year));
        p().tc.ChangeYear();
    }

    // Adds an entry at the end of the year on view, dated `date`.
    void addDated(EntryKind kind, const char* description, const char* amount, QDate date,
                  bool cleared = false)
    {
        ASSERT_TRUE(registerWindow().bb3Click());
        const EntryValues values =
            entry(QString::fromLatin1(description), QString::fromLatin1(amount), cleared, date);
        if (kind == EntryKind::Charge)
            p().tc.AddCharge(values);
        else
            p().tc.AddPayment(values);
    }

    // What the program shows: the card list, the totals, the register's
    // header and year, and every row of the ledger on view.
    QStringList shownState()
    {
        QStringList shown;
        for (int row = 1; row <= 24; ++row)
            for (int column = 0; column < 8; ++column)
                shown << p().sg1.cell(column, row);
        const RegisterFields& r = p().reg;
        shown << p().main.E1 << p().main.E2 << p().main.E3 << p().main.SelectedYr << r.E5 << r.E6
              << r.E7 << r.E8 << r.EYr << QString::number(p().grid.entryCount())
              << QString::number(p().ledger.currentRow()) << QString::number(int(r.overdrawn))
              << QString::number(int(r.shown));
        for (int row = 1; row <= p().grid.entryCount() + 1; ++row)
            for (int column = TGrid::Date; column <= TGrid::Balance; ++column)
                shown << p().ledger.cell(column, row);
        for (int year = 24; year <= 28; ++year)
            shown << p().beginBalGrid.cell(0, year) << p().beginBalGrid.cell(1, year);
        return shown << p().years.items;
    }
};

inline StatementEntry statementEntry(QDate date, EntryKind kind, const char* description,
                                     std::int64_t cents, int line = 1)
{
    StatementEntry entry;
    entry.date = date;
    entry.kind = kind;
    entry.description = QString::fromLatin1(description);
    entry.cents = cents;
    entry.line = line;
    return entry;
}

inline Statement statementOf(std::initializer_list<StatementEntry> entries)
{
    Statement statement;
    statement.fileName = QStringLiteral("june.qif");
    statement.entries = entries;
    return statement;
}
