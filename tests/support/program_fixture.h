#pragma once

#include "core/platform/clock.h"
#include "core/platform/short_date.h"
#include "core/program/dialog_values.h"
#include "core/program/main_commands.h"
#include "core/program/pursewise.h"
#include "core/program/register_commands.h"
#include "support/fixed_day.h"
#include "support/message_recorder.h"
#include "support/sample_card.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>

// A whole program state in an empty data folder, on 8 December 2026 at noon,
// with short dates as M/d/yy and every message recorded.
class ProgramTest : public OnTheFixedDay
{
protected:
    void SetUp() override
    {
        OnTheFixedDay::SetUp();
        restart();
    }

    void TearDown() override
    {
        m_main.reset();
        m_register.reset();
        m_p.reset();
        OnTheFixedDay::TearDown();
        m_memory.reset();
    }

    // Moves to a fresh data folder in memory where the system offers one, for
    // tests of thousands of saves; the folder goes at the end of the test.
    void useMemoryFolder()
    {
        if (QDir(QStringLiteral("/dev/shm")).exists())
            m_memory = std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/pursewise-XXXXXX"));
        if (m_memory && m_memory->isValid()) {
            ASSERT_TRUE(QDir::setCurrent(m_memory->path()));
        }
    }

    // A fresh program started in the same folder, as after quitting.
    void restart()
    {
        m_main.reset();
        m_register.reset();
        m_p = std::make_unique<Pursewise>();
        m_p->start();
        m_main = std::make_unique<MainCommands>(*m_p);
        m_register = std::make_unique<RegisterCommands>(*m_p);
    }

    Pursewise& p() { return *m_p; }
    MainCommands& mainWindow() { return *m_main; }
    RegisterCommands& registerWindow() { return *m_register; }

    // The user clicks a row of the card list.
    void clickCard(int row)
    {
        p().sg1.setCurrentRow(row);
        p().cardList.SelectFromGrid();
    }

    // The user puts the ledger cursor on a row.
    void clickEntry(int row) { p().ledger.setCurrentRow(row); }

    static EntryValues entry(const QString& description, const QString& amount, bool cleared,
                             QDate date = QDate(2026, 12, 1))
    {
        EntryValues values;
        values.date = date;
        values.description = description;
        values.charge = amount;
        values.payment = amount;
        values.cleared = cleared;
        return values;
    }

    // Adds a charge or payment at the end of the open card's ledger, as the
    // register's Add button and the entry dialog do.
    void addCharge(const QString& description, const QString& amount, bool cleared = false)
    {
        ASSERT_TRUE(registerWindow().bb3Click());
        p().tc.AddCharge(entry(description, amount, cleared));
    }

    void addPayment(const QString& description, const QString& amount, bool cleared = false)
    {
        ASSERT_TRUE(registerWindow().bb3Click());
        p().tc.AddPayment(entry(description, amount, cleared));
    }

    MessageRecorder messages;

private:
    std::unique_ptr<QTemporaryDir> m_memory;
    std::unique_ptr<Pursewise> m_p;
    std::unique_ptr<MainCommands> m_main;
    std::unique_ptr<RegisterCommands> m_register;
};
