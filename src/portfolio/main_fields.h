#pragma once

#include <QString>

// What the main window shows besides the card list: the three totals over all
// cards and the two hidden year texts ("26" for 2026).
struct MainFields
{
    QString E1; // total credit limit
    QString E2; // total balance owed, credits left out
    QString E3; // total available
    QString CurrentYr;
    QString SelectedYr;
};
