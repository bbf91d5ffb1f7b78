#pragma once

#include "core/register/statement.h"

#include <QString>

#include <vector>

class Pursewise;

// What an import would do with one statement entry for the card open in the
// register.
enum class ImportStatus
{
    Ready,       // goes into the ledger of its year
    Duplicate,   // that ledger already holds the same date, amount and description
    NoLedgerYear, // its year is not one of the card's years
    YearFull,    // its year's ledger would hold more than 1000 entries
    NotUsable    // the reader could not read its date or amount
};

struct ImportLine
{
    StatementEntry entry;
    ImportStatus status = ImportStatus::Ready;
    QString yearText;   // "25" for a date in 2025; empty when there is none
    QString note;       // what the preview shows beside a line that is not Ready
    bool ticked = false; // Ready lines start ticked, duplicates unticked; the
                         // others cannot be ticked
    bool canTick() const
    {
        return status == ImportStatus::Ready || status == ImportStatus::Duplicate;
    }
};

// Imports a bank's statement into the card the register shows: first a
// preview that sorts every entry into what can go in and what cannot, then
// the posting of the ticked entries, each into the ledger of its own year
// through the same steps as a typed entry (carries included), as one action
// that changes every file or none. Reads no statement file itself.
class StatementImport
{
public:
    explicit StatementImport(Pursewise& p);

    // The statement's entries in file order, each with its status. Reads the
    // ledger of every year the entries fall in; changes nothing.
    std::vector<ImportLine> preview(const Statement& statement) const;

    // Posts the ticked lines that can be ticked, in date order, appended to
    // their years' ledgers, each marked "X" when `cleared`; saves every file
    // concerned and leaves the register on the year it showed. Returns the
    // number posted. Raises before anything changes when a year would
    // overflow; when a save fails, every staged save of the action is thrown
    // away and the program's state is read back from the unchanged files.
    int post(const std::vector<ImportLine>& lines, bool cleared);

private:
    Pursewise& m_p;
};
