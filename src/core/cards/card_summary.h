#pragma once

class TCardList;
class TccMath;
class TextGrid;
struct MainFields;

// The three totals over all cards under the card list, and "summary.dat",
// which keeps them from one run to the next. Reads the card table, never
// writes it.
class TS
{
public:
    TS(const TextGrid& sg1, const TCardList& cardList, MainFields& fields, const TccMath& math);

    // Sums Credit Limit, Balance Owed (credits left out) and Available over
    // the listed cards; writes no file.
    void ComputeTotals();
    void SaveSummary() const;
    void LoadSummary();

private:
    const TextGrid& m_sg1;
    const TCardList& m_cardList;
    MainFields& m_fields;
    const TccMath& m_math;
    // "summary.dat" is there but could not be read: saving would replace it.
    bool m_unread = false;
};
