#pragma once

#include "core/program/dialog_form.h"
#include "core/program/dialog_values.h"

class Pursewise;

// What the card dialog's OK does: make a new card, or change the card open
// in the register.
enum class CardMode
{
    Add,
    Edit
};

// The card dialog without its window: what it shows when it opens on the
// card in the register, OK's checks in their order, and the hand-over to
// TC::AddCard or TC::EditCard. Writes no file itself.
class CardForm
{
public:
    explicit CardForm(Pursewise& p);

    // The register's particulars of the open card as the dialog shows them in
    // edit mode, every box unmodified and neither date changed. A date text
    // that is no date gives today.
    CardValues fromRegister() const;

    // OK's checks, first failure only: the name, its clash with another card,
    // the credit limit, then the mode's amount checks. The credit limit (and a
    // new card's opening balance) come back prepared, refused or not; an
    // unchanged limit in edit mode is left as it is. Nothing is written.
    FormCheck check(CardMode mode, CardValues& values) const;

    // OK after an accepted check: AddCard in add mode, EditCard in edit mode.
    void post(CardMode mode, const CardValues& values);

private:
    Pursewise& m_p;
};
