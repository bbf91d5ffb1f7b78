#pragma once

#include "core/program/dialog_form.h"
#include "core/program/dialog_values.h"

class Pursewise;

// The card dialog without its window: what it shows when it opens on the
// card in the register, OK's checks in their order, and the hand-over to
// TC::AddCard or TC::EditCard. Writes no file itself.
class CardForm
{
public:
    static constexpr int addMode = 0;  // CardMode: a new card
    static constexpr int editMode = 1; // CardMode: the card open in the register

    explicit CardForm(Pursewise& p);

    // The register's particulars of the open card as the dialog shows them in
    // edit mode, every box unmodified and neither date changed. A date text
    // that is no date gives today.
    CardValues fromRegister() const;

    // OK's checks, first failure only: the name, its clash with another card,
    // the credit limit, then the mode's amount checks. The credit limit (and a
    // new card's opening balance) come back prepared, refused or not; an
    // unchanged limit in edit mode is left as it is. Nothing is written.
    FormCheck check(int cardMode, CardValues& values) const;

    // OK after an accepted check: AddCard in add mode, EditCard in edit mode.
    void post(int cardMode, const CardValues& values);

private:
    Pursewise& m_p;
};
