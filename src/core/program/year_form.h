#pragma once

#include "core/program/dialog_form.h"

class Pursewise;

// The year chooser without its window: OK takes the selected year of the card's
// year list and reloads the register for it. The list and its selection are
// Pursewise::years; the chooser shows them and keeps the selection there.
class YearForm
{
public:
    explicit YearForm(Pursewise& p);

    // Refused while no year of the list is selected.
    FormCheck check() const;
    // SelectYear with the selected year, then ChangeYear.
    void post();

private:
    Pursewise& m_p;
};
