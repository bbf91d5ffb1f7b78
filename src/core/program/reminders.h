#pragma once

#include <QDate>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class TextGrid;

// What is near for the cards of the list: a payment day within the next five
// days, an introductory rate that ends within 30 days, a balance at 90% or
// more of the credit limit. Only reads: the card list's cells and each card's
// payment day through a reader it is given; never writes a file and never
// touches the register.

// The kinds of reminder, in the order a card's lines are listed.
enum class ReminderKind
{
    Payment,
    IntroRateEnds,
    NearLimit
};

// One line of the Reminders window.
struct Reminder
{
    QString cardKey;  // "3"
    QString cardName; // "Visa Gold"
    ReminderKind kind = ReminderKind::Payment;
    // The payment day or the rate's last day; today for a card near its limit.
    QDate due;
    QString text; // "Visa Gold: payment due in 5 days (Dec 13)"

    bool operator==(const Reminder&) const = default;
};

// What the reminders need of a card's own file KEYinfo.dat: its payment day
// as typed ("15th") and its introductory rate (which the card list shows as
// "Expired" once the rate's date has come).
struct CardInfoText
{
    QString introRate;
    QString paymentDay;
};

// A card's CardInfoText by its key, or nothing when its file cannot be read.
using CardInfoReader = std::function<std::optional<CardInfoText>(const QString& cardKey)>;

// How far ahead each kind looks, in days from today (today counts as 0).
inline constexpr int paymentDaysAhead = 5;
inline constexpr int introDaysAhead = 30;

// The day of the month a typed payment day names, read leniently: the first
// run of digits decides, so "15", "15th", "the 15th", "Day 15", "on the 1st"
// and "28 of each month" all give their day. Text with no digits, or whose
// first number is not 1 to 31, names no day.
std::optional<int> paymentDayOfMonth(const QString& text);

// The next date a payment on `day` falls due: this month's day when it is
// today or later, else next month's. A day past a month's end is its last
// day (31 in February is the 28th or 29th).
QDate nextPaymentDate(int day, QDate today);

// The reminders of the cards in `sg1` (rows 1 to `cardCount`), in the order
// of the list and within a card in the order of ReminderKind. A card whose
// file cannot be read or whose payment day names no day gets no payment line;
// an unreadable date or amount gives no line of its kind. A card with no
// introductory rate gets no line for its rate's date. Never throws for what a
// file holds.
std::vector<Reminder> remindersFor(const TextGrid& sg1, int cardCount,
                                   const CardInfoReader& cardInfo, QDate today);

// The introductory rate (E2, the fourth line) and the payment day (E4, the
// sixth) of the card's file KEYinfo.dat in the working directory. Nothing
// when the file is missing, cannot be read or is damaged (a NUL byte): it is
// only read, never repaired or copied aside.
std::optional<CardInfoText> cardInfoFromFile(const QString& cardKey);
