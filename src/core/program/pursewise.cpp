#include "core/program/pursewise.h"

#include "core/platform/messages.h"

namespace {

const char* const cardHeaders[] = {"Card Name",    "Expires",      "Intro %",  "Rate %",
                                   "Credit Limit", "Balance Owed", "Available"};
const char* const ledgerHeaders[] = {"",         "Date", "Description", "Charges",
                                     "Payments", "X",    "Bal. Owed"};

} // namespace

Pursewise::Pursewise()
{
    for (int column = 0; column < 7; ++column) {
        sg1.setCell(column, 0, QString::fromLatin1(cardHeaders[column]));
        ledger.setCell(column, 0, QString::fromLatin1(ledgerHeaders[column]));
    }
    for (int row = 1; row <= TGrid::lastRow; ++row)
        ledger.setCell(TGrid::Number, row, QString::number(row));
}

void Pursewise::start()
{
    // Saves a crash interrupted are finished before any file is read.
    guarded([] { DataFile::recover(); });
    guarded([this] {
        cardList.ResetLastKey();
        cardList.ClearSelection();
        cardList.ResetCount();
        cardList.LoadList();
    });
    tc.InitCurrentYear();
    tc.SelectYear(main.CurrentYr);
    guarded([this] { summary.LoadSummary(); });
    guarded([this] { cardList.MarkExpired(); });
    // What start-up itself saved (a finished journal, a repaired list) is
    // no change of the user's to undo.
    history.clear();
}
