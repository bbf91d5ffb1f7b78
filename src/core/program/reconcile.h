#pragma once

#include "core/register/ledger_entry.h"

#include <QDate>
#include <QString>

#include <cstdint>
#include <vector>

class Pursewise;

// The last statement a card was reconciled against: its closing date and
// closing balance, kept in the card's file key + "rc.dat" (two lines, the
// date as short-date text and the balance as money text, CR LF).
struct LastStatement
{
    QDate date;      // invalid when the card has none yet
    QString balance; // money text; empty when the card has none yet
};

// One uncleared entry the reconcile offers: where it lies and what it is.
struct ReconcileLine
{
    QString yearText; // "26"
    int row = 0;      // its ledger row in that year
    LedgerEntry entry;
    QDate date;
    std::int64_t effect = 0; // on the balance owed: + a charge, - a payment, in cents
    bool ticked = false;
};

// Reconciles the open card against a statement: the entries not yet marked
// "X" up to the statement's closing date, the difference between the
// statement's balance and the reconciled balance as entries are ticked, and
// Finish, which marks the ticked entries "X", moves the reconciled balance by
// them and saves that as one action. Shows nothing itself.
class Reconcile
{
public:
    explicit Reconcile(Pursewise& p);

    // The card's last statement, or an empty one when it has no file. A file
    // that is not a date and a balance raises with its line ("'11/31/26' is
    // not a valid date and time (line 1 of 3rc.dat)") and is kept as
    // 3rc.dat.damaged, as every data file is.
    LastStatement lastStatement() const;

    // The uncleared entries of every year of the card dated up to `closing`,
    // oldest year first, in ledger order within a year.
    std::vector<ReconcileLine> uncleared(const QDate& closing) const;

    // statement balance - (reconciled balance + the ticked lines' effects),
    // in cents: zero when the statement balances.
    std::int64_t difference(std::int64_t statementCents,
                            const std::vector<ReconcileLine>& lines) const;

    // Marks the ticked lines "X", updates the reconciled balance and the files
    // of every year touched and the card's information, and writes the last
    // statement file; the card list and the totals show no reconciled
    // balance, so they stay as they are. Raises "The statement does not
    // balance: the difference is 12.34." and changes nothing when the
    // difference is not zero. When a save fails, every staged save of the
    // action is thrown away and the state is put back as it was.
    void finish(const LastStatement& statement, const std::vector<ReconcileLine>& lines);

private:
    Pursewise& m_p;
};
