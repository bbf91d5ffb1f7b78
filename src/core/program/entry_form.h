#pragma once

#include "core/program/dialog_form.h"
#include "core/program/dialog_values.h"
#include "core/register/ledger_entry.h"

#include <QString>

class Pursewise;
class TccMath;

// What the entry dialog's OK does: a new entry after the last one, a new
// entry at the selected row (the rows below move down), or the selected
// entry written again.
enum class EntryMode
{
    Add,
    Insert,
    Edit
};

// What the entry dialog's controls hold: its three state fields and the
// entry as typed. OK's check leaves the amount of the chosen kind prepared
// ("$1,200" becomes "1200.00"), accepted or not.
struct EntryFields
{
    EntryMode mode = EntryMode::Add;
    EntryKind kind = EntryKind::None;         // the kind chosen in the dialog
    EntryKind originalKind = EntryKind::None; // the kind of the entry being edited
    EntryValues entry;                        // DT1, E1, E2, E3, C1
};

// A typed amount after preparation: the text the box shows afterwards and
// whether the entry dialog takes it.
struct TypedAmount
{
    QString text;
    bool acceptable = false;
};

// An amount typed as a charge or payment: refused when empty (and then left
// empty), else prepared ("-" kept) and taken when IsValidAmount holds and its
// value is not zero. 0, $0, 00, .00 and 000.00 are all zero.
TypedAmount acceptEntryAmount(const TccMath& math, const QString& typed);

// The entry dialog without its window: what it shows when it opens on a
// ledger row, OK's check of the amount, and OK's add, insert or edit through
// the entry posting of TC. Writes no cell itself.
class EntryForm
{
public:
    explicit EntryForm(Pursewise& p);

    // The ledger row SelectedRow as the dialog shows it in edit mode: its
    // date, description and cleared mark, and its kind (charge when the
    // Charges cell is filled, else payment when the Payments cell is, else
    // none) with that amount. A Date cell that is no date gives today.
    EntryFields fromSelectedRow() const;

    // OK's check of the amount of the chosen kind; nothing changes here. No
    // kind chosen passes: OK then closes without writing.
    FormCheck check(EntryFields& fields) const;

    // OK after an accepted check. Add: AddCharge or AddPayment at SelectedRow.
    // Insert: a gap at SelectedRow first. Edit: the old entry removed by its
    // original kind, a gap again unless it was the last entry, then the new
    // entry posted into the same row.
    void post(const EntryFields& fields);

private:
    Pursewise& m_p;
};
