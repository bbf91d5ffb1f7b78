#pragma once

#include <QDate>
#include <QString>

// What the card dialog hands over on OK: every field, and for each whether the
// user changed it. Amounts are already prepared (1,250 arrives as 1250.00).
struct CardValues
{
    QString name;
    bool nameModified = false;
    QDate cardExpiry;
    bool cardExpiryChanged = false;
    QString rate;
    bool rateModified = false;
    QString introRate;
    bool introRateModified = false;
    QDate introExpiry;
    bool introExpiryChanged = false;
    QString dueDay;
    bool dueDayModified = false;
    QString creditLimit;
    bool creditLimitModified = false;
    QString openingBalance; // new cards only: empty, "0" or a prepared amount
};

// What the entry dialog hands over on OK. Only the amount of the chosen kind
// is used: `charge` by AddCharge, `payment` by AddPayment.
struct EntryValues
{
    QDate date;
    QString description;
    QString charge;
    QString payment;
    bool cleared = false;
};
