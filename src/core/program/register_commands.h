#pragma once

class Pursewise;

// What the register window's buttons do, without the window. Each works on
// the ledger's cursor row and the card the register is bound to, shows its
// messages through showMessage and saves what it changed.
class RegisterCommands
{
public:
    explicit RegisterCommands(Pursewise& p);

    // Add, Insert and Edit capture the row the entry dialog will work on;
    // false when the dialog must not open (the message has been shown). Add
    // fails with "Grid index out of range" when the year is full.
    bool bb3Click();
    bool bb4Click();
    bool bb6Click();
    void bb5Click();
    void bb7Click();
    // True when the card has another year to choose.
    bool bb8Click() const;
    void FormClose();

private:
    bool captureEntryRow();

    Pursewise& m_p;
};
