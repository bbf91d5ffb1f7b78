#pragma once

#include <QString>

class TccMath;
class TextGrid;
struct YearTexts;
struct RegisterFields;

// The opening balance of every year of the open card (row y of a 2 by 100
// table is year y: column 0 the stale flag "T"/"F", column 1 the balance),
// carried forward from each change, with the card's file key + "bb.dat".
// Which of two years is the later follows the calendar, read from the
// current year, so a card's years run on from 99 to 00.
// It never reads a ledger file.
class TBeginBal
{
public:
    TBeginBal(TextGrid& table, const YearTexts& years, const RegisterFields& card,
              const TccMath& math);

    int selectedYear() const { return m_selectedYear; }
    int currentYear() const { return m_currentYear; }

    void TakeSelectedYear();
    void TakeCurrentYear();
    bool IsStale() const;
    void MarkFresh();

    // Adds (or subtracts) the amount to the opening balance of every year
    // after the selected one, up to the year after this one, and marks those
    // years stale. Years run as the calendar does: after 99 comes 00.
    void CarryCharge(const QString& amount);
    void CarryPayment(const QString& amount);

    void ClearBalances();
    void LoadBalances();
    void SaveBalances() const;

    // The year's opening balance. An empty cell stands for the balance of the
    // nearest earlier year that has one, and for "0.00" when none has: a year
    // no carry has reached yet opens where the years before it left off.
    // Earlier runs back through the calendar: before 00 come 99, 98, ...
    // (1999 before 2000, 2099 before 2100).
    QString openingBalance(int year) const;

private:
    enum class Direction
    {
        Add,
        Subtract
    };
    void carry(const QString& amount, Direction direction);
    QString fileName() const;
    static int yearNumber(const QString& yearText);

    TextGrid& m_table;
    const YearTexts& m_years;
    const RegisterFields& m_card;
    const TccMath& m_math;
    int m_selectedYear = 0;
    int m_currentYear = 0;
};
