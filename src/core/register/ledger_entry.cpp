#include "core/register/ledger_entry.h"

#include "core/platform/text_grid.h"
#include "core/register/grid.h"

EntryKind LedgerEntry::kind() const
{
    if (!charge.isEmpty())
        return EntryKind::Charge;
    if (!payment.isEmpty())
        return EntryKind::Payment;
    return EntryKind::None;
}

const QString& LedgerEntry::amount() const
{
    return kind() == EntryKind::Payment ? payment : charge;
}

LedgerEntry entryAt(const TextGrid& ledger, int row)
{
    return LedgerEntry{ledger.cell(TGrid::Date, row),
                       ledger.cell(TGrid::Description, row),
                       ledger.cell(TGrid::Charges, row),
                       ledger.cell(TGrid::Payments, row),
                       ledger.cell(TGrid::Cleared, row) == u"X",
                       ledger.cell(TGrid::Balance, row)};
}
