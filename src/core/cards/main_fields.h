#pragma once

#include "core/platform/year_texts.h"

#include <QString>

// What the main window shows besides the card list: the three totals over all
// cards, and the two hidden year texts it shares with the register.
struct MainFields : YearTexts
{
    QString E1; // total credit limit
    QString E2; // total balance owed, credits left out
    QString E3; // total available
};
