#pragma once

#include <QString>

class TBeginBal;
class TccMath;
class TextGrid;
struct YearTexts;
struct RegisterFields;

// The ledger of the open card for the selected year: a 7 by 1001 table whose
// rows 1 to EntryCount hold the entries (date, description, charge, payment,
// "X", running balance), the row operations that add, insert and remove
// entries, and the year ledger file key + year + ".dat". Posting an entry into
// the card's totals is the register bridge's work, not this class's.
class TGrid
{
public:
    enum Column
    {
        Number,
        Date,
        Description,
        Charges,
        Payments,
        Cleared,
        Balance
    };
    static constexpr int lastRow = 1000;

    TGrid(TextGrid& ledger, const TBeginBal& beginBal, const YearTexts& years,
          const RegisterFields& card, const TccMath& math);

    int selectedRow() const { return m_selectedRow; }
    int entryCount() const { return m_entryCount; }
    // Only a new card's opening balance sets the count directly (to 1), and
    // an action that failed part-way puts back the count it found.
    void setEntryCount(int count) { m_entryCount = count; }

    void CaptureSelectedRow();
    // Fails with "Grid index out of range" when the year holds 1000 entries.
    void SelectRowAfterLast();
    void ClearSelectedRow();
    void ClearLedger();
    void ResetEntryCount();
    void IncrementEntryCount();
    void DecrementEntryCount();
    void SetDate(const QString& text);
    void SetDescription(const QString& text);
    void SetCharge(const QString& text);
    void SetPayment(const QString& text);
    void ToggleCleared();
    void OpenGapAtSelectedRow();
    void CloseGapAtSelectedRow();
    // Rewrites the running balance from the year's opening balance, down to
    // the first row with neither a charge nor a payment.
    void RecomputeBalances();
    void LoadYear();
    void SaveYear() const;

    // "326.dat" for card 3 in year 26.
    QString fileName() const;

private:
    void setSelectedCell(Column column, const QString& text);
    int filledRows() const;
    void checkRows(const QString& name) const;

    TextGrid& m_ledger;
    const TBeginBal& m_beginBal;
    const YearTexts& m_years;
    const RegisterFields& m_card;
    const TccMath& m_math;
    int m_selectedRow = 0;
    int m_entryCount = 0;
};
