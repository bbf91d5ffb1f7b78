#pragma once

#include "core/register/ledger_entry.h"

#include <QDate>
#include <QString>

#include <cstdint>
#include <vector>

// A bank's statement as a reader found it: the entries in file order, each
// with the line it starts on. A reader raises a UserError for a file it cannot
// read at all ("Could not import "june.qif": line 12: ..."); an entry whose
// date or amount is no date or no money stays in the list with its problem
// said, so the import can show it and leave it out. Deciding where an entry
// goes (which ledger, whether it is already there) is the import's work.
struct StatementEntry
{
    QDate date;          // invalid when `problem` says the date could not be read
    QString description; // as the bank wrote it, trimmed; may be empty
    std::int64_t cents = 0; // the amount, never negative: 12.34 is 1234
    EntryKind kind = EntryKind::None; // Charge or Payment; None with a problem
    int line = 0;        // the file's line (from 1) where the entry starts
    QString problem;     // empty when the entry can be used, else why not
};

struct Statement
{
    QString fileName; // as the messages name it: the file's name, no folder
    std::vector<StatementEntry> entries;
};
