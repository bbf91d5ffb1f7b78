#pragma once

#include <QString>

class TGrid;
class TccMath;
struct YearTexts;
struct RegisterFields;

// A total as the arithmetic reads it: an empty one counts as 0.00.
QString orZero(const QString& amount);

// The open card's particulars and running totals in the register header, the
// arithmetic that moves the totals, and the card information file
// key + "info.dat" (ten lines, one per field). The ledger is TGrid's.
class TCardInfo
{
public:
    TCardInfo(RegisterFields& fields, const TccMath& math);

    void SetCardName(const QString& text);
    void SetExpiryDate(const QString& text);
    void SetRate(const QString& text);
    void SetIntroRate(const QString& text);
    void SetIntroExpiry(const QString& text);
    void SetDueDay(const QString& text);

    // Each total moves by a money text; an empty total counts as 0.00.
    void AddToLimit(const QString& amount);
    // Never takes the limit below 0.00: what would be left under half a unit
    // (500.00 less 499.60) becomes 0.00.
    void SubtractFromLimit(const QString& amount);
    void AddToOwed(const QString& amount);
    void SubtractFromOwed(const QString& amount);
    void AddToReconciled(const QString& amount);
    void SubtractFromReconciled(const QString& amount);
    // Available is the limit less the balance owed, kept between 0.00 and
    // the limit.
    void RecomputeAvailable();

    void SaveInfo() const;
    void LoadInfo();

    QString fileName() const;

private:
    QString plus(const QString& total, const QString& amount) const;
    QString minus(const QString& total, const QString& amount) const;

    RegisterFields& m_fields;
    const TccMath& m_math;
};

// Empties the register before a card is shown in it.
class TCurrentCard
{
public:
    TCurrentCard(RegisterFields& fields, TGrid& grid);

    // Empties the name and E1 to E8, then the ledger; the card expiry date and
    // the year keep their text until they are next set.
    void ResetCard();

private:
    RegisterFields& m_fields;
    TGrid& m_grid;
};

// The year shown in the register header.
class TYrEditBox
{
public:
    TYrEditBox(RegisterFields& fields, const YearTexts& years);

    void ShowSelectedYear();

private:
    RegisterFields& m_fields;
    const YearTexts& m_years;
};
