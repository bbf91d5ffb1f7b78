#pragma once

#include <QString>

// The register window's header: the open card's particulars and running
// totals, the year on view and the "Overdrawn" notice. Also the card the
// register belongs to: every file it writes is named after `cardKey`, and
// the card list row it updates is the one that carries that key.
struct RegisterFields
{
    QString L7;    // card name
    QString Edit1; // card expiry date, short-date text
    QString E1;    // rate
    QString E2;    // introductory rate
    QString E3;    // introductory rate expiry date, short-date text
    QString E4;    // payment day
    QString E5;    // credit limit
    QString E6;    // balance owed over all years
    QString E7;    // available credit
    QString E8;    // reconciled balance owed
    QString EYr;   // year on view

    bool overdrawn = false; // the "Overdrawn" notice is showing
    bool shown = false;     // the register window is open
    QString cardKey;        // the card whose data these are
};
