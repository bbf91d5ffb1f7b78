#pragma once

#include <QString>

class TextGrid;

// What an entry of the ledger is: a charge, a payment, or neither (an empty
// row, or one a hand-edited file left with no amount).
enum class EntryKind
{
    None,
    Payment,
    Charge
};

// One ledger row as plain texts, read once: the entry's date, description,
// charge, payment, cleared mark and running balance. Reading a row changes
// nothing; the row's cells stay the ledger's.
struct LedgerEntry
{
    QString date;
    QString description;
    QString charge;
    QString payment;
    bool cleared = false; // the Cleared cell holds "X"
    QString balance;

    // Charge when the Charges cell is filled, else payment when the Payments
    // cell is, else none: a row holding both counts as a charge.
    EntryKind kind() const;
    // The amount of the entry's kind; empty for neither.
    const QString& amount() const;
};

// Row `row` of the ledger (1 to 1000) as a LedgerEntry.
LedgerEntry entryAt(const TextGrid& ledger, int row);
