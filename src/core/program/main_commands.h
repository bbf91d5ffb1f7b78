#pragma once

class Pursewise;

// What the main window's buttons do, without the window: each checks the
// selection, shows its message through showMessage, and runs the card
// sequences. The window calls one, then shows the state again.
class MainCommands
{
public:
    explicit MainCommands(Pursewise& p);

    // The start hint is due whenever the main window becomes active with no
    // card listed.
    bool wantsStartHint() const;
    void B1Click();
    // Opens the selected card for the card dialog; false when none is
    // selected (the message has been shown) and the dialog must not open.
    bool B4Click();
    void B3Click();

private:
    bool requireSelection() const;

    Pursewise& m_p;
};
