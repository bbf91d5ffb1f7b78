#pragma once

#include <QDate>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class Pursewise;
class TccMath;
class TextGrid;

// One point of the balance chart: a day of the year and money owed in cents.
struct ChartPoint
{
    QDate date;
    std::int64_t cents = 0;

    bool operator==(const ChartPoint&) const = default;
};

// What the balance chart of the register draws for the year on view: the
// running balance owed through the year and the card's credit limit across
// it, with the card's name and the year for its title. Plain values made from
// what the register holds; reads no file, changes nothing and never raises.
// Drawing it is the windows' work.
struct BalanceChart
{
    QString cardName;
    int year = 0; // 2026

    // The year's opening balance at 1 January, then one point per entry
    // dated in the year, in date order (see balancePoints).
    std::vector<ChartPoint> balance;
    // The credit limit at 1 January and at 31 December; empty when the limit
    // is no amount the program can read.
    std::vector<ChartPoint> limit;

    bool operator==(const BalanceChart&) const = default;
};

// The balance points of rows 1 to `entryCount` of a ledger in the calendar
// year `year`, from the opening balance `openingCents`:
// - the first point is the opening balance at 1 January;
// - the balance runs down the rows as the register's Balance column does,
//   in whole cents: a charge adds, a payment takes off, a row with neither
//   (or with an amount that is no amount) moves nothing;
// - each entry whose date reads as a day of `year` gives the point (its date,
//   the balance after it); an entry whose date cannot be read, or that is
//   dated in another year, gives no point, but its amount still moves the
//   balance, so every point agrees with the register's Balance cell of its row;
// - points follow each other by date, entries of the same day in their
//   ledger order (so a day of several entries draws as a step);
// - a balance beyond 64-bit cents ends the points there.
std::vector<ChartPoint> balancePoints(const TextGrid& ledger, int entryCount, int year,
                                      std::int64_t openingCents, const TccMath& math);

// The cents of a stored amount, or nothing for an empty text or one that is
// no amount.
std::optional<std::int64_t> chartCents(const TccMath& math, const QString& amount);

// The chart of the year on view of the card open in the register. An opening
// balance that is no amount counts as 0.00.
BalanceChart balanceChartOf(const Pursewise& p);

// "Visa Gold, 2026": the chart's title.
QString chartTitle(const BalanceChart& chart);
